#include "editor/DravikReg.h"

#include "editor/DravikEditor.h"
#include "editor/PackageInfo.h"
#include "editor/PackageUnits.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/typinfo/TypInfo.h"
#include "platform/ide/Registration.h"
#include "runtime/Dravik.h"
#include "runtime/LanguageSwitch.h"
#include "runtime/ui/DravikModule.h"
#include "runtime/ui/LangComboBox.h"

namespace dravik {

namespace {

// Opens the editor window for a TDravik; the designer hears of a commit only.
void EditLanguages(TComponent* component, TFormDesigner* designer) {
  auto* dravik = dynamic_cast<TDravik*>(component);
  if (!dravik) return;
  if (ExecuteDravikEditor("", dravik) && designer) designer->Modified();
}

}  // namespace

std::string TDravikEditor::GetVerb(int index) {
  TDravikModule* module = DravikModule();
  if (!module) return {};
  switch (index) {
    case 0:
      return module->GetString("EditLanguages");
    case 1:
      return module->GetString("About");
    default:
      return {};
  }
}

void TDravikEditor::ExecuteVerb(int index) {
  if (index == 0) EditLanguages(&Component(), Designer());
  if (index == 1) ShowPackageInformation();
}

TPropertyAttributes TDomainPropertyEditor::GetAttributes() {
  return TEnumProperty::GetAttributes() & ~paMultiSelect;
}

std::string TDomainPropertyEditor::GetValue() {
  return GetStrProp(*GetComponent(0), GetPropInfo());
}

void TDomainPropertyEditor::SetValue(const std::string& value) {
  SetStrProp(*GetComponent(0), GetPropInfo(), value);
  Modified();
}

void TDomainPropertyEditor::GetValues(const TGetStrProc& proc) {
  const TLanguageFrames* frames = NamedDomainFrames();
  for (int i = 0; i < frames->Count(); ++i)
    if (!frames->Items(i)->Hidden()) proc(frames->Items(i)->Name());
}

void TLanguagePropertyEditor::GetValues(const TGetStrProc& proc) {
  auto* dravik = dynamic_cast<TDravik*>(GetComponent(0));
  if (!dravik) return;
  TStringList languages;
  dravik->GetLanguages(languages);
  for (int i = 0; i < languages.Count(); ++i) proc(languages.Strings(i));
}

void TLanguagesPropertyEditor::Edit() {
  EditLanguages(GetComponent(0), Designer());
}

void RegisterDravikUnit() {
  RegisterComponents("QueltTools", {&TDravik::StaticClass(), &TLangComboBox::StaticClass()});
  RegisterComponentEditor(TDravik::StaticClass(), ComponentEditorFactory<TDravikEditor>());
  RegisterPropertyEditor(TypeInfo<std::string>(), &TDravik::StaticClass(), "Domain",
                         PropertyEditorFactory<TDomainPropertyEditor>());
  RegisterPropertyEditor(TypeInfo<std::string>(), &TDravik::StaticClass(), "Language",
                         PropertyEditorFactory<TLanguagePropertyEditor>());
  RegisterPropertyEditor(TComponent::StaticClass().TypeInfo(), &TDravik::StaticClass(), "Languages",
                         PropertyEditorFactory<TLanguagesPropertyEditor>());
}

}  // namespace dravik
