#pragma once
// Bitmap buttons, whose kind gives a caption and a modal result, and speed buttons: flat
// buttons that may stay down, alone or in a group.

#include <memory>

#include "platform/ui/Bitmap.h"
#include "platform/ui/StdCtrls.h"

namespace dravik {

enum TBitBtnKind {
  bkCustom,
  bkOK,
  bkCancel,
  bkHelp,
  bkYes,
  bkNo,
  bkClose,
  bkAbort,
  bkRetry,
  bkIgnore,
  bkAll
};
const TTypeInfo& TypeInfoFor(TBitBtnKind);

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TBitBtnKind Kind() const { return fKind; }
  // A kind other than bkCustom sets the caption, the modal result and Default or Cancel, as
  // the kind's standard button has them.
  void SetKind(TBitBtnKind value);
  // The picture beside the caption: NumGlyphs images side by side (normal, disabled, clicked,
  // down), of which the button shows the first; the colour of its bottom left pixel is clear.
  TBitmap* Glyph() const { return fGlyph.get(); }
  void SetGlyph(TBitmap* value) { fGlyph->Assign(value); }
  int32_t NumGlyphs() const { return fNumGlyphs; }
  void SetNumGlyphs(int32_t value);

 protected:
  void InitWidget() override;

 private:
  void GlyphChanged(TObject*);
  TBitBtnKind fKind = bkCustom;
  std::unique_ptr<TBitmap> fGlyph;
  int32_t fNumGlyphs = 1;
};

class TSpeedButton : public TControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  bool Flat() const { return fFlat; }
  void SetFlat(bool value);
  // Buttons of one group index (above 0) under one parent stay down one at a time.
  int32_t GroupIndex() const { return fGroupIndex; }
  void SetGroupIndex(int32_t value) { fGroupIndex = value; }
  bool Down() const { return fDown; }
  void SetDown(bool value);
  bool AllowAllUp() const { return fAllowAllUp; }
  void SetAllowAllUp(bool value) { fAllowAllUp = value; }
  void Click() override;

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void TextChanged() override;

 private:
  void ShowDown();
  bool fFlat = false;
  int32_t fGroupIndex = 0;
  bool fDown = false;
  bool fAllowAllUp = false;
};

}  // namespace dravik
