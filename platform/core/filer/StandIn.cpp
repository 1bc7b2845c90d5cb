#include "platform/core/filer/StandIn.h"

#include <algorithm>
#include <cstring>

#include "platform/core/filer/BinaryObjectReader.h"
#include "platform/core/filer/KeptStreamData.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/StandInEncoding.h"
#include "platform/core/filer/StreamFormatEncoding.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/graphics/Color.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

int64_t ObjectOrdinal(const TObject* object) {
  return reinterpret_cast<intptr_t>(object);
}

TComponent* RootOf(TComponent* component) {
  while (component && component->Owner()) component = component->Owner();
  return component;
}

// A component as a stream names it from root: its name among root's, "Owner" for root itself,
// or the path through its owner.
std::string ReferenceName(TComponent* component, TComponent* root) {
  if (component == root) return "Owner";
  if (component->Owner() == root) return component->Name();
  TComponent* owner = component->Owner();
  if (owner && !owner->Name().empty()) return owner->Name() + "." + component->Name();
  throw EPropertyError("The component has no name in this form");
}

// An identifier for an integer property: its type's names, else the colour names, which are
// the names integers are most often stored by.
bool IdentToOrdinal(const TTypeInfo& type, std::string_view ident, int64_t& value) {
  if (type.IdentToInt && type.IdentToInt(ident, value)) return true;
  return IdentToColor(ident, value);
}

bool OrdinalToIdent(const TTypeInfo& type, int64_t value, std::string& ident) {
  if (type.IntToIdent) return type.IntToIdent(value, ident);
  return ColorToIdent(value, ident);
}

// The position of a property in its class, from the top-level property down, so that a value
// added through a property goes where its class puts it among the others.
std::vector<int32_t> OrderKey(const TStandInProp& prop) {
  std::vector<int32_t> key;
  for (const TStandInProp* p = &prop; p; p = p->Parent) key.insert(key.begin(), p->Prop->NameIndex);
  return key;
}

std::string PathOf(const TStandInProp& prop) {
  std::string path = prop.Prop->Name;
  for (const TStandInProp* p = prop.Parent; p; p = p->Parent) path = p->Prop->Name + "." + path;
  return path;
}

void AppendName(std::string& out, std::string_view name) {
  out.push_back(static_cast<char>(name.size()));
  out.append(name);
}

std::string LeadingIdent(std::string_view bytes) {
  return std::string(bytes.substr(2, static_cast<unsigned char>(bytes[1])));
}

}  // namespace

// --- TStandInValues ----------------------------------------------------------------------------

TStandInValues::~TStandInValues() = default;

void TStandInValues::ReadProperties(TReader& reader, TClassRecord& record, int depth) {
  fValues.reserve(fValues.size() + 8);
  while (!reader.EndOfList()) {
    TStandInValue& value = fValues.emplace_back();
    value.Path = reader.ReadPropName();
    const std::string_view path = value.Path;
    const TValueType next = reader.NextValue();
    if (next == vaCollection) {
      std::size_t dot = path.rfind('.');
      TClassRecord* owner = &record;
      for (std::size_t start = 0, end; owner && dot != std::string_view::npos && start <= dot;
           start = end + 1) {
        end = path.find('.', start);
        TStandInProp* object =
            fClasses->Property(*owner, path.substr(start, end - start), TStandInKind::Object);
        owner = object ? object->Record : nullptr;
      }
      std::string_view leaf = dot == std::string_view::npos ? path : path.substr(dot + 1);
      TStandInProp* prop =
          owner ? fClasses->Property(*owner, leaf, TStandInKind::Collection) : nullptr;
      ReadCollection(reader, value, prop, depth);
      continue;
    }
    reader.CopyValue(value.Raw);
    std::size_t dot = path.rfind('.');
    std::string_view leaf = dot == std::string_view::npos ? path : path.substr(dot + 1);
    // Items.Strings: the string list of the object property before ".Strings".
    std::size_t last = dot;
    TStandInKind kind = TStandInKind::Value;
    if (next == vaList && dot != std::string_view::npos && SameText(leaf, "Strings") &&
        IsStringListValue(value.Raw)) {
      kind = TStandInKind::Strings;
      last = path.rfind('.', dot - 1);
      leaf = path.substr(last == std::string_view::npos ? 0 : last + 1,
                         dot - (last == std::string_view::npos ? 0 : last + 1));
    }
    TClassRecord* owner = &record;
    for (std::size_t start = 0, end; owner && last != std::string_view::npos && start <= last;
         start = end + 1) {
      end = path.find('.', start);
      TStandInProp* object =
          fClasses->Property(*owner, path.substr(start, end - start), TStandInKind::Object);
      owner = object ? object->Record : nullptr;
    }
    if (!owner) continue;
    if (kind == TStandInKind::Strings) {
      value.Info = fClasses->Property(*owner, leaf, TStandInKind::Strings);
      if (value.Info) {
        value.Object = std::make_unique<TStandInStrings>(value.Raw);
        value.Raw.clear();
      }
      continue;
    }
    value.Info = fClasses->ValueProperty(*owner, leaf, next);
    if (next == vaIdent && value.Info && value.Info->Type &&
        value.Info->Type->Kind == tkEnumeration && value.Info->Kind == TStandInKind::Value)
      fClasses->EnumIndex(*value.Info->Type, LeadingIdent(value.Raw));
  }
}

