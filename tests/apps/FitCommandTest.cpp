// dravik fit, run as a translator runs it: which texts do not fit their controls, per language.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

const std::string kData = DRAVIK_TEST_DATA;
const std::string kSource = kData + "/../..";

std::vector<std::vector<std::string>> Lines(const std::string& out) {
  std::vector<std::vector<std::string>> lines;
  std::istringstream text(out);
  for (std::string line; std::getline(text, line);) {
    std::vector<std::string>& fields = lines.emplace_back();
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, '\t');) fields.push_back(cell);
  }
  return lines;
}

}  // namespace

TEST(FitCommand, ReportsEachTextThatDoesNotFitInTheLanguageWhereItDoesNot) {
  const std::string form = kData + "/apps/TTightForm.txt";
  const TRunResult run = RunDravik({"fit", form});
  EXPECT_EQ(run.ExitCode, 1) << run.Err;
  EXPECT_EQ(run.Err, "");
  const auto lines = Lines(run.Out);
  ASSERT_EQ(lines.size(), 2u) << run.Out;
  // The auto-sized label runs into the edit beside it; the button is too narrow. The label with
  // room up to the form's edge, the check box and the hidden button are fine; English fits.
  EXPECT_EQ(lines[0][1], "NameLabel");
  EXPECT_EQ(lines[0][5], "52") << "up to the edit";
  EXPECT_EQ(lines[1][1], "Apply");
  EXPECT_EQ(lines[1][5], "60");
  for (const auto& line : lines) {
    ASSERT_EQ(line.size(), 6u);
    EXPECT_EQ(line[0], form);
    EXPECT_EQ(line[2], "Caption");
    EXPECT_EQ(line[3], "Deutsch");
    EXPECT_GT(std::stoi(line[4]), std::stoi(line[5]));
  }
}

TEST(FitCommand, TheDemosFormsAndTheMessageDialogFitInEveryLanguage) {
  const TRunResult run = RunDravik({"fit", kSource + "/apps/demo/forms/TMainForm.txt",
                                    kSource + "/apps/demo/forms/TDetailsForm.txt",
                                    kSource + "/apps/demo/forms/TSettingsForm.txt",
                                    kSource + "/widgets/forms/TMyMsgForm.txt"});
  EXPECT_EQ(run.ExitCode, 0) << run.Out << run.Err;
  EXPECT_EQ(run.Out, "");
}

TEST(FitCommand, UnreadableFormsAndBadUsageAreReportedClearly) {
  TRunResult run = RunDravik({"fit"});
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_NE(run.Err.find("dravik fit: "), std::string::npos) << run.Err;
  run = RunDravik({"fit", kData + "/apps/no-such-form.txt"});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Err.find("no-such-form.txt"), std::string::npos) << run.Err;
  run = RunDravik({"fit", "-"}, "object Broken: TForm\n  Caption = \n");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Err.rfind("dravik fit: standard input: ", 0), 0u) << run.Err;
  run = RunDravik({"fit", "--help"});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_NE(run.Out.find("Usage: dravik fit FORM..."), std::string::npos);
}

TEST(FitCommand, AFormWithoutLanguagesIsCheckedAsItIs) {
  const TRunResult run = RunDravik({"fit", "-"},
                                   "object F: TForm\n"
                                   "  ClientWidth = 200\n"
                                   "  ClientHeight = 100\n"
                                   "  object B: TButton\n"
                                   "    Width = 30\n"
                                   "    Caption = 'Far too long for thirty pixels'\n"
                                   "  end\n"
                                   "end\n");
  EXPECT_EQ(run.ExitCode, 1) << run.Err;
  const auto lines = Lines(run.Out);
  ASSERT_EQ(lines.size(), 1u) << run.Out;
  EXPECT_EQ(lines[0][0], "-");
  EXPECT_EQ(lines[0][1], "B");
  EXPECT_EQ(lines[0][3], "");
}

// A form that cannot be read, or whose switch fails (a stored sub-index beyond the values), is one
// line on standard error, never a dialog nobody sees; the other forms are still checked.
TEST(FitCommand, AFormThatFailsIsOneLineAndTheOthersAreStillChecked) {
  TTempDir dir;
  const std::string broken = dir.File("TTightForm.txt");
  std::string text = ReadFileBytes(kData + "/apps/TTightForm.txt");
  text.replace(text.find("SubIndex = 1"), 12, "SubIndex = 5");
  WriteFileBytes(broken, text);

  const TRunResult run =
      RunProgram({"/usr/bin/timeout", "60", DRAVIK_BIN_DIR "/dravik", "fit", broken,
                  dir.File("missing.txt"), kData + "/apps/TTightForm.txt"});
  EXPECT_EQ(run.ExitCode, 1) << run.Err;
  EXPECT_EQ(Lines(run.Out).size(), 2u) << run.Out;  // the misfits of the sound form
  const auto errors = Lines(run.Err);
  ASSERT_EQ(errors.size(), 2u) << run.Err;
  EXPECT_EQ(errors[0][0].rfind("dravik fit: " + broken + ": ", 0), 0u) << run.Err;
  EXPECT_EQ(errors[1][0].rfind("dravik fit: " + dir.File("missing.txt") + ": ", 0), 0u);
}
