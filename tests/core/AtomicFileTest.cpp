#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/core/classes/Strings.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/system/Exceptions.h"
#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

ino_t Inode(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

}  // namespace

TEST(AtomicFile, ReplacesContentKeepsPermissionsAndLeavesNothingBehind) {
  TTempDir dir;
  std::string file = dir.File("settings.txt");
  SaveFileAtomically(file, "first");
  EXPECT_EQ(ReadFileBytes(file), "first");
  ::chmod(file.c_str(), 0600);
  SaveFileAtomically(file, "second");
  EXPECT_EQ(ReadFileBytes(file), "second");
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  TStringList lines;
  lines.SetText("a\nb");
  lines.SaveToFile(file);
  EXPECT_EQ(ReadFileBytes(file), "a\r\nb\r\n");
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"settings.txt"});
  try {
    SaveFileAtomically(dir.File("missing/settings.txt"), "x");
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_NE(e.Message().find("Cannot create file " + dir.File("missing/settings.txt")),
              std::string::npos);
  }
}

TEST(AtomicFile, WithoutCommitTheOldContentStaysAndTheTemporaryGoes) {
  TTempDir dir;
  std::string file = dir.File("form.txt");
  WriteFileBytes(file, "old");
  {
    TAtomicFileStream stream(file);
    stream.WriteBuffer("new content", 11);
    EXPECT_EQ(Entries(dir.Path()).size(), 2u) << "the temporary is beside the file";
  }
  EXPECT_EQ(ReadFileBytes(file), "old");
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"form.txt"});
  { TAtomicFileStream stream(dir.File("new.txt")); }
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"form.txt"}) << "no new file either";
}

// A file big enough that its first parts are sent to the disk while the rest is written: a part
// written again after that, and a stream left without Commit, behave as for a small file.
TEST(AtomicFile, ABigFileSentToTheDiskAsItGrowsKeepsEveryByteWrittenLast) {
  TTempDir dir;
  const std::string file = dir.File("big.txt");
  WriteFileBytes(file, "old");
  std::string expected;
  for (int i = 0; expected.size() < (std::size_t{20} << 20); ++i)
    expected += "line " + std::to_string(i) + "\n";
  for (bool commit : {false, true}) {
    {
      TAtomicFileStream stream(file);
      for (std::size_t at = 0; at < expected.size(); at += 1 << 20)
        stream.WriteBuffer(expected.data() + at, static_cast<int64_t>(std::min<std::size_t>(
                                                     1 << 20, expected.size() - at)));
      stream.Seek(10, soFromBeginning);
      stream.WriteBuffer("AGAIN", 5);
      if (commit) stream.Commit();
    }
    if (!commit) {
      EXPECT_EQ(ReadFileBytes(file), "old");
    }
  }
  expected.replace(10, 5, "AGAIN");
  EXPECT_TRUE(ReadFileBytes(file) == expected);
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"big.txt"});
}

TEST(AtomicFile, SymbolicLinksKeepPointingAndTheirTargetIsReplaced) {
  TTempDir dir;
  std::filesystem::create_directory(dir.File("real"));
  WriteFileBytes(dir.File("real/form.txt"), "old");
  // A relative link in another folder, and a link to that link.
  ASSERT_EQ(::symlink("real/form.txt", dir.File("link").c_str()), 0);
  ASSERT_EQ(::symlink(dir.File("link").c_str(), dir.File("link2").c_str()), 0);
  SaveFileAtomically(dir.File("link2"), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link")));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link2")));
  EXPECT_EQ(ReadFileBytes(dir.File("real/form.txt")), "new");
  EXPECT_EQ(Entries(dir.File("real")), std::vector<std::string>{"form.txt"});

  // A link that points nowhere yet creates its target.
  ASSERT_EQ(::symlink("real/created.txt", dir.File("dangling").c_str()), 0);
  SaveFileAtomically(dir.File("dangling"), "made");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("dangling")));
  EXPECT_EQ(ReadFileBytes(dir.File("real/created.txt")), "made");

  ASSERT_EQ(::symlink("loop", dir.File("loop").c_str()), 0);
  EXPECT_THROW(SaveFileAtomically(dir.File("loop"), "x"), EFCreateError);
}

TEST(AtomicFile, FifosAndDevicesAreWrittenInPlace) {
  TTempDir dir;
  std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] {
    std::ifstream in(fifo, std::ios::binary);
    received.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  });
  SaveFileAtomically(fifo, "through the pipe");
  reader.join();
  EXPECT_EQ(received, "through the pipe");
  struct stat info {};
  ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"fifo"});

  EXPECT_THROW(SaveFileAtomically(dir.Path(), "x"), EFCreateError) << "a folder";

  if (::geteuid() != 0) GTEST_SKIP() << "making devices needs root";
  // The null and the full device, made here so that a fault cannot replace the system's own.
  std::string null = dir.File("null"), full = dir.File("full");
  ASSERT_EQ(::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  ASSERT_EQ(::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
  SaveFileAtomically(null, "discarded");
  try {
    SaveFileAtomically(full, "no room");
    FAIL() << "the full device takes nothing";
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.Message(), "Stream write error: " + full + ": No space left on device");
  }
  for (const std::string& device : {null, full}) {
    ASSERT_EQ(::lstat(device.c_str(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode)) << device;
  }
  EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{"fifo", "full", "null"}));
}

