#include "runtime/UnitLanguageFile.h"

#include <sys/stat.h>

#include <filesystem>

#include "platform/core/resources/ComponentRes.h"
#include "platform/core/resources/ResourceFile.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/FileStream.h"
#include "platform/core/streams/MemoryStream.h"
#include "platform/core/system/Exceptions.h"
#include "runtime/Dravik.h"

namespace dravik {

std::string UnitFileWithExtension(const std::string& unitFile, const char* ext) {
  return std::filesystem::path(unitFile).replace_extension(ext).string();
}

TFileAccess LanguageFileAccess(const std::string& fileName) {
  struct stat status {};
  if (::stat(fileName.c_str(), &status) != 0)
    return errno == ENOENT ? TFileAccess::Missing : TFileAccess::Unavailable;
  if (!S_ISREG(status.st_mode)) return TFileAccess::Unavailable;
  return status.st_mode & S_IWUSR ? TFileAccess::Writable : TFileAccess::ReadOnly;
}

void ReadUnitLanguageFile(const std::string& fileName, TDravik& dravik) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  ReadComponentRes(file, &dravik);
}

std::string UnitLanguageFileResID(const std::string& fileName) {
  try {
    TResourceFile file;
    file.LoadFromFile(fileName);
    return file.Entries.empty() ? std::string() : file.Entries.front().Name.Name();
  } catch (const Exception&) {
    return {};
  }
}

void WriteUnitLanguageFile(const std::string& fileName, const std::string& resID, TDravik& dravik) {
  TMemoryStream data;
  WriteComponentRes(data, resID, &dravik);
  SaveFileAtomically(fileName,
                     std::string_view(data.Memory(), static_cast<std::size_t>(data.Size())));
}

}  // namespace dravik
