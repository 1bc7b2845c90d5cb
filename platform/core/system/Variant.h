#pragma once
// The framework's variant: a value with one of the original type codes and their conversions.

#include <cstdint>
#include <string>
#include <string_view>

namespace dravik {

using TVarType = uint16_t;

constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varSingle = 0x0004;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varOleStr = 0x0008;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varString = 0x0100;

// Currency: a fixed-point number with four decimals, held as its value times 10000.
struct TCurrency {
  int64_t Scaled = 0;
  bool operator==(const TCurrency&) const = default;
};
// The currency nearest to value, ties to even; false for a value outside Currency's range or
// not a number.
bool FloatToCurrency(long double value, TCurrency& result);

// A point in time: days since 1899-12-30, the time of day as the fraction. A type of its own, so
// that its properties are known as dates.
struct TDateTime {
  double Value = 0;
  bool operator==(const TDateTime&) const = default;
};

class Variant {
 public:
  Variant() = default;
  Variant(int32_t v) : fType(varInteger) { fData.Integer = v; }
  Variant(int16_t v) : fType(varSmallint) { fData.Integer = v; }
  Variant(uint8_t v) : fType(varByte) { fData.Integer = v; }
  Variant(bool v) : fType(varBoolean) { fData.Boolean = v; }
  Variant(float v) : fType(varSingle) { fData.Float = v; }
  Variant(double v) : fType(varDouble) { fData.Float = v; }
  Variant(long double v) : fType(varDouble) { fData.Float = static_cast<double>(v); }
  Variant(TCurrency v) : fType(varCurrency) { fData.Currency = v.Scaled; }
  Variant(std::string v) : fType(varString), fString(std::move(v)) {}
  Variant(std::string_view v) : fType(varString), fString(v) {}
  Variant(const char* v) : fType(varString), fString(v) {}

  static Variant Null();
  static Variant Date(double v);
  static Variant OleStr(std::string v);

  TVarType VarType() const { return fType; }
  bool IsEmpty() const { return fType == varEmpty; }
  bool IsNull() const { return fType == varNull; }
  bool IsString() const { return fType == varString || fType == varOleStr; }
  bool IsNumeric() const;  // an integer or floating-point code

  // Conversions; a value that cannot be converted raises EVariantError.
  std::string AsString() const;
  // The text of a string value, without a copy; null for every other type.
  const std::string* StringValue() const { return IsString() ? &fString : nullptr; }
  std::string* StringValue() { return IsString() ? &fString : nullptr; }
  int32_t AsInteger() const;
  long double AsFloat() const;
  bool AsBoolean() const;
  TCurrency AsCurrency() const;
  Variant AsType(TVarType type) const;

  bool operator==(const Variant& other) const;

 private:
  TVarType fType = varEmpty;
  union {
    int32_t Integer;
    double Float;
    int64_t Currency;
    bool Boolean;
  } fData{};
  std::string fString;
};

// The conversion of any variant to text that shows it (empty and null give "").
std::string VarToStr(const Variant& v);

}  // namespace dravik
