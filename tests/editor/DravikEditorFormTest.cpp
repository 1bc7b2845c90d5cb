// The language editor window used as a developer uses it: typing into cells, renaming named
// strings, adding and removing entries, the view columns, search, export, commit with and
// without a backup, closing, and the window's own language.
#include <sys/stat.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "editor/DravikEditor.h"
#include "editor/DravikEditorForm.h"
#include "editor/EditorDialogs.h"
#include "editor/LanguageGrid.h"
#include "model/ComponentExplorer.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "runtime/LanguageManager.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/UiFixture.h"
#include "widgets/ButtonPanel.h"
#include "widgets/ComponentExplorer.h"
#include "widgets/ComponentExplorerDialog.h"
#include "widgets/ComponentExplorerForm.h"

using namespace dravik;

namespace {

class DravikEditorForm : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    registry = std::make_unique<TEnvironmentScope>("DRAVIK_REGISTRY", dir.File("registry.reg"));
    temp = std::make_unique<TEnvironmentScope>("TMPDIR", dir.Path());
    form = MakeComponent<TForm>(nullptr);
    form->SetName("Form1");
    button = Create<TButton>(form.get());
    button->SetName("Button1");
    panel = Create<TPanel>(form.get());
    panel->SetName("Panel1");
    dravik = AddDravik(form.get());
    Translate(dravik, button, "Caption", {"&OK", "&Gut"});
    Translate(dravik, button, "Width", {"0", "0"});
    Translate(dravik, panel, "Color", {"0", "0"});
    SetValues(button, "Width", {Variant(75), Variant(80)});
    SetValues(panel, "Color", {Variant(0x0000FF), Variant(0xFF0000)});
    TLanguageManager* manager = dravik->LanguageManager();
    manager->Init(cmInitAll);
    for (const char* name : {"Hello", "Bye"}) manager->AddString(name);
    static_cast<TConsistentLangPropertyEntry*>(
        manager->GetStringInterface(false)->Props()->Items(0))
        ->SetLangValue(1, Variant(std::string("Hallo")));
    Open();
    // A message nobody expected is reported and closed, so a test fails instead of hanging.
    watchdog.setInterval(3000);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
      QWidget* window = QApplication::activeModalWidget();
      if (!window) return;
      std::string text;
      for (QLabel* label : window->findChildren<QLabel*>())
        if (label->text().size() > static_cast<int>(text.size()))
          text = label->text().toStdString();
      ADD_FAILURE() << "unexpected window: " << window->windowTitle().toStdString() << ": " << text;
      QTest::keyClick(window, Qt::Key_Escape);
      const auto buttons = window->findChildren<QAbstractButton*>();
      if (QApplication::activeModalWidget() == window && !buttons.empty())
        buttons.front()->click();  // a message with OK only takes no Escape
    });
    watchdog.start();
  }
  void TearDown() override {
    if (answering) Answered();  // its timer must not outlive the test
    editor.reset();
    form.reset();
    UiTest::TearDown();
  }

  // The values of a translated property, the live one first.
  void SetValues(TComponent* component, const std::string& property, std::vector<Variant> values) {
    TComponentEntries* comps = dravik->LanguageManager()->Comps();
    for (int i = 0; i < comps->Count(); ++i)
      if (comps->Items(i)->Ref() == component)
        for (int p = 0; p < comps->Items(i)->Props()->Count(); ++p) {
          auto* entry =
              static_cast<TConsistentLangPropertyEntry*>(comps->Items(i)->Props()->Items(p));
          if (entry->Name != property) continue;
          for (int slot = 0; slot < static_cast<int>(values.size()); ++slot)
            entry->SetLangValue(slot, values[static_cast<std::size_t>(slot)]);
        }
  }

  // A window on the component, as ExecuteDravikEditor makes it, shown without a modal loop.
  void Open(const std::string& unitFile = "") {
    dravik->LanguageManager()->Init(cmInitAll);
    editor = MakeComponent<TDravikEditorForm>(nullptr);
    editor->Dravik()->SetLanguage("English");
    editor->Init(unitFile, form.get(), dravik->LanguageManager(), dravik);
    editor->Show();
    grid = editor->Grid();
  }

  // The row of a component's property, or of a named string (component "Dravik").
  int RowOf(const std::string& component, const std::string& name) const {
    for (int row = 1; row < grid->RowCount(); ++row) {
      TConsistentLangPropertyEntry* entry = editor->RowEntry(row);
      if (entry && entry->Name == name && grid->Cells(0, row) == component) return row;
    }
    ADD_FAILURE() << "no row " << component << "." << name;
    return 1;
  }
  std::vector<std::string> Header() const {
    std::vector<std::string> cells;
    for (int col = 0; col < grid->ColCount(); ++col) cells.push_back(grid->Cells(col, 0));
    return cells;
  }

  // Answers the next message box with the button of that caption and keeps its text; "(none)"
  // when none comes within a second. then runs once it is answered.
  void Answer(const std::string& button, std::function<void()> then = {}) {
    answering = true;
    AnswerWhenShown(button, 100, std::move(then));
  }
  void AnswerWhenShown(const std::string& button, int attempts, std::function<void()> then) {
    QTimer::singleShot(10, [this, button, attempts, then] {
      QWidget* window = QApplication::activeModalWidget();
      if (!window && attempts > 0) return AnswerWhenShown(button, attempts - 1, then);
      answering = false;
      if (then) then();
      if (!window) return messages.push_back("(none)");
      std::string text;
      for (QLabel* label : window->findChildren<QLabel*>())
        if (label->text().size() > static_cast<int>(text.size()))
          text = label->text().toStdString();
      messages.push_back(text);
      for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->text().remove('&').toStdString() == button) return b->click();
      ADD_FAILURE() << "no button " << button << " on \"" << text << "\"";
      window->close();
    });
  }
  // Chooses path in the next file dialog, or cancels it when path is empty; then runs after.
  void Choose(const std::string& path, std::function<void()> then = {}) {
    answering = true;
    ChooseWhenShown(path, 100, std::move(then));
  }
  void ChooseWhenShown(const std::string& path, int attempts, std::function<void()> then) {
    QTimer::singleShot(10, [this, path, attempts, then] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog && attempts > 0) return ChooseWhenShown(path, attempts - 1, then);
      answering = false;
      if (then) then();
      if (!dialog) return messages.push_back("(no file dialog)");
      messages.push_back("file dialog");
      if (path.empty()) return dialog->reject();
      dialog->selectFile(QString::fromStdString(path));
      static_cast<QDialog*>(dialog)->accept();  // the file dialog checks the name as a user's OK
    });
  }
  // Waits for the answer to be given.
  void Answered() {
    EXPECT_TRUE(QTest::qWaitFor([this] { return !answering; }, 2000));
  }

  // Types text into a cell's inline editor and ends the edit with key.
  void Type(int col, int row, const std::string& text, Qt::Key key = Qt::Key_Return) {
    grid->MoveTo(col, row);
    ASSERT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(col, row));
    grid->SetEditorMode(true);
    QLineEdit* line = nullptr;
    for (QLineEdit* candidate : grid->View()->findChildren<QLineEdit*>())
      if (candidate->isVisible()) line = candidate;
    ASSERT_NE(line, nullptr) << "no inline editor";
    line->selectAll();
    QTest::keyClicks(line, QString::fromStdString(text));
    QTest::keyClick(line, key);
    QCoreApplication::processEvents();  // the editor hands its text over queued
  }

  TTempDir dir;
  std::unique_ptr<TEnvironmentScope> registry, temp;
  TComponentPtr<TForm> form;
  TButton* button = nullptr;
  TPanel* panel = nullptr;
  TDravik* dravik = nullptr;
  TComponentPtr<TDravikEditorForm> editor;
  TLanguageGrid* grid = nullptr;
  std::vector<std::string> messages;
  bool answering = false;
  QTimer watchdog;
};

}  // namespace

