// The translators' text file of a language manager: export, the list of its sections, import.

#include <algorithm>
#include <cerrno>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "library/FileTools.h"
#include "library/LogFile.h"
#include "model/ClassInfo.h"
#include "model/ComponentExplorer.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "runtime/Dravik.h"
#include "runtime/LanguageFile.h"
#include "runtime/LanguageManager.h"

namespace dravik {

const TTypeInfo& TypeInfoFor(TImportMode) {
  static const TTypeInfo& info =
      MakeEnumType("TImportMode", {"imClearExisting", "imAddAll", "imAddNotExisting"});
  return info;
}

namespace {

constexpr int32_t kImported = 1;  // the entry received a value from the file
constexpr int32_t kInitDone = 2;  // its other slots were given the active value once

std::string ReplaceFirst(std::string text, std::string_view from, std::string_view to) {
  if (const std::size_t at = text.find(from); at != std::string::npos)
    text.replace(at, from.size(), to);
  return text;
}

// The key of a property in the file: "Items.Strings[3]" is "Items%3", "Buttons[0].Caption"
// is "Buttons%0.Caption".
std::string FileKey(std::string path, const TPropertyEntry& entry) {
  const TMainEntry* parent = entry.ParentEntry();
  if (parent && parent->SubType().Contains(stTStringsObject))
    path = ReplaceFirst(path, ".Strings[", "[");
  std::string key;
  for (char c : path)
    if (c == '[') {
      key += '%';
    } else if (c != ']') {
      key += c;
    }
  return key;
}

// The file's key as a path again: "%3" is "[3]".
void PathOfKey(std::string_view key, std::string& path) {
  path.clear();
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (key[i] != '%') {
      path += key[i];
      continue;
    }
    path += '[';
    while (i + 1 < key.size() && key[i + 1] >= '0' && key[i + 1] <= '9') path += key[++i];
    path += ']';
  }
}

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

void TLanguageManager::ExportLanguages(const std::string& fileName, TLogFile* log) const {
  SaveFileAtomically(fileName, ExportText(log));
}

void TLanguageManager::ForEachExportKey(const TExportKeyProc& proc) const {
  const std::string control = fControl ? fControl->Name() : "";
  for (int c = 0; fComps && c < fComps->Count(); ++c) {
    TComponentEntry* component = fComps->Items(c);
    const std::string part =
        fHasFormOwner && component->Ref() == fOwner ? fOwner->ClassName() : component->Name;
    TStringList paths;
    component->MoveSubItemsToStrings(true, paths);
    paths.Sort();
    for (int p = 0; p < paths.Count(); ++p) {
      const auto& entry = *static_cast<TConsistentLangPropertyEntry*>(paths.Objects(p));
      const std::string key = IsStringEntry(entry) ? control + ".#" + fNames->Strings(entry.Index)
                                                   : part + "." + FileKey(paths.Strings(p), entry);
      proc(key, component->Name + "." + paths.Strings(p), entry);
    }
  }
}

std::string TLanguageManager::ExportText(TLogFile* log) const {
  const std::string prefix = fHasFormOwner ? fOwner->ClassName() + "." : ".";
  std::string text;
  try {
    for (int l = 0; l < GetLangCount(); ++l) {
      const TLanguageEntry* language = fLangs->Items(l);
      text += "[" + prefix + language->Name + "]\r\n";
      ForEachExportKey([&](const std::string& key, const std::string& where,
                           const TConsistentLangPropertyEntry& entry) {
        if (log) log->WriteValue("BEGIN " + where);
        const std::string value = LanguageText(entry, language->SubIndex);
        if (HasLineBreak(value))
          throw EConvertError(
              Format("The value of %s in %s holds a line break, which a language file cannot hold",
                     {where, language->Name}));
        text += key + "='" + value + "'\r\n";
        if (log) log->WriteValue("  END " + where);
      });
      text += "\r\n";
    }
  } catch (const Exception& e) {
    if (log) log->WriteValue(Format("Export error: %s.Message = %s", {e.ClassName(), e.Message()}));
    throw;
  }
  return text;
}

std::string TLanguageManager::LanguageText(const TConsistentLangPropertyEntry& entry, int slot) {
  return slot >= 0 && slot < entry.Count() ? VarToStr(entry.GetLangValue(slot)) : std::string();
}

void TLanguageManager::GetAvailLangSections(const std::string& fileName, TStrings& list) {
  if (!FileExist(fileName)) return;
  const TLanguageFile file(fileName);
  list.Clear();
  for (const TLanguageSection& section : file.Sections())
    list.Add(ReplaceFirst(section.Name, ".", "="));
}

namespace {

// The slot counts the languages added by the importers of one import reached, in turn, each
// with the way its new slots were filled. An entry takes them when it is first given a value,
// so entries no line names (most of a form's properties) never get slots; entries given values
// take a new step at once.
using TSlotSteps = std::vector<std::pair<int, TSyncCountMode>>;

// Which properties a translator's file may give a value: never a component's Name nor the
// properties of a TDravik (a switch would rename components or change languages); with the
// explorer's settings, what they admit and what the form translates already; without, what
// the property chooser offers by default
// (Caption, Hint, Text and lines of string lists) where it holds text, and every property the
// form translates already, whatever its kind.
class TTranslatable {
 public:
  TTranslatable(const TLanguageManager& scratch, const TLanguageManager& before, bool bySettings)
      : fScratch(scratch), fBefore(before), fBySettings(bySettings) {
    fChooser.SetPropFilter({pfCaption, pfHint, pfStrings, pfText});
  }

