#include "platform/ui/GridView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cstdlib>

#include "platform/core/forms/Application.h"
#include "platform/ui/Grids.h"

namespace dravik {

namespace {

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift;
  if (modifiers & Qt::ShiftModifier) shift.Include(ssShift);
  if (modifiers & Qt::AltModifier) shift.Include(ssAlt);
  if (modifiers & Qt::ControlModifier) shift.Include(ssCtrl);
  if (buttons & Qt::LeftButton) shift.Include(ssLeft);
  if (buttons & Qt::RightButton) shift.Include(ssRight);
  if (buttons & Qt::MiddleButton) shift.Include(ssMiddle);
  return shift;
}

TMouseButton ButtonOf(Qt::MouseButton button) {
  if (button == Qt::RightButton) return mbRight;
  if (button == Qt::MiddleButton) return mbMiddle;
  return mbLeft;
}

// Qt calls in from its event loop: an exception of a hook is shown, never let through Qt.
template <class F>
void Guarded(TStringGrid* grid, F&& f) {
  try {
    f();
  } catch (...) {
    HandleException(grid);
  }
}

}  // namespace

// --- TGridModel --------------------------------------------------------------------------------

int TGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : fGrid->RowCount();
}

int TGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : fGrid->ColCount();
}

QVariant TGridModel::data(const QModelIndex& index, int role) const {
  if (role == Qt::DisplayRole || role == Qt::EditRole)
    return QText(fGrid->Cells(index.column(), index.row()));
  return {};
}

bool TGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole) return false;
  bool done = false;
  Guarded(fGrid, [&] {
    fGrid->SetEditText(index.column(), index.row(), value.toString().toStdString());
    done = true;
  });
  return done;
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const {
  if (index.column() < fGrid->FixedCols() || index.row() < fGrid->FixedRows())
    return Qt::ItemIsEnabled;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (fGrid->Options().Contains(goEditing)) flags |= Qt::ItemIsEditable;
  return flags;
}

void TGridModel::Reset() {
  beginResetModel();
  endResetModel();
}

void TGridModel::CellChanged(int col, int row) {
  const QModelIndex at = index(row, col);
  emit dataChanged(at, at);
}

void TGridModel::AllChanged() {
  if (rowCount({}) > 0 && columnCount({}) > 0)
    emit dataChanged(index(0, 0), index(rowCount({}) - 1, columnCount({}) - 1));
}

// --- TGridDelegate -----------------------------------------------------------------------------

void TGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
  Guarded(fGrid, [&] {
    fGrid->PaintCell(*painter, option.rect, index.column(), index.row(),
                     option.state & QStyle::State_Selected, option.state & QStyle::State_HasFocus);
  });
}

// --- TGridHeader ------------------------------------------------------------------------------

TGridHeader::TGridHeader(Qt::Orientation orientation, TStringGrid* grid, TGridView* view)
    : QHeaderView(orientation, view), fGrid(grid), fView(view) {
  setSectionsClickable(false);
  setHighlightSections(false);
  setFocusPolicy(Qt::NoFocus);
  viewport()->setMouseTracking(true);  // the cursor shows the lines that can be dragged
}

QSize TGridHeader::sizeHint() const {
  if (orientation() == Qt::Horizontal) return QSize(length(), fView->FixedHeight());
  return QSize(fView->FixedWidth(), length());
}

void TGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  if (orientation() == Qt::Horizontal) {
    for (int32_t row = 0, top = 0; row < fGrid->FixedRows(); top += fGrid->RowHeights(row++))
      fView->PaintFixedCell(*painter, QRect(rect.left(), top, rect.width(), fGrid->RowHeights(row)),
                            logicalIndex, row);
  } else {
    for (int32_t col = 0, left = 0; col < fGrid->FixedCols(); left += fGrid->ColWidths(col++))
      fView->PaintFixedCell(*painter, QRect(left, rect.top(), fGrid->ColWidths(col), rect.height()),
                            col, logicalIndex);
  }
}

