#pragma once
// Where the environment is found and where its packages are listed, in the registry: the keys
// of the first environment version, which the studio writes on first start and the installer
// reads and changes.

namespace dravik {

// Under HKEY_LOCAL_MACHINE: the value holds the path of the environment's program.
inline constexpr const char* kEnvironmentKey = "Software\\Borland\\Delphi\\3.0";
inline constexpr const char* kEnvironmentValue = "Delphi 3";
// Under HKEY_CURRENT_USER: value names are package files, data their descriptions.
inline constexpr const char* kKnownPackagesKey = "Software\\Borland\\Delphi\\3.0\\Known Packages";
inline constexpr const char* kDisabledPackagesKey =
    "Software\\Borland\\Delphi\\3.0\\Disabled Packages";

}  // namespace dravik
