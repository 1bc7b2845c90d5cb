#pragma once
// The demo's windows: each reads its layout, captions and translations from its form file.

#include "platform/ui/Forms.h"

namespace dravik {

class TDravik;
class TLabel;

class TMainForm : public TForm {
 public:
  using TForm::TForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TDravik* Dravik() const;

  void DetailsClick(TObject* sender);
  void SettingsClick(TObject* sender);
  void GreetClick(TObject* sender);
  void CloseClick(TObject* sender);
  void LanguageChanged(TObject* sender);

 protected:
  void AfterConstruction() override;
};

class TDetailsForm : public TForm {
 public:
  using TForm::TForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

class TSettingsForm : public TForm {
 public:
  using TForm::TForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

}  // namespace dravik