void TGridHeader::mousePressEvent(QMouseEvent* event) {
  fView->setFocus(Qt::MouseFocusReason);
  fView->MousePressed(event, this, false);
}

void TGridHeader::mouseMoveEvent(QMouseEvent* event) {
  fView->MouseMoved(event, this);
}

void TGridHeader::mouseReleaseEvent(QMouseEvent* event) {
  fView->MouseReleased(event, this);
}

void TGridHeader::mouseDoubleClickEvent(QMouseEvent* event) {
  fView->MousePressed(event, this, true);
}

// --- TGridCorner -------------------------------------------------------------------------------

TGridCorner::TGridCorner(TStringGrid* grid, TGridView* view)
    : QWidget(view), fGrid(grid), fView(view) {
  setMouseTracking(true);
}

void TGridCorner::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (int32_t row = 0, top = 0; row < fGrid->FixedRows(); top += fGrid->RowHeights(row++))
    for (int32_t col = 0, left = 0; col < fGrid->FixedCols(); left += fGrid->ColWidths(col++))
      fView->PaintFixedCell(
          painter, QRect(left, top, fGrid->ColWidths(col), fGrid->RowHeights(row)), col, row);
}

void TGridCorner::mousePressEvent(QMouseEvent* event) {
  fView->setFocus(Qt::MouseFocusReason);
  fView->MousePressed(event, this, false);
}

void TGridCorner::mouseMoveEvent(QMouseEvent* event) {
  fView->MouseMoved(event, this);
}

void TGridCorner::mouseReleaseEvent(QMouseEvent* event) {
  fView->MouseReleased(event, this);
}

// --- TGridView ---------------------------------------------------------------------------------

TGridView::TGridView(TStringGrid* grid, QWidget* parent)
    : QTableView(parent), fGrid(grid), fCorner(new TGridCorner(grid, this)) {
  setHorizontalHeader(new TGridHeader(Qt::Horizontal, grid, this));
  setVerticalHeader(new TGridHeader(Qt::Vertical, grid, this));
  setCornerButtonEnabled(false);
  setItemDelegate(new TGridDelegate(grid, this));
  setVerticalScrollMode(ScrollPerItem);
  setHorizontalScrollMode(ScrollPerItem);
  // A page of 0 only changes how a scroll bar looks: a click beside its slider still moves by
  // what is in view.
  for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()}) {
    connect(bar, &QScrollBar::actionTriggered, this, [this, bar](int action) {
      if (bar->pageStep() != 0) return;
      const int page = std::max<int>(
          1, bar == verticalScrollBar() ? fGrid->VisibleRowCount() : fGrid->VisibleColCount());
      if (action == QAbstractSlider::SliderPageStepAdd)
        bar->setSliderPosition(bar->sliderPosition() + page);
      else if (action == QAbstractSlider::SliderPageStepSub)
        bar->setSliderPosition(bar->sliderPosition() - page);
    });
  }
  // The grid is entered when the focus comes to it or its editor from elsewhere, and left when
  // the focus goes elsewhere; moving between the grid and its editor is neither.
  fFocusChanges = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    const bool inside = now && (now == this || isAncestorOf(now));
    if (inside == fEntered) return;
    fEntered = inside;
    Guarded(fGrid, [&] { inside ? fGrid->DoEnter() : fGrid->DoExit(); });
  });
}

// The focus leaves a widget while it is destroyed, after this part of it is gone.
TGridView::~TGridView() {
  disconnect(fFocusChanges);
}

