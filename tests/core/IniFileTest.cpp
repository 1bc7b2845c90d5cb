// INI files: what a file says and how it is changed, legacy text, damaged files, and changes
// from several processes at once.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "platform/core/classes/Strings.h"
#include "platform/core/inifiles/IniFile.h"
#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

std::vector<std::string> Lines(const TStrings& strings) {
  std::vector<std::string> lines;
  for (int i = 0; i < strings.Count(); ++i) lines.push_back(strings.Strings(i));
  return lines;
}

class IniFile : public ::testing::Test {
 protected:
  TTempDir dir;
  std::string path = dir.File("settings.ini");
};

}  // namespace

TEST_F(IniFile, ReadsSectionsAndKeysInFileOrderAndTheFirstOfEqualKeys) {
  WriteFileBytes(path,
                 "; a comment\r\n"
                 "[Main]\r\n"
                 "Width = 300\r\n"
                 "Caption=a=b \r\n"
                 "width=999\r\n"
                 "\r\n"
                 "[Other]\r\n"
                 "Flag=1\r\n"
                 "[main]\r\n"
                 "Height=200\r\n");
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadString("MAIN", "caption", "?"), "a=b ");  // all after the first "="
  EXPECT_EQ(ini.ReadInteger("Main", "Width", 0), 300);        // the first of two
  EXPECT_EQ(ini.ReadInteger("Main", "Height", 0), 200);       // a repeated section is one
  EXPECT_EQ(ini.ReadString("Main", "Missing", "fallback"), "fallback");
  EXPECT_TRUE(ini.ReadBool("Other", "Flag", false));
  EXPECT_TRUE(ini.ValueExists("other", "FLAG"));
  EXPECT_FALSE(ini.ValueExists("Other", "Width"));
  EXPECT_TRUE(ini.SectionExists("OTHER"));
  EXPECT_FALSE(ini.SectionExists("Third"));

  TStringList list;
  ini.ReadSections(list);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Main", "Other"}));
  ini.ReadSection("Main", list);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Width", "Caption", "Height"}));
  ini.ReadSectionValues("Main", list);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Width= 300", "Caption=a=b ", "Height=200"}));
}

TEST_F(IniFile, NumbersAndFlagsReadTolerantlyAndWriteAsDecimalAndOneOrZero) {
  WriteFileBytes(path, "[N]\nHex=$1F\nWord=abc\nNegative=-7\nTwo=2\nZero=0\n");
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("N", "Hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("N", "Word", 42), 42);
  EXPECT_EQ(ini.ReadInteger("N", "Negative", 0), -7);
  EXPECT_TRUE(ini.ReadBool("N", "Two", false));
  EXPECT_FALSE(ini.ReadBool("N", "Zero", true));
  EXPECT_TRUE(ini.ReadBool("N", "Word", true));
  ini.WriteBool("N", "Zero", true);
  ini.WriteInteger("N", "Negative", -8);
  EXPECT_EQ(ReadFileBytes(path), "[N]\nHex=$1F\nWord=abc\nNegative=-8\nTwo=2\nZero=1\n");
}

TEST_F(IniFile, WritesKeepCommentsAndPlaceNewKeysAfterTheSectionsKeys) {
  WriteFileBytes(path, "# head\n[A]\n; about x\nx=1\n\n[B]\ny=2\n");
  TIniFile ini(path);
  ini.WriteString("a", "X", "10");  // the key keeps its spelling
  ini.WriteString("A", "z", "3");
  ini.WriteString("C", "w", "4");
  EXPECT_EQ(ReadFileBytes(path), "# head\n[A]\n; about x\nx=10\nz=3\n\n[B]\ny=2\n\n[C]\nw=4\n");
  ini.DeleteKey("A", "x");
  ini.EraseSection("b");
  EXPECT_EQ(ReadFileBytes(path), "# head\n[A]\n; about x\nz=3\n\n[C]\nw=4\n");
  EXPECT_FALSE(TIniFile(path).SectionExists("B"));
}

TEST_F(IniFile, DeleteKeyRemovesEveryCopySoNoOlderValueComesBack) {
  WriteFileBytes(path, "[A]\nk=1\nk=2\n");
  TIniFile ini(path);
  ini.DeleteKey("A", "K");
  EXPECT_FALSE(ini.ValueExists("A", "k"));
  EXPECT_EQ(ReadFileBytes(path), "[A]\n");
}

TEST_F(IniFile, LegacyLinesReadAsWindows1252AndStaySoWhileNewTextIsWrittenAsUtf8) {
  WriteFileBytes(path,
                 "[Texte]\nAlt=Gr\xF6\xDF"
                 "e \x80\nNeu=Gr\xC3\xB6\xC3\x9F"
                 "e\n");
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadString("Texte", "Alt", ""),
            "Gr\xC3\xB6\xC3\x9F"
            "e \xE2\x82\xAC");
  EXPECT_EQ(ini.ReadString("Texte", "Neu", ""),
            "Gr\xC3\xB6\xC3\x9F"
            "e");
  ini.WriteString("Texte", "Mehr", "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(ReadFileBytes(path),
            "[Texte]\nAlt=Gr\xF6\xDF"
            "e \x80\nNeu=Gr\xC3\xB6\xC3\x9F"
            "e\n"
            "Mehr=\xC3\xA9t\xC3\xA9\n");
}

