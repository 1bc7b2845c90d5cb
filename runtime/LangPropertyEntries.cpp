#include "runtime/LangPropertyEntries.h"

#include <utility>

#include "model/ValueBuffer.h"
#include "platform/core/filer/Filer.h"
#include "platform/core/streams/Stream.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

void CheckStringLine(const std::string& text, const std::string& what) {
  if (text.find_first_of("\r\n") != std::string::npos)
    throw EInvalidOperation("The " + what + " cannot contain a line break");
}

// --- TConsistentLangPropertyEntry ---------------------------------------------------------------

const TClassRecord& TConsistentLangPropertyEntry::StaticClass() {
  static const TClassRecord& record = TClassBuilder<TConsistentLangPropertyEntry, TPropertyEntry>(
                                          "TConsistentLangPropertyEntry", "Dravik")
                                          .Property("Count", &TConsistentLangPropertyEntry::Count,
                                                    &TConsistentLangPropertyEntry::SetCount)
                                          .Build();
  return record;
}

void TConsistentLangPropertyEntry::SetCount(int32_t count) {
  if (count < 1) count = 1;
  if (count != Count()) fSlots.resize(static_cast<std::size_t>(count));
}

void TConsistentLangPropertyEntry::CheckIndex(int index, const char* operation) const {
  if (index < 0 || index >= Count())
    throw Exception(ClassName() + "." + operation + ": Invalid index");
}

Variant TConsistentLangPropertyEntry::Stored(const Variant& value) {
  return BufferedValue(value);
}

void TConsistentLangPropertyEntry::CheckLine(const Variant& value) const {
  if (Index >= 0 && value.IsString())
    CheckStringLine(value.AsString(), "value of the named string " + Name);
}

bool TConsistentLangPropertyEntry::HasLangValue(int index) const {
  return index >= 0 && index < Count() && fSlots[static_cast<std::size_t>(index)].has_value();
}

Variant TConsistentLangPropertyEntry::GetLangValue(int index) const {
  CheckIndex(index, "GetLangValue");
  const auto& slot = fSlots[static_cast<std::size_t>(index)];
  return slot ? *slot : Variant::Null();
}

void TConsistentLangPropertyEntry::SetLangValue(int index, const Variant& value) {
  CheckIndex(index, "SetLangValue");
  CheckLine(value);
  fSlots[static_cast<std::size_t>(index)] = Stored(value);
}

void TConsistentLangPropertyEntry::ExchangeLangValues(int a, int b) {
  CheckIndex(a, "ExchangeLangValues");
  CheckIndex(b, "ExchangeLangValues");
  std::swap(fSlots[static_cast<std::size_t>(a)], fSlots[static_cast<std::size_t>(b)]);
}

void TConsistentLangPropertyEntry::AssignNew(const TConsistentLangPropertyEntry& source) {
  SetCount(source.Count());
  for (int i = 0; i < source.Count(); ++i) SetLangValue(i, source.GetLangValue(i));
}

void TConsistentLangPropertyEntry::Assign(const TPersistent* source) {
  TPropertyEntry::Assign(source);
  if (auto* other = dynamic_cast<const TConsistentLangPropertyEntry*>(source)) AssignNew(*other);
}

std::string TConsistentLangPropertyEntry::GetDescriptor(const std::string& prefix) const {
  if (Index >= 0) return prefix + Name + ": " + TypeName;
  return TPropertyEntry::GetDescriptor(prefix);
}

bool TConsistentLangPropertyEntry::IsValueValid(const std::string& text) {
  const Variant remembered = GetValue();
  try {
    SetValue(Variant(text));
    SetValue(remembered);
    return true;
  } catch (const Exception&) {
    SetValue(remembered);
    return false;
  }
}

// --- TInconsistentLangPropertyEntry -------------------------------------------------------------

const TClassRecord& TInconsistentLangPropertyEntry::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TInconsistentLangPropertyEntry, TConsistentLangPropertyEntry>(
          "TInconsistentLangPropertyEntry", "Dravik")
          .Build();
  return record;
}

