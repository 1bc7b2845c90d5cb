// The demo run as a user runs it without a display: every window in every language, saved.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TestFiles.h"

using namespace dravik;

TEST(Demo, OffscreenItSavesEveryWindowInEveryLanguage) {
  TTempDir dir;
  TRunResult run = RunProgram({DRAVIK_BIN_DIR "/dravik-demo", "--screenshot-dir", dir.Path()});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find(dir.Path()), std::string::npos) << run.Out;
  for (const char* window : {"main", "message", "details", "settings"})
    for (const char* language : {"English", "Deutsch",
                                 "Fran\xC3\xA7"
                                 "ais"}) {
      const std::string file = dir.File(std::string(window) + "-" + language + ".png");
      ASSERT_TRUE(std::filesystem::exists(file)) << file;
      EXPECT_GT(std::filesystem::file_size(file), 1000u) << file;
    }
  EXPECT_EQ(RunProgram({DRAVIK_BIN_DIR "/dravik-demo", "--bogus"}).ExitCode, 2);
}

// The user's language picks the windows' language when they have it; a language they lack (or do
// not know) leaves them in the one they were stored in, and an asked-for one is said to be missing.
TEST(Demo, StartsInEveryUserLanguageOrTheStoredOne) {
  struct TCase {
    const char* Lang;
    const char* Language;  // --language, when given
    const char* Said;      // what stderr must hold
  };
  const TCase cases[] = {
      {"fr_FR.UTF-8", nullptr, ""},
      {"fr_CA.UTF-8", nullptr, ""},
      {"it_IT.UTF-8", nullptr, ""},
      {"C", "Francais", ""},
      {"C", "Klingon", "the windows have no language 'Klingon'; they start in English"},
  };
  for (const TCase& c : cases) {
    TEnvironmentScope lang("LANG", c.Lang);
    TTempDir dir;
    std::vector<std::string> argv = {DRAVIK_BIN_DIR "/dravik-demo", "--screenshot-dir", dir.Path()};
    if (c.Language) argv.insert(argv.begin() + 1, {"--language", c.Language});
    TRunResult run = RunProgram(argv);
    EXPECT_EQ(run.ExitCode, 0) << c.Lang << " " << run.Err;
    EXPECT_NE(run.Err.find(c.Said), std::string::npos) << run.Err;
    EXPECT_TRUE(std::filesystem::exists(dir.File("main-English.png"))) << c.Lang;
  }
}
