#include "model/ClassInfo.h"

#include <cstring>

#include "model/ConvertTools.h"
#include "model/TypeTools.h"
#include "platform/core/classes/Component.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {

constexpr int kFloatBytes = 10;  // an 80-bit extended number
static_assert(sizeof(long double) >= kFloatBytes, "long double must hold an 80-bit extended");

uintptr_t Address(const void* p) {
  return reinterpret_cast<uintptr_t>(p);
}

std::string AddressHex(uintptr_t address) {
  return IntToHex(address, kPointerHexDigits);
}

std::string PointerHex(const void* p) {
  return AddressHex(Address(p));
}

void* HexPointer(std::string_view text) {
  return reinterpret_cast<void*>(static_cast<uintptr_t>(HexToInt(text)));
}

// The component at the top of the instance's owners; null when it belongs to none.
TComponent* RootOf(TObject* instance) {
  TComponent* root = nullptr;
  for (auto* p = dynamic_cast<TPersistent*>(instance); p; p = p->GetOwner())
    if (auto* c = dynamic_cast<TComponent*>(p)) root = c;
  return root;
}

// The component at that address among root and all it owns, or null. The address is only
// compared, never followed.
TComponent* FindLiveComponent(TComponent* root, uintptr_t address) {
  if (!root || !address) return nullptr;
  std::vector<TComponent*> pending{root};
  while (!pending.empty()) {
    TComponent* c = pending.back();
    pending.pop_back();
    if (Address(static_cast<TObject*>(c)) == address) return c;
    for (int i = 0; i < c->ComponentCount(); ++i) pending.push_back(c->Components(i));
  }
  return nullptr;
}

bool InRange(const TTypeInfo& type, int64_t v) {
  return v >= type.MinValue && v <= type.MaxValue;
}

}  // namespace

const TTypeInfo& TypeInfoFor(TPropModeFlag) {
  static const TTypeInfo& info = MakeEnumType("TPropModeFlag", {"pmRead", "pmWrite"});
  return info;
}

const TClassRecord& TClassInfo::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TClassInfo, TObject>("TClassInfo", "ClassInfo").Build();
  return record;
}

std::string GetUnitNameOfClass(const TObject* object) {
  if (!object || !object->ClassType().ClassInfo()) return "";
  return object->ClassType().UnitName();
}

void TClassInfo::Init(TObject* instance, const TPropInfo* prop) {
  Done();
  if (!instance) return;
  fInstance = instance;
  fClassTypeInfo = instance->ClassType().ClassInfo();
  if (!fClassTypeInfo) return;
  if (prop) {
    fProp = prop;
    fCount = 1;
    Select(0);
  } else {
    fProps = instance->ClassType().Props();
    fCount = static_cast<int>(fProps.size());
  }
}

void TClassInfo::Done() {
  fInstance = nullptr;
  fClassTypeInfo = nullptr;
  fProps.clear();
  fProp = nullptr;
  fPropType = nullptr;
  fCount = 0;
  fIndex = -1;
  fIsOrdinal = fIsString = false;
  fKind = tkUnknown;
  fMode = {};
  fPropIndex = -1;
}

void TClassInfo::Fail(const std::string& operationAndReason) const {
  throw EObjectBrowseError(ClassName() + operationAndReason);
}

bool TClassInfo::Select(int index) {
  if (index < 0 || index >= fCount) Fail(".Select: Invalid Index");
  if (!fProps.empty()) fProp = fProps[static_cast<std::size_t>(index)];
  fIndex = index;
  if (!fProp || !fProp->PropType) {
    fPropType = nullptr;
    fIsOrdinal = fIsString = false;
    fKind = tkUnknown;
    fMode = {};
    fPropIndex = -1;
    return false;
  }
  fPropType = fProp->PropType;
  fKind = fPropType->Kind;
  fIsOrdinal = fKind == tkInteger || fKind == tkChar || fKind == tkEnumeration || fKind == tkSet ||
               fKind == tkClass;
  fIsString = fKind == tkString || fKind == tkLString || fKind == tkWString;
  fMode = {};
  if (fProp->CanRead()) fMode.Include(pmRead);
  if (fProp->CanWrite()) fMode.Include(pmWrite);
  fPropIndex = fProp->Index;
  return true;
}

TObject* TClassInfo::CheckedObject(const char* operation, uintptr_t address) const {
  if (address == 0) return nullptr;
  if (fMode.Contains(pmRead)) {
    TObject* current = GetObjectProp(*fInstance, *fProp);
    if (Address(current) == address) return current;
  }
  const TClassRecord* type = fPropType->ClassType;
  TComponent* target = FindLiveComponent(RootOf(fInstance), address);
  if (!target || !type || !target->InheritsFrom(*type))
    Fail(std::string(".") + operation + ": Object reference " + AddressHex(address) +
         "h names no live component of class " + fPropType->Name);
  return target;
}

