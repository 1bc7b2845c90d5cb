// The design package's expert in the studio, used as a developer uses it: its items in the Tools
// menu in the studio's language, a TDravik dropped on a form on request, a plain unit rewritten
// in its open source pane and saved only with the studio, the choice between the two for the
// current module, and the overview.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <optional>

#include "apps/studio/StudioForm.h"
#include "editor/DravikEditorForm.h"
#include "platform/ui/Menus.h"
#include "runtime/Dravik.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

const char kMainForm[] = R"(object MainForm: TMainForm
  Caption = 'Main'
  ClientWidth = 240
  ClientHeight = 120
  object Hello: TLabel
    Left = 8
    Top = 8
    Caption = 'Hello'
  end
end
)";
const char kMainUnit[] = "unit Main;\r\n\r\ninterface\r\n\r\nimplementation\r\n\r\nend.\r\n";
const char kPlainUnit[] =
    "unit Plain;\r\n\r\ninterface\r\n\r\nimplementation\r\n\r\nvar\r\n  Count: Integer;\r\n\r\n"
    "begin\r\n  Count := 1;\r\nend.\r\n";

void SaveScreenshot(QWidget* widget, const std::string& name) {
  const std::filesystem::path folder =
      std::filesystem::path(DRAVIK_BIN_DIR).parent_path() / "screenshots";
  std::filesystem::create_directories(folder);
  QCoreApplication::processEvents();
  EXPECT_TRUE(widget->grab().save(QString::fromStdString((folder / name).string())));
}

TDravikEditorForm* OpenEditor() {
  for (int i = 0; i < Application->ComponentCount(); ++i)
    if (auto* editor = dynamic_cast<TDravikEditorForm*>(Application->Components(i));
        editor && editor->Visible())
      return editor;
  return nullptr;
}

// Runs action on the modal window once one other than `previous` is up (a question closes
// before the window after it opens).
void WhenModal(std::function<void(QWidget*)> action, QWidget* previous = nullptr, int tries = 200) {
  QTimer::singleShot(5, [=, action = std::move(action)]() mutable {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != previous) return action(modal);
    ASSERT_GT(tries, 0) << "no window came up";
    WhenModal(std::move(action), previous, tries - 1);
  });
}

void Click(QWidget* dialog, const QString& caption) {
  for (QPushButton* button : dialog->findChildren<QPushButton*>())
    if (button->text() == caption) return button->click();
  ADD_FAILURE() << "no button " << caption.toStdString() << " in "
                << dialog->windowTitle().toStdString();
}

// The question comes up (its text is kept, its picture taken) and is answered Yes; the editor
// opens next and is closed without a commit.
void AnswerYesThenCloseEditor(const std::string& picture, std::string& question,
                              bool& editorOpened) {
  WhenModal([&, picture](QWidget* dialog) {
    for (QLabel* label : dialog->findChildren<QLabel*>())
      if (label->text().size() > 20) question = label->text().toStdString();
    SaveScreenshot(dialog, picture);
    WhenModal(
        [&](QWidget* window) {
          editorOpened = OpenEditor() && window == OpenEditor()->Widget();
          window->close();
        },
        dialog);
    Click(dialog, "&Yes");
  });
}

class StudioExpert : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    registry.emplace("DRAVIK_REGISTRY", scratch.File("registry.reg"));
    temp.emplace("TMPDIR", scratch.Path());
    WriteFileBytes(project.File("Main.txt"), kMainForm);
    WriteFileBytes(project.File("Main.pas"), kMainUnit);
    WriteFileBytes(project.File("Plain.pas"), kPlainUnit);
    studio = MakeComponent<TStudioForm>(nullptr);
    studio->LoadPackages({std::string(DRAVIK_LIB_DIR) + "/libQueltDravik30Design.so"});
    studio->OpenFolder(project.Path());
    // The developer's choice of English, kept in the setting the package's windows start in.
    studio->Dravik()->SetLanguage("Deutsch");
    studio->Dravik()->SetLanguage("English");
  }
  void TearDown() override {
    studio.reset();
    UiTest::TearDown();
  }
  void Select(const char* file) {
    studio->SelectModule(studio->Host().IndexOfFile(project.File(file)));
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    TMenuItem* tools = studio->ToolsMenu();
    for (int i = 0; i < tools->Count(); ++i) captions.push_back(tools->Items(i)->Caption());
    return captions;
  }
  TMenuItem* Item(int index) const { return studio->ToolsMenu()->Items(index); }
  std::string PaneText() const {
    return static_cast<QTextEdit*>(studio->SourcePane()->Widget())->toPlainText().toStdString();
  }

  TTempDir scratch, project;
  std::optional<TEnvironmentScope> registry, temp;
  TComponentPtr<TStudioForm> studio;
};

