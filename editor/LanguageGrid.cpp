#include "editor/LanguageGrid.h"

#include "platform/core/classes/ScopeExit.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

const TClassRecord& TLanguageGrid::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TLanguageGrid, TSortGrid>("TLanguageGrid", "DravikEditor")
          .Event("OnCanSelectCell", &TLanguageGrid::OnCanSelectCell)
          .Event("OnEditChange", &TLanguageGrid::OnEditChange)
          .Event("OnGridKeyDown", &TLanguageGrid::OnGridKeyDown)
          .Event("OnDblClick", &TLanguageGrid::OnDblClick)
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TLanguageGrid::StaticClass());

bool TLanguageGrid::EndEdit() {
  if (!EditorMode()) return false;
  SetEditorMode(false);
  return true;
}

bool TLanguageGrid::SelectCell(int32_t col, int32_t row) {
  bool canSelect = true;
  OnCanSelectCell(this, col, row, canSelect);
  return canSelect;
}

// The cell still holds the text the edit started with; the handler sees the new text and may
// change or refuse it.
void TLanguageGrid::SetEditText(int32_t col, int32_t row, const std::string& value) {
  // The editor may hand its text over again while a message about it is shown (its queued
  // commit runs in the message's loop): the first hand-over decides.
  if (fValidating || value == Cells(col, row)) return;
  auto validating = SetForScope(fValidating, true);
  OnEditChange(this);
  std::string text = value;
  bool valid = true;
  OnCellValidate(this, col, row, text, valid);
  if (valid) TSortGrid::SetEditText(col, row, text);
}

void TLanguageGrid::KeyDown(int& key, TShiftState shift) {
  int32_t handled = key;
  OnGridKeyDown(this, handled, shift);
  key = handled;
  if (key != 0) TSortGrid::KeyDown(key, shift);
}

void TLanguageGrid::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TSortGrid::MouseDown(button, shift, x, y);
  if (button == mbLeft && shift.Contains(ssDouble)) OnDblClick(this);
}

}  // namespace dravik