void TGridView::CommitEditor() {
  QWidget* editor = indexWidget(currentIndex());
  if (!editor || !Editing()) return;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

// Qt forgets hidden sections when the model resets, so the first rows and columns are set
// again each time.
void TGridView::ShowFixed(int32_t rows, int32_t cols) {
  const int32_t rowCount = model()->rowCount(), colCount = model()->columnCount();
  for (int32_t row = 0; row < std::min(rowCount, std::max(rows, fHiddenRows)); ++row)
    setRowHidden(row, row < rows);
  for (int32_t col = 0; col < std::min(colCount, std::max(cols, fHiddenCols)); ++col)
    setColumnHidden(col, col < cols);
  fHiddenRows = rows;
  fHiddenCols = cols;
  horizontalHeader()->setVisible(rows > 0);
  verticalHeader()->setVisible(cols > 0);
  updateGeometries();
}

int TGridView::FixedWidth() const {
  int width = 0;
  for (int32_t col = 0; col < fGrid->FixedCols(); ++col) width += fGrid->ColWidths(col);
  return width;
}

int TGridView::FixedHeight() const {
  int height = 0;
  for (int32_t row = 0; row < fGrid->FixedRows(); ++row) height += fGrid->RowHeights(row);
  return height;
}

void TGridView::RepaintFixed() {
  horizontalHeader()->viewport()->update();
  verticalHeader()->viewport()->update();
  fCorner->update();
}

void TGridView::RepaintAll() {
  viewport()->update();
  RepaintFixed();
}

// Like the table's own cells: the cell, then its grid lines at the right and the bottom.
void TGridView::PaintFixedCell(QPainter& painter, const QRect& rect, int32_t col,
                               int32_t row) const {
  const int line = showGrid() ? 1 : 0;
  Guarded(fGrid, [&] {
    fGrid->PaintCell(painter, rect.adjusted(0, 0, -line, -line), col, row, false, false);
  });
  if (!line) return;
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  const QColor color = QColor::fromRgba(
      static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
  const TGridOptions options = fGrid->Options();
  if (options.Contains(goFixedVertLine))
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), color);
  if (options.Contains(goFixedHorzLine))
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), color);
}

QPoint TGridView::ClientPoint(QWidget* from, const QMouseEvent* event) const {
  return from->mapTo(this, event->position().toPoint()) - contentsRect().topLeft();
}

// The grip is a few pixels either side of the line, in the fixed cells only: the line between
// the cell under the mouse and the one before it, or its own far edge.
std::optional<TGridView::TSizingLine> TGridView::SizingLineAt(QPoint at) const {
  constexpr int kGrip = 3;
  const TGridOptions options = fGrid->Options();
  int32_t col, row;
  fGrid->MouseToCell(at.x(), at.y(), col, row);
  if (col < 0 || row < 0) return std::nullopt;
  const bool fixedRow = row < fGrid->FixedRows(), fixedCol = col < fGrid->FixedCols();
  const int32_t line = showGrid() ? 1 : 0;
  if (fixedRow && options.Contains(goColSizing))
    for (const int32_t c : {col - 1, col}) {
      if (c < 0) continue;
      const int edge = fGrid->CellRect(c, row).Right + line;
      if (std::abs(at.x() - edge) <= kGrip)
        return TSizingLine{true, c, at.x(), fGrid->ColWidths(c)};
    }
  if (fixedCol && options.Contains(goRowSizing))
    for (const int32_t r : {row - 1, row}) {
      if (r < 0) continue;
      const int edge = fGrid->CellRect(col, r).Bottom + line;
      if (std::abs(at.y() - edge) <= kGrip)
        return TSizingLine{false, r, at.y(), fGrid->RowHeights(r)};
    }
  return std::nullopt;
}

void TGridView::ShowSizingCursor(QWidget* from, QPoint at) {
  const std::optional<TSizingLine> line = SizingLineAt(at);
  if (!line) {
    from->unsetCursor();
  } else {
    from->setCursor(line->Column ? Qt::SplitHCursor : Qt::SplitVCursor);
  }
}

