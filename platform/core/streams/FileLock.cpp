#include "platform/core/streams/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

// Names that reach the same file through a symbolic link share one lock file.
std::string LockFileName(const std::string& fileName) {
  char resolved[PATH_MAX];
  if (::realpath(fileName.c_str(), resolved)) return std::string(resolved) + ".lock";
  return fileName + ".lock";
}

[[noreturn]] void CannotLock(const std::string& name, int error) {
  throw EFOpenError("Cannot lock file " + name + ": " + std::strerror(error));
}

int OpenForLocking(const std::string& fileName) {
  const std::string lockName = LockFileName(fileName);
  int handle = ::open(lockName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
  if (handle >= 0) return handle;
  const int error = errno;
  struct stat lock {};
  if (::stat(lockName.c_str(), &lock) == 0) {
    // flock needs no write access: a lock file made by another user locks as well read-only. A
    // folder of that name is no lock file anybody else would take.
    if (S_ISDIR(lock.st_mode)) CannotLock(lockName, EISDIR);
    handle = ::open(lockName.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (handle >= 0) return handle;
    CannotLock(lockName, errno);
  }
  // A folder that takes no new file has its files rewritten in place, so a lock on the file
  // itself stays with the file every writer opens.
  if (errno == ENOENT && (error == EACCES || error == EPERM || error == EROFS)) {
    handle = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (handle >= 0) return handle;
  }
  CannotLock(lockName, error);
}

}  // namespace

TFileLock::TFileLock(const std::string& fileName) : fHandle(OpenForLocking(fileName)) {
  while (::flock(fHandle, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    const int error = errno;
    ::close(fHandle);
    throw EFOpenError("Cannot lock file " + fileName + ": " + std::strerror(error));
  }
}

TFileLock::~TFileLock() {
  ::close(fHandle);  // releases the lock
}

}  // namespace dravik
