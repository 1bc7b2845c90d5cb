// The language editor opened from the studio on the demo's main form: a German caption edited
// and committed, the form saved by the studio, and the demo's window reading the saved file
// shows the new text in German.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <filesystem>
#include <optional>

#include "apps/demo/DemoForms.h"
#include "apps/dravik/FormFile.h"
#include "apps/studio/StudioForm.h"
#include "editor/DravikEditorForm.h"
#include "platform/core/resources/ModuleResources.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "tests/editor/EditorDriving.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

TDravikEditorForm* OpenEditor() {
  for (int i = 0; i < Application->ComponentCount(); ++i)
    if (auto* editor = dynamic_cast<TDravikEditorForm*>(Application->Components(i))) return editor;
  return nullptr;
}

class StudioEditor : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    registry.emplace("DRAVIK_REGISTRY", scratch.File("registry.reg"));
    temp.emplace("TMPDIR", scratch.Path());
    for (const char* form : {"TMainForm.txt", "TDetailsForm.txt"})
      std::filesystem::copy_file(std::string(DRAVIK_DEMO_FORMS) + "/" + form, project.File(form));
  }

  TTempDir scratch, project;
  std::optional<TEnvironmentScope> registry, temp;
};

TEST_F(StudioEditor, ACaptionEditedFromTheStudioReachesTheDemoAfterSave) {
  auto studio = MakeComponent<TStudioForm>(nullptr);
  studio->LoadPackages({std::string(DRAVIK_LIB_DIR) + "/libQueltDravik30Design.so"});
  studio->OpenFolder(project.Path());
  studio->SelectModule(studio->Host().IndexOfFile(project.File("TMainForm.txt")));
  ASSERT_NE(studio->CurrentForm(), nullptr);
  studio->SelectComponent(studio->CurrentForm()->FindComponent("Dravik"));

  QTimer::singleShot(0, [] {
    TDravikEditorForm* editor = OpenEditor();
    ASSERT_NE(editor, nullptr) << "the editor did not open";
    TypeAndCommit(*editor, "Title", "Caption", "Deutsch", "Formulare wechseln die Sprache");
    editor->Close();
  });
  studio->ExecuteVerb(0);
  EXPECT_TRUE(studio->Host().Modified()) << "a commit marks the form changed";
  ASSERT_TRUE(studio->SaveAll());
  studio.reset();

  // The demo's main window, made of the saved file instead of the one built into it.
  static const std::string saved = TextToBinary(ReadFileBytes(project.File("TMainForm.txt")));
  const std::string_view builtIn = FindModuleResource("TMainForm").value_or("");
  RegisterModuleResource("TMainForm", saved);
  auto demo = MakeComponent<TMainForm>(nullptr);
  demo->Dravik()->SetLanguage("Deutsch");
  EXPECT_EQ(FindOwned<TLabel>(demo.get(), "Title")->Caption(), "Formulare wechseln die Sprache");
  demo->Dravik()->SetLanguage("English");
  EXPECT_EQ(FindOwned<TLabel>(demo.get(), "Title")->Caption(),
            "Multilingual forms without restart");
  demo.reset();
  if (!builtIn.empty()) RegisterModuleResource("TMainForm", builtIn);
}

// The consistency check the editor runs as it opens repairs the form's unit in the studio's
// buffer: the commit puts the repair into the source pane, and the unit is saved with the form.
TEST_F(StudioEditor, TheCheckRepairsTheUnitInTheOpenPane) {
  WriteFileBytes(project.File("TMainForm.pas"),
                 "unit MainUnit;\ninterface\nimplementation\n"
                 "procedure Greet;\nbegin\n  Show(Dravik.GetString('Greting'));\nend;\nend.\n");
  auto studio = MakeComponent<TStudioForm>(nullptr);
  studio->LoadPackages({std::string(DRAVIK_LIB_DIR) + "/libQueltDravik30Design.so"});
  studio->OpenFolder(project.Path());
  studio->SelectModule(studio->Host().IndexOfFile(project.File("TMainForm.txt")));
  ASSERT_NE(studio->CurrentForm(), nullptr);
  studio->SelectComponent(studio->CurrentForm()->FindComponent("Dravik"));

  bool repaired = false;
  QTimer::singleShot(0, [&] {
    QWidget* check = QApplication::activeModalWidget();
    ASSERT_NE(check, nullptr) << "the check did not show its findings";
    for (QPushButton* button : check->findChildren<QPushButton*>())
      if (button->text() == "<- Use ID <-" || button->text() == "<- Benutzen <-") button->click();
    for (QPushButton* button : check->findChildren<QPushButton*>())
      if (button->text() == "&OK") button->click();
    QTimer::singleShot(0, [&] {
      TDravikEditorForm* editor = OpenEditor();
      ASSERT_NE(editor, nullptr);
      repaired = editor->DataModified();
      editor->Item("ItemCommit")->Click();
      editor->Close();
    });
  });
  studio->ExecuteVerb(0);
  EXPECT_TRUE(repaired) << "a repair counts as a change";
  const std::string pane =
      static_cast<QTextEdit*>(studio->SourcePane()->Widget())->toPlainText().toStdString();
  EXPECT_NE(pane.find("Show(Dravik.GetString('Greeting'));"), std::string::npos) << pane;
  ASSERT_TRUE(studio->SaveAll());
  EXPECT_NE(ReadFileBytes(project.File("TMainForm.pas")).find("GetString('Greeting')"),
            std::string::npos);
  studio.reset();
}

}  // namespace
