#pragma once
// String, number and identifier routines of the run-time library, on UTF-8 std::string.
// Case folding is ASCII only: other characters compare as they are.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace dravik {

// Blanks and control characters: the bytes Trim removes.
inline bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}
std::string Trim(std::string_view s);  // removes blanks and control characters at both ends
std::string_view TrimView(std::string_view s);  // the same, without a copy
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
inline char UpCase(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
int CompareText(std::string_view a, std::string_view b);  // <0, 0, >0 ignoring ASCII case
bool SameText(std::string_view a, std::string_view b);
// A hash that agrees with SameText: equal ignoring ASCII case, equal hash.
uint32_t TextHash(std::string_view s);
int CompareStr(std::string_view a, std::string_view b);

std::string IntToStr(int64_t value);
std::string IntToHex(uint64_t value, int digits);  // upper-case, at least `digits` digits
int32_t StrToInt(std::string_view s);              // decimal or $hex; EConvertError otherwise
int32_t StrToIntDef(std::string_view s, int32_t fallback);
bool TryStrToInt(std::string_view s, int32_t& value);
bool TryStrToInt64(std::string_view s, int64_t& value);
int64_t StrToInt64(std::string_view s);

// General format with 15 significant digits and "." as the decimal separator ("0.1", "1E20").
std::string FloatToStr(long double value);
long double StrToFloat(std::string_view s);  // EConvertError on bad text
bool TryStrToFloat(std::string_view s, long double& value);

// A date "yyyy-mm-dd" or "dd.mm.yyyy", a time "hh:nn" or "hh:nn:ss", or a date and a time
// separated by a blank: days since 1899-12-30, the time of day as the fraction.
// Days from 1899-12-30 to the date (a TDateTime), or false for a date that does not exist.
bool TryEncodeDate(int year, int month, int day, double& value);
// The calendar date of a TDateTime's day.
void DecodeDate(double value, int& year, int& month, int& day);
bool TryStrToDateTime(std::string_view s, double& value);
double StrToDateTime(std::string_view s);  // EConvertError on bad text
// The present local time in strftime's format ("%Y-%m-%d %H:%M").
std::string LocalTimeText(const char* format);

bool IsValidIdent(std::string_view s);      // letter or "_" first, then letters, digits or "_"
std::string QuotedStr(std::string_view s);  // 'it''s'

// One argument of Format: an integer, a floating point number or a string.
class TFormatArg {
 public:
  TFormatArg(int32_t v) : fKind(kInteger), fInteger(v) {}
  TFormatArg(int64_t v) : fKind(kInteger), fInteger(v) {}
  TFormatArg(uint32_t v) : fKind(kInteger), fInteger(v) {}
  TFormatArg(long double v) : fKind(kFloat), fFloat(v) {}
  TFormatArg(double v) : fKind(kFloat), fFloat(v) {}
  TFormatArg(const char* v) : fKind(kString), fString(v) {}
  TFormatArg(std::string_view v) : fKind(kString), fString(v) {}
  TFormatArg(const std::string& v) : fKind(kString), fString(v) {}

  enum TKind { kInteger, kFloat, kString };
  TKind Kind() const { return fKind; }
  int64_t Integer() const { return fInteger; }
  long double Float() const { return fFloat; }
  std::string_view String() const { return fString; }

 private:
  TKind fKind;
  int64_t fInteger = 0;
  long double fFloat = 0;
  std::string_view fString;
};

// The run-time library's Format for the %s %d %u %x %f %g %% forms, with optional index ("%1:s"),
// left alignment ("-"), width and precision. A mismatch raises EConvertError.
std::string Format(std::string_view format, std::initializer_list<TFormatArg> args);

}  // namespace dravik
