#pragma once
// Run-time type information: one TTypeInfo per type, one TPropInfo per published property, and
// the property access routines by property information. Type information of a C++ type is found
// through TTypeInfoOf<T>, specialised next to each type that can be published. A named type has
// exactly one record, so converters and editors can key on its address.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/core/system/Variant.h"
#include "platform/core/typinfo/Method.h"
#include "platform/core/typinfo/Set.h"

namespace dravik {

class TObject;
class TClassRecord;

enum TTypeKind : uint8_t {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkWChar,
  tkLString,
  tkWString,
  tkVariant,
  tkArray,
  tkRecord,
  tkInterface,
  tkInt64,
};

enum TOrdType : uint8_t { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };
enum TFloatType : uint8_t { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

// The type kind's original name, as stored data writes it ("tkLString").
const char* TypeKindName(TTypeKind kind);

struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  std::string Name;
  bool HasTypeData = true;
  // Ordinal kinds (integer, char, enumeration, Int64). An unsigned Int64 kind (QWord) has
  // OrdType otULong and MaxValue -1: all 64 bits set.
  TOrdType OrdType = otSLong;
  int64_t MinValue = 0;
  int64_t MaxValue = 0;
  std::vector<std::string> EnumNames;  // enumeration: one per value from MinValue
  // Further names an enumeration accepts when reading (another tool's spelling of a value).
  std::vector<std::pair<std::string, int64_t>> EnumAliases;
  const TTypeInfo* CompType = nullptr;  // set: the element type
  TFloatType FloatType = ftExtended;
  const TClassRecord* ClassType = nullptr;     // class: the class
  TMethodSignature MethodSignature = nullptr;  // method: the parameters its handlers take
  // Integer types whose values streams name by identifier (colours: "clRed").
  bool (*IdentToInt)(std::string_view ident, int64_t& value) = nullptr;
  bool (*IntToIdent)(int64_t value, std::string& ident) = nullptr;
};

// The kinds by their original names, for properties of type TTypeKind.
const TTypeInfo& TypeInfoFor(TTypeKind);

// Makers for the type information of declared types; the result lives as long as the program.
// A name stands for one type: declaring it again with the same definition gives back the same
// record, with another definition raises EPropertyError. Names ignore case.
const TTypeInfo& MakeEnumType(std::string name, std::vector<std::string> names);
const TTypeInfo& MakeSetType(std::string name, const TTypeInfo& element);
const TTypeInfo& MakeSubrangeType(std::string name, int64_t min, int64_t max);
const TTypeInfo& MakeMethodType(std::string name, TMethodSignature signature);
// The same type under another name ("TCaption" is a string).
const TTypeInfo& MakeAliasType(const TTypeInfo& base, std::string name);

// QWord: its values are the 64 bits of the ordinal, read as unsigned.
inline bool IsUnsignedInt64(const TTypeInfo& type) {
  return type.Kind == tkInt64 && type.OrdType == otULong;
}

std::string GetEnumName(const TTypeInfo& type, int64_t value);   // empty when out of range
int GetEnumValue(const TTypeInfo& type, std::string_view name);  // ignores case; -1 when unknown

// Specialised per publishable type: static const TTypeInfo& Get(). An enumeration declares
// `const TTypeInfo& TypeInfoFor(E)` next to itself, found by argument-dependent lookup.
template <class T, class = void>
struct TTypeInfoOf;

template <class E>
struct TTypeInfoOf<E, std::enable_if_t<std::is_enum_v<E>>> {
  static const TTypeInfo& Get() { return TypeInfoFor(E{}); }
};

template <class T>
const TTypeInfo& TypeInfo() {
  return TTypeInfoOf<T>::Get();
}

#define DRAVIK_BUILTIN_TYPE(T)     \
  template <>                      \
  struct TTypeInfoOf<T> {          \
    static const TTypeInfo& Get(); \
  }
DRAVIK_BUILTIN_TYPE(int8_t);
DRAVIK_BUILTIN_TYPE(uint8_t);
DRAVIK_BUILTIN_TYPE(int16_t);
DRAVIK_BUILTIN_TYPE(uint16_t);
DRAVIK_BUILTIN_TYPE(int32_t);
DRAVIK_BUILTIN_TYPE(uint32_t);
DRAVIK_BUILTIN_TYPE(int64_t);
DRAVIK_BUILTIN_TYPE(uint64_t);
DRAVIK_BUILTIN_TYPE(char);
DRAVIK_BUILTIN_TYPE(bool);
DRAVIK_BUILTIN_TYPE(float);
DRAVIK_BUILTIN_TYPE(double);
DRAVIK_BUILTIN_TYPE(long double);
DRAVIK_BUILTIN_TYPE(TCurrency);
DRAVIK_BUILTIN_TYPE(TDateTime);
DRAVIK_BUILTIN_TYPE(std::string);
DRAVIK_BUILTIN_TYPE(Variant);
#undef DRAVIK_BUILTIN_TYPE

template <class E, TFixedName Name>
struct TTypeInfoOf<TSet<E, Name>> {
  static const TTypeInfo& Get() {
    static const TTypeInfo& info = MakeSetType(Name.value, TypeInfo<E>());
    return info;
  }
};

template <TFixedName Name, class... Args>
struct TTypeInfoOf<TEvent<Name, Args...>> {
  static const TTypeInfo& Get() {
    static const TTypeInfo& info = MakeMethodType(Name.value, TEvent<Name, Args...>::Signature());
    return info;
  }
};

// The accessors of one published property, by value category. A missing getter means the
// property cannot be read, a missing setter that it cannot be written.
template <class V>
struct TAccessor {
  std::function<V(TObject&)> Get;
  std::function<void(TObject&, const V&)> Set;  // a setter taking a reference gets no copy
};

// A text property's getter by reference and setter as plain functions over the member pointers
// they keep: what a caller going through many properties in a row (a language switch) calls,
// without a type-erased call each. Ref or Set is null where the class builder made none.
struct TTextAccess {
  const std::string& (*Ref)(TObject&, const TTextAccess&) = nullptr;
  void (*Set)(TObject&, const std::string&, const TTextAccess&) = nullptr;
  // The member pointers, as bytes: their types are known only to Ref and Set.
  alignas(8) unsigned char Getter[16] = {};
  alignas(8) unsigned char Setter[16] = {};
};

constexpr int32_t NoDefault = INT32_MIN;  // 0x80000000: no default declared
constexpr int32_t NoIndex = INT32_MIN;

struct TPropInfo {
  std::string Name;
  const TTypeInfo* PropType = nullptr;
  int32_t Index = NoIndex;
  int32_t Default = NoDefault;
  int32_t NameIndex = 0;  // position in the class's full property list
  // Integer, char, enumeration, set bits, class reference, Int64; and a Currency property's
  // value times 10000, beside its float accessor.
  TAccessor<int64_t> Ordinal;
  TAccessor<long double> Float;
  TAccessor<std::string> String;
  // A text property whose getter answers a reference (or that is a field): read without a copy.
  std::function<const std::string&(TObject&)> StringRef;
  TTextAccess Text;
  TAccessor<TMethod> Method;
  TAccessor<Variant> VariantValue;
  std::function<bool(TObject&)> StoredFunction;  // set when stored depends on the instance
  bool Stored = true;

