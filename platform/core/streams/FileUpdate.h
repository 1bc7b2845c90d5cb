#pragma once
// A change to a file that other processes may change at the same time: under the file's lock
// the current content is read, changed and written back atomically, so concurrent changes are
// all kept and an interruption leaves the file as it was.

#include <functional>
#include <optional>
#include <string>

namespace dravik {

// The file's bytes, or nothing when it does not exist; EFOpenError naming the file when it
// exists and cannot be read, or is larger than 256 MiB.
std::optional<std::string> ReadFileIfExists(const std::string& fileName);

// change gets the current content (nothing when the file does not exist) and answers the new one.
using TFileChange = std::function<std::string(const std::optional<std::string>& current)>;
void UpdateFileLocked(const std::string& fileName, const TFileChange& change);

}  // namespace dravik
