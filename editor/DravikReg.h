#pragma once
// The design-time editors of TDravik: the component editor (edit the languages, the package's
// information) and the property editors of Domain, Language and the Languages placeholder.

#include "platform/ide/ComponentEditor.h"
#include "platform/ide/PropertyEditor.h"

namespace dravik {

class TDravikEditor : public TComponentEditor {
 public:
  using TComponentEditor::TComponentEditor;
  int GetVerbCount() override { return 2; }
  // The package's named strings "EditLanguages" and "About"; empty without the text module.
  std::string GetVerb(int index) override;
  void ExecuteVerb(int index) override;
};

// A language domain typed as text or picked from the domains in use (hidden ones left out).
class TDomainPropertyEditor : public TEnumProperty {
 public:
  using TEnumProperty::TEnumProperty;
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void SetValue(const std::string& value) override;
  void GetValues(const TGetStrProc& proc) override;
};

// A language typed as text or picked from the edited TDravik's languages.
class TLanguagePropertyEditor : public TDomainPropertyEditor {
 public:
  using TDomainPropertyEditor::TDomainPropertyEditor;
  void GetValues(const TGetStrProc& proc) override;
};

// The Languages row: "(TLanguages)", not typed into; its button opens the editor window.
class TLanguagesPropertyEditor : public TPropertyEditor {
 public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return paDialog | paReadOnly; }
  std::string GetValue() override { return "(TLanguages)"; }
  void Edit() override;
};

}  // namespace dravik
