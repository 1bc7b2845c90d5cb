#include "library/UnitHeader.h"

#include <cmath>
#include <cstdio>

#include "platform/core/classes/Strings.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/system/UnitVersion.h"

namespace dravik {

namespace {

constexpr std::string_view kStart = "$Header: ";

// The last word of text (blanks at its end skipped), taken off text; empty when none is left.
std::string TakeLastWord(std::string_view& text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  const std::size_t blank = text.find_last_of(' ');
  const std::size_t start = blank == std::string_view::npos ? 0 : blank + 1;
  std::string word = Trim(text.substr(start));
  text = text.substr(0, start);
  return word;
}

// Up to three numbers separated by separator, each of one to four digits, and nothing else.
bool ReadParts(std::string_view text, char separator, int (&parts)[3], int count) {
  for (int i = 0; i < count; ++i) {
    std::size_t digits = 0;
    int value = 0;
    while (digits < text.size() && digits < 4 && text[digits] >= '0' && text[digits] <= '9')
      value = value * 10 + (text[digits++] - '0');
    if (digits == 0) return false;
    parts[i] = value;
    text.remove_prefix(digits);
    if (i + 1 < count) {
      if (text.empty() || text[0] != separator) return false;
      text.remove_prefix(1);
    }
  }
  return text.empty();
}

bool ReadDate(std::string_view text, bool dayFirst, double& value) {
  int parts[3];
  if (!ReadParts(text, dayFirst ? '.' : '/', parts, 3)) return false;
  int year = parts[2];
  if (year < 100) year += year < 50 ? 2000 : 1900;
  return TryEncodeDate(year, dayFirst ? parts[1] : parts[0], dayFirst ? parts[0] : parts[1], value);
}

// "hh:nn" or "hh:nn:ss", with "a", "p", "am" or "pm" at the end for a twelve-hour time.
bool ReadTime(std::string_view text, double& value) {
  int hourOffset = -1;  // none: a 24-hour time
  std::string lower = LowerCase(std::string(text));
  if (lower.ends_with("m") && lower.size() > 1 &&
      (lower[lower.size() - 2] == 'a' || lower[lower.size() - 2] == 'p'))
    lower.pop_back();
  if (lower.ends_with("a") || lower.ends_with("p")) {
    hourOffset = lower.back() == 'p' ? 12 : 0;
    lower.pop_back();
  }
  int parts[3] = {0, 0, 0};
  if (!ReadParts(lower, ':', parts, 2) && !ReadParts(lower, ':', parts, 3)) return false;
  int hours = parts[0];
  if (hourOffset >= 0) {
    if (hours < 1 || hours > 12) return false;
    hours = hours % 12 + hourOffset;
  }
  if (hours > 23 || parts[1] > 59 || parts[2] > 59) return false;
  value = (hours * 3600 + parts[1] * 60 + parts[2]) / 86400.0;
  return true;
}

}  // namespace

bool ExtractHeader(std::string_view text, TUnitHeader& header) {
  header = TUnitHeader();
  if (text.size() < 3 || text.find("$Header: /") == std::string_view::npos || !text.ends_with(" $"))
    return false;
  std::string_view rest = text.substr(0, text.size() - 1);
  rest.remove_prefix(std::min(rest.size(), rest.find(kStart) + kStart.size()));
  TUnitHeader parsed;
  parsed.Author = TakeLastWord(rest);
  parsed.Time = TakeLastWord(rest);
  parsed.Date = TakeLastWord(rest);
  parsed.Revision = TakeLastWord(rest);
  parsed.Path = Trim(rest);
  if (parsed.Author.empty() || parsed.Time.empty() || parsed.Date.empty() ||
      parsed.Revision.empty() || parsed.Path.empty())
    return false;
  parsed.FileName = parsed.Path.substr(parsed.Path.find_last_of('/') + 1);
  double date = 0, time = 0;
  if (!(ReadDate(parsed.Date, true, date) || ReadDate(parsed.Date, false, date)) ||
      !ReadTime(parsed.Time, time))
    return false;
  parsed.DateTime = date + time;
  header = std::move(parsed);
  return true;
}

void GetUnitVersions(TStrings& list) {
  for (const char* header : RegisteredUnitVersions()) list.Add(header);
}

std::string FormatHeaderDateTime(double dateTime) {
  int year = 0, month = 0, day = 0;
  DecodeDate(dateTime, year, month, day);
  const int minutes =
      static_cast<int>(std::lround((dateTime - std::floor(dateTime)) * 24 * 60)) % (24 * 60);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d  %02d:%02d", year, month, day, minutes / 60,
                minutes % 60);
  return text;
}

}  // namespace dravik
