// dravik config: settings files listed, read and changed from the command line.
#include <gtest/gtest.h>

#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

const char* const kRegistry =
    "REGEDIT4\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Quelt GbR\\App]\n"
    "\"TMainForm\\\\Width\"=\"300\"\n"
    "\"Count\"=dword:0000002a\n"
    "\"Data\"=hex:01,ff\n"
    "@=\"default\"\n";

}  // namespace

TEST(ConfigCommand, ListsEveryValueOfAnIniOrRegistryFileEscaped) {
  TTempDir dir;
  WriteFileBytes(
      dir.File("a.ini"),
      "; comment\n[Main]\nWidth=300\nwidth=1\nText=tab\there\\\n\n[Empty]\n[Other]\nk=\n");
  TRunResult run = RunDravik({"config", dir.File("a.ini")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "Main\tWidth\t300\nMain\tText\ttab\\there\\\\\nOther\tk\t\n");
  EXPECT_EQ(RunDravik({"config", "-"}, "[S]\nk=v\n").Out, "S\tk\tv\n");

  WriteFileBytes(dir.File("r.reg"), kRegistry);
  run = RunDravik({"config", dir.File("r.reg")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const std::string key = "HKEY_CURRENT_USER\\\\Software\\\\Quelt GbR\\\\App\t";
  EXPECT_EQ(run.Out, key + "TMainForm\\\\Width\t300\n" + key + "Count\t42\n" + key +
                         "Data\t01 ff\n" + key + "\tdefault\n");
}

TEST(ConfigCommand, GetPrintsOneValueOrFailsWhenItIsNotThere) {
  TTempDir dir;
  WriteFileBytes(dir.File("a.ini"), "[Main]\nWidth=300\nWidth=1\n");
  TRunResult run = RunDravik({"config", dir.File("a.ini"), "--get", "main", "WIDTH"});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Out, "300\n");
  run = RunDravik({"config", dir.File("a.ini"), "--get", "Main", "Height"});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Out, "");
  EXPECT_EQ(run.Err, "dravik config: " + dir.File("a.ini") + ": no value Height in Main\n");

  WriteFileBytes(dir.File("r.reg"), kRegistry);
  run = RunDravik({"config", dir.File("r.reg"), "--get",
                   "HKEY_CURRENT_USER\\Software\\Quelt GbR\\App", "TMainForm\\Width"});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "300\n");
}

TEST(ConfigCommand, SetChangesOneValueKeepingTheRestAndMakesAMissingFile) {
  TTempDir dir;
  const std::string ini = dir.File("a.ini");
  WriteFileBytes(ini, "; kept\n[Main]\nWidth=300\n");
  ASSERT_EQ(RunDravik({"config", ini, "--set", "Main", "Width", "320"}).ExitCode, 0);
  ASSERT_EQ(RunDravik({"config", ini, "--set", "Main", "Left", "--", "-5"}).ExitCode, 0);
  EXPECT_EQ(ReadFileBytes(ini), "; kept\n[Main]\nWidth=320\nLeft=-5\n");
  ASSERT_EQ(RunDravik({"config", dir.File("new.ini"), "--set", "S", "k", "v"}).ExitCode, 0);
  EXPECT_EQ(ReadFileBytes(dir.File("new.ini")), "[S]\nk=v\n");
  TRunResult run = RunDravik({"config", ini, "--set", "Main", "Text", "two\nlines"});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Err,
            "dravik config: TIniFile.WriteString: The value of Main.Text holds a line break\n");

  const std::string reg = dir.File("r.reg");
  WriteFileBytes(reg, kRegistry);
  const std::string key = "HKEY_CURRENT_USER\\Software\\Quelt GbR\\App";
  ASSERT_EQ(RunDravik({"config", reg, "--set", key, "Count", "43"}).ExitCode, 0);
  ASSERT_EQ(
      RunDravik({"config", reg, "--set", "hkey_current_user\\Software\\New", "Name", "x"}).ExitCode,
      0);
  run = RunDravik({"config", reg, "--set", key, "Count", "many"});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Err, "dravik config: 'many' is no integer, which the dword value Count needs\n");
  run = RunDravik({"config", reg, "--set", "HKEY_NOWHERE\\A", "n", "v"});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Err, "dravik config: 'HKEY_NOWHERE' is no root key\n");
  EXPECT_EQ(ReadFileBytes(reg),
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quelt GbR\\App]\n"
            "\"TMainForm\\\\Width\"=\"300\"\n\"Count\"=dword:0000002b\n\"Data\"=hex:01,ff\n"
            "@=\"default\"\n\n[HKEY_CURRENT_USER\\Software\\New]\n\"Name\"=\"x\"\n");
}

