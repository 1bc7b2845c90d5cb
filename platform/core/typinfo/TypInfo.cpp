#include "platform/core/typinfo/TypInfo.h"

#include <deque>
#include <limits>
#include <unordered_map>

#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

const char* const kKindNames[] = {
    "tkUnknown", "tkInteger", "tkChar",   "tkEnumeration", "tkFloat",   "tkString",
    "tkSet",     "tkClass",   "tkMethod", "tkWChar",       "tkLString", "tkWString",
    "tkVariant", "tkArray",   "tkRecord", "tkInterface",   "tkInt64",
};

// Every named type's one record, by name ignoring case, at a fixed address for the program's life.
struct TNamedTypes {
  struct THash {
    std::size_t operator()(std::string_view name) const { return TextHash(name); }
  };
  struct TEqual {
    bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
  };
  std::deque<TTypeInfo> Records;
  std::unordered_map<std::string_view, const TTypeInfo*, THash, TEqual> ByName;
};

TNamedTypes& NamedTypes() {
  static TNamedTypes types;
  return types;
}

bool SameDefinition(const TTypeInfo& a, const TTypeInfo& b) {
  return a.Kind == b.Kind && a.HasTypeData == b.HasTypeData && a.OrdType == b.OrdType &&
         a.MinValue == b.MinValue && a.MaxValue == b.MaxValue && a.EnumNames == b.EnumNames &&
         a.EnumAliases == b.EnumAliases && a.CompType == b.CompType && a.FloatType == b.FloatType &&
         a.ClassType == b.ClassType && a.MethodSignature == b.MethodSignature &&
         a.IdentToInt == b.IdentToInt && a.IntToIdent == b.IntToIdent;
}

// The record of a named type: kept on its first declaration, given back to the next ones. A type
// without a name is a record of its own.
const TTypeInfo& Declare(TTypeInfo info) {
  TNamedTypes& types = NamedTypes();
  if (info.Name.empty()) return types.Records.emplace_back(std::move(info));
  if (auto found = types.ByName.find(info.Name); found != types.ByName.end()) {
    if (!SameDefinition(*found->second, info))
      throw EPropertyError(Format("Type %s is already declared otherwise", {info.Name}));
    return *found->second;
  }
  const TTypeInfo& kept = types.Records.emplace_back(std::move(info));
  types.ByName.emplace(kept.Name, &kept);
  return kept;
}

TTypeInfo Ordinal(TTypeKind kind, const char* name, TOrdType ordType, int64_t min, int64_t max) {
  TTypeInfo t;
  t.Kind = kind;
  t.Name = name;
  t.OrdType = ordType;
  t.MinValue = min;
  t.MaxValue = max;
  return t;
}

TTypeInfo Named(TTypeKind kind, const char* name) {
  TTypeInfo t;
  t.Kind = kind;
  t.Name = name;
  return t;
}

TTypeInfo EnumType(std::string name, std::vector<std::string> names) {
  TTypeInfo t;
  t.Kind = tkEnumeration;
  t.Name = std::move(name);
  t.OrdType = names.size() <= 256 ? otUByte : otUWord;
  t.MinValue = 0;
  t.MaxValue = static_cast<int64_t>(names.size()) - 1;
  t.EnumNames = std::move(names);
  return t;
}

TTypeInfo FloatType(const char* name, TFloatType floatType) {
  TTypeInfo t;
  t.Kind = tkFloat;
  t.Name = name;
  t.FloatType = floatType;
  return t;
}

[[noreturn]] void NoAccess(const TPropInfo& prop, const char* what) {
  throw EPropertyError(Format("Property %s cannot be %s", {prop.Name, what}));
}

template <class V>
V Read(TObject& instance, const TPropInfo& prop, const TAccessor<V>& accessor) {
  if (!accessor.Get) NoAccess(prop, "read");
  return accessor.Get(instance);
}

template <class V>
void Write(TObject& instance, const TPropInfo& prop, const TAccessor<V>& accessor, const V& value) {
  if (!accessor.Set) NoAccess(prop, "written");
  accessor.Set(instance, value);
}

}  // namespace

const char* TypeKindName(TTypeKind kind) {
  return kind <= tkInt64 ? kKindNames[kind] : "tkUnknown";
}

const TTypeInfo& TypeInfoFor(TTypeKind) {
  static const TTypeInfo& info = []() -> const TTypeInfo& {
    TTypeInfo t = EnumType("TTypeKind",
                           std::vector<std::string>(std::begin(kKindNames), std::end(kKindNames)));
    // Free Pascal's names of the same kinds, so that data it stored reads too.
    t.EnumAliases = {{"tkAString", tkLString}, {"tkSString", tkString},   {"tkUString", tkWString},
                     {"tkUChar", tkWChar},     {"tkBool", tkEnumeration}, {"tkQWord", tkInt64}};
    return Declare(std::move(t));
  }();
  return info;
}

const TTypeInfo& MakeEnumType(std::string name, std::vector<std::string> names) {
  return Declare(EnumType(std::move(name), std::move(names)));
}

const TTypeInfo& MakeSetType(std::string name, const TTypeInfo& element) {
  TTypeInfo t;
  t.Kind = tkSet;
  t.Name = std::move(name);
  t.OrdType = otULong;
  t.CompType = &element;
  return Declare(std::move(t));
}

const TTypeInfo& MakeSubrangeType(std::string name, int64_t min, int64_t max) {
  TOrdType ordType = min >= 0 ? (max <= 255     ? otUByte
                                 : max <= 65535 ? otUWord
                                                : otULong)
                              : (min >= -128 && max <= 127       ? otSByte
                                 : min >= -32768 && max <= 32767 ? otSWord
                                                                 : otSLong);
  return Declare(Ordinal(tkInteger, name.c_str(), ordType, min, max));
}