TEST(AtomicFile, NamesUpToTheSystemLimitWork) {
  TTempDir dir;
  for (std::size_t length : {249u, 255u}) {
    std::string file = dir.File(std::string(length, 'n'));
    SaveFileAtomically(file, "first");
    SaveFileAtomically(file, "second");
    EXPECT_EQ(ReadFileBytes(file), "second");
  }
  EXPECT_THROW(SaveFileAtomically(dir.File(std::string(256, 'n')), "x"), EFCreateError);
  EXPECT_EQ(Entries(dir.Path()).size(), 2u);
}

TEST(AtomicFile, TheFilesOwnPermissionDecides) {
  TTempDir dir;
  ::chmod(dir.Path().c_str(), 0777);
  std::string readOnly = dir.File("read-only.txt");
  WriteFileBytes(readOnly, "kept");
  ::chmod(readOnly.c_str(), 0444);
  EXPECT_EQ(RunUnprivileged([&] {
              try {
                SaveFileAtomically(readOnly, "replaced");
              } catch (const EFCreateError& e) {
                return e.Message() == "Cannot create file " + readOnly + ": Permission denied" ? 0
                                                                                               : 2;
              }
              return 1;
            }),
            0);
  EXPECT_EQ(ReadFileBytes(readOnly), "kept");

  // A writable file in a folder that takes no new file: rewritten in place.
  std::filesystem::create_directory(dir.File("locked"));
  std::string writable = dir.File("locked/writable.txt");
  WriteFileBytes(writable, "a longer old content");
  ::chmod(writable.c_str(), 0666);
  ::chmod(dir.File("locked").c_str(), 0555);
  const ino_t inode = Inode(writable);
  EXPECT_EQ(RunUnprivileged([&] {
              SaveFileAtomically(writable, "new");
              return 0;
            }),
            0);
  EXPECT_EQ(ReadFileBytes(writable), "new");
  EXPECT_EQ(Inode(writable), inode);
  EXPECT_EQ(RunUnprivileged([&] {
              try {
                SaveFileAtomically(dir.File("locked/new.txt"), "x");
              } catch (const EFCreateError& e) {
                return e.Message().ends_with(": Permission denied") ? 0 : 2;
              }
              return 1;
            }),
            0);
  ::chmod(dir.File("locked").c_str(), 0755);
}

namespace {

// A process that writes part of file through its temporary and waits there to be killed; its
// pid once the temporary holds the bytes, -1 when it could not start.
pid_t StartWriterThatWaits(const std::string& file) {
  int ready[2];
  if (::pipe(ready) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    ::alarm(60);  // a fault ends the child rather than hanging the test
    TAtomicFileStream stream(file);
    stream.WriteBuffer("partial", 7);
    (void)::write(ready[1], "w", 1);
    for (;;) ::pause();
  }
  ::close(ready[1]);
  char byte;
  const bool started = child > 0 && ::read(ready[0], &byte, 1) == 1;
  ::close(ready[0]);
  return started ? child : -1;
}

}  // namespace

TEST(AtomicFile, AnInterruptingSignalRemovesTheTemporary) {
  for (int signal : {SIGINT, SIGTERM}) {
    TTempDir dir;
    std::string file = dir.File("big.bin");
    WriteFileBytes(file, "old");
    struct sigaction current {};
    ::sigaction(signal, nullptr, &current);
    if (current.sa_handler == SIG_IGN) continue;  // the suite was started with it ignored
    const pid_t child = StartWriterThatWaits(file);
    ASSERT_GT(child, 0);
    EXPECT_EQ(Entries(dir.Path()).size(), 2u);
    ::kill(child, signal);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "ended by the signal";
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"big.bin"});
    EXPECT_EQ(ReadFileBytes(file), "old");
  }
}

TEST(AtomicFile, TheNextWriteRemovesTemporariesOfKilledWritersOnly) {
  TTempDir dir;
  const std::string file = dir.File("settings.txt");
  WriteFileBytes(file, "old");
  const pid_t child = StartWriterThatWaits(file);
  ASSERT_GT(child, 0);
  ::kill(child, SIGKILL);  // no handler runs
  ::waitpid(child, nullptr, 0);
  std::vector<std::string> killed = Entries(dir.Path());
  std::erase(killed, "settings.txt");
  ASSERT_EQ(killed.size(), 1u);

  const std::string dead = std::to_string(child);
  // A writer whose process this one cannot see still holds its file's lock.
  const std::string held = ".dravik-" + dead + "-heldLock";
  WriteFileBytes(dir.File(held), "");
  const int holder = ::open(dir.File(held).c_str(), O_RDONLY);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
  const std::vector<std::string> kept = {
      ".dravik-1-aliveXyz",      // its writer lives
      ".dravik-abcdefgh",        // names no writer
      ".dravik-" + dead + "-x",  // not a temporary's name
      held,
  };
  for (const std::string& name : kept)
    if (name != held) WriteFileBytes(dir.File(name), "");

  SaveFileAtomically(file, "new");
  ::close(holder);
  std::vector<std::string> expected = kept;
  expected.push_back("settings.txt");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Entries(dir.Path()), expected);
  EXPECT_EQ(ReadFileBytes(file), "new");
}
