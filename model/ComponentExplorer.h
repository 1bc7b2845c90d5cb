#pragma once
// What the component explorer offers: its settings (which property kinds, which names), the
// filter they make, and the functions that build an entry tree from a form's live components.

#include <functional>
#include <string>

#include "model/ClassInfo.h"
#include "model/ComponentExplorerTools.h"

namespace dravik {

enum TPropFilterEnum { pfCaption, pfHint, pfStrings, pfText, pfUser, pfAll, pfAssigned };
const TTypeInfo& TypeInfoFor(TPropFilterEnum);
using TPropFilter = TSet<TPropFilterEnum, "TPropFilter">;
using TTypeKinds = TSet<TTypeKind, "TTypeKinds">;

class TCESettings : public TPersistent {
 public:
  // Every kind that has a text form: not methods, nor unknown, array, record, interface.
  static constexpr TTypeKinds kDefaultTypeKinds = TTypeKinds::FromBits(7934);

  TCESettings() = default;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  bool InfoBarVisible() const { return fVisible[0]; }
  bool PropFilterVisible() const { return fVisible[1]; }
  bool SortByVisible() const { return fVisible[2]; }
  // The three panel flags by number: 0 info bar, 1 filter panel, 2 sort panel.
  bool GetVisible(int index) const { return fVisible[index]; }
  void SetVisible(int index, bool value);
  void SetInfoBarVisible(bool value) { SetVisible(0, value); }
  void SetPropFilterVisible(bool value) { SetVisible(1, value); }
  void SetSortByVisible(bool value) { SetVisible(2, value); }
  TPropFilter PropFilter() const { return fPropFilter; }
  void SetPropFilter(TPropFilter value);
  const std::string& PropFilterText() const { return fPropFilterText; }
  void SetPropFilterText(const std::string& value);
  bool SortByCompName() const { return fSortByCompName; }
  void SetSortByCompName(bool value);
  TTypeKinds TypeKinds() const { return fTypeKinds; }
  void SetTypeKinds(TTypeKinds value);

  void Assign(const TPersistent* source) override;
  // After a change: offersOnly when only what the left tree offers changed (the filter), else
  // both trees are shown anew; a panel flag changes only its panel (offersOnly unused).
  std::function<void(bool offersOnly)> OnChanged;
  std::function<void(int panel, bool visible)> OnPanelChanged;

 private:
  void Changed(bool offersOnly) {
    if (OnChanged) OnChanged(offersOnly);
  }
  bool fVisible[3] = {true, true, true};
  TPropFilter fPropFilter{pfCaption, pfHint, pfStrings, pfText, pfAssigned};
  std::string fPropFilterText;
  bool fSortByCompName = true;
  TTypeKinds fTypeKinds = kDefaultTypeKinds;
};

// Whether a property (name, type name, object, property information) is offered.
using TPropertyFilter = std::function<bool(const std::string& name, const std::string& typeName,
                                           TObject* object, const TPropInfo* prop)>;

// The settings' filter: the property's name (cut at its first "[") against the chosen names,
// and with pfAssigned, a string that is not empty or a number or set that is not 0.
class TPropVisibility {
 public:
  explicit TPropVisibility(const TCESettings& settings) : fSettings(settings) {}
  bool IsPropVisible(const std::string& name, const std::string& typeName, TObject* object,
                     const TPropInfo* prop);
  // The same for an existing entry; a line of a string list must not be empty with pfAssigned.
  bool IsPropVisibleEx(TObject* object, const TPropertyEntry& entry);
  TPropertyFilter AsFilter() {
    return [this](const std::string& name, const std::string& typeName, TObject* object,
                  const TPropInfo* prop) { return IsPropVisible(name, typeName, object, prop); };
  }

 private:
  const TCESettings& fSettings;
  TClassInfo fInfo;
};

// Adds object to entries: a collection item by item ("Name[i]"), a string list line by line
// ("Strings[i]", empty lines left out with pfAssigned), any other object with its readable and
// writable published properties of the settings' kinds, objects it holds (but not components
// held by reference) one level down each. filter may be empty.
void AddObjectToMainEntries(TObject* object, const std::string& name, const std::string& typeName,
                            TMainEntries& entries, const TCESettings& settings,
                            const TPropertyFilter& filter);
// Each named component root owns, in ownership order, then root itself.
void AddRootToMainEntries(TComponent* root, TMainEntries& entries, const TCESettings& settings,
                          const TPropertyFilter& filter);

}  // namespace dravik
