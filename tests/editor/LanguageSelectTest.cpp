// The language list and the pick list of language names as a developer meets them: the names
// checked on OK, removing the default language, F9 and the pick list's preselection.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <functional>

#include "editor/DravikEditorForm.h"
#include "editor/DravikList.h"
#include "editor/LanguageGrid.h"
#include "editor/LanguageSelect.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "runtime/LanguageEntries.h"
#include "runtime/LanguageManager.h"
#include "runtime/ui/DravikModule.h"
#include "tests/editor/EditorFixture.h"
#include "widgets/ConfigFile.h"

using namespace dravik;

namespace {

class LanguageSelect : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    owner = [] {
      TOwnerlessScope ownerless;
      return MakeComponent<TDravik>(nullptr);
    }();
  }
  void TearDown() override {
    dialog.reset();
    owner.reset();
    EditorTest::TearDown();
  }
  TLanguageManager& Manager() const { return *owner->LanguageManager(); }
  void AddLanguages(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      TLanguageEntry* language = Manager().Langs()->Add();
      language->Name = name;
      language->SubIndex = Manager().GetLangCount() - 1;
    }
  }
  void Open() {
    dialog = MakeComponent<TLanguageSelectForm>(nullptr);
    dialog->Init(Manager(), false, nullptr, nullptr);
    dialog->Show();
  }
  // OK as the button gives it: whether the dialog would close.
  bool Ok() {
    dialog->SetModalResult(mrOk);
    bool canClose = true;
    dialog->FormCloseQuery(nullptr, canClose);
    return canClose;
  }
  // Answers the next message with the button of that caption and keeps its longest text.
  void Answer(const std::string& button) {
    WhenShown([this, button](QWidget* window) {
      for (QLabel* label : window->findChildren<QLabel*>())
        if (label->text().size() > static_cast<int>(answered.size()))
          answered = label->text().toStdString();
      for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->text().remove('&').toStdString() == button) return b->click();
      ADD_FAILURE() << "no button " << button << " on " << answered;
      window->close();
    });
  }
  std::vector<std::string> Column(int col) const {
    std::vector<std::string> cells;
    for (int row = 1; row < dialog->Grid()->RowCount(); ++row)
      cells.push_back(dialog->Grid()->Cells(col, row));
    return cells;
  }

  TComponentPtr<TDravik> owner;
  TComponentPtr<TLanguageSelectForm> dialog;
  std::string answered;
};

TEST(LanguageNames, EmptyAndDuplicateNamesAreErrorsUnknownNamesAreListed) {
  struct {
    std::vector<std::string> Names;
    bool Valid;
    std::string Unknown;
  } const cases[] = {
      {{"Deutsch"}, true, ""},
      {{"English", " Deutsch "}, true, ""},
      {{""}, false, ""},
      {{"English", "  "}, false, ""},
      {{"Deutsch", "German"}, false, ""},
      {{"English", "english"}, false, ""},
      {{"Klingon", "Deutsch", "Elvish"}, true, "Klingon, Elvish"},
  };
  for (const auto& c : cases) {
    TLanguageEntries languages(nullptr);
    for (const std::string& name : c.Names) languages.Add()->Name = name;
    std::string unknown = "stale";
    EXPECT_EQ(CheckLanguageNames(languages, unknown), c.Valid) << c.Names[0];
    if (c.Valid) {
      EXPECT_EQ(unknown, c.Unknown) << c.Names[0];
    }
  }
}

TEST_F(LanguageSelect, WithoutLanguagesOneEmptyRowIsEditedAndOkRefusesIt) {
  Open();
  EXPECT_EQ(Column(0), std::vector<std::string>{""});
  EXPECT_EQ(Column(2), std::vector<std::string>{"[Default]"});
  EXPECT_TRUE(dialog->Grid()->EditorMode());
  Answer("OK");
  EXPECT_FALSE(Ok());
  EXPECT_EQ(answered, "Language names must not be multiple available or empty.");
  EXPECT_EQ(Manager().GetLangCount(), 0) << "the manager is untouched";
}

