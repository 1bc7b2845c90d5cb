// The design package as the host sees it: what it registers on which page, which editor serves
// each component and property, its loading as a shared library, and its information box.
#include <gtest/gtest.h>

#include <typeinfo>

#include <QTest>

#include "editor/ButtonPanelReg.h"
#include "editor/ConfigFileReg.h"
#include "editor/DravikReg.h"
#include "editor/ExComponentReg.h"
#include "editor/PackageInfo.h"
#include "editor/SuperFormReg.h"
#include "library/ExComponent.h"
#include "library/LogFile.h"
#include "platform/core/typinfo/ClassRecord.h"
#include "platform/ide/DesignPackage.h"
#include "runtime/ui/LangComboBox.h"
#include "tests/editor/EditorFixture.h"
#include "widgets/ButtonPanel.h"
#include "widgets/ComponentExplorer.h"
#include "widgets/ComponentExplorerDialog.h"
#include "widgets/ConfigFile.h"
#include "widgets/MRUComboBox.h"
#include "widgets/SortGrid.h"
#include "widgets/SortGridEx.h"
#include "widgets/VersionInfoForm.h"

extern "C" void DravikRegisterPackage();

using namespace dravik;

namespace {

using TClasses = std::vector<const TClassRecord*>;

class Package : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    form = MakeComponent<TSuperForm>(nullptr);
    form->SetName("Form1");
  }
  void TearDown() override {
    form.reset();
    EditorTest::TearDown();
  }
  void ExpectPages() {
    const auto& pages = host->Registry().Pages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].Name, "QueltTools");
    EXPECT_EQ(pages[0].Classes,
              (TClasses{&TDravik::StaticClass(), &TLangComboBox::StaticClass(),
                        &TLogFile::StaticClass(), &TKeepDirectory::StaticClass(),
                        &TMRUComboBox::StaticClass(), &TComponentExplorer::StaticClass(),
                        &TComponentExplorerDialog::StaticClass(), &TConfigFile::StaticClass()}));
    EXPECT_EQ(pages[1].Name, "Quelt");
    EXPECT_EQ(pages[1].Classes,
              (TClasses{&TButtonPanel::StaticClass(), &TSortGrid::StaticClass(),
                        &TSortGridEx::StaticClass(), &TVersionInfo::StaticClass()}));
    EXPECT_EQ(host->Registry().CustomModules(),
              (TClasses{&TSuperForm::StaticClass(), &TSuperDataModule::StaticClass()}));
  }
  TComponentPtr<TSuperForm> form;
  TCountingDesigner designer{nullptr};
};

}  // namespace

TEST_F(Package, RegistersItsUnitsOnTheirPagesInOrder) {
  DravikRegisterPackage();
  ExpectPages();
}

// The host loads the built library by its file name and finds the same registrations.
TEST_F(Package, TheHostLoadsTheBuiltLibrary) {
  EXPECT_EQ(LoadDesignPackage(DRAVIK_DESIGN_PACKAGE), "");
  ExpectPages();
}

TEST_F(Package, EachComponentGetsTheEditorOfItsNearestRegisteredClass) {
  DravikRegisterPackage();
  auto* panel = Create<TButtonPanel>(form.get());
  const std::vector<std::pair<TComponent*, const std::type_info*>> cases = {
      {AddDravik(form.get()), &typeid(TDravikEditor)},
      {panel, &typeid(TButtonPanelEditor)},
      {Create<TButton>(form.get()), &typeid(TButtonEditor)},
      {Create<TBitBtn>(form.get()), &typeid(TButtonEditor)},  // a kind of button
      {Create<TConfigFile>(form.get()), &typeid(TConfigFileEditor)},
      {Create<TExComponent>(form.get()), &typeid(TExComponentEditor)},
      {form.get(), &typeid(TSuperFormModule)},
      {Create<TLogFile>(form.get()), &typeid(TComponentEditor)},  // none of its own
  };
  for (const auto& [component, editorClass] : cases) {
    auto editor = host->Registry().CreateComponentEditor(*component, &designer);
    EXPECT_EQ(typeid(*editor), *editorClass) << component->ClassName();
  }
}

