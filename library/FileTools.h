#pragma once
// Path and file functions for backups, logs, language files, settings and the installer. Paths
// follow this platform: "/" is the delimiter and a complete (absolute) name begins with "/".
// Every path argument is trimmed first.

#include <cstdint>
#include <string>

namespace dravik {

std::string AppendBackslash(const std::string& path);  // appends "/" unless empty or present
std::string RemoveBackslash(const std::string& path);  // one trailing "/", never the root's
std::string ModifyDirectory(const std::string& path);  // RemoveBackslash; the root stays "/"
// At least two characters and absolute: "/" alone is no folder a function may work on.
bool IsDirNameComplete(const std::string& path);
// A complete or absolute name as it is, any other relative to directory.
std::string ExpandFileNameByDir(const std::string& name, const std::string& directory);
std::string ExpandApplicationDir(const std::string& name);

// Folders of the system, without a trailing "/"; empty on failure. The settings folder of the
// system stands for the original's Windows folder, the libraries' for its system folder.
std::string GetWindowsDir();      // /etc
std::string GetSystemDir();       // /usr/lib
std::string GetTempDir();         // TMPDIR or /tmp
std::string GetApplicationDir();  // the running program's folder
std::string GetModuleDir();       // the folder of the library this code is in
std::string GetModuleName();      // that library's file

// "noname" for an empty name; each of " * / : < > ? \ | becomes "_".
std::string MakeValidFileName(const std::string& name);
// The name when nothing of that name exists, else the first free DIR/BASE_n.EXT for n = 2, ...,
// BASE made valid. A name without a folder stays without one.
std::string MakeUniqueFileName(const std::string& name);
// The path shortened to maxLength with "..." for the folders in the middle; EConvertError
// "ShortPath failed. MaxLen must be larger than 7" for a maximum of 7 or less.
std::string ShortPath(const std::string& path, int maxLength);

bool FileExist(const std::string& name);  // anything but a folder
bool DirExist(const std::string& name);
// Creates the folder and every missing level above it; whether it exists afterwards.
bool CreateDirRecurse(const std::string& directory);
bool IsDirEmpty(const std::string& directory);
bool HasDirFiles(const std::string& directory);      // at least one file directly inside
int64_t GetDirSize(const std::string& directory);    // the files directly inside; -1 on failure
int64_t GetFreeDriveSpace(const std::string& path);  // bytes free for the user; -1 on failure

enum TClearDirMode { cdErase, cdClear, cdFlat };
// cdErase removes the folder with everything in it, cdClear everything in it, cdFlat the files
// directly in it; answers whether that was reached. Links are removed, never followed.
// EInOutError "ClearDirectory failed. A complete folder location must be specified" unless the
// folder name is complete.
bool ClearDirectory(const std::string& directory, TClearDirMode mode);
// Copies the content, replacing the destination, then gives it the source's permissions.
bool CopyFileEx(const std::string& source, const std::string& destination);
// A new empty file in the temporary folder; EInOutError "CreateTempFileEx failed. Windows error
// code: N" with the system's error number.
std::string CreateTempFile();
// A temporary file made by Create (CreateTempFile) and removed when the object goes.
class TTemporaryFile {
 public:
  TTemporaryFile() = default;
  ~TTemporaryFile();
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;
  const std::string& Create();
  const std::string& Name() const { return fName; }  // empty before Create

 private:
  std::string fName;
};
// Appends "yyyy-mm-dd hh:nn:ss TEXT" (the date and time alone for an empty text) as one line to
// the file, relative to the program's folder; false when it could not be written.
bool LogToFile(const std::string& fileName, const std::string& text);
// The local date and time in the log's format.
std::string LogDateTime();

}  // namespace dravik
