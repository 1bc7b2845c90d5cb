#include "platform/core/inifiles/Registry.h"

#include <cstdlib>
#include <filesystem>

#include "platform/core/classes/Strings.h"
#include "platform/core/classes/UpdateScope.h"
#include "platform/core/inifiles/TextLines.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/FileUpdate.h"

namespace dravik {

namespace {

// A path of key names joined by "\": none empty, none with a control character.
bool IsValidKeyPath(std::string_view path) {
  return !HasControlCharacter(path) && path.find("\\\\") == std::string_view::npos &&
         (path.empty() || (path.front() != '\\' && path.back() != '\\'));
}

// The content to change: what can be read of the file as it is now. A damaged file is kept
// beside it before it is replaced.
TRegistryText ReadForChange(const std::string& fileName, const std::optional<std::string>& bytes) {
  std::optional<TIniDamage> damage;
  TRegistryText text = TRegistryText::Parse(bytes.value_or(""), damage);
  if (damage) SaveFileAtomically(fileName + ".damaged", *bytes);
  return text;
}

// A key as given without the "\" that marks it as taken from the root.
std::string WithoutRootMark(const std::string& key) {
  return !key.empty() && key.front() == '\\' ? key.substr(1) : key;
}

TRegDataType DataTypeOf(uint32_t type) {
  switch (type) {
    case kRegString:
      return rdString;
    case kRegExpandString:
      return rdExpandString;
    case kRegDword:
      return rdInteger;
    case kRegBinary:
      return rdBinary;
    default:
      return rdUnknown;
  }
}

}  // namespace

TRegistry::TRegistry() : TRegistry(DefaultFileName()) {}

TRegistry::TRegistry(std::string fileName, TDamagedFile damaged) : fFileName(std::move(fileName)) {
  std::optional<TIniDamage> damage;
  fText = TRegistryText::Parse(ReadFileIfExists(fFileName).value_or(""), damage);
  if (damage && damaged == TDamagedFile::Refuse)
    throw ERegistryException(DamageMessage(fFileName, damage->Line, damage->Reason));
}

std::string TRegistry::DefaultFileName() {
  if (const char* named = std::getenv("DRAVIK_REGISTRY"); named && *named) return named;
  std::string folder;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/') {
    folder = config;
  } else {
    const char* home = std::getenv("HOME");
    folder = std::string(home ? home : "") + "/.config";
  }
  return folder + "/dravik/registry.reg";
}

void TRegistry::SetRootKey(HKEY root) {
  if (root < HKEY_CLASSES_ROOT || root > HKEY_DYN_DATA)
    throw ERegistryException("TRegistry.SetRootKey: Invalid root key " + std::to_string(root));
  fRootKey = root;
  CloseKey();
}

std::string TRegistry::FullPath(const std::string& key) const {
  std::string path = key;
  if (!path.empty() && path.front() == '\\') {
    path.erase(0, 1);
  } else if (!fCurrentPath.empty()) {
    path = path.empty() ? fCurrentPath : fCurrentPath + "\\" + path;
  }
  const std::string root(TRegistryText::RootNames()[fRootKey - HKEY_CLASSES_ROOT]);
  return path.empty() ? root : root + "\\" + path;
}

std::string TRegistry::CurrentFullPath() const {
  return FullPath("");
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  const bool fromRoot = !key.empty() && key.front() == '\\';
  std::string relative = WithoutRootMark(key);
  if (!relative.empty() && relative.back() == '\\') relative.pop_back();
  if (!IsValidKeyPath(relative)) return false;
  const std::string full = FullPath(fromRoot ? "\\" + relative : relative);
  if (!fText.KeyExists(full)) {
    if (!canCreate) return false;
    Change([full](TRegistryText& text) { text.CreateKey(full); });
  }
  const std::string root(TRegistryText::RootNames()[fRootKey - HKEY_CLASSES_ROOT]);
  fCurrentPath = full.size() > root.size() ? full.substr(root.size() + 1) : "";
  fReadOnly = false;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  if (!OpenKey(key, false)) return false;
  fReadOnly = true;
  return true;
}

void TRegistry::CloseKey() {
  fCurrentPath.clear();
  fReadOnly = false;
}

bool TRegistry::CreateKey(const std::string& key) {
  const std::string relative = WithoutRootMark(key);
  if (relative.empty() || !IsValidKeyPath(relative)) return false;
  const std::string full = FullPath(key);
  Change([full](TRegistryText& text) { text.CreateKey(full); });
  return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
  const std::string full = FullPath(key);
  if (full.find('\\') == std::string::npos || !fText.KeyExists(full)) return false;
  Change([full](TRegistryText& text) { text.DeleteKey(full); });
  return true;
}

