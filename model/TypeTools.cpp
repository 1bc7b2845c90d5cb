#include "model/TypeTools.h"

#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

[[noreturn]] void Fail(const char* function, const char* reason) {
  throw ETypeToolError(std::string(function) + " failed. " + reason);
}

const TTypeInfo& ElementType(const TTypeInfo& type, const char* function) {
  if (type.Kind != tkSet) Fail(function, "Not a set");
  if (!type.CompType) Fail(function, "Not an enumeration");
  return *type.CompType;
}

}  // namespace

std::string EnumTypeDecl(const TTypeInfo& type) {
  if (type.Kind != tkEnumeration) Fail("EnumTypeDecl", "Not an enumeration");
  std::string text;
  for (int64_t v = type.MinValue; v <= type.MaxValue; ++v) {
    if (v > type.MinValue) text += ',';
    text += GetEnumName(type, v);
  }
  return text;
}

std::string EnumToStr(const TTypeInfo& type, int64_t ordinal) {
  if (type.Kind != tkEnumeration) Fail("EnumToStr", "Not an enumeration");
  if (ordinal < type.MinValue || ordinal > type.MaxValue)
    Fail("EnumToStr", "Invalid ordinal value");
  return GetEnumName(type, ordinal);
}

int64_t StrToEnum(const TTypeInfo& type, std::string_view name) {
  if (type.Kind != tkEnumeration) Fail("StrToEnum", "Not an enumeration");
  int value = GetEnumValue(type, name);
  if (value < type.MinValue || value > type.MaxValue)
    Fail("StrToEnum", "String value not found in enumeration type");
  return value;
}

std::string SetTypeDecl(const TTypeInfo& type) {
  if (type.Kind != tkSet) Fail("SetTypeDecl", "Not a set");
  return EnumTypeDecl(ElementType(type, "SetTypeDecl"));
}

std::string SetToStr(const TTypeInfo& type, uint32_t value) {
  const TTypeInfo& element = ElementType(type, "SetToStr");
  std::string text = "[";
  for (int64_t e = element.MinValue; e <= element.MaxValue && e - element.MinValue < 32; ++e) {
    if (!((value >> (e - element.MinValue)) & 1)) continue;
    if (text.size() > 1) text += ',';
    text += EnumToStr(element, e);
  }
  return text + "]";
}

uint32_t StrToSet(const TTypeInfo& type, std::string_view input) {
  const TTypeInfo& element = ElementType(type, "StrToSet");
  std::string text = Trim(input);
  if (text.empty() || text[0] != '[') Fail("StrToSet", "Invalid string format (1)");
  std::string_view rest = std::string_view(text).substr(1);
  uint32_t result = 0;
  for (int64_t n = element.MaxValue - element.MinValue + 1; n > 0; --n) {
    if (rest.empty() || (rest[0] == ']' && rest.size() > 1))
      Fail("StrToSet", "Invalid string format (2)");
    if (rest == "]") break;
    std::size_t end = rest.find_first_of(",]");
    if (end == 0 || end == std::string_view::npos) Fail("StrToSet", "Invalid string format (3)");
    int64_t ordinal = StrToEnum(element, rest.substr(0, end));
    if (ordinal >= 0 && ordinal < 32) result |= uint32_t(1) << ordinal;
    rest = rest.substr(rest[end] == ',' ? end + 1 : end);
  }
  return result;
}

}  // namespace dravik
