#include "runtime/DravikSystem.h"

#include <algorithm>

#include "platform/core/classes/Strings.h"
#include "platform/core/classes/UpdateScope.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/system/SystemInfo.h"

namespace dravik {

namespace {

const TLanguageRow kTable[] = {
    {0x36, "Afrikaans", "Afrikaans", "af"},
    {0x1C, "Albanian", "", "sq"},
    {0x01, "Arabic", "", "ar"},
    {0x2D, "Basque", "", "eu"},
    {0x23, "Belarusian", "", "be"},
    {0x02, "Bulgarian", "", "bg"},
    {0x03, "Catalan", "", "ca"},
    {0x04, "Chinese", "", "zh"},
    {0x1A, "Croatian", "", "hr"},
    {0x05, "Czech", "", "cs"},
    {0x06, "Danish", "Dansk", "da"},
    {0x13, "Dutch", "Nederlands", "nl"},
    {0x09, "English", "English", "en"},
    {0x25, "Estonian", "Eesti", "et"},
    {0x38, "Faeroese", "", "fo"},
    {0x29, "Farsi", "", "fa"},
    {0x0B, "Finnish", "Suomi", "fi"},
    {0x0C, "French", "Francais", "fr"},
    {0x07, "German", "Deutsch", "de"},
    {0x08, "Greek", "", "el"},
    {0x0D, "Hebrew", "", "he"},
    {0x0E, "Hungarian", "Magyar", "hu"},
    {0x0F, "Icelandic", "\xC3\x8Dslenskur", "is"},
    {0x21, "Indonesian", "Indonesia", "id"},
    {0x10, "Italian", "Italiano", "it"},
    {0x11, "Japanese", "", "ja"},
    {0x12, "Korean", "", "ko"},
    {0x26, "Latvian", "", "lv"},
    {0x27, "Lithuanian", "", "lt"},
    {0x14, "Norwegian", "Norsk", "no"},
    {0x15, "Polish", "Polski", "pl"},
    {0x16, "Portuguese", "Portugu\xC3\xAAs", "pt"},
    {0x18, "Romanian", "Rom\xC3\xA2n", "ro"},
    {0x19, "Russian", "", "ru"},
    {0x1B, "Slovak", "Slovensk\xC3\xBD", "sk"},
    {0x24, "Slovenian", "Slov\xC3\xA9nski", "sl"},
    {0x0A, "Spanish", "Espa\xC3\xB1ol", "es"},
    {0x1D, "Swedish", "Svenska", "sv"},
    {0x1E, "Thai", "", "th"},
    {0x1F, "Turkish",
     "T\xC3\xBCrk\xC3\xA7"
     "e",
     "tr"},
    {0x22, "Ukrainian", "", "uk"},
    {0x2A, "Vietnamese", "", "vi"},
};

const char* NameOf(const TLanguageRow& row, TLanguageNameType type) {
  return type == lnEnglish ? row.English : row.Original;
}

// The first row whose name of the kind equals name ignoring case; -1 when none.
int FindRow(TLanguageNameType type, const std::string& name) {
  for (int i = 0; i < LanguageTableCount(); ++i)
    if (SameText(NameOf(kTable[i], type), name)) return i;
  return -1;
}

// The letters of a name without case and without the accents of Western letters: users and
// forms write "Fran\xC3\xA7ais" where the table writes "Francais", and "Portugues" for
// "Portugu\xC3\xAAs".
std::string FoldLetters(const std::string& name) {
  // U+00C0 to U+00FF; '\0' where the character has no plain letter of its own (AE, sharp s, ...).
  static constexpr char kBase[] =
      "aaaaaa\0ceeeeiiiidnooooo\0ouuuuy\0\0aaaaaa\0ceeeeiiiidnooooo\0ouuuuy\0y";
  std::string folded;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    const unsigned char next = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
    if (c == 0xC3 && next >= 0x80 && next <= 0xBF && kBase[next - 0x80] != '\0') {
      folded += kBase[next - 0x80];
      ++i;
    } else {
      folded += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
  }
  return folded;
}

// The first row whose name of the kind has the letters of folded; -1 when none.
int FindRowByLetters(TLanguageNameType type, const std::string& folded) {
  for (int i = 0; i < LanguageTableCount(); ++i)
    if (FoldLetters(NameOf(kTable[i], type)) == folded) return i;
  return -1;
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A language tag as translators' files write it: two or three letters, then subtags of letters
// and digits after "-" or "_" ("de", "fr-FR", "pt_BR", "zh-Hant-TW").
bool IsLanguageCode(const std::string& text) {
  std::size_t at = 0, length = 0;
  for (; at < text.size() && IsAsciiLetter(text[at]); ++at) ++length;
  if (length < 2 || length > 3) return false;
  while (at < text.size()) {
    if (text[at] != '-' && text[at] != '_') return false;
    const std::size_t start = ++at;
    while (at < text.size() && (IsAsciiLetter(text[at]) || (text[at] >= '0' && text[at] <= '9')))
      ++at;
    if (at - start < 1 || at - start > 8) return false;
  }
  return true;
}

// The usual spelling of a code: "-" between subtags, the language in lower case, a two-letter
// region in upper case, a four-letter script capitalised.
std::string CodeSpelling(const std::string& code) {
  std::string out;
  std::size_t start = 0;
  for (int subtag = 0; start <= code.size(); ++subtag) {
    const std::size_t end = std::min(code.find_first_of("-_", start), code.size());
    std::string part = LowerCase(code.substr(start, end - start));
    if (subtag > 0 && part.size() == 2) part = UpperCase(part);
    if (subtag > 0 && part.size() == 4 && IsAsciiLetter(part[0]))
      part[0] = static_cast<char>(part[0] - 'a' + 'A');
    out += (subtag > 0 ? "-" : "") + part;
    start = end + 1;
  }
  return out;
}

// The row a name (English or native) or a code denotes; -1 when none.
int RowOf(const std::string& language) {
  const std::string folded = FoldLetters(language);
  if (const int row = FindRowByLetters(lnEnglish, folded); row >= 0) return row;
  if (const int row = FindRowByLetters(lnOriginal, folded); row >= 0) return row;
  if (!IsLanguageCode(language)) return -1;
  const std::string primary = LowerCase(language.substr(0, language.find_first_of("-_")));
  for (int i = 0; i < LanguageTableCount(); ++i)
    if (primary == kTable[i].Code) return i;
  return -1;
}

}  // namespace

const TTypeInfo& TypeInfoFor(TLanguageNameType) {
  static const TTypeInfo& info = MakeEnumType("TLanguageNameType", {"lnEnglish", "lnOriginal"});
  return info;
}

const TLanguageRow* LanguageTable() {
  return kTable;
}

int LanguageTableCount() {
  return static_cast<int>(sizeof kTable / sizeof kTable[0]);
}

bool GetDefaultLanguage(std::string& english, std::string& original) {
  uint8_t primary = static_cast<uint8_t>(GetUserDefaultLangID() & 0xFF);
  for (const TLanguageRow& row : kTable)
    if (row.Identifier == primary) {
      english = row.English;
      original = row.Original;
      return true;
    }
  english.clear();
  original.clear();
  return false;
}

bool IsDefaultLanguage(TLanguageNames names, std::string& name) {
  name = Trim(name);
  for (TLanguageNameType type : {lnEnglish, lnOriginal}) {
    if (!names.Contains(type) || name.empty()) continue;
    int row = FindRow(type, name);
    if (row >= 0) {
      name = NameOf(kTable[row], type);
      return true;
    }
  }
  return false;
}

void GetDefaultLanguages(TLanguageNameType nameType, TStrings& list) {
  TUpdateScope update(list);
  list.Clear();
  for (const TLanguageRow& row : kTable) {
    std::string name = Trim(NameOf(row, nameType));
    if (!name.empty()) list.Add(name);
  }
}

bool TranslateLanguage(TLanguageNameType fromType, std::string& name) {
  if (name.empty()) return false;  // an empty name would match the first row without original
  int row = FindRow(fromType, name);
  if (row < 0) return false;
  name = NameOf(kTable[row], fromType == lnEnglish ? lnOriginal : lnEnglish);
  return true;
}

bool CompareLanguages(const std::string& a, const std::string& b) {
  std::string x = Trim(a), y = Trim(b);
  if (x.empty() || y.empty()) return false;
  if (FoldLetters(x) == FoldLetters(y)) return true;
  if (IsPseudoLanguage(x)) return IsPseudoLanguage(y);
  // "en-US" and "en-GB" are two languages of a form, though one of the table; "en" is either.
  auto regional = [](const std::string& code) {
    return IsLanguageCode(code) && code.find_first_of("-_") != std::string::npos;
  };
  if (regional(x) && regional(y) && CodeSpelling(x) != CodeSpelling(y)) return false;
  const int row = RowOf(x);
  return row >= 0 && row == RowOf(y);
}

std::string LanguageCode(const std::string& language) {
  const std::string name = Trim(language);
  if (IsPseudoLanguage(name)) return "qps-ploc";
  if (const int row = FindRowByLetters(lnEnglish, FoldLetters(name)); row >= 0)
    return kTable[row].Code;
  if (const int row = FindRowByLetters(lnOriginal, FoldLetters(name)); row >= 0)
    return kTable[row].Code;
  return IsLanguageCode(name) ? CodeSpelling(name) : "";
}

std::string EnglishLanguageName(const std::string& language) {
  if (IsPseudoLanguage(language)) return kPseudoLanguage;
  const int row = RowOf(Trim(language));
  return row >= 0 ? kTable[row].English : "";
}

bool IsPseudoLanguage(const std::string& language) {
  const std::string name = Trim(language);
  return SameText(name, kPseudoLanguage) ||
         (IsLanguageCode(name) && SameText(name.substr(0, 3), "qps") && name.size() > 3);
}

}  // namespace dravik
