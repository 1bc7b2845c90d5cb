#include "platform/core/inifiles/RegistryText.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "platform/core/filer/StreamFormatEncoding.h"
#include "platform/core/inifiles/TextLines.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

bool StartsWithText(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

// path itself or a key below it.
bool IsAtOrBelow(std::string_view key, std::string_view path) {
  return SameText(key, path) ||
         (key.size() > path.size() && key[path.size()] == '\\' && StartsWithText(key, path));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseHexNumber(std::string_view digits, uint32_t& value) {
  if (digits.empty() || digits.size() > 8) return false;
  value = 0;
  for (char c : digits) {
    if (HexDigit(c) < 0) return false;
    value = value * 16 + static_cast<uint32_t>(HexDigit(c));
  }
  return true;
}

// A quoted name or text at text[pos]; pos ends behind the closing quote.
bool ParseQuoted(std::string_view text, std::size_t& pos, std::string& out) {
  if (pos >= text.size() || text[pos] != '"') return false;
  for (++pos; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '"') {
      ++pos;
      return true;
    }
    if (c == '\\' && pos + 1 < text.size()) {
      const char next = text[++pos];
      if (next != '\\' && next != '"') out += '\\';
      out += next;
    } else {
      out += c;
    }
  }
  return false;
}

// The data behind "=": answers the reason when it cannot be read.
const char* ParseData(std::string_view data, TRegValue& value) {
  while (!data.empty() && IsBlankOrControl(data.front())) data.remove_prefix(1);
  while (!data.empty() && IsBlankOrControl(data.back())) data.remove_suffix(1);
  if (!data.empty() && data.front() == '"') {
    std::size_t pos = 0;
    value.Type = kRegString;
    if (!ParseQuoted(data, pos, value.Data) || pos != data.size()) return "an unterminated text";
    return nullptr;
  }
  if (StartsWithText(data, "dword:")) {
    uint32_t number = 0;
    if (!ParseHexNumber(data.substr(6), number)) return "a dword that is not 1 to 8 hex digits";
    value.Type = kRegDword;
    value.Data.clear();
    for (int i = 0; i < 4; ++i) value.Data += static_cast<char>((number >> (8 * i)) & 0xFF);
    return nullptr;
  }
  if (!StartsWithText(data, "hex")) return "a value of no known type";
  data.remove_prefix(3);
  value.Type = kRegBinary;
  if (!data.empty() && data.front() == '(') {
    const std::size_t close = data.find(')');
    if (close == std::string_view::npos || !ParseHexNumber(data.substr(1, close - 1), value.Type))
      return "a value type that is no hex number";
    data.remove_prefix(close + 1);
  }
  if (data.empty() || data.front() != ':') return "a value of no known type";
  data.remove_prefix(1);
  value.Data.clear();
  while (!Trim(data).empty()) {
    const std::size_t comma = data.find(',');
    const std::string pair = Trim(data.substr(0, comma));
    uint32_t byte = 0;
    if (pair.size() > 2 || !ParseHexNumber(pair, byte)) return "a byte that is not two hex digits";
    value.Data += static_cast<char>(byte);
    if (comma == std::string_view::npos) break;
    data.remove_prefix(comma + 1);
  }
  // Text stored as bytes is 8-bit text that ends with its terminating zero.
  if (value.Type == kRegString || value.Type == kRegExpandString) {
    if (!value.Data.empty() && value.Data.back() == '\0') value.Data.pop_back();
    value.Data = EightBitToUtf8(value.Data);
  }
  return nullptr;
}

// The key path with its root key spelled as the list has it; empty when the root is unknown.
std::string CanonicalPath(std::string_view path) {
  const std::size_t slash = path.find('\\');
  const std::string_view root = path.substr(0, slash);
  for (std::string_view name : TRegistryText::RootNames())
    if (SameText(name, root))
      return std::string(name) +
             std::string(slash == std::string_view::npos ? "" : path.substr(slash));
  return "";
}

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string HexBytes(std::string_view bytes, const char* separator) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) out += separator;
    out += LowerCase(IntToHex(static_cast<unsigned char>(bytes[i]), 2));
  }
  return out;
}

uint32_t DwordOf(std::string_view data) {
  uint32_t number = 0;
  for (int i = 3; i >= 0; --i) number = number * 256 + static_cast<unsigned char>(data[i]);
  return number;
}

std::string DataText(const TRegValue& value) {
  if (value.Type == kRegString && !HasControlCharacter(value.Data)) return Quoted(value.Data);
  if (value.Type == kRegDword && value.Data.size() == 4)
    return "dword:" + LowerCase(IntToHex(DwordOf(value.Data), 8));
  if (value.Type == kRegBinary) return "hex:" + HexBytes(value.Data, ",");
  // Text stored as bytes carries its terminating zero, as the original writes it.
  const bool text = value.Type == kRegString || value.Type == kRegExpandString;
  return "hex(" + LowerCase(IntToHex(value.Type, 1)) +
         "):" + HexBytes(text ? value.Data + '\0' : value.Data, ",");
}

}  // namespace

const std::vector<std::string_view>& TRegistryText::RootNames() {
  static const std::vector<std::string_view> names = {
      "HKEY_CLASSES_ROOT",     "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE", "HKEY_USERS",
      "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"};
  return names;
}

