#pragma once
// Files the system rewrites are written beside their target and renamed over it, so that a
// failure at any point leaves the old file as it was.

#include <string>
#include <string_view>

namespace dravik {

// Writes bytes as the whole new content of fileName, keeping the permissions of a file that is
// already there. EFCreateError when the file cannot be created, EWriteError when it cannot be
// written; in both cases the old file is unchanged and no temporary file stays behind.
void SaveFileAtomically(const std::string& fileName, std::string_view bytes);

}  // namespace dravik