TEST_F(IniFile, AChangeKeepsEveryLineItDoesNotTouchByteForByte) {
  using TChange = std::function<void(TIniFile&)>;
  const struct {
    const char* Before;
    TChange Change;
    const char* After;
  } cases[] = {
      // Lines that end with CR alone, CR LF, LF, or nothing at the end of the file.
      {"[A]\rx=1\r[B]\ry=2\r", [](TIniFile& ini) { ini.WriteString("A", "x", "5"); },
       "[A]\rx=5\r[B]\ry=2\r"},
      {"[A]\rx=1\r[B]\ry=2\r", [](TIniFile& ini) { ini.EraseSection("A"); }, "[B]\ry=2\r"},
      {"[A]\r\nx=1\n; c\r\ny=2", [](TIniFile& ini) { ini.WriteString("A", "z", "3"); },
       "[A]\r\nx=1\n; c\r\ny=2\r\nz=3\r\n"},
      // A comment after a section header.
      {"[A] ; main\nx=1\n", [](TIniFile& ini) { ini.WriteString("A", "z", "2"); },
       "[A] ; main\nx=1\nz=2\n"},
      // A byte-order mark.
      {"\xEF\xBB\xBF[A]\r\nx=1\r\n", [](TIniFile& ini) { ini.WriteString("A", "x", "2"); },
       "\xEF\xBB\xBF[A]\r\nx=2\r\n"},
      // A repeated section stays where it is and takes a new key behind its last one.
      {"[A]\nx=1\n[B]\ny=1\n[a]\nw=1\n",
       [](TIniFile& ini) {
         ini.WriteString("A", "x", "2");
         ini.WriteString("A", "v", "3");
       },
       "[A]\nx=2\n[B]\ny=1\n[a]\nw=1\nv=3\n"},
      // Legacy text in the key of the line changed.
      {"[A]\nGr\xF6\xDF"
       "e=1\n",
       [](TIniFile& ini) {
         ini.WriteString("A",
                         "Gr\xC3\xB6\xC3\x9F"
                         "e",
                         "2");
       },
       "[A]\nGr\xC3\xB6\xC3\x9F"
       "e=2\n"},
  };
  for (const auto& c : cases) {
    WriteFileBytes(path, c.Before);
    TIniFile ini(path);
    c.Change(ini);
    EXPECT_EQ(ReadFileBytes(path), c.After) << c.Before;
  }
  WriteFileBytes(path, "\xEF\xBB\xBF[A] ; main\rx=1\r");
  EXPECT_EQ(TIniFile(path).ReadString("A", "x", ""), "1");
}

TEST_F(IniFile, NamesAndValuesThatWouldBreakTheLineLayoutAreRefused) {
  TIniFile ini(path);
  EXPECT_THROW(ini.WriteString("A", "k", "two\nlines"), EIniFileError);
  EXPECT_THROW(ini.WriteString("A", "a=b", "v"), EIniFileError);
  EXPECT_THROW(ini.WriteString("A", " k", "v"), EIniFileError);
  EXPECT_THROW(ini.WriteString("A]", "k", "v"), EIniFileError);
  EXPECT_THROW(ini.WriteString("", "k", "v"), EIniFileError);
  EXPECT_THROW(ini.WriteString("A", "", "v"), EIniFileError);
  EXPECT_FALSE(std::filesystem::exists(path));
  try {
    ini.WriteString("Sec", "Key", "a\rb");
    FAIL();
  } catch (const EIniFileError& e) {
    EXPECT_EQ(e.Message(), "TIniFile.WriteString: The value of Sec.Key holds a line break");
  }
}

TEST_F(IniFile, ADamagedFileIsRefusedWithItsNameAndLineOrRepairedKeepingTheOldOne) {
  const std::string damaged = "[A]\nk=1\n[B\nj=2\n";
  WriteFileBytes(path, damaged);
  try {
    TIniFile ini(path);
    FAIL();
  } catch (const EIniFileError& e) {
    EXPECT_EQ(e.Message(),
              "File " + path + " is damaged at line 3: a section name without its closing ']'");
  }
  using namespace std::string_literals;
  for (const std::string& bytes :
       {"[A]\nk=1\nnot a key\n"s, "k=1\n"s, "[A]\n=1\n"s, "[A]\nk=1\0\n"s}) {
    WriteFileBytes(path, bytes);
    EXPECT_THROW(TIniFile{path}, EIniFileError) << bytes;
  }
  WriteFileBytes(path, damaged);
  TIniFile repaired(path, TDamagedFile::Repair);
  EXPECT_EQ(repaired.ReadString("A", "k", ""), "1");
  repaired.WriteString("A", "k", "5");
  EXPECT_EQ(ReadFileBytes(path), "[A]\nk=5\n");
  EXPECT_EQ(ReadFileBytes(path + ".damaged"), damaged);
}

