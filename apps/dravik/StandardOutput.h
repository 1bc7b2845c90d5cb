#pragma once
// The tool's standard output: buffered, written with write(2) and every write checked, so that a
// full disk or a closed pipe is a reported failure, not output lost behind exit code 0. It is a
// TStream, so converters write to it as to a file.

#include <charconv>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/core/streams/Stream.h"

namespace dravik {

class TStandardOutput : public TStream {
 public:
  static constexpr std::size_t kBufferSize = 256 * 1024;

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
    if (text.size() > kBufferSize) return WriteThrough(text);
    std::memcpy(Room(text.size()), text.data(), text.size());
    fUsed += text.size();
    return *this;
  }
  TStandardOutput& operator<<(char c) {
    *Room(1) = c;
    ++fUsed;
    return *this;
  }
  template <class Integer>
  requires std::is_integral_v<Integer> TStandardOutput& operator<<(Integer number) {
    char* at = Room(24);
    Advance(std::to_chars(at, at + 24, number).ptr);
    return *this;
  }
  // A tab-separated field of a file's bytes, escaped (Escape.h).
  TStandardOutput& Field(std::string_view text);

  // For lines formatted in place: room for up to count bytes (at most kBufferSize), then
  // Advance to the end of what was written there.
  char* Room(std::size_t count) {
    if (fUsed + count > kBufferSize) Flush();
    return fBuffer.get() + fUsed;
  }
  void Advance(const char* end) { fUsed = static_cast<std::size_t>(end - fBuffer.get()); }

  // Writes out what is buffered. EWriteError "Stream write error: standard output: reason".
  void Flush();

 private:
  TStandardOutput& WriteThrough(std::string_view bytes);
  void WriteOut(std::string_view bytes);

  std::unique_ptr<char[]> fBuffer;
  std::size_t fUsed = 0;
  int64_t fWritten = 0;
};

// A command's output file: standard output for "-", else the file, replaced atomically.
void WriteOutput(TStandardOutput& out, const std::string& path, std::string_view bytes);

// How messages name an input file: "standard input" for "-".
std::string InputName(const std::string& path);

}  // namespace dravik
