#include "platform/core/filer/Reader.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/core/classes/Collection.h"
#include "platform/core/classes/Component.h"
#include "platform/core/classes/ScopeExit.h"
#include "platform/core/classes/UpdateScope.h"
#include "platform/core/filer/BinaryObjectReader.h"
#include "platform/core/filer/KeptStreamData.h"
#include "platform/core/filer/StandIn.h"
#include "platform/core/filer/StandInEncoding.h"
#include "platform/core/filer/StreamFormatEncoding.h"
#include "platform/core/streams/MemoryStream.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/TypInfo.h"

namespace dravik {

namespace {

bool IsIntegerMarker(TValueType type) {
  return type == vaInt8 || type == vaInt16 || type == vaInt32 || type == vaInt64;
}

// Counts nesting of components and collections, so hostile input cannot exhaust the stack.
auto Nest(int& depth) {
  if (depth >= kMaxNestingDepth)
    throw EReadError("Components or collections are nested too deeply");
  ++depth;
  return TScopeExit([&depth] { --depth; });
}

bool IsComponentReference(const TPropInfo& prop) {
  const TClassRecord* type = prop.PropType->ClassType;
  return type && type->InheritsFrom(TComponent::StaticClass());
}

std::string InstanceName(TPersistent& instance) {
  if (auto* c = dynamic_cast<TComponent*>(&instance); c && !c->Name().empty()) return c->Name();
  return instance.GetNamePath();
}

}  // namespace

// Thrown while the property's value is still unread, so that it can be skipped.
struct TReader::TUnknownProperty {};
// Thrown with stand-ins for a value read that the instance cannot take: it is kept as it was.
struct TReader::TKeepValue {
  std::string Value;
};

TReader::TReader(TStream& stream) : fDriver(std::make_unique<TBinaryObjectReader>(stream)) {}

TReader::~TReader() = default;

TComponent* TReader::ReadRootComponent(TComponent* root) {
  fDriver->ReadSignature();
  TComponentHeader header = fDriver->BeginComponent();
  TComponentPtr<TComponent> created;
  if (!root) {
    const TClassRecord& record = FindComponentClass(header.ClassName, true);
    created.reset(record.ComponentFactory()(nullptr));
    root = created.get();
  }
  if (fStandIns && !header.Prefix.empty()) root->KeepStreamData().Prefix = header.Prefix;
  fRoot = root;
  fOwner = root;
  fLookupRoot = nullptr;
  fLoaded.clear();
  fCreated.clear();
  fFixups.clear();
  fFixupsWithin.clear();
  fLoaded.push_back(root);
  try {
    root->Include(csLoading);
    root->Include(csReading);
    if (!root->IsDesigning() || created) root->SetName(header.Name);
    root->ReadState(*this);
    root->Exclude(csReading);
    FixupReferences();
    if (fStandIns) fStandIns->ResolveIdentifiers(*root);
  } catch (...) {
    // The components this read created go again, the last first (owned ones before their
    // owners); those that were there before leave the loading state.
    for (auto it = fCreated.rbegin(); it != fCreated.rend(); ++it) {
      fLoaded.erase(std::remove(fLoaded.begin(), fLoaded.end(), *it), fLoaded.end());
      (*it)->Free();
    }
    fCreated.clear();
    for (TComponent* c : fLoaded) {
      c->Exclude(csReading);
      c->Exclude(csLoading);
    }
    throw;
  }
  for (TComponent* c : fLoaded) c->Loaded();
  fDriver->FlushBuffer();
  created.release();
  return root;
}

TComponent* TReader::ReadComponent(TComponent* component) {
  auto nesting = Nest(fDepth);
  TComponentHeader header = fDriver->BeginComponent();
  TComponentPtr<TComponent> created;
  TComponent* owner = fOwner;
  if (!component && (header.Flags & ffInherited) && fOwner)
    component = fOwner->FindComponent(header.Name);
  if (fStandIns && (header.Flags & ffInherited)) {
    // Read on its own, an inherited form has no ancestor's components: one of this name made
    // by this read belongs to another frame, and the new one is kept apart, in its parent.
    const bool taken =
        component && std::find(fCreated.begin(), fCreated.end(), component) != fCreated.end();
    if (taken) component = nullptr;
    if (taken && fParent && fParent != owner && dynamic_cast<TStandIn*>(fParent)) owner = fParent;
  }
  if (!component) {
    // Without its ancestor an inherited component is made all the same when stand-ins are on:
    // a form file is then read on its own.
    if ((header.Flags & ffInherited) && !fStandIns)
      throw EReadError(Format("Ancestor for '%s' not found", {header.Name}));
    const TClassRecord& record = FindComponentClass(header.ClassName, false);
    created.reset(record.ComponentFactory()(owner));
    component = created.get();
  }
  if (fStandIns && !header.Prefix.empty()) component->KeepStreamData().Prefix = header.Prefix;
  component->Include(csLoading);
  component->Include(csReading);
  const std::size_t mark = fLoaded.size();
  fLoaded.push_back(component);
  if (created) fCreated.push_back(component);
  try {
    if (created) {
      component->SetName(header.Name);
      component->SetParentComponent(fParent);
      if (auto* parent = fStandIns ? dynamic_cast<TStandIn*>(fParent) : nullptr)
        parent->AddChild(component);
    }
    component->ReadState(*this);
  } catch (...) {
    if (created) {
      // The new component goes, and with it the components it owns: none stays listed.
      auto ownedByIt = [&](TComponent* c) {
        for (TComponent* o = c; o; o = o->Owner())
          if (o == component) return true;
        return false;
      };
      fLoaded.erase(std::remove_if(fLoaded.begin() + static_cast<std::ptrdiff_t>(mark),
                                   fLoaded.end(), ownedByIt),
                    fLoaded.end());
      fCreated.erase(std::remove_if(fCreated.begin(), fCreated.end(), ownedByIt), fCreated.end());
    }
    throw;
  }
  component->Exclude(csReading);
  created.release();
  return component;
}

void TReader::ReadData(TComponent* instance) {
  fAnchorOwner = nullptr;
  while (!fDriver->EndOfList()) ReadProperty(instance);
  fDriver->CheckValue(vaNull);
  ReadChildren(instance);
}

void TReader::ReadChildren(TComponent* instance) {
  auto parent = SetForScope(fParent, instance->GetChildParent());
  auto owner = SetForScope(fOwner, instance->GetChildOwner());
  // With stand-ins, an owner of children (an inline frame) owns all that is read inside it, as
  // the names there are its own.
  auto lookupRoot = SetForScope(fLookupRoot, fStandIns && fOwner ? fOwner : fLookupRoot);
  if (!fOwner) fOwner = fLookupRoot ? fLookupRoot : fRoot;
  while (!fDriver->EndOfList()) ReadComponent(nullptr);
  fDriver->CheckValue(vaNull);
}

void TReader::ReadProperty(TPersistent* instance) {
  std::string path = fDriver->BeginProperty();
  // With stand-ins, what cannot be placed is kept with the instance whose list is read.
  auto reading = SetForScope(fReading, fStandIns ? instance : fReading);
  auto readingPath = SetForScope(fReadingPath, fStandIns ? path : std::string());
  try {
    ReadPropertyPath(*instance, path);
    if (fStandIns) {
      fAnchorOwner = instance;
      fAnchor = path;
    }
  } catch (const TUnknownProperty&) {
    // The property is unknown and its value still unread.
    if (fStandIns) {
      std::string value;
      fDriver->CopyValue(value);
      Keep(*instance, path, std::move(value));
      return;
    }
    std::string message = Format("Error reading %s.%s: Property %s does not exist",
                                 {InstanceName(*instance), path, path});
    bool handled = false;
    if (OnError) OnError(message, handled);
    if (!handled) throw EReadError(message);
    fDriver->SkipValue();
  } catch (TKeepValue& kept) {
    Keep(*instance, path, std::move(kept.Value));
  } catch (const EReadError&) {
    throw;  // malformed stream: the position is lost, nothing can go on
  } catch (const Exception& e) {
    std::string message =
        Format("Error reading %s.%s: %s", {InstanceName(*instance), path, e.Message()});
    bool handled = false;
    if (OnError) OnError(message, handled);
    if (!handled) throw EReadError(message);
  }
}

std::string TReader::AnchorFor(const TPersistent* instance) const {
  return instance == fAnchorOwner ? fAnchor : std::string();
}

void TReader::Keep(TPersistent& instance, const std::string& path, std::string value) {
  instance.KeepStreamData().Properties.push_back({path, AnchorFor(&instance), std::move(value)});
}

void TReader::SetStandIns(std::shared_ptr<TStandInClasses> classes) {
  fStandIns = std::move(classes);
}

void TReader::ReadPropertyPath(TPersistent& instance, const std::string& path) {
  TPersistent* target = &instance;
  std::size_t start = 0;
  for (std::size_t dot; (dot = path.find('.', start)) != std::string::npos; start = dot + 1) {
    const TPropInfo* prop =
        target->ClassType().FindProp(std::string_view(path).substr(start, dot - start));
    TObject* sub = prop && prop->CanRead() ? GetObjectProp(*target, *prop) : nullptr;
    target = dynamic_cast<TPersistent*>(sub);
    if (!target) throw TUnknownProperty{};
  }
  std::string name = path.substr(start);
  if (const TPropInfo* prop = target->ClassType().FindProp(name)) {
    ReadPropValue(*target, *prop);
    return;
  }
  fPropName = name;
  fPropFound = false;
  target->DefineProperties(*this);
  fPropName.clear();
  if (!fPropFound) throw TUnknownProperty{};
}

void TReader::DefineProperty(const std::string& name, const TReaderProc& readData,
                             const TWriterProc&, bool) {
  if (fPropFound || !readData || !SameText(name, fPropName)) return;
  fPropFound = true;
  readData(*this);
}

void TReader::DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                   const TStreamProc&, bool) {
  if (fPropFound || !readData || !SameText(name, fPropName)) return;
  fPropFound = true;
  fDriver->CheckValue(vaBinary);
  TMemoryStream data;
  fDriver->ReadBinary(data);
  data.SetPosition(0);
  readData(data);
}

