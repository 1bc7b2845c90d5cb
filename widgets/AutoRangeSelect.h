#pragma once
// Marking a straight run of cells with the mouse: the anchor cell's mark is toggled and every
// markable cell between the anchor and the cell under the mouse, in the anchor's row or column,
// takes the same state. The marks each step changed are kept, so the next step (or a cancel)
// gives them back.

#include <cstdint>
#include <optional>
#include <vector>

namespace dravik {

class TSortGridEx;

class TAutoRangeSelect {
 public:
  explicit TAutoRangeSelect(TSortGridEx* grid) : fGrid(grid) {}

  bool Running() const { return fBuffer.has_value(); }
  // Opens a batch of mark updates and toggles the anchor.
  void Begin(int32_t col, int32_t row);
  // Restores the previous run, then marks the run from the anchor to (col, row).
  void Adjust(int32_t col, int32_t row);
  // Gives back every mark changed since Begin.
  void Restore();
  // Keeps or restores the marks and closes the batch.
  void End(bool keep);

 private:
  struct TPreviousMark {
    int32_t Col, Row;
    bool Selected;
  };
  void CheckAllocated() const;
  void Mark(int32_t col, int32_t row);

  TSortGridEx* fGrid;
  int32_t fAnchorCol = 0, fAnchorRow = 0;
  bool fState = false;
  std::optional<std::vector<TPreviousMark>> fBuffer;  // while a range runs
};

}  // namespace dravik
