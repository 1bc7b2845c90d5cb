#include "platform/core/filer/Writer.h"

#include "platform/core/classes/Collection.h"
#include "platform/core/classes/Component.h"
#include "platform/core/classes/ScopeExit.h"
#include "platform/core/filer/BinaryObjectWriter.h"
#include "platform/core/filer/KeptStreamData.h"
#include "platform/core/filer/StreamFormatEncoding.h"
#include "platform/core/streams/MemoryStream.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/TypInfo.h"

namespace dravik {

namespace {

bool IsComponentClass(const TTypeInfo& type) {
  return type.ClassType && type.ClassType->InheritsFrom(TComponent::StaticClass());
}

}  // namespace

TWriter::TWriter(TStream& stream) : fDriver(std::make_unique<TBinaryObjectWriter>(stream)) {}

TWriter::~TWriter() = default;

void TWriter::WriteRootComponent(TComponent* root) {
  fRoot = root;
  fDriver->WriteSignature();
  WriteComponent(root);
  fDriver->FlushBuffer();
}

void TWriter::WriteComponent(TComponent* component) {
  component->Include(csWriting);
  try {
    component->WriteState(*this);
  } catch (...) {
    component->Exclude(csWriting);
    throw;
  }
  component->Exclude(csWriting);
}

void TWriter::WriteData(TComponent* instance) {
  const TKeptStreamData* kept = instance->KeptStreamData();
  if (kept && !kept->Prefix.empty()) {
    fDriver->BeginComponent(kept->Prefix, instance->ClassName(), instance->Name());
  } else {
    fDriver->BeginComponent(0, 0, instance->ClassName(), instance->Name());
  }
  WriteProperties(instance);
  fDriver->EndList();
  instance->GetChildren([this](TComponent* child) { WriteComponent(child); }, fRoot);
  fDriver->EndList();
}

void TWriter::WriteProperties(TPersistent* instance) {
  // A component's or an item's own list (not a sub-object's) brings its kept properties.
  const bool own = fPropPath.empty();
  TKeptWriting* outer = fKept;
  TKeptWriting kept;
  if (own) {
    fKept = nullptr;
    const TKeptStreamData* data = instance->KeptStreamData();
    if (data && (!data->Properties.empty() || !data->Spellings.empty())) {
      kept = {data, std::vector<bool>(data->Properties.size())};
      fKept = &kept;
      WriteKeptAfter("");
    }
  }
  try {
    for (const TPropInfo* prop : instance->ClassType().Props()) {
      bool writable = prop->CanWrite() || prop->Kind() == tkClass;
      if (prop->CanRead() && writable && IsStoredProp(*instance, *prop))
        WriteProperty(*instance, *prop);
      if (fKept) WriteKeptAfter(fPropPath + prop->Name);
    }
    instance->DefineProperties(*this);
    if (own && fKept) WriteKeptRest();
  } catch (...) {
    if (own) fKept = outer;
    throw;
  }
  if (own) fKept = outer;
}

void TWriter::WriteKeptAfter(std::string_view path) {
  const auto& properties = fKept->Data->Properties;
  for (std::size_t i = 0; i < properties.size(); ++i) {
    if (fKept->Written[i] || !SameText(properties[i].Anchor, path)) continue;
    fKept->Written[i] = true;
    fDriver->BeginProperty(properties[i].Path);
    WriteRawValue(properties[i].Value);
  }
}

const TKeptSpelling* TWriter::FindSpelling(const std::string& name, int64_t value) const {
  for (const TKeptSpelling& spelling : fKept->Data->Spellings)
    if (spelling.Ordinal == value && spelling.Path.size() == fPropPath.size() + name.size() &&
        SameText(spelling.Path, fPropPath + name))
      return &spelling;
  return nullptr;
}

void TWriter::WriteKeptRest() {
  const auto& properties = fKept->Data->Properties;
  for (std::size_t i = 0; i < properties.size(); ++i) {
    if (fKept->Written[i]) continue;
    fKept->Written[i] = true;
    fDriver->BeginProperty(properties[i].Path);
    WriteRawValue(properties[i].Value);
  }
}

void TWriter::WriteProperty(TPersistent& instance, const TPropInfo& prop) {
  switch (prop.Kind()) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
    case tkInt64:
      return WriteOrdinalProp(instance, prop);
    case tkFloat:
      return WriteFloatProp(instance, prop);
    case tkString:
    case tkLString:
    case tkWString:
      return WriteStringProp(instance, prop);
    case tkClass:
      return WriteObjectProp(instance, prop);
    case tkMethod:
      return WriteMethodProp(instance, prop);
    case tkVariant:
      return WriteVariantProp(instance, prop);
    default:
      return;  // kinds without a stream form are not written
  }
}

