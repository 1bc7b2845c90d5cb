// The studio used as a developer uses it, offscreen: a project folder of units and forms of
// each kind, the palette and inspector of a loaded package, component editors, experts in the
// Tools menu, source panes that are the editor buffers, save, and the question on closing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <optional>

#include "apps/dravik/FormFile.h"
#include "apps/studio/DesignedForm.h"
#include "apps/studio/FormView.h"
#include "apps/studio/StudioForm.h"
#include "editor/DravikEditor.h"
#include "editor/DravikEditorForm.h"
#include "platform/core/filer/StandIn.h"
#include "platform/core/inifiles/Registry.h"
#include "platform/core/resources/ResourceFile.h"
#include "platform/ide/EnvironmentKeys.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "runtime/DravikFrames.h"
#include "runtime/LanguageSwitch.h"
#include "runtime/ui/DravikModule.h"
#include "source/DesignInterfaceTools.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

const char kAlphaForm[] = R"(object AlphaForm: TAlphaForm
  Caption = 'Alpha'
  ClientWidth = 320
  ClientHeight = 200
  object OkButton: TButton
    Left = 10
    Top = 10
    Width = 80
    Height = 25
    Caption = 'OK'
  end
  object Gadget1: TGadget
    Left = 150
    Top = 20
    Caption = 'shiny'
    Flavour = 'apple'
  end
  object Fancy: TFancyGrid
    Left = 10
    Top = 60
    Width = 120
    Height = 40
    Rows = 3
  end
end
)";

const char kBetaForm[] = R"(object BetaForm: TBetaForm
  Caption = 'Beta'
  ClientWidth = 240
  ClientHeight = 120
  object Note: TLabel
    Left = 8
    Top = 8
    Caption = 'Hello'
  end
end
)";

const char kGammaForm[] = R"(object GammaForm: TGammaForm
  Caption = 'Gamma'
  object Entry: TEdit
    Left = 8
    Top = 8
    Width = 100
    Height = 23
  end
end
)";

const char kAlphaUnit[] = "unit Alpha;\r\n\r\ninterface\r\n\r\nimplementation\r\n\r\nend.\r\n";

// Answers the question that is about to open by clicking the button with that caption.
void AnswerWith(const QString& caption) {
  QTimer::singleShot(0, [caption] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr) << "no question was asked";
    for (QPushButton* button : modal->findChildren<QPushButton*>())
      if (button->text() == caption) return button->click();
    ADD_FAILURE() << "no button " << caption.toStdString();
  });
}

class Studio : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    registry.emplace("DRAVIK_REGISTRY", scratch.File("registry.reg"));
    WriteFileBytes(project.File("Alpha.pas"), kAlphaUnit);
    WriteFileBytes(project.File("Alpha.dfm"), TextToBinary(kAlphaForm));
    WriteFileBytes(project.File("Beta.pas"), "unit Beta;\n\nend.\n");
    WriteFileBytes(project.File("Beta.lfm"), kBetaForm);
    TResourceFile res;
    res.Entries.emplace_back();
    res.Entries.back().Name = TResourceId("TGAMMAFORM");
    res.Entries.back().Data = TextToBinary(kGammaForm);
    res.SaveToFile(project.File("Gamma.res"));
    studio = MakeComponent<TStudioForm>(nullptr);
  }
  void TearDown() override {
    studio.reset();
    UiTest::TearDown();
  }
  // The studio with a package on the folder, showing the module.
  void Open(const std::string& module = "Alpha", const std::string& package = STUDIO_TEST_PACKAGE) {
    studio->LoadPackages({package});
    studio->OpenFolder(project.Path());
    const auto& modules = studio->Host().Modules();
    for (std::size_t i = 0; i < modules.size(); ++i)
      if (modules[i].Name == module) studio->SelectModule(static_cast<int>(i));
    ASSERT_NE(studio->CurrentForm(), nullptr) << module;
  }
  TComponent* Find(const std::string& name) const {
    return studio->CurrentForm()->FindComponent(name);
  }
  const TInspectorRow& Row(const std::string& name) const {
    for (const TInspectorRow& row : studio->InspectorRows())
      if (row.Name == name) return row;
    throw Exception("no row " + name);
  }
  std::string PaneText() const {
    return static_cast<QTextEdit*>(studio->SourcePane()->Widget())->toPlainText().toStdString();
  }
  // The form file as a form read anew.
  std::unique_ptr<THostedForm> Reread(const std::string& file) const {
    return ReadDesignedForm(project.File(file));
  }

  TTempDir scratch, project;
  std::optional<TEnvironmentScope> registry;
  TComponentPtr<TStudioForm> studio;
};

}  // namespace