void TReader::ReadPropValue(TPersistent& instance, const TPropInfo& prop) {
  TTypeKind kind = prop.Kind();
  TValueType next = NextValue();
  if (kind == tkClass && next == vaCollection) {
    fDriver->ReadValue();
    auto* collection = dynamic_cast<TCollection*>(GetObjectProp(instance, prop));
    if (!collection) throw EReadError(Format("Property %s is not a collection", {prop.Name}));
    ReadCollection(*collection);
    return;
  }
  // Read the whole value first: a conversion error then leaves the stream after it.
  switch (kind) {
    case tkInteger:
      return ReadIntegerProp(instance, prop, next);
    case tkChar:
    case tkWChar:
      return ReadCharProp(instance, prop);
    case tkEnumeration:
      return ReadEnumProp(instance, prop);
    case tkSet:
      return ReadSetValue(instance, prop);
    case tkFloat:
      return ReadFloatProp(instance, prop, next);
    case tkString:
    case tkLString:
    case tkWString:
      return ReadStringProp(instance, prop);
    case tkInt64:
      return ReadInt64Prop(instance, prop, next);
    case tkClass:
      return ReadReferenceProp(instance, prop);
    case tkMethod:
      return ReadMethodProp(instance, prop);
    case tkVariant:
      return ReadVariantProp(instance, prop);
    default:
      SkipValue();
      throw EPropertyError(Format("Properties of kind %s cannot be read", {TypeKindName(kind)}));
  }
}

