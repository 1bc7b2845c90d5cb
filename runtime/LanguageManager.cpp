#include "runtime/LanguageManager.h"

#include <optional>

#include <algorithm>
#include <exception>
#include <typeinfo>
#include <unordered_set>
#include <vector>

#include "platform/core/classes/Strings.h"
#include "platform/core/classes/StructureGeneration.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/forms/Application.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "runtime/StandInEntries.h"

namespace dravik {

const TTypeInfo& TypeInfoFor(TCreateMode) {
  static const TTypeInfo& info =
      MakeEnumType("TCreateMode", {"cmNone", "cmConsistent", "cmInconsistent"});
  return info;
}

const TTypeInfo& TypeInfoFor(TSyncCountMode) {
  static const TTypeInfo& info =
      MakeEnumType("TSyncCountMode", {"cmInitNone", "cmInitDefault", "cmInitAll"});
  return info;
}

const TClassRecord& TLanguageManager::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TLanguageManager, TObject>("TLanguageManager", "Dravik").Build();
  return record;
}

TLanguageManager::TLanguageManager(TComponent* owner, TCreateMode mode,
                                   TPersistent* collectionOwner, TComponent* control,
                                   const TClassRecord* entryClass)
    : fHasFormOwner(owner && owner != Application),
      fOwner(owner),
      fControl(control),
      fLangs(std::make_unique<TLanguageEntries>(collectionOwner)) {
  if (mode != cmNone) {
    if (!entryClass)
      entryClass = mode == cmConsistent ? &TConsistentLangPropertyEntry::StaticClass()
                                        : &TInconsistentLangPropertyEntry::StaticClass();
    fComps = std::make_unique<TComponentEntries>(collectionOwner, entryClass);
    fComps->SetAssignMode(false);
    fComps->OnAssign = [this](TBaseEntries*, const TPersistent*) { OnCompsAssign(); };
  }
  fNames = std::make_unique<TStringList>();
  fValues = std::make_unique<TStringList>();
}

TLanguageManager::~TLanguageManager() {
  fValues.reset();
  fNames.reset();
  fComps.reset();
  fLangs.reset();
}

void TLanguageManager::Fail(const std::string& operationAndReason) const {
  throw Exception(ClassName() + "." + operationAndReason);
}

void TLanguageManager::ForEachLangEntry(
    const std::function<void(TConsistentLangPropertyEntry&)>& proc) {
  if (!fComps) return;
  fComps->ForEachPropertyEntry([&](TMainEntry*, TPropertyEntry* property, bool&) {
    // Entries are nearly always of the class the tree creates: checked first, as a cast costs more.
    if (typeid(*property) == typeid(TInconsistentLangPropertyEntry)) {
      proc(*static_cast<TInconsistentLangPropertyEntry*>(property));
    } else if (auto* entry = dynamic_cast<TConsistentLangPropertyEntry*>(property)) {
      proc(*entry);
    }
  });
}

void TLanguageManager::Init(TSyncCountMode mode) {
  if (fComps) {
    DescribeStandIns(*fComps);
    // The string entries must see their list while the tree is validated.
    if (TMainEntry* strings = GetStringInterface(false)) strings->SetObject(fValues.get());
    fComps->Init();
  }
  CheckStringLines();
  SyncCount(mode);
  if (TMainEntry* strings = fControl && fComps ? GetStringInterface(false) : nullptr)
    strings->SetObject(fValues.get());
}

void TLanguageManager::Clear() {
  if (fComps) fComps->Clear();
  fNames->Clear();
  fValues->Clear();
  fLangs->Clear();
}

void TLanguageManager::Assign(const TLanguageManager& source) {
  fHasFormOwner = source.fHasFormOwner;
  fOwner = source.fOwner;
  fControl = source.fControl;
  fLangs->Assign(source.fLangs.get());
  fNames->Assign(source.fNames.get());
  if (fComps && source.fComps) {
    fComps->Assign(source.fComps.get());
  } else {
    fValues->Assign(source.fValues.get());
  }
}

