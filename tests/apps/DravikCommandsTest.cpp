// The dravik tool's overview and its classes command, run as a user runs them.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/TestFiles.h"

using namespace dravik;

TEST(DravikTool, OverviewListsEveryCommandAndUsageErrorsExitWithTwo) {
  TRunResult run = RunDravik({"--help"});
  ASSERT_EQ(run.ExitCode, 0);
  for (const char* command : {"convert", "show", "classes", "scan", "check"})
    EXPECT_NE(run.Out.find(std::string("  ") + command), std::string::npos) << command;
  run = RunDravik({});
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_NE(run.Err.find("Usage: dravik COMMAND"), std::string::npos);
  run = RunDravik({"translate"});
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_EQ(run.Err, "dravik: unknown command 'translate' (see 'dravik --help')\n");
  run = RunDravik({"classes", "--bogus"});
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_EQ(run.Err, "dravik classes: unknown option '--bogus' (see 'dravik classes --help')\n");
}

TEST(DravikTool, ClassesListsClassesAndTheirProperties) {
  TRunResult run = RunDravik({"classes"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find("TDataModule\tTComponent\tForms\tform\n"), std::string::npos);
  EXPECT_NE(run.Out.find("TFont\tTPersistent\tGraphics\tform\n"), std::string::npos);
  // The framework's classes that forms are made of, which a form file cannot name itself.
  EXPECT_NE(run.Out.find("TCollection\tTPersistent\tClasses\t\n"), std::string::npos);
  EXPECT_NE(run.Out.find("TCollectionItem\tTPersistent\tClasses\t\n"), std::string::npos);
  EXPECT_NE(run.Out.find("TComponent\tTPersistent\tClasses\t\n"), std::string::npos);
  EXPECT_EQ(run.Out.find("TObject\t\t"), std::string::npos) << "it has no type information";
  EXPECT_LT(run.Out.find("TCollection\t"), run.Out.find("TFont\t")) << "sorted by name";

  run = RunDravik({"classes", "TComponent"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "Name\ttkLString\tstring\trw\t\t\nTag\ttkInteger\tInteger\trw\t0\t\n");
  run = RunDravik({"classes", "tcollection"});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "") << "a collection publishes no properties of its own";

  run = RunDravik({"classes", "tfont"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "Charset\ttkInteger\tTFontCharset\trw\t\t\n"
            "Color\ttkInteger\tTColor\trw\t\t\n"
            "Height\ttkInteger\tInteger\trw\t\t\n"
            "Name\ttkLString\tTFontName\trw\t\t\n"
            "Pitch\ttkEnumeration\tTFontPitch\trw\tfpDefault\t(fpDefault,fpVariable,fpFixed)\n"
            "Size\ttkInteger\tInteger\trw\t\t\n"
            "Style\ttkSet\tTFontStyles\trw\t\t[fsBold,fsItalic,fsUnderline,fsStrikeOut]\n");

  run = RunDravik({"classes", "TNothing"});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Err, "dravik classes: Class TNothing not found (see 'dravik classes')\n");
  EXPECT_EQ(RunDravik({"classes", "TFont", "TDataModule"}).ExitCode, 2);
}

// The program tells its version and, unit by unit, the revision it was built from.
TEST(DravikTool, VersionsListEveryUnitWithItsRevision) {
  TRunResult run = RunDravik({"--version"});
  ASSERT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Out.rfind("dravik 3.0 (", 0), 0u) << run.Out;

  run = RunDravik({"versions"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  bool found = false;
  std::istringstream lines(run.Out);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, '\t');) fields.push_back(cell);
    ASSERT_EQ(fields.size(), 5u) << line;
    EXPECT_EQ(fields[4].substr(fields[4].find_last_of('/') + 1), fields[0]) << line;
    EXPECT_EQ(fields[2].size(), 16u) << "yyyy-mm-dd hh:nn: " << line;
    found = found || fields[4] == "/dravik/apps/dravik/VersionsCommand.cpp";
  }
  EXPECT_TRUE(found) << run.Out;
  EXPECT_EQ(RunDravik({"versions", "extra"}).ExitCode, 2);
}
