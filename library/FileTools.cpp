#include "library/FileTools.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace fs = std::filesystem;

namespace {

bool IsAbsolute(const std::string& path) {
  return !path.empty() && path[0] == '/';
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : path.substr(0, slash);
}

template <class Test>
bool AnyEntry(const std::string& directory, Test test) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(Trim(directory), error))
    if (test(entry)) return true;
  return false;
}

}  // namespace

std::string AppendBackslash(const std::string& path) {
  std::string text = Trim(path);
  if (!text.empty() && text.back() != '/') text += '/';
  return text;
}

std::string RemoveBackslash(const std::string& path) {
  std::string text = Trim(path);
  if (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

std::string ModifyDirectory(const std::string& path) {
  return RemoveBackslash(path);
}

bool IsDirNameComplete(const std::string& path) {
  const std::string text = Trim(path);
  return text.size() >= 2 && IsAbsolute(text);
}

std::string ExpandFileNameByDir(const std::string& name, const std::string& directory) {
  const std::string text = Trim(name);
  return IsAbsolute(text) ? text : AppendBackslash(directory) + text;
}

std::string ExpandApplicationDir(const std::string& name) {
  return ExpandFileNameByDir(name, GetApplicationDir());
}

std::string GetWindowsDir() {
  return DirExist("/etc") ? "/etc" : "";
}

std::string GetSystemDir() {
  return DirExist("/usr/lib") ? "/usr/lib" : "";
}

std::string GetTempDir() {
  const char* tmp = std::getenv("TMPDIR");
  const std::string dir = RemoveBackslash(tmp && *tmp ? tmp : "/tmp");
  return DirExist(dir) ? dir : "";
}

std::string GetApplicationDir() {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  return error ? "" : exe.parent_path().string();
}

std::string GetModuleName() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&GetModuleName), &info) || !info.dli_fname) return "";
  std::error_code error;
  const fs::path file = fs::canonical(info.dli_fname, error);
  return error ? "" : file.string();
}

std::string GetModuleDir() {
  return FolderOf(GetModuleName());
}

std::string MakeValidFileName(const std::string& name) {
  std::string text = Trim(name);
  if (text.empty()) return "noname";
  for (char& c : text)
    if (std::string_view("\"*/:<>?\\|").find(c) != std::string_view::npos) c = '_';
  return text;
}

std::string MakeUniqueFileName(const std::string& name) {
  const std::string text = Trim(name);
  std::error_code error;
  if (!fs::exists(fs::symlink_status(text, error))) return text;
  const std::string folder = FolderOf(text);
  const std::string file = text.substr(text.find_last_of('/') + 1);
  const std::size_t dot = file.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && dot > 0;
  const std::string base = MakeValidFileName(hasExtension ? file.substr(0, dot) : file);
  const std::string extension = hasExtension ? file.substr(dot) : "";
  const std::string prefix = folder.empty() ? "" : AppendBackslash(folder);
  for (int n = 2;; ++n) {
    std::string candidate = prefix + base + "_" + std::to_string(n) + extension;
    if (!fs::exists(fs::symlink_status(candidate, error))) return candidate;
  }
}

std::string ShortPath(const std::string& path, int maxLength) {
  if (maxLength <= 7) throw EConvertError("ShortPath failed. MaxLen must be larger than 7");
  const std::string text = Trim(path);
  const auto limit = static_cast<std::size_t>(maxLength);
  if (text.size() <= limit) return text;
  std::vector<std::string> parts;
  for (std::size_t start = 0;;) {
    const std::size_t slash = text.find('/', start);
    parts.push_back(text.substr(start, slash - start));
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  // The first component and the last ones, with fewer of the last ones until it fits.
  std::string shortest = text;
  for (std::size_t dropped = 1; parts.size() >= 3 && dropped + 1 < parts.size(); ++dropped) {
    std::string candidate = parts.front() + "/...";
    for (std::size_t i = dropped + 1; i < parts.size(); ++i) candidate += "/" + parts[i];
    shortest = candidate;
    if (candidate.size() <= limit) return candidate;
  }
  return shortest.substr(0, limit - 3) + "...";
}

bool FileExist(const std::string& name) {
  struct stat info;
  return stat(Trim(name).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirExist(const std::string& name) {
  struct stat info;
  return stat(Trim(name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CreateDirRecurse(const std::string& directory) {
  const std::string text = RemoveBackslash(directory);
  if (text.empty()) return false;
  std::error_code error;
  fs::create_directories(fs::absolute(text, error), error);
  return DirExist(text);
}

bool IsDirEmpty(const std::string& directory) {
  return DirExist(directory) && !AnyEntry(directory, [](const auto&) { return true; });
}

bool HasDirFiles(const std::string& directory) {
  return AnyEntry(directory, [](const fs::directory_entry& entry) {
    std::error_code error;
    return !entry.is_directory(error);
  });
}

int64_t GetDirSize(const std::string& directory) {
  if (!DirExist(directory)) return -1;
  int64_t size = 0;
  AnyEntry(directory, [&size](const fs::directory_entry& entry) {
    std::error_code error;
    if (entry.is_regular_file(error)) size += static_cast<int64_t>(entry.file_size(error));
    return false;
  });
  return size;
}

int64_t GetFreeDriveSpace(const std::string& path) {
  struct statvfs info;
  if (statvfs(Trim(path).c_str(), &info) != 0) return -1;
  return static_cast<int64_t>(info.f_bavail) * static_cast<int64_t>(info.f_frsize);
}

bool ClearDirectory(const std::string& directory, TClearDirMode mode) {
  if (!IsDirNameComplete(directory))
    throw EInOutError("ClearDirectory failed. A complete folder location must be specified",
                      EINVAL);
  const std::string folder = RemoveBackslash(directory);
  std::error_code error;
  switch (mode) {
    case cdErase:
      fs::remove_all(folder, error);
      return !fs::exists(fs::symlink_status(folder, error));
    case cdClear:
      for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        fs::remove_all(entry.path(), error);
      return IsDirEmpty(folder);
    case cdFlat:
      for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        if (!entry.is_directory(error)) fs::remove(entry.path(), error);
      return !HasDirFiles(folder);
  }
  return false;
}

bool CopyFileEx(const std::string& source, const std::string& destination) {
  std::error_code error;
  const std::string from = Trim(source), to = Trim(destination);
  if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, error)) return false;
  fs::permissions(to, fs::status(from, error).permissions(), error);
  return !error;
}

std::string CreateTempFile() {
  std::string pattern = AppendBackslash(GetTempDir().empty() ? "/tmp" : GetTempDir()) + "drvXXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) {
    const int code = errno;
    throw EInOutError(Format("CreateTempFileEx failed. Windows error code: %d", {code}), code);
  }
  close(fd);
  return pattern;
}

TTemporaryFile::~TTemporaryFile() {
  if (fName.empty()) return;
  chmod(fName.c_str(), 0600);  // a file made read-only meanwhile goes too
  unlink(fName.c_str());
}

const std::string& TTemporaryFile::Create() {
  if (fName.empty()) fName = CreateTempFile();
  return fName;
}

std::string LogDateTime() {
  return LocalTimeText("%Y-%m-%d %H:%M:%S");
}

bool LogToFile(const std::string& fileName, const std::string& text) {
  const std::string path = ExpandApplicationDir(fileName);
  const std::string line = LogDateTime() + (text.empty() ? "" : " " + text) + "\r\n";
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
  return close(fd) == 0 && written;
}

}  // namespace dravik
