// The consistency check of a unit's GetString calls as a developer meets it: the dialog's
// buttons, the repairs each reaching only their own call, the editor's quiet start-up run and
// its grid after strings were added, and a repaired unit that Free Pascal still compiles.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>

#include "editor/DravikCheck.h"
#include "editor/DravikEditorForm.h"
#include "editor/LanguageGrid.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "runtime/LanguageManager.h"
#include "runtime/ui/DravikModule.h"
#include "source/DravikParser.h"
#include "tests/editor/EditorFixture.h"
#include "widgets/ConfigFile.h"

using namespace dravik;

namespace {

// Two calls on one line, one unknown ID on its own line, a call the checker cannot read. The
// stub makes GetString a function variable, so the unit compiles as it is.
const std::string kUnit =
    "unit Unit1;\n\n{$mode objfpc}{$H+}\n\ninterface\n\nuses GetStringStub;\n\n"
    "function Texts: string;\n\nimplementation\n\n"
    "function Texts: string;\nbegin\n"
    "  Result := GetString('Helo') + GetString('Hello') + GetString('Byee');\n"
    "  Result := Result + GetString('Missing');\n"
    "  Result := Result + GetString('Tit' + 'le');\nend;\n\nend.\n";
const std::string kStub =
    "unit GetStringStub;\n\n{$mode objfpc}{$H+}\n\ninterface\n\n"
    "type\n  TGetString = function(const ID: string): string;\n\n"
    "var\n  GetString: TGetString;\n\nimplementation\n\nend.\n";

class DravikCheck : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    temp = std::make_unique<TEnvironmentScope>("TMPDIR", dir.Path());
    unit = [] {
      TOwnerlessScope ownerless;
      return MakeComponent<TDravik>(nullptr);
    }();
    TLanguageManager* manager = unit->LanguageManager();
    for (const char* name : {"English", "Deutsch"}) {
      TLanguageEntry* language = manager->Langs()->Add();
      language->Name = name;
      language->SubIndex = manager->GetLangCount() - 1;
    }
    for (const char* name : {"Hello", "Bye"}) manager->AddString(name);
    names = {"Hello", "Bye"};
  }
  void TearDown() override {
    dialog.reset();
    editor.reset();
    unit.reset();
    EditorTest::TearDown();
  }

  // The editor on the unit, whose text it reads from the host's buffer of the file.
  void OpenEditor(bool checkAtStart, const std::string& source = kUnit) {
    WriteFileBytes(dir.File("Unit1.pas"), source);
    host->OpenFolder(dir.Path());
    editor = MakeComponent<TDravikEditorForm>(nullptr);
    editor->Dravik()->SetLanguage("English");
    editor->Item("ItemVerifyStringsAtStart")->SetChecked(checkAtStart);
    editor->Init(dir.File("Unit1.pas"), nullptr, unit->LanguageManager(), unit.get());
  }

  // The dialog on kUnit's findings, shown without a modal loop.
  void OpenDialog() {
    parser = std::make_unique<TDravikParser>("", kUnit, names);
    ASSERT_TRUE(parser->Check(false));
    dialog = MakeComponent<TDravikVerifyForm>(nullptr);
    dialog->Init(*unit->LanguageManager(), names, nullptr, nullptr, *parser);
    dialog->Show();
  }
  TButton* Button(const char* name) const { return FindOwned<TButton>(dialog.get(), name); }
  TListView* List(const char* name) const { return FindOwned<TListView>(dialog.get(), name); }
  std::vector<std::string> Actions() const {
    std::vector<std::string> actions;
    for (const TVerifyRow& row : dialog->Rows()) actions.push_back(row.Action);
    return actions;
  }
  // The first QPushButton of window whose text without "&" is text.
  static QPushButton* PushButton(QWidget* window, const std::string& text) {
    for (QPushButton* button : window->findChildren<QPushButton*>())
      if (button->text().remove('&').toStdString() == text) return button;
    ADD_FAILURE() << "no button " << text;
    return nullptr;
  }

  std::unique_ptr<TEnvironmentScope> temp;
  TComponentPtr<TDravik> unit;
  std::vector<std::string> names;
  std::unique_ptr<TDravikParser> parser;
  TComponentPtr<TDravikVerifyForm> dialog;
  TComponentPtr<TDravikEditorForm> editor;
};

