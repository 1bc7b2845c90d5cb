#include "runtime/LangPropertyEntries.h"

#include <utility>

#include "model/ClassInfo.h"
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

TConsistentLangPropertyEntry::~TConsistentLangPropertyEntry() {
  if (fLender) fLender->Forget(fLentRow);
}

void TConsistentLangPropertyEntry::SetCount(int32_t count) {
  if (count < 1) count = 1;
  auto& slots = Slots();
  fCount = count;
  if (slots.size() > static_cast<std::size_t>(count)) slots.resize(static_cast<std::size_t>(count));
}

std::optional<Variant>& TConsistentLangPropertyEntry::Slot(int index) {
  auto& slots = Slots();
  const auto at = static_cast<std::size_t>(index);
  if (at >= slots.size()) slots.resize(at + 1);
  return slots[at];
}

void TConsistentLangPropertyEntry::TakeBackTexts() const {
  TSwitchTexts& texts = *fLender;
  for (int32_t s = 1; s < texts.Slots(); ++s)
    *fSlots[static_cast<std::size_t>(s)]->StringValue() = texts.Text(s, fLentRow);
  texts.Return(fLentRow);
  fLent = false;
}

void TConsistentLangPropertyEntry::CheckIndex(int index, const char* operation) const {
  if (index < 0 || index >= Count())
    throw Exception(ClassName() + "." + operation + ": Invalid index");
}

Variant TConsistentLangPropertyEntry::Stored(Variant value) {
  return BufferedValue(std::move(value));
}

void TConsistentLangPropertyEntry::CheckLine(const Variant& value) const {
  if (Index >= 0 && value.IsString())
    CheckStringLine(value.AsString(), "value of the named string " + Name);
}

bool TConsistentLangPropertyEntry::HasLangValue(int index) const {
  if (index < 0 || index >= Count()) return false;
  const auto& slots = Slots();
  return static_cast<std::size_t>(index) < slots.size() &&
         slots[static_cast<std::size_t>(index)].has_value();
}

Variant TConsistentLangPropertyEntry::GetLangValue(int index) const {
  CheckIndex(index, "GetLangValue");
  return HasLangValue(index) ? *Slots()[static_cast<std::size_t>(index)] : Variant::Null();
}

void TConsistentLangPropertyEntry::SetLangValue(int index, Variant value) {
  CheckIndex(index, "SetLangValue");
  CheckLine(value);
  Slot(index) = Stored(std::move(value));
}

void TConsistentLangPropertyEntry::ExchangeLangValues(int a, int b) {
  CheckIndex(a, "ExchangeLangValues");
  CheckIndex(b, "ExchangeLangValues");
  std::swap(Slot(a), Slot(b));
}