TEST_F(StudioExpert, TheMenuItemsFollowTheStudiosLanguageAndGoWithTheExpert) {
  EXPECT_EQ(Captions(),
            (std::vector<std::string>{"-", "Multilingual Form...", "Multilingual Unit...",
                                      "Multilingual Form/Unit...", "Dravik - Overview"}));
  EXPECT_EQ(ShortCutToText(Item(2)->ShortCut()), "Shift+F9");
  EXPECT_EQ(ShortCutToText(Item(3)->ShortCut()), "Shift+F11");
  for (const char* language : {"English", "Deutsch"}) {
    studio->Dravik()->SetLanguage(language);
    studio->Show();
    QMenu* menu = studio->ToolsMenu()->SubMenu();
    ASSERT_NE(menu, nullptr);
    menu->popup(studio->Widget()->mapToGlobal(QPoint(60, 24)));
    SaveScreenshot(menu, std::string("expert_menu-") + language + ".png");
    menu->hide();
  }
  EXPECT_EQ(Captions(),
            (std::vector<std::string>{"-", "Mehrsprachiges Formular...", "Mehrsprachige Unit...",
                                      "Mehrsprachige Formular/Unit...", "Dravik - Überblick"}));
  studio->Dravik()->SetLanguage("English");

  studio->Host().Registry().FreeExperts();
  EXPECT_TRUE(Captions().empty()) << "the expert takes its items with it";
}

TEST_F(StudioExpert, FormAndUnitAreMadeMultilingualInTheOpenStudio) {
  // A form without TDravik: one is dropped on request, and the editor opens on it.
  Select("Main.txt");
  bool editorOpened = false;
  std::string formQuestion;
  AnswerYesThenCloseEditor("expert_question_form.png", formQuestion, editorOpened);
  Item(1)->Click();
  EXPECT_EQ(formQuestion, "Do you want to create a multilingual form?");
  EXPECT_TRUE(editorOpened);
  ASSERT_EQ(studio->CurrentForm()->ComponentCount(), 2);
  TComponent* dropped = studio->CurrentForm()->Components(1);
  EXPECT_EQ(dropped->ClassName(), "TDravik");
  EXPECT_EQ(dropped->DesignLeft(), 32);
  EXPECT_EQ(dropped->DesignTop(), 8);
  EXPECT_TRUE(studio->Host().IsFormModified(studio->CurrentModule()));
  studio->Show();
  SaveScreenshot(studio->Widget(), "expert_form_dropped.png");

  // A plain unit: rewritten in the pane, unsaved; its language file is written at once.
  Select("Plain.pas");
  editorOpened = false;
  std::string unitQuestion;
  AnswerYesThenCloseEditor("expert_question_unit.png", unitQuestion, editorOpened);
  Item(2)->Click();
  EXPECT_EQ(unitQuestion, "Do you want to create a multilingual source code document?");
  EXPECT_TRUE(editorOpened);
  const std::string pane = PaneText();
  EXPECT_NE(pane.find("begin\n  InitDravik('{"), std::string::npos) << pane;
  EXPECT_NE(pane.find("uses\n  Dravik;"), std::string::npos) << pane;
  EXPECT_TRUE(studio->Host().UnitModified(studio->CurrentModule()));
  EXPECT_EQ(ReadFileBytes(project.File("Plain.pas")), kPlainUnit) << "saved only with the studio";
  EXPECT_TRUE(std::filesystem::exists(project.File("Plain.lng")));
  studio->Show();
  SaveScreenshot(studio->Widget(), "expert_unit_rewritten.png");
  ASSERT_TRUE(studio->SaveAll());
  EXPECT_NE(ReadFileBytes(project.File("Plain.pas")).find("InitDravik('{"), std::string::npos);

  // Form/Unit picks the form's command on a form (no question now) and the unit's on a unit
  // (its language data is found: no question either).
  for (const char* file : {"Main.txt", "Plain.pas"}) {
    SCOPED_TRACE(file);
    Select(file);
    bool opened = false;
    WhenModal([&](QWidget* window) {
      opened = OpenEditor() && window == OpenEditor()->Widget();
      window->close();
    });
    Item(3)->Click();
    EXPECT_TRUE(opened) << "the editor, without a question";
  }

  // The overview.
  std::string overview;
  WhenModal([&](QWidget* window) {
    overview = window->windowTitle().toStdString();
    SaveScreenshot(window, "expert_overview.png");
    window->close();
  });
  Item(4)->Click();
  EXPECT_EQ(overview, "Quelt Dravik - Overview");
}

}  // namespace
