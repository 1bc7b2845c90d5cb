#include "model/ComponentExplorerTools.h"

#include <algorithm>
#include <typeinfo>
#include <utility>

#include "model/ClassInfo.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {

const TMainEntrySubType kPublished{stPubPropObject};
const TMainEntrySubType kStrings{stTStringsObject};
const TMainEntrySubType kCollectionItem{stPubPropObject, stCollectionObject};

bool IsPropertyOf(const TPropInfo& prop, const TClassRecord& type) {
  const auto& props = type.Props();
  const auto index = static_cast<std::size_t>(prop.NameIndex);
  return index < props.size() && props[index] == &prop;
}

bool IsStringKind(TTypeKind kind) {
  return kind == tkString || kind == tkLString || kind == tkWString;
}

void SetString(TObject& object, const TPropInfo& prop, const Variant& value) {
  if (const std::string* text = value.StringValue()) {
    SetStrProp(object, prop, *text);
  } else {
    SetStrProp(object, prop, value.AsString());
  }
}

}  // namespace

const TTypeInfo& TypeInfoFor(TMainEntrySubTypeFlag) {
  static const TTypeInfo& info =
      MakeEnumType("TMainEntrySubTypeFlag",
                   {"stPubPropObject", "stCollectionObject", "stTStringsObject", "stNoValidate"});
  return info;
}

// --- TBaseEntry --------------------------------------------------------------------------------

const TClassRecord& TBaseEntry::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TBaseEntry, TCollectionItem>("TBaseEntry", "ComponentExplorerTools")
          .Property("Name", &TBaseEntry::Name)
          .Build();
  return record;
}

bool TBaseEntry::GetItemIndex(int& index) const {
  index = -1;
  if (Name.size() <= 2 || Name.back() != ']') return false;
  std::size_t open = Name.rfind('[');
  if (open == std::string::npos || open + 2 > Name.size() - 1) return false;
  int value = 0;
  for (std::size_t i = open + 1; i + 1 < Name.size(); ++i) {
    char c = Name[i];
    if (c < '0' || c > '9' || value > 100000000) return false;
    value = value * 10 + (c - '0');
  }
  index = value;
  return true;
}

TBaseEntry* TBaseEntry::CopyItem(TMainEntries* destination, bool deep) {
  if (!destination) return nullptr;
  // The entries above this one, nearest first.
  std::vector<TMainEntry*> ancestors;
  for (TPersistent* p = GetParentObject(); p;) {
    auto* collection = dynamic_cast<TBaseEntries*>(p);
    if (!collection) return nullptr;
    TMainEntry* owner = collection->GetParentObject();
    if (!owner) break;
    ancestors.push_back(owner);
    p = owner->GetParentObject();
  }
  auto* self = dynamic_cast<TPropertyEntry*>(this);
  if (self && ancestors.empty()) return nullptr;
  // The same path in the destination, built where it is missing.
  TMainEntries* level = destination;
  TMainEntry* deepest = nullptr;
  for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
    TMainEntry* found = level->FindItem(**it);
    if (!found) {
      found = static_cast<TMainEntry*>(level->Add());
      found->AssignThis(**it);
    }
    deepest = found;
    level = found->Items();
  }
  if (self) {
    auto* copy = static_cast<TPropertyEntry*>(deepest->Props()->Add(ClassType()));
    copy->Assign(self);
    return copy;
  }
  auto& main = static_cast<TMainEntry&>(*this);
  TMainEntry* copy = level->FindItem(main);
  if (!copy) copy = static_cast<TMainEntry*>(level->Add());
  if (deep) {
    copy->Assign(&main);
  } else {
    copy->AssignThis(main);
  }
  return copy;
}

TBaseEntry* TBaseEntry::MoveItem(TMainEntries* destination, bool deep) {
  TBaseEntry* copy = CopyItem(destination, deep);
  if (copy) Free();
  return copy;
}

// --- TBaseEntries ------------------------------------------------------------------------------

const TClassRecord& TBaseEntries::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TBaseEntries, TCollection>("TBaseEntries", "ComponentExplorerTools").Build();
  return record;
}

