#include "widgets/ComponentExplorer.h"

#include <vector>

#include "platform/core/typinfo/ClassBuilder.h"
#include "widgets/ComponentExplorerForm.h"

namespace dravik {

const TClassRecord& TComponentExplorer::StaticClass() {
  using T = TComponentExplorer;
  static const TClassRecord& record =
      TClassBuilder<T, TWinControl>("TComponentExplorer", "ComponentExplorer")
          .Property("DefaultSize", &T::DefaultSize, &T::SetDefaultSize)
          .Default(false)
          .Property("Settings", &T::Settings, &T::SetSettings)
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TComponentExplorer::StaticClass());

TComponentExplorer::TComponentExplorer(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 635, 324);
}

void TComponentExplorer::AfterConstruction() {
  TWinControl::AfterConstruction();
  fForm = Create<TComponentExplorerForm>(this);
  // The window itself is never shown: its controls live here and keep its handlers.
  std::vector<TControl*> controls;
  for (int i = 0; i < fForm->ControlCount(); ++i) controls.push_back(fForm->Controls(i));
  for (TControl* control : controls) control->SetParent(this);
  fForm->SetHost(this);
  fForm->ApplySettings();
}

QWidget* TComponentExplorer::CreateWidget(QWidget* parentWidget) {
  return new QWidget(parentWidget);
}

void TComponentExplorer::Loaded() {
  TWinControl::Loaded();
  fForm->ApplySettings();
}

TCESettings* TComponentExplorer::Settings() const {
  return fForm->Settings();
}

void TComponentExplorer::SetSettings(TCESettings* settings) {
  fForm->SetSettings(settings);
}

void TComponentExplorer::SetDefaultSize(bool value) {
  fDefaultSize = value;
  if (value) SetBounds(Left(), Top(), fForm->ClientWidth(), fForm->ClientHeight());
}

void TComponentExplorer::Init(TComponent* root, TMainEntries* entries) {
  fForm->Init(root, entries);
  fInitialized = true;
}

void TComponentExplorer::GetParam() {
  fForm->GetParam();
}

void TComponentExplorer::AssignClassRefs(const TClassRecord* propEntryClass) {
  fForm->AssignClassRefs(propEntryClass);
}

}  // namespace dravik
