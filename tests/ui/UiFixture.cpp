#include "tests/ui/UiFixture.h"

#include <cstdlib>

#include "model/ClassInfo.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/streams/StringStream.h"
#include "runtime/LangPropertyEntries.h"
#include "runtime/LanguageSwitch.h"

namespace dravik {

TUiApplication& UiApp() {
  static int argc = 1;
  static char name[] = "test_ui";
  static char* argv[] = {name, nullptr};
  static TUiApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return new TUiApplication(argc, argv);  // lives to the end of the program
  }();
  return *app;
}

TDravik* AddDravik(TComponent* form) {
  auto* dravik = Create<TDravik>(form);
  dravik->SetName("Dravik");
  TLanguageEntries* langs = dravik->LanguageManager()->Langs();
  langs->Clear();
  int32_t sub = 0;
  for (const char* name : {"English", "Deutsch"}) {
    TLanguageEntry* entry = langs->Add();
    entry->Name = name;
    entry->SubIndex = sub++;
  }
  dravik->LanguageManager()->SyncCount(cmInitAll);
  return dravik;
}

void Translate(TDravik* dravik, TComponent* component, const std::string& property,
               const std::vector<std::string>& values, const std::string& itemPath) {
  TComponentEntries* comps = dravik->LanguageManager()->Comps();
  TMainEntry* owner = nullptr;
  for (int i = 0; i < comps->Count(); ++i)
    if (comps->Items(i)->Ref() == component) owner = comps->Items(i);
  if (!owner)
    owner = TMainEntry::CreateEx(comps, component, component->Name(), component->ClassName(),
                                 {stPubPropObject});
  if (!itemPath.empty()) {
    // The item is found the way a stored tree finds it: by the owner's collection property.
    TMainEntry* item = TMainEntry::CreateEx(owner->Items(), nullptr, itemPath, "TCollectionItem",
                                            {stPubPropObject, stCollectionObject});
    comps->RefreshProps();
    owner = item;
  }
  if (!owner->Object()) throw Exception("no object at " + itemPath);
  const TPropInfo* prop = owner->Object()->ClassType().FindProp(property);
  auto* entry =
      static_cast<TInconsistentLangPropertyEntry*>(TPropertyEntry::CreateByRef(owner, prop));
  entry->SetCount(static_cast<int32_t>(values.size()));
  for (int i = 0; i < static_cast<int>(values.size()); ++i) entry->SetLangValue(i, values[i]);
}

void UiTest::SetUp() {
  setenv("LANG", "C", 1);
  UiApp();
  FinalizeLanguageFrames();
  Application->SetExceptionDisplay(
      [this](TObject*, const Exception& e) { Shown.push_back(e.Message()); });
}

void UiTest::TearDown() {
  Application->SetExceptionDisplay({});
  FinalizeLanguageFrames();
}

void ReadFormText(const std::string& text, TComponent* instance) {
  TStringStream source(text), binary;
  ObjectTextToBinary(source, binary);
  binary.SetPosition(0);
  ReadComponent(binary, instance);
}

}  // namespace dravik
