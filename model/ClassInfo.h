#pragma once
// TClassInfo: reads and writes one published property of any object by its position in the
// object's property list, as a variant in the system's text forms (enumeration names, the set
// text, hexadecimal object and method references), as typed values, or as raw bytes.
//
// Values written as text, numbers or bytes come from data (stored language data, translators'
// files, form files), so they never plant a pointer: an object reference is taken only when it
// is nil, what the property holds, or a live component of the property's class reachable from
// the instance's root; a method pointer only when it is nil, what the property holds, or a
// published method of such a component whose parameters are the event's.

#include <cstdint>
#include <string>

#include "platform/core/classes/Object.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/Variant.h"
#include "platform/core/typinfo/Set.h"
#include "platform/core/typinfo/TypInfo.h"

namespace dravik {

using EObjectBrowseError = ExceptionClass<"EObjectBrowseError", Exception>;

enum TPropModeFlag { pmRead, pmWrite };
const TTypeInfo& TypeInfoFor(TPropModeFlag);
using TPropMode = TSet<TPropModeFlag, "TPropMode">;

// Hex digits of a pointer: object references and both halves of a method descriptor.
constexpr int kPointerHexDigits = 2 * static_cast<int>(sizeof(void*));

class TClassInfo : public TObject {
 public:
  TClassInfo() = default;
  explicit TClassInfo(TObject* instance) { Init(instance, nullptr); }
  // Bound to exactly one property, selected at once.
  TClassInfo(TObject* instance, const TPropInfo* prop) { Init(instance, prop); }
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  void Init(TObject* instance, const TPropInfo* prop);
  void SetInstance(TObject* instance) { Init(instance, nullptr); }
  void Done();

  int Count() const { return fCount; }
  int SelectedIndex() const { return fIndex; }
  bool Select(int index);
  bool IsOrdinal() const { return fIsOrdinal; }
  bool IsString() const { return fIsString; }
  TTypeKind Kind() const { return fKind; }
  TPropMode Mode() const { return fMode; }
  int32_t PropIndex() const { return fPropIndex; }
  TObject* Instance() const { return fInstance; }

  const TPropInfo* PropRef() const;
  std::string Name() const;
  std::string Typ() const;
  std::string TypDef() const;
  int Size() const;
  bool IsStored() const;
  int32_t DefaultInteger() const;
  std::string UnitName() const;

  Variant GetValue() const;
  void SetValue(const Variant& value);
  // Whether SetValue would take value, found without writing the property.
  bool Accepts(const Variant& value) const;
  int64_t GetAsInteger() const;
  void SetAsInteger(int64_t value);
  TObject* GetAsObject() const;
  void SetAsObject(TObject* value);
  TMethod GetAsMethod() const;
  void SetAsMethod(const TMethod& value);
  long double GetAsFloat() const { return GetValue().AsFloat(); }
  void SetAsFloat(long double value) { SetValue(Variant(value)); }
  std::string GetAsString() const { return GetValue().AsString(); }
  void SetAsString(const std::string& value) { SetValue(Variant(value)); }
  // The text stays valid until the next call on this object.
  const char* GetAsPChar() const;
  void SetAsPChar(const char* value) { SetAsString(value ? value : ""); }

  Variant Default() const;
  Variant FormatValue(int32_t value) const;
  Variant EmptyValue() const;
  void CopyTo(void* buffer, int count) const;
  void CopyFrom(const void* buffer, int count);

 private:
  void CheckIndexAndTypeInfo(const char* operation) const;
  void CheckMode(const char* operation, TPropModeFlag needed) const;
  [[noreturn]] void Fail(const std::string& operationAndReason) const;
  std::string StringValue() const;
  TObject* CheckedObject(const char* operation, uintptr_t address) const;
  TMethod CheckedMethod(const char* operation, const TMethod& method) const;

  TObject* fInstance = nullptr;
  const TTypeInfo* fClassTypeInfo = nullptr;
  std::vector<const TPropInfo*> fProps;
  const TPropInfo* fProp = nullptr;
  const TTypeInfo* fPropType = nullptr;
  int fCount = 0;
  int fIndex = -1;
  bool fIsOrdinal = false;
  bool fIsString = false;
  TTypeKind fKind = tkUnknown;
  TPropMode fMode;
  int32_t fPropIndex = -1;
  mutable std::string fPCharText;
};

// The unit name of the object's class; empty without type information.
std::string GetUnitNameOfClass(const TObject* object);

}  // namespace dravik
