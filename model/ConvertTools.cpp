#include "model/ConvertTools.h"

#include <array>

#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

const std::array<uint8_t, 256>& DigitTable() {
  static const std::array<uint8_t, 256> table = [] {
    std::array<uint8_t, 256> t;
    t.fill(255);
    for (uint8_t i = 0; i < 36; ++i) t[static_cast<unsigned char>(kDigits[i])] = i;
    return t;
  }();
  return table;
}

// The hexadecimal notations "1Fh" and "0x1F" as "$1F", for StrToInt.
std::string NormaliseHex(std::string_view input) {
  std::string text = Trim(input);
  if (text.empty() || text[0] == '$') return text;
  if (text.back() == 'h' || text.back() == 'H') return "$" + text.substr(0, text.size() - 1);
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    return "$" + text.substr(2);
  return text;
}

int64_t DaysFromCivil(int year, int month, int day) {
  // Days since 1899-12-30 of a proleptic Gregorian date.
  year -= month <= 2;
  int64_t era = (year >= 0 ? year : year - 399) / 400;
  int64_t yoe = year - era * 400;
  int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + 25569;
}

}  // namespace

std::string IntToSys(int32_t value, int base, int minLength) {
  if (base < 2 || base > 36) throw Exception("IntToSys: Invalid base system");
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[magnitude % static_cast<uint32_t>(base)]);
    magnitude /= static_cast<uint32_t>(base);
  } while (magnitude != 0);
  if (static_cast<int>(digits.size()) < minLength)
    digits.insert(0, static_cast<std::size_t>(minLength) - digits.size(), '0');
  return value < 0 ? "-" + digits : digits;
}

int32_t SysToInt(std::string_view input, int base) {
  std::string text = UpperCase(Trim(input));
  bool negative = !text.empty() && text[0] == '-';
  if (negative) text.erase(0, 1);
  uint32_t result = 0;
  for (char c : text) {
    uint8_t digit = DigitTable()[static_cast<unsigned char>(c)];
    if (digit >= base) throw Exception("SysToInt: Invalid value");
    result = result * static_cast<uint32_t>(base) + digit;
  }
  return static_cast<int32_t>(negative ? 0u - result : result);
}

int64_t HexToInt(std::string_view input) {
  std::string text = UpperCase(Trim(input));
  bool negative = !text.empty() && text[0] == '-';
  if (negative) text.erase(0, 1);
  if (!text.empty() && text.back() == 'H') {
    text.pop_back();
  } else if (!text.empty() && text[0] == '$') {
    text.erase(0, 1);
  } else if (text.size() >= 2 && text[0] == '0' && text[1] == 'X') {
    text.erase(0, 2);
  }
  uint64_t result = 0;
  for (char c : text) {
    uint8_t digit = DigitTable()[static_cast<unsigned char>(c)];
    if (digit >= 16) throw EConvertError("Cannot convert from hex to int");
    result = result * 16 + digit;
  }
  return static_cast<int64_t>(negative ? 0u - result : result);
}

std::string BoolToStr(bool value) {
  return value ? "True" : "False";
}

std::string IntToString(int32_t value, int minLength) {
  std::string digits = IntToStr(value < 0 ? -int64_t(value) : int64_t(value));
  int width = minLength - (value < 0 ? 1 : 0);
  if (static_cast<int>(digits.size()) < width)
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  return value < 0 ? "-" + digits : digits;
}

int32_t StringToInt(std::string_view text) {
  return StrToInt(NormaliseHex(text));
}

int32_t StringToIntDef(std::string_view text, int32_t fallback) {
  return StrToIntDef(NormaliseHex(text), fallback);
}

TUnpackedTime UnpackTime(uint32_t packed) {
  return {static_cast<int>(packed >> 25) + 1980, static_cast<int>((packed >> 21) & 15),
          static_cast<int>((packed >> 16) & 31), static_cast<int>((packed >> 11) & 31),
          static_cast<int>((packed >> 5) & 63),  static_cast<int>(packed & 31) * 2};
}

double SystemTimeToDateTime(uint32_t packed) {
  TUnpackedTime t = UnpackTime(packed);
  if (t.Month < 1 || t.Month > 12 || t.Day < 1 || t.Day > 31 || t.Hour > 23 || t.Minute > 59 ||
      t.Second > 59)
    throw EConvertError("Invalid argument to date encode");
  return static_cast<double>(DaysFromCivil(t.Year, t.Month, t.Day)) +
         (t.Hour * 3600 + t.Minute * 60 + t.Second) / 86400.0;
}

std::string WinToDOSStr(std::string_view text) {
  return std::string(text);
}

}  // namespace dravik