TEST_F(DravikEditorForm, TypedValuesAreReadAsTheirPropertyTakesThem) {
  struct Case {
    const char* Component;
    const char* Property;
    const char* Typed;
    const char* Shown;    // in the cell afterwards
    const char* Message;  // "" when none
  };
  const Case cases[] = {
      {"Button1", "Width", "0x10", "16", ""},
      {"Button1", "Width", "$1F", "31", ""},
      {"Button1", "Width", "20h", "32", ""},
      {"Button1", "Width", "abc", "32", "Invalid value!"},
      {"Panel1", "Color", "clBlue", "$00FF0000", ""},
      {"Panel1", "Color", "$0000FF00", "$0000FF00", ""},
      {"Panel1", "Color", "no colour", "$0000FF00", "Invalid value!"},
      {"Button1", "Caption", "&Fine", "&Fine", ""},
  };
  const int german = editor->FirstLangCol() + 1;
  for (const Case& c : cases) {
    messages.clear();
    if (*c.Message) Answer("OK");
    const int row = RowOf(c.Component, c.Property);
    Type(german, row, c.Typed);
    EXPECT_EQ(grid->Cells(german, row), c.Shown) << c.Typed;
    EXPECT_EQ(messages,
              *c.Message ? std::vector<std::string>{c.Message} : std::vector<std::string>{})
        << c.Typed;
    EXPECT_EQ(TranslateValue(*editor->RowEntry(row), 1), c.Shown) << "stored for " << c.Typed;
  }
  EXPECT_TRUE(editor->DataModified());
  EXPECT_EQ(button->Caption(), "&OK") << "the component changes only at a commit";
}

TEST_F(DravikEditorForm, StringIDsMustBeUniqueIdentifiersIgnoringCase) {
  struct Case {
    const char* Typed;
    const char* Stored;   // the string's name afterwards
    const char* Message;  // "" when accepted
  };
  const Case cases[] = {
      {"Bye", "Hello", "String identifier already used!"},
      {"bYE", "Hello", "String identifier already used!"},
      {"Good-bye", "Hello", "String identifier is invalid!"},
      {"   ", "Hello", "String identifier is invalid!"},
      {"  Hello  ", "Hello", ""},
      {"HELLO", "HELLO", ""},
      {"Greeting", "Greeting", ""},
  };
  const int row = RowOf("Dravik", "Hello");
  TConsistentLangPropertyEntry* entry = editor->RowEntry(row);
  for (const Case& c : cases) {
    messages.clear();
    if (*c.Message) Answer("OK");
    Type(editor->IDCol(), row, c.Typed);
    EXPECT_EQ(grid->Cells(editor->IDCol(), row), c.Stored) << c.Typed;
    EXPECT_EQ(editor->WorkManager()->Names()->Strings(entry->Index), c.Stored) << c.Typed;
    EXPECT_EQ(messages,
              *c.Message ? std::vector<std::string>{c.Message} : std::vector<std::string>{})
        << c.Typed;
  }
}

