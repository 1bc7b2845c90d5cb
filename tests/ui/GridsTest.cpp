// The string grid on a Qt table view: cells through the model, fixed cells, resizing, editing
// and the current cell fed back.

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

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

namespace {

// Counts the cells it is asked to draw, and where the mouse went.
class TCountingGrid : public TStringGrid {
 public:
  using TStringGrid::TStringGrid;
  int Drawn = 0;
  int32_t LastRow = -1;
  TGridDrawState CurrentState;
  std::vector<std::string> Mouse;

 protected:
  void DrawCell(int32_t col, int32_t row, const TRect& rect, TGridDrawState state) override {
    ++Drawn;
    LastRow = std::max(LastRow, row);
    if (col == Col() && row == Row()) CurrentState = state;
    TStringGrid::DrawCell(col, row, rect, state);
  }
  void MouseDown(TMouseButton button, TShiftState, int32_t x, int32_t y) override {
    int32_t col, row;
    MouseToCell(x, y, col, row);
    Mouse.push_back("down " + std::to_string(button) + " " + std::to_string(col) + "," +
                    std::to_string(row));
  }
  void MouseUp(TMouseButton, TShiftState, int32_t x, int32_t y) override {
    int32_t col, row;
    MouseToCell(x, y, col, row);
    Mouse.push_back("up " + std::to_string(col) + "," + std::to_string(row));
  }
};

// Clicks the centre of a cell where it is shown: in the table, a header or the corner.
void ClickCell(TStringGrid* grid, int32_t col, int32_t row, Qt::MouseButton button) {
  const TRect r = grid->CellRect(col, row);
  const QPoint at = grid->View()->contentsRect().topLeft() +
                    QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  QWidget* widget = grid->View()->childAt(at);
  QTest::mouseClick(widget, button, Qt::NoModifier, widget->mapFrom(grid->View(), at));
}

// Drags with the left button between two points of the grid's client area, through the widget
// shown at the first (the table, a header or the corner), as the mouse would.
void Drag(TStringGrid* grid, QPoint from, QPoint to) {
  const QPoint origin = grid->View()->contentsRect().topLeft();
  QWidget* widget = grid->View()->childAt(origin + from);
  const QPoint start = widget->mapFrom(grid->View(), origin + from);
  const QPoint end = widget->mapFrom(grid->View(), origin + to);
  QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, start);
  QTest::mouseMove(widget, end);
  QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, end);
}

}  // namespace

TEST_F(Grids, EachColumnAndRowHasItsSizeThatMovesWithIt) {
  auto grid = MakeComponent<TStringGrid>(nullptr);
  grid->HandleNeeded();
  grid->SetColWidths(2, 100);
  grid->SetRowHeights(3, 40);
  EXPECT_EQ(grid->View()->columnWidth(2), 100);
  EXPECT_EQ(grid->View()->rowHeight(3), 40);
  EXPECT_EQ(grid->CellRect(2, 3).Width(), 100 - 1);  // less the grid line
  grid->SetCurrent(3, 3);
  TGridOptions options = grid->Options();
  grid->SetOptions(options.Include(goRowSelect));
  EXPECT_EQ(grid->View()->columnWidth(2), 100);  // other changes keep the sizes
  grid->MoveColumn(2, 4);
  grid->MoveRow(3, 1);
  EXPECT_EQ(grid->ColWidths(4), 100);
  EXPECT_EQ(grid->View()->columnWidth(4), 100);
  EXPECT_EQ(grid->View()->rowHeight(1), 40);
  EXPECT_EQ(grid->RowHeights(3), 24);
  grid->SetDefaultColWidth(30);  // every column
  EXPECT_EQ(grid->View()->columnWidth(4), 30);
  EXPECT_THROW(grid->SetColWidths(5, 10), EInvalidOperation);
}