  bool operator()(const TPropertyEntry& entry) {
    const TMainEntry* parent = entry.ParentEntry();
    const TMainEntry* top = parent;
    while (top && top->GetParent() && top->GetParent()->GetParentObject())
      top = top->GetParent()->GetParentObject();
    if (top && dynamic_cast<const TDravik*>(top->Object())) return false;
    if (parent == top && SameText(entry.Name, "Name")) return false;
    if (fBySettings) return true;
    const bool text = !entry.PropInfo || entry.Kind == tkString || entry.Kind == tkLString ||
                      entry.Kind == tkWString;
    if (text && fVisibility.IsPropVisible(entry.Name, entry.TypeName, nullptr, entry.PropInfo))
      return true;
    if (!fOwnIndexed && fBefore.Comps())
      fBefore.Comps()->ForEachPropertyEntry([&](TMainEntry*, TPropertyEntry* own, bool&) {
        fOwn.insert(UpperCase(fBefore.EntryKey(*own)));
      });
    fOwnIndexed = true;
    return fOwn.count(UpperCase(fScratch.EntryKey(entry))) > 0;
  }

 private:
  const TLanguageManager& fScratch;
  const TLanguageManager& fBefore;
  bool fBySettings;
  TCESettings fChooser;
  TPropVisibility fVisibility{fChooser};
  std::unordered_set<std::string> fOwn;  // the keys of the form's own entries, in upper case
  bool fOwnIndexed = false;
};

// Whether a file's text fits the property: an enumeration one of its names, an integer an
// integer, and so on; text and lines of string lists take any.
bool FitsType(const TPropertyEntry& entry, std::string_view value) {
  if (!entry.PropInfo || entry.Kind == tkString || entry.Kind == tkLString ||
      entry.Kind == tkWString)
    return true;
  std::unique_ptr<TClassInfo> info;
  return entry.GetClassInfo(info) && info->Accepts(Variant(std::string(value)));
}

// One import into a scratch manager: the rules by which a line of a section finds its entry.
class TImporter {
 public:
  // translatable, when given, decides which entries the file may give values, each checked
  // against its type; without it every entry takes its text (the form's own data going back).
  TImporter(TLanguageManager& scratch, TSlotSteps& steps, bool initAll,
            TTranslatable* translatable = nullptr)
      : fScratch(scratch), fSteps(steps), fInitAll(initAll), fTranslatable(translatable) {}

