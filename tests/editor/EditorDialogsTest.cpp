// The language editor's search, setup, status and overview dialogs as a developer meets them:
// the search choices and their memory, the domain that switches the top-level box off, the
// import's lines split into sections and saved again, and the frames of the running program.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "editor/DravikSearch.h"
#include "editor/DravikSetup.h"
#include "editor/DravikStatus.h"
#include "editor/DravikView.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/inifiles/IniFile.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "runtime/DravikOverview.h"
#include "runtime/LanguageSwitch.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/UiFixture.h"
#include "widgets/ConfigFile.h"
#include "widgets/SortGrid.h"

using namespace dravik;

namespace {

class EditorDialogs : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    // Stands for the editor: the dialogs join its frame and show its language.
    owner = MakeComponent<TForm>(nullptr);
    frame = AddDravik(owner.get());
    frame->SetDomain(".Quelt Dravik Editor");
    frame->SetLanguage("English");
    config = Create<TConfigFile>(owner.get());
    config->SetMode(cmRegistry);
    config->SetRegistryPath("Software\\Quelt GbR\\Designers\\Dravik\\Editor");
  }
  void TearDown() override {
    owner.reset();
    EditorTest::TearDown();
  }

  template <class T>
  static T* Find(QWidget* window, const QString& text) {
    for (T* widget : window->findChildren<T*>())
      if (widget->text() == text) return widget;
    ADD_FAILURE() << "no " << text.toStdString();
    return nullptr;
  }
  static void Click(QWidget* window, const QString& text) {
    QTest::mouseClick(Find<QAbstractButton>(window, text), Qt::LeftButton);
  }

  TComponentPtr<TForm> owner;
  TDravik* frame = nullptr;
  TConfigFile* config = nullptr;
};

struct TSearchCase {
  const char* Name;
  QString Pattern, Where;
  std::vector<QString> Options;
  TSearchIn Mode;
  TSearchOptions Expected;
};

}  // namespace

TEST_F(EditorDialogs, SearchAnswersThePatternWhereAndHowAndRemembersThem) {
  const std::vector<TSearchCase> cases = {
      {"empty pattern", "", "Property values", {}, siValues, {}},
      {"designed defaults", "ok", "Property values", {}, siValues, {}},
      {"descriptors, case",
       "Cap*",
       "Property descriptor/string ID",
       {"Case sensitive"},
       siDescs,
       TSearchOptions{soCaseSensitive}},
      {"names, all options",
       "button",
       "Component name and type",
       {"Search from cursor position", "Search backward"},
       siNames,
       TSearchOptions{soFromCursor, soBackward}},
  };
  std::vector<QString> history;
  for (const TSearchCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::vector<QString> shownOptions;
    WhenShown([&](QWidget* window) {
      // What the last search chose is checked again.
      for (QCheckBox* box : window->findChildren<QCheckBox*>())
        if (box->isChecked() && !qobject_cast<QRadioButton*>(box)) box->click();
      Find<QRadioButton>(window, c.Where)->click();
      for (const QString& option : c.Options) Find<QCheckBox>(window, option)->click();
      QLineEdit* edit = window->findChildren<QComboBox*>().first()->lineEdit();
      edit->selectAll();
      QTest::keyClick(edit, Qt::Key_Delete);
      QTest::keyClicks(edit, c.Pattern);
      Click(window, "&OK");
    });
    std::string pattern = "unchanged";
    TSearchIn mode = siValues;
    TSearchOptions options;
    ASSERT_TRUE(TDravikSearchForm::Execute(pattern, mode, config, options));
    EXPECT_EQ(pattern, c.Pattern.trimmed().toStdString());
    EXPECT_EQ(mode, c.Mode);
    EXPECT_EQ(options, c.Expected);
  }

  // The next dialog shows the last choices and the patterns, newest first; Cancel answers none.
  std::vector<std::string> remembered;
  bool backward = false;
  WhenShown([&](QWidget* window) {
    auto* combo = window->findChildren<QComboBox*>().first();
    for (int i = 0; i < combo->count(); ++i) remembered.push_back(combo->itemText(i).toStdString());
    backward = Find<QCheckBox>(window, "Search backward")->isChecked();
    Click(window, "&Cancel");
  });
  std::string pattern = "unchanged";
  TSearchIn mode = siDescs;
  TSearchOptions options;
  EXPECT_FALSE(TDravikSearchForm::Execute(pattern, mode, config, options));
  EXPECT_EQ(remembered, (std::vector<std::string>{"button", "Cap*", "ok"}));
  EXPECT_TRUE(backward);
  EXPECT_EQ(std::make_pair(pattern, mode), std::make_pair(std::string("unchanged"), siDescs));
}