TMethod TClassInfo::CheckedMethod(const char* operation, const TMethod& method) const {
  if (method == TMethod{}) return method;
  if (fMode.Contains(pmRead) && GetMethodProp(*fInstance, *fProp) == method) return method;
  TComponent* target = FindLiveComponent(RootOf(fInstance), Address(method.Data));
  const TClassRecord::TMethodEntry* published =
      target && method.Code ? target->ClassType().FindMethodByCode(method.Code) : nullptr;
  if (!published)
    Fail(std::string(".") + operation + ": Method descriptor " + PointerHex(method.Code) +
         PointerHex(method.Data) + "h names no published method of a live component");
  if (published->Signature != fPropType->MethodSignature)
    Fail(std::string(".") + operation + ": Method " + published->Name + " does not fit event " +
         fProp->Name);
  return method;
}

void TClassInfo::CheckIndexAndTypeInfo(const char* operation) const {
  const char* reason = fIndex < 0   ? "No property selected"
                       : !fProp     ? "Property information not available"
                       : !fPropType ? "Property type information not available"
                                    : nullptr;
  if (reason) Fail(std::string(".") + operation + ": " + reason);
}

void TClassInfo::CheckMode(const char* operation, TPropModeFlag needed) const {
  CheckIndexAndTypeInfo(operation);
  if (!fMode.Contains(needed))
    Fail(std::string(".") + operation + ": Method for read or write access not available");
}

const TPropInfo* TClassInfo::PropRef() const {
  CheckIndexAndTypeInfo("PropRef");
  return fProp;
}

std::string TClassInfo::Name() const {
  CheckIndexAndTypeInfo("Name");
  return fProp->Name;
}

std::string TClassInfo::Typ() const {
  CheckIndexAndTypeInfo("Typ");
  return fPropType->Name;
}

std::string TClassInfo::TypDef() const {
  CheckIndexAndTypeInfo("TypDef");
  if (fKind == tkEnumeration) return "(" + EnumTypeDecl(*fPropType) + ")";
  if (fKind == tkSet) return "[" + SetTypeDecl(*fPropType) + "]";
  return "";
}

std::string TClassInfo::StringValue() const {
  if (fKind == tkVariant) return GetVariantProp(*fInstance, *fProp).AsString();
  return GetStrProp(*fInstance, *fProp);
}

int TClassInfo::Size() const {
  CheckIndexAndTypeInfo("Size");
  switch (fKind) {
    case tkChar:
      return 1;
    case tkInteger:
    case tkEnumeration:
    case tkSet:
      return 4;
    case tkClass:
      return sizeof(void*);
    case tkFloat:
      return kFloatBytes;
    case tkMethod:
      return 2 * sizeof(void*);
    case tkString:
    case tkLString:
    case tkWString:
    case tkVariant:
      return static_cast<int>(StringValue().size());
    default:
      Fail(".Size: Type cannot be handled");
  }
}

bool TClassInfo::IsStored() const {
  CheckIndexAndTypeInfo("IsStored");
  return IsStoredProp(*fInstance, *fProp);
}

int32_t TClassInfo::DefaultInteger() const {
  CheckIndexAndTypeInfo("DefaultInteger");
  return fProp->Default;
}

std::string TClassInfo::UnitName() const {
  CheckIndexAndTypeInfo("UnitName");
  return GetUnitNameOfClass(fInstance);
}

Variant TClassInfo::GetValue() const {
  CheckMode("GetValue", pmRead);
  TObject& o = *fInstance;
  switch (fKind) {
    case tkInteger:
    case tkChar:
      return Variant(static_cast<int32_t>(GetOrdProp(o, *fProp)));
    case tkEnumeration:
      return Variant(EnumToStr(*fPropType, GetOrdProp(o, *fProp)));
    case tkFloat:
      return Variant(GetFloatProp(o, *fProp));
    case tkString:
    case tkLString:
    case tkWString:
      return Variant(GetStrProp(o, *fProp));
    case tkSet:
      return Variant(SetToStr(*fPropType, static_cast<uint32_t>(GetOrdProp(o, *fProp))));
    case tkClass:
      return Variant(PointerHex(GetObjectProp(o, *fProp)) + "h");
    case tkMethod: {
      TMethod m = GetMethodProp(o, *fProp);
      return Variant(PointerHex(m.Code) + PointerHex(m.Data) + "h");
    }
    case tkVariant:
      return GetVariantProp(o, *fProp);
    default:
      Fail(".GetValue: Type cannot be handled");
  }
}