TEST_F(Studio, AFolderListsUnitsWithTheirFormsOfEveryKindWithRealControlsAndStandIns) {
  Open();
  TTreeView* tree = studio->ProjectTree();
  ASSERT_EQ(tree->TopCount(), 3);
  struct TCase {
    const char* Module;
    std::vector<std::string> Files;
    const char* FormClass;
  };
  const TCase cases[] = {{"Alpha", {"Alpha.pas", "Alpha.dfm"}, "TAlphaForm"},
                         {"Beta", {"Beta.pas", "Beta.lfm"}, "TBetaForm"},
                         {"Gamma", {"Gamma.res"}, "TGammaForm"}};
  for (int i = 0; i < 3; ++i) {
    const TCase& c = cases[i];
    TTreeNode* node = tree->TopItem(i);
    EXPECT_EQ(node->Text(), c.Module);
    std::vector<std::string> files;
    for (int f = 0; f < node->Count(); ++f) files.push_back(node->Item(f)->Text());
    EXPECT_EQ(files, c.Files);
    // A file's node, as the developer clicks it, shows its module.
    QTreeWidget* view = tree->View();
    view->setCurrentItem(view->topLevelItem(i)->child(0));
    EXPECT_EQ(studio->CurrentModule(), i);
    ASSERT_NE(studio->CurrentForm(), nullptr) << c.Module;
    EXPECT_EQ(studio->CurrentForm()->ClassName(), c.FormClass);
    EXPECT_NE(dynamic_cast<TForm*>(studio->CurrentForm()), nullptr);
    for (int n = 0; n < studio->CurrentForm()->ComponentCount(); ++n)
      EXPECT_TRUE(studio->CurrentForm()->Components(n)->IsDesigning()) << c.Module;
  }
  studio->SelectModule(0);
  EXPECT_NE(dynamic_cast<TButton*>(Find("OkButton")), nullptr);
  EXPECT_NE(dynamic_cast<TStandIn*>(Find("Fancy")), nullptr);
  bool drawn = false;
  for (const TDesignedItem& item : studio->View()->Items())
    if (item.Component == Find("Fancy")) {
      drawn = true;
      EXPECT_TRUE(item.Box);
      EXPECT_EQ(item.Bounds, (TRect{10, 60, 130, 100}));
    }
  EXPECT_TRUE(drawn);
  EXPECT_EQ(PaneText(), "unit Alpha;\n\ninterface\n\nimplementation\n\nend.\n");
}

TEST_F(Studio, SaveWritesEachChangedFormInTheKindItWasReadAndKeepsWhatItDoesNotKnow) {
  Open();
  for (const char* file : {"Alpha.dfm", "Beta.lfm", "Gamma.res"}) {
    const TFormFileKind kind = DetectFormFileKind(ReadFileBytes(project.File(file)));
    studio->SelectModule(studio->Host().IndexOfFile(project.File(file)));
    studio->SelectProperty("Caption");
    ASSERT_TRUE(studio->SetPropertyValue(std::string("Saved ") + file));
    EXPECT_TRUE(studio->Host().Modified());
    ASSERT_TRUE(studio->SaveAll());
    EXPECT_FALSE(studio->Host().Modified());
    EXPECT_EQ(DetectFormFileKind(ReadFileBytes(project.File(file))), kind) << file;
    std::unique_ptr<THostedForm> saved = Reread(file);
    EXPECT_EQ(static_cast<TControl*>(saved->Root())->Caption(), std::string("Saved ") + file);
  }
  std::unique_ptr<THostedForm> alpha = Reread("Alpha.dfm");
  EXPECT_NE(alpha->FileBytes().find("TFancyGrid"), std::string::npos);
  EXPECT_NE(alpha->Root()->FindComponent("Gadget1"), nullptr);
}