TEST_F(EditorDialogs, SetupEnablesTopLevelOnlyWithoutADomain) {
  struct TCase {
    const char* Typed;
    bool Enabled;
  };
  const std::vector<TCase> typed = {{"Main", false}, {" x ", false}, {"   ", true}, {"", true}};
  TStringList domains;
  for (const char* name : {"Main", "Tools"}) domains.Add(name);
  std::vector<std::string> listed;
  std::vector<bool> enabled;
  bool enabledAtStart = true;
  WhenShown([&](QWidget* window) {
    auto* combo = window->findChildren<QComboBox*>().first();
    auto* box = Find<QCheckBox>(window, "TopLevel");
    enabledAtStart = box->isEnabled();
    for (int i = 0; i < combo->count(); ++i) listed.push_back(combo->itemText(i).toStdString());
    for (const TCase& c : typed) {
      combo->lineEdit()->selectAll();
      QTest::keyClick(combo->lineEdit(), Qt::Key_Delete);
      QTest::keyClicks(combo->lineEdit(), c.Typed);
      enabled.push_back(box->isEnabled());
    }
    box->click();
    Click(window, "&OK");
  });
  std::string domain = "Tools";
  bool topLevel = false;
  ASSERT_TRUE(TDravikSetupForm::Execute(domains, domain, topLevel));
  EXPECT_EQ(listed, (std::vector<std::string>{"Main", "Tools"}));
  EXPECT_FALSE(enabledAtStart);  // "Tools" was shown
  for (std::size_t i = 0; i < typed.size(); ++i)
    EXPECT_EQ(enabled[i], typed[i].Enabled) << '"' << typed[i].Typed << '"';
  EXPECT_EQ(domain, "");
  EXPECT_TRUE(topLevel);

  // Cancel keeps both.
  WhenShown([&](QWidget* window) {
    window->findChildren<QComboBox*>().first()->setEditText("Other");
    Click(window, "&Cancel");
  });
  EXPECT_FALSE(TDravikSetupForm::Execute(domains, domain, topLevel));
  EXPECT_EQ(std::make_pair(domain, topLevel), std::make_pair(std::string(), true));
  // A domain is answered as typed.
  WhenShown([&](QWidget* window) {
    QTest::keyClicks(window->findChildren<QComboBox*>().first()->lineEdit(), " Main ");
    Click(window, "&OK");
  });
  EXPECT_TRUE(TDravikSetupForm::Execute(domains, domain, topLevel));
  EXPECT_EQ(domain, " Main ");
}

TEST_F(EditorDialogs, StatusLinesSplitIntoSectionAndText) {
  const std::vector<std::pair<std::string, TStatusLine>> cases = {
      {"[TForm1=English]=Button1.Caption=OK", {"TForm1=English", "Button1.Caption=OK"}},
      {"[S]=K=V=W", {"S", "K=V=W"}},
      {"no bracket=at all", {"", "no bracket=at all"}},
      {"[S]", {"S", ""}},
      {"", {"", ""}},
  };
  for (const auto& [line, expected] : cases) {
    const TStatusLine split = SplitStatusLine(line);
    EXPECT_EQ(std::make_pair(split.Section, split.Text),
              std::make_pair(expected.Section, expected.Text))
        << line;
  }
}

