#include "editor/ConfigFileReg.h"

#include "editor/PackageInfo.h"
#include "editor/PackageUnits.h"
#include "model/ComponentExplorerTools.h"
#include "platform/core/typinfo/ClassRecord.h"
#include "platform/ide/Registration.h"
#include "widgets/ComponentExplorerDialog.h"
#include "widgets/ConfigFile.h"

namespace dravik {

namespace {

// Lets the user choose the store's entries among the properties of its form; the designer hears
// of a choice taken with OK.
void EditEntries(TComponent& component, TFormDesigner* designer) {
  auto* store = dynamic_cast<TCustomConfigFile*>(&component);
  if (!store || !store->Owner()) return;
  TComponentPtr<TComponentExplorerDialog> dialog = MakeComponent<TComponentExplorerDialog>(nullptr);
  if (dialog->ExecuteEx(store->Owner(), store->Entries(), nullptr) && designer)
    designer->Modified();
}

}  // namespace

std::string TConfigFileEditor::GetVerb(int index) {
  switch (index) {
    case 0:
      return "Edit...";
    case 1:
      return "About";
    default:
      return {};
  }
}

void TConfigFileEditor::ExecuteVerb(int index) {
  if (index == 0) EditEntries(Component(), Designer());
  if (index == 1) ShowPackageInformation();
}

void TConfigFilePropertyEditor::Edit() {
  EditEntries(*GetComponent(0), Designer());
}

void RegisterConfigFileUnit() {
  RegisterComponents("QueltTools", {&TConfigFile::StaticClass()});
  RegisterComponentEditor(TConfigFile::StaticClass(), ComponentEditorFactory<TConfigFileEditor>());
  RegisterPropertyEditor(TComponent::StaticClass().TypeInfo(), &TCustomConfigFile::StaticClass(),
                         "ConfigFile", PropertyEditorFactory<TConfigFilePropertyEditor>());
}

}  // namespace dravik