TEST_F(Studio, TheInspectorShowsAndSetsPropertiesThroughTheRegisteredEditors) {
  Open();
  studio->SelectComponent(Find("Gadget1"));
  const TInspectorRow& flavour = Row("Flavour");
  EXPECT_EQ(flavour.Value, "apple");
  EXPECT_TRUE(flavour.ValueList);
  EXPECT_TRUE(flavour.Dialog);
  EXPECT_EQ(flavour.Values, (std::vector<std::string>{"apple", "Cherry", "Vanilla"}));

  // The drop-down, as the developer picks from it.
  studio->SelectProperty("Flavour");
  QComboBox* box = studio->ValueBox()->ComboWidget();
  ASSERT_EQ(box->count(), 3);
  box->setCurrentIndex(1);
  emit box->activated(1);
  EXPECT_EQ(Row("Flavour").Value, "Cherry");
  EXPECT_TRUE(studio->Host().IsFormModified(0));

  // Typed text, committed with Enter.
  studio->SelectProperty("Caption");
  box->setEditText("typed");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(Row("Caption").Value, "typed");

  studio->SelectProperty("Flavour");
  studio->PropertyDialog();
  EXPECT_EQ(Row("Flavour").Value, "From the dialog");

  // A refused value is reported and the row shows what the component holds.
  studio->SelectProperty("Name");
  EXPECT_FALSE(studio->SetPropertyValue("not a name"));
  EXPECT_EQ(Row("Name").Value, "Gadget1");
  EXPECT_FALSE(studio->Messages()->Lines()->Text().empty());
}

TEST_F(Studio, TheComponentEditorsVerbsRunAndADoubleClickEdits) {
  Open();
  TComponent* gadget = Find("Gadget1");
  studio->SelectComponent(gadget);
  EXPECT_EQ(studio->Verbs(), (std::vector<std::string>{"Polish", "Reset"}));
  studio->ExecuteVerb(0);
  EXPECT_EQ(Row("Caption").Value, "shiny*");
  EXPECT_TRUE(studio->Host().IsFormModified(0));

  // A double click where the view draws the gadget.
  studio->SelectComponent(studio->CurrentForm());
  QPoint at;
  for (const TDesignedItem& item : studio->View()->Items())
    if (item.Component == gadget)
      at = studio->View()->ClientOrigin() + QPoint(item.Bounds.Left + 2, item.Bounds.Top + 2);
  QTest::mouseDClick(studio->View(), Qt::LeftButton, {}, at);
  EXPECT_EQ(studio->Selected(), gadget);
  EXPECT_EQ(Row("Caption").Value, "shiny**");
  studio->ExecuteVerb(1);
  EXPECT_EQ(Row("Caption").Value, "");
}

TEST_F(Studio, TheDeveloperAddsFromThePaletteDeletesAndSavesTheNewComponent) {
  Open("Beta");
  TComponent* added = studio->AddComponent("TGadget");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->Name(), "Gadget1");
  EXPECT_EQ(studio->Selected(), added);
  studio->DeleteSelected();
  EXPECT_EQ(Find("Gadget1"), nullptr);
  studio->DeleteSelected();  // the form itself stays
  EXPECT_NE(studio->CurrentForm(), nullptr);

  // The palette's page and class, as the developer picks them.
  studio->SelectPalettePage("Gadgets");
  ASSERT_EQ(studio->ClassBox()->Items()->Strings(0), "TGadget");
  FindOwned<TButton>(studio.get(), "AddButton")->Click();
  studio->SelectProperty("Flavour");
  ASSERT_TRUE(studio->SetPropertyValue("Vanilla"));
  ASSERT_TRUE(studio->SaveAll());

  std::unique_ptr<THostedForm> saved = Reread("Beta.lfm");
  TComponent* root = saved->Root();
  ASSERT_EQ(root->ComponentCount(), 2);
  EXPECT_EQ(static_cast<TLabel*>(root->FindComponent("Note"))->Caption(), "Hello");
  TComponent* gadget = root->FindComponent("Gadget1");
  ASSERT_NE(gadget, nullptr);
  EXPECT_EQ(gadget->ClassName(), "TGadget");
  EXPECT_EQ(static_cast<TControl*>(root)->Caption(), "Beta");
  EXPECT_EQ(static_cast<TControl*>(root)->ClientWidth(), 240);
  EXPECT_NE(ReadFileBytes(project.File("Beta.lfm")).find("Flavour = 'Vanilla'"), std::string::npos);
}

TEST_F(Studio, AnExpertsItemIsInTheToolsMenuAndWritesIntoTheShownUnit) {
  Open();
  TMenuItem* tools = studio->ToolsMenu();
  ASSERT_EQ(tools->Count(), 1);
  EXPECT_EQ(tools->Items(0)->Caption(), "Gadget tool");
  tools->Items(0)->Click();
  EXPECT_EQ(PaneText().substr(0, 10), "{ gadget }");
  EXPECT_TRUE(studio->Host().UnitModified(0));
}

