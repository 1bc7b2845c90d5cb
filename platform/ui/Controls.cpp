#include "platform/ui/Controls.h"

#include <QWidget>
#include <algorithm>

#include "platform/core/classes/ScopeExit.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Menus.h"

namespace dravik {

const TTypeInfo& TypeInfoFor(TAlign) {
  static const TTypeInfo& info =
      MakeEnumType("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
  return info;
}

const TTypeInfo& TypeInfoFor(TAnchorKind) {
  static const TTypeInfo& info =
      MakeEnumType("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
  return info;
}

const TTypeInfo& TypeInfoFor(TDragMode) {
  static const TTypeInfo& info = MakeEnumType("TDragMode", {"dmManual", "dmAutomatic"});
  return info;
}

const TTypeInfo& TypeInfoFor(TImeMode) {
  static const TTypeInfo& info = MakeEnumType(
      "TImeMode", {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira",
                   "imSKata", "imKata", "imChinese", "imSHanguel", "imHanguel"});
  return info;
}

// --- TControl ----------------------------------------------------------------------------------

const TClassRecord& TControl::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TControl, TComponent>("TControl", "Controls")
          .Property("Left", &TControl::Left, &TControl::SetLeft)
          .Property("Top", &TControl::Top, &TControl::SetTop)
          .Property("Width", &TControl::Width, &TControl::SetWidth)
          .Property("Height", &TControl::Height, &TControl::SetHeight)
          .Property("Align", &TControl::Align, &TControl::SetAlign)
          .Default(alNone)
          .Property("Anchors", &TControl::Anchors, &TControl::SetAnchors)
          .Default(0b0011)
          .Property("Caption", &TControl::Caption, &TControl::SetCaption)
          .TypeAs(MakeAliasType(TypeInfo<std::string>(), "TCaption"))
          .Property("Color", &TControl::Color, &TControl::SetColor)
          .Property("Enabled", &TControl::Enabled, &TControl::SetEnabled)
          .Default(true)
          .Property("Font", &TControl::Font, &TControl::SetFont)
          .Property("Hint", &TControl::Hint, &TControl::SetHint)
          .Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
          .Default(false)
          .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
          .Default(true)
          .Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
          .Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
          .Default(true)
          .Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
          .Default(false)
          .Property("Visible", &TControl::Visible, &TControl::SetVisible)
          .Default(true)
          .Event("OnClick", &TControl::OnClick)
          .Build();
  return record;
}

TControl::TControl(TComponent* owner) : TComponent(owner), fFont(std::make_unique<TFont>()) {
  fFont->OnChange = TNotifyEvent::Of<&TControl::FontChangedNotify>(this);
}

void TControl::BeforeDestruction() {
  SetParent(nullptr);
  DestroyWidget();
  TComponent::BeforeDestruction();
}

void TControl::DestroyWidget() {
  if (!fWidget) return;
  QWidget* widget = fWidget.data();
  fWidget.clear();
  delete widget;
}

TComponent* TControl::GetParentComponent() const {
  return fParent;
}

void TControl::SetParentComponent(TComponent* parent) {
  SetParent(dynamic_cast<TWinControl*>(parent));
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == fParent) return;
  TWinControl* old = fParent;
  if (old) old->RemoveControl(this);
  fParent = parent;
  if (!parent) {
    DestroyWidget();  // a child's window lives only inside its parent's
    if (old) old->AlignControls();
    return;
  }
  parent->InsertControl(this);
  if (fParentFont) ParentFontChanged();
  if (fParentColor) ParentColorChanged();
  QWidget* parentWidget = parent->ClientWidget();
  if (fWidget && parentWidget) {
    fWidget->setParent(parentWidget);
    InitWidget();
  } else if (fWidget) {
    DestroyWidget();
  } else if (parentWidget) {
    HandleNeeded();
  }
  if (old) old->AlignControls();
  parent->AlignControls();
}

void TControl::HandleNeeded() {
  if (fWidget) return;
  QWidget* parentWidget = fParent ? fParent->ClientWidget() : nullptr;
  if (fParent && !parentWidget) return;  // the parent makes it with its own
  fWidget = CreateWidget(parentWidget);
  QObject::connect(fWidget, &QWidget::customContextMenuRequested, [this](const QPoint& at) {
    if (fPopupMenu && fWidget) {
      const QPoint global = fWidget->mapToGlobal(at);
      fPopupMenu->Popup(global.x(), global.y());
    }
  });
  InitWidget();
}

void TControl::InitWidget() {
  if (!fWidget) return;
  SetWidgetGeometry();
  TextChanged();
  fWidget->setToolTip(EffectiveShowHint() ? QString::fromStdString(fHint) : QString());
  fWidget->setEnabled(fEnabled);
  FontChanged();
  ColorChanged();
  fWidget->setContextMenuPolicy(fPopupMenu ? Qt::CustomContextMenu : Qt::DefaultContextMenu);
  fWidget->setVisible(fVisible && fParent);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == fPopupMenu) return;
  if (fPopupMenu) fPopupMenu->RemoveFreeNotification(this);
  fPopupMenu = menu;
  if (fPopupMenu) fPopupMenu->FreeNotification(this);
  if (fWidget)
    fWidget->setContextMenuPolicy(fPopupMenu ? Qt::CustomContextMenu : Qt::DefaultContextMenu);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove || component != fPopupMenu) return;
  fPopupMenu = nullptr;
  if (fWidget) fWidget->setContextMenuPolicy(Qt::DefaultContextMenu);
}

