#include "model/ComponentExplorer.h"

#include "platform/core/classes/Strings.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

const TTypeInfo& TypeInfoFor(TPropFilterEnum) {
  static const TTypeInfo& info =
      MakeEnumType("TPropFilterEnum",
                   {"pfCaption", "pfHint", "pfStrings", "pfText", "pfUser", "pfAll", "pfAssigned"});
  return info;
}

const TClassRecord& TCESettings::StaticClass() {
  using T = TCESettings;
  static const TClassRecord& record =
      TClassBuilder<T, TPersistent>("TCESettings", "ComponentExplorer")
          .Property("InfoBarVisible", &T::InfoBarVisible, &T::SetInfoBarVisible)
          .Default(true)
          .Property("PropFilterVisible", &T::PropFilterVisible, &T::SetPropFilterVisible)
          .Default(true)
          .Property("SortByVisible", &T::SortByVisible, &T::SetSortByVisible)
          .Default(true)
          .Property("PropFilter", &T::PropFilter, &T::SetPropFilter)
          .Property("PropFilterText", &T::PropFilterText, &T::SetPropFilterText)
          .Property("SortByCompName", &T::SortByCompName, &T::SetSortByCompName)
          .Property("TypeKinds", &T::TypeKinds, &T::SetTypeKinds)
          .Default(static_cast<int32_t>(kDefaultTypeKinds.Bits()))
          .Build();
  return record;
}

void TCESettings::SetVisible(int index, bool value) {
  if (fVisible[index] == value) return;
  fVisible[index] = value;
  if (OnPanelChanged) OnPanelChanged(index, value);
}

void TCESettings::SetPropFilter(TPropFilter value) {
  if (fPropFilter == value) return;
  fPropFilter = value;
  Changed(true);
}

void TCESettings::SetPropFilterText(const std::string& value) {
  if (fPropFilterText == value) return;
  fPropFilterText = value;
  Changed(true);
}

void TCESettings::SetSortByCompName(bool value) {
  if (fSortByCompName == value) return;
  fSortByCompName = value;
  Changed(false);
}

void TCESettings::SetTypeKinds(TTypeKinds value) {
  if (fTypeKinds == value) return;
  fTypeKinds = value;
  Changed(false);
}

void TCESettings::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TCESettings*>(source);
  if (!other) return TPersistent::Assign(source);
  for (int i = 0; i < 3; ++i) SetVisible(i, other->fVisible[i]);
  fPropFilter = other->fPropFilter;
  fPropFilterText = other->fPropFilterText;
  fSortByCompName = other->fSortByCompName;
  fTypeKinds = other->fTypeKinds;
  Changed(false);
}

bool TPropVisibility::IsPropVisible(const std::string& name, const std::string&, TObject* object,
                                    const TPropInfo* prop) {
  const std::string upper = UpperCase(name.substr(0, name.find('[')));
  const TPropFilter filter = fSettings.PropFilter();
  bool visible = filter.Contains(pfAll) || (filter.Contains(pfCaption) && upper == "CAPTION") ||
                 (filter.Contains(pfHint) && upper == "HINT") ||
                 (filter.Contains(pfStrings) && upper == "STRINGS") ||
                 (filter.Contains(pfText) && upper == "TEXT");
  if (!visible && filter.Contains(pfUser) && !upper.empty()) {
    // A word of the user's list: its first occurrence stands between blanks or the ends.
    const std::string words = UpperCase(fSettings.PropFilterText());
    const std::size_t at = words.find(upper);
    visible = at != std::string::npos && (at == 0 || words[at - 1] == ' ') &&
              (at + upper.size() == words.size() || words[at + upper.size()] == ' ');
  }
  if (!visible || !filter.Contains(pfAssigned) || !prop || !object) return visible;
  fInfo.Init(object, prop);
  switch (fInfo.Kind()) {
    case tkString:
    case tkLString:
    case tkWString:
      return !fInfo.GetAsString().empty();
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkSet:
      return fInfo.GetAsInteger() != 0;
    default:
      return true;
  }
}

