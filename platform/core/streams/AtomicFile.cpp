#include "platform/core/streams/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string_view>

#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The temporary files being written, for the signal handler, which may only read memory that
// needs no construction. A slot is claimed, filled, then made live; the handler removes the live
// ones.
enum : int { kFree, kClaimed, kLive };
struct TCleanupSlot {
  std::atomic<int> State;
  char Path[PATH_MAX];
};
constinit TCleanupSlot gCleanupSlots[16] = {};

extern "C" void RemoveTemporariesAndDie(int signal) {
  for (TCleanupSlot& slot : gCleanupSlots)
    if (slot.State.load(std::memory_order_acquire) == kLive) ::unlink(slot.Path);
  // The handler was reset on entry (SA_RESETHAND): the signal, raised again, ends the process
  // as it would have without us.
  ::raise(signal);
}

// Only where the program left a signal's default in place: a program that handles a signal
// itself decides what an interruption means.
void InstallCleanupHandlers() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int signal : kCleanupSignals) {
      struct sigaction current {};
      if (::sigaction(signal, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) ||
          current.sa_handler != SIG_DFL)
        continue;
      struct sigaction action {};
      action.sa_handler = RemoveTemporariesAndDie;
      sigemptyset(&action.sa_mask);
      action.sa_flags = SA_RESETHAND;
      ::sigaction(signal, &action, nullptr);
    }
  });
}

// The cleanup signals held back for the life of the object, so that creating the temporary file
// and registering it (or renaming it and forgetting it) happen together.
class TCleanupSignalsHeld {
 public:
  TCleanupSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int signal : kCleanupSignals) sigaddset(&held, signal);
    ::pthread_sigmask(SIG_BLOCK, &held, &fPrevious);
  }
  ~TCleanupSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &fPrevious, nullptr); }
  TCleanupSignalsHeld(const TCleanupSignalsHeld&) = delete;
  TCleanupSignalsHeld& operator=(const TCleanupSignalsHeld&) = delete;

 private:
  sigset_t fPrevious;
};

// The slot now holding path, or -1 when all are taken (that file is then not removed on a
// signal).
int RegisterTemporary(const std::string& path) {
  if (path.size() >= PATH_MAX) return -1;
  InstallCleanupHandlers();
  for (int i = 0; i < static_cast<int>(std::size(gCleanupSlots)); ++i) {
    TCleanupSlot& slot = gCleanupSlots[i];
    int expected = kFree;
    if (!slot.State.compare_exchange_strong(expected, kClaimed)) continue;
    std::memcpy(slot.Path, path.c_str(), path.size() + 1);
    slot.State.store(kLive, std::memory_order_release);
    return i;
  }
  return -1;
}

void ForgetTemporary(int slot) {
  if (slot >= 0) gCleanupSlots[slot].State.store(kFree, std::memory_order_release);
}

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Where a name that does not exist leads: through symbolic links that point nowhere yet, to the
// file they would name.
std::string FollowDanglingLinks(std::string path) {
  for (int hop = 0; hop < 40; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string link(PATH_MAX, '\0');
    ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
    if (length <= 0) return path;
    link.resize(static_cast<std::size_t>(length));
    path = link.front() == '/' ? link : FolderOf(path) + link;
  }
  return path;
}

constexpr std::string_view kTemporaryPrefix = ".dravik-";

// The writer named in a temporary file's name ".dravik-PID-LETTERS"; 0 for any other name.
pid_t WriterOf(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix)) return 0;
  name.remove_prefix(kTemporaryPrefix.size());
  const std::size_t dash = name.find('-');
  if (dash == 0 || dash > 9 || name.size() != dash + 9) return 0;
  pid_t pid = 0;
  for (char c : name.substr(0, dash)) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

