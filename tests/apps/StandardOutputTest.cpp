// Every command's standard output is checked: to a full disk or a closed pipe, what it prints is
// lost, and that is a failure (exit code 1, one line naming the output), never exit code 0.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/support/TestFiles.h"

extern char** environ;

using namespace dravik;

namespace {

const std::string kDravik = DRAVIK_BIN_DIR "/dravik";
const std::string kData = DRAVIK_TEST_DATA "/source/";

// Each command with arguments that make it print something.
std::vector<std::vector<std::string>> PrintingCommands(const std::string& form) {
  return {{"--help"},
          {"scan", "--help"},
          {"classes"},
          {"classes", "TFont"},
          {"scan", kData + "MainForm.pas"},
          {"scan", "--mask", kData + "MainForm.pas"},
          {"check", kData + "MainForm.pas", "--names", kData + "MainForm.names"},
          {"convert", "--to", "text", form, "-"},
          {"convert", "--to", "binary", form, "-"}};
}

std::string Joined(const std::vector<std::string>& args) {
  std::string text;
  for (const std::string& arg : args) text += " " + arg;
  return text;
}

struct TPipeRun {
  int Status = 0;
  std::string Err;
};

// Runs dravik with standard output a pipe whose reading end is already closed, and SIGPIPE
// ignored or at its default.
TPipeRun RunIntoClosedPipe(std::vector<std::string> args, bool ignoreSigpipe) {
  TTempDir dir;
  const std::string err = dir.File("err");
  int pipe[2];
  if (::pipe(pipe) != 0) return {};
  ::close(pipe[0]);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  if (!ignoreSigpipe) sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  // An ignored signal stays ignored across exec.
  struct sigaction ignore {
  }, previous{};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGPIPE, &ignore, &previous);
  args.insert(args.begin(), kDravik);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  ::sigaction(SIGPIPE, &previous, nullptr);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  ::close(pipe[1]);
  TPipeRun run;
  if (spawned != 0) return run;
  ::waitpid(pid, &run.Status, 0);
  run.Err = ReadFileBytes(err);
  return run;
}

TEST(StandardOutput, AFullDiskIsAFailureNamingTheOutput) {
  TTempDir dir;
  const std::string form = dir.File("form.txt");
  WriteFileBytes(form, "object Form1: TForm1\n  Tag = 7\nend\n");
  for (const std::vector<std::string>& args : PrintingCommands(form)) {
    std::string command = "'" + kDravik + "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    const TRunResult run = RunProgram({"/bin/sh", "-c", command + " >/dev/full"});
    EXPECT_EQ(run.ExitCode, 1) << Joined(args);
    EXPECT_NE(run.Err.find(": Stream write error: standard output: No space left on device\n"),
              std::string::npos)
        << Joined(args) << ": " << run.Err;
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
  }
}

TEST(StandardOutput, AClosedPipeIsAFailureOrEndsTheProgram) {
  TTempDir dir;
  const std::string form = dir.File("form.txt");
  WriteFileBytes(form, "object Form1: TForm1\n  Tag = 7\nend\n");
  for (const std::vector<std::string>& args : PrintingCommands(form)) {
    TPipeRun run = RunIntoClosedPipe(args, true);
    EXPECT_TRUE(WIFEXITED(run.Status) && WEXITSTATUS(run.Status) == 1) << Joined(args);
    EXPECT_NE(run.Err.find(": Stream write error: standard output: Broken pipe\n"),
              std::string::npos)
        << Joined(args) << ": " << run.Err;
    // With SIGPIPE at its default the signal ends the program, as it ends any filter.
    run = RunIntoClosedPipe(args, false);
    EXPECT_TRUE(WIFSIGNALED(run.Status) && WTERMSIG(run.Status) == SIGPIPE) << Joined(args);
  }
}

}  // namespace