TEST_F(DravikEditorForm, EscapeRestoresTheCellWithoutAMessage) {
  const int row = RowOf("Button1", "Width");
  const int col = editor->FirstLangCol();
  Answer("OK");  // would answer a message, if one came
  Type(col, row, "abc", Qt::Key_Escape);
  Answered();
  EXPECT_EQ(grid->Cells(col, row), "75");
  EXPECT_EQ(messages, std::vector<std::string>{"(none)"});
  EXPECT_FALSE(editor->DataModified());
}

TEST_F(DravikEditorForm, OnlyLanguageCellsAndStringIDsCanBeSelected) {
  const int property = RowOf("Button1", "Caption"), string = RowOf("Dravik", "Hello");
  struct Case {
    int Col, Row;
    bool Selectable;
  };
  const Case cases[] = {
      {0, property, false},
      {1, property, false},
      {editor->IDCol(), property, false},
      {editor->IDCol(), string, true},
      {editor->FirstLangCol(), property, true},
      {editor->FirstLangCol() + 1, string, true},
  };
  for (const Case& c : cases) {
    grid->MoveTo(editor->FirstLangCol(), 1);
    grid->MoveTo(c.Col, c.Row);
    EXPECT_EQ(grid->Col() == c.Col && grid->Row() == c.Row, c.Selectable) << c.Col << "," << c.Row;
  }
}

TEST_F(DravikEditorForm, ColumnsFollowTheViewItemsAndTheLanguages) {
  using Cells = std::vector<std::string>;
  EXPECT_EQ(Header(), (Cells{"Name of Component", "Type of Property",
                             "Property Descriptor/String ID", "English [Default]", "Deutsch"}));
  editor->Item("ItemCompType")->Click();
  editor->Item("ItemCompName")->Click();
  EXPECT_EQ(Header(), (Cells{"Type of Component", "Type of Property",
                             "Property Descriptor/String ID", "English [Default]", "Deutsch"}));
  editor->Item("ItemPropDesc")->Click();
  EXPECT_EQ(Header(),
            (Cells{"Type of Component", "Type of Property", "English [Default]", "Deutsch"}));
  EXPECT_FALSE(editor->Item("ItemStringID")->Checked()) << "one column under two names";
  EXPECT_EQ(editor->IDCol(), -1);
  const int row = RowOf("TButton", "Width");
  EXPECT_EQ(grid->Cells(editor->FirstLangCol() + 1, row), "80") << "the data stays";
  EXPECT_FALSE(editor->DataModified());

  dravik->LanguageManager()->Langs()->Clear();  // a component without languages
  Open();
  EXPECT_EQ(Header(), (Cells{"Name of Component", "Type of Property",
                             "Property Descriptor/String ID", "[Default]"}));
}

TEST_F(DravikEditorForm, AutoSizeIsOfferedAgainOnlyAfterTheWidthsChanged) {
  TMenuItem* item = editor->Item("ItemAutoSize");
  EXPECT_FALSE(item->Enabled()) << "the columns were just sized";
  grid->SetColWidths(editor->FirstLangCol(), 40);  // as the user drags a column's edge
  EXPECT_TRUE(item->Enabled());
  EXPECT_TRUE(editor->Button("BtnAutoSize")->Enabled());
  item->Click();
  EXPECT_FALSE(item->Enabled());
  EXPECT_FALSE(editor->Button("BtnAutoSize")->Enabled());
  EXPECT_NE(grid->ColWidths(editor->FirstLangCol()), 40);
  editor->SetBounds(editor->Left(), editor->Top(), editor->Width() + 80, editor->Height());
  EXPECT_TRUE(item->Enabled());
}

TEST_F(DravikEditorForm, AChosenFontSizesTheRowsAndTheDefaultFontComesBack) {
  const int32_t height = grid->DefaultRowHeight();
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QFont font = dialog->currentFont();
    font.setPointSize(20);
    dialog->setCurrentFont(font);
    dialog->accept();
  });
  editor->Item("ItemFont")->Click();
  EXPECT_EQ(grid->Font()->Size(), 20);
  const int32_t large = grid->DefaultRowHeight();
  EXPECT_GT(large, height);
  EXPECT_FALSE(grid->ParentFont());
  editor->Item("ItemDefaultFont")->Click();
  EXPECT_TRUE(grid->ParentFont());
  EXPECT_EQ(grid->Font()->Size(), editor->Font()->Size());
  EXPECT_LT(grid->DefaultRowHeight(), large);
}