  // Imports the sections (in the "Class=Language" form) of file.
  void ImportSections(const TLanguageFile& file, const std::vector<std::string>& sections,
                      TStrings* adjusted, TStrings* rejected) {
    if (!fIndexed) IndexPaths();
    // The languages first: those that are new make one step of slot counts.
    std::vector<int> slots;
    bool added = false;
    for (const std::string& chosen : sections)
      slots.push_back(LanguageSlot(ReplaceFirst(chosen, "=", "."), added));
    if (added) AddStep();
    for (std::size_t s = 0; s < sections.size(); ++s) {
      const std::string section = ReplaceFirst(sections[s], "=", ".");
      const TLanguageSection* found = file.Find(section);
      if (!found) continue;
      const int slot = slots[s];
      for (std::string_view raw : found->Lines) {
        const std::string_view value = CleanLine(raw, fLine);
        const std::string& line = fLine;
        bool wasAdjusted = false;
        if (slot >= 0 && ImportLine(line, value, slot, wasAdjusted)) {
          if (wasAdjusted && adjusted) adjusted->Add("[" + section + "]=" + line);
        } else if (rejected) {
          rejected->Add("[" + section + "]=" + line);
        }
      }
    }
    GivePending();
  }

 private:
  // key=value with the value trimmed and one pair of enclosing quotes taken off, as line; the
  // value itself is answered as a view into raw, which outlives the values waiting for entries.
  static std::string_view CleanLine(std::string_view raw, std::string& line) {
    const std::size_t eq = raw.find('=');
    std::string_view key = raw.substr(0, eq);
    while (!key.empty() && IsBlankOrControl(key.front())) key.remove_prefix(1);
    line.assign(key);
    if (eq == std::string_view::npos) return {};
    std::string_view value = TrimView(raw.substr(eq + 1));
    if (value.size() > 1 && value.front() == '\'' && value.back() == '\'')
      value = value.substr(1, value.size() - 2);
    line.append(1, '=').append(value);
    return value;
  }

  void AddStep() {
    const int count = std::max(fScratch.GetLangCount(), 1);
    const TSyncCountMode mode = fInitAll ? cmInitAll : cmInitNone;
    fSteps.emplace_back(count, mode);
    fScratch.Comps()->ForEachPropertyEntry([&](TMainEntry*, TPropertyEntry* property, bool&) {
      auto& entry = static_cast<TTagLangPropertyEntry&>(*property);
      if (entry.Tag & kImported) fScratch.SyncEntryCount(entry, count, mode);
    });
  }

  // The slot of the section's language, added when the manager lacks it; -1 without a name.
  int LanguageSlot(const std::string& section, bool& added) {
    const std::size_t dot = section.find('.');
    std::string name = section;
    if (dot != std::string::npos)
      name = dot + 1 == section.size() ? section.substr(0, dot) : section.substr(dot + 1);
    if (name.empty()) return -1;
    TLanguageEntries* langs = fScratch.Langs();
    int index = langs->IndexOfName(name);
    if (index < 0) {
      TLanguageEntry* language = langs->Add();
      language->Name = name;
      language->SubIndex = langs->Count() - 1;
      added = true;
      index = langs->Count() - 1;
    }
    return langs->Items(index)->SubIndex;
  }

  // line as CleanLine made it, value the view it answered.
  bool ImportLine(std::string_view line, std::string_view value, int slot, bool& adjusted) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || eq == 0) return false;
    const std::string_view key = line.substr(0, eq);
    if (const std::size_t hash = key.find(".#"); hash != std::string_view::npos) {
      fPending.push_back({NamedString(std::string(key.substr(hash + 2))), slot, value});
      return true;
    }
    if (!fScratch.HasFormOwner()) return false;
    PathOfKey(key, fPath);
    const std::string& path = fPath;
    std::size_t at = Resolve(path, false);
    if (at == kNone) {
      const std::size_t bracket = path.rfind('[');
      if (bracket == std::string::npos) return false;
      at = Resolve(path.substr(0, bracket) + ".Strings" + path.substr(bracket), true);
    }
    if (at == kNone) {
      const std::size_t close = path.rfind(']');
      at = Resolve(path.substr(0, close + 1) + ".Caption" + path.substr(close + 1), false);
      adjusted = at != kNone;
    }
    if (at == kNone || !Takes(at, value)) return false;
    fPending.push_back({at, slot, value});
    return true;
  }

