#pragma once
// TStream: the abstract sequence of bytes that every reader and writer of the framework works on.
// Counts and positions are 64-bit; a short Read means the end of the data, never an error.

#include <cstdint>

namespace dravik {

enum TSeekOrigin : uint16_t { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream {
 public:
  virtual ~TStream() = default;

  // Reads up to count bytes and answers how many were read; 0 at the end of the data.
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  // Writes up to count bytes and answers how many were written.
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  // Moves the position and answers the new one. A position before the beginning raises
  // EStreamError; one beyond the end is allowed (writing there extends the stream).
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, soFromCurrent); }
  void SetPosition(int64_t position) { Seek(position, soFromBeginning); }
  virtual int64_t Size();
  // Streams that cannot change their size raise EStreamError.
  virtual void SetSize(int64_t newSize);

  // Exactly count bytes, or EReadError "Stream read error" / EWriteError "Stream write error".
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);

  // Copies count bytes from source's current position; count 0 copies all of source from its
  // beginning. Answers the number of bytes copied.
  int64_t CopyFrom(TStream& source, int64_t count);
};

}  // namespace dravik
