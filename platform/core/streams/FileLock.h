#pragma once
// Rewrites of one file by several processes take turns: each holds the file's lock while it
// reads, changes and replaces the file, so no process writes over a change it has not seen.
//
// The lock is an flock on a lock file beside the file (NAME.lock, left in place: removing it
// would let two processes lock different files); one that may not be written is locked
// read-only. Where none exists and none can be made (a folder that takes no new file), the file
// itself is locked, which holds there because such a file is rewritten in place. Anything else
// is refused: a lock that others do not take would let their changes be lost.

#include <string>

namespace dravik {

class TFileLock {
 public:
  // Waits for the lock; EFOpenError "Cannot lock file NAME.lock: reason" when the lock file
  // cannot be opened (a folder of that name, say).
  explicit TFileLock(const std::string& fileName);
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

 private:
  int fHandle = -1;
};

}  // namespace dravik
