// The files dravik reads, tried as a careless user would: a pipe given as a path, a FIFO, an
// input that never ends, one larger than the limit, a folder.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

const std::string kDravik = DRAVIK_BIN_DIR "/dravik";
const std::string kData = DRAVIK_TEST_DATA "/source/";
const std::string kText = "object Form1: TForm1\n  Tag = 7\nend\n";
const std::string kMainForm = DRAVIK_TEST_DATA "/../../apps/demo/forms/TMainForm.txt";
const std::string kLanguageFile = "[TMainForm.Deutsch]\r\nCloseButton.Caption='Zumachen'\r\n";

// Runs dravik through the shell, so that a pipe can feed /dev/stdin.
TRunResult Shell(const std::string& command) {
  return RunProgram({"/bin/sh", "-c", command});
}

TEST(Inputs, APipeGivenAsAPathIsReadAsAStream) {
  TTempDir dir;
  WriteFileBytes(dir.File("form.txt"), kText);
  const std::string form = "'" + dir.File("form.txt") + "'";
  TRunResult run = Shell("cat " + form + " | '" + kDravik + "' convert --to text /dev/stdin -");
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, kText);

  const std::string unit = "'" + kData + "MainForm.pas'";
  const TRunResult whole = Shell("'" + kDravik + "' scan " + unit);
  run = Shell("cat " + unit + " | '" + kDravik + "' scan /dev/stdin");
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, whole.Out);

  const std::string names = "'" + kData + "MainForm.names'";
  const TRunResult checked = Shell("'" + kDravik + "' check " + unit + " --names " + names);
  run = Shell("cat " + names + " | '" + kDravik + "' check " + unit + " --names /dev/stdin");
  EXPECT_EQ(run.ExitCode, 1) << run.Err;
  EXPECT_EQ(run.Out, checked.Out);

  WriteFileBytes(dir.File("de.lng"), kLanguageFile);
  const std::string language = "'" + dir.File("de.lng") + "'";
  run = Shell("cat " + language + " | '" + kDravik + "' sections /dev/stdin");
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "TMainForm=Deutsch\n");
  const TRunResult imported = RunDravik({"import", kMainForm, dir.File("de.lng"), "-"});
  ASSERT_EQ(imported.ExitCode, 0) << imported.Err;
  run = Shell("cat " + language + " | '" + kDravik + "' import '" + kMainForm + "' /dev/stdin -");
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, imported.Out);
}

TEST(Inputs, AFifoIsReadAsAStream) {
  TTempDir dir;
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  WriteFileBytes(dir.File("form.txt"), kText);
  // The writer waits in the background until dravik opens the FIFO.
  const TRunResult run = Shell("cat '" + dir.File("form.txt") + "' > '" + fifo + "' & exec '" +
                               kDravik + "' convert --to binary '" + fifo + "' -");
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out.substr(0, 4), "TPF0");
}

TEST(Inputs, AnInputThatNeverEndsStopsAtTheLimit) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"convert", "--to", "text", "/dev/zero", "-"},
        {"sections", "/dev/zero"},
        {"import", kMainForm, "/dev/zero", "-"},
        {"config", "/dev/zero", "--set", "S", "k", "v"}}) {
    const TRunResult run = RunDravik(args);
    EXPECT_EQ(run.ExitCode, 1) << args[0];
    EXPECT_EQ(run.Err, "dravik " + args[0] +
                           ": File /dev/zero is larger than 256 MiB, the limit of an input\n");
    EXPECT_EQ(run.Out, "");
  }
}

TEST(Inputs, AFileLargerThanTheLimitIsRefusedBeforeItIsRead) {
  TTempDir dir;
  const std::string big = dir.File("big.pas");
  WriteFileBytes(big, "unit Big;");
  ASSERT_EQ(::truncate(big.c_str(), (int64_t{256} << 20) + 1), 0);  // sparse: nothing is written
  const std::string message = "File " + big + " is larger than 256 MiB, the limit of an input\n";
  for (const std::vector<std::string>& args : {std::vector<std::string>{"scan", big},
                                               {"check", big, "--names", big},
                                               {"convert", "--to", "text", big, "-"}}) {
    std::vector<std::string> argv = args;
    argv.insert(argv.begin(), kDravik);
    const TRunResult run = RunProgram(argv);
    EXPECT_EQ(run.ExitCode, 1) << args[0];
    EXPECT_EQ(run.Err, "dravik " + args[0] + ": " + message);
    EXPECT_EQ(run.Out, "");
  }
}

TEST(Inputs, FoldersAndMissingFilesAreNamed) {
  TTempDir dir;
  for (const std::vector<std::string>& args : {std::vector<std::string>{"scan", dir.Path()},
                                               {"check", dir.Path(), "--names", "-"},
                                               {"convert", "--to", "text", dir.Path(), "-"},
                                               {"sections", dir.Path()},
                                               {"import", kMainForm, dir.Path(), "-"}}) {
    std::vector<std::string> argv = args;
    argv.insert(argv.begin(), kDravik);
    TRunResult run = RunProgram(argv);
    EXPECT_EQ(run.ExitCode, 1) << args[0];
    EXPECT_EQ(run.Err,
              "dravik " + args[0] + ": Cannot open file " + dir.Path() + ": Is a directory\n");
  }
  const TRunResult run = RunProgram({kDravik, "scan", dir.File("missing.pas")});
  EXPECT_EQ(run.Err, "dravik scan: Cannot open file " + dir.File("missing.pas") +
                         ": No such file or directory\n");
}

}  // namespace
