// The key/value wrapper: type hints in aligned columns, write-back of what was read, and the
// same interface over a registry key.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>

#include "library/ExIniFile.h"
#include "platform/core/classes/Strings.h"
#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

class ExIniFile : public ::testing::Test {
 protected:
  TTempDir dir;
  std::string path = dir.File("app.cfg");
};

}  // namespace

TEST_F(ExIniFile, HintsStartInOneColumnAndAreRemovedOnReading) {
  TExIniFile ini(path);
  ini.SetHintsEnabled(true);
  ini.BeginUpdate();
  ini.WriteStringEx("TForm", "ListView.Columns[0].Width", "120", "(width in pixels)");
  ini.WriteStringEx("TForm", "Panel.Align", "alClient", "(alNone, alTop, alClient)");
  ini.WriteStringEx("TForm", "A", "short", "(hint)");
  ini.WriteStringEx("TForm", "NoHint", "plain", "");
  ini.EndUpdate();
  const std::string text = ReadFileBytes(path);
  TStringList lines;
  lines.SetText(text);
  ASSERT_EQ(lines.Count(), 5);
  for (int i = 1; i < 4; ++i) EXPECT_EQ(lines.Strings(i).find(';'), 49u) << lines.Strings(i);
  EXPECT_EQ(lines.Strings(4), "NoHint=plain");
  EXPECT_EQ(ini.ReadString("TForm", "Panel.Align", ""), "alClient");
  EXPECT_EQ(ini.ReadInteger("TForm", "ListView.Columns[0].Width", 0), 120);

  // A value longer than the column gets its hint right behind it.
  ini.WriteStringEx("TForm", "Long", std::string(60, 'x'), "(h)");
  EXPECT_EQ(TIniFile(path).ReadString("TForm", "Long", ""), std::string(60, 'x') + ";(h)");
  ini.SetHintPosition(0);
  ini.WriteStringEx("TForm", "Off", "v", "(h)");
  EXPECT_EQ(TIniFile(path).ReadString("TForm", "Off", ""), "v");
}

TEST_F(ExIniFile, AHintTheFileCarriesIsKeptAndAValueHoldingThePrefixReadsBackWhole) {
  WriteFileBytes(path, "[S]\nMode=one ;(my own words)\n");
  TExIniFile ini(path);
  ini.SetHintsEnabled(true);
  ini.WriteStringEx("S", "Mode", "two", "(one, two)");
  EXPECT_EQ(TIniFile(path).ReadString("S", "Mode", ""),
            "two" + std::string(49 - 5 - 3, ' ') + ";(my own words)");
  ini.WriteString("S", "Caption", "a;b");
  ini.WriteStringEx("S", "Edit", "x ; y", "(text)");
  EXPECT_EQ(ini.ReadString("S", "Caption", ""), "a;b");
  EXPECT_EQ(ini.ReadString("S", "Edit", ""), "x ; y");
  ini.SetHintsEnabled(false);  // without hints the text is taken as it stands
  EXPECT_EQ(ini.ReadString("S", "Caption", ""), "a;b ;");
}

TEST_F(ExIniFile, WriteBackMakesEveryReadKeyAppearInTheFile) {
  WriteFileBytes(path, "[S]\nKnown=5\n");
  {
    TExIniFile ini(path);
    ini.SetWriteBack(true);
    ini.BeginUpdate();
    EXPECT_EQ(ini.ReadInteger("S", "Known", 0), 5);
    EXPECT_EQ(ini.ReadString("S", "Name", "default"), "default");
    EXPECT_TRUE(ini.ReadBool("S", "Flag", true));
    EXPECT_DOUBLE_EQ(static_cast<double>(ini.ReadFloat("S", "Ratio", 0.25L)), 0.25);
    ini.EndUpdate();
  }
  EXPECT_EQ(ReadFileBytes(path), "[S]\nKnown=5\nName=default\nFlag=1\nRatio=0.25\n");
  TExIniFile ini(path);
  ini.WriteFloat("S", "Ratio", 1.5L);
  EXPECT_EQ(ini.ReadFloat("S", "Ratio", 0), 1.5L);
  ini.WriteString("S", "Ratio", "not a number");
  EXPECT_EQ(ini.ReadFloat("S", "Ratio", 2), 2);
  EXPECT_EQ(ini.ReadInteger("S", "Ratio", 3), 3);
}

