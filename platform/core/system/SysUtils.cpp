#include "platform/core/system/SysUtils.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

char LowCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
bool IsIdentStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string Trim(std::string_view s) {
  return std::string(TrimView(s));
}

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && IsBlankOrControl(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlankOrControl(s.back())) s.remove_suffix(1);
  return s;
}

std::string TrimLeft(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsBlankOrControl(s[i])) ++i;
  return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
  std::size_t n = s.size();
  while (n > 0 && IsBlankOrControl(s[n - 1])) --n;
  return std::string(s.substr(0, n));
}

std::string UpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = UpCase(c);
  return r;
}

std::string LowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = LowCase(c);
  return r;
}

int CompareText(std::string_view a, std::string_view b) {
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(UpCase(a[i]));
    unsigned char y = static_cast<unsigned char>(UpCase(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && (a == b || CompareText(a, b) == 0);
}

uint32_t TextHash(std::string_view s) {
  uint32_t h = 2166136261u;  // FNV-1a over the folded bytes
  for (char c : s) h = (h ^ static_cast<unsigned char>(UpCase(c))) * 16777619u;
  return h;
}

int CompareStr(std::string_view a, std::string_view b) {
  int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string IntToStr(int64_t value) {
  return std::to_string(value);
}

std::string IntToHex(uint64_t value, int digits) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string r;
  do {
    r.insert(r.begin(), kHex[value & 15]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(r.size()) < digits)
    r.insert(0, static_cast<std::size_t>(digits) - r.size(), '0');
  return r;
}

bool TryStrToInt64(std::string_view text, int64_t& value) {
  std::string s = Trim(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  if (i >= s.size()) return false;
  uint64_t magnitude = 0;
  const uint64_t limit = negative ? (uint64_t(1) << 63) : ~uint64_t(0);
  if (s[i] == '$' || (s[i] == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X'))) {
    i += s[i] == '$' ? 1 : 2;
    if (i >= s.size()) return false;
    for (; i < s.size(); ++i) {
      char c = UpCase(s[i]);
      int d = IsDigit(c) ? c - '0' : (c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1);
      if (d < 0 || magnitude > (limit >> 4)) return false;
      magnitude = magnitude * 16 + static_cast<uint64_t>(d);
    }
  } else {
    for (; i < s.size(); ++i) {
      if (!IsDigit(s[i])) return false;
      uint64_t d = static_cast<uint64_t>(s[i] - '0');
      if (magnitude > (limit - d) / 10) return false;
      magnitude = magnitude * 10 + d;
    }
    if (!negative && magnitude > uint64_t(INT64_MAX)) return false;
  }
  value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  return true;
}

bool TryStrToInt(std::string_view s, int32_t& value) {
  int64_t wide;
  if (!TryStrToInt64(s, wide)) return false;
  // Hex notation covers the unsigned 32-bit range, as the original wraps "$FFFFFFFF" to -1.
  std::string t = Trim(s);
  bool hex = !t.empty() &&
             (t[0] == '$' || t.find('x') != std::string::npos || t.find('X') != std::string::npos);
  if (hex && wide >= 0 && wide <= 0xFFFFFFFFLL) {
    value = static_cast<int32_t>(static_cast<uint32_t>(wide));
    return true;
  }
  if (wide < INT32_MIN || wide > INT32_MAX) return false;
  value = static_cast<int32_t>(wide);
  return true;
}

int32_t StrToInt(std::string_view s) {
  int32_t value;
  if (!TryStrToInt(s, value)) throw EConvertError(Format("'%s' is not a valid integer value", {s}));
  return value;
}

int64_t StrToInt64(std::string_view s) {
  int64_t value;
  if (!TryStrToInt64(s, value))
    throw EConvertError(Format("'%s' is not a valid integer value", {s}));
  return value;
}

int32_t StrToIntDef(std::string_view s, int32_t fallback) {
  int32_t value;
  return TryStrToInt(s, value) ? value : fallback;
}

std::string FloatToStr(long double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14Le", value);
  // buffer: [-]d.dddddddddddddde[+-]xx ; take the digits and the exponent.
  std::string text(buffer);
  bool negative = text[0] == '-';
  std::size_t e = text.find('e');
  int exponent = std::atoi(text.c_str() + e + 1);
  std::string digits;
  for (std::size_t i = negative ? 1 : 0; i < e; ++i)
    if (IsDigit(text[i])) digits += text[i];
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string r = negative ? "-" : "";
  if (exponent >= 15 || exponent < -5) {
    r += digits[0];
    if (digits.size() > 1) r += "." + digits.substr(1);
    r += "E" + std::to_string(exponent);
  } else if (exponent < 0) {
    r += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else {
    std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
      r += digits + std::string(intDigits - digits.size(), '0');
    } else {
      r += digits.substr(0, intDigits) + "." + digits.substr(intDigits);
    }
  }
  return r;
}

bool TryStrToFloat(std::string_view text, long double& value) {
  std::string s = Trim(text);
  if (s.empty()) return false;
  for (char c : s)
    if (!(IsDigit(c) || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtold(s.c_str(), &end);
  return end == s.c_str() + s.size() && errno != ERANGE;
}

long double StrToFloat(std::string_view s) {
  long double value;
  if (!TryStrToFloat(s, value))
    throw EConvertError(Format("'%s' is not a valid floating point value", {s}));
  return value;
}

namespace {

// The digits of text from pos on, at most maxDigits of them; false when there are none.
bool ReadNumber(std::string_view text, std::size_t& pos, int maxDigits, int& value) {
  const std::size_t start = pos;
  value = 0;
  while (pos < text.size() && IsDigit(text[pos]) && pos - start < std::size_t(maxDigits))
    value = value * 10 + (text[pos++] - '0');
  return pos > start;
}

bool Expect(std::string_view text, std::size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

}  // namespace

bool TryEncodeDate(int year, int month, int day, double& value) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  if (day > kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0)) return false;
  int days = day;
  for (int m = 1; m < month; ++m) days += kDays[m - 1] + (m == 2 && IsLeapYear(year) ? 1 : 0);
  const int y = year - 1;
  days += y * 365 + y / 4 - y / 100 + y / 400;
  value = days - 693594.0;
  return true;
}

void DecodeDate(double value, int& year, int& month, int& day) {
  // Days since 0000-03-01 of the proleptic Gregorian calendar, then the civil date.
  const int64_t z = static_cast<int64_t>(std::floor(value)) + 693594 + 306 - 1;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

namespace {

bool ReadDate(std::string_view text, std::size_t& pos, double& value) {
  int a = 0, b = 0, c = 0;
  const std::size_t start = pos;
  if (!ReadNumber(text, pos, 4, a)) return false;
  if (pos - start == 4)  // yyyy-mm-dd
    return Expect(text, pos, '-') && ReadNumber(text, pos, 2, b) && Expect(text, pos, '-') &&
           ReadNumber(text, pos, 2, c) && TryEncodeDate(a, b, c, value);
  // dd.mm.yyyy
  if (pos - start > 2 || !Expect(text, pos, '.') || !ReadNumber(text, pos, 2, b) ||
      !Expect(text, pos, '.'))
    return false;
  const std::size_t yearStart = pos;
  return ReadNumber(text, pos, 4, c) && pos - yearStart >= 3 && TryEncodeDate(c, b, a, value);
}

bool ReadTime(std::string_view text, std::size_t& pos, double& value) {
  int hours = 0, minutes = 0, seconds = 0;
  if (!ReadNumber(text, pos, 2, hours) || !Expect(text, pos, ':') ||
      !ReadNumber(text, pos, 2, minutes))
    return false;
  if (pos < text.size() && text[pos] == ':' && !(++pos, ReadNumber(text, pos, 2, seconds)))
    return false;
  if (hours > 23 || minutes > 59 || seconds > 59) return false;
  value = (hours * 3600 + minutes * 60 + seconds) / 86400.0;
  return true;
}

}  // namespace

bool TryStrToDateTime(std::string_view text, double& value) {
  const std::string s = Trim(text);
  std::size_t pos = 0;
  double date = 0, time = 0;
  if (s.find(':') != std::string::npos && s.find_first_of("-.") == std::string::npos) {
    if (!ReadTime(s, pos, time)) return false;
  } else {
    if (!ReadDate(s, pos, date)) return false;
    if (pos < s.size() && !(Expect(s, pos, ' ') && ReadTime(s, pos, time))) return false;
  }
  if (pos != s.size()) return false;
  value = date < 0 ? date - time : date + time;
  return true;
}

double StrToDateTime(std::string_view s) {
  double value;
  if (!TryStrToDateTime(s, value))
    throw EConvertError(Format("'%s' is not a valid date and time", {s}));
  return value;
}

bool IsValidIdent(std::string_view s) {
  if (s.empty() || !IsIdentStart(s[0])) return false;
  for (char c : s.substr(1))
    if (!IsIdentStart(c) && !IsDigit(c)) return false;
  return true;
}

std::string QuotedStr(std::string_view s) {
  std::string r = "'";
  for (char c : s) {
    r += c;
    if (c == '\'') r += c;
  }
  return r + "'";
}

std::string Format(std::string_view format, std::initializer_list<TFormatArg> args) {
  auto fail = [&]() -> EConvertError {
    return EConvertError("Format '" + std::string(format) +
                         "' invalid or incompatible with argument");
  };
  std::string out;
  std::size_t next = 0;
  const TFormatArg* argv = args.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c != '%') {
      out += c;
      continue;
    }
    if (++i >= format.size()) throw fail();
    if (format[i] == '%') {
      out += '%';
      continue;
    }
    // [index:] [-] [width] [.precision] type
    auto number = [&](int& target) {
      bool any = false;
      target = 0;
      while (i < format.size() && IsDigit(format[i])) {
        target = target * 10 + (format[i++] - '0');
        if (target > 100000) throw fail();
        any = true;
      }
      return any;
    };
    int n = 0;
    std::size_t start = i;
    if (number(n) && i < format.size() && format[i] == ':') {
      next = static_cast<std::size_t>(n);
      ++i;
    } else {
      i = start;
    }
    bool left = i < format.size() && format[i] == '-';
    if (left) ++i;
    int width = 0, precision = -1;
    number(width);
    if (i < format.size() && format[i] == '.') {
      ++i;
      number(precision);
    }
    if (i >= format.size() || next >= args.size()) throw fail();
    const TFormatArg& arg = argv[next++];
    char type = LowCase(format[i]);
    std::string piece;
    switch (type) {
      case 'd':
      case 'u':
      case 'x': {
        if (arg.Kind() != TFormatArg::kInteger) throw fail();
        int64_t v = arg.Integer();
        if (type == 'x') {
          piece = IntToHex(static_cast<uint64_t>(v) &
                               (v >= INT32_MIN && v <= UINT32_MAX ? 0xFFFFFFFFull : ~0ull),
                           precision < 0 ? 0 : precision);
        } else {
          if (type == 'u' && v < 0) v = static_cast<uint32_t>(v);
          std::string digits = std::to_string(v < 0 ? -(v + 1) + uint64_t(1) : uint64_t(v));
          if (precision > 0 && static_cast<int>(digits.size()) < precision)
            digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
          piece = (v < 0 ? "-" : "") + digits;
        }
        break;
      }
      case 'f':
      case 'g': {
        long double v = arg.Kind() == TFormatArg::kFloat ? arg.Float()
                        : arg.Kind() == TFormatArg::kInteger
                            ? static_cast<long double>(arg.Integer())
                            : throw fail();
        if (type == 'g') {
          piece = FloatToStr(v);
        } else {
          char buffer[128];
          std::snprintf(buffer, sizeof buffer, "%.*Lf", precision < 0 ? 2 : precision, v);
          piece = buffer;
        }
        break;
      }
      case 's':
        if (arg.Kind() != TFormatArg::kString) throw fail();
        piece = std::string(arg.String());
        if (precision >= 0 && static_cast<std::size_t>(precision) < piece.size())
          piece.resize(static_cast<std::size_t>(precision));
        break;
      default:
        throw fail();
    }
    if (static_cast<int>(piece.size()) < width) {
      std::string pad(static_cast<std::size_t>(width) - piece.size(), ' ');
      piece = left ? piece + pad : pad + piece;
    }
    out += piece;
  }
  return out;
}

std::string LocalTimeText(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  const std::size_t length = std::strftime(text, sizeof text, format, &local);
  return std::string(text, length);
}

}  // namespace dravik
