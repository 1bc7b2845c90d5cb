#pragma once
// The content of a registry file in the REGEDIT4 text layout:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Quelt GbR\Designers]
//   "Name"="text with \\ and \" escaped"
//   "Count"=dword:0000002a
//   "Data"=hex:01,02,ff
//   @="the key's default value"
//
// Text that holds control characters (a line break) is written as hex(1): its bytes and a
// terminating zero; other
// value types as hex(n):, kept as they are. Keys are full paths from a root key; names compare
// ignoring ASCII case. A key that appears twice is read as one; of two equal value names in a
// key the first counts.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/inifiles/IniText.h"

namespace dravik {

// The value types of the original registry: REG_SZ 1, REG_EXPAND_SZ 2, REG_BINARY 3, REG_DWORD 4.
enum TRegValueType : uint32_t {
  kRegString = 1,
  kRegExpandString = 2,
  kRegBinary = 3,
  kRegDword = 4
};

struct TRegValue {
  std::string Name;  // empty for the default value "@"
  uint32_t Type = kRegString;
  std::string Data;  // text, four bytes little-endian for a dword, or the bytes
};

struct TRegKey {
  std::string Path;  // "HKEY_CURRENT_USER\Software\..."
  std::vector<TRegValue> Values;
};

class TRegistryText {
 public:
  static constexpr std::string_view kSignature = "REGEDIT4";

  // Lines that cannot be read are left out; the first of them is reported in damage. An empty
  // input is an empty registry.
  static TRegistryText Parse(std::string_view bytes, std::optional<TIniDamage>& damage);
  std::string Text() const;

  const std::vector<TRegKey>& Keys() const { return fKeys; }
  const TRegKey* FindKey(std::string_view path) const;
  // The key itself or a key below it is listed.
  bool KeyExists(std::string_view path) const;
  // The names of the keys right below path, each once, in file order.
  std::vector<std::string> SubKeyNames(std::string_view path) const;
  const TRegValue* FindValue(std::string_view path, std::string_view name) const;

  void CreateKey(std::string_view path);
  // Removes the key and every key below it.
  void DeleteKey(std::string_view path);
  void SetValue(std::string_view path, TRegValue value);
  void DeleteValue(std::string_view path, std::string_view name);

  // The root key names, HKEY_CLASSES_ROOT ... HKEY_DYN_DATA, in the order of their handles.
  static const std::vector<std::string_view>& RootNames();

 private:
  TRegKey* Find(std::string_view path);
  std::vector<TRegKey> fKeys;
};

// A value as one line of text: text as it is, a dword in decimal, bytes as hex pairs joined by
// blanks.
std::string RegValueToText(const TRegValue& value);

}  // namespace dravik
