#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "platform/core/classes/Strings.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/system/Exceptions.h"
#include "tests/support/TestFiles.h"

using namespace dravik;

TEST(AtomicFile, ReplacesContentKeepsPermissionsAndLeavesNothingBehind) {
  TTempDir dir;
  std::string file = dir.File("settings.txt");
  SaveFileAtomically(file, "first");
  EXPECT_EQ(ReadFileBytes(file), "first");
  ::chmod(file.c_str(), 0600);
  SaveFileAtomically(file, "second");
  EXPECT_EQ(ReadFileBytes(file), "second");
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  TStringList lines;
  lines.SetText("a\nb");
  lines.SaveToFile(file);
  EXPECT_EQ(ReadFileBytes(file), "a\r\nb\r\n");
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1);  // no temporary file stayed
  try {
    SaveFileAtomically(dir.File("missing/settings.txt"), "x");
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_NE(e.Message().find("Cannot create file " + dir.File("missing/settings.txt")),
              std::string::npos);
  }
}
