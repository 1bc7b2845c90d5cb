#include "editor/SuperFormReg.h"

#include "editor/PackageUnits.h"
#include "editor/SuperFormEditor.h"
#include "platform/core/typinfo/ClassRecord.h"
#include "platform/ide/Registration.h"

namespace dravik {

namespace {

void EditTrackSizes(TComponent* component, TFormDesigner* designer) {
  if (auto* form = dynamic_cast<TSuperForm*>(component)) EditSuperForm(*form, designer);
}

}  // namespace

void TSuperFormModule::ExecuteVerb(int index) {
  if (index == 0) EditTrackSizes(&Component(), Designer());
}

void TSuperFormPropertyEditor::Edit() {
  EditTrackSizes(GetComponent(0), Designer());
}

void RegisterSuperFormUnit() {
  RegisterCustomModule(TSuperForm::StaticClass());
  RegisterCustomModule(TSuperDataModule::StaticClass());
  RegisterComponentEditor(TSuperForm::StaticClass(), ComponentEditorFactory<TSuperFormModule>());
  RegisterPropertyEditor(TComponent::StaticClass().TypeInfo(), &TSuperForm::StaticClass(),
                         "SuperForm", PropertyEditorFactory<TSuperFormPropertyEditor>());
}

}  // namespace dravik