void TStandInValues::ReadCollection(TReader& reader, TStandInValue& value, TStandInProp* prop,
                                    int depth) {
  if (!prop) {
    reader.CopyValue(value.Raw);
    return;
  }
  if (depth >= kMaxNestingDepth) throw EReadError("Collections nested too deeply");
  value.Info = prop;
  reader.ReadValue();
  auto collection = std::make_unique<TStandInCollection>(*prop->Record, *fClasses, fComponent);
  while (!reader.EndOfList()) {
    std::string index;
    TValueType next = reader.NextValue();
    if (next == vaInt8 || next == vaInt16 || next == vaInt32) reader.CopyValue(index);
    reader.ReadListBegin();
    auto* item = static_cast<TStandInItem*>(collection->Add());
    item->IndexBytes = std::move(index);
    item->StandInValues().ReadProperties(reader, *prop->Record, depth + 1);
    reader.ReadListEnd();
  }
  reader.ReadListEnd();
  value.Object = std::move(collection);
}

std::string TStandInValues::ValueBytes(const TStandInValue& value) {
  if (auto* collection = dynamic_cast<const TStandInCollection*>(value.Object.get()))
    return collection->Bytes();
  if (auto* strings = dynamic_cast<const TStandInStrings*>(value.Object.get()))
    return strings->Bytes();
  return value.Raw;
}

void TStandInValues::AppendProperties(std::string& out) const {
  for (const TStandInValue& value : fValues) {
    AppendName(out, value.Path);
    out += ValueBytes(value);
  }
}

TStandInValue* TStandInValues::Find(const TStandInProp& prop) {
  for (TStandInValue& value : fValues)
    if (value.Info == &prop) return &value;
  return nullptr;
}

void TStandInValues::Remove(const TStandInProp& prop) {
  fValues.erase(std::remove_if(fValues.begin(), fValues.end(),
                               [&](const TStandInValue& v) { return v.Info == &prop; }),
                fValues.end());
}

void TStandInValues::Store(const TStandInProp& prop, std::string raw, bool placeholder) {
  if (TStandInValue* value = Find(prop)) {
    if (raw.empty() || (placeholder && value->Added)) {
      Remove(prop);
    } else {
      value->Raw = std::move(raw);
    }
    return;
  }
  if (raw.empty() || placeholder) return;
  const std::vector<int32_t> key = OrderKey(prop);
  std::size_t position = 0;
  for (std::size_t i = 0; i < fValues.size(); ++i)
    if (fValues[i].Info && OrderKey(*fValues[i].Info) <= key) position = i + 1;
  TStandInValue added;
  added.Path = PathOf(prop);
  added.Info = const_cast<TStandInProp*>(&prop);
  added.Raw = std::move(raw);
  added.Added = true;
  fValues.insert(fValues.begin() + static_cast<std::ptrdiff_t>(position), std::move(added));
}

TPersistent* TStandInValues::GetObject(const TStandInProp& prop) {
  if (prop.Kind == TStandInKind::Object) {
    for (auto& view : fViews)
      if (&view->Prop() == &prop) return view.get();
    return fViews.emplace_back(std::make_unique<TStandInObject>(*this, prop)).get();
  }
  TStandInValue* value = Find(prop);
  return value ? value->Object.get() : nullptr;
}

