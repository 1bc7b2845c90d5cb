// The path and file functions with this platform's paths, and the folder operations on real
// folders.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "library/FileTools.h"
#include "platform/core/system/Exceptions.h"
#include "tests/support/TestFiles.h"

using namespace dravik;
namespace fs = std::filesystem;

namespace {

void Touch(const std::string& path, const std::string& content = "") {
  std::ofstream(path, std::ios::binary) << content;
}

}  // namespace

TEST(FileTools, DelimitersAreAddedAndRemovedOnceAndTheRootStays) {
  EXPECT_EQ(AppendBackslash(" /a/b "), "/a/b/");
  EXPECT_EQ(AppendBackslash("/a/"), "/a/");
  EXPECT_EQ(AppendBackslash(""), "");
  EXPECT_EQ(RemoveBackslash("/a/b/"), "/a/b");
  EXPECT_EQ(RemoveBackslash("/"), "/");
  EXPECT_EQ(ModifyDirectory(" / "), "/");
  EXPECT_EQ(ModifyDirectory("/a//"), "/a/");
  EXPECT_TRUE(IsDirNameComplete("/a"));
  EXPECT_FALSE(IsDirNameComplete("/"));
  EXPECT_FALSE(IsDirNameComplete("a/b"));
}

TEST(FileTools, NamesExpandAgainstAFolderUnlessTheyAreComplete) {
  EXPECT_EQ(ExpandFileNameByDir("/x/y", "/a"), "/x/y");
  EXPECT_EQ(ExpandFileNameByDir("y", "/a"), "/a/y");
  EXPECT_EQ(ExpandFileNameByDir(" x/y ", "/a/"), "/a/x/y");
  EXPECT_EQ(ExpandApplicationDir("data.cfg"), GetApplicationDir() + "/data.cfg");
  EXPECT_FALSE(GetApplicationDir().empty());
  EXPECT_NE(GetModuleName().find("QueltDravik30"), std::string::npos) << GetModuleName();
  EXPECT_EQ(GetModuleDir() + "/", GetModuleName().substr(0, GetModuleDir().size() + 1));
}

TEST(FileTools, ValidAndUniqueNames) {
  EXPECT_EQ(MakeValidFileName("  "), "noname");
  EXPECT_EQ(MakeValidFileName("a\"b*c/d:e<f>g?h\\i|j k"), "a_b_c_d_e_f_g_h_i_j k");
  TTempDir dir;
  const std::string taken = dir.File("a?b.txt");
  EXPECT_EQ(MakeUniqueFileName(taken), taken) << "free names stay";
  Touch(taken);
  EXPECT_EQ(MakeUniqueFileName(taken), dir.File("a_b_2.txt"));
  Touch(dir.File("a_b_2.txt"));
  fs::create_directory(dir.File("a_b_3.txt"));  // a folder takes the name too
  EXPECT_EQ(MakeUniqueFileName(taken), dir.File("a_b_4.txt"));
  fs::create_directory(dir.File("plain"));
  EXPECT_EQ(MakeUniqueFileName(dir.File("plain")), dir.File("plain_2"));
}

TEST(FileTools, ShortPathKeepsTheFirstAndLastComponents) {
  EXPECT_THROW(ShortPath("/a/b", 7), EConvertError);
  try {
    ShortPath("/a", 7);
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "ShortPath failed. MaxLen must be larger than 7");
  }
  EXPECT_EQ(ShortPath("  /usr/bin  ", 20), "/usr/bin");
  const std::string path = "/home/user/projects/dravik/forms/main.txt";
  EXPECT_EQ(ShortPath(path, 40), "/.../user/projects/dravik/forms/main.txt");
  EXPECT_EQ(ShortPath(path, 30), "/.../dravik/forms/main.txt");
  EXPECT_EQ(ShortPath(path, 16), "/.../main.txt");
  EXPECT_EQ(ShortPath(path, 10), "/.../ma...");
  EXPECT_EQ(ShortPath("relative/alpha/beta/c/file.pas", 23), "relative/.../c/file.pas");
  EXPECT_EQ(ShortPath("/one-very-long-name", 10), "/one-ve...");
}

TEST(FileTools, FolderFactsAndClearingModes) {
  TTempDir dir;
  const std::string root = dir.File("root");
  EXPECT_TRUE(CreateDirRecurse(root + "/sub/deeper/"));
  EXPECT_TRUE(DirExist(root + "/sub/deeper"));
  EXPECT_FALSE(FileExist(root + "/sub"));
  EXPECT_TRUE(IsDirEmpty(root + "/sub/deeper"));
  EXPECT_FALSE(HasDirFiles(root));
  Touch(root + "/one", "12345");
  Touch(root + "/two", "123");
  Touch(root + "/sub/inner", "1234567");
  EXPECT_TRUE(FileExist(root + "/one"));
  EXPECT_EQ(GetDirSize(root), 8) << "only the files directly inside";
  EXPECT_GT(GetFreeDriveSpace(root), 0);
  fs::create_symlink(dir.File("outside"), root + "/link");
  Touch(dir.File("outside"), "kept");

  EXPECT_TRUE(ClearDirectory(root, cdFlat));
  EXPECT_FALSE(FileExist(root + "/one"));
  EXPECT_TRUE(FileExist(root + "/sub/inner"));
  EXPECT_TRUE(FileExist(dir.File("outside"))) << "a link is removed, not followed";
  EXPECT_TRUE(ClearDirectory(root, cdClear));
  EXPECT_TRUE(IsDirEmpty(root));
  EXPECT_TRUE(ClearDirectory(root + "/", cdErase));
  EXPECT_FALSE(DirExist(root));
  try {
    ClearDirectory("relative/folder", cdErase);
    FAIL() << "a relative folder was cleared";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "ClearDirectory failed. A complete folder location must be specified");
  }
  EXPECT_THROW(ClearDirectory("/", cdErase), EInOutError);
}

TEST(FileTools, CopiesTemporaryFilesAndLogLines) {
  TTempDir dir;
  Touch(dir.File("source"), "content");
  chmod(dir.File("source").c_str(), 0600);
  Touch(dir.File("target"), "older and longer content");
  EXPECT_TRUE(CopyFileEx(dir.File("source"), dir.File("target")));
  std::ifstream copied(dir.File("target"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copied), {}), "content");
  EXPECT_EQ(fs::status(dir.File("target")).permissions(), fs::perms(0600));
  EXPECT_FALSE(CopyFileEx(dir.File("missing"), dir.File("target")));

  setenv("TMPDIR", dir.Path().c_str(), 1);
  const std::string temp = CreateTempFile();
  unsetenv("TMPDIR");
  EXPECT_EQ(temp.rfind(dir.File("drv"), 0), 0u) << temp;
  EXPECT_TRUE(FileExist(temp));

  ASSERT_TRUE(LogToFile(dir.File("app.log"), "started"));
  ASSERT_TRUE(LogToFile(dir.File("app.log"), ""));
  std::ifstream log(dir.File("app.log"), std::ios::binary);
  std::string first, second;
  std::getline(log, first);
  std::getline(log, second);
  EXPECT_EQ(first.size(), 19u + 9u) << first;  // "yyyy-mm-dd hh:nn:ss started\r"
  EXPECT_EQ(first.substr(19), " started\r");
  EXPECT_EQ(second.size(), 20u) << "the date and time alone";
  EXPECT_FALSE(LogToFile(dir.File("no/such/folder/app.log"), "x"));
}
