#pragma once
// The language table: 42 languages with their primary language identifier, English name, for
// some the name in the language itself, and the language code translators' files carry. It tells
// the user's system language and which names mean the same language ("Deutsch", "German", "de").

#include <string>

#include "platform/core/typinfo/Set.h"
#include "platform/core/typinfo/TypInfo.h"

namespace dravik {

class TStrings;

enum TLanguageNameType { lnEnglish, lnOriginal };
const TTypeInfo& TypeInfoFor(TLanguageNameType);
using TLanguageNames = TSet<TLanguageNameType, "TLanguageNames">;

struct TLanguageRow {
  uint8_t Identifier;
  const char* English;
  const char* Original;  // empty when the row has none
  const char* Code;      // BCP 47 primary language subtag
};

// The rows in table order; the order decides which row a search finds first.
const TLanguageRow* LanguageTable();
int LanguageTableCount();

// The names of the user's default language (low 8 bits of its identifier); false and two empty
// names when the table does not know it.
bool GetDefaultLanguage(std::string& english, std::string& original);
// Trims name; when it is a known name of a kind in names, takes the table's spelling.
bool IsDefaultLanguage(TLanguageNames names, std::string& name);
// Clears list and adds every non-empty name of the kind, in table order.
void GetDefaultLanguages(TLanguageNameType nameType, TStrings& list);
// Replaces name (not trimmed) by the other kind's name of the first row that has it.
bool TranslateLanguage(TLanguageNameType fromType, std::string& name);
// Whether a and b (trimmed, neither empty) name the same language: the same letters ignoring
// case and the accents of Western letters, or two of the English name, the native name and the
// code of one row; a code with a region ("fr-FR", "pt_BR") stands for its language's row, but two
// such codes must agree ("en-US" is not "en-GB").
bool CompareLanguages(const std::string& a, const std::string& b);
// The code of a language given by name or code: the table's code for a name it knows, a code as
// given in its usual spelling ("pt_br" gives "pt-BR"); empty for a name the table does not know.
std::string LanguageCode(const std::string& language);
// The English name of the row a name or code denotes; empty when the table does not know it.
std::string EnglishLanguageName(const std::string& language);

// The pseudo-language that shows layout problems before translators start: accented, bracketed,
// lengthened texts. Its code is the private-use "qps-ploc"; "qps-..." codes name it too.
inline constexpr const char* kPseudoLanguage = "Pseudo";
bool IsPseudoLanguage(const std::string& language);

}  // namespace dravik