void TClassInfo::SetValue(const Variant& value) {
  CheckMode("SetValue", pmWrite);
  TObject& o = *fInstance;
  switch (fKind) {
    case tkInteger:
    case tkChar:
      SetOrdProp(o, *fProp, value.AsInteger());
      return;
    case tkEnumeration:
      SetOrdProp(o, *fProp, StrToEnum(*fPropType, value.AsString()));
      return;
    case tkFloat:
      SetFloatProp(o, *fProp, value.AsFloat());
      return;
    case tkString:
    case tkLString:
    case tkWString:
      SetStrProp(o, *fProp, value.AsString());
      return;
    case tkSet:
      SetOrdProp(o, *fProp, StrToSet(*fPropType, value.AsString()));
      return;
    case tkClass: {
      auto address = static_cast<uintptr_t>(HexToInt(value.AsString()));
      SetOrdProp(o, *fProp, reinterpret_cast<intptr_t>(CheckedObject("SetValue", address)));
      return;
    }
    case tkMethod: {
      std::string text = value.AsString();
      const std::size_t half = kPointerHexDigits;
      if (text.size() != 2 * half + 1 || text.back() != 'h')
        Fail(".SetValue: Invalid method descriptor");
      TMethod method{HexPointer(text.substr(0, half)), HexPointer(text.substr(half, half))};
      SetMethodProp(o, *fProp, CheckedMethod("SetValue", method));
      return;
    }
    case tkVariant:
      SetVariantProp(o, *fProp, value);
      return;
    default:
      Fail(".SetValue: Type cannot be handled");
  }
}

bool TClassInfo::Accepts(const Variant& value) const {
  try {
    CheckMode("Accepts", pmWrite);
    switch (fKind) {
      case tkInteger:
      case tkChar:
        (void)value.AsInteger();
        return true;
      case tkEnumeration:
        (void)StrToEnum(*fPropType, value.AsString());
        return true;
      case tkFloat:
        (void)value.AsFloat();
        return true;
      case tkString:
      case tkLString:
      case tkWString:
        (void)value.AsString();
        return true;
      case tkSet:
        (void)StrToSet(*fPropType, value.AsString());
        return true;
      case tkClass:
        (void)CheckedObject("Accepts", static_cast<uintptr_t>(HexToInt(value.AsString())));
        return true;
      case tkMethod: {
        const std::string text = value.AsString();
        const std::size_t half = kPointerHexDigits;
        if (text.size() != 2 * half + 1 || text.back() != 'h') return false;
        (void)CheckedMethod("Accepts", TMethod{HexPointer(text.substr(0, half)),
                                               HexPointer(text.substr(half, half))});
        return true;
      }
      case tkVariant:
        return true;
      default:
        return false;
    }
  } catch (const Exception&) {
    return false;
  }
}

int64_t TClassInfo::GetAsInteger() const {
  CheckMode("GetAsInteger", pmRead);
  if (!fIsOrdinal) Fail(".GetAsInteger: Type cannot be handled");
  return GetOrdProp(*fInstance, *fProp);
}

void TClassInfo::SetAsInteger(int64_t value) {
  CheckMode("SetAsInteger", pmWrite);
  if (!fIsOrdinal) Fail(".SetAsInteger: Type cannot be handled");
  if (fKind == tkClass)
    value =
        reinterpret_cast<intptr_t>(CheckedObject("SetAsInteger", static_cast<uintptr_t>(value)));
  SetOrdProp(*fInstance, *fProp, value);
}

TObject* TClassInfo::GetAsObject() const {
  CheckMode("GetAsObject", pmRead);
  if (fKind != tkClass) Fail(".GetAsObject: Property is not an object reference");
  return GetObjectProp(*fInstance, *fProp);
}

void TClassInfo::SetAsObject(TObject* value) {
  CheckMode("SetAsObject", pmWrite);
  if (fKind != tkClass) Fail(".SetAsObject: Property is not an object reference");
  SetOrdProp(*fInstance, *fProp, reinterpret_cast<intptr_t>(value));
}

TMethod TClassInfo::GetAsMethod() const {
  CheckMode("GetAsMethod", pmRead);
  if (fKind != tkMethod) Fail(".GetAsMethod: Property is not an method reference");
  return GetMethodProp(*fInstance, *fProp);
}

void TClassInfo::SetAsMethod(const TMethod& value) {
  CheckMode("SetAsMethod", pmWrite);
  if (fKind != tkMethod) Fail(".SetAsMethod: Property is not an method reference");
  SetMethodProp(*fInstance, *fProp, value);
}

const char* TClassInfo::GetAsPChar() const {
  fPCharText = GetAsString();
  return fPCharText.c_str();
}

