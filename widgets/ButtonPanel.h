#pragma once
// The row of command buttons at the bottom of a dialog: buttons are items of a collection,
// laid out by the panel with one size and spacing, horizontally or, when the panel is taller
// than wide, vertically.

#include "platform/core/classes/Collection.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/StdCtrls.h"

namespace dravik {

class TButtonPanel;
class TButtonItem;

using TButtonClickNotify = TEvent<"TButtonClickNotify", TObject* /*Sender*/, TButtonItem* /*Item*/>;

class TButtonItem : public TCollectionItem {
 public:
  explicit TButtonItem(TCollection* collection);
  ~TButtonItem() override;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TBitBtn* Button() const { return fButton; }
  TBitBtnKind Kind() const { return fKind; }
  void SetKind(TBitBtnKind value);
  std::string Caption() const { return fButton->Caption(); }
  void SetCaption(const std::string& value);
  int32_t ModalResult() const { return fButton->ModalResult(); }
  void SetModalResult(int32_t value) { fButton->SetModalResult(value); }
  int32_t TabOrder() const { return fButton->TabOrder(); }
  void SetTabOrder(int32_t value) { fButton->SetTabOrder(value); }
  bool Cancel() const { return fButton->Cancel(); }
  void SetCancel(bool value) { fButton->SetCancel(value); }
  bool Default() const { return fButton->Default(); }
  void SetDefault(bool value) { fButton->SetDefault(value); }
  bool Enabled() const { return fButton->Enabled(); }
  void SetEnabled(bool value) { fButton->SetEnabled(value); }
  TBitmap* Glyph() const { return fButton->Glyph(); }
  void SetGlyph(TBitmap* value) { fButton->SetGlyph(value); }
  int32_t NumGlyphs() const { return fButton->NumGlyphs(); }
  void SetNumGlyphs(int32_t value) { fButton->SetNumGlyphs(value); }
  // Whether the panel shows the button; the button itself is shown by the layout.
  bool Visible() const { return fVisible; }
  void SetVisible(bool value);
  // The caption, trimmed, without accelerator marks.
  std::string DisplayName() const override;
  // The button's events: the sender is the button.
  TNotifyEvent OnClick, OnEnter, OnExit;
  TKeyPressEvent OnKeyPress;

 private:
  friend class TPanelButton;
  TButtonPanel* Panel() const;
  void Clicked();
  TBitBtn* fButton = nullptr;
  TBitBtnKind fKind = bkCustom;
  bool fVisible = true;
};

class TButtonPanel : public TPanel, public TCollectionOwner {
 public:
  explicit TButtonPanel(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TCollection* Buttons() const { return fButtons.get(); }
  TButtonItem* Add() { return static_cast<TButtonItem*>(fButtons->Add()); }
  TButtonItem* Items(int index) const { return static_cast<TButtonItem*>(fButtons->Items(index)); }
  TAlignment ButtonAlignment() const { return fButtonAlignment; }
  void SetButtonAlignment(TAlignment value);
  int32_t ButtonDimX() const { return fButtonDimX; }
  void SetButtonDimX(int32_t value);
  int32_t ButtonDimY() const { return fButtonDimY; }
  void SetButtonDimY(int32_t value);
  int32_t ButtonDist() const { return fButtonDist; }
  void SetButtonDist(int32_t value);
  TButtonClickNotify OnButtonClick;

  // Layout requests between these wait until the last bracket closes.
  void BeginUpdateButtons() { ++fUpdateCount; }
  void EndUpdateButtons();
  void UpdateButtons();

  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  void DefineProperties(TFiler& filer) override;
  void Loaded() override;
  void CollectionNotify(TCollection& collection, TCollectionItem* item,
                        TCollectionNotification action) override;

 protected:
  void BeforeDestruction() override;

 private:
  friend class TButtonItem;
  void RequestLayout();
  void LayOut();

  std::unique_ptr<TCollection> fButtons;
  TAlignment fButtonAlignment = taCenter;
  int32_t fButtonDimX = 128;
  int32_t fButtonDimY = 32;
  int32_t fButtonDist = 8;
  int fUpdateCount = 0;
  bool fLayoutPending = false;
  bool fClearAfterLoading = false;
};

}  // namespace dravik
