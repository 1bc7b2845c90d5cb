#include "platform/core/streams/AtomicFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/core/system/Exceptions.h"

namespace dravik {

void SaveFileAtomically(const std::string& fileName, std::string_view bytes) {
  std::string temporary = fileName + ".XXXXXX";
  int handle = ::mkstemp(temporary.data());
  if (handle < 0)
    throw EFCreateError("Cannot create file " + fileName + ": " + std::strerror(errno));
  struct stat existing {};
  mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(handle,
           ::stat(fileName.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0666 & ~mask);
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(handle, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      int error = errno;
      ::close(handle);
      ::unlink(temporary.c_str());
      throw EWriteError("Stream write error: " + fileName + ": " + std::strerror(error));
    }
    done += static_cast<std::size_t>(n);
  }
  if (::close(handle) != 0 || ::rename(temporary.c_str(), fileName.c_str()) != 0) {
    int error = errno;
    ::unlink(temporary.c_str());
    throw EWriteError("Stream write error: " + fileName + ": " + std::strerror(error));
  }
}

}  // namespace dravik
