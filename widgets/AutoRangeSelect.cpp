#include "widgets/AutoRangeSelect.h"

#include <algorithm>

#include "platform/core/system/Exceptions.h"
#include "widgets/SortGridEx.h"

namespace dravik {

void TAutoRangeSelect::CheckAllocated() const {
  if (!fBuffer) throw Exception("TAutoRangeSelect.CheckAllocated failed. Buffer not created");
}

void TAutoRangeSelect::Begin(int32_t col, int32_t row) {
  fGrid->BeginSelectUpdate();
  fBuffer.emplace();
  fAnchorCol = col;
  fAnchorRow = row;
  fState = !fGrid->GetSelected(col, row);
  Mark(col, row);
}

void TAutoRangeSelect::Mark(int32_t col, int32_t row) {
  if (!fGrid->SelectQuery(col, row)) return;
  fBuffer->push_back({col, row, fGrid->GetSelected(col, row)});
  fGrid->SetSelected(col, row, fState);
}

void TAutoRangeSelect::Restore() {
  CheckAllocated();
  // Last changed first, so a cell met twice ends in its first saved state.
  for (auto mark = fBuffer->rbegin(); mark != fBuffer->rend(); ++mark)
    fGrid->SetSelected(mark->Col, mark->Row, mark->Selected);
  fBuffer->clear();
}

void TAutoRangeSelect::Adjust(int32_t col, int32_t row) {
  CheckAllocated();
  Restore();
  if (row == fAnchorRow) {
    const int32_t step = col >= fAnchorCol ? 1 : -1;
    for (int32_t c = fAnchorCol; c != col + step; c += step) Mark(c, row);
  } else if (col == fAnchorCol) {
    const int32_t step = row >= fAnchorRow ? 1 : -1;
    for (int32_t r = fAnchorRow; r != row + step; r += step) Mark(col, r);
  } else {
    Mark(fAnchorCol, fAnchorRow);
  }
}

void TAutoRangeSelect::End(bool keep) {
  if (!keep) Restore();
  CheckAllocated();
  fBuffer.reset();
  fGrid->EndSelectUpdate();
}

}  // namespace dravik
