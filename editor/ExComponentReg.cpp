#include "editor/ExComponentReg.h"

#include "editor/PackageInfo.h"
#include "editor/PackageUnits.h"
#include "library/ExComponent.h"
#include "platform/ide/Registration.h"

namespace dravik {

void TExComponentEditor::ExecuteVerb(int index) {
  if (index == 0) ShowPackageInformation();
}

void RegisterExComponentUnit() {
  RegisterComponentEditor(TExComponent::StaticClass(),
                          ComponentEditorFactory<TExComponentEditor>());
}

}  // namespace dravik
