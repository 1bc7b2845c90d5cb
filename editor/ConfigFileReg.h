#pragma once
// The configuration store at design time: choosing the persisted properties with the component
// explorer, from the context menu or from the store's own row in the property list.

#include "platform/ide/ComponentEditor.h"
#include "platform/ide/PropertyEditor.h"

namespace dravik {

class TConfigFileEditor : public TComponentEditor {
 public:
  using TComponentEditor::TComponentEditor;
  int GetVerbCount() override { return 2; }
  std::string GetVerb(int index) override;
  void ExecuteVerb(int index) override;
};

// The ConfigFile row: "(TConfigFile)", not typed into; its button opens the store's editor.
class TConfigFilePropertyEditor : public TPropertyEditor {
 public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return paDialog | paReadOnly; }
  std::string GetValue() override { return "(TConfigFile)"; }
  void Edit() override;
};

}  // namespace dravik