bool TRegistry::KeyExists(const std::string& key) const {
  return fText.KeyExists(FullPath(key));
}

void TRegistry::GetKeyNames(TStrings& strings) const {
  TUpdateScope scope(strings);
  strings.Clear();
  for (const std::string& name : fText.SubKeyNames(CurrentFullPath())) strings.Add(name);
}

bool TRegistry::ValueExists(const std::string& name) const {
  return fText.FindValue(CurrentFullPath(), name) != nullptr;
}

TRegDataType TRegistry::GetDataType(const std::string& name) const {
  const TRegValue* value = fText.FindValue(CurrentFullPath(), name);
  return value ? DataTypeOf(value->Type) : rdUnknown;
}

void TRegistry::GetValueNames(TStrings& strings) const {
  TUpdateScope scope(strings);
  strings.Clear();
  if (const TRegKey* key = fText.FindKey(CurrentFullPath()))
    for (const TRegValue& value : key->Values) strings.Add(value.Name);
}

bool TRegistry::DeleteValue(const std::string& name) {
  if (!ValueExists(name)) return false;
  if (fReadOnly) throw ERegistryException("Failed to delete value '" + name + "': read-only key");
  const std::string path = CurrentFullPath();
  Change([path, name](TRegistryText& text) { text.DeleteValue(path, name); });
  return true;
}

std::string TRegistry::ReadString(const std::string& name) const {
  const TRegValue* value = fText.FindValue(CurrentFullPath(), name);
  if (!value) return "";
  if (value->Type != kRegString && value->Type != kRegExpandString)
    throw ERegistryException("Invalid data type for '" + name + "'");
  return value->Data;
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  WriteValue("WriteString", TRegValue{name, kRegString, value});
}

int32_t TRegistry::ReadInteger(const std::string& name) const {
  const TRegValue* value = fText.FindValue(CurrentFullPath(), name);
  if (!value || value->Type != kRegDword || value->Data.size() != 4)
    throw ERegistryException("Invalid data type for '" + name + "'");
  uint32_t number = 0;
  for (int i = 3; i >= 0; --i) number = number * 256 + static_cast<unsigned char>(value->Data[i]);
  return static_cast<int32_t>(number);
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
  std::string data;
  for (int i = 0; i < 4; ++i)
    data += static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
  WriteValue("WriteInteger", TRegValue{name, kRegDword, data});
}

std::string TRegistry::ReadBinaryData(const std::string& name) const {
  const TRegValue* value = fText.FindValue(CurrentFullPath(), name);
  if (!value) return "";
  if (value->Type != kRegBinary) throw ERegistryException("Invalid data type for '" + name + "'");
  return value->Data;
}

void TRegistry::WriteBinaryData(const std::string& name, const std::string& bytes) {
  WriteValue("WriteBinaryData", TRegValue{name, kRegBinary, bytes});
}

void TRegistry::WriteValue(const char* operation, TRegValue value) {
  if (fReadOnly)
    throw ERegistryException(std::string("TRegistry.") + operation + ": Failed to set data for '" +
                             value.Name + "': the key is open read-only");
  if (HasControlCharacter(value.Name))
    throw ERegistryException(std::string("TRegistry.") + operation + ": Invalid value name '" +
                             value.Name + "'");
  const std::string path = CurrentFullPath();
  Change([path, value](TRegistryText& text) { text.SetValue(path, value); });
}

void TRegistry::BeginUpdate() {
  fChanges.Begin();
}

void TRegistry::EndUpdate() {
  fChanges.End([this](const std::vector<TChange>& changes) { WriteChanges(changes); });
}

void TRegistry::Change(TChange change) {
  fChanges.Apply(fText, std::move(change),
                 [this](const std::vector<TChange>& changes) { WriteChanges(changes); });
}

void TRegistry::WriteChanges(const std::vector<TChange>& changes) {
  // The per-user default folder may not exist yet.
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(fFileName).parent_path(), ignored);
  TRegistryText merged;
  UpdateFileLocked(fFileName, [&](const std::optional<std::string>& current) {
    merged = ReadForChange(fFileName, current);
    for (const TChange& change : changes) change(merged);
    return merged.Text();
  });
  fText = std::move(merged);
}

}  // namespace dravik