int64_t TStandInValues::GetOrdinal(const TStandInProp& prop) {
  switch (prop.Kind) {
    case TStandInKind::Object:
    case TStandInKind::Collection:
    case TStandInKind::Strings:
      return ObjectOrdinal(GetObject(prop));
    case TStandInKind::Reference: {
      TStandInValue* value = Find(prop);
      if (!value) return 0;
      TStoredValue stored(value->Raw);
      if (stored.Type() != vaIdent) return 0;
      return ObjectOrdinal(FindNestedComponent(RootOf(fComponent), stored.Ident()));
    }
    default:
      break;
  }
  TStandInValue* value = Find(prop);
  if (!value) return 0;
  const TTypeInfo& type = *prop.Prop->PropType;
  TStoredValue stored(value->Raw);
  switch (stored.Type()) {
    case vaFalse:
    case vaTrue:
    case vaIdent: {
      std::string ident = stored.Ident();
      if (type.Kind == tkEnumeration) {
        if (&type == &TypeInfo<bool>()) return SameText(ident, "True") ? 1 : 0;
        if (prop.Type == &type) return fClasses->EnumIndex(*prop.Type, ident);
      }
      if (stored.Type() != vaIdent) return stored.Type() == vaTrue ? 1 : 0;
      int64_t ordinal;
      if (IdentToOrdinal(type, ident, ordinal)) return ordinal;
      throw EPropertyError(
          Format("Identifier %s has no value for property %s", {ident, prop.Prop->Name}));
    }
    case vaSet: {
      if (!prop.Type || prop.Type->Kind != tkSet) throw EPropertyError("Not a set property");
      auto& element = const_cast<TTypeInfo&>(*prop.Type->CompType);
      uint32_t bits = 0;
      for (const std::string& name : stored.Set()) {
        int64_t bit = fClasses->EnumIndex(element, name);
        if (bit > 31) throw EPropertyError("Too many set elements for property " + prop.Prop->Name);
        bits |= uint32_t(1) << bit;
      }
      return bits;
    }
    case vaCurrency:
      return stored.Reader().ReadCurrency();
    case vaString:
    case vaLString:
    case vaUTF8String:
    case vaWString:
    case vaUString: {
      std::u16string text = EightBitToUtf16(stored.Text());
      if (text.size() != 1)
        throw EPropertyError("Property " + prop.Prop->Name + " is no character");
      return text[0];
    }
    default:
      if (stored.IsFloat()) return static_cast<int64_t>(stored.Float());
      return stored.Integer();
  }
}

void TStandInValues::SetOrdinal(const TStandInProp& prop, int64_t value) {
  const TTypeInfo& type = *prop.Prop->PropType;
  TStandInValue* current = Find(prop);
  const std::string_view old = current ? std::string_view(current->Raw) : std::string_view();
  switch (prop.Kind) {
    case TStandInKind::Reference: {
      auto* object = reinterpret_cast<TObject*>(static_cast<intptr_t>(value));
      if (!object) {
        if (!old.empty() && old[0] != vaNil) Remove(prop);
        return;
      }
      auto* component = dynamic_cast<TComponent*>(object);
      if (!component) throw EPropertyError("Property " + prop.Prop->Name + " takes a component");
      Store(prop, IdentBytes(ReferenceName(component, RootOf(fComponent))), false);
      return;
    }
    case TStandInKind::Value:
      break;
    default:
      if (value == GetOrdinal(prop)) return;
      throw EPropertyError("Property " + prop.Prop->Name + " cannot be assigned");
  }
  switch (type.Kind) {
    case tkEnumeration: {
      if (&type == &TypeInfo<bool>()) {
        Store(prop, IdentBytes(value ? "True" : "False"), value == 0);
        return;
      }
      std::string name = GetEnumName(type, value);
      if (value < type.MinValue || value > type.MaxValue)
        throw EPropertyError("Invalid property value");
      Store(prop, name.empty() ? std::string() : IdentBytes(name), true);
      return;
    }
    case tkSet: {
      std::vector<std::string> names;
      for (int bit = 0; bit < 32; ++bit) {
        if (!((static_cast<uint64_t>(value) >> bit) & 1)) continue;
        std::string name = type.CompType ? GetEnumName(*type.CompType, bit) : "";
        if (name.empty()) throw EPropertyError("Invalid property value");
        names.push_back(name);
      }
      Store(prop, SetBytes(names), value == 0);
      return;
    }
    case tkChar:
    case tkWChar: {
      std::string text;
      AppendUtf8(text, static_cast<char32_t>(value));
      Store(prop, StringBytes(text, old, vaString), value == 0);
      return;
    }
    case tkFloat:
      SetFloat(prop, type.FloatType == ftCurr ? static_cast<long double>(value) / kCurrencyScale
                                              : static_cast<long double>(value));
      return;
    default:
      break;
  }
  std::string ident;
  if (!old.empty() && old[0] == vaIdent && OrdinalToIdent(type, value, ident)) {
    Store(prop, IdentBytes(ident), value == 0);
    return;
  }
  if (IsUnsignedInt64(type) && value < 0) {
    Store(prop, QWordBytes(static_cast<uint64_t>(value)), false);
    return;
  }
  Store(prop, IntegerBytes(value, old), value == 0);
}