const TTypeInfo& MakeMethodType(std::string name, TMethodSignature signature) {
  TTypeInfo t;
  t.Kind = tkMethod;
  t.Name = std::move(name);
  t.MethodSignature = signature;
  return Declare(std::move(t));
}

const TTypeInfo& MakeAliasType(const TTypeInfo& base, std::string name) {
  TTypeInfo t = base;
  t.Name = std::move(name);
  return Declare(std::move(t));
}

std::string GetEnumName(const TTypeInfo& type, int64_t value) {
  if (type.Kind == tkInteger) return IntToStr(value);
  int64_t i = value - type.MinValue;
  if (i < 0 || i >= static_cast<int64_t>(type.EnumNames.size())) return "";
  return type.EnumNames[static_cast<std::size_t>(i)];
}

int GetEnumValue(const TTypeInfo& type, std::string_view name) {
  for (std::size_t i = 0; i < type.EnumNames.size(); ++i)
    if (SameText(type.EnumNames[i], name)) return static_cast<int>(type.MinValue + int64_t(i));
  for (const auto& [alias, value] : type.EnumAliases)
    if (SameText(alias, name)) return static_cast<int>(value);
  return -1;
}

#define DRAVIK_TYPE(T, ...)                              \
  const TTypeInfo& TTypeInfoOf<T>::Get() {               \
    static const TTypeInfo& info = Declare(__VA_ARGS__); \
    return info;                                         \
  }
DRAVIK_TYPE(int8_t, Ordinal(tkInteger, "ShortInt", otSByte, -128, 127))
DRAVIK_TYPE(uint8_t, Ordinal(tkInteger, "Byte", otUByte, 0, 255))
DRAVIK_TYPE(int16_t, Ordinal(tkInteger, "SmallInt", otSWord, -32768, 32767))
DRAVIK_TYPE(uint16_t, Ordinal(tkInteger, "Word", otUWord, 0, 65535))
DRAVIK_TYPE(int32_t, Ordinal(tkInteger, "Integer", otSLong, INT32_MIN, INT32_MAX))
DRAVIK_TYPE(uint32_t, Ordinal(tkInteger, "Cardinal", otULong, 0, UINT32_MAX))
DRAVIK_TYPE(int64_t, Ordinal(tkInt64, "Int64", otSLong, INT64_MIN, INT64_MAX))
DRAVIK_TYPE(uint64_t, Ordinal(tkInt64, "QWord", otULong, 0, -1))
DRAVIK_TYPE(char, Ordinal(tkChar, "Char", otUByte, 0, 255))
DRAVIK_TYPE(float, FloatType("Single", ftSingle))
DRAVIK_TYPE(double, FloatType("Double", ftDouble))
DRAVIK_TYPE(long double, FloatType("Extended", ftExtended))
DRAVIK_TYPE(TCurrency, FloatType("Currency", ftCurr))
DRAVIK_TYPE(TDateTime, FloatType("TDateTime", ftDouble))
DRAVIK_TYPE(std::string, Named(tkLString, "string"))
DRAVIK_TYPE(Variant, Named(tkVariant, "Variant"))
#undef DRAVIK_TYPE

const TTypeInfo& TTypeInfoOf<bool>::Get() {
  static const TTypeInfo& info = []() -> const TTypeInfo& {
    TTypeInfo t = Ordinal(tkEnumeration, "Boolean", otUByte, 0, 1);
    t.EnumNames = {"False", "True"};
    return Declare(std::move(t));
  }();
  return info;
}

bool TPropInfo::CanRead() const {
  return Ordinal.Get || Float.Get || String.Get || Method.Get || VariantValue.Get;
}

bool TPropInfo::CanWrite() const {
  return Ordinal.Set || Float.Set || String.Set || Method.Set || VariantValue.Set;
}

int64_t GetOrdProp(TObject& instance, const TPropInfo& prop) {
  return Read(instance, prop, prop.Ordinal);
}

void SetOrdProp(TObject& instance, const TPropInfo& prop, int64_t value) {
  Write(instance, prop, prop.Ordinal, value);
}

std::string GetStrProp(TObject& instance, const TPropInfo& prop) {
  return Read(instance, prop, prop.String);
}

void SetStrProp(TObject& instance, const TPropInfo& prop, const std::string& value) {
  Write(instance, prop, prop.String, value);
}

long double GetFloatProp(TObject& instance, const TPropInfo& prop) {
  return Read(instance, prop, prop.Float);
}

void SetFloatProp(TObject& instance, const TPropInfo& prop, long double value) {
  Write(instance, prop, prop.Float, value);
}

TMethod GetMethodProp(TObject& instance, const TPropInfo& prop) {
  return Read(instance, prop, prop.Method);
}

void SetMethodProp(TObject& instance, const TPropInfo& prop, const TMethod& value) {
  Write(instance, prop, prop.Method, value);
}

Variant GetVariantProp(TObject& instance, const TPropInfo& prop) {
  return Read(instance, prop, prop.VariantValue);
}

void SetVariantProp(TObject& instance, const TPropInfo& prop, const Variant& value) {
  Write(instance, prop, prop.VariantValue, value);
}

TObject* GetObjectProp(TObject& instance, const TPropInfo& prop) {
  if (prop.Kind() != tkClass) return nullptr;
  return reinterpret_cast<TObject*>(static_cast<intptr_t>(GetOrdProp(instance, prop)));
}

bool IsStoredProp(TObject& instance, const TPropInfo& prop) {
  return prop.StoredFunction ? prop.StoredFunction(instance) : prop.Stored;
}

}  // namespace dravik
