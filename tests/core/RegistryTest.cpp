// The file-backed registry: keys under the root keys, opening with and without creation and
// read-only, typed values, the REGEDIT4 text both ways, damaged files, and where the file lives.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/core/classes/Strings.h"
#include "platform/core/inifiles/Registry.h"
#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

class Registry : public ::testing::Test {
 protected:
  TTempDir dir;
  std::string path = dir.File("registry.reg");
};

std::vector<std::string> Lines(const TStrings& strings) {
  std::vector<std::string> lines;
  for (int i = 0; i < strings.Count(); ++i) lines.push_back(strings.Strings(i));
  return lines;
}

}  // namespace

TEST_F(Registry, KeysAreOpenedMadeOrRefusedUnderTheChosenRoot) {
  TRegistry reg(path);
  EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reg.OpenKey("Software\\Quelt GbR", false));
  EXPECT_FALSE(reg.KeyExists("Software"));
  ASSERT_TRUE(reg.OpenKey("Software\\Quelt GbR\\App", true));
  EXPECT_EQ(reg.CurrentPath(), "Software\\Quelt GbR\\App");
  EXPECT_TRUE(reg.KeyExists("\\software"));  // a parent exists through its child
  EXPECT_TRUE(reg.OpenKey("Sub", true));     // below the current key
  EXPECT_EQ(reg.CurrentPath(), "Software\\Quelt GbR\\App\\Sub");
  EXPECT_TRUE(reg.OpenKey("\\Software\\Quelt GbR", false));  // from the root
  TStringList names;
  reg.GetKeyNames(names);
  EXPECT_EQ(Lines(names), std::vector<std::string>{"App"});
  EXPECT_FALSE(reg.OpenKey("a\\\\b", true));
  reg.SetRootKey(HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.KeyExists("Software"));  // another root
  EXPECT_THROW(reg.SetRootKey(0x80000007), ERegistryException);
  EXPECT_EQ(ReadFileBytes(path),
            "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quelt GbR\\App]\n\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Quelt GbR\\App\\Sub]\n");
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_TRUE(reg.DeleteKey("Software\\Quelt GbR"));
  EXPECT_FALSE(reg.KeyExists("Software\\Quelt GbR\\App\\Sub"));
  EXPECT_EQ(ReadFileBytes(path), "REGEDIT4\n");
}

TEST_F(Registry, ValuesKeepTheirTypes) {
  TRegistry reg(path);
  ASSERT_TRUE(reg.OpenKey("Software\\Test", true));
  reg.WriteString("Name", "C:\\Dir \"quoted\"");
  reg.WriteInteger("Count", -2);
  reg.WriteBinaryData("Data", std::string("\x00\x01\xFF", 3));
  reg.WriteString("", "default");
  reg.WriteString("Lines", "one\r\ntwo");
  EXPECT_EQ(reg.ReadString("Name"), "C:\\Dir \"quoted\"");
  EXPECT_EQ(reg.ReadInteger("Count"), -2);
  EXPECT_EQ(reg.ReadBinaryData("Data"), std::string("\x00\x01\xFF", 3));
  EXPECT_EQ(reg.GetDataType("count"), rdInteger);
  EXPECT_EQ(reg.GetDataType("Missing"), rdUnknown);
  EXPECT_EQ(reg.ReadString("Missing"), "");
  EXPECT_THROW(reg.ReadInteger("Missing"), ERegistryException);
  try {
    reg.ReadString("Count");
    FAIL();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'Count'");
  }
  EXPECT_EQ(ReadFileBytes(path),
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Test]\n"
            "\"Name\"=\"C:\\\\Dir \\\"quoted\\\"\"\n"
            "\"Count\"=dword:fffffffe\n"
            "\"Data\"=hex:00,01,ff\n"
            "@=\"default\"\n"
            "\"Lines\"=hex(1):6f,6e,65,0d,0a,74,77,6f,00\n");
  TRegistry again(path);
  ASSERT_TRUE(again.OpenKeyReadOnly("Software\\Test"));
  EXPECT_EQ(again.ReadString("Lines"), "one\r\ntwo");
  EXPECT_EQ(again.ReadString(""), "default");
  TStringList names;
  again.GetValueNames(names);
  EXPECT_EQ(Lines(names), (std::vector<std::string>{"Name", "Count", "Data", "", "Lines"}));
  EXPECT_TRUE(reg.DeleteValue("Data"));
  EXPECT_FALSE(reg.DeleteValue("Data"));
  EXPECT_FALSE(reg.ValueExists("data"));
}

TEST_F(Registry, AKeyOpenedReadOnlyRefusesWrites) {
  {
    TRegistry reg(path);
    ASSERT_TRUE(reg.OpenKey("Software\\Test", true));
    reg.WriteString("Name", "kept");
  }
  const std::string before = ReadFileBytes(path);
  TRegistry reg(path);
  EXPECT_FALSE(reg.OpenKeyReadOnly("Software\\Missing"));
  ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Test"));
  EXPECT_EQ(reg.ReadString("Name"), "kept");
  try {
    reg.WriteString("Name", "changed");
    FAIL();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(),
              "TRegistry.WriteString: Failed to set data for 'Name': the key is open read-only");
  }
  EXPECT_THROW(reg.WriteInteger("Other", 1), ERegistryException);
  EXPECT_THROW(reg.DeleteValue("Name"), ERegistryException);
  EXPECT_EQ(ReadFileBytes(path), before);
  ASSERT_TRUE(reg.OpenKey("\\Software\\Test", false));  // writable again
  reg.WriteString("Name", "changed");
  TRegistry again(path);
  ASSERT_TRUE(again.OpenKeyReadOnly("Software\\Test"));
  EXPECT_EQ(again.ReadString("Name"), "changed");
}