TEST_F(Studio, ReadingAndWritingSourceCodeSeeThePaneWithItsUnsavedEdits) {
  Open();
  auto* pane = static_cast<QTextEdit*>(studio->SourcePane()->Widget());
  pane->moveCursor(QTextCursor::End);
  QTest::keyClicks(pane, "// edited");
  std::string text;
  ASSERT_TRUE(ReadSourceCode(false, project.File("Alpha.pas"), text));
  EXPECT_EQ(text, std::string(kAlphaUnit) + "// edited");
  ASSERT_TRUE(ReadSourceCode(true, "AlphaForm", text));
  EXPECT_EQ(text, std::string(kAlphaUnit) + "// edited");
  EXPECT_EQ(ReadFileBytes(project.File("Alpha.pas")), kAlphaUnit) << "nothing saved yet";

  ASSERT_TRUE(WriteSourceCode(false, project.File("Alpha.pas"), "unit Alpha;\r\nend.\r\n"));
  EXPECT_EQ(PaneText(), "unit Alpha;\nend.\n");
  ASSERT_TRUE(studio->SaveAll());
  EXPECT_EQ(ReadFileBytes(project.File("Alpha.pas")), "unit Alpha;\r\nend.\r\n");
}

TEST_F(Studio, ClosingWithUnsavedChangesAsks) {
  Open();
  EXPECT_TRUE(studio->CloseQuery()) << "nothing changed: no question";
  studio->SelectComponent(Find("Gadget1"));
  studio->ExecuteVerb(0);
  AnswerWith("&Cancel");
  EXPECT_FALSE(studio->CloseQuery());
  AnswerWith("&Yes");
  EXPECT_TRUE(studio->CloseQuery());
  EXPECT_FALSE(studio->Host().Modified());
  EXPECT_NE(ReadFileBytes(project.File("Alpha.dfm")).find("shiny*"), std::string::npos);
  studio->ExecuteVerb(0);
  AnswerWith("&No");
  EXPECT_TRUE(studio->CloseQuery());
}

TEST_F(Studio, DisabledPackagesAreNotLoadedAndABrokenOneIsOneLine) {
  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey(std::string("\\") + kKnownPackagesKey, true));
  for (const char* file : {STUDIO_TEST_PACKAGE, "/nowhere/libMissing.so", STUDIO_NO_ENTRY})
    reg.WriteString(file, "a package");
  ASSERT_TRUE(reg.OpenKey(std::string("\\") + kDisabledPackagesKey, true));
  reg.WriteString(STUDIO_TEST_PACKAGE, "a package");
  reg.CloseKey();

  studio->LoadPackages(StudioPackages(reg, STUDIO_NO_ENTRY));
  EXPECT_TRUE(studio->Host().Registry().Pages().empty());
  TStrings* lines = studio->Messages()->Lines();
  ASSERT_EQ(lines->Count(), 2) << lines->Text();
  EXPECT_NE(lines->Strings(0).find("/nowhere/libMissing.so"), std::string::npos);
  EXPECT_NE(lines->Strings(1).find(STUDIO_NO_ENTRY), std::string::npos);
  studio->OpenFolder(project.Path());
  EXPECT_NE(studio->CurrentForm(), nullptr);
}

// A designed form's TDravik keeps the language it was stored in when the studio switches its own,
// and opening it leaves the studio in the frame it shares with the package's windows.
TEST_F(Studio, DesignedFormsKeepTheirLanguageAndTheStudioKeepsItsFrame) {
  WriteFileBytes(project.File("Settings.txt"),
                 ReadFileBytes(DRAVIK_TEST_DATA "/../../apps/demo/forms/TSettingsForm.txt"));
  Open("Settings");
  auto* designed = dynamic_cast<TDravik*>(Find("Dravik"));
  ASSERT_NE(designed, nullptr);
  EXPECT_EQ(GetFrameDomain(studio->Dravik()->Handler()), ".Private Quelt Domain");
  studio->Dravik()->SetLanguage("Deutsch");
  EXPECT_EQ(FindOwned<TMenuItem>(studio.get(), "FileMenu")->Caption(), "&Datei");
  EXPECT_EQ(designed->GetLanguage(), "English");
  EXPECT_EQ(static_cast<TControl*>(studio->CurrentForm())->Caption(), "Settings");
}

