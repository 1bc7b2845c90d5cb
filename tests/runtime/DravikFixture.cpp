#include "tests/runtime/DravikFixture.h"

#include <cstdlib>

#include "model/ClassInfo.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/forms/Application.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Debug.h"
#include "platform/core/system/Designing.h"
#include "runtime/LanguageSwitch.h"

namespace dravik {

TComponentPtr<TTestForm> MakeDravikForm(const std::string& buttonCaption,
                                        const std::string& labelCaption) {
  auto form = MakeComponent<TTestForm>(nullptr);
  form->SetName("Form1");
  auto* button = Create<TTestControl>(form.get());
  button->SetName("Button1");
  button->Caption = buttonCaption;
  auto* label = Create<TTestControl>(form.get());
  label->SetName("Label1");
  label->Caption = labelCaption;
  auto* dravik = Create<TDravik>(form.get());
  dravik->SetName("Dravik");
  return form;
}

TDravik* DravikOf(TComponent* form) {
  return dynamic_cast<TDravik*>(form->FindComponent("Dravik"));
}

TTestControl* Control(TComponent* form, const std::string& name) {
  return dynamic_cast<TTestControl*>(form->FindComponent(name));
}

void SetLanguages(TDravik* dravik, const std::vector<TLang>& languages) {
  TLanguageEntries* langs = dravik->LanguageManager()->Langs();
  langs->Clear();
  for (const TLang& l : languages) {
    TLanguageEntry* entry = langs->Add();
    entry->Name = l.Name;
    entry->SubIndex = l.SubIndex;
  }
  dravik->LanguageManager()->SyncCount(cmInitAll);
}

TInconsistentLangPropertyEntry* Translate(TDravik* dravik, TComponent* component,
                                          const std::string& property,
                                          const std::vector<Variant>& values) {
  TComponentEntries* comps = dravik->LanguageManager()->Comps();
  TMainEntry* owner = nullptr;
  for (int i = 0; i < comps->Count(); ++i)
    if (comps->Items(i)->Ref() == component) owner = comps->Items(i);
  if (!owner)
    owner = TMainEntry::CreateEx(comps, component, component->Name(), component->ClassName(),
                                 {stPubPropObject});
  const TPropInfo* prop = component->ClassType().FindProp(property);
  auto* entry =
      static_cast<TInconsistentLangPropertyEntry*>(TPropertyEntry::CreateByRef(owner, prop));
  entry->SetCount(static_cast<int32_t>(values.size()));
  for (int i = 0; i < static_cast<int>(values.size()); ++i) entry->SetLangValue(i, values[i]);
  return entry;
}

std::string WriteForm(TComponent* form) {
  TStringStream stream;
  WriteComponent(stream, form);
  return stream.DataString();
}

TComponentPtr<TTestForm> ReadForm(const std::string& bytes) {
  TStringStream stream(bytes);
  auto form = MakeComponent<TTestForm>(nullptr);
  ReadComponent(stream, form.get());
  return form;
}

void DravikTest::SetUp() {
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  setenv("LANG", "C", 1);
  FinalizeLanguageFrames();
  SetDebugSink([this](std::string_view line) { Trace.emplace_back(line); });
  App->SetExceptionDisplay([this](TObject*, const Exception& e) { Shown.push_back(e.Message()); });
}

void DravikTest::TearDown() {
  FinalizeDravikUnits();
  FinalizeLanguageFrames();
  SetDebugSink({});
  SetDesigningHost(false);
  unsetenv("LANG");
}

}  // namespace dravik