  bool Takes(std::size_t at, std::string_view value) {
    if (!fTranslatable) return true;
    if (fAdmitted.empty()) fAdmitted.assign(fOrder.size(), -1);
    signed char& admitted = fAdmitted[at];
    if (admitted < 0) admitted = (*fTranslatable)(*fOrder[at].Entry) ? 1 : 0;
    return admitted == 1 && FitsType(*fOrder[at].Entry, value);
  }

  // The position of the named string of that name (after every property), added when the
  // manager does not have it yet.
  std::size_t NamedString(const std::string& name) {
    if (fStrings.empty())
      if (TMainEntry* strings = fScratch.GetStringInterface(false))
        for (int i = 0; i < strings->Props()->Count(); ++i)
          AddNamedString(UpperCase(strings->Props()->Items(i)->Name),
                         static_cast<TPropertyEntry*>(strings->Props()->Items(i)));
    auto found = fStrings.find(UpperCase(name));
    if (found == fStrings.end()) found = AddNamedString(UpperCase(name), fScratch.AddString(name));
    return found->second;
  }

  std::unordered_map<std::string, std::size_t>::iterator AddNamedString(std::string key,
                                                                        TPropertyEntry* entry) {
    fStringEntries.push_back(entry);
    return fStrings.emplace(std::move(key), fOrder.size() + fStringEntries.size() - 1).first;
  }

  // The position of the property entry a path names: component (or the owner's class name),
  // sub-entries, and the property; linesOnly accepts only lines of string lists. Paths ignore
  // case. kNone when there is none.
  std::size_t Resolve(std::string_view path, bool linesOnly) {
    const std::size_t dot = path.find('.');
    fKey.clear();
    if (dot != std::string_view::npos && path.substr(0, dot) == fScratch.Owner()->ClassName()) {
      fKey = fOwnerName;
      path.remove_prefix(dot);
    }
    fKey.append(path);
    for (char& c : fKey) c = UpCase(c);
    std::size_t at = Predicted(fKey);
    if (at == kNone)
      if (const auto found = fPaths.find(fKey); found != fPaths.end()) at = found->second;
    if (at == kNone) return kNone;
    if (linesOnly) {
      const TMainEntry* parent = fOrder[at].Entry->ParentEntry();
      if (!(parent && parent->SubType().Contains(stTStringsObject))) return kNone;
    }
    fNext = at + 1;
    return at;
  }

  // Every property of the scratch tree by its path, once: a file's lines then find their entry
  // in constant time, whatever the size of the form. The paths are kept in the order an export
  // writes them, so that a file in that order finds each entry right after the one before
  // without a hash lookup: on large forms the scattered lookups, not the work, set the pace.
  void IndexPaths() {
    fIndexed = true;
    TComponentEntries* comps = fScratch.Comps();
    for (int c = 0; c < comps->Count(); ++c) {
      TComponentEntry* component = comps->Items(c);
      if (component->Object() == fScratch.Owner()) fOwnerName = component->Name;
      TStringList paths;
      component->MoveSubItemsToStrings(true, paths);
      paths.Sort();
      for (int p = 0; p < paths.Count(); ++p) {
        auto* entry = static_cast<TPropertyEntry*>(paths.Objects(p));
        if (fScratch.IsStringEntry(*entry)) continue;
        const std::size_t offset = fKeyText.size();
        fKeyText.append(component->Name).append(1, '.').append(paths.Strings(p));
        for (std::size_t i = offset; i < fKeyText.size(); ++i) fKeyText[i] = UpCase(fKeyText[i]);
        fOrder.push_back({offset, fKeyText.size() - offset, entry});
      }
    }
    // The map is made once every key is in fKeyText, whose growth would move them. The first of
    // equal paths wins, as a lookup finds it; the others are never predicted.
    std::vector<TIndexedPath> unique;
    unique.reserve(fOrder.size());
    fPaths.reserve(fOrder.size());
    for (const TIndexedPath& indexed : fOrder) {
      const std::string_view key(fKeyText.data() + indexed.Offset, indexed.Length);
      if (fPaths.emplace(key, unique.size()).second) unique.push_back(indexed);
    }
    fOrder = std::move(unique);
  }

