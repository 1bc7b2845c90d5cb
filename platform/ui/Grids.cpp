#include "platform/ui/Grids.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/GridView.h"

namespace dravik {

namespace {

const TClassRegistration kRegistrations[] = {
    TClassRegistration(TStringGrid::StaticClass()),
};

// Moves the block at from to to, the blocks between shifting by one; a block is size items.
template <class T>
void MoveBlock(std::vector<T>& items, std::size_t from, std::size_t to, std::size_t size) {
  const auto at = [&](std::size_t block) {
    return items.begin() + static_cast<std::ptrdiff_t>(block * size);
  };
  if (from < to)
    std::rotate(at(from), at(from + 1), at(to + 1));
  else if (to < from)
    std::rotate(at(to), at(from), at(from + 1));
}

}  // namespace

const TTypeInfo& TypeInfoFor(TGridOption) {
  static const TTypeInfo& info = MakeEnumType(
      "TGridOption",
      {"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
       "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving",
       "goEditing", "goTabs", "goRowSelect", "goAlwaysShowEditor", "goThumbTracking"});
  return info;
}

const TClassRecord& TStringGrid::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TStringGrid, TWinControl>("TStringGrid", "Grids")
          .Property("ColCount", &TStringGrid::ColCount, &TStringGrid::SetColCount)
          .Default(5)
          .Property("DefaultColWidth", &TStringGrid::DefaultColWidth,
                    &TStringGrid::SetDefaultColWidth)
          .Default(64)
          .Property("DefaultDrawing", &TStringGrid::DefaultDrawing, &TStringGrid::SetDefaultDrawing)
          .Default(true)
          .Property("DefaultRowHeight", &TStringGrid::DefaultRowHeight,
                    &TStringGrid::SetDefaultRowHeight)
          .Default(24)
          .Property("FixedCols", &TStringGrid::FixedCols, &TStringGrid::SetFixedCols)
          .Default(1)
          .Property("FixedRows", &TStringGrid::FixedRows, &TStringGrid::SetFixedRows)
          .Default(1)
          .Property("Options", &TStringGrid::Options, &TStringGrid::SetOptions)
          .Default(0b11111)
          .Property("RowCount", &TStringGrid::RowCount, &TStringGrid::SetRowCount)
          .Default(5)
          .Event("OnDrawCell", &TStringGrid::OnDrawCell)
          .Event("OnSelectCell", &TStringGrid::OnSelectCell)
          .Build();
  return record;
}

TStringGrid::TStringGrid(TComponent* owner)
    : TWinControl(owner),
      fColWidths(static_cast<std::size_t>(fColCount), fDefaultColWidth),
      fRowHeights(static_cast<std::size_t>(fRowCount), fDefaultRowHeight),
      fCells(static_cast<std::size_t>(fColCount * fRowCount)) {
  SetBounds(0, 0, 320, 120);
  SetColor(clWindow);
}

TStringGrid::~TStringGrid() = default;

void TStringGrid::Invalidate() {
  if (GridView()) GridView()->RepaintAll();
}

void TStringGrid::BeforeDestruction() {
  DestroyWidget();  // the view goes before the model it reads
  fModel.reset();
  TWinControl::BeforeDestruction();
}

QTableView* TStringGrid::View() const {
  return static_cast<QTableView*>(Widget());
}

TGridView* TStringGrid::GridView() const {
  return static_cast<TGridView*>(Widget());
}

QWidget* TStringGrid::CreateWidget(QWidget* parentWidget) {
  if (!fModel) fModel = std::make_unique<TGridModel>(this);
  auto* view = new TGridView(this, parentWidget);
  view->setModel(fModel.get());
  QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, [this] {
    if (!fUpdatingWidget) fSelection = Selection();
  });
  return view;
}

void TStringGrid::InitWidget() {
  TWinControl::InitWidget();
  LayoutToWidget();
  SizesToWidget();
  ShowEditorIfAlways();
}

