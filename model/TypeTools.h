#pragma once
// Enumeration and set values as text and back, from the type information alone. The set text is
// "[" + element names joined by "," + "]" without blanks; the empty set is "[]".

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/system/Exceptions.h"
#include "platform/core/typinfo/TypInfo.h"

namespace dravik {

using ETypeToolError = ExceptionClass<"ETypeToolError", Exception>;

std::string EnumTypeDecl(const TTypeInfo& type);  // "a,b,c"
std::string EnumToStr(const TTypeInfo& type, int64_t ordinal);
int64_t StrToEnum(const TTypeInfo& type, std::string_view name);
std::string SetTypeDecl(const TTypeInfo& type);  // the element type's names
std::string SetToStr(const TTypeInfo& type, uint32_t value);
uint32_t StrToSet(const TTypeInfo& type, std::string_view text);

}  // namespace dravik