void TReader::ReadIntegerProp(TPersistent& instance, const TPropInfo& prop, TValueType next) {
  if (next == vaIdent) {
    std::string ident = ReadIdent();
    int64_t value;
    if (!prop.PropType->IdentToInt || !prop.PropType->IdentToInt(ident, value))
      throw EPropertyError("Invalid property value");
    if (prop.CanWrite()) SetOrdProp(instance, prop, value);
    return;
  }
  int64_t value = ReadInt64();
  if (value < INT32_MIN || value > UINT32_MAX) throw EPropertyError("Invalid property value");
  if (prop.CanWrite()) SetOrdProp(instance, prop, value);
}

void TReader::ReadCharProp(TPersistent& instance, const TPropInfo& prop) {
  char c = ReadChar();
  if (prop.CanWrite()) SetOrdProp(instance, prop, static_cast<unsigned char>(c));
}

void TReader::ReadEnumProp(TPersistent& instance, const TPropInfo& prop) {
  std::string ident = ReadIdent();
  int value = GetEnumValue(*prop.PropType, ident);
  if (value < 0) throw EPropertyError("Invalid property value");
  if (prop.CanWrite()) SetOrdProp(instance, prop, value);
  if (fStandIns && fReading && GetEnumName(*prop.PropType, value) != ident)
    fReading->KeepStreamData().Spellings.push_back({fReadingPath, value, IdentBytes(ident)});
}