void TStringGrid::FontChanged() {
  TWinControl::FontChanged();
  Invalidate();
}

void TStringGrid::LayoutToWidget() {
  QTableView* view = View();
  if (!view) return;
  fUpdatingWidget = true;
  view->setShowGrid(fOptions.Contains(goVertLine) || fOptions.Contains(goHorzLine));
  view->setSelectionBehavior(fOptions.Contains(goRowSelect) ? QAbstractItemView::SelectRows
                                                            : QAbstractItemView::SelectItems);
  view->setSelectionMode(fOptions.Contains(goRangeSelect) ? QAbstractItemView::ContiguousSelection
                                                          : QAbstractItemView::SingleSelection);
  QAbstractItemView::EditTriggers triggers = QAbstractItemView::NoEditTriggers;
  if (fOptions.Contains(goEditing)) {
    triggers = QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
               QAbstractItemView::AnyKeyPressed;
    if (fOptions.Contains(goAlwaysShowEditor)) triggers |= QAbstractItemView::CurrentChanged;
  }
  view->setEditTriggers(triggers);
  view->horizontalHeader()->setSectionResizeMode(
      fOptions.Contains(goColSizing) ? QHeaderView::Interactive : QHeaderView::Fixed);
  view->verticalHeader()->setSectionResizeMode(
      fOptions.Contains(goRowSizing) ? QHeaderView::Interactive : QHeaderView::Fixed);
  if (fCol < fColCount && fRow < fRowCount) {
    view->setCurrentIndex(fModel->index(fRow, fCol));
    const TGridRect s = fSelection;
    if (s.Left <= s.Right && s.Top <= s.Bottom && s.Right < fColCount && s.Bottom < fRowCount)
      view->selectionModel()->select(
          QItemSelection(fModel->index(s.Top, s.Left), fModel->index(s.Bottom, s.Right)),
          QItemSelectionModel::ClearAndSelect);
  }
  GridView()->ShowFixed(fFixedRows, fFixedCols);
  fUpdatingWidget = false;
}

// Only the sizes that differ from the view's are pushed, so a long grid of default rows costs
// one comparison per row.
void TStringGrid::SizesToWidget() {
  QTableView* view = View();
  if (!view) return;
  QHeaderView* columns = view->horizontalHeader();
  QHeaderView* rows = view->verticalHeader();
  columns->setMinimumSectionSize(1);
  rows->setMinimumSectionSize(1);
  // Qt gives every section the new default, so only a change of it is passed on.
  if (columns->defaultSectionSize() != fDefaultColWidth)
    columns->setDefaultSectionSize(fDefaultColWidth);
  if (rows->defaultSectionSize() != fDefaultRowHeight)
    rows->setDefaultSectionSize(fDefaultRowHeight);
  for (int32_t c = 0; c < fColCount; ++c)
    if (columns->sectionSize(c) != fColWidths[static_cast<std::size_t>(c)])
      columns->resizeSection(c, fColWidths[static_cast<std::size_t>(c)]);
  for (int32_t r = 0; r < fRowCount; ++r)
    if (rows->sectionSize(r) != fRowHeights[static_cast<std::size_t>(r)])
      rows->resizeSection(r, fRowHeights[static_cast<std::size_t>(r)]);
  GridView()->ShowFixed(fFixedRows, fFixedCols);
}

void TStringGrid::CellsChanged() {
  if (fModel) fModel->AllChanged();
  Invalidate();
}

