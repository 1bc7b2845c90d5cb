#include "model/ValueBuffer.h"

#include <bit>
#include <cstring>

#include "platform/core/filer/StreamFormatEncoding.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

static_assert(std::endian::native == std::endian::little, "buffers are little-endian");

constexpr uint32_t kTagMask = 0x0FFF;  // array and by-reference flags are not kept

template <class T>
void Append(std::string& out, T value) {
  char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  out.append(bytes, sizeof(T));
}

template <class T>
T Load(std::string_view payload) {
  if (payload.size() != sizeof(T)) throw Exception("Invalid buffer");
  T value;
  std::memcpy(&value, payload.data(), sizeof(T));
  return value;
}

[[noreturn]] void Unsupported() {
  throw Exception("Variant type not supported");
}

}  // namespace

std::string VariantToBuffer(const Variant& value) {
  const TVarType type = value.VarType() & kTagMask;
  std::string out;
  Append<uint32_t>(out, type);
  switch (type) {
    case varEmpty:
    case varNull:
      break;
    case varSmallint:
      Append<int16_t>(out, static_cast<int16_t>(value.AsInteger()));
      break;
    case varInteger:
      Append<int32_t>(out, value.AsInteger());
      break;
    case varSingle:
      Append<float>(out, static_cast<float>(value.AsFloat()));
      break;
    case varDouble:
    case varDate:
      Append<double>(out, static_cast<double>(value.AsFloat()));
      break;
    case varCurrency:
      Append<int64_t>(out, value.AsCurrency().Scaled);
      break;
    case varBoolean:
      Append<uint8_t>(out, value.AsBoolean() ? 1 : 0);
      break;
    case varByte:
      Append<uint8_t>(out, static_cast<uint8_t>(value.AsInteger()));
      break;
    case varOleStr:
    case varString:
      out += value.AsString();
      break;
    default:
      Unsupported();
  }
  return out;
}

Variant BufferToVariant(std::string_view buffer) {
  if (buffer.size() < 4) throw Exception("Invalid buffer size");
  const uint32_t tag = Load<uint32_t>(buffer.substr(0, 4));
  const std::string_view payload = buffer.substr(4);
  switch (tag) {
    case varEmpty:
    case varNull:
      if (!payload.empty()) throw Exception("Invalid buffer");
      return tag == varNull ? Variant::Null() : Variant();
    case varSmallint:
      return Variant(static_cast<int32_t>(Load<int16_t>(payload)));
    case varInteger:
      return Variant(Load<int32_t>(payload));
    case varSingle:
      return Variant(static_cast<double>(Load<float>(payload)));
    case varDouble:
      return Variant(Load<double>(payload));
    case varCurrency:
      return Variant(TCurrency{Load<int64_t>(payload)});
    case varDate:
      return Variant::Date(Load<double>(payload));
    case varBoolean:
      return Variant(Load<uint8_t>(payload) != 0);
    case varByte:
      return Variant(static_cast<int32_t>(Load<uint8_t>(payload)));
    case varOleStr:
    case varString:
      return Variant(EightBitToUtf8(payload));
    default:
      throw Exception("Invalid buffer entry");
  }
}

Variant BufferedValue(Variant value) {
  switch (value.VarType() & kTagMask) {
    case varEmpty:
    case varNull:
    case varInteger:
    case varDouble:
    case varCurrency:
    case varDate:
    case varBoolean:
    case varString:
      return value;
    case varSmallint:
    case varByte:
      return Variant(value.AsInteger());
    case varSingle:
      return Variant(static_cast<double>(static_cast<float>(value.AsFloat())));
    case varOleStr:
      return Variant(value.AsString());
    default:
      Unsupported();
  }
}

}  // namespace dravik
