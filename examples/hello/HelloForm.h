#pragma once
// The program's one window: its layout and both its languages are in forms/THelloForm.txt.

#include <dravik/DravikWidgets.h>

class THelloForm : public dravik::TForm {
 public:
  using TForm::TForm;
  static const dravik::TClassRecord& StaticClass();
  const dravik::TClassRecord& ClassType() const override { return StaticClass(); }

  dravik::TDravik* Dravik() const;
  // The named string "Greeting" in the current language, shown under the button.
  void GreetClick(dravik::TObject* sender);
};
