#pragma once
// The string grid: a table of texts with fixed rows and columns at its top and left, shown by
// a Qt table view over a model that reads the grid's cells. Only the visible cells are painted,
// each through DrawCell, so a derived grid draws its own cells and a grid of any length stays
// fast. Mouse, keyboard, focus and size changes reach virtual hooks a derived grid overrides.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"

class QTableView;
class QPainter;
class QRect;

namespace dravik {

enum TGridOption {
  goFixedVertLine,
  goFixedHorzLine,
  goVertLine,
  goHorzLine,
  goRangeSelect,
  goDrawFocusSelected,
  goRowSizing,
  goColSizing,
  goRowMoving,
  goColMoving,
  goEditing,
  goTabs,
  goRowSelect,
  goAlwaysShowEditor,
  goThumbTracking
};
const TTypeInfo& TypeInfoFor(TGridOption);
using TGridOptions = TSet<TGridOption, "TGridOptions">;

enum TGridDrawStateKind { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateKind, "TGridDrawState">;
using TDrawCellEvent = TEvent<"TDrawCellEvent", TObject* /*Sender*/, int32_t /*Col*/,
                              int32_t /*Row*/, const TRect& /*Rect*/, TGridDrawState /*State*/>;

// A block of cells, corners included.
struct TGridRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TGridRect&) const = default;
};

enum TScrollBarKind { sbHorizontal, sbVertical };

class TGridModel;
class TGridDelegate;
class TGridView;

