#include "platform/ide/PropertyEditor.h"

#include <cstdint>

#include "platform/core/classes/Component.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassRecord.h"
#include "platform/core/typinfo/TypInfo.h"
#include "platform/ide/ComponentEditor.h"

namespace dravik {

namespace {

[[noreturn]] void InvalidValue() {
  throw EPropertyError("Invalid property value");
}

// The form whose components a reference may name: the designer's, else the top owner.
TComponent& RootOf(TFormDesigner* designer, TComponent& component) {
  if (designer && designer->Root()) return *designer->Root();
  TComponent* root = &component;
  while (root->Owner() && root->Owner()->Owner()) root = root->Owner();
  return root->Owner() ? *root->Owner() : *root;
}

}  // namespace

const std::string& TPropertyEditor::GetName() const {
  return fProp->Name;
}

bool TPropertyEditor::IsReadOnly() {
  return (GetAttributes() & paReadOnly) != 0 || !fProp->CanWrite();
}

void TPropertyEditor::Modified() {
  if (fDesigner) fDesigner->Modified();
}

std::string TIntegerProperty::GetValue() {
  const TTypeInfo& type = *GetPropInfo().PropType;
  const int64_t value = GetOrdProp(*GetComponent(0), GetPropInfo());
  if (IsUnsignedInt64(type)) return std::to_string(static_cast<uint64_t>(value));
  return IntToStr(value);
}

void TIntegerProperty::SetValue(const std::string& value) {
  const TTypeInfo& type = *GetPropInfo().PropType;
  int64_t number = 0;
  if (!TryStrToInt64(Trim(value), number))
    throw EConvertError(Format("'%s' is not a valid integer value", {value}));
  if (type.Kind != tkInt64 && (number < type.MinValue || number > type.MaxValue))
    throw EPropertyError(Format("Value must be between %d and %d", {type.MinValue, type.MaxValue}));
  SetOrdProp(*GetComponent(0), GetPropInfo(), number);
  Modified();
}

std::string TCharProperty::GetValue() {
  const auto code = static_cast<uint8_t>(GetOrdProp(*GetComponent(0), GetPropInfo()));
  if (code > 32 && code < 127) return std::string(1, static_cast<char>(code));
  return "#" + IntToStr(code);
}

void TCharProperty::SetValue(const std::string& value) {
  int32_t code = 0;
  if (value.size() == 1) {
    code = static_cast<uint8_t>(value[0]);
  } else if (value.size() > 1 && value[0] == '#' && TryStrToInt(value.substr(1), code) &&
             code >= 0 && code <= 255) {
  } else {
    InvalidValue();
  }
  SetOrdProp(*GetComponent(0), GetPropInfo(), code);
  Modified();
}

std::string TEnumProperty::GetValue() {
  const int64_t value = GetOrdProp(*GetComponent(0), GetPropInfo());
  const std::string name = GetEnumName(*GetPropInfo().PropType, value);
  return name.empty() ? IntToStr(value) : name;
}

void TEnumProperty::SetValue(const std::string& value) {
  const int ordinal = GetEnumValue(*GetPropInfo().PropType, Trim(value));
  if (ordinal < 0) InvalidValue();
  SetOrdProp(*GetComponent(0), GetPropInfo(), ordinal);
  Modified();
}

void TEnumProperty::GetValues(const TGetStrProc& proc) {
  for (const std::string& name : GetPropInfo().PropType->EnumNames) proc(name);
}

std::string TFloatProperty::GetValue() {
  return FloatToStr(GetFloatProp(*GetComponent(0), GetPropInfo()));
}

void TFloatProperty::SetValue(const std::string& value) {
  SetFloatProp(*GetComponent(0), GetPropInfo(), StrToFloat(Trim(value)));
  Modified();
}

std::string TStringProperty::GetValue() {
  return GetStrProp(*GetComponent(0), GetPropInfo());
}

void TStringProperty::SetValue(const std::string& value) {
  SetStrProp(*GetComponent(0), GetPropInfo(), value);
  Modified();
}

std::string TSetProperty::GetValue() {
  const TTypeInfo& element = *GetPropInfo().PropType->CompType;
  const auto bits = static_cast<uint64_t>(GetOrdProp(*GetComponent(0), GetPropInfo()));
  std::string text = "[";
  for (int64_t value = element.MinValue; value <= element.MaxValue && value < 64; ++value) {
    if ((bits >> value & 1u) == 0) continue;
    if (text.size() > 1) text += ',';
    text += GetEnumName(element, value);
  }
  return text + "]";
}

void TSetProperty::SetValue(const std::string& value) {
  const TTypeInfo& element = *GetPropInfo().PropType->CompType;
  std::string_view text = TrimView(value);
  if (text.size() < 2 || text.front() != '[' || text.back() != ']') InvalidValue();
  text = text.substr(1, text.size() - 2);
  uint64_t bits = 0;
  while (!TrimView(text).empty()) {
    const std::size_t comma = text.find(',');
    const int ordinal = GetEnumValue(element, TrimView(text.substr(0, comma)));
    if (ordinal < 0 || ordinal >= 64) InvalidValue();
    bits |= uint64_t{1} << ordinal;
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
  }
  SetOrdProp(*GetComponent(0), GetPropInfo(), static_cast<int64_t>(bits));
  Modified();
}

std::string TClassProperty::GetValue() {
  const TObject* object = GetObjectProp(*GetComponent(0), GetPropInfo());
  const TClassRecord* type = GetPropInfo().PropType->ClassType;
  return "(" + (object ? object->ClassType().Name() : type ? type->Name() : std::string()) + ")";
}

TObject* TClassProperty::GetSubObject() {
  return GetObjectProp(*GetComponent(0), GetPropInfo());
}

std::string TComponentProperty::GetValue() {
  auto* target = dynamic_cast<TComponent*>(GetObjectProp(*GetComponent(0), GetPropInfo()));
  if (!target) return {};
  TComponent& root = RootOf(Designer(), *GetComponent(0));
  if (target == &root || target->Owner() == &root) return target->Name();
  return target->Owner() ? target->Owner()->Name() + "." + target->Name() : target->Name();
}

void TComponentProperty::SetValue(const std::string& value) {
  const std::string name = Trim(value);
  TComponent* target = nullptr;
  if (!name.empty()) {
    TComponent& root = RootOf(Designer(), *GetComponent(0));
    target = SameText(root.Name(), name) ? &root : root.FindComponent(name);
    const TClassRecord* type = GetPropInfo().PropType->ClassType;
    if (!target || (type && !target->ClassType().InheritsFrom(*type))) InvalidValue();
  }
  SetOrdProp(*GetComponent(0), GetPropInfo(),
             reinterpret_cast<intptr_t>(static_cast<TObject*>(target)));
  Modified();
}

void TComponentProperty::GetValues(const TGetStrProc& proc) {
  TComponent& root = RootOf(Designer(), *GetComponent(0));
  const TClassRecord* type = GetPropInfo().PropType->ClassType;
  for (int i = 0; i < root.ComponentCount(); ++i) {
    TComponent* each = root.Components(i);
    if (!each->Name().empty() && (!type || each->ClassType().InheritsFrom(*type)))
      proc(each->Name());
  }
}

std::string TMethodProperty::GetValue() {
  const TMethod method = GetMethodProp(*GetComponent(0), GetPropInfo());
  if (!method.Code || !method.Data) return {};
  return static_cast<TObject*>(method.Data)->ClassType().MethodName(method.Code);
}

void TMethodProperty::SetValue(const std::string& value) {
  const std::string name = Trim(value);
  TMethod method;
  if (!name.empty()) {
    TComponent& root = RootOf(Designer(), *GetComponent(0));
    const TClassRecord::TMethodEntry* entry = root.ClassType().FindMethod(name);
    if (!entry || entry->Signature != GetPropInfo().PropType->MethodSignature)
      throw EPropertyError(
          Format("%s has no method %s for %s", {root.ClassType().Name(), name, GetName()}));
    method = TMethod{entry->Code, static_cast<TObject*>(&root)};
  }
  SetMethodProp(*GetComponent(0), GetPropInfo(), method);
  Modified();
}

void TMethodProperty::GetValues(const TGetStrProc& proc) {
  TComponent& root = RootOf(Designer(), *GetComponent(0));
  const TMethodSignature wanted = GetPropInfo().PropType->MethodSignature;
  for (const TClassRecord* type = &root.ClassType(); type; type = type->Parent())
    for (const TClassRecord::TMethodEntry& entry : type->Methods())
      if (entry.Signature == wanted) proc(entry.Name);
}

std::string TVariantProperty::GetValue() {
  const Variant value = GetVariantProp(*GetComponent(0), GetPropInfo());
  return value.IsEmpty() ? std::string("Unassigned") : value.AsString();
}

void TVariantProperty::SetValue(const std::string& value) {
  SetVariantProp(*GetComponent(0), GetPropInfo(), Variant(value));
  Modified();
}

}  // namespace dravik