TEST_F(DravikCheck, TheDialogListsErrorsBeforeWarningsAndCountsTheErrors) {
  for (const char* language : {"English", "Deutsch"}) {
    DravikModule()->SetLanguage(language);
    OpenDialog();
    const bool english = std::string(language) == "English";
    const std::string error = english ? "Error: Not found" : "Fehler: Nicht gefunden";
    const std::string warning = english ? "Warning: Not checked" : "Warnung: Nicht geprüft";
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < List("ListErr")->Items()->Count(); ++i) {
      const TListItem* item = List("ListErr")->Items()->Items(i);
      rows.push_back({item->Caption(), item->SubItems()->Strings(0)});
    }
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{{error, "Helo"},
                                                           {error, "Byee"},
                                                           {error, "Missing"},
                                                           {warning, "GetString('Tit' + 'le');"}}))
        << language;
    EXPECT_EQ(FindOwned<TLabel>(dialog.get(), "Headline")->Caption(),
              english ? " Number of invalid string references of the source code: 3"
                      : " Anzahl der ungültigen Zeichenkettenreferenzen im Quelltext: 3");
    EXPECT_EQ(List("ListAvail")->Items()->Items(0)->Caption(), "Bye") << "sorted";
    SaveScreenshot(dialog->Widget(), std::string("verify_dialog-") + language + ".png");
    dialog.reset();
  }
}

TEST_F(DravikCheck, EachActionTogglesAndTheNextRowFollowsUntilOneIsPickedByHand) {
  OpenDialog();
  // Warnings take only the comment; errors every action.
  struct {
    int Row;
    bool Use, Add, Hint;
  } const states[] = {{0, true, true, true}, {3, false, false, true}};
  for (const auto& s : states) {
    List("ListErr")->View()->setCurrentItem(List("ListErr")->View()->topLevelItem(s.Row));
    EXPECT_EQ(Button("BtnUse")->Enabled(), s.Use) << s.Row;
    EXPECT_EQ(Button("BtnAdd")->Enabled(), s.Add) << s.Row;
    EXPECT_EQ(Button("BtnInsHint")->Enabled(), s.Hint) << s.Row;
  }
  dialog.reset();
  OpenDialog();  // nothing picked by hand: each action moves on to the next row
  Button("BtnUse")->Click();
  EXPECT_EQ(List("ListErr")->ItemIndex(), 1);
  List("ListErr")->View()->setCurrentItem(List("ListErr")->View()->topLevelItem(2));
  struct {
    const char* Button;
    std::string Action;
  } const actions[] = {
      {"BtnUse", "-> Bye"}, {"BtnAdd", "-> +"}, {"BtnInsHint", "->  (* ??? TDravik *) "}};
  for (const auto& a : actions) {
    List("ListErr")->View()->setCurrentItem(List("ListErr")->View()->topLevelItem(1));
    Button(a.Button)->Click();
    EXPECT_EQ(dialog->Rows()[1].Action, a.Action) << a.Button;
    EXPECT_EQ(List("ListErr")->Items()->Items(1)->SubItems()->Strings(1), a.Action);
    EXPECT_EQ(List("ListErr")->ItemIndex(), 1) << "picked by hand: the cursor stays";
    Button(a.Button)->Click();
    EXPECT_EQ(dialog->Rows()[1].Action, "") << a.Button << " twice clears it";
  }
  EXPECT_EQ(Actions(), (std::vector<std::string>{"-> Bye", "", "", ""}));
}

TEST_F(DravikCheck, TheDialogKeepsItsColumnsAndPanelBesideTheEditorsSettings) {
  TComponentPtr<TConfigFile> config = MakeComponent<TConfigFile>(nullptr);
  config->SetMode(cmRegistry);
  config->SetRegistryPath("Software\\Quelt GbR\\Designers\\Dravik\\Editor");
  parser = std::make_unique<TDravikParser>("", kUnit, names);
  ASSERT_TRUE(parser->Check(false));
  for (int round = 0; round < 2; ++round) {
    dialog = MakeComponent<TDravikVerifyForm>(nullptr);
    dialog->Init(*unit->LanguageManager(), names, config.get(), nullptr, *parser);
    dialog->Show();
    auto* panel = FindOwned<TPanel>(dialog.get(), "RightPanel");
    if (round == 0) {
      List("ListErr")->View()->setColumnWidth(2, 210);  // as the user drags it
      List("ListAvail")->View()->setColumnWidth(0, 90);
      panel->SetWidth(300);
    } else {
      EXPECT_EQ(List("ListErr")->Columns()->Items(2)->Width(), 210);
      EXPECT_EQ(List("ListAvail")->Columns()->Items(0)->Width(), 90);
      EXPECT_EQ(panel->Width(), 300);
    }
    dialog.reset();
  }
}

