#pragma once
// Property entries with one value per language. A consistent entry keeps every language's value
// in a slot; an inconsistent entry (the kind a TDravik stores) has the live property as slot 0
// and keeps only the other languages, which it streams as the binary property "Values".

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/ComponentExplorerTools.h"
#include "runtime/SwitchTexts.h"

namespace dravik {

class TStream;

// Refuses a named string's name or value that one stored line cannot hold (a line break):
// EInvalidOperation naming what it is.
void CheckStringLine(const std::string& text, const std::string& what);

class TConsistentLangPropertyEntry : public TPropertyEntry {
 public:
  explicit TConsistentLangPropertyEntry(TCollection* collection) : TPropertyEntry(collection) {}
  ~TConsistentLangPropertyEntry() override;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  int32_t Count() const { return fCount; }
  // Resizes to count slots (at least 1); dropped slots lose their values, new ones have none.
  void SetCount(int32_t count);
  // Room for every slot, for a caller about to give each a value: one allocation, not a
  // growing vector's several (SetCount alone allocates nothing, for counts read from streams).
  void ReserveSlots() { Slots().reserve(static_cast<std::size_t>(fCount)); }

  // A slot without a value reads as Null.
  virtual Variant GetLangValue(int index) const;
  virtual void SetLangValue(int index, Variant value);
  virtual void ExchangeLangValues(int a, int b);
  // Count and every slot's value from source.
  virtual void AssignNew(const TConsistentLangPropertyEntry& source);
  void Assign(const TPersistent* source) override;
  std::string GetDescriptor(const std::string& prefix) const override;
  // Whether the live property accepts text; the live value is put back either way.
  bool IsValueValid(const std::string& text);
  // Whether a slot holds a value (a stream writes an empty slot as size 0).
  bool HasLangValue(int index) const;
  // What a language without a value of its own shows: the empty value of the property's type
  // as the property takes it (enumerations and sets by name, numbers and characters as numbers:
  // 0 for a float), or an empty string where the type is not known.
  Variant EmptyLangValue() const;

 protected:
  void CheckIndex(int index, const char* operation) const;
  // The value as a value buffer brings it back; refuses what a buffer cannot hold.
  static Variant Stored(Variant value);
  std::optional<Variant>& Slot(int index);  // index within Count
  // A named string's values are lines of a list: a line break cannot enter them.
  void CheckLine(const Variant& value) const;
  // The slots, with any texts lent to a switch taken back first.
  std::vector<std::optional<Variant>>& Slots() const {
    if (fLent) TakeBackTexts();
    return fSlots;
  }
  void TakeBackTexts() const;

  // Slots are kept up to the last one that was given a value, not up to Count: a count read
  // from a stream decides no allocation.
  int32_t fCount = 0;
  // While fLent, a switch holds the texts of slots 1 and on in row fLentRow of fLender and the
  // slots keep emptied texts: Slots() is the only way to them. The row stays this entry's after
  // it is taken back, until the entry is lent elsewhere or goes. Mutable for taking back, which
  // changes no value.
  mutable std::shared_ptr<TSwitchTexts> fLender;
  mutable std::size_t fLentRow = 0;
  mutable bool fLent = false;

 private:
  mutable std::vector<std::optional<Variant>> fSlots;
};

class TInconsistentLangPropertyEntry : public TConsistentLangPropertyEntry {
 public:
  explicit TInconsistentLangPropertyEntry(TCollection* collection)
      : TConsistentLangPropertyEntry(collection) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // Slot 0 is the live value, or the active language's value that the property refused.
  Variant GetLangValue(int index) const override;
  void SetLangValue(int index, Variant value) override;
  // Between slot 0 and a stored slot: the stored value goes into the property (a slot without
  // one, or with Null, gives EmptyLangValue; a variant property takes Null) and the live value
  // into the slot. When the property refuses the
  // value, the entry holds it as slot 0 and the slot takes the live value all the same, so
  // that each value stays with its language after the caller's swap of the sub-indices; the
  // exception passes on.
  void ExchangeLangValues(int a, int b) override;
  // ExchangeLangValues(0, slot) for a text property of object that slot holds a text for: the
  // live text goes into the slot through scratch, whose buffer the caller hands from entry to
  // entry, so that no text is allocated. False, with nothing done, where that does not apply.
  bool ExchangeText(int slot, TObject& object, std::string& scratch);
  // Lends slots 1 and on to row of texts, where a switch between texts.Slots() languages
  // exchanges texts through object's property (as ExchangeText would); false, with nothing
  // lent, where it would not.
  bool LendTexts(const std::shared_ptr<TSwitchTexts>& texts, std::size_t row, TObject& object);
  // After the property refused the text of slot: the entry holds that text as slot 0 and the
  // slot takes the live value, which is the language's that the slot goes to, as
  // ExchangeLangValues does.
  void KeepRefusedText(int slot);
  void AssignNew(const TConsistentLangPropertyEntry& source) override;
  void DefineProperties(TFiler& filer) override;
  // Whether slot 0 holds a value the property refused, which the live property does not show.
  bool HoldsRefusedValue() const { return fRefused.has_value(); }

 private:
  void LoadValues(TStream& stream);
  void StoreValues(TStream& stream) const;
  // Whether a switch may exchange the texts as they are: a text property's, not a named
  // string's line (which must be checked), with no refused value held.
  bool SwitchesAsText() const;

  std::optional<Variant> fRefused;  // slot 0's value while the property refuses it

  // A slot's buffer as read, where encoding its value again would give other bytes (a small
  // integer, a single, Windows-1252 text): written as read while the slot holds that value.
  struct TReadBuffer {
    Variant Value;
    std::string Bytes;
  };
  std::vector<std::optional<TReadBuffer>> fReadBuffers;
};

// An entry with a number beside its values, for the import's scratch data.
class TTagLangPropertyEntry : public TConsistentLangPropertyEntry {
 public:
  explicit TTagLangPropertyEntry(TCollection* collection)
      : TConsistentLangPropertyEntry(collection) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  int32_t Tag = 0;

  // Whether a file gave slot a value; the first 64 slots without an allocation.
  bool Given(int slot) const {
    if (slot < 0) return false;
    if (slot < 64) return (fGivenLow >> slot) & 1u;
    const auto high = static_cast<std::size_t>(slot - 64);
    return high < fGivenHigh.size() && fGivenHigh[high];
  }
  void SetGiven(int slot) {
    if (slot < 0) return;
    if (slot < 64) {
      fGivenLow |= uint64_t(1) << slot;
      return;
    }
    const auto high = static_cast<std::size_t>(slot - 64);
    if (fGivenHigh.size() <= high) fGivenHigh.resize(high + 1);
    fGivenHigh[high] = true;
  }

 private:
  uint64_t fGivenLow = 0;
  std::vector<bool> fGivenHigh;
};

}  // namespace dravik