// Cells keep their place when the grid grows or shrinks.
void TStringGrid::Resize(int32_t cols, int32_t rows) {
  cols = std::max(cols, 0);
  rows = std::max(rows, 0);
  if (cols == fColCount && rows == fRowCount) return;
  HideEditor();
  const int32_t oldCols = fColCount, oldRows = fRowCount;
  std::vector<TCell> cells(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
  for (int32_t r = 0; r < std::min(rows, fRowCount); ++r)
    for (int32_t c = 0; c < std::min(cols, fColCount); ++c)
      cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) +
            static_cast<std::size_t>(c)] = std::move(CellAt(c, r));
  fCells = std::move(cells);
  fColCount = cols;
  fRowCount = rows;
  fColWidths.resize(static_cast<std::size_t>(cols), fDefaultColWidth);
  fRowHeights.resize(static_cast<std::size_t>(rows), fDefaultRowHeight);
  fFixedCols = std::min(fFixedCols, std::max(cols - 1, 0));
  fFixedRows = std::min(fFixedRows, std::max(rows - 1, 0));
  fCol = std::clamp(fCol, fFixedCols, std::max(fFixedCols, cols - 1));
  fRow = std::clamp(fRow, fFixedRows, std::max(fFixedRows, rows - 1));
  fSelection = {fCol, fRow, fCol, fRow};
  if (fModel) fModel->Reset();
  LayoutToWidget();
  SizesToWidget();
  SizeChanged(oldCols, oldRows);
}

void TStringGrid::SizeChanged(int32_t, int32_t) {
  UpdateScrollBars();
}

void TStringGrid::SetFixedCols(int32_t value) {
  // Reading a form file may name the fixed columns before the column count.
  if (value < 0 || (value >= fColCount && !IsLoading()))
    throw EInvalidOperation("Fixed column count must be less than column count");
  fFixedCols = value;
  if (fModel) fModel->Reset();
  LayoutToWidget();
}

void TStringGrid::SetFixedRows(int32_t value) {
  if (value < 0 || (value >= fRowCount && !IsLoading()))
    throw EInvalidOperation("Fixed row count must be less than row count");
  fFixedRows = value;
  if (fModel) fModel->Reset();
  LayoutToWidget();
}

void TStringGrid::SetDefaultColWidth(int32_t value) {
  fDefaultColWidth = value;
  std::fill(fColWidths.begin(), fColWidths.end(), value);
  LayoutToWidget();
  SizesToWidget();
  ColWidthsChanged();
}

void TStringGrid::SetDefaultRowHeight(int32_t value) {
  fDefaultRowHeight = value;
  std::fill(fRowHeights.begin(), fRowHeights.end(), value);
  LayoutToWidget();
  SizesToWidget();
  RowHeightsChanged();
}

int32_t TStringGrid::ColWidths(int32_t col) const {
  if (col < 0 || col >= fColCount) return fDefaultColWidth;
  return fColWidths[static_cast<std::size_t>(col)];
}

void TStringGrid::SetColWidths(int32_t col, int32_t value) {
  CheckIndex(col, 0);
  if (fColWidths[static_cast<std::size_t>(col)] == value) return;
  fColWidths[static_cast<std::size_t>(col)] = value;
  if (View()) View()->horizontalHeader()->resizeSection(col, value);
  if (col < fFixedCols && GridView()) GridView()->ShowFixed(fFixedRows, fFixedCols);
  ColWidthsChanged();
}

int32_t TStringGrid::RowHeights(int32_t row) const {
  if (row < 0 || row >= fRowCount) return fDefaultRowHeight;
  return fRowHeights[static_cast<std::size_t>(row)];
}

void TStringGrid::SetRowHeights(int32_t row, int32_t value) {
  CheckIndex(0, row);
  if (fRowHeights[static_cast<std::size_t>(row)] == value) return;
  fRowHeights[static_cast<std::size_t>(row)] = value;
  if (View()) View()->verticalHeader()->resizeSection(row, value);
  if (row < fFixedRows && GridView()) GridView()->ShowFixed(fFixedRows, fFixedCols);
  RowHeightsChanged();
}

void TStringGrid::SetOptions(TGridOptions value) {
  fOptions = value;
  if (!fOptions.Contains(goEditing)) HideEditor();
  LayoutToWidget();
  ShowEditorIfAlways();
}

void TStringGrid::SetDefaultDrawing(bool value) {
  fDefaultDrawing = value;
  Invalidate();
}