void TConsistentLangPropertyEntry::AssignNew(const TConsistentLangPropertyEntry& source) {
  SetCount(source.Count());
  ReserveSlots();
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

Variant TConsistentLangPropertyEntry::EmptyLangValue() const {
  std::unique_ptr<TClassInfo> info;
  if (!GetClassInfo(info)) return Variant(std::string());
  Variant empty = info->EmptyValue();
  switch (info->Kind()) {
    case tkEnumeration:
    case tkSet:
      return info->FormatValue(empty.AsInteger());
    case tkFloat:
      return Variant(0.0);  // the empty string would be no number
    default:
      return empty;  // a character as its code, which is what the property takes
  }
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
  if (index == 0) return fRefused ? *fRefused : GetValue();
  return TConsistentLangPropertyEntry::GetLangValue(index);
}

void TInconsistentLangPropertyEntry::SetLangValue(int index, Variant value) {
  if (index == 0) {
    CheckLine(value);
    SetValue(value);
    fRefused.reset();
    return;
  }
  TConsistentLangPropertyEntry::SetLangValue(index, std::move(value));
}

void TInconsistentLangPropertyEntry::ExchangeLangValues(int a, int b) {
  CheckIndex(a, "ExchangeLangValues");
  CheckIndex(b, "ExchangeLangValues");
  if (a == b) return;
  if (a != 0 && b != 0) {
    TConsistentLangPropertyEntry::ExchangeLangValues(a, b);
    return;
  }
  auto& slot = Slot(a == 0 ? b : a);
  if (slot) CheckLine(*slot);
  // A slot without a value, or with Null, gives the empty value; a variant property takes Null.
  // The slot's value is moved out, not copied: the slot is given a value on every path below.
  Variant incoming;
  if (!slot) {
    incoming = Kind == tkVariant ? Variant::Null() : EmptyLangValue();
  } else if (Kind != tkVariant && (slot->IsNull() || slot->IsEmpty())) {
    incoming = EmptyLangValue();
  } else {
    incoming = std::move(*slot);
  }
  if (!fRefused) {
    Variant live;
    try {
      live = ExchangeValue(incoming);
    } catch (...) {
      // The property kept its value, which is the language's that slot goes to.
      slot = Stored(GetValue());
      fRefused = Stored(std::move(incoming));
      throw;
    }
    slot = Stored(std::move(live));
    return;
  }
  // The property shows a value of no language: the refused one is what the slot takes.
  Variant held = std::move(*fRefused);
  try {
    SetValue(incoming);
  } catch (...) {
    slot = Stored(std::move(held));
    fRefused = Stored(std::move(incoming));
    throw;
  }
  fRefused.reset();
  slot = Stored(std::move(held));
}

bool TInconsistentLangPropertyEntry::SwitchesAsText() const {
  if (Index >= 0 || fRefused || !PropInfo) return false;
  const TTypeKind kind = PropInfo->Kind();
  return kind == tkString || kind == tkLString || kind == tkWString;
}

bool TInconsistentLangPropertyEntry::ExchangeText(int slot, TObject& object, std::string& scratch) {
  // A slot without a text gives the empty value, the slow way.
  auto& slots = Slots();
  if (slot <= 0 || slot >= Count() || !SwitchesAsText() ||
      static_cast<std::size_t>(slot) >= slots.size())
    return false;
  std::optional<Variant>& stored = slots[static_cast<std::size_t>(slot)];
  if (!stored || stored->VarType() != varString || !PropInfo->String.Set) return false;
  const TTextAccess& text = PropInfo->Text;
  if (text.Ref) {
    scratch.assign(text.Ref(object, text));
  } else if (PropInfo->StringRef) {
    scratch.assign(PropInfo->StringRef(object));
  } else if (PropInfo->String.Get) {
    scratch = PropInfo->String.Get(object);
  } else {
    return false;
  }
  std::string& incoming = *stored->StringValue();
  try {
    if (text.Set)
      text.Set(object, incoming, text);
    else
      PropInfo->String.Set(object, incoming);
  } catch (...) {
    KeepRefusedText(slot);
    throw;
  }
  incoming.swap(scratch);
  return true;
}

bool TInconsistentLangPropertyEntry::LendTexts(const std::shared_ptr<TSwitchTexts>& texts,
                                               std::size_t row, TObject& object) {
  auto& slots = Slots();
  if (fLender) {
    fLender->Forget(fLentRow);
    fLender.reset();
  }
  if (Count() != texts->Slots() || !SwitchesAsText() || !PropInfo->Text.Ref ||
      !PropInfo->Text.Set || slots.size() < static_cast<std::size_t>(Count()))
    return false;
  // A slot without a text takes the slow way, which gives the type's empty value.
  for (int32_t s = 1; s < Count(); ++s) {
    const std::optional<Variant>& stored = slots[static_cast<std::size_t>(s)];
    if (!stored || stored->VarType() != varString) return false;
  }
  // Copied, not moved, and the slots' own freed: a row's texts then lie together in memory,
  // rows in the order a switch goes through them.
  texts->Text(0, row) = PropInfo->Text.Ref(object, PropInfo->Text);
  for (int32_t s = 1; s < Count(); ++s) {
    std::string& stored = *slots[static_cast<std::size_t>(s)]->StringValue();
    texts->Text(s, row) = stored;
    std::string().swap(stored);
  }
  texts->Lend(row, *this, object, PropInfo->Text);
  fLender = texts;
  fLentRow = row;
  fLent = true;
  return true;
}

void TInconsistentLangPropertyEntry::KeepRefusedText(int slot) {
  std::optional<Variant>& stored = Slot(slot);
  Variant refused(std::move(*stored));
  stored = Stored(GetValue());
  fRefused = Stored(std::move(refused));
}

void TInconsistentLangPropertyEntry::AssignNew(const TConsistentLangPropertyEntry& source) {
  if (!dynamic_cast<const TInconsistentLangPropertyEntry*>(&source)) {
    TConsistentLangPropertyEntry::AssignNew(source);
    return;
  }
  // Both slots 0 are live properties: only the stored languages travel.
  SetCount(source.Count());
  ReserveSlots();
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
  if (auto& slots = Slots(); slots.size() > 1) slots.resize(1);
  fReadBuffers.clear();
  // Each slot takes at least its size field: the stream's end, not Count, ends a bad list.
  for (int i = 1; i < Count(); ++i) {
    int32_t size;
    stream.ReadBuffer(&size, sizeof size);
    if (size == 0) continue;
    if (size < 0 || size > stream.Size() - stream.Position())
      throw EReadError(Format("Values of %s: slot %d claims %d bytes", {Name, int(i), size}));
    std::string buffer(static_cast<std::size_t>(size), '\0');
    stream.ReadBuffer(buffer.data(), size);
    Variant value = BufferToVariant(buffer);
    CheckLine(value);
    // A buffer that would encode otherwise (a small integer, Windows-1252 text) is written back
    // as it was read while its slot keeps the value.
    if (VariantToBuffer(value) != buffer) {
      const auto k = static_cast<std::size_t>(i);
      if (fReadBuffers.size() <= k) fReadBuffers.resize(k + 1);
      fReadBuffers[k] = TReadBuffer{value, std::move(buffer)};
    }
    Slot(i) = std::move(value);
  }
}

void TInconsistentLangPropertyEntry::StoreValues(TStream& stream) const {
  const auto& slots = Slots();
  for (int i = 1; i < Count(); ++i) {
    const auto k = static_cast<std::size_t>(i);
    const bool asRead = k < fReadBuffers.size() && fReadBuffers[k] && HasLangValue(i) &&
                        *slots[k] == fReadBuffers[k]->Value;
    std::string buffer = asRead            ? fReadBuffers[k]->Bytes
                         : HasLangValue(i) ? VariantToBuffer(*slots[k])
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
