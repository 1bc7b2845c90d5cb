#pragma once
// TStringStream: a stream over a std::string of bytes, handy for texts held in memory.

#include <string>

#include "platform/core/streams/Stream.h"

namespace dravik {

class TStringStream : public TStream {
 public:
  explicit TStringStream(std::string data = {}) : fData(std::move(data)) {}

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(fData.size()); }
  void SetSize(int64_t newSize) override;

  const std::string& DataString() const { return fData; }
  // The bytes, moved out; the stream is empty afterwards.
  std::string TakeDataString();

 private:
  std::string fData;
  int64_t fPosition = 0;
};

}  // namespace dravik