bool TPropVisibility::IsPropVisibleEx(TObject* object, const TPropertyEntry& entry) {
  if (!IsPropVisible(entry.Name, entry.TypeName, object, entry.PropInfo)) return false;
  if (entry.PropInfo || !fSettings.PropFilter().Contains(pfAssigned)) return true;
  return !entry.GetValue().AsString().empty();
}

namespace {

class TEntryBuilder {
 public:
  TEntryBuilder(const TCESettings& settings, const TPropertyFilter& filter)
      : fSettings(settings), fFilter(filter) {}

  void AddObject(TMainEntries& entries, TObject* object, const std::string& name,
                 const std::string& typeName, int level) {
    if (auto* collection = dynamic_cast<TCollection*>(object)) {
      for (int i = 0; i < collection->Count(); ++i) {
        TMainEntry* item =
            AddPublishedObject(entries, collection->Items(i), name + "[" + std::to_string(i) + "]",
                               collection->ItemClass().Name(), level);
        item->SetSubType({stPubPropObject, stCollectionObject});
      }
    } else if (auto* strings = dynamic_cast<TStrings*>(object)) {
      AddLines(entries, *strings, name);
    } else if (level == 0 || !dynamic_cast<TComponent*>(object)) {
      AddPublishedObject(entries, object, name, typeName, level);
    }
  }

 private:
  void AddLines(TMainEntries& entries, TStrings& strings, const std::string& name) {
    if (fFilter && !fFilter("Strings", "String", &strings, nullptr)) return;
    const bool assignedOnly = fSettings.PropFilter().Contains(pfAssigned);
    TMainEntry* list = nullptr;
    for (int i = 0; i < strings.Count(); ++i) {
      if (assignedOnly && strings.Strings(i).empty()) continue;
      if (!list)
        list =
            TMainEntry::CreateEx(&entries, &strings, name, strings.ClassName(), {stTStringsObject});
      TPropertyEntry::CreateEx(list, "Strings[" + std::to_string(i) + "]", tkString, "String");
    }
  }

  TMainEntry* AddPublishedObject(TMainEntries& entries, TObject* object, const std::string& name,
                                 const std::string& typeName, int level) {
    TMainEntry* entry = TMainEntry::CreateEx(&entries, object, name, typeName, {stPubPropObject});
    TClassInfo info(object);
    for (int i = 0; i < info.Count(); ++i) {
      info.Select(i);
      if (info.Mode() != TPropMode{pmRead, pmWrite} || !fSettings.TypeKinds().Contains(info.Kind()))
        continue;
      const TPropInfo* prop = info.PropRef();
      if (!prop) continue;
      if (info.Kind() == tkClass) {
        if (TObject* value = info.GetAsObject())
          AddObject(*entry->Items(), value, prop->Name, prop->PropType->Name, level + 1);
        continue;
      }
      if (fFilter && !fFilter(prop->Name, prop->PropType->Name, object, prop)) continue;
      TPropertyEntry::CreateByRef(entry, prop);
    }
    return entry;
  }

  const TCESettings& fSettings;
  const TPropertyFilter& fFilter;
};

}  // namespace

void AddObjectToMainEntries(TObject* object, const std::string& name, const std::string& typeName,
                            TMainEntries& entries, const TCESettings& settings,
                            const TPropertyFilter& filter) {
  TEntryBuilder(settings, filter).AddObject(entries, object, name, typeName, 0);
}

void AddRootToMainEntries(TComponent* root, TMainEntries& entries, const TCESettings& settings,
                          const TPropertyFilter& filter) {
  for (int i = 0; i < root->ComponentCount(); ++i) {
    TComponent* component = root->Components(i);
    if (!component->Name().empty())
      AddObjectToMainEntries(component, component->Name(), component->ClassName(), entries,
                             settings, filter);
  }
  AddObjectToMainEntries(root, root->Name(), root->ClassName(), entries, settings, filter);
}

}  // namespace dravik