// Temporary files that writers killed without a chance to clean up left in folder. A file goes
// only when its writer's process is gone and nobody holds its lock (a writer holds it while it
// writes, which also covers writers whose process this one cannot see, on another machine or in
// another container).
void RemoveAbandonedTemporaries(const std::string& folder) {
  DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!listing) return;
  while (const dirent* entry = ::readdir(listing)) {
    const pid_t writer = WriterOf(entry->d_name);
    if (writer <= 0 || writer == ::getpid() || ::kill(writer, 0) == 0 || errno != ESRCH) continue;
    const int handle = ::openat(::dirfd(listing), entry->d_name,
                                O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (handle < 0) continue;
    struct stat info {};
    if (::fstat(handle, &info) == 0 && S_ISREG(info.st_mode) &&
        ::flock(handle, LOCK_EX | LOCK_NB) == 0)
      (void)::unlinkat(::dirfd(listing), entry->d_name, 0);
    ::close(handle);
  }
  ::closedir(listing);
}

// A new file in folder with a name of its own and of its writer, short enough beside any name
// the folder can hold, locked for as long as it is open; the mode is subject to the umask as for
// any new file.
int CreateTemporary(const std::string& folder, mode_t mode, std::string& path) {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    // The name only needs to be unlikely to be taken: O_EXCL makes it safe.
    uint64_t random = 0;
    if (::getrandom(&random, sizeof random, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof random))
      random = (static_cast<uint64_t>(::getpid()) << 32) ^ static_cast<uint64_t>(attempt) ^
               static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    path = folder + std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-";
    for (int i = 0; i < 8; ++i, random /= sizeof kLetters - 1)
      path += kLetters[random % (sizeof kLetters - 1)];
    int handle = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (handle >= 0) {
      (void)::flock(handle, LOCK_EX | LOCK_NB);
      return handle;
    }
    if (errno != EEXIST) return handle;
  }
  return -1;
}

}  // namespace

TAtomicFileStream::TAtomicFileStream(const std::string& fileName)
    : fFileName(fileName), fTarget(fileName) {
  auto cannotCreate = [&](int error) {
    throw EFCreateError("Cannot create file " + fFileName + ": " + std::strerror(error));
  };
  if (fileName.empty()) cannotCreate(ENOENT);
  struct stat existing {};
  mode_t mode = 0666;
  if (::stat(fileName.c_str(), &existing) == 0) {
    if (!S_ISREG(existing.st_mode)) {
      fMode = TMode::Special;
      fHandle = ::open(fileName.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
      if (fHandle < 0) cannotCreate(errno);
      return;
    }
    struct stat name {};
    if (::lstat(fileName.c_str(), &name) == 0 && S_ISLNK(name.st_mode)) {
      char* real = ::realpath(fileName.c_str(), nullptr);
      if (!real) cannotCreate(errno);
      fTarget = real;
      std::free(real);
    }
    // The file's own permission decides, as it would for writing it in place.
    fHandle = ::open(fTarget.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fHandle < 0) cannotCreate(errno);
    mode = existing.st_mode & 0777;
  } else if (errno == ENOENT) {
    fTarget = FollowDanglingLinks(fileName);
  } else {
    cannotCreate(errno);
  }

  RemoveAbandonedTemporaries(FolderOf(fTarget));
  int temporary;
  int error;
  {
    TCleanupSignalsHeld held;
    temporary = CreateTemporary(FolderOf(fTarget), mode, fTemporary);
    error = errno;
    if (temporary >= 0) fCleanupSlot = RegisterTemporary(fTemporary);
  }
  if (temporary < 0) {
    fTemporary.clear();
    if (fHandle >= 0 && (error == EACCES || error == EPERM || error == EROFS)) {
      fMode = TMode::InPlace;
      return;
    }
    if (fHandle >= 0) ::close(fHandle);
    fHandle = -1;
    cannotCreate(error);
  }
  if (fHandle >= 0) {
    ::close(fHandle);
    // Owner and group only where the system lets us; the mode after them, since a change of
    // owner clears the set-user-ID bit.
    if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())
      (void)::fchown(temporary, existing.st_uid, existing.st_gid);
    ::fchmod(temporary, existing.st_mode & 07777);
  }
  fHandle = temporary;
}

TAtomicFileStream::~TAtomicFileStream() {
  Discard();
}

