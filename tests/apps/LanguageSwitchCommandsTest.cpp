// Language switches in the tools: every value stays with its language through switches of a
// form whose languages leave slots untranslated, a value a property refuses fails the tool
// without moving anything, and stored language data that contradicts itself fails every tool
// that reads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

const std::string kForm = DRAVIK_TEST_DATA "/apps/TUntranslatedForm.txt";

// The values dravik show prints (in language list order), without the languages' slots.
std::string ShownValues(const std::string& file) {
  const TRunResult run = RunDravik({"show", file});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  std::istringstream lines(run.Out);
  std::string values;
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("language\t", 0) != 0) values += line + "\n";
  return values;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

}  // namespace

TEST(LanguageSwitchCommands, EveryValueStaysWithItsLanguageThroughEverySwitch) {
  TTempDir dir;
  const std::string before = ShownValues(kForm);
  ASSERT_NE(before.find("property\tTitle\tCaption\tOpen orders\tOffene Auftraege\t\n"),
            std::string::npos)
      << before;
  std::string file = kForm;
  int step = 0;
  for (const char* language :
       {"Francais", "Deutsch", "English", "Deutsch", "Francais", "English"}) {
    const std::string next = dir.File("step" + std::to_string(++step) + ".txt");
    const TRunResult run = RunDravik({"rewrite", "--language", language, file, next});
    ASSERT_EQ(run.ExitCode, 0) << language << ": " << run.Err;
    EXPECT_EQ(run.Err, "") << language;
    EXPECT_EQ(ShownValues(next), before) << "after the switch to " << language;
    file = next;
  }
}

TEST(LanguageSwitchCommands, AValueThePropertyRefusesFailsTheSwitchAndNamesIt) {
  TTempDir dir;
  // Title's Tag holds text in German.
  WriteFileBytes(dir.File("refused.txt"),
                 Replaced(ReadFileBytes(kForm), "08000000030000000800000008000000",
                          "08000000000100006D616E7908000000"));
  const std::string before = ShownValues(dir.File("refused.txt"));
  ASSERT_NE(before.find("property\tTitle\tTag\t7\tmany\t9\n"), std::string::npos) << before;
  const TRunResult run =
      RunDravik({"rewrite", "--language", "Deutsch", dir.File("refused.txt"), dir.File("de.txt")});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(
      run.Err.rfind(
          "dravik rewrite: " + dir.File("refused.txt") + ": Title.Tag in language Deutsch: ", 0),
      0u)
      << run.Err;
  EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("de.txt")));
}

// Languages that do not each have a slot of their own (which leaves one without the active
// slot) and named strings whose names and values do not pair up are refused by every tool.
TEST(LanguageSwitchCommands, StoredDataThatContradictsItselfFailsEveryTool) {
  TTempDir dir;
  const std::string form = ReadFileBytes(kForm);
  WriteFileBytes(dir.File("de.lng"), "[TUntranslatedForm.Deutsch]\r\nTitle.Caption='Offen'\r\n");
  const struct {
    const char* Name;
    std::string Text;
    const char* Reason;
  } broken[] = {
      {"slot-out-of-range", Replaced(form, "SubIndex = 2", "SubIndex = 3"),
       "Language 'Francais' has slot 3, outside 0 to 2"},
      {"shared-slot", Replaced(form, "SubIndex = 0", "SubIndex = 1"),
       "Languages 'English' and 'Deutsch' have the same slot 1"},
      {"names-without-values",
       Replaced(form, "LanguageManager_Names = 'Greeting'#13#10",
                "LanguageManager_Names = 'Greeting'#13#10'Farewell'#13#10"),
       "The named strings of Dravik have 2 names but 1 values"},
  };
  for (const auto& b : broken) {
    const std::string file = dir.File(std::string(b.Name) + ".txt");
    WriteFileBytes(file, b.Text);
    const std::vector<std::vector<std::string>> commands = {
        {"show", file},
        {"rewrite", "--language", "Deutsch", file, dir.File("out.txt")},
        {"status", file},
        {"export", file, "-"},
        {"export", "--xliff", "Deutsch", file, "-"},
        {"import", file, dir.File("de.lng"), dir.File("out.txt")},
        {"fit", file},
    };
    for (const std::vector<std::string>& command : commands) {
      const TRunResult run = RunDravik(command);
      EXPECT_EQ(run.ExitCode, 1) << b.Name << ' ' << command[0] << run.Out;
      EXPECT_EQ(run.Err, "dravik " + command[0] + ": " + file + ": " + b.Reason + "\n") << b.Name;
      EXPECT_FALSE(std::filesystem::exists(dir.File("out.txt"))) << b.Name << ' ' << command[0];
    }
  }
}
