#pragma once
// The Qt side of the string grid: the model that reads its cells, the delegate that paints each
// visible cell through the grid, and the table view that passes mouse, keyboard, focus and
// geometry changes to the grid's hooks. The fixed rows and columns stay in place: the view's
// headers show them, and a corner widget the cells where they cross; the table hides them.

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>
#include <optional>

namespace dravik {

class TStringGrid;

class TGridModel : public QAbstractTableModel {
 public:
  explicit TGridModel(TStringGrid* grid) : fGrid(grid) {}
  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  void Reset();
  void CellChanged(int col, int row);
  // Every cell may have changed; the shape did not.
  void AllChanged();

 private:
  TStringGrid* fGrid;
};

class TGridDelegate : public QStyledItemDelegate {
 public:
  TGridDelegate(TStringGrid* grid, QObject* parent) : QStyledItemDelegate(parent), fGrid(grid) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  TStringGrid* fGrid;
};

class TGridView;

// The fixed rows (horizontal) or the fixed columns (vertical) along the scrolling cells.
class TGridHeader : public QHeaderView {
 public:
  TGridHeader(Qt::Orientation orientation, TStringGrid* grid, TGridView* view);
  QSize sizeHint() const override;

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  TStringGrid* fGrid;
  TGridView* fView;
};

// The cells in both a fixed row and a fixed column.
class TGridCorner : public QWidget {
 public:
  TGridCorner(TStringGrid* grid, TGridView* view);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TStringGrid* fGrid;
  TGridView* fView;
};

class TGridView : public QTableView {
 public:
  TGridView(TStringGrid* grid, QWidget* parent);
  ~TGridView() override;
  bool Editing() const { return state() == EditingState; }
  // Closes the editor of the current cell, keeping its text.
  void CommitEditor();
  // Hides the fixed rows and columns from the table and shows them in the headers.
  void ShowFixed(int32_t rows, int32_t cols);
  // The width of the fixed columns and the height of the fixed rows as shown.
  int FixedWidth() const;
  int FixedHeight() const;
  void RepaintFixed();
  void RepaintAll();
  // The scroll bars' pages as the grid wants them.
  void UpdatePageSteps();
  // Paints a fixed cell whose section, grid line included, is rect.
  void PaintFixedCell(QPainter& painter, const QRect& rect, int32_t col, int32_t row) const;
  // Mouse events of the table, the headers and the corner, in the grid's client coordinates.
  void MousePressed(QMouseEvent* event, QWidget* from, bool twice);
  void MouseMoved(QMouseEvent* event, QWidget* from);
  void MouseReleased(QMouseEvent* event, QWidget* from);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void updateGeometries() override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

 private:
  QPoint ClientPoint(QWidget* from, const QMouseEvent* event) const;

  // A line between cells that the mouse drags: with goColSizing a column's right edge along the
  // fixed rows, with goRowSizing a row's bottom edge along the fixed columns.
  struct TSizingLine {
    bool Column = false;
    int32_t Index = 0;
    int Grip = 0;  // where the drag started, across the line
    int Size = 0;  // the column's width or the row's height then
  };
  std::optional<TSizingLine> SizingLineAt(QPoint at) const;
  void ShowSizingCursor(QWidget* from, QPoint at);

  TStringGrid* fGrid;
  std::optional<TSizingLine> fSizing;
  TGridCorner* fCorner;
  int32_t fHiddenRows = 0, fHiddenCols = 0;
  bool fEntered = false;
  QMetaObject::Connection fFocusChanges;
};

}  // namespace dravik