void TAtomicFileStream::Discard() noexcept {
  if (fHandle >= 0) ::close(fHandle);
  fHandle = -1;
  if (!fTemporary.empty()) {
    TCleanupSignalsHeld held;
    ::unlink(fTemporary.c_str());
    ForgetTemporary(fCleanupSlot);
  }
  fTemporary.clear();
  fCleanupSlot = -1;
}

void TAtomicFileStream::Fail(int error) {
  throw EWriteError("Stream write error: " + fFileName + ": " + std::strerror(error));
}

int64_t TAtomicFileStream::Read(void* buffer, int64_t count) {
  if (count <= 0) return 0;
  ssize_t n;
  do n = ::read(fHandle, buffer, static_cast<std::size_t>(count));
  while (n < 0 && errno == EINTR);
  if (n < 0) throw EReadError("Stream read error: " + fFileName + ": " + std::strerror(errno));
  fPosition += n;
  return n;
}

int64_t TAtomicFileStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (fHandle < 0) Fail(EBADF);
  ssize_t n;
  do n = ::write(fHandle, buffer, static_cast<std::size_t>(count));
  while (n < 0 && errno == EINTR);
  if (n < 0) Fail(errno);
  fPosition += n;
  if (fPosition > fEnd) fEnd = fPosition;
  StartWriteBack();
  return n;
}

// A big file would make Commit wait for all of it to reach the disk; what is written is sent on
// its way as the file grows, so that the wait is only for the last part.
void TAtomicFileStream::StartWriteBack() noexcept {
#ifdef SYNC_FILE_RANGE_WRITE
  constexpr int64_t kWriteBackStep = int64_t{8} << 20;
  if (fMode == TMode::Special || fEnd - fWrittenBack < kWriteBackStep) return;
  // Only a hint: the fsync at Commit still decides, so a failure here changes nothing.
  (void)::sync_file_range(fHandle, fWrittenBack, fEnd - fWrittenBack, SYNC_FILE_RANGE_WRITE);
  fWrittenBack = fEnd;
#endif
}

int64_t TAtomicFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  int whence = origin == soFromCurrent ? SEEK_CUR : origin == soFromEnd ? SEEK_END : SEEK_SET;
  if (fMode == TMode::Special) {
    // A device or a pipe has no positions to go to; it is written from start to end.
    if (origin == soFromCurrent && offset == 0) return fPosition;
    throw EStreamError("Invalid stream position: " + fFileName + ": " + std::strerror(ESPIPE));
  }
  off_t position = ::lseek(fHandle, offset, whence);
  if (position < 0)
    throw EStreamError("Invalid stream position: " + fFileName + ": " + std::strerror(errno));
  fPosition = position;
  return position;
}

void TAtomicFileStream::Commit() {
  if (fHandle < 0) Fail(EBADF);
  int handle = fHandle;
  fHandle = -1;
  switch (fMode) {
    case TMode::Special:
      if (::close(handle) != 0) Fail(errno);
      return;
    case TMode::InPlace:
      if (::ftruncate(handle, fEnd) != 0 || ::fsync(handle) != 0) {
        int error = errno;
        ::close(handle);
        Fail(error);
      }
      if (::close(handle) != 0) Fail(errno);
      return;
    case TMode::Replace:
      break;
  }
  if (::fsync(handle) != 0) {
    int error = errno;
    ::close(handle);
    Fail(error);
  }
  if (::close(handle) != 0) Fail(errno);
  {
    TCleanupSignalsHeld held;
    if (::rename(fTemporary.c_str(), fTarget.c_str()) != 0) Fail(errno);
    ForgetTemporary(fCleanupSlot);
  }
  fTemporary.clear();
  fCleanupSlot = -1;
  // The rename itself reaches the disk with its folder; a folder that cannot be synced changes
  // nothing about the content.
  std::string folder = FolderOf(fTarget);
  int folderHandle =
      ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderHandle >= 0) {
    (void)::fsync(folderHandle);
    ::close(folderHandle);
  }
}

void SaveFileAtomically(const std::string& fileName, std::string_view bytes) {
  TAtomicFileStream file(fileName);
  file.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  file.Commit();
}

}  // namespace dravik
