#include "platform/core/filer/TextFormNumbers.h"

#include <locale.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace dravik {

namespace {

// "1e+20" -> "1E20", "1e-07" -> "1E-7"; and a "." for integral values, so that the text reads
// back as a floating point number and not as an integer.
std::string Tidy(std::string text) {
  std::size_t e = text.find('e');
  if (e == std::string::npos) {
    if (text.find('.') == std::string::npos) text += ".0";
    return text;
  }
  std::string exponent = text.substr(e + 1);
  bool negative = !exponent.empty() && exponent[0] == '-';
  std::size_t digits = exponent.find_first_not_of("+-0");
  std::string mantissa = text.substr(0, e);
  return mantissa + "E" + (negative ? "-" : "") +
         (digits == std::string::npos ? "0" : exponent.substr(digits));
}

template <class T>
std::optional<std::string> FormatShortest(T value) {
  if (!std::isfinite(value)) return std::nullopt;
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return Tidy(std::string(buffer, result.ptr));
}

locale_t CLocale() {
  static locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
  return locale;
}

// The C library's conversions are correctly rounded and accept denormals; only the syntax the
// tokenizer produces reaches them.
template <class T, class Convert>
bool ParseWith(std::string_view text, T& value, Convert convert) {
  std::string copy(text);
  char* end = nullptr;
  T result = convert(copy.c_str(), &end, CLocale());
  if (copy.empty() || end != copy.c_str() + copy.size() || std::isinf(result)) return false;
  value = result;
  return true;
}

}  // namespace

std::optional<std::string> FormatExtended(long double value) {
  return FormatShortest(value);
}
std::optional<std::string> FormatSingle(float value) {
  return FormatShortest(value);
}
std::optional<std::string> FormatDouble(double value) {
  return FormatShortest(value);
}

std::string FormatCurrency(int64_t scaledValue) {
  bool negative = scaledValue < 0;
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(scaledValue) : scaledValue;
  std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
  auto fraction = static_cast<unsigned>(magnitude % 10000);
  if (fraction != 0) {
    std::string digits = std::to_string(10000 + fraction).substr(1);
    digits.erase(digits.find_last_not_of('0') + 1);
    text += "." + digits;
  }
  return text;
}

bool ParseExtended(std::string_view text, long double& value) {
  return ParseWith(text, value, strtold_l);
}

bool ParseSingle(std::string_view text, float& value) {
  return ParseWith(text, value, strtof_l);
}

bool ParseDouble(std::string_view text, double& value) {
  return ParseWith(text, value, strtod_l);
}

bool ParseCurrency(std::string_view text, int64_t& scaledValue) {
  std::size_t i = 0;
  bool negative = i < text.size() && text[i] == '-';
  if (negative) ++i;
  std::string digits;      // all mantissa digits, the decimal point removed
  int64_t pointShift = 0;  // digits after the decimal point
  bool seenPoint = false;
  for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
    if (text[i] == '.' && !seenPoint) {
      seenPoint = true;
    } else if (text[i] >= '0' && text[i] <= '9') {
      digits += text[i];
      if (seenPoint) ++pointShift;
    } else {
      return false;
    }
  }
  if (digits.empty()) return false;
  int64_t exponent = 0;
  if (i < text.size()) {
    auto result = std::from_chars(text.data() + i + 1 + (i + 1 < text.size() && text[i + 1] == '+'),
                                  text.data() + text.size(), exponent);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return false;
  }
  // value = digits * 10^(exponent - pointShift); scaled = digits * 10^(4 + exponent - pointShift).
  // Beyond these bounds every value is 0 or out of range anyway.
  exponent = std::clamp<int64_t>(exponent, -1000000, 1000000);
  int64_t shift = 4 + exponent - pointShift;
  std::size_t first = digits.find_first_not_of('0');
  digits = first == std::string::npos ? "0" : digits.substr(first);
  if (shift < 0) {
    auto dropped = static_cast<uint64_t>(-shift);
    if (dropped > digits.size()) {
      digits = "0";
    } else {
      bool roundUp = dropped > 0 && digits[digits.size() - dropped] >= '5';
      digits.resize(digits.size() - dropped);
      if (digits.empty()) digits = "0";
      if (roundUp) {
        int k = static_cast<int>(digits.size()) - 1;
        while (k >= 0 && digits[k] == '9') digits[k--] = '0';
        if (k < 0)
          digits.insert(digits.begin(), '1');
        else
          ++digits[k];
      }
    }
  } else if (digits != "0") {
    if (shift > 20) return false;
    digits.append(static_cast<std::size_t>(shift), '0');
  }
  if (digits.size() > 19) return false;
  uint64_t magnitude = std::stoull(digits);
  uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
  if (magnitude > limit) return false;
  scaledValue = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  return true;
}

}  // namespace dravik
