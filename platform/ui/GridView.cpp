#include "platform/ui/GridView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

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

// --- TGridView ---------------------------------------------------------------------------------

TGridView::TGridView(TStringGrid* grid, QWidget* parent) : QTableView(parent), fGrid(grid) {
  setItemDelegate(new TGridDelegate(grid, this));
  setVerticalScrollMode(ScrollPerItem);
  setHorizontalScrollMode(ScrollPerItem);
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

void TGridView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  Guarded(fGrid, [&] {
    fGrid->MouseDown(ButtonOf(event->button()), ShiftOf(event->modifiers(), event->buttons()),
                     at.x(), at.y());
  });
  // Fixed cells are never current, and SelectCell may keep the cursor where it is.
  const QModelIndex index = indexAt(at);
  if (index.isValid() && (index.column() < fGrid->FixedCols() || index.row() < fGrid->FixedRows() ||
                          !fGrid->SelectCell(index.column(), index.row()))) {
    setFocus(Qt::MouseFocusReason);
    return;
  }
  QTableView::mousePressEvent(event);
}

void TGridView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  Guarded(fGrid, [&] {
    fGrid->MouseDown(ButtonOf(event->button()),
                     ShiftOf(event->modifiers(), event->buttons()).Include(ssDouble), at.x(),
                     at.y());
  });
  QTableView::mouseDoubleClickEvent(event);
}

void TGridView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  Guarded(fGrid,
          [&] { fGrid->MouseMove(ShiftOf(event->modifiers(), event->buttons()), at.x(), at.y()); });
  QTableView::mouseMoveEvent(event);
}

void TGridView::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  const QPoint at = event->position().toPoint();
  Guarded(fGrid, [&] {
    fGrid->MouseUp(ButtonOf(event->button()), ShiftOf(event->modifiers(), event->buttons()), at.x(),
                   at.y());
    if (event->button() == Qt::LeftButton) fGrid->Click();
  });
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
