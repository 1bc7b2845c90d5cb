// dravik edit without a development environment: pictures of the editor on a form, and what
// it refuses.
#include <gtest/gtest.h>

#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

const std::string kSource = std::string(DRAVIK_TEST_DATA) + "/../..";

}  // namespace

TEST(EditCommand, ScreenshotsShowTheEditorInBothLanguagesAndWriteNothing) {
  TTempDir dir;
  const std::string form = dir.File("TMainForm.txt");
  const std::string bytes = ReadFileBytes(kSource + "/apps/demo/forms/TMainForm.txt");
  WriteFileBytes(form, bytes);
  const TRunResult run = RunDravik({"edit", "--screenshot-dir", dir.File("shots"), form});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out,
            dir.File("shots") + "/edit-English.png\n" + dir.File("shots") + "/edit-Deutsch.png\n");
  for (const char* picture : {"/edit-English.png", "/edit-Deutsch.png"})
    EXPECT_EQ(ReadFileBytes(dir.File("shots") + picture).substr(1, 3), "PNG") << picture;
  EXPECT_EQ(ReadFileBytes(form), bytes);
}

TEST(EditCommand, RefusesWhatItCannotEdit) {
  TTempDir dir;
  struct Case {
    std::vector<std::string> Args;
    int ExitCode;
    const char* Err;  // the start of standard error
  };
  WriteFileBytes(dir.File("plain.txt"), "object F: TForm\nend\n");
  const Case cases[] = {
      {{"edit"}, 2, "dravik edit: "},
      {{"edit", "-"}, 2, "dravik edit: the form is written back"},
      {{"edit", "--screenshot-dir", dir.File("s"), dir.File("plain.txt")},
       1,
       "dravik edit: The form has no TDravik component"},
      {{"edit", dir.File("plain.txt")}, 1, "dravik edit: no display"},
  };
  TEnvironmentScope noPlatform("QT_QPA_PLATFORM", ""), noDisplay("DISPLAY", ""),
      noWayland("WAYLAND_DISPLAY", "");
  for (const Case& c : cases) {
    const TRunResult run = RunDravik(c.Args);
    EXPECT_EQ(run.ExitCode, c.ExitCode) << c.Args.back() << ": " << run.Err;
    EXPECT_EQ(run.Err.rfind(c.Err, 0), 0u) << run.Err;
  }
}
