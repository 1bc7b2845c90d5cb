#pragma once
// A drop-down list of the languages of a TDravik: picking one switches the whole frame, and a
// switch made anywhere else moves its selection.

#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"

namespace dravik {

class TLangComboBox : public TComboBox {
 public:
  explicit TLangComboBox(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  bool AutoColor() const { return fAutoColor; }
  void SetAutoColor(bool value);
  // The instance to follow; when none is set, the first TDravik of the owning form.
  TDravik* Dravik() const { return fDravik; }
  void SetDravik(TDravik* value);
  // The instance whose changes the control hears now; null when unbound.
  TDravik* Bound() const { return fBound; }

  void Loaded() override;
  // The first name the designer proposes loses its trailing digits.
  void SetName(const std::string& name) override;

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;
  void InitWidget() override;
  void EnabledChanged() override;
  void Change() override;

 private:
  void RegisterNotifications(TDravik* exclude = nullptr);
  void UnregisterNotifications();
  void ReloadItems(TDravik* instance);
  void ClearItems();
  void LangChange(TDravik* instance);
  void LangCreated(TDravik* instance);
  void AdjustColor();
  TLangNotify ChangeListener() { return TLangNotify::Of<&TLangComboBox::LangChange>(this); }
  TLangNotify CreateListener() { return TLangNotify::Of<&TLangComboBox::LangCreated>(this); }

  bool fStripNameDigits = false;
  TColor fEnabledColor;
  TColor fDisabledColor = clBtnFace;
  bool fAutoColor = true;
  TDravik* fDravik = nullptr;
  TDravik* fBound = nullptr;
  bool fListensForCreation = false;
};

}  // namespace dravik
