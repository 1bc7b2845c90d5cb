#pragma once
// Pseudo-translation: a text as a translation would stress a layout, while it stays readable.

#include <string>

namespace dravik {

// text with accented letters, in brackets, lengthened to at least (100 + percent) % of its
// characters; format specifiers ("%s", "%0:d") and "&" stay as they are. A text without letters
// ("-", a menu separator) stays unchanged.
std::string PseudoText(const std::string& text, int percent);

}  // namespace dravik