TEST_F(DravikEditorForm, ThePropertyChooserReplacesTheTranslatedPropertiesOnly) {
  QTimer::singleShot(0, [this] {
    auto* chooser = FindOwned<TComponentExplorerDialog>(editor.get(), "CE");
    ASSERT_NE(chooser->Form(), nullptr) << "no property chooser";
    TComponentExplorerForm* window = chooser->Form()->Explorer()->Form();
    QTest::mouseClick(static_cast<TButton*>(window->FindComponent("ButtonRemoveAll"))->Widget(),
                      Qt::LeftButton);
    QTest::mouseClick(chooser->Form()->ButtonPanel()->Items(0)->Button()->Widget(), Qt::LeftButton);
  });
  editor->Item("ItemProps")->Click();
  EXPECT_TRUE(editor->DataModified());
  std::vector<std::string> names;
  for (int row = 1; row < grid->RowCount(); ++row)
    if (TConsistentLangPropertyEntry* entry = editor->RowEntry(row)) names.push_back(entry->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Hello", "Bye"})) << "the named strings stay";
  EXPECT_EQ(grid->Cells(editor->FirstLangCol() + 1, 1), "Hallo");
}

TEST_F(DravikEditorForm, TheStatusBarCountsEntriesAndShowsTheDomain) {
  auto panels = [this] {
    std::vector<std::string> texts;
    for (int i = 0; i < 3; ++i) texts.push_back(editor->StatusBar()->Panels()->Items(i)->Text());
    return texts;
  };
  EXPECT_EQ(panels(),
            (std::vector<std::string>{"Number of entries: 5", "Domain: None", "TopLevel : False"}));
  dravik->SetDomain("Tools");
  Open();
  EXPECT_EQ(panels(), (std::vector<std::string>{"Number of entries: 5", "Domain: 'Tools'",
                                                "TopLevel is ignored"}));
  editor->Dravik()->SetLanguage("Deutsch");
  EXPECT_EQ(panels(), (std::vector<std::string>{"Anzahl der Einträge: 5", "Domain: 'Tools'",
                                                "TopLevel wird ignoriert"}));
}

TEST_F(DravikEditorForm, AddingAndRemovingEntriesKeepsGridAndDataTogether) {
  const int rows = grid->RowCount();
  grid->MoveTo(editor->FirstLangCol(), RowOf("Button1", "Width"));
  editor->Item("ItemAddStr")->Click();
  EXPECT_EQ(grid->RowCount(), rows + 1);
  EXPECT_EQ(grid->Col(), editor->IDCol()) << "the string ID is typed first";
  EXPECT_EQ(grid->Cells(editor->IDCol(), grid->Row()), "String1");
  EXPECT_TRUE(editor->DataModified());

  const int width = RowOf("Button1", "Width");
  grid->MoveTo(editor->FirstLangCol(), width);
  editor->Item("ItemDelEntry")->Click();
  EXPECT_EQ(grid->RowCount(), rows);
  for (int row = 1; row < grid->RowCount(); ++row) EXPECT_NE(editor->RowEntry(row)->Name, "Width");
  EXPECT_EQ(editor->WorkManager()->Names()->Text(), "Hello\r\nBye\r\nString1\r\n");

  while (grid->Enabled()) {
    grid->MoveTo(editor->FirstLangCol(), 1);
    editor->Item("ItemDelEntry")->Click();
  }
  EXPECT_EQ(grid->RowCount(), 2) << "one empty, disabled row";
  EXPECT_EQ(editor->RowEntry(1), nullptr);
  EXPECT_EQ(editor->StatusBar()->Panels()->Items(0)->Text(), "Number of entries: 0");
  EXPECT_FALSE(editor->Item("ItemSearch")->Enabled());
  EXPECT_FALSE(editor->Item("ItemDelEntry")->Enabled());

  editor->Item("ItemAddStr")->Click();
  EXPECT_TRUE(grid->Enabled());
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(editor->IDCol(), 1));
}

TEST_F(DravikEditorForm, UnitModeShowsNamedStringsOnly) {
  // A TDravik of a unit has no form owner: only string IDs and languages.
  TComponentPtr<TDravik> unitDravik = [] {
    TOwnerlessScope ownerless;
    return MakeComponent<TDravik>(nullptr);
  }();
  TLanguageManager* manager = unitDravik->LanguageManager();
  for (const char* name : {"English", "Deutsch"}) {
    TLanguageEntry* language = manager->Langs()->Add();
    language->Name = name;
    language->SubIndex = manager->GetLangCount() - 1;
  }
  manager->AddString("Greeting");
  WriteFileBytes(dir.File("Unit1.pas"), "unit Unit1;\r\nend.\r\n");
  editor = MakeComponent<TDravikEditorForm>(nullptr);
  editor->Dravik()->SetLanguage("English");
  editor->Init(dir.File("Unit1.pas"), nullptr, manager, unitDravik.get());
  grid = editor->Grid();
  EXPECT_FALSE(editor->FormMode());
  EXPECT_EQ(editor->SourceText(), "unit Unit1;\r\nend.\r\n") << "read from its file";
  EXPECT_EQ(Header(), (std::vector<std::string>{"String ID", "English [Default]", "Deutsch"}));
  for (const char* hidden :
       {"ItemCompName", "ItemCompType", "ItemPropType", "ItemPropDesc", "ItemProps"})
    EXPECT_FALSE(editor->Item(hidden)->Visible()) << hidden;
  EXPECT_FALSE(editor->Button("BtnProps")->Visible());
  EXPECT_TRUE(editor->Item("ItemStringID")->Visible());
  editor->Item("ItemStringID")->Click();
  EXPECT_EQ(Header(), (std::vector<std::string>{"English [Default]", "Deutsch"}));
  editor->Item("ItemAddStr")->Click();
  EXPECT_EQ(grid->Col(), editor->FirstLangCol()) << "no string-ID column to go to";
  EXPECT_EQ(grid->RowCount(), 3);
  // A change of the source (the consistency check's) waits for the commit.
  editor->SourceText() += "{ checked }\r\n";
  editor->SetSourceModified();
  EXPECT_EQ(ReadFileBytes(dir.File("Unit1.pas")), "unit Unit1;\r\nend.\r\n");
  editor->Item("ItemCommit")->Click();
  EXPECT_EQ(ReadFileBytes(dir.File("Unit1.pas")), "unit Unit1;\r\nend.\r\n{ checked }\r\n");
  const std::string log = ReadFileBytes(DravikEditorTempDir() + "/Index.txt");
  EXPECT_NE(log.find("Multilingual unit: '" + dir.File("Unit1.pas") + "'"), std::string::npos)
      << log;
}