  TPropInfo() = default;
  TPropInfo(std::string name, const TTypeInfo& type) : Name(std::move(name)), PropType(&type) {}
  TTypeKind Kind() const { return PropType ? PropType->Kind : tkUnknown; }
  bool CanRead() const;
  bool CanWrite() const;
};

// Property access by property information; a missing accessor raises EPropertyError.
int64_t GetOrdProp(TObject& instance, const TPropInfo& prop);
void SetOrdProp(TObject& instance, const TPropInfo& prop, int64_t value);
std::string GetStrProp(TObject& instance, const TPropInfo& prop);
void SetStrProp(TObject& instance, const TPropInfo& prop, const std::string& value);
long double GetFloatProp(TObject& instance, const TPropInfo& prop);
void SetFloatProp(TObject& instance, const TPropInfo& prop, long double value);
TMethod GetMethodProp(TObject& instance, const TPropInfo& prop);
void SetMethodProp(TObject& instance, const TPropInfo& prop, const TMethod& value);
Variant GetVariantProp(TObject& instance, const TPropInfo& prop);
void SetVariantProp(TObject& instance, const TPropInfo& prop, const Variant& value);
TObject* GetObjectProp(TObject& instance, const TPropInfo& prop);
bool IsStoredProp(TObject& instance, const TPropInfo& prop);

}  // namespace dravik