TEST_F(EditorDialogs, StatusListsErrorsFirstAndSavesTheRowsAsALanguageFile) {
  TStringList warnings, errors;
  warnings.Add("[TForm1=English]=Button1.Caption=OK");
  warnings.Add("[TForm1=Deutsch]=Button1.Caption=Gut");
  errors.Add("[TForm1=English]=Nothing.Caption=x");
  TComponentPtr<TDravikStatusForm> status = MakeComponent<TDravikStatusForm>(nullptr);
  status->Init(warnings, errors, nullptr);
  auto* grid = FindOwned<TSortGrid>(status.get(), "Grid");
  std::vector<std::vector<std::string>> rows;
  for (int row = 0; row < grid->RowCount(); ++row)
    rows.push_back({grid->Cells(0, row), grid->Cells(1, row), grid->Cells(2, row)});
  EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{
                      {"Type", "Section", "Text"},
                      {"Error", "TForm1=English", "Nothing.Caption=x"},
                      {"Warning", "TForm1=English", "Button1.Caption=OK"},
                      {"Warning", "TForm1=Deutsch", "Button1.Caption=Gut"}}));
  EXPECT_EQ(FindOwned<TLabel>(status.get(), "CountWarnings")->Caption(), "2");
  EXPECT_EQ(FindOwned<TLabel>(status.get(), "CountErrors")->Caption(), "1");
  EXPECT_TRUE(grid->Enabled());

  // Save over an existing file: No asks for another name, Yes replaces the file.
  const std::string target = dir.File("status.txt");
  WriteFileBytes(target, "[Old]\nstale=1\n");
  std::vector<std::string> questions;
  int dialogs = 0;
  std::function<void()> next = [&] {
    WhenShown([&](QWidget* window) {
      if (auto* files = qobject_cast<QFileDialog*>(window)) {
        ++dialogs;
        files->selectFile(QString::fromStdString(target));
        static_cast<QDialog*>(files)->accept();
        return next();
      }
      std::string text;
      for (QLabel* label : window->findChildren<QLabel*>())
        if (label->text().size() > static_cast<int>(text.size()))
          text = label->text().toStdString();
      questions.push_back(text);
      const QString answer = questions.size() == 1 ? "&No" : "&Yes";
      for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->text() == answer) button->click();
      if (questions.size() == 1) next();
    });
  };
  next();
  status->SaveClick(nullptr);
  EXPECT_EQ(dialogs, 2);
  ASSERT_EQ(questions.size(), 2u);
  EXPECT_NE(questions[0].find("Overwrite '" + target + "'?"), std::string::npos) << questions[0];
  TIniFile ini(target);
  TStringList sections;
  ini.ReadSections(sections);
  EXPECT_EQ(sections.CommaText(), "TForm1=English,TForm1=Deutsch");
  EXPECT_EQ(ini.ReadString("TForm1=English", "Button1.Caption", "-"), "OK");
  EXPECT_EQ(ini.ReadString("TForm1=English", "Nothing.Caption", "-"), "x");
  EXPECT_EQ(ini.ReadString("TForm1=Deutsch", "Button1.Caption", "-"), "Gut");

  // Without lines the grid is disabled and Save does nothing.
  TStringList none;
  TComponentPtr<TDravikStatusForm> empty = MakeComponent<TDravikStatusForm>(nullptr);
  empty->Init(none, none, nullptr);
  EXPECT_FALSE(FindOwned<TSortGrid>(empty.get(), "Grid")->Enabled());
}

