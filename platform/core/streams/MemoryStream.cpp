#include "platform/core/streams/MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/FileStream.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

int64_t SeekedPosition(int64_t current, int64_t size, int64_t offset, TSeekOrigin origin) {
  int64_t base = 0;
  switch (origin) {
    case soFromBeginning:
      base = 0;
      break;
    case soFromCurrent:
      base = current;
      break;
    case soFromEnd:
      base = size;
      break;
    default:
      throw EStreamError("Invalid seek origin");
  }
  int64_t position = 0;
  if (__builtin_add_overflow(base, offset, &position) || position < 0)
    throw EStreamError("Invalid stream position");
  return position;
}

int64_t TCustomMemoryStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || fPosition >= fSize) return 0;
  int64_t n = std::min(count, fSize - fPosition);
  std::memcpy(buffer, fMemory + fPosition, static_cast<std::size_t>(n));
  fPosition += n;
  return n;
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  fPosition = SeekedPosition(fPosition, fSize, offset, origin);
  return fPosition;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) const {
  stream.WriteBuffer(fMemory, fSize);
}

void TCustomMemoryStream::SaveToFile(const std::string& fileName) const {
  SaveFileAtomically(fileName, std::string_view(fMemory, static_cast<std::size_t>(fSize)));
}

void TCustomMemoryStream::SetPointer(const char* memory, int64_t size) {
  fMemory = memory;
  fSize = size;
}

void TMemoryStream::Reserve(int64_t capacity) {
  if (capacity <= static_cast<int64_t>(fBuffer.size())) return;
  // Grow by at least a half so that many small writes stay linear.
  int64_t grown = std::max<int64_t>(capacity, static_cast<int64_t>(fBuffer.size()) * 3 / 2);
  grown = std::max<int64_t>(grown, 256);
  try {
    fBuffer.resize(static_cast<std::size_t>(grown));
  } catch (const std::bad_alloc&) {
    throw EStreamError("Out of memory while expanding memory stream");
  } catch (const std::length_error&) {
    throw EStreamError("Out of memory while expanding memory stream");
  }
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  int64_t position = CurrentPosition();
  int64_t end = 0;
  if (__builtin_add_overflow(position, count, &end)) throw EStreamError("Invalid stream position");
  if (end > Size()) {
    int64_t oldSize = Size();
    Reserve(end);
    // Bytes between the old end and a position written beyond it read as zeros.
    if (position > oldSize)
      std::memset(fBuffer.data() + oldSize, 0, static_cast<std::size_t>(position - oldSize));
    SetPointer(fBuffer.data(), end);
  }
  std::memcpy(fBuffer.data() + position, buffer, static_cast<std::size_t>(count));
  SetCurrentPosition(end);
  return count;
}

void TMemoryStream::SetSize(int64_t newSize) {
  if (newSize < 0) throw EStreamError("Invalid stream size");
  int64_t oldSize = Size();
  Reserve(newSize);
  if (newSize > oldSize)
    std::memset(fBuffer.data() + oldSize, 0, static_cast<std::size_t>(newSize - oldSize));
  SetPointer(fBuffer.data(), newSize);
  if (CurrentPosition() > newSize) SetCurrentPosition(newSize);
}

void TMemoryStream::Clear() {
  fBuffer.clear();
  fBuffer.shrink_to_fit();
  SetPointer(nullptr, 0);
  SetCurrentPosition(0);
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  int64_t size = stream.Size();
  SetSize(size);
  SetCurrentPosition(0);
  stream.ReadBuffer(fBuffer.data(), size);
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

}  // namespace dravik
