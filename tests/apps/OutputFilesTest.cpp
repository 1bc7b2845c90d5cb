// What dravik convert does to the file it writes, tried as a careless user would: a device, a
// FIFO or a link as OUT, a read-only OUT, a read-only folder, a name of the longest length, an
// interruption half way.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/support/TestFiles.h"

extern char** environ;

using namespace dravik;

namespace {

const std::string kDravik = DRAVIK_BIN_DIR "/dravik";
const std::string kText = "object Form1: TForm1\n  Tag = 7\nend\n";

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TRunResult Convert(const std::vector<std::string>& args, const std::string& input = kText) {
  std::vector<std::string> argv = {kDravik, "convert", "--to", "text"};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunProgram(argv, input);
}

// dravik without root's rights (as nobody, when the tests run as root).
TRunResult ConvertUnprivileged(const std::vector<std::string>& args) {
  std::vector<std::string> argv;
  if (::geteuid() == 0)
    argv = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"};
  argv.insert(argv.end(), {kDravik, "convert", "--to", "text"});
  argv.insert(argv.end(), args.begin(), args.end());
  return RunProgram(argv, kText);
}

TEST(ConvertOutput, FifosAndDevicesAreWrittenNotReplaced) {
  TTempDir dir;
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Held open for reading (and writing, so the open does not wait): dravik's output stays in the
  // FIFO's buffer until it is read here.
  const int reader = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  TRunResult run = Convert({"-", fifo});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  char received[4096];
  const ssize_t count = ::read(reader, received, sizeof received);
  ::close(reader);
  EXPECT_EQ(std::string(received, static_cast<std::size_t>(std::max<ssize_t>(count, 0))), kText);
  struct stat info {};
  ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));

  if (::geteuid() != 0) GTEST_SKIP() << "making devices needs root";
  // Devices of its own, so that a fault cannot replace the system's /dev/null.
  const std::string null = dir.File("null"), full = dir.File("full");
  ASSERT_EQ(::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  ASSERT_EQ(::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
  run = Convert({"-", null});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  run = Convert({"-", full});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Err, "dravik convert: Stream write error: " + full + ": No space left on device\n");
  for (const std::string& device : {null, full}) {
    ASSERT_EQ(::lstat(device.c_str(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode)) << device;
  }
  EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{"fifo", "full", "null"}));
}

TEST(ConvertOutput, ALinkKeepsPointingAndItsTargetGetsTheResult) {
  TTempDir dir;
  std::filesystem::create_directory(dir.File("forms"));
  WriteFileBytes(dir.File("forms/main.txt"), "old");
  ASSERT_EQ(::symlink("forms/main.txt", dir.File("current").c_str()), 0);
  TRunResult run = Convert({"-", dir.File("current")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("current")));
  EXPECT_EQ(ReadFileBytes(dir.File("forms/main.txt")), kText);
  EXPECT_EQ(Entries(dir.File("forms")), std::vector<std::string>{"main.txt"});
}

TEST(ConvertOutput, TheFilesOwnPermissionDecides) {
  TTempDir dir;
  ::chmod(dir.Path().c_str(), 0777);
  const std::string readOnly = dir.File("read-only.txt");
  WriteFileBytes(readOnly, "kept");
  ::chmod(readOnly.c_str(), 0444);
  TRunResult run = ConvertUnprivileged({"-", readOnly});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Err, "dravik convert: Cannot create file " + readOnly + ": Permission denied\n");
  EXPECT_EQ(ReadFileBytes(readOnly), "kept");

  std::filesystem::create_directory(dir.File("locked"));
  const std::string writable = dir.File("locked/writable.txt");
  WriteFileBytes(writable, std::string(1000, 'o'));
  ::chmod(writable.c_str(), 0666);
  ::chmod(dir.File("locked").c_str(), 0555);
  run = ConvertUnprivileged({"-", writable});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(ReadFileBytes(writable), kText) << "rewritten in place, the old tail cut off";
  run = ConvertUnprivileged({"-", dir.File("locked/new.txt")});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Err, "dravik convert: Cannot create file " + dir.File("locked/new.txt") +
                         ": Permission denied\n");
  ::chmod(dir.File("locked").c_str(), 0755);
}

TEST(ConvertOutput, NamesOfTheLongestLengthWork) {
  TTempDir dir;
  for (std::size_t length : {249u, 255u}) {
    const std::string out = dir.File(std::string(length, 'x'));
    WriteFileBytes(out, "old");
    TRunResult run = Convert({"-", out});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(ReadFileBytes(out), kText);
  }
  EXPECT_EQ(Entries(dir.Path()).size(), 2u);
}

// dravik waits for its input with OUT already opened; the signal must take the temporary file
// with it and leave OUT as it was.
TEST(ConvertOutput, AnInterruptedRunLeavesNoTemporaryFile) {
  for (int signal : {SIGINT, SIGTERM}) {
    TTempDir dir;
    const std::string out = dir.File("form.txt");
    WriteFileBytes(out, "old");
    int input[2];
    ASSERT_EQ(::pipe(input), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], 0);
    posix_spawn_file_actions_addclose(&actions, input[1]);
    // The signals at their defaults, whatever the test runner left them at.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, signal);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    std::vector<std::string> argv = {kDravik, "convert", "--to", "text", "-", out};
    std::vector<char*> args;
    for (std::string& arg : argv) args.push_back(arg.data());
    args.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, args[0], &actions, &attributes, args.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(input[0]);
    (void)!::write(input[1], "object A", 8);
    // The temporary file appears once OUT is opened, before the input is read.
    for (int tries = 0; tries < 1000 && Entries(dir.Path()).size() < 2; ++tries)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(Entries(dir.Path()).size(), 2u);
    ::kill(pid, signal);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(input[1]);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"form.txt"});
    EXPECT_EQ(ReadFileBytes(out), "old");
  }
}

}  // namespace