void TBaseEntries::Assign(const TPersistent* source) {
  TCollection::Assign(source);
  if (OnAssign) OnAssign(this, source);
}

// --- TMainEntry --------------------------------------------------------------------------------

const TClassRecord& TMainEntry::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TMainEntry, TBaseEntry>("TMainEntry", "ComponentExplorerTools")
          .Property("Items", &TMainEntry::Items, &TMainEntry::SetItems)
          .Property("Props", &TMainEntry::Props, &TMainEntry::SetProps)
          .Property("SubType", &TMainEntry::SubType, &TMainEntry::SetSubType)
          .Build();
  return record;
}

TMainEntry::TMainEntry(TCollection* collection) : TBaseEntry(collection) {
  auto* entries = dynamic_cast<TMainEntries*>(collection);
  const TClassRecord* propClass = entries ? entries->PropEntryClass() : nullptr;
  fProps = std::make_unique<TPropertyEntries>(this, propClass);
  fItems = std::make_unique<TMainEntries>(this, propClass);
  if (entries) fItems->SetAssignMode(entries->AssignMode());
}

TMainEntry::~TMainEntry() = default;

TMainEntry* TMainEntry::CreateEx(TMainEntries* collection, TObject* object, const std::string& name,
                                 const std::string& typeName, TMainEntrySubType subType) {
  auto* entry = static_cast<TMainEntry*>(collection->Add());
  TMainEntry fields(nullptr);
  fields.fObject = object;
  fields.Name = name;
  fields.TypeName = typeName;
  fields.fSubType = subType;
  entry->AssignThis(fields);
  return entry;
}

void TMainEntry::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TMainEntry*>(source);
  if (!other) {
    TBaseEntry::Assign(source);
    return;
  }
  AssignThis(*other);
  fProps->Assign(other->fProps.get());
  fItems->Assign(other->fItems.get());
}

void TMainEntry::AssignThis(const TMainEntry& source) {
  fObject = source.fObject;
  Name = source.Name;
  TypeName = source.TypeName;
  fSubType = source.fSubType;
}

bool TMainEntry::Compare(const TMainEntry& other) const {
  return fObject == other.fObject && fSubType == other.fSubType && SameText(Name, other.Name);
}

TPersistent* TMainEntry::GetParentObject() const {
  return Collection();
}

TMainEntries* TMainEntry::GetParent() const {
  return dynamic_cast<TMainEntries*>(Collection());
}

void TMainEntry::SetItems(TMainEntries* items) {
  fItems->Assign(items);
}

void TMainEntry::SetProps(TPropertyEntries* props) {
  fProps->Assign(props);
}

bool TMainEntry::ForEachPropertyEntry(const TPropertyEntryProc& callback) {
  bool stop = false;
  for (int i = fProps->Count() - 1; i >= 0; --i) {
    callback(this, fProps->Items(i), stop);
    if (stop) return false;
  }
  return fItems->ForEachPropertyEntry(callback);
}

void TMainEntry::MoveSubItemsToStrings(bool namesOnly, TStrings& list, const std::string& prefix) {
  for (int i = 0; i < fProps->Count(); ++i) {
    TPropertyEntry* prop = fProps->Items(i);
    list.AddObject(namesOnly ? prefix + prop->Name : prop->GetDescriptor(prefix), prop);
  }
  for (int i = 0; i < fItems->Count(); ++i) {
    TMainEntry* child = fItems->Items(i);
    child->MoveSubItemsToStrings(namesOnly, list, prefix + child->Name + ".");
  }
}

void TMainEntry::RefreshProps() {
  if (fProps->Count() > 0 || fItems->Count() > 0) {
    const bool bind =
        fSubType.Contains(stPubPropObject) && fObject && fObject->ClassType().ClassInfo();
    if (!bind)
      for (int i = 0; i < fProps->Count(); ++i) fProps->Items(i)->PropInfo = nullptr;
    for (int i = 0; i < fItems->Count(); ++i) {
      TMainEntry* child = fItems->Items(i);
      if (!child->fSubType.Contains(stNoValidate)) {
        child->fObject = nullptr;
      } else if (child->fSubType.Contains(stTStringsObject)) {
        for (int j = 0; j < child->fProps->Count(); ++j)
          if (child->fProps->Items(j)->TypeName.empty())
            child->fProps->Items(j)->TypeName = "String";
      }
    }
    if (bind) BindProperties();
  }
  fItems->RefreshProps();
}

