// dravik show and dravik check --form: the language data of form files as scripts read it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

const std::string kData = DRAVIK_TEST_DATA "/runtime/";

const char* const kUnitStrings =
    "language\tEnglish\t0\tactive\n"
    "language\tDeutsch\t1\n"
    "string\tGreeting\tHello\tHallo\n"
    "string\tFarewell\tGoodbye\tAuf Wiedersehen\n";

}  // namespace

TEST(ShowCommand, ALanguageFileShowsItsLanguagesAndStringsInEveryKind) {
  TRunResult run = RunDravik({"show", kData + "UnitStrings.lng"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, kUnitStrings);

  // The same data as a plain binary stream and in the text form, found by content.
  TTempDir dir;
  ASSERT_EQ(
      RunDravik({"convert", "--to", "text", kData + "UnitStrings.lng", dir.File("u.bin")}).ExitCode,
      0);
  EXPECT_EQ(RunDravik({"show", dir.File("u.bin")}).Out, kUnitStrings);
  ASSERT_EQ(RunDravik({"convert", "--to", "binary", kData + "UnitStrings.lng", dir.File("u.txt")})
                .ExitCode,
            0);
  EXPECT_EQ(RunDravik({"show", dir.File("u.txt")}).Out, kUnitStrings);
  EXPECT_EQ(RunDravik({"show", "-"}, ReadFileBytes(kData + "UnitStrings.lng")).Out, kUnitStrings);
}

TEST(ShowCommand, SeveralComponentsEscapedValuesAndLegacyText) {
  TRunResult run = RunDravik({"show", kData + "TwoDravik.txt"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "component\tDravik\n"
            "language\tDeutsch\t1\n"
            "language\tEnglish\t0\tactive\n"
            "property\tModule1\tTag\t9\t7\n"
            "string\tTabbed\t\xC3\xA4\xC3\x83\xC2\xBCz\ta\\tb\\\\c\\x01\n"
            "component\tDravik2\n"
            "language\tFrancais\t0\tactive\n");
}

TEST(ShowCommand, TheUsersLanguageDoesNotChangeWhatIsShown) {
  setenv("LANG", "de_DE.UTF-8", 1);
  TRunResult german = RunDravik({"show", kData + "UnitStrings.lng"});
  unsetenv("LANG");
  EXPECT_EQ(german.Out, kUnitStrings);
}

TEST(ShowCommand, UnreadableInputIsOneLineAndExitOne) {
  TTempDir dir;
  WriteFileBytes(dir.File("form.txt"), "object Form1: TForm1\n  Caption =\nend\n");
  TRunResult run = RunDravik({"show", dir.File("form.txt")});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Err.rfind("dravik show: " + dir.File("form.txt") + ": ", 0), 0u) << run.Err;
  EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;

  WriteFileBytes(dir.File("junk"), "TPF0\x07");
  run = RunDravik({"show", dir.File("junk")});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;

  run = RunDravik({"show", dir.File("missing")});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(RunDravik({"show"}).ExitCode, 2);
}

TEST(CheckCommand, TheStringIdsComeFromAFormsDravik) {
  TTempDir dir;
  WriteFileBytes(dir.File("U.pas"),
                 "unit U;\ninterface\nimplementation\nprocedure P;\nbegin\n"
                 "  S := GetString('Greeting');\n  T := GetString('Missing');\nend;\nend.\n");
  TRunResult run = RunDravik({"check", dir.File("U.pas"), "--form", kData + "UnitStrings.lng"});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Out,
            "used\tGreeting\t69\nused\tMissing\t99\nunknown\tMissing\t99\nunused\tFarewell\n");

  run = RunDravik({"check", dir.File("U.pas"), "--form", kData + "TwoDravik.txt"});
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_NE(run.Err.find("choose one with --component NAME"), std::string::npos) << run.Err;
  run = RunDravik(
      {"check", dir.File("U.pas"), "--form", kData + "TwoDravik.txt", "--component", "dravik"});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Out.substr(0, 14), "used\tGreeting\t");
  EXPECT_EQ(RunDravik({"check", dir.File("U.pas"), "--names", "-", "--form", "x"}).ExitCode, 2);
}

TEST(ShowCommand, ALanguageFileStoredByFreePascalShowsItsValues) {
  TRunResult run = RunDravik({"show", DRAVIK_PEER_STREAMS "/dravik_strings.lng"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "language\tEnglish\t0\tactive\n"
            "language\tDeutsch\t1\n"
            "string\tHello\tHello\tHallo\n"
            "string\tBye\tGoodbye\tTsch\xC3\xBC"
            "ss\n");
}
