#pragma once
// The tool's standard output: buffered, written with write(2) and every write checked, so that a
// full disk or a closed pipe is a reported failure, not output lost behind exit code 0. It is a
// TStream, so converters write to it as to a file.

#include <charconv>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/core/streams/Stream.h"

namespace dravik {

class TStandardOutput : public TStream {
 public:
  TStandardOutput();
  // What is still buffered is dropped: main flushes after a command that succeeded.
  ~TStandardOutput() override = default;
  TStandardOutput(const TStandardOutput&) = delete;
  TStandardOutput& operator=(const TStandardOutput&) = delete;

  // EStreamError: standard output is only written.
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  // Only answers the position (the bytes written); anything else is EStreamError.
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

  TStandardOutput& operator<<(std::string_view text) {
    Reserve(text.size());
    fBuffer.append(text);
    return *this;
  }
  TStandardOutput& operator<<(char c) {
    Reserve(1);
    fBuffer += c;
    return *this;
  }
  template <class Integer>
  requires std::is_integral_v<Integer> TStandardOutput& operator<<(Integer number) {
    char digits[24];
    return *this << std::string_view(digits, std::to_chars(digits, digits + 24, number).ptr);
  }
  // A tab-separated field of a file's bytes, escaped (Escape.h).
  TStandardOutput& Field(std::string_view text);

  // Writes out what is buffered. EWriteError "Stream write error: standard output: reason".
  void Flush();

 private:
  static constexpr std::size_t kBufferSize = 256 * 1024;

  // Makes room for count more bytes, writing the buffer out when it would grow past its size.
  void Reserve(std::size_t count) {
    if (fBuffer.size() + count > kBufferSize) Flush();
  }
  void WriteOut(std::string_view bytes);

  std::string fBuffer;
  int64_t fWritten = 0;
};

}  // namespace dravik
