#include "platform/core/streams/FileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

std::string Reason(int error) {
  return std::strerror(error);
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, uint16_t mode) : fFileName(fileName) {
  if (mode == fmCreate) {
    fHandle = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fHandle < 0) throw EFCreateError("Cannot create file " + fileName + ": " + Reason(errno));
    return;
  }
  int flags = O_CLOEXEC;
  switch (mode & 0x0003) {
    case fmOpenWrite:
      flags |= O_WRONLY;
      break;
    case fmOpenReadWrite:
      flags |= O_RDWR;
      break;
    default:
      flags |= O_RDONLY;
      break;
  }
  fHandle = ::open(fileName.c_str(), flags);
  int error = errno;
  struct stat info {};
  if (fHandle >= 0 && ::fstat(fHandle, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fHandle);
    fHandle = -1;
    error = EISDIR;
  }
  if (fHandle < 0) throw EFOpenError("Cannot open file " + fileName + ": " + Reason(error));
}

TFileStream::~TFileStream() {
  if (fHandle >= 0) ::close(fHandle);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  if (count <= 0) return 0;
  ssize_t n;
  do n = ::read(fHandle, buffer, static_cast<std::size_t>(count));
  while (n < 0 && errno == EINTR);
  if (n < 0) throw EReadError("Stream read error: " + fFileName + ": " + Reason(errno));
  return n;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  ssize_t n;
  do n = ::write(fHandle, buffer, static_cast<std::size_t>(count));
  while (n < 0 && errno == EINTR);
  if (n < 0) throw EWriteError("Stream write error: " + fFileName + ": " + Reason(errno));
  return n;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  int whence = origin == soFromCurrent ? SEEK_CUR : origin == soFromEnd ? SEEK_END : SEEK_SET;
  off_t position = ::lseek(fHandle, offset, whence);
  if (position < 0)
    throw EStreamError("Invalid stream position: " + fFileName + ": " + Reason(errno));
  return position;
}

void TFileStream::SetSize(int64_t newSize) {
  if (::ftruncate(fHandle, newSize) != 0)
    throw EStreamError("Cannot change the size of " + fFileName + ": " + Reason(errno));
  if (Position() > newSize) SetPosition(newSize);
}

}  // namespace dravik
