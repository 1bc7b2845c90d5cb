#include "platform/core/streams/FileUpdate.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/FileLock.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

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
  }
  ::close(handle);
  return bytes;
}

void UpdateFileLocked(const std::string& fileName, const TFileChange& change) {
  TFileLock lock(fileName);
  SaveFileAtomically(fileName, change(ReadFileIfExists(fileName)));
}

}  // namespace dravik
