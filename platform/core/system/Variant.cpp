#include "platform/core/system/Variant.h"

#include <cmath>

#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

[[noreturn]] void InvalidConversion() {
  throw EVariantError("Invalid variant type conversion");
}
[[noreturn]] void Overflow() {
  throw EVariantError("Variant overflow");
}

std::string CurrencyToStr(int64_t scaled) {
  bool negative = scaled < 0;
  uint64_t magnitude = negative ? uint64_t(0) - uint64_t(scaled) : uint64_t(scaled);
  std::string r = std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) r += "." + fraction;
  return negative ? "-" + r : r;
}

int32_t RoundToInteger(long double f) {
  if (std::isnan(f)) InvalidConversion();
  long double r = std::nearbyint(f);  // banker's rounding, as the original
  if (r < INT32_MIN || r > INT32_MAX) Overflow();
  return static_cast<int32_t>(r);
}

}  // namespace

bool FloatToCurrency(long double value, TCurrency& result) {
  long double scaled = std::nearbyint(value * 10000);
  // Both bounds are exact in an 80-bit extended; a NaN fails them.
  if (!(scaled >= -0x1p63L && scaled < 0x1p63L)) return false;
  result.Scaled = static_cast<int64_t>(scaled);
  return true;
}

Variant Variant::Null() {
  Variant v;
  v.fType = varNull;
  return v;
}

Variant Variant::Date(double value) {
  Variant v(value);
  v.fType = varDate;
  return v;
}

Variant Variant::OleStr(std::string value) {
  Variant v(std::move(value));
  v.fType = varOleStr;
  return v;
}

bool Variant::IsNumeric() const {
  switch (fType) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
    case varByte:
      return true;
    default:
      return false;
  }
}

std::string Variant::AsString() const {
  switch (fType) {
    case varEmpty:
      return "";
    case varSmallint:
    case varInteger:
    case varByte:
      return IntToStr(fData.Integer);
    case varSingle:
      return FloatToStr(static_cast<float>(fData.Float));
    case varDouble:
    case varDate:
      return FloatToStr(fData.Float);
    case varCurrency:
      return CurrencyToStr(fData.Currency);
    case varBoolean:
      return fData.Boolean ? "True" : "False";
    case varString:
    case varOleStr:
      return fString;
    default:
      InvalidConversion();
  }
}

int32_t Variant::AsInteger() const {
  switch (fType) {
    case varEmpty:
      return 0;
    case varSmallint:
    case varInteger:
    case varByte:
      return fData.Integer;
    case varSingle:
    case varDouble:
    case varDate:
      return RoundToInteger(fData.Float);
    case varCurrency:
      return RoundToInteger(static_cast<long double>(fData.Currency) / 10000);
    case varBoolean:
      return fData.Boolean ? -1 : 0;
    case varString:
    case varOleStr: {
      int32_t value;
      if (TryStrToInt(fString, value)) return value;
      long double f;
      if (TryStrToFloat(fString, f)) return RoundToInteger(f);
      if (SameText(Trim(fString), "True")) return -1;
      if (SameText(Trim(fString), "False")) return 0;
      InvalidConversion();
    }
    default:
      InvalidConversion();
  }
}

long double Variant::AsFloat() const {
  switch (fType) {
    case varEmpty:
      return 0;
    case varSmallint:
    case varInteger:
    case varByte:
      return fData.Integer;
    case varSingle:
    case varDouble:
    case varDate:
      return fData.Float;
    case varCurrency:
      return static_cast<long double>(fData.Currency) / 10000;
    case varBoolean:
      return fData.Boolean ? -1 : 0;
    case varString:
    case varOleStr: {
      long double f;
      if (TryStrToFloat(fString, f)) return f;
      int32_t i;
      if (TryStrToInt(fString, i)) return i;
      InvalidConversion();
    }
    default:
      InvalidConversion();
  }
}

bool Variant::AsBoolean() const {
  if (IsString()) {
    std::string t = Trim(fString);
    if (SameText(t, "True")) return true;
    if (SameText(t, "False")) return false;
  }
  if (fType == varBoolean) return fData.Boolean;
  return AsFloat() != 0;
}

TCurrency Variant::AsCurrency() const {
  if (fType == varCurrency) return {fData.Currency};
  TCurrency result;
  if (!FloatToCurrency(AsFloat(), result)) Overflow();
  return result;
}

Variant Variant::AsType(TVarType type) const {
  switch (type) {
    case varEmpty:
      return Variant();
    case varNull:
      return Null();
    case varSmallint: {
      int32_t v = AsInteger();
      if (v < INT16_MIN || v > INT16_MAX) Overflow();
      return Variant(static_cast<int16_t>(v));
    }
    case varInteger:
      return Variant(AsInteger());
    case varSingle:
      return Variant(static_cast<float>(AsFloat()));
    case varDouble:
      return Variant(static_cast<double>(AsFloat()));
    case varCurrency:
      return Variant(AsCurrency());
    case varDate:
      return Date(static_cast<double>(AsFloat()));
    case varOleStr:
      return OleStr(AsString());
    case varBoolean:
      return Variant(AsBoolean());
    case varByte: {
      int32_t v = AsInteger();
      if (v < 0 || v > 255) Overflow();
      return Variant(static_cast<uint8_t>(v));
    }
    case varString:
      return Variant(AsString());
    default:
      InvalidConversion();
  }
}

bool Variant::operator==(const Variant& other) const {
  if (fType != other.fType) return false;
  switch (fType) {
    case varEmpty:
    case varNull:
      return true;
    case varString:
    case varOleStr:
      return fString == other.fString;
    case varBoolean:
      return fData.Boolean == other.fData.Boolean;
    case varCurrency:
      return fData.Currency == other.fData.Currency;
    case varSingle:
    case varDouble:
    case varDate:
      return fData.Float == other.fData.Float;
    default:
      return fData.Integer == other.fData.Integer;
  }
}

std::string VarToStr(const Variant& v) {
  return v.IsNull() ? "" : v.AsString();
}

}  // namespace dravik