// Binds property entries and children to the object's properties. Each property binds the first
// entry that matches it, as a walk over the property list would, but every lookup goes by name
// through the class's index, so the cost does not grow with the size of the class.
void TMainEntry::BindProperties() {
  const TClassRecord& type = fObject->ClassType();
  for (int i = 0; i < fProps->Count(); ++i) {
    TPropertyEntry* entry = fProps->Items(i);
    // A binding that still names a property of this class is what the lookup would find again.
    const TPropInfo* prop = std::exchange(entry->PropInfo, nullptr);
    if (!prop || !IsPropertyOf(*prop, type) || !SameText(prop->Name, entry->Name))
      prop = type.FindProp(entry->Name);
    if (!prop || !prop->PropType || prop->Kind() != entry->Kind) continue;
    bool taken = false;
    for (int j = 0; j < i && !taken; ++j) taken = fProps->Items(j)->PropInfo == prop;
    if (taken) continue;
    entry->PropInfo = prop;
    entry->TypeName = prop->PropType->Name;
  }
  for (int i = 0; i < fItems->Count(); ++i) {
    TMainEntry* child = fItems->Items(i);
    if (child->fSubType.Contains(stNoValidate)) continue;
    std::string_view name = child->Name;
    if (child->fSubType == kCollectionItem) name = name.substr(0, name.find('['));
    const TPropInfo* prop = type.FindProp(name);
    if (!prop || !prop->PropType || prop->Kind() != tkClass || !prop->CanRead()) continue;
    if (!SearchReaches(i, prop->Name)) continue;
    BindChild(*child, GetObjectProp(*fObject, *prop));
  }
}

// Whether the search for the property's object gets to child number index: the first
// sub-object or string-list child of that name ends it.
bool TMainEntry::SearchReaches(int index, std::string_view propName) const {
  for (int j = 0; j < index; ++j) {
    TMainEntry* earlier = fItems->Items(j);
    if ((earlier->fSubType == kPublished || earlier->fSubType == kStrings) &&
        SameText(earlier->Name, propName))
      return false;
  }
  return true;
}

void TMainEntry::BindChild(TMainEntry& child, TObject* value) {
  if (child.fSubType == kPublished) {
    child.fObject = value;
  } else if (child.fSubType == kStrings) {
    auto* lines = dynamic_cast<TStrings*>(value);
    if (!lines) return;
    child.fObject = lines;
    for (int j = 0; j < child.fProps->Count(); ++j) {
      TPropertyEntry* line = child.fProps->Items(j);
      int index;
      if (line->GetItemIndex(index) && index < lines->Count()) {
        line->TypeName = "String";
      } else {
        // No longer a line of the list: validation drops it.
        std::size_t open = line->Name.find('['), close = line->Name.find(']');
        if (open != std::string::npos) line->Name[open] = '/';
        if (close != std::string::npos) line->Name[close] = '/';
      }
    }
  } else if (child.fSubType == kCollectionItem) {
    int index;
    auto* collection = dynamic_cast<TCollection*>(value);
    if (child.GetItemIndex(index) && collection && collection->Count() > index)
      child.fObject = collection->Items(index);
  }
}

// --- TComponentEntry ---------------------------------------------------------------------------

const TClassRecord& TComponentEntry::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TComponentEntry, TMainEntry>("TComponentEntry", "ComponentExplorerTools")
          .Property("Name", &TComponentEntry::Name)
          .NotStored()
          .Property("Ref", &TComponentEntry::Ref, &TComponentEntry::SetRef)
          .Build();
  return record;
}

TComponentEntry::TComponentEntry(TCollection* collection)
    : TMainEntry(collection), fController(nullptr) {
  if (auto* entries = dynamic_cast<TComponentEntries*>(collection))
    fController = entries->Controller();
}

