#pragma once
// The language editor's grid: the sortable grid with a handler that may refuse a cell before
// the cursor moves there, and the validation of an inline edit when the editor hands its text
// over (Enter, Tab, a click elsewhere), so a refused text never reaches the cell. Escape closes
// the editor without handing anything over, so the old text stays.

#include "widgets/SortGrid.h"

namespace dravik {

using TSelectCellEvent = TEvent<"TSelectCellEvent", TObject* /*Sender*/, int32_t /*Col*/,
                                int32_t /*Row*/, bool& /*CanSelect*/>;

// Key is a Qt key code; a handler that sets it to 0 takes the key.
using TGridKeyEvent =
    TEvent<"TGridKeyEvent", TObject* /*Sender*/, int32_t& /*Key*/, TShiftState /*Shift*/>;

class TLanguageGrid : public TSortGrid {
 public:
  using TSortGrid::TSortGrid;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // Closes an open inline editor, handing its text over; whether one was open.
  bool EndEdit();

  TSelectCellEvent OnCanSelectCell;
  // The editor handed over a text that differs from the cell's, before it is validated.
  TNotifyEvent OnEditChange;
  // A key before the grid handles it.
  TGridKeyEvent OnGridKeyDown;
  // A double click with the left button, on the cell the first click made current.
  TNotifyEvent OnDblClick;

 protected:
  bool SelectCell(int32_t col, int32_t row) override;
  void SetEditText(int32_t col, int32_t row, const std::string& value) override;
  void KeyDown(int& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;

 private:
  bool fValidating = false;
};

}  // namespace dravik
