#include "platform/core/streams/FileUpdate.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/FileLock.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

// A file read whole is no larger; an endless one (/dev/zero) stops here instead of taking every
// byte of memory.
constexpr std::size_t kReadLimit = std::size_t{256} << 20;

}  // namespace

std::optional<std::string> ReadFileIfExists(const std::string& fileName) {
  const int handle = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (handle < 0) {
    if (errno == ENOENT) return std::nullopt;
    throw EFOpenError("Cannot open file " + fileName + ": " + std::strerror(errno));
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(handle, buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(handle);
      throw EFOpenError("Cannot read file " + fileName + ": " + std::strerror(error));
    }
    bytes.append(buffer, static_cast<std::size_t>(count));
    if (bytes.size() > kReadLimit) {
      ::close(handle);
      throw EFOpenError("File " + fileName + " is larger than 256 MiB, the limit of an input");
    }
  }
  ::close(handle);
  return bytes;
}

void UpdateFileLocked(const std::string& fileName, const TFileChange& change) {
  TFileLock lock(fileName);
  SaveFileAtomically(fileName, change(ReadFileIfExists(fileName)));
}

}  // namespace dravik