namespace {

const std::string kDesignPackage = DRAVIK_LIB_DIR "/libQueltDravik30Design.so";

TDravik* FirstDravik(TComponent* form) {
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* dravik = dynamic_cast<TDravik*>(form->Components(i))) return dravik;
  return nullptr;
}

}  // namespace

// The library's own package, as the studio loads it: a TDravik through its editors.
TEST_F(Studio, ATDravikIsInspectedAndEditedThroughItsPackagesEditors) {
  WriteFileBytes(project.File("Settings.pas"), "unit Settings;\n\nend.\n");
  WriteFileBytes(project.File("Settings.txt"),
                 ReadFileBytes(DRAVIK_TEST_DATA "/../../apps/demo/forms/TSettingsForm.txt"));
  Open("Settings", kDesignPackage);
  EXPECT_EQ(studio->Messages()->Lines()->Count(), 0) << studio->Messages()->Lines()->Text();
  TDravik* dravik = FirstDravik(studio->CurrentForm());
  ASSERT_NE(dravik, nullptr);
  studio->SelectComponent(dravik);

  const TInspectorRow& languages = Row("Languages");
  EXPECT_EQ(languages.Value, "(TLanguages)");
  EXPECT_TRUE(languages.ReadOnly);
  EXPECT_TRUE(languages.Dialog);
  studio->SelectProperty("Languages");
  EXPECT_FALSE(studio->ValueBox()->Enabled());

  EXPECT_EQ(Row("Domain").Value, "Settings");
  ASSERT_TRUE(Row("Domain").ValueList);
  for (const std::string& domain : Row("Domain").Values) EXPECT_NE(domain.front(), '.') << domain;

  ASSERT_TRUE(Row("Language").ValueList);
  EXPECT_EQ(Row("Language").Values, (std::vector<std::string>{"Deutsch", "English",
                                                              "Fran\xC3\xA7"
                                                              "ais"}));
  studio->SelectProperty("Language");
  QComboBox* box = studio->ValueBox()->ComboWidget();
  box->setCurrentIndex(0);
  emit box->activated(0);
  EXPECT_EQ(dravik->GetLanguage(), "Deutsch");
  EXPECT_EQ(static_cast<TControl*>(studio->CurrentForm())->Caption(), "Einstellungen");
  EXPECT_TRUE(studio->Host().Modified());

  // The verbs; the editor window is the language editor's, stood in for here.
  EXPECT_EQ(studio->Verbs(), (std::vector<std::string>{"Edit Languages...", "About"}));
  std::vector<TDravik*> edited;
  SetDravikEditorWindow([&](const std::string&, TComponent*, TLanguageManager&, TDravik& control) {
    edited.push_back(&control);
    return true;
  });
  AnswerWith("&OK");
  studio->ExecuteVerb(1);
  studio->ExecuteVerb(0);
  QPoint at;
  for (const TDesignedItem& item : studio->View()->Items())
    if (item.Component == dravik)
      at = studio->View()->ClientOrigin() + QPoint(item.Bounds.Left + 2, item.Bounds.Top + 2);
  QTest::mouseDClick(studio->View(), Qt::LeftButton, {}, at);
  SetDravikEditorWindow(ShowDravikEditorForm);  // the real window again
  EXPECT_EQ(edited, (std::vector<TDravik*>{dravik, dravik}));

  // A TDravik added to a form that had none, saved and read back.
  studio->SelectModule(studio->Host().IndexOfFile(project.File("Beta.lfm")));
  TComponent* added = studio->AddComponent("TDravik");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->Name(), "Dravik") << "a TDravik added in a designer takes the plain name";
  ASSERT_TRUE(studio->SaveAll());
  std::unique_ptr<THostedForm> beta = Reread("Beta.lfm");
  ASSERT_EQ(beta->Root()->ComponentCount(), 2);
  EXPECT_EQ(static_cast<TLabel*>(beta->Root()->FindComponent("Note"))->Caption(), "Hello");
  EXPECT_NE(dynamic_cast<TDravik*>(beta->Root()->FindComponent("Dravik")), nullptr);

  // The switched form keeps every language's values.
  std::unique_ptr<THostedForm> settings = Reread("Settings.txt");
  TDravik* saved = FirstDravik(settings->Root());
  EXPECT_EQ(saved->GetLanguage(), "Deutsch");
  saved->SetLanguage("English");
  EXPECT_EQ(static_cast<TControl*>(settings->Root())->Caption(), "Settings");
  EXPECT_EQ(static_cast<TControl*>(settings->Root()->FindComponent("Display"))->Caption(),
            "Display");
}

