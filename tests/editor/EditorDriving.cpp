#include "tests/editor/EditorDriving.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "editor/DravikEditorForm.h"
#include "editor/LanguageGrid.h"
#include "platform/ui/Menus.h"
#include "runtime/LangPropertyEntries.h"

namespace dravik {

namespace {

void TypeInto(TLanguageGrid& grid, int col, int row, const std::string& text) {
  grid.MoveTo(col, row);
  grid.SetEditorMode(true);
  QLineEdit* line = nullptr;
  for (QLineEdit* candidate : grid.View()->findChildren<QLineEdit*>())
    if (candidate->isVisible()) line = candidate;
  ASSERT_NE(line, nullptr) << "no inline editor";
  line->selectAll();
  QTest::keyClicks(line, QString::fromStdString(text));
  QTest::keyClick(line, Qt::Key_Return);
  QCoreApplication::processEvents();  // the editor hands its text over queued
}

}  // namespace

void TypeAndCommit(TDravikEditorForm& editor, const std::string& component,
                   const std::string& property, const std::string& language,
                   const std::string& text) {
  TLanguageGrid& grid = *editor.Grid();
  int row = -1, col = -1;
  for (int r = 1; r < grid.RowCount(); ++r)
    if (editor.RowEntry(r) && editor.RowEntry(r)->Name == property && grid.Cells(0, r) == component)
      row = r;
  for (int c = 0; c < grid.ColCount(); ++c)
    if (grid.Cells(c, 0) == language) col = c;
  ASSERT_GE(row, 0) << "no row " << component << "." << property;
  ASSERT_GE(col, 0) << "no column " << language;
  TypeInto(grid, col, row, text);
  editor.Item("ItemCommit")->Click();
}

}  // namespace dravik