Variant TInconsistentLangPropertyEntry::GetLangValue(int index) const {
  if (index == 0) return GetValue();
  return TConsistentLangPropertyEntry::GetLangValue(index);
}

void TInconsistentLangPropertyEntry::SetLangValue(int index, const Variant& value) {
  if (index == 0) {
    CheckLine(value);
    SetValue(value);
    return;
  }
  TConsistentLangPropertyEntry::SetLangValue(index, value);
}

void TInconsistentLangPropertyEntry::ExchangeLangValues(int a, int b) {
  CheckIndex(a, "ExchangeLangValues");
  CheckIndex(b, "ExchangeLangValues");
  if (a == b) return;
  if (a != 0 && b != 0) {
    TConsistentLangPropertyEntry::ExchangeLangValues(a, b);
    return;
  }
  auto& slot = fSlots[static_cast<std::size_t>(a == 0 ? b : a)];
  if (slot) CheckLine(*slot);
  Variant live = GetValue();
  SetValue(slot ? std::move(*slot) : Variant::Null());
  slot = Stored(live);
}

void TInconsistentLangPropertyEntry::AssignNew(const TConsistentLangPropertyEntry& source) {
  if (!dynamic_cast<const TInconsistentLangPropertyEntry*>(&source)) {
    TConsistentLangPropertyEntry::AssignNew(source);
    return;
  }
  // Both slots 0 are live properties: only the stored languages travel.
  SetCount(source.Count());
  for (int i = 1; i < source.Count(); ++i) SetLangValue(i, source.GetLangValue(i));
}

void TInconsistentLangPropertyEntry::DefineProperties(TFiler& filer) {
  TConsistentLangPropertyEntry::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Values", [this](TStream& stream) { LoadValues(stream); },
      [this](TStream& stream) { StoreValues(stream); }, true);
}

// Slots 1 to Count-1, each as a 32-bit size and a value buffer; size 0 is a slot without value.
void TInconsistentLangPropertyEntry::LoadValues(TStream& stream) {
  for (std::size_t i = 1; i < fSlots.size(); ++i) fSlots[i].reset();
  fReadBuffers.assign(fSlots.size(), std::nullopt);
  for (std::size_t i = 1; i < fSlots.size(); ++i) {
    int32_t size;
    stream.ReadBuffer(&size, sizeof size);
    if (size == 0) continue;
    if (size < 0 || size > stream.Size() - stream.Position())
      throw EReadError(Format("Values of %s: slot %d claims %d bytes", {Name, int(i), size}));
    std::string buffer(static_cast<std::size_t>(size), '\0');
    stream.ReadBuffer(buffer.data(), size);
    Variant value = BufferToVariant(buffer);
    CheckLine(value);
    if (VariantToBuffer(value) != buffer) fReadBuffers[i] = TReadBuffer{value, std::move(buffer)};
    fSlots[i] = std::move(value);
  }
}

void TInconsistentLangPropertyEntry::StoreValues(TStream& stream) const {
  for (std::size_t i = 1; i < fSlots.size(); ++i) {
    const bool asRead = i < fReadBuffers.size() && fReadBuffers[i] && fSlots[i] &&
                        *fSlots[i] == fReadBuffers[i]->Value;
    std::string buffer = asRead      ? fReadBuffers[i]->Bytes
                         : fSlots[i] ? VariantToBuffer(*fSlots[i])
                                     : std::string();
    auto size = static_cast<int32_t>(buffer.size());
    stream.WriteBuffer(&size, sizeof size);
    stream.WriteBuffer(buffer.data(), size);
  }
}

// --- TTagLangPropertyEntry ----------------------------------------------------------------------

const TClassRecord& TTagLangPropertyEntry::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TTagLangPropertyEntry, TConsistentLangPropertyEntry>("TTagLangPropertyEntry",
                                                                         "Dravik")
          .Build();
  return record;
}

}  // namespace dravik