// The most specific registration serves each row; a placeholder row shows its class and is
// opened with its button only.
TEST_F(Package, EachPropertyGetsTheEditorRegisteredForIt) {
  DravikRegisterPackage();
  TDravik* dravik = AddDravik(form.get());
  auto* store = Create<TConfigFile>(form.get());
  const struct {
    TComponent* Component;
    const char* Property;
    const std::type_info& Editor;
    const char* Placeholder;
  } cases[] = {{dravik, "Domain", typeid(TDomainPropertyEditor), nullptr},
               {dravik, "Language", typeid(TLanguagePropertyEditor), nullptr},
               {dravik, "Languages", typeid(TLanguagesPropertyEditor), "(TLanguages)"},
               {dravik, "Name", typeid(TStringProperty), nullptr},
               {form.get(), "Name", typeid(TStringProperty), nullptr},
               {form.get(), "SuperForm", typeid(TSuperFormPropertyEditor), "(TSuperForm)"},
               {store, "ConfigFile", typeid(TConfigFilePropertyEditor), "(TConfigFile)"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Component->ClassName() + "." + c.Property);
    const TPropInfo* prop = c.Component->ClassType().FindProp(c.Property);
    ASSERT_NE(prop, nullptr);
    auto editor = host->Registry().CreatePropertyEditor(&designer, *c.Component, *prop);
    EXPECT_EQ(typeid(*editor), c.Editor);
    if (!c.Placeholder) continue;
    EXPECT_EQ(editor->GetValue(), c.Placeholder);
    EXPECT_EQ(editor->GetAttributes(), paDialog | paReadOnly);
    EXPECT_TRUE(editor->IsReadOnly());
  }
}

TEST_F(Package, EveryAboutVerbShowsThePackagesInformation) {
  TDravik* dravik = AddDravik(form.get());
  auto* store = Create<TConfigFile>(form.get());
  auto* base = Create<TExComponent>(form.get());
  const std::vector<std::pair<std::unique_ptr<TComponentEditor>, int>> cases = [&] {
    std::vector<std::pair<std::unique_ptr<TComponentEditor>, int>> list;
    list.emplace_back(std::make_unique<TDravikEditor>(*dravik, &designer), 1);
    list.emplace_back(std::make_unique<TConfigFileEditor>(*store, &designer), 1);
    list.emplace_back(std::make_unique<TExComponentEditor>(*base, &designer), 0);
    return list;
  }();
  for (const auto& [editor, verb] : cases) {
    CaptureNextDialog();
    editor->ExecuteVerb(verb);
    EXPECT_EQ(dialogTitle, "Information") << editor->GetVerb(verb);
    EXPECT_EQ(dialogText, PackageInformation());
  }
  EXPECT_EQ(TExComponentEditor(*base, &designer).GetVerb(0), "About...");
  EXPECT_EQ(TConfigFileEditor(*store, &designer).GetVerb(1), "About");
  EXPECT_EQ(designer.Changes, 0);
}

// The store's entries are chosen in the explorer dialog, from the verb or the ConfigFile row;
// only OK tells the designer.
TEST_F(Package, TheStoresEditorChoosesItsEntriesWithTheExplorer) {
  auto* store = Create<TConfigFile>(form.get());
  const TPropInfo& row = *store->ClassType().FindProp("ConfigFile");
  const std::vector<std::pair<const char*, std::function<void()>>> entries = {
      {"Edit...", [&] { TConfigFileEditor(*store, &designer).ExecuteVerb(0); }},
      {"ConfigFile row", [&] { TConfigFilePropertyEditor(&designer, *store, row).Edit(); }}};
  EXPECT_EQ(TConfigFileEditor(*store, &designer).GetVerb(0), "Edit...");
  for (const auto& [name, open] : entries) {
    for (bool ok : {false, true}) {
      SCOPED_TRACE(std::string(name) + (ok ? ", OK" : ", Cancel"));
      designer.Changes = 0;
      std::string title;
      WhenShown([&](QWidget* window) {
        title = window->windowTitle().toStdString();
        QTest::keyClick(window, ok ? Qt::Key_Return : Qt::Key_Escape);
      });
      open();
      EXPECT_EQ(title, "Select Components and Properties");
      EXPECT_EQ(designer.Changes, ok ? 1 : 0);
    }
  }
}
