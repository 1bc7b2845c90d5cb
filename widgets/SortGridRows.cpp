// Row and column operations of a TSortGrid, its shortcut keys' work, and finding a cell.

#include "platform/core/classes/ScopeExit.h"
#include "platform/core/system/SysUtils.h"
#include "widgets/SortGrid.h"

namespace dravik {

namespace {

// Moving and deleting must not open the editor on every cell passed.
auto EditorHiddenForScope(TSortGrid* grid) {
  TGridOptions options = grid->Options();
  grid->SetOptions(TGridOptions(options).Exclude(goAlwaysShowEditor));
  return TScopeExit([grid, options] { grid->SetOptions(options); });
}

}  // namespace

void TSortGrid::InsertRow(int32_t row) {
  SetRowCount(RowCount() + 1);
  TStringGrid::MoveRow(RowCount() - 1, row);
  for (int32_t col = 0; col < ColCount(); ++col) {
    SetCells(col, row, "");
    SetObjects(col, row, nullptr);
  }
  if (row >= FixedRows()) SetCurrent(Col(), row);
  OnRowInsert(this, row);
}

void TSortGrid::InsertColumn(int32_t col) {
  SetColCount(ColCount() + 1);
  TStringGrid::MoveColumn(ColCount() - 1, col);
  for (int32_t row = 0; row < RowCount(); ++row) {
    SetCells(col, row, "");
    SetObjects(col, row, nullptr);
  }
  if (col >= FixedCols()) SetCurrent(col, Row());
  OnColumnInsert(this, col);
}

void TSortGrid::DeleteRow(int32_t row) {
  {
    auto hidden = EditorHiddenForScope(this);
    for (int32_t col = 0; col < ColCount(); ++col) {
      SetCells(col, row, "");
      SetObjects(col, row, nullptr);
    }
    TStringGrid::DeleteRow(row);
  }
  OnRowDelete(this, row);
}

void TSortGrid::DeleteColumn(int32_t col) {
  {
    auto hidden = EditorHiddenForScope(this);
    for (int32_t row = 0; row < RowCount(); ++row) {
      SetCells(col, row, "");
      SetObjects(col, row, nullptr);
    }
    TStringGrid::DeleteColumn(col);
  }
  OnColumnDelete(this, col);
}

void TSortGrid::MoveRow(int32_t from, int32_t to) {
  auto hidden = EditorHiddenForScope(this);
  TStringGrid::MoveRow(from, to);
}

void TSortGrid::MoveColumn(int32_t from, int32_t to) {
  auto hidden = EditorHiddenForScope(this);
  TStringGrid::MoveColumn(from, to);
}

void TSortGrid::SwapRows(int32_t a, int32_t b) {
  if (a == b) return;
  const int32_t low = std::min(a, b), high = std::max(a, b);
  MoveRow(high, low);
  MoveRow(low + 1, high);
}

void TSortGrid::SwapColumns(int32_t a, int32_t b) {
  if (a == b) return;
  const int32_t low = std::min(a, b), high = std::max(a, b);
  MoveColumn(high, low);
  MoveColumn(low + 1, high);
}

void TSortGrid::MoveTo(int32_t col, int32_t row) {
  col = std::max(col, FixedCols());
  row = std::max(row, FixedRows());
  if (col >= ColCount() || row >= RowCount()) return;
  if (SelectCell(col, row)) SetCurrent(col, row);
}

void TSortGrid::Clear() {
  ReplaceCells(ColCount(), RowCount(),
               std::vector<std::string>(static_cast<std::size_t>(ColCount()) *
                                        static_cast<std::size_t>(RowCount())));
}

bool TSortGrid::IsCell(const std::string& text, int32_t& col, int32_t& row) const {
  for (int32_t c = 0; c < ColCount(); ++c)
    for (int32_t r = 0; r < RowCount(); ++r)
      if (SameText(Cells(c, r), text)) {
        col = c;
        row = r;
        return true;
      }
  return false;
}

}  // namespace dravik