Variant TClassInfo::Default() const {
  int32_t value = DefaultInteger();
  return value == NoDefault ? Variant(value) : FormatValue(value);
}

Variant TClassInfo::FormatValue(int32_t value) const {
  switch (fKind) {
    case tkChar:
      return Variant(std::string(1, static_cast<char>(value)));
    case tkEnumeration:
      return Variant(EnumToStr(*fPropType, value));
    case tkSet:
      return Variant(SetToStr(*fPropType, static_cast<uint32_t>(value)));
    default:
      return Variant(value);
  }
}

Variant TClassInfo::EmptyValue() const {
  if (!fIsOrdinal) return Variant("");
  if (fProp->Default != NoDefault) return Variant(fProp->Default);
  if (!fPropType->HasTypeData) return Variant(0);
  const TTypeInfo* range = fPropType;
  if (fKind == tkSet) {
    range = fPropType->CompType;
    if (!range || !range->HasTypeData) return Variant(0);
  }
  if (fKind == tkClass) return Variant(NoDefault);
  return Variant(static_cast<int32_t>(InRange(*range, 0) ? 0 : range->MinValue));
}

void TClassInfo::CopyTo(void* buffer, int count) const {
  if (count != Size()) Fail(".CopyTo: Invalid number of bytes to copy");
  TObject& o = *fInstance;
  switch (fKind) {
    case tkChar: {
      char c = static_cast<char>(GetOrdProp(o, *fProp));
      std::memcpy(buffer, &c, 1);
      return;
    }
    case tkInteger:
    case tkEnumeration:
    case tkSet: {
      int32_t v = static_cast<int32_t>(GetOrdProp(o, *fProp));
      std::memcpy(buffer, &v, 4);
      return;
    }
    case tkClass: {
      TObject* p = GetObjectProp(o, *fProp);
      std::memcpy(buffer, &p, sizeof p);
      return;
    }
    case tkFloat: {
      long double f = GetFloatProp(o, *fProp);
      std::memcpy(buffer, &f, kFloatBytes);
      return;
    }
    case tkMethod: {
      TMethod m = GetMethodProp(o, *fProp);
      std::memcpy(buffer, &m.Code, sizeof(void*));
      std::memcpy(static_cast<char*>(buffer) + sizeof(void*), &m.Data, sizeof(void*));
      return;
    }
    default: {
      std::string text = StringValue();
      std::memcpy(buffer, text.data(), text.size());
      return;
    }
  }
}

void TClassInfo::CopyFrom(const void* buffer, int count) {
  CheckIndexAndTypeInfo("CopyFrom");
  TObject& o = *fInstance;
  auto expect = [&](int size, const char* what) {
    if (count != size) Fail(std::string(".CopyFrom: Invalid size of ") + what + ". Internal error");
  };
  switch (fKind) {
    case tkInteger:
    case tkEnumeration:
    case tkSet: {
      expect(4, "ordinal");
      int32_t v;
      std::memcpy(&v, buffer, 4);
      SetOrdProp(o, *fProp, fKind == tkSet ? int64_t(uint32_t(v)) : int64_t(v));
      return;
    }
    case tkClass: {
      expect(sizeof(void*), "ordinal");
      void* p;
      std::memcpy(&p, buffer, sizeof p);
      SetOrdProp(o, *fProp, reinterpret_cast<intptr_t>(CheckedObject("CopyFrom", Address(p))));
      return;
    }
    case tkChar: {
      expect(1, "character");
      SetOrdProp(o, *fProp, *static_cast<const unsigned char*>(buffer));
      return;
    }
    case tkFloat: {
      expect(kFloatBytes, "float");
      long double f = 0;
      std::memcpy(&f, buffer, kFloatBytes);
      SetFloatProp(o, *fProp, f);
      return;
    }
    case tkMethod: {
      expect(2 * sizeof(void*), "method reference");
      TMethod m;
      std::memcpy(&m.Code, buffer, sizeof(void*));
      std::memcpy(&m.Data, static_cast<const char*>(buffer) + sizeof(void*), sizeof(void*));
      SetMethodProp(o, *fProp, CheckedMethod("CopyFrom", m));
      return;
    }
    case tkString:
    case tkLString:
    case tkWString:
    case tkVariant: {
      std::string text =
          count > 0 ? std::string(static_cast<const char*>(buffer), static_cast<std::size_t>(count))
                    : std::string();
      if (fKind == tkVariant) {
        SetVariantProp(o, *fProp, Variant(text));
      } else {
        SetStrProp(o, *fProp, text);
      }
      return;
    }
    default:
      Fail(".CopyFrom: Type cannot be handled");
  }
}

}  // namespace dravik
