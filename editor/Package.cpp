// The package's one exported entry: the host finds it by name after loading the library.
#include "editor/PackageUnits.h"

extern "C" __attribute__((visibility("default"))) void DravikRegisterPackage() {
  dravik::RegisterDravikUnit();
  dravik::RegisterDravikExpertUnit();
  dravik::RegisterButtonPanelUnit();
  dravik::RegisterFileToolsUnit();
  dravik::RegisterSortGridUnit();
  dravik::RegisterSuperFormUnit();
  dravik::RegisterOtherControlsUnit();
  dravik::RegisterComponentExplorerUnit();
  dravik::RegisterConfigFileUnit();
  dravik::RegisterExComponentUnit();
}
