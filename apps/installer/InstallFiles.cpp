#include "apps/installer/InstallFiles.h"

#include <cstdlib>

#include "platform/ide/EnvironmentKeys.h"

namespace dravik {

namespace {

TEnvironmentVersion Version(int number, std::string key, std::string value) {
  const std::string lib = "libQueltDravik" + std::to_string(number) + "0";
  return {number,
          key,
          std::move(value),
          key + "\\Known Packages",
          key + "\\Disabled Packages",
          {lib + ".so", lib + "Ui.so"},
          {lib + "Design.so"},
          {"libQt6Core.so.6", "libQt6Gui.so.6", "libQt6Widgets.so.6"}};
}

}  // namespace

const std::vector<TEnvironmentVersion>& EnvironmentVersions() {
  static const std::vector<TEnvironmentVersion> versions = {
      Version(3, kEnvironmentKey, kEnvironmentValue),
      Version(4, "Software\\Borland\\Delphi\\4.0", "Delphi 4"),
      Version(5, "Software\\Borland\\Delphi\\5.0", "App")};
  return versions;
}

const std::vector<std::string>& HelpFiles() {
  static const std::vector<std::string> files = {"README.md", "ARCHITECTURE.md"};
  return files;
}

const std::vector<std::string>& DocumentFiles() {
  static const std::vector<std::string> files = {"dravik", "dravik-edit", "dravik-fit",
                                                 "dravik-demo", "DravikInstall"};
  return files;
}

std::string DefaultWindowsDir() {
  if (const char* dir = std::getenv("DRAVIK_WINDOWS_DIR"); dir && *dir) return dir;
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.local/lib";
}

}  // namespace dravik
