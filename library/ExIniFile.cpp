#include "library/ExIniFile.h"

#include <sys/stat.h>

#include "library/ComponentTools.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {

// Characters, not bytes, decide the hint column.
std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  return count;
}

void MakeWritableForOwner(const std::string& fileName) {
  struct stat status {};
  if (::stat(fileName.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
      !(status.st_mode & S_IWUSR))
    ::chmod(fileName.c_str(), (status.st_mode & 07777) | S_IWUSR);
}

std::string ValueName(const std::string& section, const std::string& ident) {
  return section + "\\" + ident;
}

}  // namespace

const TClassRecord& TExIniFile::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TExIniFile, TObject>("TExIniFile", "ExIniFile").Build();
  return record;
}

TExIniFile::TExIniFile(const std::string& fileName, TDamagedFile damaged) {
  MakeWritableForOwner(fileName);
  fIniFile = std::make_unique<TIniFile>(fileName, damaged);
}

std::unique_ptr<TExIniFile> TExIniFile::CreateInRegistry(HKEY root, bool mayCreate,
                                                         const std::string& path,
                                                         TDamagedFile damaged) {
  std::unique_ptr<TExIniFile> file(new TExIniFile());
  file->fRegistry = std::make_unique<TRegistry>(TRegistry::DefaultFileName(), damaged);
  file->fRegistry->SetRootKey(root);
  if (!file->fRegistry->OpenKey(path, mayCreate))
    throw ERegistryException("Registry key " + path + " does not exist");
  return file;
}

std::optional<std::string> TExIniFile::ReadRaw(const std::string& section,
                                               const std::string& ident) const {
  if (fIniFile) {
    if (!fIniFile->ValueExists(section, ident)) return std::nullopt;
    return fIniFile->ReadString(section, ident, "");
  }
  const std::string name = ValueName(section, ident);
  switch (fRegistry->GetDataType(name)) {
    case rdString:
    case rdExpandString:
      return fRegistry->ReadString(name);
    case rdInteger:
      return IntToStr(fRegistry->ReadInteger(name));
    default:
      return std::nullopt;
  }
}

void TExIniFile::WriteRaw(const std::string& section, const std::string& ident,
                          const std::string& text) {
  if (fIniFile) {
    fIniFile->WriteString(section, ident, text);
  } else {
    fRegistry->WriteString(ValueName(section, ident), text);
  }
}

// The hint goes from the last prefix on, so that a value that holds the prefix itself (which
// is then always followed by one) reads back whole.
std::string TExIniFile::StripHint(const std::string& raw) const {
  if (!fHintsEnabled || fHintPrefix.empty()) return raw;
  return Trim(std::string_view(raw).substr(0, raw.rfind(fHintPrefix)));
}

std::string TExIniFile::StoredHint(const std::string& raw) const {
  if (!fHintsEnabled || fHintPrefix.empty()) return "";
  const std::size_t prefix = raw.rfind(fHintPrefix);
  return prefix == std::string::npos ? "" : Trim(raw.substr(prefix + fHintPrefix.size()));
}

std::string TExIniFile::ComposeValue(const std::string& ident, const std::string& value,
                                     const std::string& hint) const {
  if (!fHintsEnabled || fHintPrefix.empty()) return value;
  const bool holdsPrefix = value.find(fHintPrefix) != std::string::npos;
  if (fHintPosition <= 0 || hint.empty()) return holdsPrefix ? value + " " + fHintPrefix : value;
  std::string text = value;
  if (fIniFile) {
    // The prefix of every line of a section starts in the same column.
    const int64_t width = int64_t{fHintPosition} - static_cast<int64_t>(CharacterCount(ident)) - 1;
    const auto length = static_cast<int64_t>(CharacterCount(value));
    if (width > length) text.append(static_cast<std::size_t>(width - length), ' ');
  } else {
    text += ' ';
  }
  return text + fHintPrefix + hint;
}

std::string TExIniFile::ReadString(const std::string& section, const std::string& ident,
                                   const std::string& fallback) {
  const std::optional<std::string> raw = ReadRaw(section, ident);
  std::string value = raw ? StripHint(*raw) : fallback;
  if (fWriteBack) WriteStringEx(section, ident, value, "");
  return value;
}

void TExIniFile::WriteString(const std::string& section, const std::string& ident,
                             const std::string& value) {
  WriteStringEx(section, ident, value, "");
}

void TExIniFile::WriteStringEx(const std::string& section, const std::string& ident,
                               const std::string& value, const std::string& hint) {
  const std::optional<std::string> raw = ReadRaw(section, ident);
  const std::string stored = raw ? StoredHint(*raw) : "";
  const std::string text = ComposeValue(ident, value, stored.empty() ? hint : stored);
  if (raw != text) WriteRaw(section, ident, text);
}

int32_t TExIniFile::ReadInteger(const std::string& section, const std::string& ident,
                                int32_t fallback) {
  int32_t value = fallback;
  return TryStrToInt(ReadString(section, ident, IntToStr(fallback)), value) ? value : fallback;
}

void TExIniFile::WriteInteger(const std::string& section, const std::string& ident, int32_t value) {
  WriteString(section, ident, IntToStr(value));
}

bool TExIniFile::ReadBool(const std::string& section, const std::string& ident, bool fallback) {
  return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void TExIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

long double TExIniFile::ReadFloat(const std::string& section, const std::string& ident,
                                  long double fallback) {
  long double value = fallback;
  return TryStrToFloat(ReadString(section, ident, Format("%g", {fallback})), value) ? value
                                                                                    : fallback;
}

void TExIniFile::WriteFloat(const std::string& section, const std::string& ident,
                            long double value) {
  WriteString(section, ident, Format("%g", {value}));
}

void TExIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  if (fIniFile) {
    fIniFile->DeleteKey(section, ident);
  } else {
    fRegistry->DeleteValue(ValueName(section, ident));
  }
}

bool TExIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  return ReadRaw(section, ident).has_value();
}

void TExIniFile::CheckIniFile(const char* operation) const {
  if (!fIniFile) Error(ClassName() + "." + operation + " not possible for registry database");
}

void TExIniFile::ReadSection(const std::string& section, TStrings& strings) {
  CheckIniFile("ReadSection");
  fIniFile->ReadSection(section, strings);
}

void TExIniFile::ReadSections(TStrings& strings) {
  CheckIniFile("ReadSections");
  fIniFile->ReadSections(strings);
}

void TExIniFile::ReadSectionValues(const std::string& section, TStrings& strings) {
  CheckIniFile("ReadSectionValues");
  fIniFile->ReadSectionValues(section, strings);
}

void TExIniFile::EraseSection(const std::string& section) {
  CheckIniFile("EraseSection");
  fIniFile->EraseSection(section);
}

void TExIniFile::BeginUpdate() {
  if (fIniFile) {
    fIniFile->BeginUpdate();
  } else {
    fRegistry->BeginUpdate();
  }
}

void TExIniFile::EndUpdate() {
  if (fIniFile) {
    fIniFile->EndUpdate();
  } else {
    fRegistry->EndUpdate();
  }
}

}  // namespace dravik
