#include "apps/dravik/StandardOutput.h"

#include <unistd.h>

#include <cerrno>
#include <string>

#include "apps/dravik/Escape.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

TStandardOutput::TStandardOutput() : fBuffer(new char[kBufferSize]) {}

int64_t TStandardOutput::Read(void*, int64_t) {
  throw EStreamError("Standard output cannot be read");
}

int64_t TStandardOutput::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  *this << std::string_view(static_cast<const char*>(buffer), static_cast<std::size_t>(count));
  return count;
}

int64_t TStandardOutput::Seek(int64_t offset, TSeekOrigin origin) {
  if (origin != soFromCurrent || offset != 0)
    throw EStreamError("Invalid stream position: standard output");
  return fWritten + static_cast<int64_t>(fUsed);
}

TStandardOutput& TStandardOutput::Field(std::string_view text) {
  if (text.size() * kEscapedByteSize > kBufferSize) {
    std::string escaped(text.size() * kEscapedByteSize, '\0');
    escaped.resize(static_cast<std::size_t>(EscapeField(text, escaped.data()) - escaped.data()));
    return *this << std::string_view(escaped);
  }
  Advance(EscapeField(text, Room(text.size() * kEscapedByteSize)));
  return *this;
}

TStandardOutput& TStandardOutput::WriteThrough(std::string_view bytes) {
  Flush();
  WriteOut(bytes);
  return *this;
}

void TStandardOutput::Flush() {
  WriteOut(std::string_view(fBuffer.get(), fUsed));
  fUsed = 0;
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

void WriteOutput(TStandardOutput& out, const std::string& path, std::string_view bytes) {
  if (path == "-") {
    out << bytes;
  } else {
    SaveFileAtomically(path, bytes);
  }
}

std::string InputName(const std::string& path) {
  return path == "-" ? std::string("standard input") : path;
}

}  // namespace dravik
