// The component explorer and its dialog on the palette.
#include "editor/PackageUnits.h"
#include "platform/ide/Registration.h"
#include "widgets/ComponentExplorer.h"
#include "widgets/ComponentExplorerDialog.h"

namespace dravik {

void RegisterComponentExplorerUnit() {
  RegisterComponents(
      "QueltTools", {&TComponentExplorer::StaticClass(), &TComponentExplorerDialog::StaticClass()});
}

}  // namespace dravik