TEST_F(DravikCheck, RepairsChangeOnlyTheirOwnCalls) {
  std::string source = kUnit;
  parser = std::make_unique<TDravikParser>("", source, names);
  ASSERT_TRUE(parser->Check(false));
  std::vector<TVerifyRow> rows;
  for (const TSourceEntry& e : parser->UnknownIDs()) rows.push_back({true, e.Text, e.Offset, {}});
  for (const TSourceEntry& e : parser->InvalidCalls())
    rows.push_back({false, e.Text, e.Offset, {}});
  ASSERT_EQ(rows.size(), 4u);
  rows[0].Action = "-> Hello";
  rows[1].Action = "-> It's";
  rows[2].Action = "-> +";
  rows[3].Action = "->  (* ??? TDravik *) ";
  bool modified = false;
  EXPECT_TRUE(ApplyVerifyActions(rows, *unit->LanguageManager(), source, modified));
  EXPECT_TRUE(modified);
  std::string expected = kUnit;
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"GetString('Helo') + GetString('Hello') + GetString('Byee')",
            "GetString('Hello') + GetString('Hello') + GetString('It''s')"},
           {"GetString('Tit'", "GetString( (* ??? TDravik *) 'Tit'"}})
    expected.replace(expected.find(from), from.size(), to);
  EXPECT_EQ(source, expected);
  EXPECT_GE(unit->LanguageManager()->Names()->IndexOf("Missing"), 0);

  // A literal with blanks around its ID is replaced whole; an offset that no longer holds a
  // literal is left alone.
  struct {
    std::string Source, Id;
    int32_t Offset;
    std::string Expected;
  } const cases[] = {{"x(' Helo ');", "Helo", 2, "x('Hello');"},
                     {"x(Helo);", "Helo", 2, "x(Helo);"},
                     {"x('Helo", "Helo", 2, "x('Helo"},
                     {"x", "Helo", 40, "x"}};
  for (const auto& c : cases) {
    std::string text = c.Source;
    bool changed = false;
    ApplyVerifyActions({{true, c.Id, c.Offset, "-> Hello"}}, *unit->LanguageManager(), text,
                       changed);
    EXPECT_EQ(text, c.Expected) << c.Source;
    EXPECT_EQ(changed, c.Expected != c.Source) << c.Source;
  }
}

TEST_F(DravikCheck, TheStartUpRunIsQuietWithoutFindings) {
  OpenEditor(true,
             "unit Unit1;\ninterface\nimplementation\ninitialization\n"
             "  GetString('Hello');\nend.\n");
  // A window that comes up anyway is closed, so that the test fails instead of hanging.
  bool interrupted = false;
  {
    QTimer guard;  // stopped when the window has shown
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
      QWidget* window = QApplication::activeModalWidget();
      if (!window) return;
      interrupted = true;
      QTest::keyClick(window, Qt::Key_Escape);
    });
    guard.start(300);
    editor->Show();
  }
  EXPECT_FALSE(interrupted);
  CaptureNextDialog();
  editor->Item("ItemVerifyStrings")->Click();
  EXPECT_EQ(dialogText, "There are no warnings or errors.");
  editor.reset();
  OpenEditor(false, "unit Unit1;\ninterface\n");
  CaptureNextDialog();
  editor->Item("ItemVerifyStrings")->Click();
  EXPECT_EQ(dialogText, "Syntax error in source code. Consistency check aborted.");
}

// The unit's findings repaired through the dialog the editor opens at start; the commit writes
// the unit, which still compiles.
TEST_F(DravikCheck, ARepairedUnitStillCompiles) {
  OpenEditor(true);
  bool shown = false;
  WhenShown([&](QWidget* window) {
    shown = true;
    QList<QTreeWidget*> lists = window->findChildren<QTreeWidget*>();
    QTreeWidget* avail = lists[0]->columnCount() == 1 ? lists[0] : lists[1];
    avail->setCurrentItem(avail->topLevelItem(1));  // Hello
    PushButton(window, "<- Use ID <-")->click();
    avail->setCurrentItem(avail->topLevelItem(0));  // Bye
    PushButton(window, "<- Use ID <-")->click();
    PushButton(window, "-> New ->")->click();
    PushButton(window, "<- Comment")->click();
    PushButton(window, "OK")->click();
  });
  editor->Show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return shown && !QApplication::activeModalWidget(); }, 3000));
  EXPECT_TRUE(editor->DataModified());
  host->Save();
  EXPECT_EQ(ReadFileBytes(dir.File("Unit1.pas")), kUnit) << "nothing written before the commit";
  bool missingShown = false;
  for (int row = 1; row < editor->Grid()->RowCount(); ++row)
    missingShown |= editor->Grid()->Cells(editor->IDCol(), row) == "Missing";
  EXPECT_TRUE(missingShown) << "the grid shows the added string";
  editor->Item("ItemCommit")->Click();
  host->Save();
  const std::string repaired = ReadFileBytes(dir.File("Unit1.pas"));
  EXPECT_NE(repaired.find("GetString('Hello') + GetString('Hello') + GetString('Bye');"),
            std::string::npos)
      << repaired;
  EXPECT_NE(repaired.find("GetString( (* ??? TDravik *) 'Tit' + 'le')"), std::string::npos);
  EXPECT_NE(repaired.find("GetString('Missing')"), std::string::npos);

  if (std::system("fpc -iV >/dev/null 2>&1") != 0) GTEST_SKIP() << "fpc not installed";
  WriteFileBytes(dir.File("GetStringStub.pas"), kStub);
  std::filesystem::create_directory(dir.File("out"));
  const std::string command =
      "cd '" + dir.Path() + "' && fpc -v0 -FU'" + dir.File("out") + "' Unit1.pas >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
