// The version dialog: its rows, their order by each column, the saved text, its texts in both
// languages and the error when the list cannot be saved.

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "platform/ui/ComCtrls.h"
#include "runtime/Dravik.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/UiFixture.h"
#include "widgets/VersionInfoForm.h"

using namespace dravik;

namespace {

const std::vector<std::string> kHeaders = {
    "$Header: /dravik/library/FileTools.cpp 12-3d07cfe 08.12.26 16:06 anna $",
    "$Header: /dravik/apps/Main.cpp 3-aa00bb1 1.2.99 9:05 bert $",
    "$Header: /dravik/widgets/Grid.cpp 101-ffee001 2/1/99 9:05p carl $",
    "$Header: /dravik/Broken.cpp 1 1.2.99 9:05 dora",  // no closing " $"
};

// Saves a picture of the window under build/screenshots, as a user would look at it.
void SaveScreenshot(QWidget* window, const std::string& name) {
  const std::string folder = std::string(DRAVIK_BIN_DIR) + "/../screenshots";
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
  QCoreApplication::processEvents();
  EXPECT_TRUE(window->grab().save(QString::fromStdString(folder + "/" + name)));
}

std::vector<std::string> UnitsOf(const std::vector<TVersionRow>& rows) {
  std::vector<std::string> units;
  for (const TVersionRow& row : rows) units.push_back(row.Unit);
  return units;
}

class VersionInfo : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    registry = std::make_unique<TEnvironmentScope>("DRAVIK_REGISTRY", dir.File("registry.reg"));
    form = MakeComponent<TVersionInfoForm>(nullptr);
    form->ShowHeaders(kHeaders);
  }
  TTempDir dir;
  std::unique_ptr<TEnvironmentScope> registry;
  TComponentPtr<TVersionInfoForm> form;
};

}  // namespace

TEST(VersionInfoRules, SortsByEachColumnAndTheSameColumnAgainReverses) {
  int invalid = 0;
  std::vector<TVersionRow> rows = VersionRows(kHeaders, invalid);
  EXPECT_EQ(invalid, 1);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2].LastChange, "1999-02-01  21:05");
  EXPECT_EQ(rows[2].Archives, "/dravik/widgets");
  struct TCase {
    int Column;
    std::vector<std::string> Ascending;
  };
  const TCase cases[] = {
      {0, {"FileTools.cpp", "Grid.cpp", "Main.cpp"}},
      {1, {"Main.cpp", "FileTools.cpp", "Grid.cpp"}},  // as numbers: 3, 12, 101
      {2, {"Main.cpp", "Grid.cpp", "FileTools.cpp"}},
      {3, {"FileTools.cpp", "Main.cpp", "Grid.cpp"}},
      {4, {"Main.cpp", "FileTools.cpp", "Grid.cpp"}},
  };
  for (const TCase& c : cases) {
    SortVersionRows(rows, c.Column, false);
    EXPECT_EQ(UnitsOf(rows), c.Ascending) << c.Column;
    SortVersionRows(rows, c.Column, true);
    EXPECT_EQ(UnitsOf(rows), std::vector<std::string>(c.Ascending.rbegin(), c.Ascending.rend()))
        << c.Column;
  }
  SortVersionRows(rows, 0, false);
  EXPECT_EQ(VersionListText({rows[0], rows[1]}),
            "FileTools.cpp  12-3d07cfe   2026-12-08  16:06  anna  /dravik/library  \n"
            "Grid.cpp       101-ffee001  1999-02-01  21:05  carl  /dravik/widgets  \n");
}

TEST_F(VersionInfo, ListsSortsAndCountsInBothLanguages) {
  form->Show();
  QTreeWidget* view = form->List()->View();
  ASSERT_EQ(view->topLevelItemCount(), 3);
  EXPECT_EQ(form->Status()->Panels()->Items(0)->Text(), "Valid header entries: 3");
  EXPECT_EQ(form->Status()->Panels()->Items(1)->Text(), "Invalid header entries: 1");

  QTest::mouseClick(view->header()->viewport(), Qt::LeftButton, {},
                    QPoint(view->header()->sectionPosition(1) + 5, 5));  // Version
  EXPECT_EQ(UnitsOf(form->Rows()),
            (std::vector<std::string>{"Main.cpp", "FileTools.cpp", "Grid.cpp"}));
  QTest::mouseClick(view->header()->viewport(), Qt::LeftButton, {},
                    QPoint(view->header()->sectionPosition(1) + 5, 5));
  EXPECT_EQ(UnitsOf(form->Rows()),
            (std::vector<std::string>{"Grid.cpp", "FileTools.cpp", "Main.cpp"}));
  EXPECT_EQ(form->List()->View()->topLevelItem(0)->text(0).toStdString(), "Grid.cpp");
  SaveScreenshot(form->Widget(), "version-info-English.png");

  auto* dravik = dynamic_cast<TDravik*>(form->FindComponent("Dravik"));
  dravik->SetLanguage("Deutsch");
  form->ShowHeaders(kHeaders);
  EXPECT_EQ(form->Caption(), "Quelt Versionskontrolle");
  EXPECT_EQ(form->List()->Columns()->Items(2)->Caption(), "Letzte \xC3\x84nderung");
  EXPECT_EQ(form->Status()->Panels()->Items(0)->Text(), "G\xC3\xBCltige Kopfeintr\xC3\xA4ge: 3");
  EXPECT_EQ(form->Status()->Panels()->Items(1)->Text(), "Ung\xC3\xBCltige Kopfeintr\xC3\xA4ge: 1");
  QCoreApplication::processEvents();
  SaveScreenshot(form->Widget(), "version-info-Deutsch.png");
}

TEST_F(VersionInfo, SavesTheListAndTellsWhenItCannot) {
  form->SortBy(0);
  ASSERT_TRUE(form->SaveList(dir.File("units.ver")));
  EXPECT_EQ(ReadFileBytes(dir.File("units.ver")), VersionListText(form->Rows()));

  std::string text;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    for (QLabel* label : dialog->findChildren<QLabel*>())
      if (label->text().contains("Error writing")) text = label->text().toStdString();
    QTest::keyClick(dialog, Qt::Key_Return);
  });
  EXPECT_FALSE(form->SaveList(dir.File("no-such-folder/units.ver")));
  EXPECT_EQ(text.rfind("Error writing file.", 0), 0u) << text;
}