void TControl::SetWidgetGeometry() {
  if (fWidget) fWidget->setGeometry(fLeft, fTop, std::max(0, fWidth), std::max(0, fHeight));
}

int32_t ClampCoordinate(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, -kMaxCoordinate, kMaxCoordinate));
}

void TControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  left = ClampCoordinate(left);
  top = ClampCoordinate(top);
  width = ClampCoordinate(width);
  height = ClampCoordinate(height);
  if (left == fLeft && top == fTop && width == fWidth && height == fHeight) return;
  fLeft = left;
  fTop = top;
  fWidth = width;
  fHeight = height;
  SetWidgetGeometry();
  RequestAlign();
}

void TControl::SetClientWidth(int32_t value) {
  SetWidth(ClampCoordinate(int64_t{ClampCoordinate(value)} + fWidth - ClientWidth()));
}

void TControl::SetClientHeight(int32_t value) {
  SetHeight(ClampCoordinate(int64_t{ClampCoordinate(value)} + fHeight - ClientHeight()));
}

void TControl::RequestAlign() {
  if (fParent && fAlign != alNone) fParent->AlignControls();
}

void TControl::SetCaption(const std::string& value) {
  if (value == fCaption) return;
  fCaption = value;
  TextChanged();
}

void TControl::SetHint(const std::string& value) {
  if (value == fHint) return;
  fHint = value;
  if (fWidget) fWidget->setToolTip(EffectiveShowHint() ? QString::fromStdString(fHint) : QString());
}

bool TControl::EffectiveShowHint() const {
  if (fShowHint) return true;
  return fParentShowHint && fParent && fParent->EffectiveShowHint();
}

void TControl::SetShowHint(bool value) {
  fShowHint = value;
  fParentShowHint = false;
  if (fWidget) fWidget->setToolTip(EffectiveShowHint() ? QString::fromStdString(fHint) : QString());
}

void TControl::SetParentShowHint(bool value) {
  fParentShowHint = value;
  if (fWidget) fWidget->setToolTip(EffectiveShowHint() ? QString::fromStdString(fHint) : QString());
}

void TControl::SetVisible(bool value) {
  if (value == fVisible) return;
  fVisible = value;
  if (fWidget) fWidget->setVisible(fVisible && (fParent || !fWidget->isWindow() || value));
  RequestAlign();
}

void TControl::SetEnabled(bool value) {
  if (value == fEnabled) return;
  fEnabled = value;
  if (fWidget) fWidget->setEnabled(value);
  EnabledChanged();
}

void TControl::SetParentFont(bool value) {
  fParentFont = value;
  if (value && fParent) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!fParentFont || !fParent) return;
  fSettingFont = true;
  fFont->Assign(fParent->Font());
  fSettingFont = false;
}

void TControl::FontChangedNotify(TObject*) {
  // A font set on the control itself no longer follows the parent's.
  if (!fSettingFont) fParentFont = false;
  FontChanged();
}

void TControl::FontChanged() {
  if (fTexts) fTexts->ForgetSizes();
  if (fWidget) fWidget->setFont(ToQFont(*fFont));
}

