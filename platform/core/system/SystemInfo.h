#pragma once
// Facts about the system the program runs on.

#include <cstdint>
#include <string>
#include <string_view>

namespace dravik {

using LANGID = uint16_t;

// The user's language as a language identifier: primary language in the low 10 bits,
// sublanguage above. Read from LC_ALL, LC_MESSAGES or LANG (the first that is set); 0 (neutral)
// for the C locale or a language without an identifier.
LANGID GetUserDefaultLangID();
// The identifier of a locale name such as "de_CH.UTF-8"; 0 when unknown.
LANGID LangIDFromLocale(std::string_view locale);

std::string GetUserName();
std::string GetComputerName();
std::string GetTempPath();  // TMPDIR or /tmp, with a trailing "/"

}  // namespace dravik
