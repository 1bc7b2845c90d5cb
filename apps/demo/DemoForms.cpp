#include "apps/demo/DemoForms.h"

#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "widgets/MsgDlg.h"

namespace dravik {

namespace {

template <class T>
T* Find(const TComponent* form, const char* name) {
  return dynamic_cast<T*>(form->FindComponent(name));
}

}  // namespace

const TClassRecord& TMainForm::StaticClass() {
  static const TClassRecord& record = TClassBuilder<TMainForm, TForm>("TMainForm", "DemoMain")
                                          .Method<&TMainForm::DetailsClick>("DetailsClick")
                                          .Method<&TMainForm::SettingsClick>("SettingsClick")
                                          .Method<&TMainForm::GreetClick>("GreetClick")
                                          .Method<&TMainForm::CloseClick>("CloseClick")
                                          .Build();
  return record;
}

const TClassRecord& TDetailsForm::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TDetailsForm, TForm>("TDetailsForm", "DemoDetails").Build();
  return record;
}

const TClassRecord& TSettingsForm::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TSettingsForm, TForm>("TSettingsForm", "DemoSettings").Build();
  return record;
}

namespace {
const TClassRegistration kRegistrations[] = {TClassRegistration(TMainForm::StaticClass()),
                                             TClassRegistration(TDetailsForm::StaticClass()),
                                             TClassRegistration(TSettingsForm::StaticClass())};
}  // namespace

void TMainForm::AfterConstruction() {
  TForm::AfterConstruction();
  Dravik()->OnChange = TNotifyEvent::Of<&TMainForm::LanguageChanged>(this);
}

TDravik* TMainForm::Dravik() const {
  return Find<TDravik>(this, "Dravik");
}

// The greeting shown from code follows the language too.
void TMainForm::LanguageChanged(TObject*) {
  if (auto* greeting = Find<TLabel>(this, "Greeting"); !greeting->Caption().empty())
    greeting->SetCaption(Dravik()->GetString("Greeting"));
}

void TMainForm::DetailsClick(TObject*) {
  TComponentPtr<TDetailsForm> details = MakeComponent<TDetailsForm>(nullptr);
  details->ShowModal();
}

void TMainForm::SettingsClick(TObject*) {
  TComponentPtr<TSettingsForm> settings = MakeComponent<TSettingsForm>(nullptr);
  settings->ShowModal();
}

// A named string used from code, shown in the message dialog, whose own texts follow too.
void TMainForm::GreetClick(TObject*) {
  const std::string greeting = Dravik()->GetString("Greeting");
  Find<TLabel>(this, "Greeting")->SetCaption(greeting);
  ShowMessage(greeting);
}

void TMainForm::CloseClick(TObject*) {
  Close();
}

}  // namespace dravik
