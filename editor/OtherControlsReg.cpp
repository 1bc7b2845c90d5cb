// The other controls of the library that exist: the history combo box and the version dialog.
#include "editor/PackageUnits.h"
#include "platform/ide/Registration.h"
#include "widgets/MRUComboBox.h"
#include "widgets/VersionInfoForm.h"

namespace dravik {

void RegisterOtherControlsUnit() {
  RegisterComponents("QueltTools", {&TMRUComboBox::StaticClass()});
  RegisterComponents("Quelt", {&TVersionInfo::StaticClass()});
}

}  // namespace dravik
