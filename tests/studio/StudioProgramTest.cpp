// dravik-studio run as a user runs it: offscreen it shows each form of a folder in each of its
// own languages and saves a picture each; it registers itself; bad usage is exit code 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {
const std::string kStudio = DRAVIK_BIN_DIR "/dravik-studio";
const std::string kDemoForms = DRAVIK_TEST_DATA "/../../apps/demo/forms";
}  // namespace

TEST(StudioProgram, OffscreenItPhotographsEveryFormInEveryLanguageAndRegistersItself) {
  TTempDir dir;
  TEnvironmentScope registry("DRAVIK_REGISTRY", dir.File("registry.reg"));
  TRunResult run = RunProgram({kStudio, kDemoForms, "--screenshot-dir", dir.File("shots")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  for (const char* form : {"TMainForm", "TDetailsForm", "TSettingsForm"})
    for (const char* language : {"English", "Deutsch"}) {
      const std::string file = dir.File("shots/" + std::string(form) + "-" + language + ".png");
      ASSERT_TRUE(std::filesystem::exists(file)) << file;
      EXPECT_GT(std::filesystem::file_size(file), 10000u) << file;
    }
  const std::string reg = ReadFileBytes(dir.File("registry.reg"));
  EXPECT_NE(reg.find("\"Delphi 3\"=\"" + std::filesystem::canonical(kStudio).string() + "\""),
            std::string::npos)
      << reg;
}

TEST(StudioProgram, BadUsageIsExitCodeTwoAndHelpIsNot) {
  TTempDir dir;
  TEnvironmentScope registry("DRAVIK_REGISTRY", dir.File("registry.reg"));
  struct TCase {
    std::vector<std::string> Args;
    int ExitCode;
    const char* Said;
  };
  const TCase cases[] = {
      {{"--help"}, 0, "Usage: dravik-studio"},
      {{"--bogus"}, 2, "unknown argument '--bogus'"},
      {{"a", "b"}, 2, "unknown argument 'b'"},
      {{"--language"}, 2, "unknown argument '--language'"},
      {{"--language", "Klingon", "--screenshot-dir", dir.File("x")}, 2, "unknown language"},
  };
  for (const TCase& c : cases) {
    std::vector<std::string> argv = {kStudio};
    argv.insert(argv.end(), c.Args.begin(), c.Args.end());
    TRunResult run = RunProgram(argv);
    EXPECT_EQ(run.ExitCode, c.ExitCode) << c.Args.front();
    EXPECT_NE((run.Out + run.Err).find(c.Said), std::string::npos) << run.Out << run.Err;
    if (c.ExitCode == 2) {
      EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    }
  }
}
