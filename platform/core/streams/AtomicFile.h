#pragma once
// Files the system rewrites are written to a temporary file beside them and renamed over them, so
// that a failure or an interruption at any point leaves the old file as it was.
//
// What is rewritten is the file the name finally refers to: a symbolic link keeps pointing where
// it did and its target gets the new content. Devices, FIFOs and sockets are written in place,
// never replaced. Whether an existing file may be rewritten is its own permission's decision: a
// file that cannot be opened for writing is refused; a writable file in a folder that takes no
// new file is rewritten in place, and then a failure leaves it half written. The new content
// reaches the disk before the rename. The temporary file is removed when the save fails, when
// the stream goes without Commit, and when SIGINT, SIGTERM or SIGHUP ends the process (unless the
// program had its own handler for the signal). One left by a writer killed outright is removed by
// the next write into its folder, once its writer's process is gone.

#include <string>
#include <string_view>

#include "platform/core/streams/Stream.h"

namespace dravik {

class TAtomicFileStream : public TStream {
 public:
  // EFCreateError "Cannot create file NAME: reason" when the file cannot be written.
  explicit TAtomicFileStream(const std::string& fileName);
  // Without Commit the file keeps its old content.
  ~TAtomicFileStream() override;
  TAtomicFileStream(const TAtomicFileStream&) = delete;
  TAtomicFileStream& operator=(const TAtomicFileStream&) = delete;

  int64_t Read(void* buffer, int64_t count) override;
  // EWriteError "Stream write error: NAME: reason".
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

  // Makes what was written the file's content; EWriteError when that fails (the old content then
  // stays, except in place). Nothing can be written afterwards.
  void Commit();

 private:
  enum class TMode { Replace, InPlace, Special };

  [[noreturn]] void Fail(int error);
  void Discard() noexcept;
  void StartWriteBack() noexcept;

  std::string fFileName;   // as given, for messages
  std::string fTarget;     // the file the name refers to
  std::string fTemporary;  // Replace: the file written, renamed to fTarget at Commit
  TMode fMode = TMode::Replace;
  int fHandle = -1;
  int fCleanupSlot = -1;  // Replace: where the signal handler finds fTemporary
  int64_t fPosition = 0;
  int64_t fEnd = 0;          // InPlace: the end of the new content, where the file is cut
  int64_t fWrittenBack = 0;  // what was sent to the disk ahead of Commit
};

// Writes bytes as the whole new content of fileName through a TAtomicFileStream.
void SaveFileAtomically(const std::string& fileName, std::string_view bytes);

}  // namespace dravik