void TStringGrid::SetCurrent(int32_t col, int32_t row) {
  if (col < fFixedCols || col >= fColCount || row < fFixedRows || row >= fRowCount)
    throw EInvalidOperation("Grid index out of range");
  fCol = col;
  fRow = row;
  fSelection = {col, row, col, row};
  LayoutToWidget();
  ShowEditorIfAlways();
}

void TStringGrid::CurrentMoved(int32_t col, int32_t row) {
  if (fUpdatingWidget) return;
  fCol = col;
  fRow = row;
  OnSelectCell(this);
}

TGridRect TStringGrid::Selection() const {
  QTableView* view = View();
  if (!view || !view->selectionModel()) return fSelection;
  const QItemSelection selection = view->selectionModel()->selection();
  if (selection.isEmpty()) return {fCol, fRow, fCol, fRow};
  TGridRect r{fColCount, fRowCount, -1, -1};
  for (const QItemSelectionRange& range : selection) {
    r.Left = std::min(r.Left, range.left());
    r.Top = std::min(r.Top, range.top());
    r.Right = std::max(r.Right, range.right());
    r.Bottom = std::max(r.Bottom, range.bottom());
  }
  return r;
}

void TStringGrid::SetSelection(const TGridRect& value) {
  fSelection = value;
  LayoutToWidget();
}

// The table hides the fixed rows and columns, so its scroll bars count the others.
int32_t TStringGrid::TopRow() const {
  if (!View()) return fFixedRows;
  return fFixedRows + View()->verticalScrollBar()->value();
}

void TStringGrid::SetTopRow(int32_t row) {
  if (View()) View()->verticalScrollBar()->setValue(row - fFixedRows);
}

int32_t TStringGrid::VisibleRowCount() const {
  QTableView* view = View();
  if (!view) return 0;
  const int height = view->viewport()->height();
  int32_t count = 0;
  for (int32_t r = std::max(0, view->rowAt(0)), y = 0; r < fRowCount; ++r, ++count) {
    y += view->rowHeight(r);
    if (y > height) break;
  }
  return count;
}

int32_t TStringGrid::VisibleColCount() const {
  QTableView* view = View();
  if (!view) return 0;
  const int width = view->viewport()->width();
  int32_t count = 0;
  for (int32_t c = std::max(0, view->columnAt(0)), x = 0; c < fColCount; ++c, ++count) {
    x += view->columnWidth(c);
    if (x > width) break;
  }
  return count;
}

int32_t TStringGrid::ScrollPageSize(TScrollBarKind, int32_t visibleCount) const {
  return visibleCount;
}

void TStringGrid::UpdateScrollBars() {
  if (GridView()) GridView()->UpdatePageSteps();
}

void TStringGrid::CheckIndex(int32_t col, int32_t row) const {
  if (col < 0 || col >= fColCount || row < 0 || row >= fRowCount)
    throw EInvalidOperation("Grid index out of range");
}

const std::string& TStringGrid::Cells(int32_t col, int32_t row) const {
  static const std::string empty;
  if (col < 0 || col >= fColCount || row < 0 || row >= fRowCount) return empty;
  return CellAt(col, row).Text;
}

void TStringGrid::SetCells(int32_t col, int32_t row, const std::string& value) {
  CheckIndex(col, row);
  CellAt(col, row).Text = value;
  if (fModel) fModel->CellChanged(col, row);
  if ((col < fFixedCols || row < fFixedRows) && GridView()) GridView()->RepaintFixed();
}

TObject* TStringGrid::Objects(int32_t col, int32_t row) const {
  if (col < 0 || col >= fColCount || row < 0 || row >= fRowCount) return nullptr;
  return CellAt(col, row).Object;
}

void TStringGrid::SetObjects(int32_t col, int32_t row, TObject* value) {
  CheckIndex(col, row);
  CellAt(col, row).Object = value;
}

