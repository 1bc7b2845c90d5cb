#include "platform/core/filer/StandInEncoding.h"

#include <cstring>
#include <functional>
#include <limits>

#include "platform/core/filer/BinaryObjectReader.h"
#include "platform/core/filer/BinaryObjectWriter.h"
#include "platform/core/filer/StreamFormatEncoding.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

std::string Encode(const std::function<void(TBinaryObjectWriter&)>& write) {
  TStringStream stream;
  {
    TBinaryObjectWriter writer(stream);
    write(writer);
    writer.FlushBuffer();
  }
  return stream.DataString();
}

TValueType MarkerOf(std::string_view bytes) {
  return bytes.empty() ? vaNull : static_cast<TValueType>(static_cast<unsigned char>(bytes[0]));
}

template <class T>
std::string Fixed(TValueType marker, T value, std::size_t size = sizeof(T)) {
  std::string bytes(1, static_cast<char>(marker));
  bytes.append(reinterpret_cast<const char*>(&value), size);
  return bytes;
}

[[noreturn]] void NoConversion(TValueType type, const char* what) {
  throw EPropertyError(Format("A stored %s value has no %s", {ValueTypeName(type), what}));
}

}  // namespace

TStoredValue::TStoredValue(std::string_view bytes)
    : fStream(std::make_unique<TStringStream>(std::string(bytes))),
      fReader(std::make_unique<TBinaryObjectReader>(*fStream)),
      fType(fReader->ReadValue()) {}

TStoredValue::~TStoredValue() = default;

bool TStoredValue::IsInteger() const {
  return fType == vaInt8 || fType == vaInt16 || fType == vaInt32 || fType == vaInt64 ||
         fType == vaQWord;
}

bool TStoredValue::IsString() const {
  return fType == vaString || fType == vaLString || fType == vaUTF8String || fType == vaWString ||
         fType == vaUString;
}

bool TStoredValue::IsFloat() const {
  return fType == vaExtended || fType == vaSingle || fType == vaDate || fType == vaCurrency;
}

int64_t TStoredValue::Integer() {
  if (fType == vaQWord) return static_cast<int64_t>(fReader->ReadQWord());
  if (!IsInteger()) NoConversion(fType, "integer");
  return fReader->ReadInteger(fType);
}

long double TStoredValue::Float() {
  switch (fType) {
    case vaExtended:
      return fReader->ReadFloat();
    case vaSingle:
      return fReader->ReadSingle();
    case vaDate:
      return fReader->ReadDate();
    case vaCurrency:
      return static_cast<long double>(fReader->ReadCurrency()) / kCurrencyScale;
    default:
      return static_cast<long double>(Integer());
  }
}

std::string TStoredValue::Text() {
  switch (fType) {
    case vaString:
    case vaLString:
      return EightBitToUtf8(fReader->ReadString(fType));
    case vaUTF8String:
      return fReader->ReadString(fType);
    case vaWString:
    case vaUString:
      return Utf16ToUtf8(fReader->ReadWideString());
    case vaIdent:
    case vaFalse:
    case vaTrue:
      return fReader->ReadIdent(fType);
    case vaNil:
    case vaNull:
      return "";
    default:
      if (IsFloat()) return FloatToStr(Float());
      return IntToStr(Integer());
  }
}

std::string TStoredValue::Ident() {
  if (fType != vaIdent && fType != vaNil && fType != vaFalse && fType != vaTrue && fType != vaNull)
    NoConversion(fType, "identifier");
  return fReader->ReadIdent(fType);
}

std::vector<std::string> TStoredValue::Set() {
  if (fType != vaSet) NoConversion(fType, "set");
  return fReader->ReadSet();
}

std::string TStoredValue::Binary() {
  if (fType != vaBinary) NoConversion(fType, "binary data");
  TStringStream data;
  fReader->ReadBinary(data);
  return data.DataString();
}

Variant TStoredValue::AsVariant() {
  switch (fType) {
    case vaNil:
      return Variant();
    case vaNull:
      return Variant::Null();
    case vaFalse:
    case vaTrue:
      return Variant(fType == vaTrue);
    case vaInt8:
    case vaInt16:
    case vaInt32:
      return Variant(static_cast<int32_t>(Integer()));
    case vaInt64:
    case vaQWord:
      return Variant(static_cast<double>(Integer()));
    case vaCurrency:
      return Variant(TCurrency{fReader->ReadCurrency()});
    case vaDate:
      return Variant::Date(fReader->ReadDate());
    case vaExtended:
    case vaSingle:
      return Variant(Float());
    case vaWString:
    case vaUString:
      return Variant::OleStr(Text());
    default:
      return Variant(Text());
  }
}

std::string IdentBytes(std::string_view ident) {
  return Encode([&](TBinaryObjectWriter& w) { w.WriteIdent(ident); });
}