TTextCache::TText& TControl::CaptionText() {
  if (!fTexts) fTexts = std::make_unique<TTextCache>();
  return fTexts->Find(fCaption);
}

void TControl::SetColor(TColor value) {
  if (value == fColor) return;
  fColor = value;
  fParentColor = false;
  ColorChanged();
}

void TControl::SetParentColor(bool value) {
  fParentColor = value;
  if (value && fParent) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!fParentColor || !fParent) return;
  fColor = fParent->Color();
  ColorChanged();
  fParentColor = true;
}

void TControl::ColorChanged() {
  if (!fWidget) return;
  if (ColorSet()) {
    QPalette palette = fWidget->palette();
    palette.setColor(fWidget->backgroundRole(), ToQColor(fColor));
    fWidget->setPalette(palette);
    fWidget->setAutoFillBackground(true);
  }
}

void TControl::SetAlign(TAlign value) {
  if (value == fAlign) return;
  fAlign = value;
  if (fParent) fParent->AlignControls();
}

void TControl::Click() {
  OnClick(this);
}

// --- TWinControl -------------------------------------------------------------------------------

const TClassRecord& TWinControl::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TWinControl, TControl>("TWinControl", "Controls")
          .Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
          .Default(-1)
          .Build();
  return record;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

void TWinControl::BeforeDestruction() {
  // The children leave first, with their widgets, so that Qt never deletes one of them.
  while (!fControls.empty()) fControls.back()->SetParent(nullptr);
  TControl::BeforeDestruction();
}

void TWinControl::InsertControl(TControl* control) {
  fControls.push_back(control);
}

void TWinControl::RemoveControl(TControl* control) {
  fControls.erase(std::remove(fControls.begin(), fControls.end(), control), fControls.end());
}

void TWinControl::HandleNeeded() {
  const bool created = !HandleAllocated();
  TControl::HandleNeeded();
  if (!HandleAllocated()) return;
  for (TControl* child : fControls) child->HandleNeeded();
  if (created) AlignControls();
}

void TWinControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  const int32_t oldWidth = ClientWidth(), oldHeight = ClientHeight();
  TControl::SetBounds(left, top, width, height);
  ClientResized(oldWidth, oldHeight);
}

void TWinControl::ClientResized(int32_t oldWidth, int32_t oldHeight) {
  const int32_t dw = ClientWidth() - oldWidth, dh = ClientHeight() - oldHeight;
  if (IsLoading() || (dw == 0 && dh == 0)) return;
  for (TControl* child : fControls) {
    if (child->Align() != alNone) continue;
    const TAnchors a = child->Anchors();
    int32_t left = child->Left(), top = child->Top(), width = child->Width(),
            height = child->Height();
    if (a.Contains(akRight)) (a.Contains(akLeft) ? width : left) += dw;
    if (a.Contains(akBottom)) (a.Contains(akTop) ? height : top) += dh;
    child->SetBounds(left, top, width, height);
  }
  AlignControls();
}

// The aligned children take their edge in the order top, bottom, left, right, client, each in
// child order, as the original layout does.
void TWinControl::AlignControls() {
  if (fAligning > 0 || IsLoading()) return;
  ++fAligning;
  TScopeExit aligned([this] { --fAligning; });
  TRect rest{0, 0, ClientWidth(), ClientHeight()};
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : fControls) {
      if (c->Align() != align || !c->Visible()) continue;
      switch (align) {
        case alTop:
          c->SetBounds(rest.Left, rest.Top, rest.Width(), c->Height());
          rest.Top += c->Height();
          break;
        case alBottom:
          c->SetBounds(rest.Left, rest.Bottom - c->Height(), rest.Width(), c->Height());
          rest.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(rest.Left, rest.Top, c->Width(), rest.Height());
          rest.Left += c->Width();
          break;
        case alRight:
          c->SetBounds(rest.Right - c->Width(), rest.Top, c->Width(), rest.Height());
          rest.Right -= c->Width();
          break;
        default:
          c->SetBounds(rest.Left, rest.Top, rest.Width(), rest.Height());
          break;
      }
    }
  }
}

void TWinControl::Loaded() {
  TControl::Loaded();
  AlignControls();
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TControl* child : fControls)
    if (child->Owner() == root) proc(child);
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* child : fControls) child->ParentFontChanged();
}

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  for (TControl* child : fControls) child->ParentColorChanged();
}

}  // namespace dravik
