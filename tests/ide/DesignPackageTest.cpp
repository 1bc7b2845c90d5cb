#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/inifiles/Registry.h"
#include "platform/core/typinfo/ClassRecord.h"
#include "platform/ide/DesignPackage.h"
#include "platform/ide/EnvironmentKeys.h"
#include "platform/ide/ProjectHost.h"
#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

std::vector<std::string> PageClasses(const TDesignRegistry& registry, const std::string& page) {
  std::vector<std::string> names;
  for (const auto& each : registry.Pages())
    if (each.Name == page)
      for (const TClassRecord* type : each.Classes) names.push_back(type->Name());
  return names;
}

TEST(DesignPackage, APackageRegistersOnceWithTheHost) {
  TProjectHost host([](const std::string&) { return nullptr; });
  EXPECT_EQ(LoadDesignPackage(DRAVIK_TEST_PACKAGE), "");
  EXPECT_EQ(LoadDesignPackage(DRAVIK_TEST_PACKAGE), "");
  EXPECT_EQ(PageClasses(host.Registry(), "Packaged"), std::vector<std::string>{"TPackagedWidget"});
}

TEST(DesignPackage, AFileThatIsNoPackageIsReportedInOneLine) {
  TTempDir dir;
  const std::string missing = dir.File("Missing.so");
  const std::string notLibrary = dir.File("Text.so");
  WriteFileBytes(notLibrary, "not a library");
  for (const std::string& file : {missing, notLibrary, std::string(DRAVIK_ENTRYLESS_PACKAGE)}) {
    const std::string error = LoadDesignPackage(file);
    EXPECT_EQ(error.rfind("Cannot load package " + file + ": ", 0), 0u) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
  EXPECT_NE(LoadDesignPackage(DRAVIK_ENTRYLESS_PACKAGE).find("no entry DravikRegisterPackage"),
            std::string::npos);
}

TEST(DesignPackage, DisabledPackagesAreLeftOut) {
  TTempDir dir;
  TRegistry registry(dir.File("registry.reg"));
  EXPECT_TRUE(KnownPackages(registry).empty());
  registry.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKey(std::string("\\") + kKnownPackagesKey, true));
  for (const char* file : {"/opt/a.so", "/opt/b.so", "/opt/c.so"}) registry.WriteString(file, "x");
  ASSERT_TRUE(registry.OpenKey(std::string("\\") + kDisabledPackagesKey, true));
  registry.WriteString("/opt/b.so", "x");
  registry.CloseKey();
  EXPECT_EQ(KnownPackages(registry), (std::vector<std::string>{"/opt/a.so", "/opt/c.so"}));
}

}  // namespace