TEST_F(Grids, RowsAndColumnsMoveWithTheirCellsAndObjects) {
  auto grid = MakeComponent<TStringGrid>(nullptr);
  TObject a, b;
  for (int32_t row = 0; row < 5; ++row) grid->SetCells(1, row, "r" + std::to_string(row));
  grid->SetObjects(1, 1, &a);
  grid->SetObjects(2, 4, &b);
  grid->MoveRow(1, 3);
  EXPECT_EQ(grid->Cells(1, 3), "r1");
  EXPECT_EQ(grid->Cells(1, 1), "r2");
  EXPECT_EQ(grid->Objects(1, 3), &a);
  grid->MoveColumn(2, 0);
  EXPECT_EQ(grid->Objects(0, 4), &b);
  EXPECT_EQ(grid->Cells(2, 3), "r1");
  grid->DeleteRow(3);
  EXPECT_EQ(grid->RowCount(), 4);
  EXPECT_EQ(grid->Cells(2, 3), "r4");
  grid->DeleteColumn(0);
  EXPECT_EQ(grid->ColCount(), 4);
  EXPECT_EQ(grid->Cells(1, 3), "r4");
  // The scrollable rows in a new order, the fixed row staying.
  grid->ReorderRows({3, 1, 2});
  EXPECT_EQ(grid->Cells(1, 0), "r0");
  EXPECT_EQ(grid->Cells(1, 1), "r4");
  EXPECT_EQ(grid->Cells(1, 3), "r3");
  EXPECT_THROW(grid->ReorderRows({1, 2}), EInvalidOperation);
  EXPECT_THROW(grid->ReorderRows({0, 1, 2}), EInvalidOperation);  // a fixed row
  EXPECT_EQ(grid->Cells(1, 1), "r4");
}

TEST_F(Grids, OnlyTheCellsInViewAreDrawnHoweverLongTheGrid) {
  auto grid = MakeComponent<TCountingGrid>(nullptr);
  grid->SetRowCount(100000);
  grid->HandleNeeded();
  grid->View()->grab();
  EXPECT_GT(grid->Drawn, 0);
  // The fixed row, the rows wholly in view and one partly.
  EXPECT_LE(grid->Drawn, 5 * (grid->VisibleRowCount() + 2));
  EXPECT_LT(grid->LastRow, 10);
  EXPECT_TRUE(grid->CurrentState.Contains(gdSelected));  // current, without the focus
  EXPECT_FALSE(grid->CurrentState.Contains(gdFixed));
  grid->SetTopRow(99990);
  grid->Drawn = 0;
  grid->View()->grab();
  EXPECT_EQ(grid->TopRow(), 99990);
  EXPECT_GE(grid->LastRow, 99990);
  EXPECT_LE(grid->Drawn, 5 * (grid->VisibleRowCount() + 2));
  // The fixed row stays at the top, the first row in view right below it.
  EXPECT_EQ(grid->CellRect(2, 0).Top, 0);
  EXPECT_EQ(grid->CellRect(2, 99990).Top, 24);
  int32_t col = -1, row = -1;
  grid->MouseToCell(70, 10, col, row);
  EXPECT_EQ(col, 1);
  EXPECT_EQ(row, 0);
  grid->MouseToCell(10, 30, col, row);
  EXPECT_EQ(col, 0);
  EXPECT_EQ(row, 99990);
}

TEST_F(Grids, MouseHooksSeeTheCellUnderThePointerAndFixedCellsNeverBecomeCurrent) {
  auto grid = MakeComponent<TCountingGrid>(nullptr);
  grid->HandleNeeded();
  grid->View()->show();
  ClickCell(grid.get(), 3, 2, Qt::LeftButton);
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 2);
  ClickCell(grid.get(), 2, 0, Qt::RightButton);
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(grid->Mouse,
            (std::vector<std::string>{"down 0 3,2", "up 3,2", "down 1 2,0", "up 2,0"}));
  int32_t col = 0, row = 0;
  grid->MouseToCell(-5, 10000, col, row);
  EXPECT_EQ(col, -1);
  EXPECT_EQ(row, -1);
}

