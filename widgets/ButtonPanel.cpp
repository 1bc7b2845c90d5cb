#include "widgets/ButtonPanel.h"

#include <algorithm>

#include "platform/core/filer/Reader.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/system/Designing.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

// The button of an item: a click does the button's own work, then tells the item.
class TPanelButton : public TBitBtn {
 public:
  TPanelButton(TComponent* owner, TButtonItem* item) : TBitBtn(owner), fItem(item) {
    OnEnter = TNotifyEvent::Of<&TPanelButton::Entered>(this);
    OnExit = TNotifyEvent::Of<&TPanelButton::Left>(this);
    OnKeyPress = TKeyPressEvent::Of<&TPanelButton::KeyPressed>(this);
  }
  void Click() override {
    TBitBtn::Click();
    fItem->Clicked();
  }
  void Entered(TObject* sender) { fItem->OnEnter(sender); }
  void Left(TObject* sender) { fItem->OnExit(sender); }
  void KeyPressed(TObject* sender, char& key) { fItem->OnKeyPress(sender, key); }

 private:
  TButtonItem* fItem;
};

// --- TButtonItem -------------------------------------------------------------------------------

const TClassRecord& TButtonItem::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TButtonItem, TCollectionItem>("TButtonItem", "ButtonPanel")
          .Property("Kind", &TButtonItem::Kind, &TButtonItem::SetKind)
          .Default(bkCustom)
          .Property("Caption", &TButtonItem::Caption, &TButtonItem::SetCaption)
          .Property("Glyph", &TButtonItem::Glyph, &TButtonItem::SetGlyph)
          .Property("ModalResult", &TButtonItem::ModalResult, &TButtonItem::SetModalResult)
          .Default(0)
          .Property("NumGlyphs", &TButtonItem::NumGlyphs, &TButtonItem::SetNumGlyphs)
          .Default(1)
          .Property("TabOrder", &TButtonItem::TabOrder, &TButtonItem::SetTabOrder)
          .Default(-1)
          .Property("Cancel", &TButtonItem::Cancel, &TButtonItem::SetCancel)
          .Default(false)
          .Property("Default", &TButtonItem::Default, &TButtonItem::SetDefault)
          .Default(false)
          .Property("Enabled", &TButtonItem::Enabled, &TButtonItem::SetEnabled)
          .Default(true)
          .Property("Visible", &TButtonItem::Visible, &TButtonItem::SetVisible)
          .Default(true)
          .Event("OnClick", &TButtonItem::OnClick)
          .Event("OnEnter", &TButtonItem::OnEnter)
          .Event("OnExit", &TButtonItem::OnExit)
          .Event("OnKeyPress", &TButtonItem::OnKeyPress)
          .Build();
  return record;
}

TButtonItem::TButtonItem(TCollection* collection) : TCollectionItem(collection) {
  TButtonPanel* panel = collection ? dynamic_cast<TButtonPanel*>(collection->GetOwner()) : nullptr;
  fButton = Create<TPanelButton>(nullptr, this);
  fButton->SetVisible(false);
  fButton->SetCaption("Untitled");
  if (panel) fButton->SetParent(panel);
}

TButtonItem::~TButtonItem() {
  fButton->Free();
}

TButtonPanel* TButtonItem::Panel() const {
  return Collection() ? dynamic_cast<TButtonPanel*>(Collection()->GetOwner()) : nullptr;
}

void TButtonItem::SetKind(TBitBtnKind value) {
  static const char* const kCaptions[] = {nullptr,  "&OK",    "&Cancel", "&Help",   "&Yes", "&No",
                                          "&Close", "&Abort", "&Retry",  "&Ignore", "Al&l"};
  fKind = value;
  if (value != bkCustom) SetCaption(kCaptions[value]);
}

void TButtonItem::SetCaption(const std::string& value) {
  fButton->SetCaption(value);
  Changed(false);
}

void TButtonItem::SetVisible(bool value) {
  if (value == fVisible) return;
  fVisible = value;
  Changed(false);
}

std::string TButtonItem::DisplayName() const {
  std::string name = Trim(Caption());
  name.erase(std::remove(name.begin(), name.end(), '&'), name.end());
  return name;
}

void TButtonItem::Clicked() {
  OnClick(fButton);
  if (TButtonPanel* panel = Panel()) panel->OnButtonClick(panel, this);
}

// --- TButtonPanel ------------------------------------------------------------------------------

