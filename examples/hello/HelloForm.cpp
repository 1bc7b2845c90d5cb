#include "HelloForm.h"

using dravik::TClassBuilder;
using dravik::TDravik;
using dravik::TLabel;
using dravik::TObject;

// The form file names GreetClick as the button's OnClick: the class publishes it by that name.
const dravik::TClassRecord& THelloForm::StaticClass() {
  static const dravik::TClassRecord& record =
      TClassBuilder<THelloForm, TForm>("THelloForm", "HelloForm")
          .Method<&THelloForm::GreetClick>("GreetClick")
          .Build();
  return record;
}

namespace {
const dravik::TClassRegistration kRegistration(THelloForm::StaticClass());
}  // namespace

TDravik* THelloForm::Dravik() const {
  return dynamic_cast<TDravik*>(FindComponent("Dravik"));
}

void THelloForm::GreetClick(TObject*) {
  dynamic_cast<TLabel*>(FindComponent("Greeting"))->SetCaption(Dravik()->GetString("Greeting"));
}
