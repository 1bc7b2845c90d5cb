#pragma once
// The Register of each of the package's units; the package's entry calls them in this order.

namespace dravik {

void RegisterDravikUnit();
void RegisterDravikExpertUnit();
void RegisterButtonPanelUnit();
void RegisterFileToolsUnit();
void RegisterSortGridUnit();
void RegisterSuperFormUnit();
void RegisterOtherControlsUnit();
void RegisterComponentExplorerUnit();
void RegisterConfigFileUnit();
void RegisterExComponentUnit();

}  // namespace dravik