TEST_F(Registry, TheTextOfOtherWritersReadsAndComesBackInTheSameLayout) {
  const std::string written =
      "REGEDIT4\r\n"
      "\r\n"
      "; exported\r\n"
      "[hkey_local_machine\\Software\\Vendor]\r\n"
      "\"Path\"=\"C:\\\\Programme\\\\Vendor\"\r\n"
      "\"Version\"=dword:0000012C\r\n"
      "\"Blob\"=hex:01,02,03,\\\r\n"
      "  04,05\r\n"
      "\"Expand\"=hex(2):25,54,4d,50,25,00\r\n"
      "\"Odd\"=hex(7):61,00,00\r\n"
      "\"Legacy\"=\"Gr\xF6\xDF"
      "e\"\r\n"
      "\"Bytes\"=hex(1):47,72,f6,00\r\n";
  WriteFileBytes(path, written);
  TRegistry reg(path);
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("SOFTWARE\\vendor", false));
  EXPECT_EQ(reg.ReadString("Path"), "C:\\Programme\\Vendor");
  EXPECT_EQ(reg.ReadInteger("Version"), 300);
  EXPECT_EQ(reg.ReadBinaryData("Blob"), "\x01\x02\x03\x04\x05");
  EXPECT_EQ(reg.GetDataType("Expand"), rdExpandString);
  EXPECT_EQ(reg.ReadString("Expand"), "%TMP%");
  EXPECT_EQ(reg.GetDataType("Odd"), rdUnknown);
  EXPECT_EQ(reg.ReadString("Legacy"),
            "Gr\xC3\xB6\xC3\x9F"
            "e");
  EXPECT_EQ(reg.ReadString("Bytes"), "Gr\xC3\xB6");  // 8-bit text as bytes reads the same way
  reg.WriteInteger("Version", 301);
  const std::string canonical =
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Vendor]\n"
      "\"Path\"=\"C:\\\\Programme\\\\Vendor\"\n"
      "\"Version\"=dword:0000012d\n"
      "\"Blob\"=hex:01,02,03,04,05\n"
      "\"Expand\"=hex(2):25,54,4d,50,25,00\n"
      "\"Odd\"=hex(7):61,00,00\n"
      "\"Legacy\"=\"Gr\xC3\xB6\xC3\x9F"
      "e\"\n"
      "\"Bytes\"=\"Gr\xC3\xB6\"\n";
  EXPECT_EQ(ReadFileBytes(path), canonical);
  TRegistry again(path);
  again.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(again.OpenKey("Software\\Vendor", false));
  again.WriteInteger("Version", 301);  // unchanged text: the same bytes
  EXPECT_EQ(ReadFileBytes(path), canonical);
}

TEST_F(Registry, ADamagedFileIsRefusedWithItsNameAndLine) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"[HKEY_CURRENT_USER\\A]\n", "line 1: the file does not begin with REGEDIT4"},
      {"REGEDIT4\n\"v\"=\"x\"\n", "line 2: a value outside of any key"},
      {"REGEDIT4\n[HKEY_NOWHERE\\A]\n", "line 2: a key that does not begin with a root key"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A\n", "line 2: a key name without its closing ']'"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"v\"=\"cut off\n", "line 3: an unterminated text"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"v\"=dword:123456789\n",
       "line 3: a dword that is not 1 to 8 hex digits"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"v\"=hex:1,2g\n",
       "line 3: a byte that is not two hex digits"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"v\"=other\n", "line 3: a value of no known type"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"v\n", "line 3: a value name without its closing quote"},
  };
  for (const auto& [bytes, where] : cases) {
    WriteFileBytes(path, bytes);
    try {
      TRegistry reg(path);
      ADD_FAILURE() << "accepted: " << bytes;
    } catch (const ERegistryException& e) {
      EXPECT_EQ(e.Message(), "File " + path + " is damaged at " + where);
    }
  }
  const std::string damaged = "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"ok\"=\"1\"\n\"v\"=other\n";
  WriteFileBytes(path, damaged);
  TRegistry repaired(path, TDamagedFile::Repair);
  ASSERT_TRUE(repaired.OpenKey("A", false));
  repaired.WriteString("new", "2");
  EXPECT_EQ(ReadFileBytes(path),
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"ok\"=\"1\"\n\"new\"=\"2\"\n");
  EXPECT_EQ(ReadFileBytes(path + ".damaged"), damaged);
}

TEST_F(Registry, TheFileIsNamedByTheEnvironmentElseLivesInTheUsersConfigurationFolder) {
  const char* saved = std::getenv("DRAVIK_REGISTRY");
  const std::string previous = saved ? saved : "";
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("DRAVIK_REGISTRY", path.c_str(), 1);
  EXPECT_EQ(TRegistry::DefaultFileName(), path);
  ::unsetenv("DRAVIK_REGISTRY");
  ::setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
  EXPECT_EQ(TRegistry::DefaultFileName(), dir.File("config") + "/dravik/registry.reg");
  {
    TRegistry reg;  // the folder is made on the first write
    ASSERT_TRUE(reg.OpenKey("Software\\Test", true));
  }
  EXPECT_EQ(ReadFileBytes(dir.File("config/dravik/registry.reg")),
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Test]\n");
  ::setenv("XDG_CONFIG_HOME", "relative", 1);
  ::setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(TRegistry::DefaultFileName(), "/home/someone/.config/dravik/registry.reg");
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", home.c_str(), 1);
  if (saved) ::setenv("DRAVIK_REGISTRY", previous.c_str(), 1);
}