  // The position of key among the few after the last one found (a file may leave out some
  // properties of each component); kNone when it is not there.
  std::size_t Predicted(std::string_view key) const {
    constexpr std::size_t kLookAhead = 8;
    const std::size_t end = std::min(fOrder.size(), fNext + kLookAhead);
    for (std::size_t at = fNext; at < end; ++at)
      if (std::string_view(fKeyText.data() + fOrder[at].Offset, fOrder[at].Length) == key)
        return at;
    return kNone;
  }

  TPropertyEntry& EntryAt(std::size_t at) const {
    return at < fOrder.size() ? *fOrder[at].Entry : *fStringEntries[at - fOrder.size()];
  }

  // The values found, given entry by entry in the order of the file's lines: an entry is
  // visited once, whatever the number of sections, and its values are made side by side.
  void GivePending() {
    std::vector<std::size_t> starts(fOrder.size() + fStringEntries.size() + 1, 0);
    for (const TPendingValue& pending : fPending) ++starts[pending.Position + 1];
    for (std::size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
    std::vector<std::size_t> grouped(fPending.size());
    for (std::size_t i = 0; i < fPending.size(); ++i) grouped[starts[fPending[i].Position]++] = i;
    for (const std::size_t i : grouped) {
      const TPendingValue& pending = fPending[i];
      Give(EntryAt(pending.Position), pending.Slot, pending.Value);
    }
    fPending.clear();
  }

  void Give(TPropertyEntry& property, int slot, std::string_view value) {
    auto& entry = static_cast<TTagLangPropertyEntry&>(property);
    if (!(entry.Tag & kImported))
      for (const auto& [count, mode] : fSteps)
        if (count > entry.Count()) fScratch.SyncEntryCount(entry, count, mode);
    if (fInitAll && !(entry.Tag & kInitDone)) {
      const Variant active = entry.GetLangValue(0);
      for (int i = 0; i < entry.Count(); ++i)
        if (i != slot) entry.SetLangValue(i, active);
      entry.Tag |= kInitDone;
    }
    entry.SetLangValue(slot, Variant(std::string(value)));
    entry.Tag |= kImported;
    entry.SetGiven(slot);
  }

  TLanguageManager& fScratch;
  TSlotSteps& fSteps;
  bool fInitAll;
  TTranslatable* fTranslatable;
  std::vector<signed char> fAdmitted;  // per position: unknown (-1), no (0), yes (1)
  bool fIndexed = false;
  std::string fOwnerName;
  struct TIndexedPath {
    std::size_t Offset, Length;  // the key within fKeyText
    TPropertyEntry* Entry;
  };
  std::string fKeyText;  // every key in upper case, one after the other
  std::vector<TIndexedPath> fOrder;
  std::unordered_map<std::string_view, std::size_t> fPaths;  // key -> position in fOrder
  std::size_t fNext = 0;  // the position a file in export order names next
  std::unordered_map<std::string, std::size_t> fStrings;  // key -> position
  std::vector<TPropertyEntry*> fStringEntries;
  // A line's value waiting to be given to the entry at Position; Value lies in the file.
  struct TPendingValue {
    std::size_t Position;
    int Slot;
    std::string_view Value;
  };
  std::vector<TPendingValue> fPending;
  static constexpr std::size_t kNone = ~std::size_t(0);
  std::string fLine, fPath, fKey;  // reused for every line
};

// A file that says nothing of a property in a language the form already had does not take its
// text away: the slot keeps the value it had (the live value, for a property not translated
// before). Only languages new to the form start empty.
void KeepUnansweredSlots(TLanguageManager& scratch, const TLanguageManager& before,
                         TMainEntries& scratchTree) {
  // The form's entries by key, made only when a slot is found that a file did not answer.
  std::unordered_map<std::string, TConsistentLangPropertyEntry*> old;
  bool indexed = false;
  auto previous = [&](const TPropertyEntry& entry) -> TConsistentLangPropertyEntry* {
    if (!indexed && before.Comps())
      before.Comps()->ForEachPropertyEntry([&](TMainEntry*, TPropertyEntry* each, bool&) {
        old[before.EntryKey(*each)] = static_cast<TConsistentLangPropertyEntry*>(each);
      });
    indexed = true;
    const auto found = old.find(scratch.EntryKey(entry));
    return found == old.end() ? nullptr : found->second;
  };
  scratchTree.ForEachPropertyEntry([&](TMainEntry*, TPropertyEntry* property, bool&) {
    auto& entry = static_cast<TTagLangPropertyEntry&>(*property);
    if (!(entry.Tag & kImported)) return;
    for (int l = 0; l < scratch.GetLangCount(); ++l) {
      const TLanguageEntry* language = scratch.Langs()->Items(l);
      const auto slot = static_cast<std::size_t>(language->SubIndex);
      if (entry.Given(language->SubIndex) || slot >= static_cast<std::size_t>(entry.Count()))
        continue;
      const int was = before.Langs()->IndexOfName(language->Name);
      if (was < 0) continue;  // a language new to the form starts empty
      if (TConsistentLangPropertyEntry* had = previous(entry)) {
        const int oldSlot = before.Langs()->Items(was)->SubIndex;
        if (oldSlot >= 0 && oldSlot < had->Count())
          entry.SetLangValue(language->SubIndex, had->GetLangValue(oldSlot));
      } else if (!scratch.IsStringEntry(entry)) {
        entry.SetLangValue(language->SubIndex, entry.GetValue());
      }
    }
  });
}

std::vector<std::string> AllSections(const TLanguageFile& file) {
  std::vector<std::string> all;
  for (const TLanguageSection& section : file.Sections()) all.push_back(section.Name);
  return all;
}

// Drops what the file did not give a value; named strings through the manager, so that its
// lists stay in step.
void DropUnimported(TLanguageManager& scratch) {
  std::vector<TPropertyEntry*> unused;
  scratch.Comps()->ForEachPropertyEntry([&](TMainEntry*, TPropertyEntry* entry, bool&) {
    if (!(static_cast<TTagLangPropertyEntry*>(entry)->Tag & kImported)) unused.push_back(entry);
  });
  for (TPropertyEntry* entry : unused) {
    if (scratch.IsStringEntry(*entry)) {
      scratch.RemoveString(static_cast<TConsistentLangPropertyEntry*>(entry));
    } else {
      entry->Free();
    }
  }
  scratch.Comps()->ValidateAndPack();
}

// The language that was active keeps the first slot, so that the form's properties, which
// hold that slot, are given only its values: a value another language holds and the property
// would refuse stays stored, and nothing is written twice.
void MakeActiveFirst(TLanguageManager& scratch, const std::string& active) {
  const int index = scratch.Langs()->IndexOfName(active);
  const int first = scratch.Langs()->IndexOfSubIndex(0);
  if (index < 0 || first < 0 || index == first) return;
  TLanguageEntry* language = scratch.Langs()->Items(index);
  const int32_t slot = language->SubIndex;
  scratch.Comps()->ForEachPropertyEntry([&](TMainEntry*, TPropertyEntry* entry, bool&) {
    auto& values = static_cast<TConsistentLangPropertyEntry&>(*entry);
    if (slot < values.Count()) values.ExchangeLangValues(0, slot);
  });
  scratch.Langs()->Items(first)->SubIndex = slot;
  language->SubIndex = 0;
}

// The tree an import fills. Without settings every property with a text form is in it, empty
// ones too, and TTranslatable narrows what a file gives. With settings it holds what they offer
// and every property kept, the manager translates already: the form's own data goes back
// whatever the settings say.
void AddImportTree(TComponentEntries& tree, TComponent* owner, const TCESettings* settings,
                   const TLanguageManager* kept) {
  if (!settings) {
    TCESettings everything;
    everything.SetPropFilter({pfAll});
    AddRootToMainEntries(owner, tree, everything, {});
    return;
  }
  auto baseName = [](const std::string& name) { return UpperCase(name.substr(0, name.find('['))); };
  std::set<std::pair<const TObject*, std::string>> held;
  if (kept && kept->Comps())
    kept->Comps()->ForEachPropertyEntry([&](TMainEntry* parent, TPropertyEntry* entry, bool&) {
      if (const TObject* object = parent->Object()) held.emplace(object, baseName(entry->Name));
    });
  TPropVisibility visibility(*settings);
  const TPropertyFilter filter = [&](const std::string& name, const std::string& typeName,
                                     TObject* object, const TPropInfo* prop) {
    if (held.count({object, baseName(name)})) return true;
    if (prop && !settings->TypeKinds().Contains(prop->PropType->Kind)) return false;
    return visibility.IsPropVisible(name, typeName, object, prop);
  };
  // The filter applies the settings; the tree's own settings only must not leave anything out.
  TCESettings wide;
  wide.Assign(settings);
  wide.SetTypeKinds(settings->TypeKinds() + TCESettings::kDefaultTypeKinds);
  wide.SetPropFilter(settings->PropFilter() - TPropFilter{pfAssigned});
  AddRootToMainEntries(owner, tree, wide, filter);
}

}  // namespace

