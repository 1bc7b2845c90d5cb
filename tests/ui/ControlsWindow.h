#pragma once
// TControlsWindow: a form read from tests/data/ui/TControlsWindow.txt with a main and a popup
// menu, a tool bar, speed and bitmap buttons, a status bar and a timer.

#include "platform/ui/Forms.h"

namespace dravik {

class TControlsWindow : public TForm {
 public:
  using TForm::TForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

template <class T>
T* Find(TComponent* form, const char* name) {
  return dynamic_cast<T*>(form->FindComponent(name));
}

}  // namespace dravik