TEST_F(DravikEditorForm, TheHiddenSourceViewShowsTheUnitAsItIs) {
  editor->SourceText() = "unit Unit1;\r\ninterface\r\nend.";
  std::string caption, text;
  QTimer::singleShot(0, [&] {
    QWidget* window = QApplication::activeModalWidget();
    ASSERT_NE(window, nullptr);
    caption = window->windowTitle().toStdString();
    for (QTextEdit* edit : window->findChildren<QTextEdit*>())
      text = edit->toPlainText().toStdString();
    window->close();
  });
  editor->Item("ItemShowSource")->Click();
  EXPECT_EQ(caption, "[]") << "the unit is found through the form";
  EXPECT_EQ(text, "unit Unit1;\ninterface\nend.");
}

TEST_F(DravikEditorForm, SearchFindsEachModeInBothDirections) {
  // Rows: Button1.Caption (&OK/&Gut), Button1.Width, Panel1.Color, Hello, Bye.
  struct Case {
    TSearchIn Mode;
    const char* Pattern;
    TSearchOptions Options;
    std::pair<int, int> From;   // language column offset and row
    std::pair<int, int> Found;  // the same, or (-1, -1) for none
  };
  const int caption = RowOf("Button1", "Caption"), color = RowOf("Panel1", "Color");
  const int width = RowOf("Button1", "Width"), hello = RowOf("Dravik", "Hello");
  const Case cases[] = {
      {siValues, "ok", {}, {0, 1}, {0, caption}},
      {siValues, "&ok", {}, {0, 1}, {0, caption}},
      {siValues, "ok&", {}, {0, 1}, {-1, -1}},
      {siValues, "OK", {soCaseSensitive}, {0, 1}, {0, caption}},
      {siValues, "ok", {soCaseSensitive}, {0, 1}, {-1, -1}},
      {siValues, "gut", {}, {0, 1}, {1, caption}},
      {siValues, "8?", {soBackward, soFromCursor}, {0, color}, {1, width}},
      {siValues, "$00FF0000", {soFromCursor}, {1, width}, {1, color}},
      {siNames, "button", {}, {0, 1}, {0, caption}},
      {siNames, "tpanel", {}, {0, 1}, {0, color}},
      {siDescs, "width", {}, {0, 1}, {0, width}},
      {siDescs, "hello", {soBackward}, {0, 1}, {0, hello}},
  };
  for (const Case& c : cases) {
    grid->MoveTo(editor->FirstLangCol() + c.From.first, c.From.second);
    const std::pair<int, int> before{grid->Col(), grid->Row()};
    editor->StartSearch({c.Pattern, c.Mode, c.Options});
    const std::pair<int, int> found{grid->Col() - editor->FirstLangCol(), grid->Row()};
    if (c.Found.first < 0)
      EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), before) << c.Pattern;
    else
      EXPECT_EQ(found, c.Found) << c.Pattern;
  }
}

TEST_F(DravikEditorForm, SearchAgainContinuesFromTheCursor) {
  const int caption = RowOf("Button1", "Caption"), width = RowOf("Button1", "Width");
  const int first = editor->FirstLangCol();
  editor->StartSearch({"*", siValues, {}});
  EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(first, caption));
  editor->Item("ItemSearchAgain")->Click();
  EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(first + 1, caption));
  editor->Item("ItemSearchAgain")->Click();
  EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(first, width));
  // Backward from the first language column goes on in the last column of the row above.
  editor->StartSearch({"*", siValues, {soBackward, soFromCursor}});
  editor->Item("ItemSearchAgain")->Click();
  EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(first + 1, caption));
}

TEST_F(DravikEditorForm, TheSearchAndSetupDialogsActOnTheEditor) {
  // Each dialog in turn: what the developer does in it.
  auto inDialog = [](std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] {
      QWidget* window = QApplication::activeModalWidget();
      ASSERT_NE(window, nullptr);
      action(window);
      for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->text() == "&OK") return b->click();
    });
  };
  inDialog([](QWidget* window) {
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
      if (b->text() == "Component name and type") b->click();
    QTest::keyClicks(window->findChild<QLineEdit*>(), "panel");
  });
  editor->Item("ItemSearch")->Click();
  EXPECT_EQ(grid->Row(), RowOf("Panel1", "Color"));
  EXPECT_TRUE(editor->Item("ItemSearchAgain")->Enabled());

  inDialog([](QWidget* window) { QTest::keyClicks(window->findChild<QLineEdit*>(), "Tools"); });
  editor->Item("ItemSetup")->Click();
  EXPECT_EQ(editor->NewDomain(), "Tools");
  EXPECT_TRUE(editor->DataModified());
  EXPECT_EQ(editor->StatusBar()->Panels()->Items(2)->Text(), "TopLevel is ignored");
  EXPECT_EQ(dravik->GetDomain(), "");  // until the commit
}