void TWriter::WriteOrdinalProp(TPersistent& instance, const TPropInfo& prop) {
  const TTypeInfo& type = *prop.PropType;
  int64_t value = GetOrdProp(instance, prop);
  if (prop.Default != NoDefault && value == prop.Default) return;
  WritePropName(prop.Name);
  std::string ident;
  if (prop.Kind() == tkEnumeration) {
    const TKeptSpelling* spelling = fKept ? FindSpelling(prop.Name, value) : nullptr;
    if (spelling) {
      WriteRawValue(spelling->Value);
    } else {
      WriteIdent(GetEnumName(type, value));
    }
  } else if (prop.Kind() == tkSet) {
    std::vector<std::string> names;
    for (int bit = 0; bit < 32; ++bit)
      if ((static_cast<uint64_t>(value) >> bit) & 1)
        names.push_back(type.CompType ? GetEnumName(*type.CompType, bit) : "");
    fDriver->WriteSet(names);
  } else if (prop.Kind() == tkChar || prop.Kind() == tkWChar) {
    WriteChar(static_cast<char>(value));
  } else if (type.IntToIdent && type.IntToIdent(value, ident)) {
    WriteIdent(ident);
  } else if (prop.Kind() == tkInteger) {
    // The 32 bits, as the original writes them: readers take no wider value for an Integer
    // kind, so a Cardinal above 0x7FFFFFFF is stored negative.
    WriteInteger(static_cast<int32_t>(value));
  } else {
    WriteInteger(value);
  }
}

void TWriter::WriteFloatProp(TPersistent& instance, const TPropInfo& prop) {
  const TTypeInfo& type = *prop.PropType;
  long double value = GetFloatProp(instance, prop);
  if (value == 0) return;
  WritePropName(prop.Name);
  if (type.FloatType == ftSingle) {
    fDriver->WriteSingle(static_cast<float>(value));
  } else if (type.FloatType == ftCurr) {
    TCurrency currency;
    if (prop.Ordinal.Get) {
      currency.Scaled = GetOrdProp(instance, prop);
    } else if (!FloatToCurrency(value, currency)) {
      throw EWriteError(Format("Currency value of %s out of range", {prop.Name}));
    }
    fDriver->WriteCurrency(currency.Scaled);
  } else if (&type == &TypeInfo<TDateTime>()) {
    fDriver->WriteDate(static_cast<double>(value));
  } else {
    fDriver->WriteFloat(value);
  }
}

void TWriter::WriteStringProp(TPersistent& instance, const TPropInfo& prop) {
  std::string value = GetStrProp(instance, prop);
  if (value.empty()) return;
  WritePropName(prop.Name);
  if (prop.Kind() == tkWString) {
    fDriver->WriteWideString(EightBitToUtf16(value));
  } else {
    fDriver->WriteString(value);
  }
}

void TWriter::WriteObjectProp(TPersistent& instance, const TPropInfo& prop) {
  const TTypeInfo& type = *prop.PropType;
  TObject* object = GetObjectProp(instance, prop);
  if (!object) return;
  if (IsComponentClass(type)) {
    if (!prop.CanWrite()) return;
    std::string reference = ComponentReference(static_cast<TComponent*>(object));
    if (reference.empty()) return;
    WritePropName(prop.Name);
    WriteIdent(reference);
  } else if (auto* collection = dynamic_cast<TCollection*>(object)) {
    WritePropName(prop.Name);
    WriteCollection(*collection);
  } else if (auto* persistent = dynamic_cast<TPersistent*>(object)) {
    auto path = SetForScope(fPropPath, fPropPath + prop.Name + ".");
    WriteProperties(persistent);
  }
}

