#include "platform/core/filer/StandInClasses.h"

#include <algorithm>

#include "platform/core/classes/Collection.h"
#include "platform/core/classes/Component.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/StandIn.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

TTypeInfo OwnType(TTypeKind kind, const char* name) {
  TTypeInfo t;
  t.Kind = kind;
  t.Name = name;
  return t;
}

// Types of stand-in values that no compiled type has; kept out of the named types, whose names
// belong to the program's own declarations.
const TTypeInfo& WideStringType() {
  static const TTypeInfo type = OwnType(tkWString, "WideString");
  return type;
}
const TTypeInfo& ShortStringType() {
  static const TTypeInfo type = OwnType(tkString, "ShortString");
  return type;
}
const TTypeInfo& WideCharType() {
  static const TTypeInfo type = [] {
    TTypeInfo t = OwnType(tkWChar, "WideChar");
    t.OrdType = otUWord;
    t.MaxValue = 65535;
    return t;
  }();
  return type;
}
const TTypeInfo& BinaryType() {
  static const TTypeInfo type = OwnType(tkArray, "TBinaryData");
  return type;
}
const TTypeInfo& ListType() {
  static const TTypeInfo type = OwnType(tkArray, "TValueList");
  return type;
}
const TTypeInfo& EventType() {
  static const TTypeInfo type = OwnType(tkMethod, "TMethod");
  return type;
}

// The form-like class the top object of a stream descends from when its class is unknown.
const TClassRecord& FormClass() {
  static const TClassRecord& record = [&]() -> const TClassRecord& {
    static TClassRecord form("TCustomForm", "Forms", &TComponent::StaticClass());
    form.Seal();
    return form;
  }();
  return record;
}

bool StartsWithWord(std::string_view name, std::string_view word) {
  return name.size() > word.size() && SameText(name.substr(0, word.size()), word) &&
         name[word.size()] >= 'A' && name[word.size()] <= 'Z';
}

// OnClick, BeforePost, AfterOpen: names of events by the framework's convention.
bool IsEventName(std::string_view name) {
  return StartsWithWord(name, "On") || StartsWithWord(name, "Before") ||
         StartsWithWord(name, "After");
}

TStandInKind KindOfMarker(TValueType marker) {
  switch (marker) {
    case vaBinary:
      return TStandInKind::Binary;
    case vaList:
      return TStandInKind::List;
    case vaCollection:
      return TStandInKind::Collection;
    default:
      return TStandInKind::Value;
  }
}

bool IsComposite(TStandInKind kind) {
  return kind == TStandInKind::Object || kind == TStandInKind::Collection ||
         kind == TStandInKind::Strings;
}

TStandInValues& ValuesOf(TObject& object) {
  return dynamic_cast<TStandInHolder&>(object).StandInValues();
}

void InstallAccessors(TPropInfo& prop, const TStandInProp* info) {
  prop.Ordinal.Get = [info](TObject& o) { return ValuesOf(o).GetOrdinal(*info); };
  prop.Ordinal.Set = [info](TObject& o, int64_t v) { ValuesOf(o).SetOrdinal(*info, v); };
  prop.Float.Get = [info](TObject& o) { return ValuesOf(o).GetFloat(*info); };
  prop.Float.Set = [info](TObject& o, long double v) { ValuesOf(o).SetFloat(*info, v); };
  prop.String.Get = [info](TObject& o) { return ValuesOf(o).GetString(*info); };
  prop.String.Set = [info](TObject& o, std::string v) { ValuesOf(o).SetString(*info, v); };
  prop.VariantValue.Get = [info](TObject& o) { return ValuesOf(o).GetVariant(*info); };
  prop.VariantValue.Set = [info](TObject& o, Variant v) { ValuesOf(o).SetVariant(*info, v); };
  // An event keeps its handler's name; it has no code to call, so only nil is taken.
  prop.Method.Get = [](TObject&) { return TMethod{}; };
  prop.Method.Set = [info](TObject& o, TMethod m) {
    if (m.Code || m.Data) throw EPropertyError("A stand-in event takes no method");
    ValuesOf(o).SetString(*info, "");
  };
  prop.Stored = false;  // written by the stand-in as it was read
}

}  // namespace

TStandInClasses::TStandInClasses() = default;

TStandInClasses::~TStandInClasses() = default;

TClassRecord& TStandInClasses::MakeRecord(const std::string& name, const TClassRecord* parent) {
  auto& record = fRecords.emplace_back(std::make_unique<TClassRecord>(name, "", parent));
  record->Seal();
  return *record;
}

TClassRecord& TStandInClasses::ComponentClass(const std::string& name, bool root,
                                              const std::shared_ptr<TStandInClasses>& self) {
  if (auto found = fComponentClasses.find(name); found != fComponentClasses.end())
    return *found->second;
  TClassRecord& record = MakeRecord(name, root ? &FormClass() : &TComponent::StaticClass());
  TClassRecord* made = &record;
  std::weak_ptr<TStandInClasses> classes = self;
  record.SetComponentFactory([made, classes](TComponent* owner) -> TComponent* {
    return Create<TStandIn>(owner, *made, classes.lock());
  });
  fComponentClasses.emplace(name, &record);
  return record;
}