std::string SetBytes(const std::vector<std::string>& elements) {
  return Encode([&](TBinaryObjectWriter& w) { w.WriteSet(elements); });
}

std::string BinaryBytes(std::string_view data) {
  return Encode([&](TBinaryObjectWriter& w) { w.WriteBinary(data.data(), data.size()); });
}

std::string IntegerBytes(int64_t value, std::string_view old) {
  switch (MarkerOf(old)) {
    case vaInt16:
      if (value >= INT16_MIN && value <= INT16_MAX) return Fixed(vaInt16, int16_t(value));
      break;
    case vaInt32:
      if (value >= INT32_MIN && value <= INT32_MAX) return Fixed(vaInt32, int32_t(value));
      break;
    case vaInt64:
      return Fixed(vaInt64, value);
    case vaQWord:
      return Fixed(vaQWord, static_cast<uint64_t>(value));
    default:
      break;
  }
  return Encode([&](TBinaryObjectWriter& w) { w.WriteInteger(value); });
}

std::string QWordBytes(uint64_t value) {
  return Encode([&](TBinaryObjectWriter& w) { w.WriteUInt64(value); });
}

std::string FloatBytes(long double value, std::string_view old, TValueType marker) {
  TValueType oldMarker = MarkerOf(old);
  if (oldMarker == vaExtended || oldMarker == vaSingle || oldMarker == vaDate ||
      oldMarker == vaCurrency)
    marker = oldMarker;
  switch (marker) {
    case vaSingle:
      return Fixed(vaSingle, static_cast<float>(value));
    case vaDate:
      return Fixed(vaDate, static_cast<double>(value));
    case vaCurrency: {
      TCurrency currency;
      if (!FloatToCurrency(value, currency)) throw EPropertyError("Currency value out of range");
      return Fixed(vaCurrency, currency.Scaled);
    }
    default:
      return Fixed(vaExtended, value, 10);
  }
}

std::string StringBytes(const std::string& text, std::string_view old, TValueType marker) {
  TValueType oldMarker = MarkerOf(old);
  if (oldMarker == vaString || oldMarker == vaLString || oldMarker == vaUTF8String ||
      oldMarker == vaWString || oldMarker == vaUString)
    marker = oldMarker;
  switch (marker) {
    case vaWString:
      return Encode([&](TBinaryObjectWriter& w) { w.WriteWideString(EightBitToUtf16(text)); });
    case vaUString:
      return Encode([&](TBinaryObjectWriter& w) { w.WriteUnicodeString(EightBitToUtf16(text)); });
    case vaUTF8String:
      return Encode([&](TBinaryObjectWriter& w) { w.WriteUTF8String(text); });
    default:
      break;
  }
  // 8-bit text keeps the encoding of the text it replaces: legacy Windows-1252 bytes stay so
  // while the new text can be written in them.
  std::string bytes = text;
  if ((oldMarker == vaString || oldMarker == vaLString) && !IsValidUtf8(old.substr(1))) {
    std::string legacy;
    if (Utf8ToWindows1252(text, legacy)) bytes = std::move(legacy);
  }
  if (oldMarker == vaLString) {
    std::string out(1, static_cast<char>(vaLString));
    auto length = static_cast<uint32_t>(bytes.size());
    out.append(reinterpret_cast<const char*>(&length), 4);
    return out + bytes;
  }
  return Encode([&](TBinaryObjectWriter& w) { w.WriteString(bytes); });
}

std::string VariantBytes(const Variant& value) {
  return Encode([&](TBinaryObjectWriter& w) {
    switch (value.VarType()) {
      case varEmpty:
        w.WriteValue(vaNil);
        return;
      case varNull:
        w.WriteValue(vaNull);
        return;
      case varSmallint:
      case varInteger:
      case varByte:
        w.WriteInteger(value.AsInteger());
        return;
      case varBoolean:
        w.WriteBoolean(value.AsBoolean());
        return;
      case varCurrency:
        w.WriteCurrency(value.AsCurrency().Scaled);
        return;
      case varDate:
        w.WriteDate(static_cast<double>(value.AsFloat()));
        return;
      case varSingle:
      case varDouble:
        w.WriteFloat(value.AsFloat());
        return;
      case varOleStr:
        w.WriteWideString(EightBitToUtf16(value.AsString()));
        return;
      default:
        w.WriteString(value.AsString());
        return;
    }
  });
}

bool Utf8ToWindows1252(std::string_view text, std::string& out) {
  out.clear();
  for (char16_t unit : EightBitToUtf16(text)) {
    if (unit < 0x80) {
      out += static_cast<char>(unit);
      continue;
    }
    bool found = false;
    for (int byte = 0x80; byte <= 0xFF && !found; ++byte)
      if (Windows1252ToUnicode(static_cast<unsigned char>(byte)) == unit) {
        out += static_cast<char>(byte);
        found = true;
      }
    if (!found) return false;
  }
  return true;
}

}  // namespace dravik
