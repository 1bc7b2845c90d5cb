#pragma once
// Number conversions: any base from 2 to 36, hexadecimal text in the usual notations, padded
// decimal text, tolerant text to integer, a boolean's text and packed file times.

#include <cstdint>
#include <string>
#include <string_view>

namespace dravik {

// The value in base 2..36 with upper-case digits, zero-padded to minLength, "-" in front when
// negative; Exception "IntToSys: Invalid base system" for another base.
std::string IntToSys(int32_t value, int base, int minLength);
// The inverse of IntToSys; 32-bit arithmetic that wraps. Exception "SysToInt: Invalid value".
int32_t SysToInt(std::string_view text, int base);
// "1Fh", "$1F", "0x1F" and "1F" all give 31; "-$10" gives -16; empty text gives 0. The value may
// have the width of a pointer. EConvertError "Cannot convert from hex to int" on a bad digit.
int64_t HexToInt(std::string_view text);
std::string BoolToStr(bool value);
// Decimal text padded with "0" to minLength; the sign of a negative value leads ("-005").
std::string IntToString(int32_t value, int minLength);
// Decimal or hexadecimal ("$1F", "1Fh", "0x1F") text; EConvertError on bad input.
int32_t StringToInt(std::string_view text);
int32_t StringToIntDef(std::string_view text, int32_t fallback);

struct TUnpackedTime {
  int Year, Month, Day, Hour, Minute, Second;
};
// A packed 32-bit file date-time (year since 1980 in the top 7 bits, down to two-second units).
TUnpackedTime UnpackTime(uint32_t packed);
// The packed time as a date-time: days since 1899-12-30 plus the fraction of the day.
double SystemTimeToDateTime(uint32_t packed);
// The Windows character set and the OEM one are both UTF-8 on this platform: the text itself.
std::string WinToDOSStr(std::string_view text);

}  // namespace dravik
