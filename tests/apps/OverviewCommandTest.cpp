// dravik overview: the language frames that forms join, as a program creating them would.
#include <gtest/gtest.h>

#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

const std::string kForms = DRAVIK_TEST_DATA "/../../apps/demo/forms/";

// The form file with its TDravik's Language line followed by extra.
std::string WithDravik(const std::string& file, const std::string& from, const std::string& to) {
  std::string text = ReadFileBytes(kForms + file);
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

}  // namespace

TEST(OverviewCommand, FormsJoinTheFramesOfTheirDomainAndTopLevelFlag) {
  TTempDir dir;
  // A second window that opens a frame of its own, and a window of a hidden domain before the
  // named one: not shown, but counted.
  WriteFileBytes(dir.File("top.txt"),
                 WithDravik("TDetailsForm.txt", "    Language = 'English'\n",
                            "    Language = 'English'\n    TopLevel = True\n"));
  WriteFileBytes(dir.File("hidden.txt"),
                 WithDravik("TSettingsForm.txt", "Domain = 'Settings'", "Domain = '.Hidden'"));
  TRunResult run =
      RunDravik({"overview", kForms + "TMainForm.txt", kForms + "TDetailsForm.txt",
                 dir.File("top.txt"), dir.File("hidden.txt"), kForms + "TSettingsForm.txt"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(
      run.Out,
      "frames\tunnamed\n"
      "frame\t0\t\tEnglish\n"
      "dravik\tDravik: TDravik\tMainForm: TMainForm\tDravik demo\tEnglish\t\t\n"
      "dravik\tDravik: TDravik\tDetailsForm: TDetailsForm\tDetails\tEnglish\t\t\n"
      "frame\t1\t\tEnglish\n"
      "dravik\tDravik: TDravik\tDetailsForm: TDetailsForm\tDetails\tEnglish\t\ttoplevel\n"
      "frames\tnamed\n"
      "frame\t1\tSettings\tEnglish\n"
      "dravik\tDravik: TDravik\tSettingsForm: TSettingsForm\tSettings\tEnglish\tSettings\t\n");
}

TEST(OverviewCommand, WithoutFormsOnlyTheListsAndBadInputFails) {
  TTempDir dir;
  EXPECT_EQ(RunDravik({"overview"}).ExitCode, 2);
  const TRunResult missing = RunDravik({"overview", dir.File("missing.txt")});
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_NE(missing.Err.find("missing.txt"), std::string::npos) << missing.Err;
  // A form without TDravik joins no frame.
  WriteFileBytes(dir.File("plain.txt"), "object Plain: TForm\n  Caption = 'x'\nend\n");
  const TRunResult plain = RunDravik({"overview", dir.File("plain.txt")});
  EXPECT_EQ(plain.Out, "frames\tunnamed\nframes\tnamed\n") << plain.Err;
}
