#pragma once
// The string grid: a table of texts with fixed rows and columns at its top and left, shown by
// a Qt table view over a model that reads the grid's cells.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Controls.h"

class QTableView;

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

class TGridModel;

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
  void SetDefaultColWidth(int32_t value);
  int32_t DefaultRowHeight() const { return fDefaultRowHeight; }
  void SetDefaultRowHeight(int32_t value);
  TGridOptions Options() const { return fOptions; }
  void SetOptions(TGridOptions value);
  // The current cell; the user's choice comes back here.
  int32_t Col() const { return fCol; }
  int32_t Row() const { return fRow; }
  void SetCurrent(int32_t col, int32_t row);

  // A cell outside the grid reads as empty; writing one raises EInvalidOperation.
  const std::string& Cells(int32_t col, int32_t row) const;
  void SetCells(int32_t col, int32_t row, const std::string& value);

  TNotifyEvent OnSelectCell;
  QTableView* View() const;

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void InitWidget() override;
  void BeforeDestruction() override;
  TColor DefaultColor() const override { return clWindow; }

 private:
  friend class TGridModel;
  void Resize(int32_t cols, int32_t rows);
  void LayoutToWidget();
  int32_t fColCount = 5, fRowCount = 5, fFixedCols = 1, fFixedRows = 1;
  int32_t fDefaultColWidth = 64, fDefaultRowHeight = 24;
  TGridOptions fOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  int32_t fCol = 1, fRow = 1;
  std::vector<std::string> fCells;  // row by row
  std::unique_ptr<TGridModel> fModel;
  bool fUpdatingWidget = false;
};

}  // namespace dravik