bool TLanguageManager::ImportLanguages(const std::string& fileName, const TCESettings* settings,
                                       TImportMode mode, bool initAll, const TStrings& sections,
                                       TStrings* adjusted, TStrings* rejected) {
  if (!FileExist(fileName)) throw EInOutError("File not found", ENOENT);
  const TLanguageFile file(fileName);
  std::vector<std::string> chosen;
  for (int i = 0; i < sections.Count(); ++i) chosen.push_back(sections.Strings(i));

  const int activeIndex = fLangs->IndexOfSubIndex(0);
  const std::string active = activeIndex >= 0 ? fLangs->Items(activeIndex)->Name : "";
  TTemporaryFile own;
  if (mode != imClearExisting) {
    ExportLanguages(own.Create());
  }
  // What the manager holds is set aside, not copied: it comes back if the import fails. The
  // lists that take its place belong where its own do, so names of stored entries stay right,
  // and make entries of its own kind: a working copy's active language must not become the
  // live property.
  TLanguageManager before(fOwner, fComps ? cmConsistent : cmInconsistent, fLangs->GetOwner(),
                          fControl, fComps ? fComps->PropEntryClass() : nullptr);
  SwapContent(before);
  try {
    TLanguageManager scratch(fOwner, cmConsistent, nullptr, fControl,
                             &TTagLangPropertyEntry::StaticClass());
    if (fHasFormOwner)
      AddImportTree(*scratch.Comps(), fOwner, settings,
                    mode == imClearExisting ? nullptr : &before);
    TSlotSteps steps;
    TTranslatable translatable(scratch, before, settings != nullptr);
    TImporter fromFile(scratch, steps, initAll, &translatable);
    TImporter fromOwn(scratch, steps, false);
    auto reimport = [&] {
      TStringList ownAdjusted, ownRejected;
      const TLanguageFile ownFile(own.Name());
      fromOwn.ImportSections(ownFile, AllSections(ownFile), &ownAdjusted, &ownRejected);
      if (ownAdjusted.Count() > 0 || ownRejected.Count() > 0)
        throw Exception(ClassName() + ".ImportLanguages failed: Internal error at REIMPORT");
    };
    if (adjusted) adjusted->Clear();
    if (rejected) rejected->Clear();
    if (mode == imAddAll) reimport();
    fromFile.ImportSections(file, chosen, adjusted, rejected);
    if (mode == imAddNotExisting) reimport();
    KeepUnansweredSlots(scratch, before, *scratch.Comps());
    DropUnimported(scratch);
    MakeActiveFirst(scratch, active);
    Assign(scratch);
  } catch (...) {
    if (adjusted) adjusted->Clear();
    if (rejected) rejected->Clear();
    SwapContent(before);
    throw;
  }
  return true;
}

}  // namespace dravik
