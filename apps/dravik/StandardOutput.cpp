#include "apps/dravik/StandardOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "apps/dravik/Escape.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

TStandardOutput::TStandardOutput() {
  fBuffer.reserve(kBufferSize);
}

int64_t TStandardOutput::Read(void*, int64_t) {
  throw EStreamError("Standard output cannot be read");
}

int64_t TStandardOutput::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  const std::string_view bytes(static_cast<const char*>(buffer), static_cast<std::size_t>(count));
  if (bytes.size() >= kBufferSize) {
    Flush();
    WriteOut(bytes);
  } else {
    *this << bytes;
  }
  return count;
}

int64_t TStandardOutput::Seek(int64_t offset, TSeekOrigin origin) {
  if (origin != soFromCurrent || offset != 0)
    throw EStreamError("Invalid stream position: standard output");
  return fWritten + static_cast<int64_t>(fBuffer.size());
}

TStandardOutput& TStandardOutput::Field(std::string_view text) {
  // Escapes take at most four bytes for one.
  if (text.size() * 4 > kBufferSize) {
    std::string escaped;
    AppendField(escaped, text);
    return *this << std::string_view(escaped);
  }
  Reserve(text.size() * 4);
  AppendField(fBuffer, text);
  return *this;
}

void TStandardOutput::Flush() {
  WriteOut(fBuffer);
  fBuffer.clear();
}

void TStandardOutput::WriteOut(std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      throw EWriteError(std::string("Stream write error: standard output: ") +
                        std::strerror(n < 0 ? errno : EIO));
    bytes.remove_prefix(static_cast<std::size_t>(n));
    fWritten += n;
  }
}

}  // namespace dravik
