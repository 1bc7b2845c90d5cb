#pragma once
// The formats translators' tools read: gettext's PO files, XLIFF 1.2 (and 1.1) and Qt's .ts
// files. Each holds one language pair of a form: for each property and named string its key (as in
// the language file), the text in the form's active language and the text in the target language.

#include <map>
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
  std::string Refused;                // why a translation the file holds cannot be taken
};

struct TTranslationSet {
  std::string SourceLanguage;  // as the file names them: codes, or names the table lacks
  std::string TargetLanguage;
  std::vector<TTranslationUnit> Units;
  std::map<std::string, int> Skipped;  // entries a reader leaves out, counted by reason
};

// The language as translators' files carry it: its code ("de" for "Deutsch"), or the name as it
// stands when the language table does not know it.
std::string FileLanguage(const std::string& language);

// The manager's units between its active language and language (a name or code); EConvertError
// when it does not have language.
TTranslationSet TranslationSetOf(const TLanguageManager& manager, const std::string& language);

// original names the form the units come from. The header carries the time of writing, the
// language's code and, when known, its plural rule.
std::string WritePo(const TTranslationSet& set, const std::string& original);
// Read as gettext reads it; obsolete and plural entries are counted in Skipped. EParserError
// "NAME:LINE: reason" with gettext's first error, or for a charset other than UTF-8.
TTranslationSet ReadPo(std::string_view text, const std::string& fileName);

std::string WriteXliff(const TTranslationSet& set, const std::string& original);
// XLIFF 1.2 or 1.1. A unit's key is its resname, else its gettext context, else its id; its
// target counts as translated when approved, in a final state or plainly there, and as in need
// of review when a state or approved="no" says so. EParserError "NAME:LINE: reason" for a file
// that is no XLIFF.
TTranslationSet ReadXliff(std::string_view text, const std::string& fileName);

// Qt Linguist's format: the key is each message's id (and its disambiguating comment, for tools
// that match by text); an unfinished translation needs review. EParserError "NAME:LINE: reason"
// for a file that is no .ts file.
std::string WriteTs(const TTranslationSet& set, const std::string& original);
TTranslationSet ReadTs(std::string_view text, const std::string& fileName);

struct TImportSection {
  std::string Text;                    // the section of a language file
  std::vector<std::string> Refused;    // "KEY: reason"
  std::map<std::string, int> Skipped;  // the set's, with "untranslated" and "needs review"
};

// The language file section that imports the set's translations: one line per unit that has a
// translation not in need of review; a translation with a line break, or one the reader could
// not take, is refused.
TImportSection LanguageFileSection(const TTranslationSet& set, const std::string& sectionName);

}  // namespace dravik