const TClassRecord* TStandInClasses::FindComponentClass(std::string_view name) const {
  auto found = fComponentClasses.find(name);
  return found == fComponentClasses.end() ? nullptr : found->second;
}

TStandInProp* TStandInClasses::Find(const TPropInfo* prop) const {
  auto found = fByProp.find(prop);
  return found == fByProp.end() ? nullptr : found->second;
}

TStandInProp* TStandInClasses::Add(TClassRecord& record, std::string_view name, TStandInKind kind,
                                   const TTypeInfo& type) {
  TPropInfo& prop = record.AddProperty(TPropInfo(std::string(name), type));
  TStandInProp& info = fProps.emplace_back();
  info.Prop = &prop;
  info.Kind = kind;
  if (auto owner = fRecordOwner.find(&record); owner != fRecordOwner.end())
    info.Parent = owner->second;
  InstallAccessors(prop, &info);
  if (kind == TStandInKind::Object) {
    info.Record = &MakeRecord(record.Name() + "." + prop.Name, &TPersistent::StaticClass());
    fRecordOwner.emplace(info.Record, &info);
    prop.PropType = &info.Record->TypeInfo();
  } else if (kind == TStandInKind::Collection) {
    info.Record = &MakeRecord(record.Name() + "." + prop.Name, &TCollectionItem::StaticClass());
    info.Record->SetItemFactory(
        [](TCollection* collection) -> TCollectionItem* { return new TStandInItem(collection); });
    prop.PropType = &TCollection::StaticClass().TypeInfo();
  } else if (kind == TStandInKind::Strings) {
    prop.PropType = &TStringList::StaticClass().TypeInfo();
  }
  fByProp.emplace(&prop, &info);
  record.Seal();
  return &info;
}

TTypeInfo& TStandInClasses::MakeEnumType(const std::string& name) {
  TTypeInfo& type = fTypes.emplace_back();
  type.Kind = tkEnumeration;
  type.Name = name;
  type.OrdType = otUByte;
  type.EnumNames = {""};
  return type;
}

TTypeInfo& TStandInClasses::MakeSetType(const std::string& name) {
  TTypeInfo& element = fTypes.emplace_back();
  element.Kind = tkEnumeration;
  element.Name = name + "Element";
  element.OrdType = otUByte;
  element.MaxValue = -1;
  TTypeInfo& type = fTypes.emplace_back();
  type.Kind = tkSet;
  type.Name = name;
  type.OrdType = otULong;
  type.CompType = &element;
  return type;
}

TStandInProp* TStandInClasses::ValueProperty(TClassRecord& record, std::string_view name,
                                             TValueType marker) {
  const TStandInKind kind = KindOfMarker(marker);
  if (TStandInProp* known = Find(record.FindProp(name)))
    return IsComposite(known->Kind) != IsComposite(kind) ? nullptr : known;
  switch (kind) {
    case TStandInKind::Binary:
      return Add(record, name, kind, BinaryType());
    case TStandInKind::List:
      return Add(record, name, kind, ListType());
    case TStandInKind::Collection:
      return Add(record, name, kind, TCollection::StaticClass().TypeInfo());
    default:
      break;
  }
  if ((marker == vaIdent || marker == vaNil) && IsEventName(name))
    return Add(record, name, TStandInKind::Event, EventType());
  switch (marker) {
    case vaInt8:
    case vaInt16:
    case vaInt32:
      return Add(record, name, kind, TypeInfo<int32_t>());
    case vaInt64:
      return Add(record, name, kind, TypeInfo<int64_t>());
    case vaQWord:
      return Add(record, name, kind, TypeInfo<uint64_t>());
    case vaExtended:
      return Add(record, name, kind, TypeInfo<long double>());
    case vaSingle:
      return Add(record, name, kind, TypeInfo<float>());
    case vaDate:
      return Add(record, name, kind, TypeInfo<TDateTime>());
    case vaCurrency:
      return Add(record, name, kind, TypeInfo<TCurrency>());
    case vaWString:
    case vaUString:
      return Add(record, name, kind, WideStringType());
    case vaFalse:
    case vaTrue:
      return Add(record, name, kind, TypeInfo<bool>());
    case vaNull:
      return Add(record, name, kind, TypeInfo<Variant>());
    case vaNil:
      return Add(record, name, TStandInKind::Reference, TComponent::StaticClass().TypeInfo());
    case vaIdent: {
      TStandInProp* prop = Add(record, name, kind, TypeInfo<int32_t>());
      prop->Type = &MakeEnumType(record.Name() + "." + prop->Prop->Name);
      prop->Prop->PropType = prop->Type;
      fIdentProps.push_back(prop);
      return prop;
    }
    case vaSet: {
      TStandInProp* prop = Add(record, name, kind, TypeInfo<int32_t>());
      prop->Type = &MakeSetType(record.Name() + "." + prop->Prop->Name);
      prop->Prop->PropType = prop->Type;
      return prop;
    }
    default:
      return Add(record, name, kind, TypeInfo<std::string>());
  }
}

