// TDravik at design time: its registrations, the component editor's verbs, the property editors
// of Domain, Language and Languages, and the way into the language editor window.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/DravikEditor.h"
#include "editor/DravikReg.h"
#include "editor/PackageInfo.h"
#include "editor/PackageUnits.h"
#include "platform/core/typinfo/ClassRecord.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "runtime/LangPropertyEntries.h"
#include "runtime/ui/DravikModule.h"
#include "runtime/ui/LangComboBox.h"
#include "tests/editor/EditorFixture.h"

using namespace dravik;

namespace {

// Counts the change notifications of a TDravik, as a bound language combo box hears them.
class TChangeListener : public TObject {
 public:
  void Heard(TDravik*) { ++Count; }
  int Count = 0;
};

class DravikReg : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    RegisterDravikUnit();
    form = MakeComponent<TForm>(nullptr);
    form->SetName("Form1");
    dravik = AddDravik(form.get());
  }
  void TearDown() override {
    form.reset();
    EditorTest::TearDown();
  }
  std::unique_ptr<TPropertyEditor> PropertyEditor(TComponent* component, const char* name) {
    const TPropInfo* prop = component->ClassType().FindProp(name);
    EXPECT_NE(prop, nullptr) << name;
    return host->Registry().CreatePropertyEditor(&designer, *component, *prop);
  }
  static std::vector<std::string> Values(TPropertyEditor& editor) {
    std::vector<std::string> values;
    editor.GetValues([&](const std::string& value) { values.push_back(value); });
    return values;
  }

  TComponentPtr<TForm> form;
  TDravik* dravik = nullptr;
  TCountingDesigner designer{nullptr};
};

}  // namespace

TEST_F(DravikReg, RegistersTheComponentsAndTheirEditors) {
  const auto& pages = host->Registry().Pages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].Name, "QueltTools");
  EXPECT_EQ(pages[0].Classes, (std::vector<const TClassRecord*>{&TDravik::StaticClass(),
                                                                &TLangComboBox::StaticClass()}));
  EXPECT_NE(dynamic_cast<TDravikEditor*>(
                host->Registry().CreateComponentEditor(*dravik, &designer).get()),
            nullptr);
  EXPECT_NE(dynamic_cast<TDomainPropertyEditor*>(PropertyEditor(dravik, "Domain").get()), nullptr);
  EXPECT_NE(dynamic_cast<TLanguagePropertyEditor*>(PropertyEditor(dravik, "Language").get()),
            nullptr);
  EXPECT_NE(dynamic_cast<TLanguagesPropertyEditor*>(PropertyEditor(dravik, "Languages").get()),
            nullptr);
  // Other string properties, and the same names on other classes, keep the plain editors.
  EXPECT_EQ(dynamic_cast<TDomainPropertyEditor*>(PropertyEditor(dravik, "Name").get()), nullptr);
  EXPECT_EQ(dynamic_cast<TDomainPropertyEditor*>(PropertyEditor(form.get(), "Name").get()),
            nullptr);
}

TEST_F(DravikReg, VerbsAreThePackagesTextsInItsLanguageAndEmptyWithoutIt) {
  TDravikEditor editor(*dravik, &designer);
  ASSERT_EQ(editor.GetVerbCount(), 2);
  const struct {
    const char* Language;
    const char* Edit;
    const char* About;
  } cases[] = {{"English", "Edit Languages...", "About"},
               {"Deutsch", "Sprachen bearbeiten...", "Info..."}};
  for (const auto& c : cases) {
    DravikModule()->SetLanguage(c.Language);
    EXPECT_EQ(editor.GetVerb(0), c.Edit);
    EXPECT_EQ(editor.GetVerb(1), c.About);
  }
  FreeDravikModule();
  host.reset();  // no environment, no module
  EXPECT_EQ(editor.GetVerb(0), "");
  EXPECT_EQ(editor.GetVerb(1), "");
}

TEST_F(DravikReg, TheAboutVerbShowsThePackagesInformation) {
  CaptureNextDialog();
  TDravikEditor(*dravik, &designer).ExecuteVerb(1);
  EXPECT_EQ(dialogTitle, "Information");
  EXPECT_EQ(dialogText, PackageInformation());
  EXPECT_EQ(designer.Changes, 0);
}