// The lines between fixed cells are dragged with goColSizing and goRowSizing: the column or row
// before the line takes the new size (a pixel at least) and the drag is no click.
TEST_F(Grids, DraggingALineOfTheFixedCellsSizesItsColumnOrRow) {
  auto grid = MakeComponent<TCountingGrid>(nullptr);
  grid->HandleNeeded();
  grid->View()->show();
  const int headerMiddle = grid->CellRect(2, 0).Height() / 2;
  const int columnLine = grid->CellRect(2, 0).Right + 1;
  Drag(grid.get(), {columnLine, headerMiddle}, {columnLine + 30, headerMiddle});
  EXPECT_EQ(grid->ColWidths(2), 64) << "without goColSizing a press there is a click";
  EXPECT_EQ(grid->Mouse, (std::vector<std::string>{"down 0 3,0", "up 3,0"}));

  TGridOptions options = grid->Options();
  grid->SetOptions(options.Include(goColSizing).Include(goRowSizing));
  grid->Mouse.clear();
  QHeaderView* columns = grid->View()->horizontalHeader();
  QTest::mouseMove(columns->viewport(), columns->viewport()->mapFrom(
                                            grid->View(), grid->View()->contentsRect().topLeft() +
                                                              QPoint(columnLine, headerMiddle)));
  EXPECT_EQ(columns->cursor().shape(), Qt::SplitHCursor);
  Drag(grid.get(), {columnLine, headerMiddle}, {columnLine + 30, headerMiddle});
  EXPECT_EQ(grid->ColWidths(2), 94);
  EXPECT_EQ(grid->View()->columnWidth(2), 94);
  EXPECT_TRUE(grid->Mouse.empty()) << "dragging a line is no click";

  const TRect row3 = grid->CellRect(0, 3);
  const int rowLine = row3.Bottom + 1, sideMiddle = row3.Width() / 2;
  Drag(grid.get(), {sideMiddle, rowLine}, {sideMiddle, rowLine - 10});
  EXPECT_EQ(grid->RowHeights(3), 14);
  EXPECT_EQ(grid->View()->rowHeight(3), 14);

  // The fixed column's own edge: the scrolling cells move along.
  const int fixedLine = grid->CellRect(0, 0).Right + 1;
  Drag(grid.get(), {fixedLine, headerMiddle}, {fixedLine + 20, headerMiddle});
  EXPECT_EQ(grid->ColWidths(0), 84);
  EXPECT_EQ(grid->CellRect(1, 1).Left, 84);

  const int line = grid->CellRect(2, 0).Right + 1;
  Drag(grid.get(), {line, headerMiddle}, {0, headerMiddle});
  EXPECT_EQ(grid->ColWidths(2), 1) << "never less than a pixel";
  EXPECT_TRUE(grid->Mouse.empty());
}

namespace {

// Fills the cell at (2, 2) red and counts the fixed cells it is asked to draw.
class TCellPainter : public TObject {
 public:
  explicit TCellPainter(TStringGrid* grid) : fGrid(grid) {}
  void Draw(TObject*, int32_t col, int32_t row, const TRect& rect, TGridDrawState state) {
    if (state.Contains(gdFixed)) ++Fixed;
    if (col != 2 || row != 2) return;
    fGrid->Canvas()->Brush()->SetColor(clRed);
    fGrid->Canvas()->FillRect(rect);
  }
  int Fixed = 0;

 private:
  TStringGrid* fGrid;
};

QColor ColorAtCell(TStringGrid* grid, int32_t col, int32_t row) {
  const TRect r = grid->CellRect(col, row);
  const QPoint centre = grid->View()->contentsRect().topLeft() +
                        QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  return grid->View()->grab().toImage().pixelColor(centre);
}

}  // namespace

// OnDrawCell draws after the default drawing, or alone without it, fixed cells included.
TEST_F(Grids, OnDrawCellDrawsAfterTheDefaultOrAlone) {
  auto grid = MakeComponent<TStringGrid>(nullptr);
  grid->HandleNeeded();
  grid->View()->show();
  TCellPainter painter(grid.get());
  EXPECT_NE(ColorAtCell(grid.get(), 2, 2), QColor(Qt::red));
  grid->OnDrawCell = TDrawCellEvent::Of<&TCellPainter::Draw>(&painter);
  EXPECT_EQ(ColorAtCell(grid.get(), 2, 2), QColor(Qt::red));
  EXPECT_GT(painter.Fixed, 0);
  grid->SetDefaultDrawing(false);
  EXPECT_EQ(ColorAtCell(grid.get(), 2, 2), QColor(Qt::red));
  grid->OnDrawCell = {};
  EXPECT_NE(ColorAtCell(grid.get(), 2, 2), QColor(Qt::red)) << "the event, not a leftover";
}
