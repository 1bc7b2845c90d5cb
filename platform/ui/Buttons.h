#pragma once
// Bitmap buttons, whose kind gives a caption and a modal result, and speed buttons: flat
// buttons that may stay down, alone or in a group.

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
  explicit TBitBtn(TComponent* owner) : TButton(owner) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TBitBtnKind Kind() const { return fKind; }
  // A kind other than bkCustom sets the caption, the modal result and Default or Cancel, as
  // the kind's standard button has them.
  void SetKind(TBitBtnKind value);

 private:
  TBitBtnKind fKind = bkCustom;
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