void TLanguageManager::SwapContent(TLanguageManager& other) {
  StructureChanged();
  std::swap(fLangs, other.fLangs);
  std::swap(fComps, other.fComps);
  std::swap(fNames, other.fNames);
  std::swap(fValues, other.fValues);
  for (TLanguageManager* manager : {this, &other})
    if (manager->fComps)
      manager->fComps->OnAssign = [manager](TBaseEntries*, const TPersistent*) {
        manager->OnCompsAssign();
      };
}

Variant TLanguageManager::InitialValue(TConsistentLangPropertyEntry& entry, TSyncCountMode mode,
                                       int oldCount, int slot) {
  if (mode == cmInitAll) return oldCount >= 1 ? entry.GetLangValue(0) : entry.GetValue();
  if (mode == cmInitDefault && oldCount == 0 && slot == 0) return entry.GetValue();
  return entry.EmptyLangValue();
}

void TLanguageManager::SyncCount(TSyncCountMode mode) {
  const int count = std::max(GetLangCount(), 1);
  ForEachLangEntry(
      [&](TConsistentLangPropertyEntry& entry) { SyncEntryCount(entry, count, mode); });
}

void TLanguageManager::SyncEntryCount(TConsistentLangPropertyEntry& entry, int count,
                                      TSyncCountMode mode) {
  const int old = entry.Count();
  if (count == old) return;
  entry.SetCount(count);
  entry.ReserveSlots();
  // Every new slot starts with the same value, but for the first slot of an entry that had
  // none in cmInitDefault: it is worked out once per entry, not once per slot.
  std::optional<Variant> shared;
  for (int slot = old; slot < count; ++slot) {
    const bool first = mode == cmInitDefault && old == 0 && slot == 0;
    if (!first && shared) {
      entry.SetLangValue(slot, *shared);
      continue;
    }
    Variant value(VarToStr(InitialValue(entry, mode, old, slot)));
    entry.SetLangValue(slot, value);
    if (!first) shared = std::move(value);
  }
}

void TLanguageManager::AssignLangsAndSync(const TLanguageEntries& newLangs, TSyncCountMode mode) {
  fLangs->Assign(&newLangs);
  auto highest = [this] {
    int32_t m = -1;
    for (int i = 0; i < GetLangCount(); ++i) m = std::max(m, fLangs->Items(i)->SubIndex);
    return m;
  };
  int32_t m = highest();
  for (int32_t i = 0; i <= m; ++i) {
    if (fLangs->IndexOfSubIndex(i) >= 0) continue;
    int32_t c = i + 1;
    while (c <= m && fLangs->IndexOfSubIndex(c) < 0) ++c;
    if (c > m) break;
    ForEachLangEntry([&](TConsistentLangPropertyEntry& entry) {
      if (c < entry.Count() && i < entry.Count()) entry.SetLangValue(i, entry.GetLangValue(c));
    });
    fLangs->Items(fLangs->IndexOfSubIndex(c))->SubIndex = i;
  }
  m = highest();
  ForEachLangEntry([&](TConsistentLangPropertyEntry& entry) { entry.SetCount(m + 1); });
  for (int i = 0; i < GetLangCount(); ++i)
    if (fLangs->Items(i)->SubIndex < 0) fLangs->Items(i)->SubIndex = ++m;
  SyncCount(mode);
  for (int i = 0; i < GetLangCount(); ++i) {
    TLanguageEntry* language = fLangs->Items(i);
    if (!language->Marked) continue;
    language->Marked = false;
    SetLanguageByIndex(i);
    break;
  }
}

void TLanguageManager::BindForSwitch() {
  DescribeStandIns(*fComps);
  if (TMainEntry* strings = GetStringInterface(false)) strings->SetObject(fValues.get());
  fComps->Init();
  fBoundGeneration = StructureGeneration();
  fSwitchTable.clear();
  ForEachLangEntry([this](TConsistentLangPropertyEntry& entry) {
    TSwitchRow row{&entry, nullptr, nullptr};
    const TMainEntry* parent = entry.ParentEntry();
    if (typeid(entry) == typeid(TInconsistentLangPropertyEntry) && parent &&
        parent->SubType().Contains(stPubPropObject)) {
      row.Text = static_cast<TInconsistentLangPropertyEntry*>(&entry);
      row.Object = parent->Object();
    }
    fSwitchTable.push_back(row);
  });
  fSwitchTexts.reset();
  LendSwitchTexts();
}

