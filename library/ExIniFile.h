#pragma once
// One key/value interface over an INI file or a registry key. In registry mode a section and a
// key make one value name, "Section\Key", under the opened key; the section operations exist for
// INI files only.
//
// With hints enabled a value may carry a human-readable type hint behind it ("alClient
// ;(alNone, alTop, ...)"), which reading removes. With write-back every read writes the value it
// found (or the default) back, so that the file lists every key the program reads.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/core/classes/Object.h"
#include "platform/core/inifiles/DamagedFile.h"
#include "platform/core/inifiles/IniFile.h"
#include "platform/core/inifiles/Registry.h"

namespace dravik {

class TStrings;

class TExIniFile : public TObject {
 public:
  // Makes the file writable for its owner when it is not, then opens it as an INI file.
  explicit TExIniFile(const std::string& fileName, TDamagedFile damaged = TDamagedFile::Refuse);
  // Opens path under root in the registry file, creating it when mayCreate; ERegistryException
  // "Registry key PATH does not exist" otherwise.
  static std::unique_ptr<TExIniFile> CreateInRegistry(HKEY root, bool mayCreate,
                                                      const std::string& path,
                                                      TDamagedFile damaged = TDamagedFile::Refuse);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TIniFile* IniFile() const { return fIniFile.get(); }
  TRegistry* Registry() const { return fRegistry.get(); }

  bool HintsEnabled() const { return fHintsEnabled; }
  void SetHintsEnabled(bool value) { fHintsEnabled = value; }
  int32_t HintPosition() const { return fHintPosition; }
  void SetHintPosition(int32_t value) { fHintPosition = value; }
  const std::string& HintPrefix() const { return fHintPrefix; }
  void SetHintPrefix(const std::string& value) { fHintPrefix = value; }
  bool WriteBack() const { return fWriteBack; }
  void SetWriteBack(bool value) { fWriteBack = value; }

  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& fallback);
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  // Writes hint behind the value, unless the stored value carries a hint already.
  void WriteStringEx(const std::string& section, const std::string& ident, const std::string& value,
                     const std::string& hint);
  // Decimal text; a value that is no number reads as fallback.
  int32_t ReadInteger(const std::string& section, const std::string& ident, int32_t fallback);
  void WriteInteger(const std::string& section, const std::string& ident, int32_t value);
  // "1" and "0"; any number other than 0 reads as true.
  bool ReadBool(const std::string& section, const std::string& ident, bool fallback);
  void WriteBool(const std::string& section, const std::string& ident, bool value);
  // Written with "%g".
  long double ReadFloat(const std::string& section, const std::string& ident, long double fallback);
  void WriteFloat(const std::string& section, const std::string& ident, long double value);
  void DeleteKey(const std::string& section, const std::string& ident);
  bool ValueExists(const std::string& section, const std::string& ident) const;

  // INI files only: in registry mode "TExIniFile.ReadSection not possible for registry
  // database" (and so on).
  void ReadSection(const std::string& section, TStrings& strings);
  void ReadSections(TStrings& strings);
  void ReadSectionValues(const std::string& section, TStrings& strings);
  void EraseSection(const std::string& section);

  // Changes held until EndUpdate writes them in one step; freeing the object first drops them.
  void BeginUpdate();
  void EndUpdate();

 private:
  TExIniFile() = default;
  std::optional<std::string> ReadRaw(const std::string& section, const std::string& ident) const;
  void WriteRaw(const std::string& section, const std::string& ident, const std::string& text);
  std::string StripHint(const std::string& raw) const;
  std::string StoredHint(const std::string& raw) const;
  std::string ComposeValue(const std::string& ident, const std::string& value,
                           const std::string& hint) const;
  void CheckIniFile(const char* operation) const;

  std::unique_ptr<TIniFile> fIniFile;
  std::unique_ptr<TRegistry> fRegistry;
  bool fHintsEnabled = false;
  int32_t fHintPosition = 49;
  std::string fHintPrefix = ";";
  bool fWriteBack = false;
};

}  // namespace dravik
