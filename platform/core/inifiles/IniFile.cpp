#include "platform/core/inifiles/IniFile.h"

#include "platform/core/classes/Strings.h"
#include "platform/core/classes/UpdateScope.h"
#include "platform/core/inifiles/TextLines.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/FileUpdate.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

bool HasLineBreak(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

void CheckLine(const std::string& section, const std::string& ident, const std::string& value) {
  auto fail = [](const std::string& reason) {
    throw EIniFileError("TIniFile.WriteString: " + reason);
  };
  if (section.empty() || HasLineBreak(section) || section.find(']') != std::string::npos ||
      Trim(section) != section)
    fail("Invalid section name '" + section + "'");
  if (ident.empty() || HasLineBreak(ident) || ident.find('=') != std::string::npos ||
      Trim(ident) != ident || ident.front() == '[' || ident.front() == ';' || ident.front() == '#')
    fail("Invalid key name '" + ident + "'");
  if (HasLineBreak(value)) fail("The value of " + section + "." + ident + " holds a line break");
}

// The content to change: what can be read of the file as it is now. A damaged file is kept
// beside it before it is replaced.
TIniText ReadForChange(const std::string& fileName, const std::optional<std::string>& bytes) {
  std::optional<TIniDamage> damage;
  TIniText text = TIniText::Parse(bytes.value_or(""), damage);
  if (damage) SaveFileAtomically(fileName + ".damaged", *bytes);
  return text;
}

}  // namespace

TIniFile::TIniFile(std::string fileName, TDamagedFile damaged) : fFileName(std::move(fileName)) {
  const std::optional<std::string> bytes = ReadFileIfExists(fFileName);
  std::optional<TIniDamage> damage;
  fText = TIniText::Parse(bytes.value_or(""), damage);
  if (damage && damaged == TDamagedFile::Refuse)
    throw EIniFileError(DamageMessage(fFileName, damage->Line, damage->Reason));
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& fallback) const {
  const std::string* value = fText.FindValue(section, ident);
  return value ? *value : fallback;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) {
  CheckLine(section, ident, value);
  Change([section, ident, value](TIniText& text) { text.Write(section, ident, value); });
}

int32_t TIniFile::ReadInteger(const std::string& section, const std::string& ident,
                              int32_t fallback) const {
  const std::string* value = fText.FindValue(section, ident);
  return value ? StrToIntDef(Trim(*value), fallback) : fallback;
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int32_t value) {
  WriteString(section, ident, IntToStr(value));
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool fallback) const {
  return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

void TIniFile::ReadSection(const std::string& section, TStrings& strings) const {
  TUpdateScope scope(strings);
  strings.Clear();
  for (const std::string& key : fText.KeyNames(section)) strings.Add(key);
}

void TIniFile::ReadSections(TStrings& strings) const {
  TUpdateScope scope(strings);
  strings.Clear();
  for (const std::string& section : fText.SectionNames()) strings.Add(section);
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings& strings) const {
  TUpdateScope scope(strings);
  strings.Clear();
  for (const std::string& key : fText.KeyNames(section))
    strings.Add(key + "=" + *fText.FindValue(section, key));
}

void TIniFile::EraseSection(const std::string& section) {
  Change([section](TIniText& text) { text.EraseSection(section); });
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  Change([section, ident](TIniText& text) { text.DeleteKey(section, ident); });
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  return fText.FindValue(section, ident) != nullptr;
}

bool TIniFile::SectionExists(const std::string& section) const {
  return fText.HasSection(section);
}

void TIniFile::BeginUpdate() {
  fChanges.Begin();
}

void TIniFile::EndUpdate() {
  fChanges.End([this](const std::vector<TChange>& changes) { WriteChanges(changes); });
}

void TIniFile::CancelUpdate() {
  if (!fChanges.Cancel()) return;
  std::optional<TIniDamage> damage;
  fText = TIniText::Parse(ReadFileIfExists(fFileName).value_or(""), damage);
}

void TIniFile::Change(TChange change) {
  fChanges.Apply(fText, std::move(change),
                 [this](const std::vector<TChange>& changes) { WriteChanges(changes); });
}

// The changes made again on the file as another process may have left it, which is then what
// this object reads.
void TIniFile::WriteChanges(const std::vector<TChange>& changes) {
  TIniText merged;
  UpdateFileLocked(fFileName, [&](const std::optional<std::string>& current) {
    merged = ReadForChange(fFileName, current);
    for (const TChange& change : changes) change(merged);
    return merged.Text();
  });
  fText = std::move(merged);
}

}  // namespace dravik
