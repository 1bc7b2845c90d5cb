// The import dialog as a developer meets it: the sections premarked for the form or the unit,
// OK only with a mark, the unmarked sections dropped, and the import mode kept as the default
// only when asked to.
#include <gtest/gtest.h>

#include <QTableView>
#include <QTest>

#include "editor/DravikImport.h"
#include "platform/core/classes/Strings.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/ui/DravikModule.h"
#include "tests/editor/EditorFixture.h"
#include "widgets/ButtonPanel.h"
#include "widgets/ConfigFile.h"
#include "widgets/SortGridEx.h"

using namespace dravik;

namespace {

class DravikImport : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    root = MakeComponent<TForm>(nullptr);
    config = MakeComponent<TConfigFile>(nullptr);
    config->SetMode(cmRegistry);
    config->SetRegistryPath("Software\\Quelt GbR\\Designers\\Dravik\\Editor");
  }
  void TearDown() override {
    dialog.reset();
    config.reset();
    root.reset();
    EditorTest::TearDown();
  }
  void Open(std::vector<std::string> lines, bool formMode) {
    sections.Clear();
    for (const std::string& line : lines) sections.Add(line);
    dialog = MakeComponent<TDravikImportForm>(nullptr);
    dialog->Init("/some/folder/further/down/Langs.txt", sections, config.get(), nullptr, root.get(),
                 formMode);
    dialog->Show();
  }
  std::string Marks() const {
    std::string marks;
    for (int row = 1; row < dialog->Grid()->RowCount(); ++row)
      marks += dialog->Grid()->GetSelectedFast(0, row) ? 'X' : '.';
    return marks;
  }
  bool OkEnabled() const {
    return FindOwned<TButtonPanel>(dialog.get(), "Buttons")->Items(0)->Enabled();
  }
  // A click on a row's mark, as the mouse gives it.
  void ClickMark(int row) const {
    QTableView* view = dialog->Grid()->View();
    const TRect r = dialog->Grid()->CellRect(0, row);
    const QPoint at =
        view->contentsRect().topLeft() + QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    QWidget* widget = view->childAt(at);
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->mapFrom(view, at));
  }
  bool Ok() {
    dialog->SetModalResult(mrOk);
    bool canClose = false;
    dialog->FormCloseQuery(nullptr, canClose);
    return canClose;
  }
  TCheckBox* Box(const char* name) const { return FindOwned<TCheckBox>(dialog.get(), name); }

  TComponentPtr<TForm> root;
  TComponentPtr<TConfigFile> config;
  TComponentPtr<TDravikImportForm> dialog;
  TStringList sections;
};

TEST_F(DravikImport, TheFormsOrTheUnitsSectionsArePremarkedAndOkNeedsAMark) {
  struct {
    std::vector<std::string> Sections;
    bool FormMode;
    std::string Marks;
  } const cases[] = {
      {{"TForm=English", "TForm=Deutsch", "TOther=English"}, true, "XX."},
      {{"TOther=English", "TOther=Deutsch"}, true, ".."},
      {{"tform=English"}, true, "."},
      {{"=English", "TForm=English", "=Deutsch"}, false, "X.X"},
  };
  for (const auto& c : cases) {
    Open(c.Sections, c.FormMode);
    EXPECT_EQ(Marks(), c.Marks) << c.Sections[0];
    EXPECT_EQ(OkEnabled(), c.Marks.find('X') != std::string::npos) << c.Sections[0];
  }
  EXPECT_EQ(dialog->Grid()->Cells(1, 1), "");
  EXPECT_EQ(dialog->Grid()->Cells(2, 1), "English");
  EXPECT_EQ(dialog->Caption().rfind("Import Language from ", 0), 0u);
}

TEST_F(DravikImport, MarksFollowTheMouseAndOkDropsTheUnmarkedSections) {
  Open({"TForm=English", "TForm=Deutsch", "TOther=English"}, true);
  ClickMark(1);
  ClickMark(2);
  EXPECT_EQ(Marks(), "...");
  EXPECT_FALSE(OkEnabled());
  ClickMark(2);
  EXPECT_EQ(Marks(), ".X.");
  EXPECT_TRUE(OkEnabled());
  EXPECT_TRUE(Ok());
  EXPECT_EQ(sections.Count(), 1);
  EXPECT_EQ(sections.Strings(0), "TForm=Deutsch");
}

TEST_F(DravikImport, TheModeIsKeptAsDefaultOnlyWhenAskedTo) {
  struct {
    const char* Choose;
    bool AsDefault;
    TImportMode Mode;
    const char* NextTime;
  } const steps[] = {
      {"BtnAddAll", false, imAddAll, "BtnAddNotExisting"},
      {"BtnClearAll", true, imClearExisting, "BtnClearAll"},
      {"BtnAddNotExisting", false, imAddNotExisting, "BtnClearAll"},
  };
  for (const auto& s : steps) {
    Open({"TForm=English"}, true);
    EXPECT_TRUE(Box("BtnAsDefault")->Enabled()) << "a store was given";
    Box(s.Choose)->SetChecked(true);
    Box("BtnAsDefault")->SetChecked(s.AsDefault);
    EXPECT_TRUE(Ok());
    EXPECT_EQ(dialog->GetImportMode(), s.Mode) << s.Choose;
    dialog.reset();
    Open({"TForm=English"}, true);
    EXPECT_TRUE(Box(s.NextTime)->Checked()) << s.Choose;
    dialog.reset();
  }
  sections.Clear();
  sections.Add("TForm=English");
  dialog = MakeComponent<TDravikImportForm>(nullptr);
  dialog->Init("Langs.txt", sections, nullptr, nullptr, root.get(), true);
  EXPECT_FALSE(Box("BtnAsDefault")->Enabled()) << "no store, no defaults";
  EXPECT_EQ(dialog->GetImportMode(), imAddNotExisting);
  EXPECT_TRUE(dialog->GetWarningsEnabled());
  EXPECT_FALSE(dialog->GetInitNewProps());
}

TEST_F(DravikImport, Screenshots) {
  for (const char* language : {"English", "Deutsch"}) {
    DravikModule()->SetLanguage(language);
    Open({"TForm=English", "TForm=Deutsch", "TOther=English"}, true);
    SaveScreenshot(dialog->Widget(), std::string("import_dialog-") + language + ".png");
    dialog.reset();
  }
}

}  // namespace