TEST_F(LanguageSelect, AnUnknownNameIsWarnedAboutAndIgnoreAcceptsIt) {
  AddLanguages({"English"});
  Open();
  dialog->BtnAddClick(nullptr);
  QLineEdit* line = nullptr;
  for (QLineEdit* candidate : dialog->Grid()->View()->findChildren<QLineEdit*>())
    if (candidate->isVisible()) line = candidate;
  ASSERT_NE(line, nullptr) << "the new row's name is edited";
  QTest::keyClicks(line, "Klingon");
  QTest::keyClick(line, Qt::Key_Return);
  QCoreApplication::processEvents();  // the editor hands its text over queued
  EXPECT_EQ(Column(0), (std::vector<std::string>{"English", "Klingon"}));
  struct {
    const char* Button;
    bool Closes;
  } const answers[] = {{"Abort", false}, {"Ignore", true}};
  for (const auto& a : answers) {
    answered.clear();
    Answer(a.Button);
    EXPECT_EQ(Ok(), a.Closes) << a.Button;
    EXPECT_EQ(answered, "The following language names are not known or not in English: Klingon.");
  }
  ASSERT_EQ(Manager().GetLangCount(), 2);
  EXPECT_EQ(Manager().Langs()->Items(1)->Name, "Klingon");
}

TEST_F(LanguageSelect, RemovingTheDefaultMakesTheFirstRemainingOneTheDefault) {
  AddLanguages({"English", "Deutsch", "French"});
  Open();
  dialog->Grid()->MoveTo(0, 2);
  dialog->BtnDefaultClick(nullptr);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"", "[Default]", ""}));
  struct {
    const char* Answer;
    std::vector<std::string> Names, Status;
  } const steps[] = {{"No", {"English", "Deutsch", "French"}, {"", "[Default]", ""}},
                     {"Yes", {"English", "French"}, {"[Default]", ""}}};
  for (const auto& s : steps) {
    dialog->Grid()->MoveTo(0, 2);
    Answer(s.Answer);
    dialog->BtnRemoveClick(nullptr);
    EXPECT_EQ(Column(0), s.Names) << s.Answer;
    EXPECT_EQ(Column(2), s.Status) << s.Answer;
  }
  EXPECT_TRUE(Ok());
  EXPECT_EQ(Manager().GetLangCount(), 2);
  EXPECT_EQ(Manager().Langs()->Items(0)->SubIndex, 0) << "the default is the active language";
}

TEST_F(LanguageSelect, AComponentWithoutLanguagesStartsFromTheLastConfirmedList) {
  TComponentPtr<TConfigFile> config = MakeComponent<TConfigFile>(nullptr);
  config->SetMode(cmRegistry);
  config->SetRegistryPath("Software\\Quelt GbR\\Designers\\Dravik\\Editor");
  AddLanguages({"English", "Deutsch"});
  Manager().Langs()->Items(1)->Hint = "for Berlin, Vienna";
  dialog = MakeComponent<TLanguageSelectForm>(nullptr);
  dialog->Init(Manager(), false, nullptr, config.get());
  dialog->Show();
  EXPECT_TRUE(Ok());
  dialog.reset();
  TComponentPtr<TDravik> other = [] {
    TOwnerlessScope ownerless;
    return MakeComponent<TDravik>(nullptr);
  }();
  dialog = MakeComponent<TLanguageSelectForm>(nullptr);
  dialog->Init(*other->LanguageManager(), false, nullptr, config.get());
  dialog->Show();
  EXPECT_EQ(Column(0), (std::vector<std::string>{"English", "Deutsch"}));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"", "for Berlin, Vienna"}));
  EXPECT_EQ(Column(2), (std::vector<std::string>{"[Default]", ""}));
  EXPECT_FALSE(dialog->Grid()->EditorMode());
  dialog.reset();
}

