#pragma once
// The sortable grid with cells marked like check boxes (an "X" in the cell), marking of a
// straight run of cells by dragging, highlighted cells, and click and draw events.

#include "widgets/AutoRangeSelect.h"
#include "widgets/SortGrid.h"

namespace dravik {

using TBeforeDrawCell =
    TEvent<"TBeforeDrawCell", TObject* /*Sender*/, int32_t /*Col*/, int32_t /*Row*/,
           const TRect& /*Rect*/, TGridDrawState /*State*/, bool& /*Handled*/>;
using TAfterDrawCell = TEvent<"TAfterDrawCell", TObject* /*Sender*/, int32_t /*Col*/,
                              int32_t /*Row*/, const TRect& /*Rect*/, TGridDrawState /*State*/>;
using TOnAutoRangeSelectQuery =
    TEvent<"TOnAutoRangeSelectQuery", TObject* /*Sender*/, TMouseButton /*Button*/,
           TShiftState /*Shift*/, int32_t /*X*/, int32_t /*Y*/, int32_t /*Col*/, int32_t /*Row*/,
           bool& /*BeginRangeSelect*/>;
using TOnHighLightQuery = TEvent<"TOnHighLightQuery", TObject* /*Sender*/, int32_t /*Col*/,
                                 int32_t /*Row*/, bool& /*HighLight*/>;
using TMouseClickEvent =
    TEvent<"TMouseClickEvent", TObject* /*Sender*/, TMouseButton /*Button*/, TShiftState /*Shift*/,
           int32_t /*X*/, int32_t /*Y*/, int32_t /*Col*/, int32_t /*Row*/>;
using TOnSelect =
    TEvent<"TOnSelect", TObject* /*Sender*/, int32_t /*Col*/, int32_t /*Row*/, bool /*Selected*/>;
using TOnSelectQuery = TEvent<"TOnSelectQuery", TObject* /*Sender*/, int32_t /*Col*/,
                              int32_t /*Row*/, bool& /*Selectable*/>;

class TSortGridEx : public TSortGrid {
 public:
  explicit TSortGridEx(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  bool AutoRangeSelect() const { return fAutoRangeSelect; }
  void SetAutoRangeSelect(bool value) { fAutoRangeSelect = value; }
  TColor HighLightColor() const { return fHighLightColor; }
  void SetHighLightColor(TColor value);

  // A mark is an "X" in a cell that can carry one: inside the grid, not fixed, and agreed by
  // OnSelectQuery.
  bool GetSelected(int32_t col, int32_t row);
  bool GetSelectedFast(int32_t col, int32_t row) const { return Cells(col, row) == "X"; }
  void SetSelected(int32_t col, int32_t row, bool value);
  bool SelectQuery(int32_t col, int32_t row);
  bool HighLightQuery(int32_t col, int32_t row);
  // Inside a batch OnSelectUpdate fires once, when the outermost batch ends after a change.
  void BeginSelectUpdate();
  void EndSelectUpdate();

  void BeginRangeSelect(int32_t col, int32_t row) { fRange.Begin(col, row); }
  void AdjustRangeSelect(int32_t col, int32_t row) { fRange.Adjust(col, row); }
  void EndRangeSelect(bool keep) { fRange.End(keep); }
  void CancelRangeSelect();

  TBeforeDrawCell BeforeDrawCell;
  TAfterDrawCell AfterDrawCell;
  TOnAutoRangeSelectQuery OnAutoRangeSelectQuery;
  TOnHighLightQuery OnHighLightQuery;
  TMouseClickEvent OnMouseClick;
  TOnSelect OnSelect;
  TOnSelectQuery OnSelectQuery;
  TNotifyEvent OnSelectUpdate;

 protected:
  void GetCellFormat(int32_t col, int32_t row, TGridDrawState state,
                     TFormatOptions& format) override;
  void DrawCell(int32_t col, int32_t row, const TRect& rect, TGridDrawState state) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;

 private:
  void DrawCheckBox(int32_t col, int32_t row, const TRect& rect, TGridDrawState state);
  bool InsideGrid(int32_t col, int32_t row) const {
    return col >= 0 && col < ColCount() && row >= 0 && row < RowCount();
  }

  bool fAutoRangeSelect = true;
  TColor fHighLightColor = clYellow;
  TAutoRangeSelect fRange{this};
  int32_t fDownCol = -1, fDownRow = -1;
  TMouseButton fDownButton = mbLeft;
  int32_t fUpdateCount = 0;
  bool fUpdatePending = false;
};

}  // namespace dravik
