#include "runtime/PseudoLanguage.h"

namespace dravik {

namespace {

// An accented letter (UTF-8) for each of a to z and A to Z.
constexpr const char* kLower[] = {
    "\xC3\xA1",     "\xC6\x80", "\xC3\xA7",     "\xC4\x8F", "\xC3\xA9", "\xC6\x92", "\xC4\x9F",
    "\xC4\xA5",     "\xC3\xAD", "\xC4\xB5",     "\xC4\xB7", "\xC4\xBA", "\xC9\xB1", "\xC3\xB1",
    "\xC3\xB6",     "\xC3\xBE", "\xC7\xAB",     "\xC5\x95", "\xC5\xA1", "\xC5\xA3", "\xC3\xBC",
    "\xE1\xB9\xBD", "\xC5\xB5", "\xE1\xBA\x8B", "\xC3\xBD", "\xC5\xBE"};
constexpr const char* kUpper[] = {
    "\xC3\x85",     "\xC6\x81", "\xC3\x87",     "\xC4\x8E", "\xC3\x89", "\xC6\x91",     "\xC4\x9C",
    "\xC4\xA4",     "\xC3\x8E", "\xC4\xB4",     "\xC4\xB6", "\xC4\xB9", "\xE1\xB9\x80", "\xC3\x91",
    "\xC3\x96",     "\xC3\x9E", "\xC7\xAA",     "\xC5\x94", "\xC5\xA0", "\xC5\xA2",     "\xC3\x9C",
    "\xE1\xB9\xBC", "\xC5\xB4", "\xE1\xBA\x8A", "\xC3\x9D", "\xC5\xBD"};

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80;
}

// The length of a format specifier at text[at] ("%s", "%0:d", "%-8.2f", "%%"); 0 when none.
std::size_t SpecifierLength(const std::string& text, std::size_t at) {
  if (text[at] != '%') return 0;
  std::size_t end = at + 1;
  while (end < text.size() && (text[end] == '-' || text[end] == ':' || text[end] == '.' ||
                               text[end] == '*' || (text[end] >= '0' && text[end] <= '9')))
    ++end;
  if (end < text.size() && (IsLetter(text[end]) || text[end] == '%') &&
      static_cast<unsigned char>(text[end]) < 0x80)
    return end + 1 - at;
  return 0;
}

}  // namespace

std::string PseudoText(const std::string& text, int percent) {
  bool letters = false;
  std::string out = "[";
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (const std::size_t specifier = SpecifierLength(text, i)) {
      out += text.substr(i, specifier);
      i += specifier;
      characters += specifier;
      continue;
    }
    const char c = text[i++];
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;  // not a continuation
    letters = letters || IsLetter(c);
    if (c >= 'a' && c <= 'z') {
      out += kLower[c - 'a'];
    } else if (c >= 'A' && c <= 'Z') {
      out += kUpper[c - 'A'];
    } else {
      out += c;
    }
  }
  if (!letters) return text;
  // The brackets count towards the length the text gains.
  const std::size_t gain = (characters * std::size_t(percent > 0 ? percent : 0) + 99) / 100;
  if (gain > 2) out += std::string(gain - 2, '~');
  return out + "]";
}

}  // namespace dravik
