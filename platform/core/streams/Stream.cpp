#include "platform/core/streams/Stream.h"

#include <algorithm>
#include <vector>

#include "platform/core/system/Exceptions.h"

namespace dravik {

int64_t TStream::Size() {
  int64_t position = Seek(0, soFromCurrent);
  int64_t size = Seek(0, soFromEnd);
  Seek(position, soFromBeginning);
  return size;
}

void TStream::SetSize(int64_t) {
  throw EStreamError("Stream size cannot be changed");
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  auto* bytes = static_cast<char*>(buffer);
  int64_t done = 0;
  while (done < count) {
    int64_t n = Read(bytes + done, count - done);
    if (n <= 0) throw EReadError("Stream read error");
    done += n;
  }
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  const auto* bytes = static_cast<const char*>(buffer);
  int64_t done = 0;
  while (done < count) {
    int64_t n = Write(bytes + done, count - done);
    if (n <= 0) throw EWriteError("Stream write error");
    done += n;
  }
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  constexpr int64_t kChunk = 64 * 1024;
  bool whole = count == 0;
  if (whole) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::vector<char> buffer(static_cast<std::size_t>(std::clamp<int64_t>(count, 0, kChunk)));
  int64_t copied = 0;
  while (copied < count) {
    int64_t n = std::min<int64_t>(kChunk, count - copied);
    source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    copied += n;
  }
  return copied;
}

}  // namespace dravik