void TReader::ReadFloatProp(TPersistent& instance, const TPropInfo& prop, TValueType next) {
  if (next == vaCurrency && prop.PropType->FloatType == ftCurr && prop.Ordinal.Set) {
    ReadValue();
    SetOrdProp(instance, prop, fDriver->ReadCurrency());  // exact, not through a float
    return;
  }
  long double value = ReadFloat();
  if (prop.CanWrite()) SetFloatProp(instance, prop, value);
}

void TReader::ReadStringProp(TPersistent& instance, const TPropInfo& prop) {
  std::string value = ReadString();
  if (prop.CanWrite()) SetStrProp(instance, prop, value);
}

void TReader::ReadInt64Prop(TPersistent& instance, const TPropInfo& prop, TValueType next) {
  int64_t value;
  if (next == vaQWord && IsUnsignedInt64(*prop.PropType)) {
    ReadValue();
    value = static_cast<int64_t>(fDriver->ReadQWord());  // the bits of the QWord
  } else {
    value = ReadInt64();
  }
  if (prop.CanWrite()) SetOrdProp(instance, prop, value);
}

void TReader::ReadReferenceProp(TPersistent& instance, const TPropInfo& prop) {
  std::string ident = ReadIdent();
  bool nil = SameText(ident, "nil");
  if (!nil && !IsComponentReference(prop))
    throw EPropertyError("Invalid property value");  // a sub-object is no reference
  if (!prop.CanWrite()) return;
  if (nil) {
    SetOrdProp(instance, prop, 0);
  } else if (fStandIns) {
    AddFixup({&instance, &prop, ident, fReading, fReadingPath, AnchorFor(fReading)});
  } else {
    AddFixup({&instance, &prop, ident, nullptr, {}, {}});
  }
}

void TReader::ReadMethodProp(TPersistent& instance, const TPropInfo& prop) {
  std::string ident = ReadIdent();
  if (!prop.CanWrite()) return;
  if (SameText(ident, "nil")) {
    SetMethodProp(instance, prop, TMethod{});
    return;
  }
  void* code = nullptr;
  if (OnFindMethod) OnFindMethod(ident, code);
  if (!code && fRoot) {
    const TClassRecord::TMethodEntry* method = fRoot->ClassType().FindMethod(ident);
    // A handler with other parameters than the event passes would be called wrongly.
    if (method && method->Signature != prop.PropType->MethodSignature)
      throw EPropertyError(Format("Method '%s' does not fit event %s", {ident, prop.Name}));
    if (method) code = method->Code;
  }
  if (!code && fStandIns) throw TKeepValue{IdentBytes(ident)};
  if (!code) throw EPropertyError(Format("Method '%s' not found", {ident}));
  SetMethodProp(instance, prop, TMethod{code, static_cast<TObject*>(fRoot)});
}

void TReader::ReadVariantProp(TPersistent& instance, const TPropInfo& prop) {
  Variant value = ReadVariant();
  if (prop.CanWrite()) SetVariantProp(instance, prop, value);
}

void TReader::ReadSetValue(TPersistent& instance, const TPropInfo& prop) {
  TValueType type = ReadValue();
  if (type != vaSet) {
    fDriver->Error(Format("Set expected, found %s", {ValueTypeName(type)}), fDriver->Offset() - 1);
  }
  std::vector<std::string> names = fDriver->ReadSet();
  const TTypeInfo* element = prop.PropType->CompType;
  uint32_t bits = 0;
  for (const std::string& name : names) {
    int value = element ? GetEnumValue(*element, name) : -1;
    if (value < 0 || value > 31) throw EPropertyError("Invalid property value");
    bits |= uint32_t(1) << value;
  }
  if (prop.CanWrite()) SetOrdProp(instance, prop, bits);
}