TComponentEntry::~TComponentEntry() {
  if (fController) fController->Refer(Ref(), nullptr);
}

void TComponentEntry::SetRef(TComponent* component) {
  if (fController) fController->Refer(Ref(), component);
  SetObject(component);
}

void TComponentEntry::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TMainEntry*>(source);
  if (other && other->Object() && !dynamic_cast<TComponent*>(other->Object()))
    throw Exception(ClassName() + ".Assign failed. Type of Ref is not TComponent");
  TMainEntry::Assign(source);
  if (other && other->Object()) SetRef(static_cast<TComponent*>(other->Object()));
}

void TComponentEntry::AssignThis(const TMainEntry& source) {
  if (source.Object() && !dynamic_cast<TComponent*>(source.Object()))
    throw Exception(ClassName() + ".Assign failed. Type of Ref is not TComponent");
  TComponent* previous = Ref();
  TMainEntry::AssignThis(source);
  SetObject(previous);  // the reference changes through SetRef only, which the controller counts
  SetRef(static_cast<TComponent*>(source.Object()));
}

void TComponentEntry::RefreshProps() {
  if (TComponent* component = Ref()) {
    Name = component->Name();
    TypeName = component->ClassName();
  }
  TMainEntry::RefreshProps();
}

// --- TPropertyEntry ----------------------------------------------------------------------------

const TClassRecord& TPropertyEntry::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TPropertyEntry, TBaseEntry>("TPropertyEntry", "ComponentExplorerTools")
          .Property("Kind", &TPropertyEntry::Kind)
          .Property("Index", &TPropertyEntry::Index)
          .Stored(&TPropertyEntry::GetIndexStored)
          .Build();
  return record;
}

TPropertyEntry* TPropertyEntry::CreateEx(TMainEntry* entry, const std::string& name, TTypeKind kind,
                                         const std::string& typeName) {
  auto* prop = static_cast<TPropertyEntry*>(entry->Props()->Add());
  prop->Name = name;
  prop->Kind = kind;
  prop->TypeName = typeName;
  return prop;
}

TPropertyEntry* TPropertyEntry::CreateByRef(TMainEntry* entry, const TPropInfo* info) {
  TPropertyEntry* prop = CreateEx(entry, info->Name, info->Kind(), info->PropType->Name);
  prop->PropInfo = info;
  return prop;
}

void TPropertyEntry::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TPropertyEntry*>(source);
  if (!other) {
    TBaseEntry::Assign(source);
    return;
  }
  PropInfo = other->PropInfo;
  Name = other->Name;
  TypeName = other->TypeName;
  Kind = other->Kind;
  Index = other->Index;
}

bool TPropertyEntry::Compare(const TPropertyEntry& other) const {
  return PropInfo == other.PropInfo && Kind == other.Kind && SameText(Name, other.Name);
}

TPersistent* TPropertyEntry::GetParentObject() const {
  return Collection();
}

TPropertyEntries* TPropertyEntry::GetParent() const {
  // Every value access asks; the exact class is checked first, as a cast costs more.
  TCollection* collection = Collection();
  if (collection && typeid(*collection) == typeid(TPropertyEntries))
    return static_cast<TPropertyEntries*>(collection);
  return dynamic_cast<TPropertyEntries*>(collection);
}

TMainEntry* TPropertyEntry::ParentEntry() const {
  TPropertyEntries* parent = GetParent();
  return parent ? parent->GetParentObject() : nullptr;
}

std::string TPropertyEntry::GetDescriptor(const std::string& prefix) const {
  if (Index >= 0) return prefix + Name + "[" + IntToStr(Index) + "]: " + TypeName;
  return prefix + Name + ": " + TypeName;
}

TObject* TPropertyEntry::BoundObject() const {
  TMainEntry* entry = ParentEntry();
  if (!entry || !entry->Object() || !entry->SubType().Contains(stPubPropObject) || !PropInfo)
    return nullptr;
  return entry->Object();
}

bool TPropertyEntry::GetClassInfo(std::unique_ptr<TClassInfo>& info) const {
  TObject* object = BoundObject();
  if (!object) return false;
  info = std::make_unique<TClassInfo>(object, PropInfo);
  return true;
}

