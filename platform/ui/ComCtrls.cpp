#include "platform/ui/ComCtrls.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>
#include <algorithm>

#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

Qt::Alignment ToQtAlignment(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify:
      return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
      return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

const TClassRegistration kRegistrations[] = {
    TClassRegistration(TStatusBar::StaticClass()),
    TClassRegistration(TToolBar::StaticClass()),
    TClassRegistration(TToolButton::StaticClass()),
};

}  // namespace

// --- TStatusPanel, TStatusBar ------------------------------------------------------------------

const TClassRecord& TStatusPanel::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TStatusPanel, TCollectionItem>("TStatusPanel", "ComCtrls")
          .Property("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
          .Default(taLeftJustify)
          .Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
          .Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
          .Build();
  return record;
}

void TStatusPanel::Assign(const TPersistent* source) {
  if (auto* panel = dynamic_cast<const TStatusPanel*>(source)) {
    fText = panel->fText;
    fWidth = panel->fWidth;
    fAlignment = panel->fAlignment;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

// Each setter tells the bar through the collection, so a language switch reaches the widget.
void TStatusPanel::SetText(const std::string& value) {
  if (value == fText) return;
  fText = value;
  Changed(false);
}

void TStatusPanel::SetWidth(int32_t value) {
  if (value == fWidth) return;
  fWidth = value;
  Changed(false);
}

void TStatusPanel::SetAlignment(TAlignment value) {
  if (value == fAlignment) return;
  fAlignment = value;
  Changed(false);
}

const TClassRecord& TStatusPanels::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TStatusPanels, TCollection>("TStatusPanels", "ComCtrls").Build();
  return record;
}

const TClassRecord& TStatusBar::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TStatusBar, TWinControl>("TStatusBar", "ComCtrls")
          .Property("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels)
          .Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel)
          .Default(false)
          .Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
          .Build();
  return record;
}

TStatusBar::TStatusBar(TComponent* owner)
    : TWinControl(owner), fPanels(std::make_unique<TStatusPanels>(this)) {
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
}

QWidget* TStatusBar::CreateWidget(QWidget* parentWidget) {
  return new QWidget(parentWidget);
}

void TStatusBar::InitWidget() {
  TWinControl::InitWidget();
  PanelsToWidget();
}

// The collection tells of a new panel from the panel's base constructor, before the panel is
// made, and of a deleted one while it is still counted: the labels follow once the event loop
// runs again (or when one is asked for), never from inside the notification.
void TStatusBar::CollectionNotify(TCollection&, TCollectionItem*, TCollectionNotification) {
  QWidget* bar = Widget();
  if (!bar || fPanelsPending) return;
  fPanelsPending = true;
  QMetaObject::invokeMethod(
      bar,
      [this] {
        if (fPanelsPending) PanelsToWidget();
      },
      Qt::QueuedConnection);
}

void TStatusBar::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  TWinControl::SetBounds(left, top, width, height);
  PanelsToWidget();
}

void TStatusBar::SetSimplePanel(bool value) {
  fSimplePanel = value;
  PanelsToWidget();
}

void TStatusBar::SetSimpleText(const std::string& value) {
  fSimpleText = value;
  PanelsToWidget();
}

void TStatusBar::PanelsToWidget() {
  QWidget* bar = Widget();
  fPanelsPending = false;
  if (!bar) return;
  const int count = fSimplePanel ? 1 : fPanels->Count();
  QList<QLabel*> labels = bar->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  while (labels.size() > count) delete labels.takeLast();
  while (labels.size() < count) {
    auto* label = new QLabel(bar);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextFormat(Qt::PlainText);
    label->show();
    labels.append(label);
  }
  int32_t x = 0;
  for (int i = 0; i < count; ++i) {
    QLabel* label = labels[i];
    if (fSimplePanel) {
      label->setText(Q(fSimpleText));
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      label->setGeometry(0, 0, Width(), Height());
      break;
    }
    const TStatusPanel* panel = fPanels->Items(i);
    label->setText(Q(panel->Text()));
    label->setAlignment(ToQtAlignment(panel->Alignment()));
    // The last panel takes what is left of the bar.
    const int32_t width = i + 1 == count ? std::max(0, Width() - x) : panel->Width();
    label->setGeometry(x, 0, width, Height());
    x += width;
  }
}