TEST_F(EditorDialogs, TheOverviewListsTheFramesAndTheirMembers) {
  // A form of its own domain, one in the default domain with a caption, and a hidden one.
  TComponentPtr<TForm> tools = MakeComponent<TForm>(nullptr);
  tools->SetName("ToolsForm");
  TDravik* toolsDravik = AddDravik(tools.get());
  toolsDravik->SetName("Dravik1");
  toolsDravik->SetDomain("Tools");
  TComponentPtr<TForm> main = MakeComponent<TForm>(nullptr);
  main->SetName("MainForm");
  main->SetCaption("Main window");
  TDravik* mainDravik = AddDravik(main.get());
  mainDravik->SetName("Dravik1");
  TComponentPtr<TDravik> unit = [] {
    TOwnerlessScope ownerless;
    return MakeComponent<TDravik>(nullptr);
  }();
  unit->SetDomain("Tools");

  const TFrameOverview overview = CurrentFrameOverview();
  auto lines = [&](const std::vector<TOverviewFrame>& frames) {
    std::vector<std::string> out;
    for (const TOverviewFrame& f : frames) {
      out.push_back(OverviewFrameText(f));
      for (const TOverviewMember& m : f.Members) out.push_back("  " + OverviewMemberText(m, "U"));
    }
    return out;
  };
  const std::vector<std::string> unnamed = lines(overview.Unnamed);
  const std::vector<std::string> named = lines(overview.Named);
  const std::string language = mainDravik->GetLanguage();
  EXPECT_NE(std::find(unnamed.begin(), unnamed.end(),
                      "  MainForm: TForm (Forms) - 'Main window' (" + language + ")"),
            unnamed.end())
      << ::testing::PrintToString(unnamed);
  const int position = NamedDomainFrames()->Count() - 1;
  EXPECT_EQ(named.back(), "  U (" + unit->GetLanguage() + ")") << ::testing::PrintToString(named);
  EXPECT_EQ(named[named.size() - 3], "#" + std::to_string(position) + " - Tools (" +
                                         NamedDomainFrames()->Items(position)->Language() + ")");
  EXPECT_EQ(named[named.size() - 2],
            "  ToolsForm: TForm (Forms) (" + toolsDravik->GetLanguage() + ")");
  for (const std::string& line : named)
    EXPECT_EQ(line.find("Quelt Dravik Editor"), std::string::npos);

  // A member that is no TDravik, one that is no component, an empty registration.
  TOverviewMember other;
  other.Kind = TOverviewMember::mkComponent;
  other.Description = "Select1: TDravikSelectLanguage";
  other.OwnerText = "Main window";
  TOverviewMember object;
  object.Kind = TOverviewMember::mkObject;
  object.Description = "TLanguageHolder";
  EXPECT_EQ(OverviewMemberText(other, "U"), "Select1: TDravikSelectLanguage - 'Main window'");
  EXPECT_EQ(OverviewMemberText(object, "U"), "TLanguageHolder");
  EXPECT_EQ(OverviewMemberText(TOverviewMember{}, "U"), "???");

  // The window shows the same tree under its three fixed nodes, which stay open.
  std::vector<std::string> top;
  int namedCount = -1;
  bool stayedOpen = false;
  WhenShown([&](QWidget* window) {
    auto* tree = window->findChildren<QTreeWidget*>().first();
    QTreeWidgetItem* root = tree->topLevelItem(0);
    top = {root->text(0).toStdString(), root->child(0)->text(0).toStdString(),
           root->child(1)->text(0).toStdString()};
    namedCount = root->child(1)->childCount();
    tree->collapseItem(root);
    QCoreApplication::processEvents();
    stayedOpen = root->isExpanded() && root->child(1)->isExpanded();
    Click(window, "&OK");
  });
  ShowDravikViewForm();
  EXPECT_EQ(top[0], "Dravik");
  EXPECT_TRUE((top[1] == "Unnamed frames" && top[2] == "Named frames") ||
              (top[1] == "Unbenannte Frames" && top[2] == "Benannte Frames"))
      << top[1];
  EXPECT_EQ(namedCount, static_cast<int>(overview.Named.size()));
  EXPECT_TRUE(stayedOpen);
}

TEST_F(EditorDialogs, ScreenshotsOfEachDialogInBothLanguages) {
  TStringList lines, domains;
  lines.Add("[TMainForm=English]=Button1.Caption=&OK");
  domains.Add("Main");
  TComponentPtr<TForm> main = MakeComponent<TForm>(nullptr);
  main->SetName("MainForm");
  main->SetCaption("Main window");
  AddDravik(main.get())->SetName("Dravik1");
  for (const char* language : {"English", "Deutsch"}) {
    frame->SetLanguage(language);
    // The overview takes the user's language.
    TEnvironmentScope user("LC_ALL",
                           language == std::string("English") ? "en_US.UTF-8" : "de_DE.UTF-8");
    std::vector<std::string> titles;
    auto shoot = [&](const std::string& name) {
      WhenShown([&, name](QWidget* window) {
        titles.push_back(window->windowTitle().toStdString());
        SaveScreenshot(window, name + "-" + language + ".png");
        window->close();
      });
    };
    shoot("DravikSearchForm");
    std::string pattern;
    TSearchIn mode;
    TSearchOptions options;
    TDravikSearchForm::Execute(pattern, mode, nullptr, options);
    shoot("DravikSetupForm");
    std::string domain;
    bool topLevel = false;
    TDravikSetupForm::Execute(domains, domain, topLevel);
    TComponentPtr<TDravikStatusForm> status = MakeComponent<TDravikStatusForm>(nullptr);
    status->Init(lines, lines, nullptr);
    shoot("DravikStatusForm");
    status->ShowModal();
    shoot("DravikViewForm");
    ShowDravikViewForm();
    const std::vector<std::string> expected =
        std::string(language) == "English"
            ? std::vector<std::string>{"Search", "Component Setup", "Import Status Messages",
                                       "Quelt Dravik - Overview"}
            : std::vector<std::string>{"Suche", "Komponenten-Setup",
                                       "Statusmeldungen des Importiervorgangs",
                                       "Quelt Dravik - Überblick"};
    EXPECT_EQ(titles, expected);
  }
}
