#pragma once
// The Qt side of the string grid: the model that reads its cells, the delegate that paints each
// visible cell through the grid, and the table view that passes mouse, keyboard, focus and
// geometry changes to the grid's hooks.

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

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

class TGridView : public QTableView {
 public:
  TGridView(TStringGrid* grid, QWidget* parent);
  ~TGridView() override;
  bool Editing() const { return state() == EditingState; }
  // Closes the editor of the current cell, keeping its text.
  void CommitEditor();

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
  TStringGrid* fGrid;
  bool fEntered = false;
  QMetaObject::Connection fFocusChanges;
};

}  // namespace dravik