const TClassRecord& TButtonPanel::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TButtonPanel, TPanel>("TButtonPanel", "ButtonPanel")
          .Property("ButtonAlignment", &TButtonPanel::ButtonAlignment,
                    &TButtonPanel::SetButtonAlignment)
          .Default(taCenter)
          .Property("ButtonDimX", &TButtonPanel::ButtonDimX, &TButtonPanel::SetButtonDimX)
          .Default(128)
          .Property("ButtonDimY", &TButtonPanel::ButtonDimY, &TButtonPanel::SetButtonDimY)
          .Default(32)
          .Property("ButtonDist", &TButtonPanel::ButtonDist, &TButtonPanel::SetButtonDist)
          .Default(8)
          .Property("Buttons", &TButtonPanel::Buttons)
          .Event("OnButtonClick", &TButtonPanel::OnButtonClick)
          .Build();
  return record;
}
static const TClassRegistration kButtonPanelRegistration(TButtonPanel::StaticClass());

TButtonPanel::TButtonPanel(TComponent* owner) : TPanel(owner) {
  SetAlign(alBottom);
  SetBevelOuter(bvNone);
  SetBounds(Left(), Top(), 136, 40);
  fButtons = std::make_unique<TCollection>(TButtonItem::StaticClass(), this);
  if (dravik::IsDesigning()) {  // the process, not this component: not yet in its owner
    BeginUpdateButtons();
    Add()->SetKind(bkOK);
    Add()->SetKind(bkCancel);
    EndUpdateButtons();
  }
}

void TButtonPanel::BeforeDestruction() {
  fButtons.reset();  // the items free their buttons while the panel still stands
  TPanel::BeforeDestruction();
}

// An item is announced whole; a removal is followed by a change once the item is out.
void TButtonPanel::CollectionNotify(TCollection&, TCollectionItem*,
                                    TCollectionNotification action) {
  if (action == cnAdded || action == cnChanged) RequestLayout();
}

void TButtonPanel::RequestLayout() {
  if (fUpdateCount > 0 || IsLoading() || !fButtons) {
    fLayoutPending = true;
    return;
  }
  LayOut();
}

void TButtonPanel::EndUpdateButtons() {
  if (fUpdateCount > 0 && --fUpdateCount == 0 && fLayoutPending) RequestLayout();
}

void TButtonPanel::UpdateButtons() {
  RequestLayout();
}

void TButtonPanel::LayOut() {
  fLayoutPending = false;
  std::vector<TButtonItem*> shown;
  for (int i = 0; i < fButtons->Count(); ++i) {
    TButtonItem* item = Items(i);
    if (item->Visible())
      shown.push_back(item);
    else
      item->Button()->SetVisible(false);
  }
  const auto n = static_cast<int32_t>(shown.size());
  if (n == 0) return;
  const bool vertical = Height() >= Width();
  const int32_t length = vertical ? Height() : Width();
  const int32_t crossLength = vertical ? Width() : Height();
  int32_t size = vertical ? fButtonDimY : fButtonDimX;
  int32_t cross = std::min(vertical ? fButtonDimX : fButtonDimY, crossLength);
  int32_t dist = fButtonDist;
  if (length < dist + n * (size + dist)) {
    dist = (length - n * size) / (n + 1);
    if (dist < 0 || length < dist + n * (size + dist)) {
      dist = 0;
      size = length / n;
    }
  }
  const int32_t crossPos = (crossLength - cross) / 2;
  int32_t pos = 0;
  switch (fButtonAlignment) {
    case taLeftJustify:
      pos = dist;
      break;
    case taRightJustify:
      pos = length - n * (size + dist);
      break;
    case taCenter:
      pos = (dist + length - n * (size + dist)) / 2;
      break;
  }
  for (TButtonItem* item : shown) {
    TButton* button = item->Button();
    if (vertical)
      button->SetBounds(crossPos, pos, cross, size);
    else
      button->SetBounds(pos, crossPos, size, cross);
    button->SetVisible(true);
    pos += size + dist;
  }
}

void TButtonPanel::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  TPanel::SetBounds(left, top, width, height);
  if (fButtons) RequestLayout();
}

void TButtonPanel::SetButtonAlignment(TAlignment value) {
  fButtonAlignment = value;
  RequestLayout();
}

void TButtonPanel::SetButtonDimX(int32_t value) {
  fButtonDimX = value;
  RequestLayout();
}

void TButtonPanel::SetButtonDimY(int32_t value) {
  fButtonDimY = value;
  RequestLayout();
}

void TButtonPanel::SetButtonDist(int32_t value) {
  fButtonDist = value;
  RequestLayout();
}

void TButtonPanel::DefineProperties(TFiler& filer) {
  TPanel::DefineProperties(filer);
  // A panel stored without buttons must not keep the two the designer adds at creation.
  filer.DefineProperty(
      "ButtonsEmpty", [this](TReader& reader) { fClearAfterLoading = reader.ReadBoolean(); },
      [](TWriter& writer) { writer.WriteBoolean(true); }, fButtons->Count() == 0);
}

void TButtonPanel::Loaded() {
  TPanel::Loaded();
  if (fClearAfterLoading) fButtons->Clear();
  fClearAfterLoading = false;
  RequestLayout();
}

}  // namespace dravik