void TStringGrid::MoveRow(int32_t from, int32_t to) {
  CheckIndex(0, from);
  CheckIndex(0, to);
  HideEditor();
  MoveBlock(fCells, static_cast<std::size_t>(from), static_cast<std::size_t>(to),
            static_cast<std::size_t>(fColCount));
  MoveBlock(fRowHeights, static_cast<std::size_t>(from), static_cast<std::size_t>(to), 1);
  SizesToWidget();
  CellsChanged();
}

void TStringGrid::MoveColumn(int32_t from, int32_t to) {
  CheckIndex(from, 0);
  CheckIndex(to, 0);
  HideEditor();
  for (int32_t r = 0; r < fRowCount; ++r) {
    auto row = fCells.begin() + static_cast<std::ptrdiff_t>(r) * fColCount;
    if (from < to)
      std::rotate(row + from, row + from + 1, row + to + 1);
    else if (to < from)
      std::rotate(row + to, row + from, row + from + 1);
  }
  MoveBlock(fColWidths, static_cast<std::size_t>(from), static_cast<std::size_t>(to), 1);
  SizesToWidget();
  CellsChanged();
}

void TStringGrid::DeleteRow(int32_t row) {
  MoveRow(row, fRowCount - 1);
  SetRowCount(fRowCount - 1);
}

void TStringGrid::DeleteColumn(int32_t col) {
  MoveColumn(col, fColCount - 1);
  SetColCount(fColCount - 1);
}

void TStringGrid::ReplaceCells(int32_t cols, int32_t rows, std::vector<std::string> texts) {
  if (cols < 0 || rows < 0 ||
      texts.size() != static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows))
    throw EInvalidOperation("Grid cells do not match the size");
  HideEditor();
  Resize(cols, rows);
  for (std::size_t i = 0; i < texts.size(); ++i) fCells[i] = {std::move(texts[i]), nullptr};
  CellsChanged();
}

void TStringGrid::ReorderRows(const std::vector<int32_t>& order) {
  const auto first = static_cast<std::size_t>(fFixedRows);
  if (order.size() != fRowHeights.size() - first)
    throw EInvalidOperation("Grid row order does not match the rows");
  HideEditor();
  const auto cols = static_cast<std::size_t>(fColCount);
  std::vector<TCell> cells(fCells.size());
  std::vector<int32_t> heights(fRowHeights);
  std::move(fCells.begin(), fCells.begin() + static_cast<std::ptrdiff_t>(first * cols),
            cells.begin());
  for (std::size_t i = 0; i < order.size(); ++i) {
    const auto from = static_cast<std::size_t>(order[i]);
    if (from < first || from >= fRowHeights.size())
      throw EInvalidOperation("Grid index out of range");
    std::move(fCells.begin() + static_cast<std::ptrdiff_t>(from * cols),
              fCells.begin() + static_cast<std::ptrdiff_t>((from + 1) * cols),
              cells.begin() + static_cast<std::ptrdiff_t>((first + i) * cols));
    heights[first + i] = fRowHeights[from];
  }
  fCells = std::move(cells);
  fRowHeights = std::move(heights);
  SizesToWidget();
  CellsChanged();
}

bool TStringGrid::EditorMode() const {
  return GridView() && GridView()->Editing();
}

void TStringGrid::SetEditorMode(bool value) {
  if (!value) {
    HideEditor();
  } else if (View() && fOptions.Contains(goEditing)) {
    View()->edit(fModel->index(fRow, fCol));
  }
}

void TStringGrid::HideEditor() {
  if (GridView()) GridView()->CommitEditor();
}

void TStringGrid::ShowEditorIfAlways() {
  if (fOptions.Contains(goEditing) && fOptions.Contains(goAlwaysShowEditor)) SetEditorMode(true);
}

bool TStringGrid::Focused() const {
  QWidget* focus = QApplication::focusWidget();
  return View() && focus && (focus == View() || View()->isAncestorOf(focus));
}

void TStringGrid::SetFocus() {
  if (View()) View()->setFocus(Qt::OtherFocusReason);
}