// The studio's language and the package's windows' are one setting: switched together, and the
// next start takes it from the designers' shared "Global" section.
TEST_F(Studio, TheUiLanguageIsSharedWithThePackagesWindowsThroughTheGlobalSetting) {
  Open("Alpha", kDesignPackage);
  ASSERT_NE(DravikModule(), nullptr);
  studio->Dravik()->SetLanguage("Deutsch");
  EXPECT_EQ(DravikModule()->Dravik()->GetLanguage(), "Deutsch");
  DravikModule()->SetLanguage("English");
  EXPECT_EQ(FindOwned<TMenuItem>(studio.get(), "FileMenu")->Caption(), "&File");
  studio->Dravik()->SetLanguage("Deutsch");
  studio.reset();
  // The package's text module went with the host: nothing is left in the private domain.
  for (TLanguageFrame* frame : *NamedDomainFrames()) EXPECT_NE(frame->Name(), kPrivateDomain);
  EXPECT_NE(ReadFileBytes(scratch.File("registry.reg")).find("Dravik.Language\"=\"Deutsch\""),
            std::string::npos);
  studio = MakeComponent<TStudioForm>(nullptr);
  EXPECT_EQ(FindOwned<TMenuItem>(studio.get(), "FileMenu")->Caption(), "&Datei");
}

// The component tree and the view's context menu, as the developer uses them.
TEST_F(Studio, TheComponentTreeSelectsAndTheContextMenuOffersTheVerbs) {
  Open();
  TComponent* gadget = Find("Gadget1");
  QTreeWidget* tree = studio->ComponentTree()->View();
  QTreeWidgetItem* root = tree->topLevelItem(0);
  for (int i = 0; i < root->childCount(); ++i)
    if (root->child(i)->text(0).startsWith("Gadget1")) {
      tree->setCurrentItem(root->child(i));
      break;
    }
  EXPECT_EQ(studio->Selected(), gadget);
  EXPECT_EQ(Row("Name").Value, "Gadget1");

  QPoint at;
  for (const TDesignedItem& item : studio->View()->Items())
    if (item.Component == gadget)
      at = studio->View()->ClientOrigin() + QPoint(item.Bounds.Left + 2, item.Bounds.Top + 2);
  studio->SelectComponent(studio->CurrentForm());
  QContextMenuEvent click(QContextMenuEvent::Mouse, at, studio->View()->mapToGlobal(at));
  QApplication::sendEvent(studio->View(), &click);
  EXPECT_EQ(studio->Selected(), gadget);
  TMenuItem* verbs = FindOwned<TPopupMenu>(studio.get(), "VerbMenu")->Items();
  ASSERT_EQ(verbs->Count(), 2);
  EXPECT_EQ(verbs->Items(0)->Caption(), "Polish");
  verbs->Items(0)->Click();
  EXPECT_EQ(Row("Caption").Value, "shiny*");
}

// A form file that cannot be read is one message naming it; the studio goes on without it.
TEST_F(Studio, AFormThatCannotBeReadIsReportedAndTheStudioGoesOn) {
  WriteFileBytes(project.File("Broken.dfm"), "object Broken: TForm\n  Caption = 'x\nend\n");
  TResourceFile two;
  for (const char* name : {"TONE", "TTWO"}) {
    two.Entries.emplace_back();
    two.Entries.back().Name = TResourceId(name);
    two.Entries.back().Data = TextToBinary(kGammaForm);
  }
  two.SaveToFile(project.File("Twice.res"));
  Open();
  for (const char* file : {"Broken.dfm", "Twice.res"}) {
    const int before = studio->Messages()->Lines()->Count();
    studio->SelectModule(studio->Host().IndexOfFile(project.File(file)));
    EXPECT_EQ(studio->CurrentForm(), nullptr) << file;
    ASSERT_EQ(studio->Messages()->Lines()->Count(), before + 1) << file;
    EXPECT_NE(studio->Messages()->Lines()->Strings(before).find(file), std::string::npos);
  }
  studio->SelectModule(0);
  EXPECT_NE(studio->CurrentForm(), nullptr);
}