TStandInProp* TStandInClasses::Property(TClassRecord& record, std::string_view name,
                                        TStandInKind kind) {
  if (TStandInProp* known = Find(record.FindProp(name)))
    return known->Kind == kind ? known : nullptr;
  const TTypeInfo& type = kind == TStandInKind::Strings ? TStringList::StaticClass().TypeInfo()
                                                        : TCollection::StaticClass().TypeInfo();
  return Add(record, name, kind, type);
}

void TStandInClasses::SetType(TStandInProp& prop, TTypeKind kind) {
  TPropInfo& info = *prop.Prop;
  switch (kind) {
    case tkInteger:
      info.PropType = &TypeInfo<int32_t>();
      break;
    case tkInt64:
      info.PropType = &TypeInfo<int64_t>();
      break;
    case tkChar:
      info.PropType = &TypeInfo<char>();
      break;
    case tkWChar:
      info.PropType = &WideCharType();
      break;
    case tkFloat:
      if (info.Kind() != tkFloat) info.PropType = &TypeInfo<long double>();
      break;
    case tkString:
      info.PropType = &ShortStringType();
      break;
    case tkLString:
      info.PropType = &TypeInfo<std::string>();
      break;
    case tkWString:
      info.PropType = &WideStringType();
      break;
    case tkVariant:
      info.PropType = &TypeInfo<Variant>();
      break;
    case tkEnumeration:
      if (info.PropType != &TypeInfo<bool>()) {
        if (!prop.Type || prop.Type->Kind != tkEnumeration)
          prop.Type = &MakeEnumType(prop.Prop->Name);
        info.PropType = prop.Type;
      }
      break;
    case tkSet:
      if (!prop.Type || prop.Type->Kind != tkSet) prop.Type = &MakeSetType(prop.Prop->Name);
      info.PropType = prop.Type;
      break;
    case tkMethod:
      prop.Kind = TStandInKind::Event;
      info.PropType = &EventType();
      break;
    default:
      break;
  }
}

TStandInProp* TStandInClasses::DescribeProperty(TClassRecord& record, std::string_view name,
                                                TTypeKind kind) {
  static constexpr TTypeKind kDescribable[] = {tkInteger, tkInt64,  tkChar,        tkWChar,
                                               tkFloat,   tkString, tkLString,     tkWString,
                                               tkVariant, tkSet,    tkEnumeration, tkMethod};
  if (std::find(std::begin(kDescribable), std::end(kDescribable), kind) == std::end(kDescribable))
    return nullptr;
  const TPropInfo* found = record.FindProp(name);
  TStandInProp* prop = Find(found);
  if (found && !prop && found->Kind() == kind) return nullptr;  // a compiled class's: binds as is
  if (prop && prop->Prop->Kind() == kind) {
    prop->Confirmed = true;
    return prop;
  }
  if (prop && (prop->Confirmed || prop->Kind != TStandInKind::Value)) return nullptr;
  if (!prop) prop = Add(record, name, TStandInKind::Value, TypeInfo<std::string>());
  SetType(*prop, kind);
  prop->Confirmed = true;
  return prop->Prop->Kind() == kind ? prop : nullptr;
}

int64_t TStandInClasses::EnumIndex(TTypeInfo& type, std::string_view ident) {
  // The names are indexed as they come, the first of equal names winning as in GetEnumValue.
  TEnumIndex& index = fEnumIndex[&type];
  for (; index.Indexed < type.EnumNames.size(); ++index.Indexed)
    index.Names.emplace(type.EnumNames[index.Indexed],
                        type.MinValue + static_cast<int64_t>(index.Indexed));
  if (auto known = index.Names.find(ident); known != index.Names.end()) return known->second;
  for (const auto& [alias, value] : type.EnumAliases)
    if (SameText(alias, ident)) return value;
  type.EnumNames.emplace_back(ident);
  type.MaxValue = static_cast<int64_t>(type.EnumNames.size()) - 1;
  if (type.EnumNames.size() > 256) type.OrdType = otUWord;
  return type.MaxValue;
}

void TStandInClasses::LearnIdentifier(TStandInProp& prop, std::string_view ident) {
  if (!prop.Type || ident.empty()) return;
  TTypeInfo& type =
      prop.Type->Kind == tkSet ? const_cast<TTypeInfo&>(*prop.Type->CompType) : *prop.Type;
  EnumIndex(type, ident);
}

void TStandInClasses::ResolveIdentifiers(TComponent& root) {
  for (TStandInProp* prop : fIdentProps) {
    if (prop->Kind != TStandInKind::Value || !prop->Type) continue;
    const auto& names = prop->Type->EnumNames;
    bool references = names.size() > 1;
    for (std::size_t i = 1; i < names.size() && references; ++i)
      references = FindNestedComponent(&root, names[i]) != nullptr;
    if (!references) continue;
    prop->Kind = TStandInKind::Reference;
    prop->Prop->PropType = &TComponent::StaticClass().TypeInfo();
  }
  fIdentProps.clear();
}

}  // namespace dravik