TEST_F(LanguageSelect, TheEditorsLanguagesCommandRebuildsItsGridAfterOk) {
  AddLanguages({"English"});
  Manager().AddString("Hello");
  TComponentPtr<TDravikEditorForm> editor = MakeComponent<TDravikEditorForm>(nullptr);
  editor->Dravik()->SetLanguage("English");
  editor->Init("", nullptr, &Manager(), owner.get());
  editor->Show();
  WhenShown([](QWidget* window) {
    for (QPushButton* button : window->findChildren<QPushButton*>())
      if (button->text() == "Add") button->click();
    QLineEdit* line = nullptr;
    for (QLineEdit* candidate : window->findChildren<QTableView*>()[0]->findChildren<QLineEdit*>())
      if (candidate->isVisible()) line = candidate;
    ASSERT_NE(line, nullptr);
    QTest::keyClicks(line, "Deutsch");
    QTest::keyClick(line, Qt::Key_Return);
    QCoreApplication::processEvents();
    for (QPushButton* button : window->findChildren<QPushButton*>())
      if (button->text() == "OK") button->click();
  });
  editor->Item("ItemLangs")->Click();
  EXPECT_TRUE(editor->DataModified());
  std::vector<std::string> header;
  for (int col = 0; col < editor->Grid()->ColCount(); ++col)
    header.push_back(editor->Grid()->Cells(col, 0));
  EXPECT_EQ(header, (std::vector<std::string>{"String ID", "English [Default]", "Deutsch"}));
  EXPECT_EQ(Manager().GetLangCount(), 1) << "the component waits for the commit";
}

TEST_F(LanguageSelect, ThePickListFindsTheNameInEitherKind) {
  struct {
    std::string Name;
    bool English;
    std::string Selected;
  } const cases[] = {{"German", true, "German"},
                     {"German", false, "Deutsch"},
                     {"Deutsch", true, "German"},
                     {"Deutsch", false, "Deutsch"},
                     {"Klingon", true, ""}};
  for (const auto& c : cases) {
    TComponentPtr<TLanguageListForm> list = MakeComponent<TLanguageListForm>(nullptr);
    list->Init(c.Name, nullptr, c.English);
    EXPECT_EQ(list->Selected(), c.Selected) << c.Name << " " << c.English;
  }
}

TEST_F(LanguageSelect, F9OrADoubleClickOpensThePickListOnTheName) {
  AddLanguages({"English", "German"});
  Open();
  const std::function<void()> openers[] = {
      [this] { QTest::keyClick(dialog->Grid()->View(), Qt::Key_F9); },
      [this] {
        QTableView* view = dialog->Grid()->View();
        const TRect r = dialog->Grid()->CellRect(0, 2);
        const QPoint at = QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
      }};
  for (const auto& open : openers) {
    dialog->Grid()->MoveTo(0, 2);
    std::string preselected;
    WhenShown([&](QWidget* window) {
      auto* list = window->findChild<QListWidget*>();
      if (list && list->currentItem()) preselected = list->currentItem()->text().toStdString();
      QTest::keyClick(window, Qt::Key_Escape);
    });
    open();
    EXPECT_EQ(preselected, "German");
    dialog->Grid()->EndEdit();
    EXPECT_EQ(Column(0), (std::vector<std::string>{"English", "German"}));
  }
}

TEST_F(LanguageSelect, PickingTheSameNameAgainChangesNothing) {
  std::string name = " German ";
  bool changed = true, english = true;
  WhenShown([](QWidget* window) { QTest::keyClick(window, Qt::Key_Return); });
  EXPECT_TRUE(ExecuteLanguageList(name, changed, nullptr, english));
  EXPECT_FALSE(changed);
  EXPECT_EQ(name, "German");
  english = false;
  WhenShown([](QWidget* window) { QTest::keyClick(window, Qt::Key_Return); });
  EXPECT_TRUE(ExecuteLanguageList(name, changed, nullptr, english));
  EXPECT_TRUE(changed);
  EXPECT_EQ(name, "Deutsch");
}

TEST_F(LanguageSelect, Screenshots) {
  AddLanguages({"English", "Deutsch"});
  for (const char* language : {"English", "Deutsch"}) {
    DravikModule()->SetLanguage(language);
    Open();
    SaveScreenshot(dialog->Widget(), std::string("language_select-") + language + ".png");
    dialog.reset();
    TComponentPtr<TLanguageListForm> list = MakeComponent<TLanguageListForm>(nullptr);
    list->Init("German", nullptr, true);
    list->Show();
    SaveScreenshot(list->Widget(), std::string("language_list-") + language + ".png");
  }
}

}  // namespace