TEST_F(DravikEditorForm, ACommitWritesTheComponentAndBacksUpWhatItHeld) {
  const int caption = RowOf("Button1", "Caption");
  Type(editor->FirstLangCol(), caption, "&Yes");
  Type(editor->FirstLangCol() + 1, caption, "&Ja");
  EXPECT_TRUE(editor->Item("ItemCommit")->Enabled());
  editor->Item("ItemCommit")->Click();
  EXPECT_TRUE(editor->Accepted());
  EXPECT_FALSE(editor->DataModified());
  EXPECT_FALSE(editor->Item("ItemCommit")->Enabled());
  EXPECT_EQ(button->Caption(), "&Yes");

  std::vector<std::string> backups;
  for (const auto& file : std::filesystem::directory_iterator(DravikEditorTempDir()))
    if (file.path().filename() != "Index.txt") backups.push_back(file.path().string());
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_NE(ReadFileBytes(backups[0]).find("Button1.Caption='&OK'"), std::string::npos)
      << "the backup holds the data from before the commit";
  const std::string log = ReadFileBytes(DravikEditorTempDir() + "/Index.txt");
  for (const char* line : {"Language editor started by: ", "Multilingual form: '' (TForm)",
                           "Backup saved to: '", "Language data saved"})
    EXPECT_NE(log.find(line), std::string::npos) << line;

  editor->Item("ItemAutoBackup")->Click();
  Type(editor->FirstLangCol() + 1, caption, "&Sicher");
  editor->Item("ItemCommit")->Click();
  editor.reset();
  dravik->SetLanguage("Deutsch");
  EXPECT_EQ(button->Caption(), "&Sicher");
  size_t files = 0;
  for ([[maybe_unused]] const auto& file :
       std::filesystem::directory_iterator(DravikEditorTempDir()))
    ++files;
  EXPECT_EQ(files, 2u) << "no second backup without the option";
}

TEST_F(DravikEditorForm, AFailedBackupAsksWhetherToCommitAnyway) {
  const int caption = RowOf("Button1", "Caption");
  // A value with a line break cannot be written to the backup file.
  static_cast<TConsistentLangPropertyEntry*>(
      dravik->LanguageManager()->Comps()->Items(0)->Props()->Items(0))
      ->SetLangValue(1, Variant(std::string("a\r\nb")));
  Type(editor->FirstLangCol(), caption, "No");
  Answer("No");
  editor->Item("ItemCommit")->Click();
  EXPECT_EQ(messages, std::vector<std::string>{"The backup file could not be created. Continue?"});
  EXPECT_EQ(button->Caption(), "&OK");
  EXPECT_FALSE(editor->Accepted());

  // Without a temporary folder there is no place for a backup, and none lands elsewhere.
  WriteFileBytes(dir.File("file"), "");
  TEnvironmentScope noTemp("TMPDIR", dir.File("file"));
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::create_directory(dir.File("here"));
  std::filesystem::current_path(dir.File("here"));
  Type(editor->FirstLangCol(), caption, "Yes");
  messages.clear();
  Answer("Yes");
  editor->Item("ItemCommit")->Click();
  EXPECT_EQ(messages, std::vector<std::string>{"The backup file could not be created. Continue?"});
  EXPECT_EQ(button->Caption(), "Yes");
  EXPECT_TRUE(editor->Accepted());
  std::filesystem::current_path(before);
  EXPECT_TRUE(std::filesystem::is_empty(dir.File("here")));
}

TEST_F(DravikEditorForm, ClosingWithChangesAsksToSaveThem) {
  struct Case {
    const char* Answer;
    bool Closed;
    const char* Caption;  // the button's caption afterwards
  };
  for (const Case& c :
       {Case{"Cancel", false, "&OK"}, Case{"No", true, "&OK"}, Case{"Yes", true, "&Changed"}}) {
    Open();
    Type(editor->FirstLangCol(), RowOf("Button1", "Caption"), "&Changed");
    messages.clear();
    Answer(c.Answer);
    editor->Item("ItemClose")->Click();
    EXPECT_EQ(messages, std::vector<std::string>{"Save changes?"}) << c.Answer;
    EXPECT_EQ(!editor->Visible(), c.Closed) << c.Answer;
    EXPECT_EQ(button->Caption(), c.Caption) << c.Answer;
    EXPECT_EQ(editor->Accepted(), std::string(c.Answer) == "Yes") << c.Answer;
  }
  Open();
  messages.clear();
  Answer("OK");  // would answer a question, if one came
  editor->Item("ItemClose")->Click();
  Answered();
  EXPECT_FALSE(editor->Visible()) << "nothing changed: no question";
  EXPECT_EQ(messages, std::vector<std::string>{"(none)"});
}

TEST_F(DravikEditorForm, AnExportOverAFileAsksFirstAndNoChoosesAgain) {
  const std::string target = dir.File("Langs.txt");
  WriteFileBytes(target, "old translations\r\n");
  const std::string question = "Destination file already exists. Overwrite '" + target + "'?";
  Choose(target, [&] { Answer("No", [&] { Choose(""); }); });
  editor->Item("ItemExport")->Click();
  Answered();
  EXPECT_EQ(messages, (std::vector<std::string>{"file dialog", question, "file dialog"}));
  EXPECT_EQ(ReadFileBytes(target), "old translations\r\n");

  messages.clear();
  Choose(target, [&] { Answer("Yes"); });
  editor->Item("ItemExport")->Click();
  Answered();
  EXPECT_EQ(messages, (std::vector<std::string>{"file dialog", question}));
  EXPECT_NE(ReadFileBytes(target).find("Button1.Caption='&OK'"), std::string::npos);
}

