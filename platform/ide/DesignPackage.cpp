#include "platform/ide/DesignPackage.h"

#include <dlfcn.h>

#include <algorithm>
#include <set>

#include "platform/core/classes/Strings.h"
#include "platform/core/inifiles/Registry.h"
#include "platform/core/system/Exceptions.h"
#include "platform/ide/EnvironmentKeys.h"
#include "platform/ide/Registration.h"

namespace dravik {

namespace {

std::string LastLoadError() {
  const char* error = dlerror();
  return error ? error : "unknown error";
}

std::vector<std::string> ValueNames(TRegistry& registry, const char* key) {
  std::vector<std::string> names;
  registry.SetRootKey(HKEY_CURRENT_USER);
  if (!registry.OpenKeyReadOnly(std::string("\\") + key)) return names;
  TStringList list;
  registry.GetValueNames(list);
  registry.CloseKey();
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.Strings(i));
  return names;
}

}  // namespace

std::string LoadDesignPackage(const std::string& fileName) {
  // The handles stay open while the program runs. A package registers once into each host's
  // registry, so a host that follows another has the package's editors too; without a host
  // its registrations would reach nobody, and it registers once.
  static std::set<const void*> registeredWithoutHost;
  void* handle = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return "Cannot load package " + fileName + ": " + LastLoadError();
  auto* entry = reinterpret_cast<void (*)()>(dlsym(handle, kPackageEntry));
  if (!entry) {
    dlclose(handle);
    return "Cannot load package " + fileName + ": it has no entry " + kPackageEntry;
  }
  TDesignRegistry* registry = DesignRegistry();
  if (registry ? !registry->NotePackage(handle) : !registeredWithoutHost.insert(handle).second)
    return {};
  try {
    entry();
  } catch (const std::exception& e) {
    return "Package " + fileName + " failed to register: " + e.what();
  }
  return {};
}

std::vector<std::string> KnownPackages(TRegistry& registry) {
  const std::vector<std::string> disabled = ValueNames(registry, kDisabledPackagesKey);
  std::vector<std::string> known;
  for (const std::string& name : ValueNames(registry, kKnownPackagesKey))
    if (std::find(disabled.begin(), disabled.end(), name) == disabled.end()) known.push_back(name);
  return known;
}

}  // namespace dravik
