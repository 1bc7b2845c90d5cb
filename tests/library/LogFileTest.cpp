// The log file's modes, its failure handling and its signed lines, on real files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "library/FileTools.h"
#include "library/LogFile.h"
#include "platform/core/system/Exceptions.h"
#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

void Write(const std::string& path, const std::vector<std::string>& lines) {
  std::ofstream file(path, std::ios::binary);
  for (const std::string& line : lines) file << line << "\n";
}

TComponentPtr<TLogFile> Log(const std::string& path, TLogFileMode mode) {
  TComponentPtr<TLogFile> log = MakeComponent<TLogFile>(nullptr);
  log->SetFileName(path);
  log->SetMode(mode);
  return log;
}

}  // namespace

TEST(LogFile, ModesAppendReplaceOrWriteANewFile) {
  TTempDir dir;
  const std::string path = dir.File("logs/run.log");
  Log(path, fmOpenFile)->WriteValue("first");  // makes the folder, then the file
  Log(path, fmOpenFile)->WriteValue(42);
  EXPECT_EQ(Lines(path), (std::vector<std::string>{"first\r", "42\r"}));
  Log(path, fmCreateFile)->WriteValue("again");
  EXPECT_EQ(Lines(path), std::vector<std::string>{"again\r"});
  auto unique = Log(path, fmCreateUniqueFile);
  unique->WriteValue("new");
  EXPECT_EQ(unique->FullName(), dir.File("logs/run_2.log"));
  EXPECT_EQ(Lines(path), std::vector<std::string>{"again\r"});
}

TEST(LogFile, NothingIsWrittenWhenDisabledOrWithoutAName) {
  TTempDir dir;
  auto log = Log(dir.File("off.log"), fmCreateFile);
  log->SetEnabled(false);
  log->WriteValue("x");
  EXPECT_FALSE(FileExist(dir.File("off.log")));
  auto blank = Log("  ", fmCreateFile);
  blank->WriteValue("x");
  EXPECT_EQ(blank->FullName(), "");
}

TEST(LogFile, TimeStampsAndRelativeNamesInTheChosenFolder) {
  TTempDir dir;
  setenv("TMPDIR", dir.Path().c_str(), 1);
  auto log = Log("stamped.log", fmCreateFile);
  log->SetDirectory(fdTemporary);
  log->SetTimeStamp(true);
  log->WriteValue("text");
  log->WriteValue("");
  log->WriteTimeStamp();
  unsetenv("TMPDIR");
  EXPECT_EQ(log->FullName(), dir.File("stamped.log"));
  const auto lines = Lines(dir.File("stamped.log"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].size(), 19u + 6u);
  EXPECT_EQ(lines[0].substr(19), " text\r");
  EXPECT_EQ(lines[1].size(), 20u);
  EXPECT_EQ(lines[2].size(), 20u);
}

TEST(LogFile, AFailedLogStopsWritingAndReportsOnlyWhenAsked) {
  TTempDir dir;
  const std::string path = dir.File("held.log");
  auto holder = Log(path, fmCreateFile);
  holder->WriteValue("mine");
  auto second = Log(path, fmOpenFile);  // writers are kept out while the first is open
  second->WriteValue("ignored");
  EXPECT_TRUE(second->Failed());
  second->SetIgnoreErrors(false);
  second->CloseFile();
  try {
    second->WriteValue("reported");
    FAIL() << "the failure was not reported";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "Error writing text to log file");
  }
  EXPECT_EQ(Lines(path), std::vector<std::string>{"mine\r"});

  std::ofstream(dir.File("file")) << "";
  auto blocked = Log(dir.File("file/inside.log"), fmCreateFile);
  try {
    blocked->WriteValue("x");
    FAIL() << "a folder could be made where a file is";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "Directory structure could not be created");
  }
}

TEST(LogFile, SignedLinesRevealRemovedAndAlteredLines) {
  TTempDir dir;
  const std::string path = dir.File("signed.log");
  {
    auto log = Log(path, fmCreateFile);
    log->SetSignedLines(true);
    log->WriteValue("one");
    log->WriteValue("two");
  }
  {
    auto log = Log(path, fmOpenFile);  // a later run continues the chain
    log->SetSignedLines(true);
    log->WriteValue("three");
    log->WriteValue("four");
  }
  std::vector<std::string> lines = Lines(path);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].substr(0, 1), "#");
  EXPECT_EQ(lines[1].substr(8), " one\r");
  EXPECT_EQ(FindBrokenLogLine(path), 0);

  std::vector<std::string> removed = lines;
  removed.erase(removed.begin() + 2);
  for (std::string& line : removed) line.pop_back();  // Write adds the line ends back
  Write(path, removed);
  EXPECT_EQ(FindBrokenLogLine(path), 3) << "the line after the removed one";

  std::vector<std::string> altered = lines;
  for (std::string& line : altered) line.pop_back();
  altered[3].replace(9, 5, "THREE");
  Write(path, altered);
  EXPECT_EQ(FindBrokenLogLine(path), 4);
  EXPECT_THROW(FindBrokenLogLine(dir.File("missing.log")), EInOutError);
}

TEST(KeepDirectory, TheFolderOfItsCreationIsCurrentAgainWhenItGoes) {
  TTempDir dir;
  const std::filesystem::path before = std::filesystem::current_path();
  {
    TComponentPtr<TKeepDirectory> keep = MakeComponent<TKeepDirectory>(nullptr);
    std::filesystem::current_path(dir.Path());
    EXPECT_EQ(keep->Kept(), before.string());
  }
  EXPECT_EQ(std::filesystem::current_path(), before);
}