class TStringGrid : public TWinControl {
 public:
  explicit TStringGrid(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  int32_t ColCount() const { return fColCount; }
  void SetColCount(int32_t value) { Resize(value, fRowCount); }
  int32_t RowCount() const { return fRowCount; }
  void SetRowCount(int32_t value) { Resize(fColCount, value); }
  int32_t FixedCols() const { return fFixedCols; }
  void SetFixedCols(int32_t value);
  int32_t FixedRows() const { return fFixedRows; }
  void SetFixedRows(int32_t value);
  int32_t DefaultColWidth() const { return fDefaultColWidth; }
  // Every column takes the new width.
  void SetDefaultColWidth(int32_t value);
  int32_t DefaultRowHeight() const { return fDefaultRowHeight; }
  // Every row takes the new height.
  void SetDefaultRowHeight(int32_t value);
  int32_t ColWidths(int32_t col) const;
  void SetColWidths(int32_t col, int32_t value);
  int32_t RowHeights(int32_t row) const;
  void SetRowHeights(int32_t row, int32_t value);
  TGridOptions Options() const { return fOptions; }
  void SetOptions(TGridOptions value);
  // Whether the grid paints cell backgrounds and texts itself before and in DrawCell.
  bool DefaultDrawing() const { return fDefaultDrawing; }
  void SetDefaultDrawing(bool value);
  // The current cell; the user's choice comes back here.
  int32_t Col() const { return fCol; }
  int32_t Row() const { return fRow; }
  void SetCurrent(int32_t col, int32_t row);
  // The selected block; the current cell alone when nothing more is selected.
  TGridRect Selection() const;
  void SetSelection(const TGridRect& value);
  // The first scrollable row in view.
  int32_t TopRow() const;
  void SetTopRow(int32_t row);
  // Scrollable rows and columns wholly in view.
  int32_t VisibleRowCount() const;
  int32_t VisibleColCount() const;

  // A cell outside the grid reads as empty; writing one raises EInvalidOperation.
  const std::string& Cells(int32_t col, int32_t row) const;
  void SetCells(int32_t col, int32_t row, const std::string& value);
  // An object per cell, not owned; it moves with its cell.
  TObject* Objects(int32_t col, int32_t row) const;
  void SetObjects(int32_t col, int32_t row, TObject* value);

  // Rows and columns move with their cells, objects and sizes; an open editor is closed first.
  void MoveRow(int32_t from, int32_t to);
  void MoveColumn(int32_t from, int32_t to);
  void DeleteRow(int32_t row);
  void DeleteColumn(int32_t col);
  // Every cell at once, row by row (objects cleared), the grid taking the new size.
  void ReplaceCells(int32_t cols, int32_t rows, std::vector<std::string> texts);
  // The scrollable rows in a new order: the row at FixedRows + i becomes the row that stood at
  // order[i]. Faster than moving rows one by one.
  void ReorderRows(const std::vector<int32_t>& order);

  // The inline editor of the current cell (with goEditing); hiding it keeps its text.
  bool EditorMode() const;
  void SetEditorMode(bool value);
  bool Focused() const;
  void SetFocus();

  // The cell at a point of the client area; -1 for a coordinate outside every cell.
  void MouseToCell(int32_t x, int32_t y, int32_t& col, int32_t& row) const;
  // Where a cell lies in the client area; empty when the grid has no window.
  TRect CellRect(int32_t col, int32_t row) const;
  TCanvas* Canvas() { return &fCanvas; }
  // Repaints the cells in view.
  void Invalidate();

  TNotifyEvent OnSelectCell;
  // Draws on Canvas after the default drawing, or alone without DefaultDrawing.
  TDrawCellEvent OnDrawCell;
  QTableView* View() const;

 protected:
  ~TStringGrid() override;
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void InitWidget() override;
  void BeforeDestruction() override;
  void FontChanged() override;
  TColor DefaultColor() const override { return clWindow; }

  // Draws one cell on Canvas; the brush and font are set for its state and, with
  // DefaultDrawing, its background is filled. The default writes the cell's text (with
  // DefaultDrawing) and then calls OnDrawCell.
  virtual void DrawCell(int32_t col, int32_t row, const TRect& rect, TGridDrawState state);
  // Mouse coordinates are in the client area; the hooks run before the grid's own handling.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  virtual void MouseMove(TShiftState shift, int32_t x, int32_t y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  // Qt's key code; a hook that sets it to 0 has handled the key.
  virtual void KeyDown(int& key, TShiftState shift);
  virtual void DoEnter() {}
  virtual void DoExit() {}
  // Whether the cursor may move to the cell.
  virtual bool SelectCell(int32_t col, int32_t row);
  // The inline editor hands over its text.
  virtual void SetEditText(int32_t col, int32_t row, const std::string& value);
  virtual void ColWidthsChanged() {}
  virtual void RowHeightsChanged() {}
  virtual void SizeChanged(int32_t oldColCount, int32_t oldRowCount);
  // The page size of a scroll bar, given how many rows or columns are wholly in view.
  virtual int32_t ScrollPageSize(TScrollBarKind kind, int32_t visibleCount) const;
  // Recomputes the scroll bars' pages (after changes a derived grid makes to what they show).
  void UpdateScrollBars();

 private:
  friend class TGridModel;
  friend class TGridDelegate;
  friend class TGridView;
  struct TCell {
    std::string Text;
    TObject* Object = nullptr;
  };
  TCell& CellAt(int32_t col, int32_t row) {
    return fCells[static_cast<std::size_t>(row) * static_cast<std::size_t>(fColCount) +
                  static_cast<std::size_t>(col)];
  }
  const TCell& CellAt(int32_t col, int32_t row) const {
    return fCells[static_cast<std::size_t>(row) * static_cast<std::size_t>(fColCount) +
                  static_cast<std::size_t>(col)];
  }
  void CheckIndex(int32_t col, int32_t row) const;
  void Resize(int32_t cols, int32_t rows);
  void LayoutToWidget();
  void SizesToWidget();
  void CellsChanged();
  void HideEditor();
  void ShowEditorIfAlways();
  TGridView* GridView() const;
  // The view's paint of one cell: brush, font and background for its state, then DrawCell.
  void PaintCell(QPainter& painter, const QRect& rect, int32_t col, int32_t row, bool selected,
                 bool focused);
  // The view's current cell moved.
  void CurrentMoved(int32_t col, int32_t row);

  int32_t fColCount = 5, fRowCount = 5, fFixedCols = 1, fFixedRows = 1;
  int32_t fDefaultColWidth = 64, fDefaultRowHeight = 24;
  std::vector<int32_t> fColWidths, fRowHeights;
  TGridOptions fOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  bool fDefaultDrawing = true;
  int32_t fCol = 1, fRow = 1;
  TGridRect fSelection{1, 1, 1, 1};  // while the grid has no window
  std::vector<TCell> fCells;         // row by row
  std::unique_ptr<TGridModel> fModel;
  TCanvas fCanvas;
  bool fUpdatingWidget = false;
};

}  // namespace dravik
