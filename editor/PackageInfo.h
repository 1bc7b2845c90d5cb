#pragma once
// The package's information box, which the editors' "About" verbs show.

#include <string>

namespace dravik {

// The maker's credit.
std::string PackageInformation();
// Shows it in a message box titled "Information".
void ShowPackageInformation();

}  // namespace dravik
