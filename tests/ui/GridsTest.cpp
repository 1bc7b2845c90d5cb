// The string grid on a Qt table view: cells through the model, fixed cells, resizing, editing
// and the current cell fed back.

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTableView>

#include "platform/ui/Grids.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

using Grids = UiTest;

std::string CellText(TStringGrid* grid, int col, int row) {
  QAbstractItemModel* model = grid->View()->model();
  return model->data(model->index(row, col)).toString().toStdString();
}

class TSelections : public TObject {
 public:
  void Selected(TObject*) { ++Count; }
  int Count = 0;
};

}  // namespace

TEST_F(Grids, CellsShowThroughTheModelAndKeepTheirPlace) {
  auto grid = MakeComponent<TStringGrid>(nullptr);
  grid->HandleNeeded();
  grid->SetCells(0, 0, "Name");
  grid->SetCells(1, 1, "Anna");
  grid->SetCells(4, 4, "corner");
  EXPECT_EQ(CellText(grid.get(), 1, 1), "Anna");
  EXPECT_EQ(grid->View()->model()->rowCount(), 5);
  EXPECT_EQ(grid->View()->columnWidth(2), 64);
  EXPECT_EQ(grid->View()->rowHeight(2), 24);
  grid->SetColCount(3);
  grid->SetRowCount(8);
  EXPECT_EQ(grid->View()->model()->columnCount(), 3);
  EXPECT_EQ(grid->View()->model()->rowCount(), 8);
  EXPECT_EQ(CellText(grid.get(), 1, 1), "Anna");
  EXPECT_EQ(grid->Cells(0, 0), "Name");
  EXPECT_EQ(grid->Cells(4, 4), "");  // cut off with its column
  grid->SetColCount(5);
  EXPECT_EQ(grid->Cells(4, 4), "");
  // Outside the grid: reading is empty, writing refused.
  EXPECT_EQ(grid->Cells(-1, 0), "");
  EXPECT_EQ(grid->Cells(5, 0), "");
  EXPECT_THROW(grid->SetCells(5, 0, "x"), EInvalidOperation);
  EXPECT_THROW(grid->SetCells(0, -1, "x"), EInvalidOperation);
  grid->SetDefaultColWidth(90);
  EXPECT_EQ(grid->View()->columnWidth(3), 90);
}

TEST_F(Grids, FixedCellsAndEditing) {
  auto grid = MakeComponent<TStringGrid>(nullptr);
  grid->HandleNeeded();
  QAbstractItemModel* model = grid->View()->model();
  EXPECT_FALSE(model->flags(model->index(0, 2)) & Qt::ItemIsSelectable);
  EXPECT_FALSE(model->flags(model->index(2, 2)) & Qt::ItemIsEditable);
  EXPECT_EQ(grid->View()->editTriggers(), QAbstractItemView::NoEditTriggers);
  TGridOptions options = grid->Options();
  grid->SetOptions(options.Include(goEditing));
  EXPECT_TRUE(model->flags(model->index(2, 2)) & Qt::ItemIsEditable);
  EXPECT_FALSE(model->flags(model->index(0, 2)) & Qt::ItemIsEditable);
  // What the user types comes back into the cell.
  model->setData(model->index(2, 3), QStringLiteral("typed"), Qt::EditRole);
  EXPECT_EQ(grid->Cells(3, 2), "typed");
  EXPECT_THROW(grid->SetFixedCols(5), EInvalidOperation);
  grid->SetFixedCols(0);
  EXPECT_TRUE(model->flags(model->index(2, 0)) & Qt::ItemIsSelectable);
  // Shrinking below the fixed rows keeps one row to scroll.
  grid->SetRowCount(1);
  EXPECT_EQ(grid->FixedRows(), 0);
}

TEST_F(Grids, TheCurrentCellComesBack) {
  auto grid = MakeComponent<TStringGrid>(nullptr);
  grid->HandleNeeded();
  TSelections selections;
  grid->OnSelectCell = TNotifyEvent::Of<&TSelections::Selected>(&selections);
  EXPECT_EQ(grid->View()->currentIndex(), grid->View()->model()->index(1, 1));
  grid->View()->setCurrentIndex(grid->View()->model()->index(3, 2));
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(selections.Count, 1);
  grid->SetCurrent(4, 4);  // from code: no event
  EXPECT_EQ(grid->View()->currentIndex().row(), 4);
  EXPECT_EQ(selections.Count, 1);
  EXPECT_THROW(grid->SetCurrent(0, 1), EInvalidOperation);  // a fixed cell
}
