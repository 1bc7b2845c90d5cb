#pragma once
// Streams over a block of memory: TCustomMemoryStream reads a block it does not own,
// TMemoryStream owns a block that grows as it is written.

#include <string>
#include <vector>

#include "platform/core/streams/Stream.h"

namespace dravik {

class TCustomMemoryStream : public TStream {
 public:
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return fSize; }

  const char* Memory() const { return fMemory; }
  void SaveToStream(TStream& stream) const;
  void SaveToFile(const std::string& fileName) const;

 protected:
  void SetPointer(const char* memory, int64_t size);
  int64_t CurrentPosition() const { return fPosition; }
  void SetCurrentPosition(int64_t position) { fPosition = position; }

 private:
  const char* fMemory = nullptr;
  int64_t fSize = 0;
  int64_t fPosition = 0;
};

class TMemoryStream : public TCustomMemoryStream {
 public:
  int64_t Write(const void* buffer, int64_t count) override;
  // Keeps the bytes below newSize; the position moves back to the end if it lay beyond it.
  void SetSize(int64_t newSize) override;

  char* Memory() { return fBuffer.data(); }
  void Clear();
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);

 private:
  void Reserve(int64_t capacity);

  std::vector<char> fBuffer;  // the capacity; the stream's bytes are its first Size()
};

// Shared by the memory-backed streams: the position after seeking, checked for range.
int64_t SeekedPosition(int64_t current, int64_t size, int64_t offset, TSeekOrigin origin);

}  // namespace dravik
