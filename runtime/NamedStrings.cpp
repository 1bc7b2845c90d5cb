// The named strings of a language manager: the entries below the "Resources" entry of the
// TDravik's own component entry, each standing for one line of Names and Values.

#include "platform/core/classes/Strings.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "runtime/LanguageManager.h"

namespace dravik {

namespace {

const TMainEntrySubType kStringInterface{stTStringsObject, stNoValidate};
constexpr const char* kInterfaceName = "Resources";
constexpr const char* kStringType = "String";

}  // namespace

bool TLanguageManager::GetString(const std::string& name, std::string& value) const {
  const std::string wanted = Trim(name);
  for (int i = 0; i < fNames->Count() && i < fValues->Count(); ++i) {
    if (SameText(fNames->Strings(i), wanted)) {
      value = fValues->Strings(i);
      return true;
    }
  }
  value.clear();
  return false;
}

TMainEntry* TLanguageManager::GetStringInterface(bool create) {
  if (!fControl) Fail("GetStringInterface failed. NIL Control");
  if (!fComps) return nullptr;
  TComponentEntry* owner = nullptr;
  for (int i = 0; i < fComps->Count() && !owner; ++i) {
    TComponentEntry* entry = fComps->Items(i);
    if (entry->Ref() == fControl ||
        (!entry->Ref() && !fControl->Name().empty() && SameText(entry->Name, fControl->Name())))
      owner = entry;
  }
  if (!owner) {
    if (!create) return nullptr;
    owner = static_cast<TComponentEntry*>(TMainEntry::CreateEx(
        fComps.get(), fControl, fControl->Name(), fControl->ClassName(), {stPubPropObject}));
  }
  const int index = owner->Items()->IndexOfName(kInterfaceName);
  if (index >= 0) return owner->Items()->Items(index);
  if (!create) return nullptr;
  return TMainEntry::CreateEx(owner->Items(), fValues.get(), kInterfaceName, kStringType,
                              kStringInterface);
}

bool TLanguageManager::IsStringEntry(const TPropertyEntry& entry) const {
  TMainEntry* parent = entry.ParentEntry();
  return parent && entry.Index >= 0 && parent->SubType() == kStringInterface &&
         SameText(parent->Name, kInterfaceName);
}

bool TLanguageManager::IsUniqueStringName(const std::string& name) const {
  return GetStringNameIndex(name) < 0;
}

int TLanguageManager::GetStringNameIndex(const std::string& name) const {
  for (int i = 0; i < fNames->Count(); ++i)
    if (SameText(fNames->Strings(i), name)) return i;
  return -1;
}

bool TLanguageManager::IsStringNameValid(const std::string& name) {
  const std::string trimmed = Trim(name);
  if (trimmed.empty()) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == ' ';
  });
}

TConsistentLangPropertyEntry* TLanguageManager::AddString(const std::string& name) {
  TMainEntry* strings = GetStringInterface(true);
  auto* entry = static_cast<TConsistentLangPropertyEntry*>(strings->Props()->Add());
  bool linesAdded = false;
  try {
    std::string base = Trim(name);
    CheckStringLine(base, "name of a named string");
    bool taken = base.empty() || !IsUniqueStringName(base);
    if (base.empty()) base = kStringType;
    std::string unique = base;
    for (int n = 1; taken; ++n) {
      if (n > 1000000) Fail("AddString: Unique name of string could no be created");
      unique = base + IntToStr(n);
      taken = !IsUniqueStringName(unique);
    }
    fValues->Add("");
    fNames->Add(unique);
    linesAdded = true;
    entry->Index = fNames->Count() - 1;
    entry->Name = unique;
    entry->TypeName = kStringType;
    entry->Kind = tkLString;
    entry->SetCount(std::max(GetLangCount(), 1));
    for (int i = 0; i < entry->Count(); ++i) entry->SetLangValue(i, Variant(std::string()));
    return entry;
  } catch (...) {
    if (linesAdded) {
      fNames->Delete(fNames->Count() - 1);
      fValues->Delete(fValues->Count() - 1);
    }
    entry->Free();
    throw;
  }
}

void TLanguageManager::DeleteStringLine(int line) {
  fNames->Delete(line);
  fValues->Delete(line);
  TMainEntry* strings = GetStringInterface(false);
  if (!strings) return;
  for (int i = 0; i < strings->Props()->Count(); ++i) {
    TPropertyEntry* other = strings->Props()->Items(i);
    if (other->Index > line) --other->Index;
  }
}

void TLanguageManager::RemoveString(TConsistentLangPropertyEntry* entry) {
  TMainEntry* strings = fControl ? GetStringInterface(false) : nullptr;
  if (!entry || !strings || entry->Index < 0 || entry->Index >= fNames->Count() ||
      entry->Index >= fValues->Count() || entry->ParentEntry() != strings)
    Fail("RemoveString failed.");
  const int line = entry->Index;
  entry->Free();
  DeleteStringLine(line);
}

void TLanguageManager::OnCompsAssign() {
  TMainEntry* strings = GetStringInterface(true);
  if (strings->Object() != fValues.get()) {
    if (auto* lines = dynamic_cast<TStrings*>(strings->Object())) fValues->Assign(lines);
    if (fNames->Count() != fValues->Count()) throw Exception("Inconsistent internal language data");
    strings->SetObject(fValues.get());
  }
  for (int line = fNames->Count() - 1; line >= 0; --line) {
    bool used = false;
    for (int i = 0; i < strings->Props()->Count() && !used; ++i)
      used = strings->Props()->Items(i)->Index == line;
    if (!used) DeleteStringLine(line);
  }
}

}  // namespace dravik
