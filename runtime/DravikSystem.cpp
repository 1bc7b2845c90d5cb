#include "runtime/DravikSystem.h"

#include "platform/core/classes/Strings.h"
#include "platform/core/classes/UpdateScope.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/system/SystemInfo.h"

namespace dravik {

namespace {

const TLanguageRow kTable[] = {
    {0x36, "Afrikaans", "Afrikaans"},
    {0x1C, "Albanian", ""},
    {0x01, "Arabic", ""},
    {0x2D, "Basque", ""},
    {0x23, "Belarusian", ""},
    {0x02, "Bulgarian", ""},
    {0x03, "Catalan", ""},
    {0x04, "Chinese", ""},
    {0x1A, "Croatian", ""},
    {0x05, "Czech", ""},
    {0x06, "Danish", "Dansk"},
    {0x13, "Dutch", "Nederlands"},
    {0x09, "English", "English"},
    {0x25, "Estonian", "Eesti"},
    {0x38, "Faeroese", ""},
    {0x29, "Farsi", ""},
    {0x0B, "Finnish", "Suomi"},
    {0x0C, "French", "Francais"},
    {0x07, "German", "Deutsch"},
    {0x08, "Greek", ""},
    {0x0D, "Hebrew", ""},
    {0x0E, "Hungarian", "Magyar"},
    {0x0F, "Icelandic", "\xC3\x8Dslenskur"},
    {0x21, "Indonesian", "Indonesia"},
    {0x10, "Italian", "Italiano"},
    {0x11, "Japanese", ""},
    {0x12, "Korean", ""},
    {0x26, "Latvian", ""},
    {0x27, "Lithuanian", ""},
    {0x14, "Norwegian", "Norsk"},
    {0x15, "Polish", "Polski"},
    {0x16, "Portuguese", "Portugu\xC3\xAAs"},
    {0x18, "Romanian", "Rom\xC3\xA2n"},
    {0x19, "Russian", ""},
    {0x1B, "Slovak", "Slovensk\xC3\xBD"},
    {0x24, "Slovenian", "Slov\xC3\xA9nski"},
    {0x0A, "Spanish", "Espa\xC3\xB1ol"},
    {0x1D, "Swedish", "Svenska"},
    {0x1E, "Thai", ""},
    {0x1F, "Turkish",
     "T\xC3\xBCrk\xC3\xA7"
     "e"},
    {0x22, "Ukrainian", ""},
    {0x2A, "Vietnamese", ""},
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
  x = FoldLetters(x);
  y = FoldLetters(y);
  if (x == y) return true;
  int row = FindRowByLetters(lnEnglish, x);
  if (row >= 0) return FoldLetters(kTable[row].Original) == y;
  row = FindRowByLetters(lnOriginal, x);
  if (row >= 0) return FoldLetters(kTable[row].English) == y;
  return false;
}

}  // namespace dravik