void TWriter::WriteMethodProp(TPersistent& instance, const TPropInfo& prop) {
  TMethod method = GetMethodProp(instance, prop);
  if (!method.Code || !fRoot || method.Data != static_cast<TObject*>(fRoot)) return;
  std::string name = fRoot->ClassType().MethodName(method.Code);
  if (name.empty()) return;
  WritePropName(prop.Name);
  WriteIdent(name);
}

void TWriter::WriteVariantProp(TPersistent& instance, const TPropInfo& prop) {
  Variant value = GetVariantProp(instance, prop);
  if (value.IsEmpty()) return;
  WritePropName(prop.Name);
  WriteVariant(value);
}

void TWriter::WriteCollection(const TCollection& collection) {
  auto path = SetForScope(fPropPath, std::string());
  fDriver->BeginCollection();
  for (int i = 0; i < collection.Count(); ++i) {
    fDriver->BeginList();
    WriteProperties(collection.Items(i));
    fDriver->EndList();
  }
  fDriver->EndList();
}

void TWriter::WritePropName(const std::string& name) {
  fDriver->BeginProperty(fPropPath + name);
}

std::string TWriter::ComponentReference(TComponent* component) const {
  if (component->Owner() == fRoot) return component->Name();
  if (component == fRoot) return "Owner";
  TComponent* owner = component->Owner();
  if (owner && !owner->Name().empty() && !component->Name().empty())
    return owner->Name() + "." + component->Name();
  if (!component->Name().empty()) return component->Name() + ".Owner";
  return "";
}

void TWriter::DefineProperty(const std::string& name, const TReaderProc&,
                             const TWriterProc& writeData, bool hasData) {
  if (hasData && writeData) {
    WritePropName(name);
    writeData(*this);
  }
  if (fKept) WriteKeptAfter(fPropPath + name);
}

void TWriter::DefineBinaryProperty(const std::string& name, const TStreamProc&,
                                   const TStreamProc& writeData, bool hasData) {
  if (hasData && writeData) {
    TMemoryStream data;
    writeData(data);
    WritePropName(name);
    fDriver->WriteBinary(data.Memory(), static_cast<std::size_t>(data.Size()));
  }
  if (fKept) WriteKeptAfter(fPropPath + name);
}

void TWriter::WriteListBegin() {
  fDriver->BeginList();
}

void TWriter::WriteListEnd() {
  fDriver->EndList();
}

void TWriter::WriteInteger(int64_t value) {
  fDriver->WriteInteger(value);
}

void TWriter::WriteBoolean(bool value) {
  fDriver->WriteBoolean(value);
}

void TWriter::WriteChar(char value) {
  fDriver->WriteString(std::string(1, value));
}

void TWriter::WriteFloat(long double value) {
  fDriver->WriteFloat(value);
}

void TWriter::WriteSingle(float value) {
  fDriver->WriteSingle(value);
}

void TWriter::WriteCurrency(TCurrency value) {
  fDriver->WriteCurrency(value.Scaled);
}

void TWriter::WriteDate(double value) {
  fDriver->WriteDate(value);
}

void TWriter::WriteString(const std::string& value) {
  fDriver->WriteString(value);
}

void TWriter::WriteIdent(const std::string& value) {
  fDriver->WriteIdent(value);
}

void TWriter::WriteRawValue(std::string_view bytes) {
  fDriver->Write(bytes.data(), bytes.size());
}

void TWriter::WriteVariant(const Variant& value) {
  switch (value.VarType()) {
    case varEmpty:
      fDriver->WriteValue(vaNil);
      return;
    case varNull:
      fDriver->WriteValue(vaNull);
      return;
    case varSmallint:
    case varInteger:
    case varByte:
      WriteInteger(value.AsInteger());
      return;
    case varBoolean:
      WriteBoolean(value.AsBoolean());
      return;
    case varCurrency:
      fDriver->WriteCurrency(value.AsCurrency().Scaled);
      return;
    case varDate:
      fDriver->WriteDate(static_cast<double>(value.AsFloat()));
      return;
    case varSingle:
    case varDouble:
      WriteFloat(value.AsFloat());
      return;
    case varOleStr:
      fDriver->WriteWideString(EightBitToUtf16(value.AsString()));
      return;
    default:
      WriteString(value.AsString());
      return;
  }
}

void WriteComponent(TStream& stream, TComponent* instance) {
  TWriter writer(stream);
  writer.WriteRootComponent(instance);
}

}  // namespace dravik