// A double click, the first verb and the Languages button all open the editor window for the
// component; the designer hears of a change only when the window committed.
TEST_F(DravikReg, TheEditorOpensFromEveryEntryAndOnlyACommitModifiesTheForm) {
  const std::vector<std::pair<const char*, std::function<void()>>> entries = {
      {"double click", [&] { TDravikEditor(*dravik, &designer).Edit(); }},
      {"verb 0", [&] { TDravikEditor(*dravik, &designer).ExecuteVerb(0); }},
      {"Languages button", [&] { PropertyEditor(dravik, "Languages")->Edit(); }}};
  TChangeListener listener;
  dravik->RegisterChangeNotify(TLangNotify::Of<&TChangeListener::Heard>(&listener));
  for (const auto& [name, open] : entries) {
    for (bool commits : {false, true}) {
      SCOPED_TRACE(std::string(name) + (commits ? ", committed" : ", cancelled"));
      calls.clear();
      designer.Changes = listener.Count = 0;
      commit = commits;
      open();
      ASSERT_EQ(calls.size(), 1u);
      EXPECT_EQ(calls[0].FileName, "");
      EXPECT_EQ(calls[0].Form, form.get());
      EXPECT_EQ(calls[0].Control, dravik);
      EXPECT_EQ(designer.Changes, commits ? 1 : 0);
      EXPECT_EQ(listener.Count, commits ? 1 : 0);
    }
  }
  dravik->UnregisterChangeNotify(TLangNotify::Of<&TChangeListener::Heard>(&listener));
}

TEST_F(DravikReg, TheLanguagesRowShowsAPlaceholderThatCannotBeTyped) {
  auto editor = PropertyEditor(dravik, "Languages");
  EXPECT_EQ(editor->GetValue(), "(TLanguages)");
  EXPECT_EQ(editor->GetAttributes(), paDialog | paReadOnly);
  EXPECT_TRUE(editor->IsReadOnly());
}

TEST_F(DravikReg, DomainAndLanguageAreTextWithAListOfOneComponent) {
  for (const char* name : {"Domain", "Language"}) {
    auto editor = PropertyEditor(dravik, name);
    EXPECT_EQ(editor->GetAttributes() & (paValueList | paMultiSelect), paValueList) << name;
  }
  auto domain = PropertyEditor(dravik, "Domain");
  domain->SetValue("Reports");  // a new domain is typed
  EXPECT_EQ(dravik->GetDomain(), "Reports");
  EXPECT_EQ(domain->GetValue(), "Reports");
  EXPECT_EQ(designer.Changes, 1);
  auto language = PropertyEditor(dravik, "Language");
  language->SetValue("Deutsch");
  EXPECT_EQ(dravik->GetLanguage(), "Deutsch");
  EXPECT_EQ(language->GetValue(), "Deutsch");
}

TEST_F(DravikReg, TheDomainListOffersTheDomainsInUseButNoHiddenOne) {
  dravik->SetDomain("Reports");
  TComponentPtr<TForm> other = MakeComponent<TForm>(nullptr);
  AddDravik(other.get())->SetDomain("Settings");
  ASSERT_EQ(DravikModule()->Dravik()->GetDomain(), kPrivateDomain);  // a frame of its own
  std::vector<std::string> values = Values(*PropertyEditor(dravik, "Domain"));
  std::sort(values.begin(), values.end());
  EXPECT_EQ(values, (std::vector<std::string>{"Reports", "Settings"}));
}

TEST_F(DravikReg, TheLanguageListIsTheComponentsLanguagesSorted) {
  EXPECT_EQ(Values(*PropertyEditor(dravik, "Language")),
            (std::vector<std::string>{"Deutsch", "English"}));
}

TEST_F(DravikReg, ExecuteDravikEditorRefusesWhatHasNoManagerAndNeedsAWindow) {
  try {
    ExecuteDravikEditor("", nullptr);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Component editor cannot be started for this component");
  }
  SetDravikEditorWindow({});
  EXPECT_THROW(ExecuteDravikEditor("Unit1.pas", dravik), Exception);
}

// The window sees every value with a slot per language, and the unit's file name as given.
TEST_F(DravikReg, ExecuteDravikEditorPreparesTheLanguagesFirst) {
  TLabel* label = Create<TLabel>(form.get());
  label->SetName("Label1");
  Translate(dravik, label, "Caption", {"Hello", "Hallo"});
  TLanguageEntry* third = dravik->LanguageManager()->Langs()->Add();
  third->Name = "Francais";
  third->SubIndex = 2;
  int32_t slotCount = 0;
  SetDravikEditorWindow([&](const std::string& fileName, TComponent*, TLanguageManager& manager,
                            TDravik&) {
    EXPECT_EQ(fileName, "Unit1.pas");
    auto* entry =
        static_cast<TConsistentLangPropertyEntry*>(manager.Comps()->Items(0)->Props()->Items(0));
    slotCount = entry->Count();
    return false;
  });
  EXPECT_FALSE(ExecuteDravikEditor("Unit1.pas", dravik));
  EXPECT_EQ(slotCount, 3);
}