TRegistryText TRegistryText::Parse(std::string_view bytes, std::optional<TIniDamage>& damage) {
  TRegistryText text;
  damage.reset();
  const std::vector<std::string> lines = SplitTextLines(bytes);
  auto fail = [&](std::size_t index, const char* reason) {
    if (!damage) damage = TIniDamage{static_cast<int>(index + 1), reason};
  };
  if (lines.empty()) return text;
  if (Trim(lines[0]) != kSignature) fail(0, "the file does not begin with REGEDIT4");
  // Keys and value names met so far, folded to upper case: a file of many stays linear.
  std::unordered_map<std::string, std::size_t> keys;
  std::unordered_set<std::string> names;
  constexpr std::size_t kNone = std::string::npos;
  std::size_t current = kNone;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::size_t first = i;
    std::string line = Trim(lines[i]);
    // Long hex data goes on over lines that end with a backslash.
    while (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos &&
           i + 1 < lines.size()) {
      line.pop_back();
      line += Trim(lines[++i]);
    }
    if (line.find('\0') != std::string::npos) {
      fail(first, "the line holds a NUL byte");
    } else if (line.empty() || line.front() == ';') {
      continue;
    } else if (line.front() == '[') {
      current = kNone;
      if (line.back() != ']') {
        fail(first, "a key name without its closing ']'");
        continue;
      }
      const std::string path = CanonicalPath(std::string_view(line).substr(1, line.size() - 2));
      if (path.empty()) {
        fail(first, "a key that does not begin with a root key");
      } else if (path.back() == '\\' || path.find("\\\\") != std::string::npos) {
        fail(first, "a key path with an empty key name");
      } else {
        const auto [found, added] = keys.try_emplace(UpperCase(path), text.fKeys.size());
        if (added) text.fKeys.push_back(TRegKey{path, {}});
        current = found->second;
      }
    } else if (line.front() == '"' || line.front() == '@') {
      TRegValue value;
      std::size_t pos = line.front() == '@' ? 1 : 0;
      if (pos == 0 && !ParseQuoted(line, pos, value.Name)) {
        fail(first, "a value name without its closing quote");
      } else if (pos >= line.size() || line[pos] != '=') {
        fail(first, "a value name without '='");
      } else if (const char* reason = ParseData(std::string_view(line).substr(pos + 1), value)) {
        fail(first, reason);
      } else if (current == kNone) {
        fail(first, "a value outside of any key");
      } else if (names.insert(std::to_string(current) + '\\' + UpperCase(value.Name)).second) {
        text.fKeys[current].Values.push_back(std::move(value));
      }
    } else {
      fail(first, "neither a key, a value nor a comment");
    }
  }
  return text;
}

std::string TRegistryText::Text() const {
  std::string out = std::string(kSignature) + "\n";
  for (const TRegKey& key : fKeys) {
    out += "\n[" + key.Path + "]\n";
    for (const TRegValue& value : key.Values)
      out += (value.Name.empty() ? std::string("@") : Quoted(value.Name)) + "=" + DataText(value) +
             "\n";
  }
  return out;
}

TRegKey* TRegistryText::Find(std::string_view path) {
  for (TRegKey& key : fKeys)
    if (SameText(key.Path, path)) return &key;
  return nullptr;
}

const TRegKey* TRegistryText::FindKey(std::string_view path) const {
  return const_cast<TRegistryText*>(this)->Find(path);
}

bool TRegistryText::KeyExists(std::string_view path) const {
  if (path.find('\\') == std::string_view::npos && !CanonicalPath(path).empty()) return true;
  return std::any_of(fKeys.begin(), fKeys.end(),
                     [&](const TRegKey& key) { return IsAtOrBelow(key.Path, path); });
}

std::vector<std::string> TRegistryText::SubKeyNames(std::string_view path) const {
  std::vector<std::string> names;
  for (const TRegKey& key : fKeys) {
    if (!IsAtOrBelow(key.Path, path) || key.Path.size() == path.size()) continue;
    const std::string_view below = std::string_view(key.Path).substr(path.size() + 1);
    const std::string name(below.substr(0, below.find('\\')));
    if (std::none_of(names.begin(), names.end(),
                     [&](const std::string& n) { return SameText(n, name); }))
      names.push_back(name);
  }
  return names;
}

const TRegValue* TRegistryText::FindValue(std::string_view path, std::string_view name) const {
  if (const TRegKey* key = FindKey(path))
    for (const TRegValue& value : key->Values)
      if (SameText(value.Name, name)) return &value;
  return nullptr;
}

void TRegistryText::CreateKey(std::string_view path) {
  if (!Find(path)) fKeys.push_back(TRegKey{std::string(path), {}});
}

void TRegistryText::DeleteKey(std::string_view path) {
  std::erase_if(fKeys, [&](const TRegKey& key) { return IsAtOrBelow(key.Path, path); });
}

void TRegistryText::SetValue(std::string_view path, TRegValue value) {
  CreateKey(path);
  TRegKey* key = Find(path);
  for (TRegValue& existing : key->Values)
    if (SameText(existing.Name, value.Name)) {
      existing = std::move(value);
      return;
    }
  key->Values.push_back(std::move(value));
}

void TRegistryText::DeleteValue(std::string_view path, std::string_view name) {
  if (TRegKey* key = Find(path))
    std::erase_if(key->Values, [&](const TRegValue& value) { return SameText(value.Name, name); });
}

std::string RegValueToText(const TRegValue& value) {
  if (value.Type == kRegDword && value.Data.size() == 4)
    return std::to_string(static_cast<int32_t>(DwordOf(value.Data)));
  if (value.Type == kRegString || value.Type == kRegExpandString) return value.Data;
  return HexBytes(value.Data, " ");
}

}  // namespace dravik