TStrings* TPropertyEntry::Lines() const {
  TMainEntry* entry = ParentEntry();
  if (!entry || !entry->Object() || entry->SubType().Contains(stPubPropObject) ||
      !entry->SubType().Contains(stTStringsObject))
    return nullptr;
  return dynamic_cast<TStrings*>(entry->Object());
}

int TPropertyEntry::LineNumber() const {
  int index = Index;
  if (index < 0) GetItemIndex(index);
  return index;
}

// Strings, the values a language switch exchanges most, go straight to the property's accessors
// without a copy on the way; every other kind takes TClassInfo's conversions.
Variant TPropertyEntry::GetValue() const {
  if (TObject* object = BoundObject()) {
    if (IsStringKind(PropInfo->Kind()) && PropInfo->String.Get)
      return Variant(GetStrProp(*object, *PropInfo));
    return TClassInfo(object, PropInfo).GetValue();
  }
  if (TStrings* lines = Lines()) {
    int line = LineNumber();
    if (line >= 0 && line < lines->Count()) return Variant(lines->Strings(line));
  }
  return Variant::Null();
}

void TPropertyEntry::SetValue(const Variant& value) {
  if (TObject* object = BoundObject()) {
    if (IsStringKind(PropInfo->Kind()) && PropInfo->String.Set) {
      SetString(*object, *PropInfo, value);
      return;
    }
    TClassInfo(object, PropInfo).SetValue(value);
    return;
  }
  if (TStrings* lines = Lines()) {
    int line = LineNumber();
    if (line >= 0 && line < lines->Count()) lines->Put(line, value.AsString());
  }
}

Variant TPropertyEntry::ExchangeValue(const Variant& value) {
  TObject* object = BoundObject();
  if (!object) {
    Variant former = GetValue();
    SetValue(value);
    return former;
  }
  if (IsStringKind(PropInfo->Kind()) && PropInfo->String.Get && PropInfo->String.Set) {
    Variant former(GetStrProp(*object, *PropInfo));
    SetString(*object, *PropInfo, value);
    return former;
  }
  TClassInfo info(object, PropInfo);
  Variant former = info.GetValue();
  info.SetValue(value);
  return former;
}

std::string TPropertyEntry::GetTypDef() const {
  std::unique_ptr<TClassInfo> info;
  return GetClassInfo(info) ? info->TypDef() : "";
}

// --- TMainEntries ------------------------------------------------------------------------------

const TClassRecord& TMainEntries::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TMainEntries, TBaseEntries>("TMainEntries", "ComponentExplorerTools").Build();
  return record;
}

TMainEntries::TMainEntries(TPersistent* owner, const TClassRecord* propEntryClass)
    : TMainEntries(TMainEntry::StaticClass(), owner, propEntryClass) {}

TMainEntries::TMainEntries(const TClassRecord& itemClass, TPersistent* owner,
                           const TClassRecord* propEntryClass)
    : TBaseEntries(itemClass, owner), fPropEntryClass(propEntryClass) {}

void TMainEntries::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TMainEntries*>(source); other && fAssignMode)
    fPropEntryClass = other->fPropEntryClass;
  TBaseEntries::Assign(source);
}

TMainEntry* TMainEntries::GetParentObject() const {
  return dynamic_cast<TMainEntry*>(GetOwner());
}

TMainEntry* TMainEntries::FindItem(const TMainEntry& entry) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Compare(entry)) return Items(i);
  return nullptr;
}

int TMainEntries::IndexOfName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->Name, name)) return i;
  return -1;
}

bool TMainEntries::ForEachPropertyEntry(const TMainEntry::TPropertyEntryProc& callback) {
  for (int i = Count() - 1; i >= 0; --i)
    if (!Items(i)->ForEachPropertyEntry(callback)) return false;
  return true;
}

void TMainEntries::MoveSubItemsToStrings(bool namesOnly, TStrings& list,
                                         const std::string& prefix) {
  for (int i = 0; i < Count(); ++i) Items(i)->MoveSubItemsToStrings(namesOnly, list, prefix);
}

