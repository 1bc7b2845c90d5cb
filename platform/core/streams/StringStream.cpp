#include "platform/core/streams/StringStream.h"

#include <algorithm>
#include <cstring>

#include "platform/core/streams/MemoryStream.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

int64_t TStringStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || fPosition >= Size()) return 0;
  int64_t n = std::min(count, Size() - fPosition);
  std::memcpy(buffer, fData.data() + fPosition, static_cast<std::size_t>(n));
  fPosition += n;
  return n;
}

int64_t TStringStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  int64_t end = 0;
  if (__builtin_add_overflow(fPosition, count, &end)) throw EStreamError("Invalid stream position");
  if (end > Size()) SetSize(end);
  std::memcpy(fData.data() + fPosition, buffer, static_cast<std::size_t>(count));
  fPosition = end;
  return count;
}

int64_t TStringStream::Seek(int64_t offset, TSeekOrigin origin) {
  fPosition = SeekedPosition(fPosition, Size(), offset, origin);
  return fPosition;
}

void TStringStream::SetSize(int64_t newSize) {
  if (newSize < 0) throw EStreamError("Invalid stream size");
  try {
    fData.resize(static_cast<std::size_t>(newSize));
  } catch (const std::exception&) {
    throw EStreamError("Out of memory while expanding string stream");
  }
  fPosition = std::min(fPosition, newSize);
}

std::string TStringStream::TakeDataString() {
  std::string data = std::move(fData);
  fData.clear();
  fPosition = 0;
  return data;
}

}  // namespace dravik
