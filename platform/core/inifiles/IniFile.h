#pragma once
// An INI file: named sections of key=value lines. The value is the text after the first "=",
// as it stands; key and section names compare ignoring ASCII case; of two equal keys the first
// counts. The file is 8-bit text: UTF-8, and lines that are not valid UTF-8 read as
// Windows-1252.
//
// Every change reaches the file at once, or, between BeginUpdate and EndUpdate, all together.
// A change is made under the file's lock on the file as it is then, and written to a temporary
// file renamed into place: processes that change one file at the same time keep each other's
// changes, and an interruption leaves the file as it was.

#include <functional>
#include <string>
#include <vector>

#include "platform/core/inifiles/ChangeBatch.h"
#include "platform/core/inifiles/DamagedFile.h"
#include "platform/core/inifiles/IniText.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

class TStrings;

using EIniFileError = ExceptionClass<"EIniFileError", EStreamError>;

class TIniFile {
 public:
  // A missing file reads as empty. A damaged file is refused with EIniFileError "File NAME is
  // damaged at line N: reason", or repaired; EFOpenError when it cannot be read.
  explicit TIniFile(std::string fileName, TDamagedFile damaged = TDamagedFile::Refuse);

  const std::string& FileName() const { return fFileName; }

  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& fallback) const;
  // EIniFileError when the names or the value cannot be written as a line: a section name with
  // "]", a key name with "=" or blanks at its ends, a line break anywhere.
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  // Decimal or $hex; a value that is no number reads as fallback.
  int32_t ReadInteger(const std::string& section, const std::string& ident, int32_t fallback) const;
  void WriteInteger(const std::string& section, const std::string& ident, int32_t value);
  // "1" and "0"; any number other than 0 reads as true.
  bool ReadBool(const std::string& section, const std::string& ident, bool fallback) const;
  void WriteBool(const std::string& section, const std::string& ident, bool value);

  // The key names of a section / the section names / the section's "key=value" lines, in file
  // order; strings is cleared first.
  void ReadSection(const std::string& section, TStrings& strings) const;
  void ReadSections(TStrings& strings) const;
  void ReadSectionValues(const std::string& section, TStrings& strings) const;
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);
  bool ValueExists(const std::string& section, const std::string& ident) const;
  bool SectionExists(const std::string& section) const;

  // Holds the changes until EndUpdate writes them in one step; CancelUpdate drops them and reads
  // the file again. Brackets nest.
  void BeginUpdate();
  void EndUpdate();
  void CancelUpdate();

 private:
  using TChange = TChangeBatch<TIniText>::TChange;
  void Change(TChange change);
  void WriteChanges(const std::vector<TChange>& changes);

  std::string fFileName;
  TIniText fText;
  TChangeBatch<TIniText> fChanges;
};

}  // namespace dravik