QLabel* TStatusBar::PanelLabel(int index) {
  if (!Widget()) return nullptr;
  if (fPanelsPending) PanelsToWidget();
  QList<QLabel*> labels = Widget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  return index >= 0 && index < labels.size() ? labels[index] : nullptr;
}

// --- TToolBar, TToolButton ---------------------------------------------------------------------

const TTypeInfo& TypeInfoFor(TToolButtonStyle) {
  static const TTypeInfo& info = MakeEnumType(
      "TToolButtonStyle", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"});
  return info;
}

const TClassRecord& TToolBar::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TToolBar, TWinControl>("TToolBar", "ComCtrls")
          .Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight)
          .Default(22)
          .Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth)
          .Default(23)
          .Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat)
          .Default(true)
          .Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions)
          .Default(false)
          .Build();
  return record;
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
}

QWidget* TToolBar::CreateWidget(QWidget* parentWidget) {
  return new QWidget(parentWidget);
}

void TToolBar::Loaded() {
  TWinControl::Loaded();
  ArrangeButtons();
}

void TToolBar::ArrangeButtons() {
  if (IsLoading()) return;
  int32_t x = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    auto* button = dynamic_cast<TToolButton*>(Controls(i));
    if (!button || !button->Visible()) continue;
    const bool separator = button->Style() == tbsSeparator || button->Style() == tbsDivider;
    const int32_t width = separator ? 8 : fButtonWidth;
    button->SetBounds(x, 2, width, fButtonHeight);
    x += width;
  }
}

void TToolBar::SetButtonWidth(int32_t value) {
  fButtonWidth = value;
  ArrangeButtons();
}

void TToolBar::SetButtonHeight(int32_t value) {
  fButtonHeight = value;
  ArrangeButtons();
}

void TToolBar::SetFlat(bool value) {
  fFlat = value;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* button = dynamic_cast<QToolButton*>(Controls(i)->Widget()))
      button->setAutoRaise(value);
}

// Kept for form files: without image lists the buttons always show their captions.
void TToolBar::SetShowCaptions(bool value) {
  fShowCaptions = value;
}

const TClassRecord& TToolButton::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TToolButton, TControl>("TToolButton", "ComCtrls")
          .Property("Down", &TToolButton::Down, &TToolButton::SetDown)
          .Default(false)
          .Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex)
          .Default(-1)
          .Property("Style", &TToolButton::Style, &TToolButton::SetStyle)
          .Default(tbsButton)
          .Build();
  return record;
}

TToolButton::TToolButton(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 23, 22);
}

TToolBar* TToolButton::Bar() const {
  return dynamic_cast<TToolBar*>(Parent());
}

void TToolButton::SetParentComponent(TComponent* parent) {
  TControl::SetParentComponent(parent);
  if (TToolBar* bar = Bar()) bar->ArrangeButtons();
}

QWidget* TToolButton::CreateWidget(QWidget* parentWidget) {
  auto* button = new QToolButton(parentWidget);
  TToolBar* bar = Bar();
  button->setAutoRaise(!bar || bar->Flat());
  button->setCheckable(fStyle == tbsCheck);
  button->setChecked(fDown);
  // Without images the caption is what the button shows.
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  if (fStyle == tbsSeparator || fStyle == tbsDivider) button->setEnabled(false);
  QObject::connect(button, &QToolButton::clicked, [this](bool checked) {
    if (fStyle == tbsCheck) fDown = checked;
    Click();
  });
  return button;
}

void TToolButton::TextChanged() {
  auto* button = static_cast<QToolButton*>(Widget());
  if (!button) return;
  const bool separator = fStyle == tbsSeparator || fStyle == tbsDivider;
  button->setText(separator ? QString() : Q(Caption()));
}

void TToolButton::SetStyle(TToolButtonStyle value) {
  fStyle = value;
  if (auto* button = static_cast<QToolButton*>(Widget())) button->setCheckable(value == tbsCheck);
  TextChanged();
  if (TToolBar* bar = Bar()) bar->ArrangeButtons();
}

void TToolButton::SetDown(bool value) {
  fDown = value;
  if (auto* button = static_cast<QToolButton*>(Widget())) button->setChecked(value);
}

}  // namespace dravik
