#pragma once
// The files the tool reads: a path or, for "-", standard input. Regular files, devices, pipes and
// FIFOs are all read as streams, front to back, and no input may be larger than kInputLimit, so
// that one that never ends (/dev/zero) stops with a message instead of exhausting the memory.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "library/FileTools.h"

namespace dravik {

constexpr int64_t kInputLimit = int64_t{256} << 20;

// Bytes read in one block that was not cleared before it was filled.
struct TInputBlock {
  std::unique_ptr<char[]> Data;
  std::size_t Size = 0;
  std::string_view View() const { return {Data.get(), Size}; }
};

class TInputFile {
 public:
  // EFOpenError "Cannot open file NAME: reason"; an input larger than the limit is refused here
  // when its size is known.
  explicit TInputFile(const std::string& path);
  ~TInputFile();
  TInputFile(const TInputFile&) = delete;
  TInputFile& operator=(const TInputFile&) = delete;

  // The path, or "standard input".
  const std::string& Name() const { return fName; }
  // A regular file given by its path, which can be opened again by that name.
  bool IsRegularFile() const { return fSize >= 0 && fOwnsHandle; }
  // Up to count bytes; 0 at the end. EReadError when reading fails or the input passes the limit.
  std::size_t Read(char* buffer, std::size_t count);
  // The rest of the input.
  std::string ReadAll();
  // The rest of a regular file that begins with prefix, in one block; for any other input
  // nothing is read and the answer is empty.
  std::optional<TInputBlock> ReadAllStartingWith(std::string_view prefix);

 private:
  [[noreturn]] void TooLarge() const;
  // Reads until block is full or the input ends; answers the bytes read.
  std::size_t Fill(char* block, std::size_t size);

  std::string fName;
  int fHandle = -1;
  bool fOwnsHandle = false;
  int64_t fSize = -1;  // of a regular file, when it was opened
  int64_t fRead = 0;
};

// An input for readers that open a file by its name: a regular file is named as it is; standard
// input, a pipe, a FIFO or a device is read (up to the limit) into a temporary file first. What
// cannot be read fails as TInputFile does.
class TInputPath {
 public:
  explicit TInputPath(const std::string& path);
  const std::string& Name() const { return fName; }

 private:
  TTemporaryFile fCopy;
  std::string fName;
};

}  // namespace dravik