TEST_F(DravikEditorForm, AnExportThatFailsLeavesTheOldFileAsItWas) {
  const std::string target = dir.File("Langs.txt");
  WriteFileBytes(target, "old translations\r\n");
  chmod(target.c_str(), 0444);
  ASSERT_TRUE(editor->ExportLanguagesTo(target)) << "the user agreed to overwrite it";
  EXPECT_NE(ReadFileBytes(target).find("[TForm.Deutsch]"), std::string::npos);

  WriteFileBytes(target, "old translations\r\n");
  chmod(target.c_str(), 0444);
  // A value with a line break cannot be exported.
  editor->RowEntry(RowOf("Button1", "Caption"))->SetLangValue(1, Variant(std::string("a\r\nb")));
  Answer("OK");
  EXPECT_FALSE(editor->ExportLanguagesTo(target));
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("An I/O error has occured.", 0), 0u) << messages[0];
  EXPECT_EQ(ReadFileBytes(target), "old translations\r\n");
  struct stat status {};
  stat(target.c_str(), &status);
  EXPECT_EQ(status.st_mode & 0777, 0444u) << "its mode is given back";
}

TEST_F(DravikEditorForm, AnImportWithoutEntriesSaysSoAndChangesNothing) {
  WriteFileBytes(dir.File("empty.txt"), "no sections here\r\n");
  const struct {
    std::string File, Message;
  } cases[] = {
      {dir.File("missing.txt"), "File '" + dir.File("missing.txt") + "' not found."},
      {dir.File("empty.txt"), "No entries to import found."},
  };
  for (const auto& c : cases) {
    messages.clear();
    Answer("OK");
    editor->ImportLanguagesFrom(c.File);
    EXPECT_EQ(messages, std::vector<std::string>{c.Message});
    EXPECT_FALSE(editor->DataModified());
  }
}

// An import changes the working copy only: the form sees it after a commit, whatever
// properties the explorer's filter admits.
TEST_F(DravikEditorForm, AnImportReachesTheFormOnlyThroughACommit) {
  const TEditorDialogs saved = EditorDialogs();
  EditorDialogs().Import = [](TDravikEditorForm&, const std::string&, TStrings&,
                              TImportChoice& choice) {
    choice.Mode = imAddAll;
    return true;
  };
  const std::string file = dir.File("Langs.txt");
  for (const bool allProperties : {false, true}) {
    SCOPED_TRACE(allProperties ? "all properties" : "the default filter");
    Open();
    if (allProperties)
      FindOwned<TComponentExplorerDialog>(editor.get(), "CE")->Settings()->SetPropFilter({pfAll});
    ASSERT_TRUE(editor->ExportLanguagesTo(file));
    std::string text = ReadFileBytes(file);
    for (const char* old : {"Button1.Caption='&OK'", "Button1.Caption='&Gut'"})
      text.replace(text.find(old), std::string(old).size(), "Button1.Caption='&Imported'");
    WriteFileBytes(file, text);

    editor->ImportLanguagesFrom(file);
    const int caption = RowOf("Button1", "Caption");
    EXPECT_EQ(grid->Cells(editor->FirstLangCol(), caption), "&Imported");
    EXPECT_EQ(grid->Cells(editor->FirstLangCol() + 1, caption), "&Imported");
    EXPECT_EQ(button->Caption(), "&OK") << "not before the commit";
    EXPECT_EQ(grid->Cells(editor->FirstLangCol(), RowOf("Button1", "Width")), "75");

    editor->Item("ItemCommit")->Click();
    EXPECT_EQ(button->Caption(), "&Imported");
    EXPECT_EQ(button->Width(), 75);
    dravik->SetLanguage("Deutsch");
    EXPECT_EQ(button->Caption(), "&Imported");
    EXPECT_EQ(button->Width(), 80);
    dravik->SetLanguage("English");
    SetValues(button, "Caption", {Variant(std::string("&OK")), Variant(std::string("&Gut"))});
  }
  EditorDialogs() = saved;
}

TEST_F(DravikEditorForm, InitializingNewEntriesIsSwitchedAfterAQuestion) {
  const std::string hint =
      "If this option is activated, added entries are initialized with the current property "
      "value. ";
  const struct {
    const char* Answer;
    bool Checked;
    std::string Question;
  } cases[] = {
      {"No", false, hint + "Would you like to activate this option?"},
      {"Yes", true, hint + "Would you like to activate this option?"},
      {"Yes", false, hint + "Would you like to deactivate this option?"},
  };
  for (const auto& c : cases) {
    messages.clear();
    Answer(c.Answer);
    editor->Item("ItemInitNewProps")->Click();
    EXPECT_EQ(messages, std::vector<std::string>{c.Question});
    EXPECT_EQ(editor->Item("ItemInitNewProps")->Checked(), c.Checked);
  }
}