TEST(ConfigCommand, AFailedSetChangesNothing) {
  TTempDir dir;
  const std::string reg = dir.File("r.reg"), ini = dir.File("a.ini");
  WriteFileBytes(reg, kRegistry);
  WriteFileBytes(ini, "[Main]\nWidth=300\n");
  const std::string app = "HKEY_CURRENT_USER\\Software\\Quelt GbR\\App";
  const struct {
    std::string File;
    std::vector<std::string> Set;  // SECTION KEY VALUE
  } cases[] = {
      {reg, {"HKEY_CURRENT_USER\\Software\\New", "tab\there", "v"}},
      {reg, {app + "\\New", "line\nbreak", "v"}},
      {reg, {app, "Count", "many"}},
      {reg, {"HKEY_NOWHERE\\A", "n", "v"}},
      {ini, {"New", "k", "two\nlines"}},
  };
  for (const auto& c : cases) {
    const std::string before = ReadFileBytes(c.File);
    const TRunResult run = RunDravik({"config", c.File, "--set", c.Set[0], c.Set[1], c.Set[2]});
    EXPECT_EQ(run.ExitCode, 1) << c.Set[0] << " " << c.Set[1];
    EXPECT_EQ(ReadFileBytes(c.File), before) << c.Set[0] << " " << c.Set[1];
  }
}

TEST(ConfigCommand, ADamagedFileIsReportedWithItsLineAndLeftAsItIs) {
  TTempDir dir;
  const std::string ini = dir.File("a.ini");
  WriteFileBytes(ini, "[Main]\nWidth=300\nHeig");
  for (const std::vector<std::string>& args : {std::vector<std::string>{"config", ini},
                                               {"config", ini, "--get", "Main", "Width"},
                                               {"config", ini, "--set", "Main", "Width", "1"}}) {
    TRunResult run = RunDravik(args);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err, "dravik config: File " + ini +
                           " is damaged at line 3: neither a section, a key nor a comment\n");
  }
  EXPECT_EQ(ReadFileBytes(ini), "[Main]\nWidth=300\nHeig");
  TRunResult run = RunDravik({"config", dir.File("missing.ini")});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Err.find("missing.ini"), std::string::npos) << run.Err;
}

TEST(ConfigCommand, BadUsageIsExitCodeTwo) {
  TTempDir dir;
  const std::string ini = dir.File("a.ini");
  for (const std::vector<std::string>& args : {std::vector<std::string>{"config"},
                                               {"config", ini, "--get", "Main"},
                                               {"config", ini, "--set", "Main", "Width"},
                                               {"config", ini, "--get", "--set", "a", "b"},
                                               {"config", "-", "--set", "a", "b", "c"},
                                               {"config", ini, "extra"}}) {
    TRunResult run = RunDravik(args);
    EXPECT_EQ(run.ExitCode, 2) << args.size();
    EXPECT_NE(run.Err.find("(see 'dravik config --help')"), std::string::npos) << run.Err;
  }
  TRunResult help = RunDravik({"config", "--help"});
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_EQ(help.Out.rfind("Usage: dravik config FILE\n", 0), 0u);
  EXPECT_NE(
      RunDravik({"--help"}).Out.find("  config    list, read or change an INI or registry file\n"),
      std::string::npos);
}