long double TStandInValues::GetFloat(const TStandInProp& prop) {
  TStandInValue* value = Find(prop);
  if (!value) return 0;
  TStoredValue stored(value->Raw);
  return stored.Float();
}

void TStandInValues::SetFloat(const TStandInProp& prop, long double value) {
  const TTypeInfo& type = *prop.Prop->PropType;
  TValueType marker = type.FloatType == ftSingle        ? vaSingle
                      : type.FloatType == ftCurr        ? vaCurrency
                      : &type == &TypeInfo<TDateTime>() ? vaDate
                                                        : vaExtended;
  TStandInValue* current = Find(prop);
  // A value that went through a double (a variant) and still is the stored one stays as stored.
  if (current && static_cast<double>(GetFloat(prop)) == static_cast<double>(value)) return;
  Store(prop, FloatBytes(value, current ? current->Raw : std::string(), marker), value == 0);
}

std::string TStandInValues::GetString(const TStandInProp& prop) {
  TStandInValue* value = Find(prop);
  if (!value || value->Raw.empty()) return "";
  TStoredValue stored(value->Raw);
  if (prop.Kind == TStandInKind::Binary) return stored.Binary();
  return stored.Text();
}

void TStandInValues::SetString(const TStandInProp& prop, const std::string& value) {
  TStandInValue* current = Find(prop);
  const std::string old = current ? current->Raw : std::string();
  switch (prop.Kind) {
    case TStandInKind::Event:
      Store(prop, value.empty() ? std::string() : IdentBytes(value), true);
      return;
    case TStandInKind::Binary:
      Store(prop, BinaryBytes(value), false);
      return;
    case TStandInKind::Value:
      break;
    default:
      throw EPropertyError("Property " + prop.Prop->Name + " takes no text");
  }
  const TTypeInfo& type = *prop.Prop->PropType;
  if (type.Kind == tkEnumeration && prop.Type == &type) {
    SetOrdinal(prop, fClasses->EnumIndex(*prop.Type, value));
    return;
  }
  if (value.empty()) {
    Store(prop, std::string(), true);
    return;
  }
  Store(prop, StringBytes(value, old, type.Kind == tkWString ? vaWString : vaString), false);
}

Variant TStandInValues::GetVariant(const TStandInProp& prop) {
  TStandInValue* value = Find(prop);
  if (!value || value->Raw.empty()) return Variant();
  TStoredValue stored(value->Raw);
  return stored.AsVariant();
}

void TStandInValues::SetVariant(const TStandInProp& prop, const Variant& value) {
  if (prop.Kind != TStandInKind::Value)
    throw EPropertyError("Property " + prop.Prop->Name + " takes no variant");
  Store(prop, value.IsEmpty() ? std::string() : VariantBytes(value), true);
}

// --- TStandIn ----------------------------------------------------------------------------------

TStandIn::TStandIn(TComponent* owner, TClassRecord& record,
                   std::shared_ptr<TStandInClasses> classes)
    : TComponent(owner),
      fRecord(record),
      fClasses(classes
                   ? std::move(classes)
                   : throw EClassNotFound("Class " + record.Name() + " is no longer described")),
      fValues(*fClasses, this) {}

void TStandIn::ReadState(TReader& reader) {
  fValues.ReadProperties(reader, fRecord, 0);
  reader.ReadListEnd();
  reader.ReadChildren(this);
}

void TStandIn::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  for (const TStandInValue& value : fValues.Values())
    filer.DefineProperty(
        value.Path, nullptr,
        [&value](TWriter& writer) { writer.WriteRawValue(TStandInValues::ValueBytes(value)); },
        true);
}

void TStandIn::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (TComponent* child : fChildren) proc(child);
}

TComponent* TStandIn::GetChildOwner() {
  const TKeptStreamData* kept = KeptStreamData();
  bool isInline = kept && !kept->Prefix.empty() && (kept->Prefix[0] & ffInline);
  return isInline ? this : nullptr;
}

void TStandIn::AddChild(TComponent* child) {
  fChildren.push_back(child);
  if (auto* standIn = dynamic_cast<TStandIn*>(child)) {
    standIn->fParent = this;
  } else {
    child->FreeNotification(this);
  }
}

void TStandIn::RemoveChild(TComponent* child) {
  // Children go last first, so the search starts at the end.
  auto found = std::find(fChildren.rbegin(), fChildren.rend(), child);
  if (found != fChildren.rend()) fChildren.erase(std::next(found).base());
}