TEST_F(IniFile, HeldChangesReachTheFileTogetherOrNotAtAll) {
  WriteFileBytes(path, "[A]\nk=1\n");
  TIniFile ini(path);
  ini.BeginUpdate();
  ini.WriteString("A", "k", "2");
  ini.WriteString("A", "l", "3");
  EXPECT_EQ(ini.ReadString("A", "l", ""), "3");
  EXPECT_EQ(ReadFileBytes(path), "[A]\nk=1\n");
  ini.CancelUpdate();
  EXPECT_EQ(ini.ReadString("A", "k", ""), "1");
  EXPECT_FALSE(ini.ValueExists("A", "l"));
  ini.BeginUpdate();
  ini.WriteString("A", "l", "3");
  ini.EraseSection("B");
  ini.EndUpdate();
  EXPECT_EQ(ReadFileBytes(path), "[A]\nk=1\nl=3\n");
}

TEST_F(IniFile, AChangeIsMadeOnTheFileAsAnotherWriterLeftIt) {
  TIniFile first(path);
  TIniFile second(path);
  first.WriteString("A", "one", "1");
  second.WriteString("A", "two", "2");  // second never read "one"
  EXPECT_EQ(ReadFileBytes(path), "[A]\none=1\ntwo=2\n");
  EXPECT_EQ(second.ReadString("A", "one", ""), "1");
}

TEST_F(IniFile, AFailedWriteLeavesThePreviousFile) {
  WriteFileBytes(path, "[A]\nk=1\n");
  // A child that may not write files beyond 64 bytes, whatever its rights.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64, 64};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      TIniFile ini(path);
      ini.WriteString("A", "k", std::string(100, 'x'));
    } catch (const EStreamError&) {
      ::_exit(0);
    }
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write did not fail";
  EXPECT_EQ(ReadFileBytes(path), "[A]\nk=1\n");
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"settings.ini", "settings.ini.lock"}));
}

namespace {

// Each of writers processes writes values keys to a section of its own; answers the failed ones.
int WriteAtOnce(const std::string& path, int writers, int values, bool unprivileged) {
  std::vector<pid_t> children;
  for (int child = 0; child < writers; ++child) {
    const pid_t pid = ::fork();
    if (pid < 0) return writers;
    if (pid == 0) {
      auto body = [&] {
        try {
          TIniFile ini(path, TDamagedFile::Repair);
          for (int i = 0; i < values; ++i)
            ini.WriteInteger("Writer" + std::to_string(child), "Key" + std::to_string(i), i);
        } catch (...) {
          return 1;
        }
        return 0;
      };
      ::_exit(unprivileged ? RunUnprivileged(body) : body());
    }
    children.push_back(pid);
  }
  int failed = 0;
  for (pid_t child : children) {
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
      ++failed;
  }
  return failed;
}

void ExpectEveryValue(const std::string& path, int writers, int values) {
  TIniFile ini(path);
  TStringList keys;
  for (int writer = 0; writer < writers; ++writer) {
    const std::string section = "Writer" + std::to_string(writer);
    ini.ReadSection(section, keys);
    EXPECT_EQ(keys.Count(), values) << section;
    for (int i = 0; i < values; ++i)
      ASSERT_EQ(ini.ReadInteger(section, "Key" + std::to_string(i), -1), i) << section;
  }
}

}  // namespace

TEST_F(IniFile, TwoProcessesWritingAtOnceLoseNoValue) {
  ASSERT_EQ(WriteAtOnce(path, 2, 1000, false), 0);
  ExpectEveryValue(path, 2, 1000);
}

TEST_F(IniFile, EveryWriterTakesTheSameLockOrWritesNothing) {
  // A lock file made by another user is taken read-only.
  ::chmod(dir.Path().c_str(), 0777);
  WriteFileBytes(path, "");
  ::chmod(path.c_str(), 0666);
  WriteFileBytes(path + ".lock", "");
  ::chmod((path + ".lock").c_str(), 0444);
  ASSERT_EQ(WriteAtOnce(path, 4, 200, true), 0);
  ExpectEveryValue(path, 4, 200);

  // A folder in the lock file's place is no lock: the write is refused.
  const std::string other = dir.File("other.ini");
  WriteFileBytes(other, "[A]\nk=1\n");
  std::filesystem::create_directory(other + ".lock");
  try {
    TIniFile(other).WriteString("A", "k", "2");
    FAIL() << "written without a lock";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot lock file " + other + ".lock: Is a directory");
  }
  EXPECT_EQ(ReadFileBytes(other), "[A]\nk=1\n");
}
