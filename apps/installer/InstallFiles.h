#pragma once
// What the installer installs: the files shipped next to it, in the lists it works with, and the
// environment versions it installs them for, with their registry keys.

#include <string>
#include <vector>

namespace dravik {

struct TEnvironmentVersion {
  int Number;                  // 3, 4 or 5: the boxes BtnD3Dir, BtnD3 ...
  std::string DetectionKey;    // under HKEY_LOCAL_MACHINE
  std::string DetectionValue;  // holds the environment's program; its folder is "Bin"
  std::string KnownKey;        // under HKEY_CURRENT_USER
  std::string DisabledKey;
  std::vector<std::string> Runtime;
  std::vector<std::string> Design;  // the first one is registered
  std::vector<std::string> Platform;
};

const std::vector<TEnvironmentVersion>& EnvironmentVersions();
const std::vector<std::string>& HelpFiles();
const std::vector<std::string>& DocumentFiles();

// Where run-time libraries shared by all programs go: DRAVIK_WINDOWS_DIR, else ~/.local/lib.
std::string DefaultWindowsDir();

}  // namespace dravik