void TStandIn::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove) RemoveChild(component);
}

void TStandIn::BeforeDestruction() {
  if (fParent) fParent->RemoveChild(this);
  fParent = nullptr;
  for (TComponent* child : fChildren)
    if (auto* standIn = dynamic_cast<TStandIn*>(child)) standIn->fParent = nullptr;
  TComponent::BeforeDestruction();
}

// --- Collections, items, string lists ----------------------------------------------------------

TStandInCollection::TStandInCollection(TClassRecord& itemClass, TStandInClasses& classes,
                                       TComponent* component)
    : TCollection(itemClass, component),
      fItemClass(&itemClass),
      fClasses(&classes),
      fComponent(component) {}

std::string TStandInCollection::Bytes() const {
  std::string out(1, static_cast<char>(vaCollection));
  for (int i = 0; i < Count(); ++i) {
    auto* item = static_cast<TStandInItem*>(Items(i));
    out += item->IndexBytes;
    out.push_back(static_cast<char>(vaList));
    item->StandInValues().AppendProperties(out);
    out.push_back(static_cast<char>(vaNull));
  }
  out.push_back(static_cast<char>(vaNull));
  return out;
}

namespace {

TStandInCollection& StandInCollectionOf(TCollection* collection) {
  auto* standIn = dynamic_cast<TStandInCollection*>(collection);
  if (!standIn) throw EListError("A stand-in item belongs to a stand-in collection");
  return *standIn;
}

}  // namespace

TStandInItem::TStandInItem(TCollection* collection)
    : TCollectionItem(collection),
      fValues(StandInCollectionOf(collection).Classes(),
              StandInCollectionOf(collection).Component()) {}

const TClassRecord& TStandInItem::ClassType() const {
  return Collection() ? Collection()->ItemClass() : TCollectionItem::StaticClass();
}

TClassRecord& TStandInItem::StandInClass() {
  return StandInCollectionOf(Collection()).StandInItemClass();
}

namespace {

// The lines of a list's bytes (vaList, string values, vaNull), each as its value's bytes and its
// text; false when a value is no string. The bytes were checked when they were read.
bool SplitStringList(std::string_view bytes, std::vector<std::string>* lineBytes,
                     std::vector<std::string>* texts) {
  if (bytes.empty() || bytes[0] != vaList) return false;
  std::size_t at = 1;
  auto length = [&](std::size_t offset) {
    uint32_t value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return std::size_t{value};
  };
  while (at < bytes.size() && bytes[at] != vaNull) {
    const auto marker = static_cast<TValueType>(static_cast<unsigned char>(bytes[at]));
    std::size_t start = at, size;
    switch (marker) {
      case vaString:
        size = 2 + static_cast<unsigned char>(bytes[at + 1]);
        break;
      case vaLString:
      case vaUTF8String:
        size = 5 + length(at + 1);
        break;
      case vaWString:
      case vaUString:
        size = 5 + 2 * length(at + 1);
        break;
      default:
        return false;
    }
    at += size;
    if (!texts) continue;
    std::string_view value = bytes.substr(start, size);
    if (marker == vaWString || marker == vaUString) {
      std::u16string units(length(start + 1), u'\0');
      std::memcpy(units.data(), value.data() + 5, units.size() * 2);
      texts->push_back(Utf16ToUtf8(units));
    } else if (marker == vaUTF8String) {
      texts->emplace_back(value.substr(5));
    } else {
      texts->push_back(EightBitToUtf8(value.substr(marker == vaString ? 2 : 5)));
    }
    lineBytes->emplace_back(value);
  }
  return true;
}

}  // namespace

TStandInStrings::TStandInStrings(std::string_view listBytes) {
  SplitStringList(listBytes, &fReadBytes, &fReadText);
  for (const std::string& text : fReadText) Add(text);
}

std::string TStandInStrings::Bytes() const {
  std::string out(1, static_cast<char>(vaList));
  for (int i = 0; i < Count(); ++i) {
    auto line = static_cast<std::size_t>(i);
    if (line < fReadText.size() && Get(i) == fReadText[line]) {
      out += fReadBytes[line];
    } else {
      std::string_view like = line < fReadBytes.size() ? std::string_view(fReadBytes[line])
                              : fReadBytes.empty()     ? std::string_view()
                                                       : std::string_view(fReadBytes.back());
      out += StringBytes(Get(i), like, vaString);
    }
  }
  out.push_back(static_cast<char>(vaNull));
  return out;
}

bool IsStringListValue(std::string_view bytes) {
  return SplitStringList(bytes, nullptr, nullptr);
}

}  // namespace dravik
