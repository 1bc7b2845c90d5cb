#include "apps/dravik/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/core/streams/AtomicFile.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

TInputFile::TInputFile(const std::string& path) {
  if (path == "-") {
    fName = "standard input";
    fHandle = STDIN_FILENO;
  } else {
    fName = path;
    fHandle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fHandle < 0) throw EFOpenError("Cannot open file " + fName + ": " + std::strerror(errno));
    fOwnsHandle = true;
  }
  struct stat info {};
  if (::fstat(fHandle, &info) != 0) return;
  if (S_ISDIR(info.st_mode)) {
    // Closed here: a destructor does not run when the constructor throws.
    if (fOwnsHandle) ::close(fHandle);
    throw EFOpenError("Cannot open file " + fName + ": " + std::strerror(EISDIR));
  }
  if (S_ISREG(info.st_mode)) {
    fSize = info.st_size;
    if (fSize > kInputLimit) {
      if (fOwnsHandle) ::close(fHandle);
      TooLarge();
    }
  }
}

TInputFile::~TInputFile() {
  if (fOwnsHandle) ::close(fHandle);
}

void TInputFile::TooLarge() const {
  throw EReadError("File " + fName + " is larger than " + std::to_string(kInputLimit >> 20) +
                   " MiB, the limit of an input");
}

std::size_t TInputFile::Read(char* buffer, std::size_t count) {
  // One byte beyond the limit tells an input of exactly the limit from a larger one.
  count = static_cast<std::size_t>(
      std::min<int64_t>(static_cast<int64_t>(count), kInputLimit + 1 - fRead));
  ssize_t n;
  do n = ::read(fHandle, buffer, count);
  while (n < 0 && errno == EINTR);
  if (n < 0) throw EReadError("Stream read error: " + fName + ": " + std::strerror(errno));
  fRead += n;
  if (fRead > kInputLimit) TooLarge();
  return static_cast<std::size_t>(n);
}

std::string TInputFile::ReadAll() {
  // A regular file is read into one block of its size; a stream in pieces that are joined once
  // at the end, so that no block is copied while it grows.
  std::string bytes(static_cast<std::size_t>(std::max<int64_t>(fSize - fRead, 0)), '\0');
  bytes.resize(Fill(bytes.data(), bytes.size()));
  if (bytes.size() < static_cast<std::size_t>(std::max<int64_t>(fSize, 0))) return bytes;
  std::vector<std::string> pieces;
  std::size_t total = bytes.size();
  for (;;) {
    std::string piece(std::size_t{1} << 20, '\0');
    piece.resize(Fill(piece.data(), piece.size()));
    if (piece.empty()) break;
    total += piece.size();
    pieces.push_back(std::move(piece));
  }
  if (pieces.empty()) return bytes;
  bytes.reserve(total);
  for (const std::string& piece : pieces) bytes += piece;
  return bytes;
}

std::optional<TInputBlock> TInputFile::ReadAllStartingWith(std::string_view prefix) {
  const int64_t rest = fSize - fRead;
  if (fSize < 0 || rest < static_cast<int64_t>(prefix.size())) return std::nullopt;
  // The file is read once, into a block of its size: no clearing, no copy.
  TInputBlock block{std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(rest)), 0};
  block.Size = Fill(block.Data.get(), prefix.size());
  if (block.View() != prefix) {
    if (::lseek(fHandle, -static_cast<off_t>(block.Size), SEEK_CUR) < 0)
      throw EReadError("Stream read error: " + fName + ": " + std::strerror(errno));
    fRead -= static_cast<int64_t>(block.Size);
    return std::nullopt;
  }
  block.Size += Fill(block.Data.get() + block.Size, static_cast<std::size_t>(rest) - block.Size);
  // A file that grew since it was opened is read to its end all the same.
  std::string more;
  char piece[4096];
  while (const std::size_t n = Read(piece, sizeof piece)) more.append(piece, n);
  if (more.empty()) return block;
  TInputBlock whole{std::make_unique_for_overwrite<char[]>(block.Size + more.size()),
                    block.Size + more.size()};
  std::memcpy(whole.Data.get(), block.Data.get(), block.Size);
  std::memcpy(whole.Data.get() + block.Size, more.data(), more.size());
  return whole;
}

std::size_t TInputFile::Fill(char* block, std::size_t size) {
  std::size_t filled = 0;
  while (filled < size) {
    std::size_t n = Read(block + filled, size - filled);
    if (n == 0) break;
    filled += n;
  }
  return filled;
}

TInputPath::TInputPath(const std::string& path) : fName(path) {
  TInputFile input(path);
  if (input.IsRegularFile()) return;
  const std::string bytes = input.ReadAll();
  fName = fCopy.Create();
  SaveFileAtomically(fName, bytes);
}

}  // namespace dravik