void TGridView::MousePressed(QMouseEvent* event, QWidget* from, bool twice) {
  const QPoint at = ClientPoint(from, event);
  // A press on a line drags it and is nothing else: no click, no header action.
  if (event->button() == Qt::LeftButton && (fSizing = SizingLineAt(at))) return;
  TShiftState shift = ShiftOf(event->modifiers(), event->buttons());
  if (twice) shift.Include(ssDouble);
  Guarded(fGrid, [&] { fGrid->MouseDown(ButtonOf(event->button()), shift, at.x(), at.y()); });
}

void TGridView::MouseMoved(QMouseEvent* event, QWidget* from) {
  const QPoint at = ClientPoint(from, event);
  if (fSizing) {
    const int size =
        std::max(1, fSizing->Size + (fSizing->Column ? at.x() : at.y()) - fSizing->Grip);
    Guarded(fGrid, [&] {
      if (fSizing->Column) {
        fGrid->SetColWidths(fSizing->Index, size);
      } else {
        fGrid->SetRowHeights(fSizing->Index, size);
      }
    });
    RepaintAll();
    return;
  }
  if (from != viewport() && event->buttons() == Qt::NoButton) ShowSizingCursor(from, at);
  Guarded(fGrid,
          [&] { fGrid->MouseMove(ShiftOf(event->modifiers(), event->buttons()), at.x(), at.y()); });
}

void TGridView::MouseReleased(QMouseEvent* event, QWidget* from) {
  const QPoint at = ClientPoint(from, event);
  if (fSizing && event->button() == Qt::LeftButton) {
    fSizing.reset();
    return;
  }
  Guarded(fGrid, [&] {
    fGrid->MouseUp(ButtonOf(event->button()), ShiftOf(event->modifiers(), event->buttons()), at.x(),
                   at.y());
    if (event->button() == Qt::LeftButton) fGrid->Click();
  });
}

void TGridView::mousePressEvent(QMouseEvent* event) {
  MousePressed(event, viewport(), false);
  // SelectCell may keep the cursor where it is.
  const QModelIndex index = indexAt(event->position().toPoint());
  bool allowed = true;
  if (index.isValid())
    Guarded(fGrid, [&] { allowed = fGrid->SelectCell(index.column(), index.row()); });
  if (!allowed) {
    setFocus(Qt::MouseFocusReason);
    return;
  }
  QTableView::mousePressEvent(event);
}

void TGridView::mouseDoubleClickEvent(QMouseEvent* event) {
  MousePressed(event, viewport(), true);
  QTableView::mouseDoubleClickEvent(event);
}

void TGridView::mouseMoveEvent(QMouseEvent* event) {
  MouseMoved(event, viewport());
  QTableView::mouseMoveEvent(event);
}

void TGridView::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  MouseReleased(event, viewport());
}

void TGridView::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  Guarded(fGrid, [&] { fGrid->KeyDown(key, ShiftOf(event->modifiers(), Qt::NoButton)); });
  if (key == 0) {
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void TGridView::updateGeometries() {
  QTableView::updateGeometries();
  const QRect contents = contentsRect();
  fCorner->setGeometry(contents.left(), contents.top(), FixedWidth(), FixedHeight());
  fCorner->setVisible(fHiddenRows > 0 && fHiddenCols > 0);
  fCorner->raise();
  UpdatePageSteps();
}

void TGridView::UpdatePageSteps() {
  Guarded(fGrid, [&] {
    verticalScrollBar()->setPageStep(fGrid->ScrollPageSize(sbVertical, fGrid->VisibleRowCount()));
    horizontalScrollBar()->setPageStep(
        fGrid->ScrollPageSize(sbHorizontal, fGrid->VisibleColCount()));
  });
}

void TGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (current.isValid())
    Guarded(fGrid, [&] { fGrid->CurrentMoved(current.column(), current.row()); });
}

QModelIndex TGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex next = QTableView::moveCursor(action, modifiers);
  bool allowed = true;
  if (next.isValid() && next != currentIndex())
    Guarded(fGrid, [&] { allowed = fGrid->SelectCell(next.column(), next.row()); });
  return allowed ? next : currentIndex();
}

}  // namespace dravik
