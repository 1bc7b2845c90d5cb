#pragma once
// The form base at design time: the tracking-size editor from the form's context menu and from
// its SuperForm row in the property list.

#include "platform/ide/ComponentEditor.h"
#include "platform/ide/PropertyEditor.h"

namespace dravik {

class TSuperFormModule : public TComponentEditor {
 public:
  using TComponentEditor::TComponentEditor;
  int GetVerbCount() override { return 1; }
  std::string GetVerb(int index) override { return index == 0 ? "Edit SuperForm..." : ""; }
  void ExecuteVerb(int index) override;
};

// The SuperForm row: "(TSuperForm)", not typed into; its button opens the editor.
class TSuperFormPropertyEditor : public TPropertyEditor {
 public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return paDialog | paReadOnly; }
  std::string GetValue() override { return "(TSuperForm)"; }
  void Edit() override;
};

}  // namespace dravik