// The client area has the fixed columns at its left and the fixed rows at its top, the table's
// scrolling cells beside and below them.
void TStringGrid::MouseToCell(int32_t x, int32_t y, int32_t& col, int32_t& row) const {
  col = row = -1;
  TGridView* view = GridView();
  if (!view || x < 0 || y < 0) return;
  const int fixedWidth = view->FixedWidth(), fixedHeight = view->FixedHeight();
  if (x < fixedWidth) {
    for (col = 0; x >= ColWidths(col); ++col) x -= ColWidths(col);
  } else {
    col = view->columnAt(x - fixedWidth);
  }
  if (y < fixedHeight) {
    for (row = 0; y >= RowHeights(row); ++row) y -= RowHeights(row);
  } else {
    row = view->rowAt(y - fixedHeight);
  }
}

TRect TStringGrid::CellRect(int32_t col, int32_t row) const {
  TGridView* view = GridView();
  if (!view || col < 0 || col >= fColCount || row < 0 || row >= fRowCount) return {};
  int32_t left = 0, top = 0;
  if (col < fFixedCols)
    for (int32_t c = 0; c < col; ++c) left += ColWidths(c);
  else
    left = view->FixedWidth() + view->columnViewportPosition(col);
  if (row < fFixedRows)
    for (int32_t r = 0; r < row; ++r) top += RowHeights(r);
  else
    top = view->FixedHeight() + view->rowViewportPosition(row);
  const int32_t line = view->showGrid() ? 1 : 0;
  return {left, top, left + ColWidths(col) - line, top + RowHeights(row) - line};
}

bool TStringGrid::SelectCell(int32_t, int32_t) {
  return true;
}

void TStringGrid::SetEditText(int32_t col, int32_t row, const std::string& value) {
  SetCells(col, row, value);
}

void TStringGrid::MouseDown(TMouseButton, TShiftState, int32_t, int32_t) {}

void TStringGrid::MouseMove(TShiftState, int32_t, int32_t) {}

void TStringGrid::MouseUp(TMouseButton, TShiftState, int32_t, int32_t) {}

void TStringGrid::KeyDown(int&, TShiftState) {}

void TStringGrid::PaintCell(QPainter& painter, const QRect& area, int32_t col, int32_t row,
                            bool selected, bool focused) {
  TGridDrawState state;
  const bool fixed = col < fFixedCols || row < fFixedRows;
  if (fixed) state.Include(gdFixed);
  if (focused) state.Include(gdFocused);
  if (selected && (!focused || fOptions.Contains(goDrawFocusSelected))) state.Include(gdSelected);
  fCanvas.SetPainter(&painter);
  fCanvas.Font()->Assign(Font());
  fCanvas.Pen()->SetColor(Font()->Color());
  fCanvas.Pen()->SetWidth(1);
  if (fixed) {
    fCanvas.Brush()->SetColor(clBtnFace);
  } else if (state.Contains(gdSelected)) {
    fCanvas.Brush()->SetColor(clHighlight);
    fCanvas.Font()->SetColor(clHighlightText);
  } else {
    fCanvas.Brush()->SetColor(Color());
  }
  const TRect rect{area.left(), area.top(), area.right() + 1, area.bottom() + 1};
  if (fDefaultDrawing) fCanvas.FillRect(rect);
  try {
    DrawCell(col, row, rect, state);
  } catch (...) {
    fCanvas.SetPainter(nullptr);
    throw;
  }
  if (fDefaultDrawing && focused && !EditorMode()) {
    painter.save();
    painter.setPen(QPen(ToQColor(Font()->Color()), 1, Qt::DotLine));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.restore();
  }
  fCanvas.SetPainter(nullptr);
}

void TStringGrid::DrawCell(int32_t col, int32_t row, const TRect& rect, TGridDrawState state) {
  if (fDefaultDrawing) fCanvas.TextRect(rect, rect.Left + 2, rect.Top + 2, Cells(col, row));
  OnDrawCell(this, col, row, rect, state);
}

}  // namespace dravik
