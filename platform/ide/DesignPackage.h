#pragma once
// Design packages: shared libraries with one exported registration entry, which calls the
// Register of each of the package's units. The host loads them, from its registry's list and
// its own build, and keeps them loaded while it runs.

#include <string>
#include <vector>

namespace dravik {

class TRegistry;

// The name of the entry a package exports: extern "C" void DravikRegisterPackage().
inline constexpr const char* kPackageEntry = "DravikRegisterPackage";

// Loads the package and calls its entry once (a package loaded before is not registered
// again). Answers an empty text on success, else one line that names the file and the reason.
std::string LoadDesignPackage(const std::string& fileName);

// The packages listed under the environment's "Known Packages" that "Disabled Packages" does
// not name, in the registry's order.
std::vector<std::string> KnownPackages(TRegistry& registry);

}  // namespace dravik