TEST_F(DravikEditorForm, TheWindowSwitchesItsOwnLanguage) {
  editor->Item("ItemGerman")->Click();
  EXPECT_TRUE(editor->Item("ItemGerman")->Checked());
  EXPECT_EQ(Header(),
            (std::vector<std::string>{"Komponentenname", "Eigenschaftstyp",
                                      "Beschreibung/String-ID", "English [Vorgabe]", "Deutsch"}));
  EXPECT_EQ(editor->Item("ItemAddStr")->Caption(), "&Zeichenkette hinzufügen");
  editor->Item("ItemEnglish")->Click();
  EXPECT_TRUE(editor->Item("ItemEnglish")->Checked());
  EXPECT_EQ(editor->Item("ItemAddStr")->Caption(), "&Add String");
  editor.reset();  // the choice is kept for every window of the package
  editor = MakeComponent<TDravikEditorForm>(nullptr);
  EXPECT_EQ(editor->Dravik()->GetLanguage(), "English");
}

TEST_F(DravikEditorForm, TheViewAndTheOptionsAreKeptForTheNextWindow) {
  editor->Item("ItemCompType")->Click();
  editor->Item("ItemPropType")->Click();
  editor->Item("ItemAutoBackup")->Click();
  editor->Item("ItemVerifyStringsAtStart")->Click();
  TCESettings* chooser = FindOwned<TComponentExplorerDialog>(editor.get(), "CE")->Settings();
  EXPECT_EQ(chooser->PropFilter(), (TPropFilter{pfCaption, pfHint, pfStrings, pfText, pfAssigned}));
  chooser->SetPropFilter({pfCaption});
  chooser->SetSortByCompName(false);
  const std::string target = dir.File("out/Langs.txt");
  std::filesystem::create_directory(dir.File("out"));
  ASSERT_TRUE(editor->ExportLanguagesTo(target));
  editor.reset();
  Open();
  EXPECT_TRUE(editor->Item("ItemCompName")->Checked());
  EXPECT_TRUE(editor->Item("ItemCompType")->Checked());
  EXPECT_FALSE(editor->Item("ItemPropType")->Checked());
  EXPECT_FALSE(editor->Item("ItemAutoBackup")->Checked());
  EXPECT_FALSE(editor->Item("ItemVerifyStringsAtStart")->Checked());
  EXPECT_EQ(FindOwned<TSaveDialog>(editor.get(), "SaveDialog")->InitialDir(), dir.File("out"));
  chooser = FindOwned<TComponentExplorerDialog>(editor.get(), "CE")->Settings();
  EXPECT_EQ(chooser->PropFilter(), TPropFilter{pfCaption});
  EXPECT_FALSE(chooser->SortByCompName());
  EXPECT_EQ(Header(), (std::vector<std::string>{"Name of Component", "Type of Component",
                                                "Property Descriptor/String ID",
                                                "English [Default]", "Deutsch"}));
}

TEST_F(DravikEditorForm, ExecuteDravikEditorShowsTheWindow) {
  editor.reset();
  SetDravikEditorWindow(ShowDravikEditorForm);
  std::string caption;
  QTimer::singleShot(0, [&caption] {
    QWidget* window = QApplication::activeModalWidget();
    ASSERT_NE(window, nullptr);
    caption = window->windowTitle().toStdString();
    window->close();
  });
  EXPECT_FALSE(ExecuteDravikEditor("", dravik));
  EXPECT_EQ(caption.rfind("Quelt Dravik 1.31", 0), 0u) << caption;
}

TEST_F(DravikEditorForm, ScreenshotsOfALargeFormInBothLanguages) {
  editor.reset();
  TLanguageEntry* french = dravik->LanguageManager()->Langs()->Add();
  french->Name = "Français";
  french->SubIndex = 2;
  for (int i = 0; i < 197; ++i) {
    auto* label = Create<TLabel>(form.get());
    label->SetName("Label" + std::to_string(i + 1));
    const std::string n = std::to_string(i + 1);
    Translate(dravik, label, "Caption", {"Customer " + n, "Kunde " + n, "Client " + n});
  }
  dravik->LanguageManager()->SyncCount(cmInitAll);
  Open();
  EXPECT_EQ(editor->StatusBar()->Panels()->Items(0)->Text(), "Number of entries: 202");
  const std::string folder = std::string(DRAVIK_BIN_DIR) + "/../screenshots";
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
  for (const char* language : {"English", "Deutsch"}) {
    editor->Dravik()->SetLanguage(language);
    QCoreApplication::processEvents();
    // Every language column gets the same share of what the information columns leave.
    const int first = editor->FirstLangCol();
    EXPECT_EQ(grid->ColWidths(first), grid->ColWidths(first + 2)) << language;
    int32_t width = 0;
    for (int col = 0; col < grid->ColCount(); ++col) width += grid->ColWidths(col) + 1;
    EXPECT_LE(width, grid->View()->viewport()->width()) << language << ": no column cut off";
    EXPECT_GT(width, grid->View()->viewport()->width() - 3 * 4) << language;
    TStatusBar* status = editor->StatusBar();
    const QFontMetrics metrics(status->Widget()->font());
    for (int i = 0; i < status->Panels()->Count(); ++i) {
      TStatusPanel* panel = status->Panels()->Items(i);
      EXPECT_LT(metrics.horizontalAdvance(QString::fromStdString(panel->Text())), panel->Width())
          << language << ": " << panel->Text();
    }
    EXPECT_TRUE(editor->Widget()->grab().save(
        QString::fromStdString(folder + "/editor-" + language + ".png")));
  }
}