void TReader::ReadCollection(TCollection& collection) {
  auto nesting = Nest(fDepth);
  TUpdateScope update(collection);
  DropFixupsWithin(collection);  // its items go now
  collection.Clear();
  while (!fDriver->EndOfList()) {
    if (IsIntegerMarker(NextValue())) ReadInteger();  // the item's order index
    fDriver->CheckValue(vaList);
    TCollectionItem* item = collection.Add();
    fAnchorOwner = nullptr;
    while (!fDriver->EndOfList()) ReadProperty(item);
    fDriver->CheckValue(vaNull);
  }
  fDriver->CheckValue(vaNull);
}

void TReader::AddFixup(TFixup fixup) {
  const std::size_t at = fFixups.size();
  // A component's owners are components: only the chain up to the first one holds collections.
  for (TPersistent* p = fixup.Instance; p && !dynamic_cast<TComponent*>(p); p = p->GetOwner())
    if (auto* collection = dynamic_cast<TCollection*>(p)) fFixupsWithin[collection].push_back(at);
  fFixups.push_back(std::move(fixup));
}

void TReader::DropFixupsWithin(const TCollection& collection) {
  auto within = fFixupsWithin.find(&collection);
  if (within == fFixupsWithin.end()) return;
  // A collection inside the items keeps its list until it is read again (it goes with them, and
  // a new one may come at its address): its fixups are dropped already by then.
  for (std::size_t at : within->second) fFixups[at].Instance = nullptr;
  fFixupsWithin.erase(within);
}

const TClassRecord& TReader::FindComponentClass(const std::string& className, bool root) {
  const TClassRecord* record = OnFindComponentClass ? OnFindComponentClass(className) : nullptr;
  if (!record) record = GetClass(className);
  if (!record && fStandIns) record = &fStandIns->ComponentClass(className, root, fStandIns);
  if (!record) record = &FindClass(className);
  if (!record->ComponentFactory())
    throw EClassNotFound(Format("Class %s cannot be created", {className}));
  return *record;
}

// A component of the root by a dotted path of names ("Panel1.Button1"), with the root's own name
// or "Owner" for the root.
TComponent* FindNestedComponent(TComponent* root, std::string_view path) {
  TComponent* current = root;
  bool first = true;
  while (current && !path.empty()) {
    std::size_t dot = path.find('.');
    std::string_view name = path.substr(0, dot);
    path = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
    if (first && (SameText(name, "Owner") || SameText(name, root->Name()))) {
      first = false;
      continue;
    }
    first = false;
    current = current->FindComponent(name);
  }
  return current;
}

void TReader::FixupReferences() {
  for (const TFixup& fixup : fFixups) {
    if (!fixup.Instance) continue;
    // A reference into another root that is not loaded stays unset, and so does one to a
    // component of another class than the property's.
    TComponent* target = FindNestedComponent(fRoot, fixup.Name);
    if (target && target->InheritsFrom(*fixup.Prop->PropType->ClassType)) {
      SetOrdProp(*fixup.Instance, *fixup.Prop,
                 reinterpret_cast<intptr_t>(static_cast<TObject*>(target)));
    } else if (fixup.Holder) {
      fixup.Holder->KeepStreamData().Properties.push_back(
          {fixup.Path, fixup.Anchor, IdentBytes(fixup.Name)});
    }
  }
  fFixups.clear();
  fFixupsWithin.clear();
}

TValueType TReader::NextValue() {
  return fDriver->NextValue();
}

TValueType TReader::ReadValue() {
  return fDriver->ReadValue();
}

bool TReader::EndOfList() {
  return fDriver->EndOfList();
}

void TReader::ReadListBegin() {
  fDriver->CheckValue(vaList);
}

void TReader::ReadListEnd() {
  fDriver->CheckValue(vaNull);
}

int64_t TReader::ReadInt64() {
  int64_t offset = fDriver->Offset();
  TValueType type = ReadValue();
  if (type == vaQWord) {
    uint64_t value = fDriver->ReadQWord();
    if (value > uint64_t(INT64_MAX)) fDriver->Error("Integer value out of range", offset);
    return static_cast<int64_t>(value);
  }
  if (!IsIntegerMarker(type))
    fDriver->Error(Format("Integer expected, found %s", {ValueTypeName(type)}), offset);
  return fDriver->ReadInteger(type);
}

