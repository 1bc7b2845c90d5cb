#include "platform/core/streams/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
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

int OpenForLocking(const std::string& fileName) {
  const std::string lockName = LockFileName(fileName);
  int handle = ::open(lockName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (handle >= 0) return handle;
  const int error = errno;
  handle = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (handle >= 0) return handle;
  throw EFOpenError("Cannot lock file " + fileName + ": " + std::strerror(error));
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
