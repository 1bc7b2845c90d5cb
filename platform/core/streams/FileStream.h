#pragma once
// TFileStream: a stream on a file of the operating system.

#include <string>

#include "platform/core/streams/Stream.h"

namespace dravik {

// Open modes: one of fmCreate or fmOpenRead/fmOpenWrite/fmOpenReadWrite, optionally combined with a
// share mode. Share modes are accepted for compatibility; this platform has no mandatory locks.
enum : uint16_t {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFF00,  // creates the file or empties an existing one, for reading and writing
};

class TFileStream : public TStream {
 public:
  // EFCreateError "Cannot create file %s" or EFOpenError "Cannot open file %s", with the reason.
  TFileStream(const std::string& fileName, uint16_t mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t newSize) override;

  const std::string& FileName() const { return fFileName; }
  int Handle() const { return fHandle; }

 private:
  std::string fFileName;
  int fHandle = -1;
};

}  // namespace dravik
