// Form files of classes this program lacks, as Free Pascal writes them: dravik show lists their
// language data, dravik rewrite gives their bytes back, and switched, the other language.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

const std::string kStandInForm = DRAVIK_PEER_STREAMS "/standin_form.bin";
const std::string kDravikForm = DRAVIK_PEER_STREAMS "/dravik_form.bin";

const char* const kShown =
    "language\tEnglish\t0\tactive\n"
    "language\tDeutsch\t1\n"
    "property\tTitleLabel\tCaption\tOpen orders\tOffene Aufträge\n"
    "property\tTitleLabel\tAlignment\ttaCenter\ttaRightJustify\n"
    "property\tTitleLabel\tFont.Name\tSans\tSerif\n"
    "property\tTitleLabel\tFont.Style\t[fsBold,fsItalic]\t[fsUnderline]\n"
    "property\tStateList\tItems.Strings[1]\tpaid\tbezahlt\n"
    "property\tOkButton\tCaption\tOK\tGut\n"
    "property\tOrderGrid\tColumns[1].Title\tCustomer\tKunde\n"
    "property\tOrderGrid\tColumns[1].Width\t0\t120\n"
    "property\tLoadGauge\tRatio\t0.75\t0.5\n"
    "property\tOrderForm\tCaption\tOrders\tAufträge\n"
    "string\tEmpty\tNo orders\tKeine Aufträge\n";

std::string Text(const std::string& file) {
  return RunDravik({"convert", "--to", "text", file, "-"}).Out;
}

}  // namespace

TEST(RewriteCommand, AFormOfUnknownClassesShowsItsLanguageData) {
  TRunResult run = RunDravik({"show", kStandInForm});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, kShown);
}

TEST(RewriteCommand, UnchangedFilesComeBackByteForByteInEveryKind) {
  TTempDir dir;
  for (const std::string& form : {kStandInForm, kDravikForm}) {
    ASSERT_EQ(RunDravik({"rewrite", form, dir.File("same.bin")}).ExitCode, 0);
    EXPECT_EQ(ReadFileBytes(dir.File("same.bin")), ReadFileBytes(form)) << form;
  }
  ASSERT_EQ(RunDravik({"convert", "--to", "text", kStandInForm, dir.File("form.txt")}).ExitCode, 0);
  ASSERT_EQ(RunDravik({"rewrite", dir.File("form.txt"), dir.File("same.txt")}).ExitCode, 0);
  EXPECT_EQ(ReadFileBytes(dir.File("same.txt")), ReadFileBytes(dir.File("form.txt")));
  ASSERT_EQ(RunDravik({"convert", "--to", "binary", "--res", "ORDERFORM", kStandInForm,
                       dir.File("form.res")})
                .ExitCode,
            0);
  ASSERT_EQ(RunDravik({"rewrite", dir.File("form.res"), dir.File("same.res")}).ExitCode, 0);
  EXPECT_EQ(ReadFileBytes(dir.File("same.res")), ReadFileBytes(dir.File("form.res")));
}

TEST(RewriteCommand, ALanguageSwitchPutsTheOtherLanguageIntoTheStandIns) {
  TTempDir dir;
  TRunResult run =
      RunDravik({"rewrite", "--language", "Deutsch", kStandInForm, dir.File("de.bin")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const std::string text = Text(dir.File("de.bin"));
  for (const char* line :
       {"  Caption = 'Aufträge'\n", "    Alignment = taRightJustify\n",
        "    Caption = 'Offene Aufträge'\n    Font.Name = 'Serif'\n    Font.Height = -14\n"
        "    Font.Style = [fsUnderline]\n    OnClick = LabelClick\n",
        "      'new'\n      'bezahlt'\n      'shipped')\n", "    Caption = 'Gut'\n",
        "        Title = 'Kunde'\n        Width = 120\n", "    Ratio = 0.5\n",
        "    Language = 'Deutsch'\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << text;
  run = RunDravik({"show", dir.File("de.bin")});
  EXPECT_EQ(run.Out.substr(0, run.Out.find("property")),
            "language\tEnglish\t1\nlanguage\tDeutsch\t0\tactive\n");
  // And back: the file as Free Pascal wrote it.
  ASSERT_EQ(RunDravik({"rewrite", "--language", "English", dir.File("de.bin"), dir.File("en.bin")})
                .ExitCode,
            0);
  EXPECT_EQ(ReadFileBytes(dir.File("en.bin")), ReadFileBytes(kStandInForm));
}

TEST(RewriteCommand, AnUnknownLanguageOrBadUsageWritesNothing) {
  TTempDir dir;
  TRunResult run = RunDravik({"rewrite", "--language", "Klingon", kStandInForm, dir.File("x")});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Err,
            "dravik rewrite: " + kStandInForm + ": Language 'Klingon' of form Dravik not found\n");
  EXPECT_EQ(RunDravik({"rewrite", kStandInForm}).ExitCode, 2);
  EXPECT_EQ(RunDravik({"rewrite", "--language", "", kStandInForm, dir.File("x")}).ExitCode, 2);
  WriteFileBytes(dir.File("cut.bin"), ReadFileBytes(kStandInForm).substr(0, 100));
  EXPECT_EQ(RunDravik({"rewrite", dir.File("cut.bin"), dir.File("x")}).ExitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("x")));
}
