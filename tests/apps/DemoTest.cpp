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
