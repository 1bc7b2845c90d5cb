#pragma once
// The formats translators' tools read: gettext's PO files and XLIFF 1.2. Both hold one
// language pair of a form: for each property and named string its key (as in the language
// file), the text in the form's active language and the text in the target language.

#include <string>
#include <string_view>
#include <vector>

namespace dravik {

class TLanguageManager;

struct TTranslationUnit {
  std::string Key;                    // "Button1.Caption", "Dravik.#Greeting"
  std::string Source;                 // the text in the active language
  std::string Target;                 // the translation; empty when there is none
  bool Fuzzy = false;                 // a translation that still needs review
  std::vector<std::string> Comments;  // the translator's notes
};

struct TTranslationSet {
  std::string SourceLanguage;
  std::string TargetLanguage;
  std::vector<TTranslationUnit> Units;
};

// The language as translators' files carry it: its code ("de" for "Deutsch"), or the name as it
// stands when the language table does not know it.
std::string FileLanguage(const std::string& language);

// The manager's units between its active language and language (a name or code); EConvertError
// when it does not have language.
TTranslationSet TranslationSetOf(const TLanguageManager& manager, const std::string& language);

// original names the form the units come from.
std::string WritePo(const TTranslationSet& set, const std::string& original);
// EParserError "NAME:LINE: reason" for what is not a PO file.
TTranslationSet ReadPo(std::string_view text, const std::string& fileName);

std::string WriteXliff(const TTranslationSet& set, const std::string& original);
// EParserError "NAME: reason" for a file that is no XLIFF of trans-units.
TTranslationSet ReadXliff(std::string_view text, const std::string& fileName);

// The language file section that imports the set's translations: one line per unit that has a
// non-fuzzy translation; a translation with a line break goes to refused ("KEY: reason").
std::string LanguageFileSection(const TTranslationSet& set, const std::string& sectionName,
                                std::vector<std::string>& refused);

}  // namespace dravik