void TMainEntries::RefreshProps() {
  for (int i = Count() - 1; i >= 0; --i) Items(i)->RefreshProps();
}

void TMainEntries::ValidateAndPack() {
  for (int i = Count() - 1; i >= 0; --i) {
    TMainEntry* item = Items(i);
    item->Items()->ValidateAndPack();
    if (item->SubType().Contains(stPubPropObject)) {
      item->Props()->ValidatePublishedProperties();
    } else if (item->SubType().Contains(stTStringsObject)) {
      item->Props()->ValidateTStrings();
    }
    if (item->Props()->Count() == 0 && item->Items()->Count() == 0) item->Free();
  }
}

void TMainEntries::Init() {
  RefreshProps();
  ValidateAndPack();
}

void TMainEntries::RemoveEqualPropertyEntries(const TMainEntries& other) {
  for (int i = Count() - 1; i >= 0; --i) {
    TMainEntry* item = Items(i);
    TMainEntry* match = other.FindItem(*item);
    if (!match) continue;
    TPropertyEntries* props = item->Props();
    for (int j = props->Count() - 1; j >= 0; --j)
      if (match->Props()->FindItem(*props->Items(j))) props->Items(j)->Free();
    item->Items()->RemoveEqualPropertyEntries(*match->Items());
  }
}

// --- TComponentEntries, TInternalController ----------------------------------------------------

const TClassRecord& TComponentEntries::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TComponentEntries, TMainEntries>("TComponentEntries", "ComponentExplorerTools")
          .Build();
  return record;
}

TComponentEntries::TComponentEntries(TPersistent* owner, const TClassRecord* propEntryClass)
    : TMainEntries(TComponentEntry::StaticClass(), owner, propEntryClass),
      fController(MakeComponent<TInternalController>(this)) {}

TComponentEntries::~TComponentEntries() {
  Clear();  // the entries refer to the controller
  fController.reset();
}

void TInternalController::Refer(TComponent* from, TComponent* to) {
  if (from == to) return;
  // The link stays: dropping it would search this long list each time an entry goes.
  if (auto it = fReferences.find(from); it != fReferences.end() && --it->second == 0)
    fReferences.erase(it);
  if (to && ++fReferences[to] == 1) to->FreeNotification(this);
}

void TInternalController::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  auto it = fReferences.find(component);
  if (it == fReferences.end()) return;
  int left = it->second;
  fReferences.erase(it);  // the entries deleted below find nothing left to count
  // From the end: components usually go in the reverse order of their entries.
  for (int i = fEntries->Count() - 1; i >= 0 && left > 0; --i) {
    auto* entry = dynamic_cast<TComponentEntry*>(fEntries->Items(i));
    if (entry && entry->Object() == component) {
      --left;
      entry->Free();
    }
  }
}

// --- TPropertyEntries --------------------------------------------------------------------------

const TClassRecord& TPropertyEntries::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TPropertyEntries, TBaseEntries>("TPropertyEntries", "ComponentExplorerTools")
          .Build();
  return record;
}

TPropertyEntries::TPropertyEntries(TMainEntry* owner, const TClassRecord* itemClass)
    : TBaseEntries(itemClass ? *itemClass : TPropertyEntry::StaticClass(), owner), fOwner(owner) {}

TPropertyEntry* TPropertyEntries::FindItem(const TPropertyEntry& entry) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Compare(entry)) return Items(i);
  return nullptr;
}

int TPropertyEntries::IndexOfProp(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->Name, name)) return i;
  return -1;
}

void TPropertyEntries::ValidatePublishedProperties() {
  for (int i = Count() - 1; i >= 0; --i)
    if (!Items(i)->PropInfo) Items(i)->Free();
}

void TPropertyEntries::ValidateTStrings() {
  for (int i = Count() - 1; i >= 0; --i) {
    TPropertyEntry* entry = Items(i);
    int index;
    if (entry->PropInfo || (entry->Index < 0 && !entry->GetItemIndex(index))) entry->Free();
  }
}

}  // namespace dravik