TEST_F(ExIniFile, AReadOnlyFileIsMadeWritableForItsOwner) {
  WriteFileBytes(path, "[S]\nk=1\n");
  ::chmod(path.c_str(), 0444);
  TExIniFile ini(path);
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_TRUE(status.st_mode & S_IWUSR);
  ini.WriteString("S", "k", "2");
  EXPECT_EQ(ReadFileBytes(path), "[S]\nk=2\n");
}

TEST_F(ExIniFile, SectionOperationsWorkOnIniFiles) {
  WriteFileBytes(path, "[A]\nx=1\ny=2\n[B]\nz=3\n");
  TExIniFile ini(path);
  TStringList list;
  ini.ReadSections(list);
  EXPECT_EQ(list.Text(), "A\r\nB\r\n");
  ini.ReadSection("A", list);
  EXPECT_EQ(list.Text(), "x\r\ny\r\n");
  ini.ReadSectionValues("A", list);
  EXPECT_EQ(list.Text(), "x=1\r\ny=2\r\n");
  ini.EraseSection("A");
  ini.DeleteKey("B", "z");
  EXPECT_EQ(ReadFileBytes(path), "[B]\n");
}

TEST_F(ExIniFile, InTheRegistrySectionAndKeyNameOneValueAndSectionOperationsAreRefused) {
  TEnvironmentScope scope("DRAVIK_REGISTRY", dir.File("registry.reg"));
  EXPECT_THROW(TExIniFile::CreateInRegistry(HKEY_CURRENT_USER, false, "Software\\Missing"),
               ERegistryException);
  auto ini = TExIniFile::CreateInRegistry(HKEY_CURRENT_USER, true, "Software\\Quelt GbR\\App");
  ini->SetHintsEnabled(true);
  ini->WriteStringEx("TMainForm", "Panel.Align", "alTop", "(alNone, alTop)");
  ini->WriteInteger("TMainForm", "Width", 300);
  EXPECT_EQ(ini->ReadString("TMainForm", "Panel.Align", ""), "alTop");
  EXPECT_EQ(ini->ReadInteger("TMainForm", "Width", 0), 300);
  EXPECT_EQ(ini->ReadInteger("TMainForm", "Missing", 7), 7);
  EXPECT_EQ(ReadFileBytes(dir.File("registry.reg")),
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quelt GbR\\App]\n"
            "\"TMainForm\\\\Panel.Align\"=\"alTop ;(alNone, alTop)\"\n"
            "\"TMainForm\\\\Width\"=\"300\"\n");
  ini->DeleteKey("TMainForm", "Width");
  EXPECT_FALSE(ini->ValueExists("TMainForm", "Width"));
  EXPECT_TRUE(ini->ValueExists("TMainForm", "Panel.Align"));

  TStringList list;
  auto refused = [&](const std::function<void()>& operation, const std::string& text) {
    try {
      operation();
      ADD_FAILURE() << "not refused: " << text;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), text);
    }
  };
  refused([&] { ini->ReadSection("TMainForm", list); },
          "TExIniFile.ReadSection not possible for registry database");
  refused([&] { ini->ReadSections(list); },
          "TExIniFile.ReadSections not possible for registry database");
  refused([&] { ini->ReadSectionValues("TMainForm", list); },
          "TExIniFile.ReadSectionValues not possible for registry database");
  refused([&] { ini->EraseSection("TMainForm"); },
          "TExIniFile.EraseSection not possible for registry database");
}