void TLanguageManager::LendSwitchTexts() {
  const int32_t slots = GetLangCount();
  if (fSwitchTexts && fSwitchTexts->Slots() == slots && fSwitchTexts->Returned() == 0) return;
  if (!fSwitchTexts || fSwitchTexts->Slots() != slots)
    fSwitchTexts = std::make_shared<TSwitchTexts>(slots, fSwitchTable.size());
  for (std::size_t i = 0; i < fSwitchTable.size(); ++i) {
    const TSwitchRow& row = fSwitchTable[i];
    if (row.Object && !fSwitchTexts->IsLent(i)) row.Text->LendTexts(fSwitchTexts, i, *row.Object);
  }
  fSwitchTexts->ForgetReturned();
}

bool TLanguageManager::SetLanguageByIndex(int index) {
  TLanguageEntry* target = fLangs->Items(index);
  const int32_t k = target->SubIndex;
  if (k <= 0) return false;
  // The tree is bound again only when components, collections or lists changed since it was.
  if (fComps && fBoundGeneration != StructureGeneration())
    BindForSwitch();
  else
    LendSwitchTexts();
  const int active = fLangs->IndexOfSubIndex(0);
  if (active < 0) Fail("SetLanguageByIndex: Active language not found");
  fLangs->Items(active)->SubIndex = k;
  target->SubIndex = 0;
  // An entry whose property refuses its value keeps each value with its language; the others
  // still switch, so that no entry is left a language behind the rest. The first failure is
  // reported after, naming the entry.
  std::exception_ptr failure;
  auto report = [&](TConsistentLangPropertyEntry& entry, auto&& exchange) {
    try {
      exchange();
    } catch (Exception& e) {
      if (failure) return;
      e.SetMessage(Format("%s in language %s: %s", {EntryKey(entry), target->Name, e.Message()}));
      failure = std::current_exception();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  };
  // Taken for this switch: a setter that switches this manager again uses a buffer of its own.
  std::string scratch = std::move(fSwitchScratch);
  auto exchange = [&](TConsistentLangPropertyEntry& entry, TInconsistentLangPropertyEntry* text,
                      TObject* object) {
    report(entry, [&] {
      if (object && text->ExchangeText(k, *object, scratch)) return;
      entry.ExchangeLangValues(0, k);
    });
  };
  // Held for this switch, and used while it is still the manager's: texts that a setter switching
  // this manager again lends anew leave these rows, whose entries then switch themselves.
  const std::shared_ptr<TSwitchTexts> texts =
      fSwitchTexts && k < fSwitchTexts->Slots() ? fSwitchTexts : nullptr;
  std::size_t i = 0;
  auto bound = [&] { return fBoundGeneration == StructureGeneration(); };
  // A setter that changes the structure (frees a component, and with it its entries) ends the
  // table's part: the entries not yet switched are found in the tree as it is now.
  while (i < fSwitchTable.size() && bound()) {
    if (texts && texts == fSwitchTexts && texts->IsLent(i)) {
      try {
        texts->ExchangeRun(i, fSwitchTable.size(), k,
                           [&] { return bound() && texts == fSwitchTexts; });
      } catch (...) {
        // Row i's setter refused its text: the entry keeps each text with its language.
        TInconsistentLangPropertyEntry* entry = texts->Entry(i++);
        if (!entry) {
          if (!failure) failure = std::current_exception();
          continue;
        }
        report(*entry, [&] {
          entry->KeepRefusedText(k);
          throw;  // what the setter raised, named after the entry
        });
      }
      continue;
    }
    const TSwitchRow& row = fSwitchTable[i++];
    exchange(*row.Entry, row.Text, row.Object);
  }
  if (i < fSwitchTable.size()) {
    std::unordered_set<const TConsistentLangPropertyEntry*> switched;
    for (std::size_t done = 0; done < i; ++done) switched.insert(fSwitchTable[done].Entry);
    fSwitchTable.clear();
    fBoundGeneration = 0;  // bound again at the next switch
    ForEachLangEntry([&](TConsistentLangPropertyEntry& entry) {
      if (!switched.contains(&entry)) exchange(entry, nullptr, nullptr);
    });
  }
  fSwitchScratch = std::move(scratch);
  if (failure) std::rethrow_exception(failure);
  return true;
}

std::string TLanguageManager::EntryKey(const TPropertyEntry& entry) const {
  if (IsStringEntry(entry)) return "#" + fNames->Strings(entry.Index);
  std::string key = entry.Name;
  for (const TMainEntry* parent = entry.ParentEntry(); parent;
       parent = parent->GetParent() ? parent->GetParent()->GetParent() : nullptr)
    key = parent->Name + "." + key;
  return key;
}

void TLanguageManager::DefineProperties(TFiler& filer, const std::string& prefix) {
  auto readCollection = [](TReader& reader, TCollection& collection) {
    collection.Clear();
    if (reader.ReadValue() != vaCollection) throw EReadError("Collection expected");
    reader.ReadCollection(collection);
  };
  filer.DefineProperty(
      prefix + "Langs",
      [this, readCollection](TReader& r) {
        readCollection(r, *fLangs);
        CheckSubIndices();
      },
      [this](TWriter& w) { w.WriteCollection(*fLangs); }, true);
  if (fComps)
    filer.DefineProperty(
        prefix + "Comps",
        [this, readCollection](TReader& r) {
          readCollection(r, *fComps);
          // Slots beyond the languages would go when the form is loaded; they go at once, so
          // that no count read from the stream decides how far later work runs.
          const int32_t count = std::max(GetLangCount(), 1);
          ForEachLangEntry([count](TConsistentLangPropertyEntry& entry) {
            if (entry.Count() > count) entry.SetCount(count);
          });
        },
        [this](TWriter& w) { w.WriteCollection(*fComps); }, true);
  auto lines = [](const TStringList& list, const std::string& what) {
    std::string text;
    for (int i = 0; i < list.Count(); ++i) {
      std::string line = list.Strings(i);
      CheckStringLine(line, what);
      text += line + "\r\n";
    }
    return text;
  };
  filer.DefineProperty(
      prefix + "Names",
      [this](TReader& r) {
        fNames->SetText(r.ReadString());
        StringListRead(kNamesRead);
      },
      [this, lines](TWriter& w) {
        CheckStringLines();
        w.WriteString(lines(*fNames, "name of a named string"));
      },
      true);
  filer.DefineProperty(
      prefix + "Values",
      [this](TReader& r) {
        fValues->SetText(r.ReadString());
        StringListRead(kValuesRead);
      },
      [this, lines](TWriter& w) { w.WriteString(lines(*fValues, "value of a named string")); },
      true);
}

// Each language must have a slot of its own among 0 to n-1, so that one of them is active and
// a switch finds the slot it exchanges with; anything else would move values between languages.
void TLanguageManager::CheckSubIndices() const {
  const int count = GetLangCount();
  std::vector<int> owner(static_cast<std::size_t>(count), -1);
  for (int i = 0; i < count; ++i) {
    const TLanguageEntry* language = fLangs->Items(i);
    if (language->SubIndex < 0 || language->SubIndex >= count)
      throw EReadError(Format("Language '%s' has slot %d, outside 0 to %d",
                              {language->Name, language->SubIndex, count - 1}));
    int& first = owner[static_cast<std::size_t>(language->SubIndex)];
    if (first >= 0)
      throw EReadError(Format("Languages '%s' and '%s' have the same slot %d",
                              {fLangs->Items(first)->Name, language->Name, language->SubIndex}));
    first = i;
  }
}

// Names and values of named strings are stored apart; once both are read they must pair up.
void TLanguageManager::StringListRead(unsigned list) {
  fStringListsRead |= list;
  if (fStringListsRead != (kNamesRead | kValuesRead)) return;
  fStringListsRead = 0;
  if (fNames->Count() != fValues->Count())
    throw EReadError(
        Format("The named strings of %s have %d names but %d values",
               {fControl ? fControl->Name() : std::string(), fNames->Count(), fValues->Count()}));
}

void TLanguageManager::CheckStringLines() const {
  if (fNames->Count() != fValues->Count())
    throw Exception(
        Format("Named strings: %d names but %d values", {fNames->Count(), fValues->Count()}));
}

}  // namespace dravik
