// A code unit's own TDravik, read from the language file embedded into the program.

#include <gtest/gtest.h>

#include "runtime/LanguageSwitch.h"
#include "tests/runtime/DravikFixture.h"

using namespace dravik;

namespace {

using UnitInstance = DravikTest;
constexpr const char* kUnitResource = "{6F1C2B9A-3D4E-4F5A-8B7C-1D2E3F405162}";

}  // namespace

TEST_F(UnitInstance, ItsStringsFollowTheApplicationsLanguage) {
  std::vector<std::string> notified;
  TGetString getString;
  InitDravik(
      kUnitResource, [&](const std::string& language) { notified.push_back(language); }, getString);
  ASSERT_TRUE(getString);
  EXPECT_EQ(getString("Greeting"), "Hello");

  // The application switches through one of its forms; the unit shares the default frame.
  auto form = MakeDravikForm();
  SetLanguages(DravikOf(form.get()), {{"English", 0}, {"Deutsch", 1}});
  DravikOf(form.get())->SetLanguage("Deutsch");
  EXPECT_EQ(getString("Greeting"), "Hallo");
  EXPECT_EQ(getString(" farewell "), "Auf Wiedersehen");
  EXPECT_EQ(notified.back(), "Deutsch");
  EXPECT_THROW(getString("Missing"), EStringNotFound);
}

TEST_F(UnitInstance, AMissingLanguageNamesTheUnitAndAMissingResourceFails) {
  TGetString getString;
  InitDravik(kUnitResource, nullptr, getString);
  auto form = MakeDravikForm();
  SetLanguages(DravikOf(form.get()), {{"English", 0}, {"Francais", 1}});
  DravikOf(form.get())->SetLanguage("Francais");
  ASSERT_FALSE(Trace.empty());
  EXPECT_NE(Trace.back().find("Language 'Francais' of a multilingual unit not found"),
            std::string::npos)
      << Trace.back();
  EXPECT_EQ(getString("Greeting"), "Hello");

  TGetString other;
  EXPECT_THROW(InitDravik("{NO-SUCH-RESOURCE}", nullptr, other), EResNotFound);
}