int32_t TReader::ReadInteger() {
  int64_t offset = fDriver->Offset();
  int64_t value = ReadInt64();
  if (value < INT32_MIN || value > INT32_MAX) fDriver->Error("Integer value out of range", offset);
  return static_cast<int32_t>(value);
}

bool TReader::ReadBoolean() {
  int64_t offset = fDriver->Offset();
  TValueType type = ReadValue();
  if (type != vaTrue && type != vaFalse)
    fDriver->Error(Format("Boolean expected, found %s", {ValueTypeName(type)}), offset);
  return type == vaTrue;
}

char TReader::ReadChar() {
  if (IsIntegerMarker(NextValue())) return static_cast<char>(ReadInteger());
  int64_t offset = fDriver->Offset();
  std::string s = ReadString();
  if (s.size() != 1) fDriver->Error("Character expected", offset);
  return s[0];
}

long double TReader::ReadFloat() {
  int64_t offset = fDriver->Offset();
  TValueType type = ReadValue();
  switch (type) {
    case vaExtended:
      return fDriver->ReadFloat();
    case vaSingle:
      return fDriver->ReadSingle();
    case vaDate:
      return fDriver->ReadDate();
    case vaCurrency:
      return static_cast<long double>(fDriver->ReadCurrency()) / kCurrencyScale;
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
      return static_cast<long double>(fDriver->ReadInteger(type));
    default:
      fDriver->Error(Format("Floating point value expected, found %s", {ValueTypeName(type)}),
                     offset);
  }
}

std::string TReader::ReadString() {
  int64_t offset = fDriver->Offset();
  TValueType type = ReadValue();
  switch (type) {
    case vaString:
    case vaLString:
      return EightBitToUtf8(fDriver->ReadString(type));
    case vaUTF8String:
      return fDriver->ReadString(type);
    case vaWString:
    case vaUString:
      return Utf16ToUtf8(fDriver->ReadWideString());
    default:
      fDriver->Error(Format("String expected, found %s", {ValueTypeName(type)}), offset);
  }
}

std::string TReader::ReadIdent() {
  int64_t offset = fDriver->Offset();
  TValueType type = ReadValue();
  if (type != vaIdent && type != vaNil && type != vaFalse && type != vaTrue && type != vaNull)
    fDriver->Error(Format("Identifier expected, found %s", {ValueTypeName(type)}), offset);
  return fDriver->ReadIdent(type);
}

Variant TReader::ReadVariant() {
  TValueType next = NextValue();
  switch (next) {
    case vaNil:
      ReadValue();
      return Variant();
    case vaNull:
      ReadValue();
      return Variant::Null();
    case vaFalse:
    case vaTrue:
      return Variant(ReadBoolean());
    case vaInt8:
    case vaInt16:
    case vaInt32:
      return Variant(ReadInteger());
    case vaInt64:
    case vaQWord:
      return Variant(static_cast<double>(ReadInt64()));
    case vaCurrency: {
      ReadValue();
      return Variant(TCurrency{fDriver->ReadCurrency()});
    }
    case vaDate:
      ReadValue();
      return Variant::Date(fDriver->ReadDate());
    case vaExtended:
    case vaSingle:
      return Variant(ReadFloat());
    case vaString:
    case vaLString:
    case vaUTF8String:
      return Variant(ReadString());
    case vaWString:
    case vaUString:
      return Variant::OleStr(ReadString());
    default:
      fDriver->Error(Format("Variant value expected, found %s", {ValueTypeName(next)}),
                     fDriver->Offset());
  }
}

void TReader::SkipValue() {
  fDriver->SkipValue();
}

std::string TReader::ReadPropName() {
  return fDriver->BeginProperty();
}

void TReader::CopyValue(std::string& out) {
  fDriver->CopyValue(out);
}

TComponent* ReadComponent(TStream& stream, TComponent* instance) {
  TReader reader(stream);
  return reader.ReadRootComponent(instance);
}

}  // namespace dravik
