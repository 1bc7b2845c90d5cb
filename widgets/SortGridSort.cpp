// Sorting the data rows of a TSortGrid by one column, and taking the last sort back.

#include <algorithm>
#include <numeric>

#include "platform/core/classes/ScopeExit.h"
#include "platform/core/system/SysUtils.h"
#include "widgets/SortGrid.h"

namespace dravik {

namespace {

// Sort keys are converted once per row, not once per comparison.
template <class Key>
std::vector<int32_t> SortedPositions(const std::vector<Key>& keys, const TSortedList& entries,
                                     TSortDirection direction) {
  std::vector<int32_t> positions(keys.size());
  std::iota(positions.begin(), positions.end(), 0);
  const bool descending = direction == sdDescending;
  // Equal texts keep their row order in both directions, so the order is total.
  std::sort(positions.begin(), positions.end(), [&](int32_t a, int32_t b) {
    const Key& ka = keys[static_cast<std::size_t>(a)];
    const Key& kb = keys[static_cast<std::size_t>(b)];
    if (ka < kb) return !descending;
    if (kb < ka) return descending;
    return entries[static_cast<std::size_t>(a)].RowNum <
           entries[static_cast<std::size_t>(b)].RowNum;
  });
  return positions;
}

std::vector<int32_t> SortEntries(TSortedList& entries, const TSortOptions& options) {
  const std::size_t count = entries.size();
  switch (options.SortStyle) {
    case ssNumeric: {
      std::vector<long double> keys(count);
      for (std::size_t i = 0; i < count; ++i) keys[i] = StrToFloat(entries[i].Str);
      return SortedPositions(keys, entries, options.SortDirection);
    }
    case ssDate: {
      std::vector<double> keys(count);
      for (std::size_t i = 0; i < count; ++i) keys[i] = StrToDateTime(entries[i].Str);
      return SortedPositions(keys, entries, options.SortDirection);
    }
    default: {
      if (options.SortCaseSensitive) {
        std::vector<std::string_view> keys(count);
        for (std::size_t i = 0; i < count; ++i) keys[i] = entries[i].Str;
        return SortedPositions(keys, entries, options.SortDirection);
      }
      std::vector<std::string> keys(count);
      for (std::size_t i = 0; i < count; ++i) keys[i] = UpperCase(entries[i].Str);
      return SortedPositions(keys, entries, options.SortDirection);
    }
  }
}

}  // namespace

TSortStyle TSortGrid::DetermineSortStyle(int32_t col) const {
  bool numeric = true, date = true;
  for (int32_t row = FixedRows(); row < RowCount() && (numeric || date); ++row) {
    const std::string& text = Cells(col, row);
    long double number;
    double dateTime;
    if (numeric && !TryStrToFloat(text, number)) numeric = false;
    if (date && !TryStrToDateTime(text, dateTime)) date = false;
  }
  if (numeric) return ssNumeric;
  return date ? ssDate : ssAlphabetic;
}

void TSortGrid::SortByColumn(int32_t col, TSortOptions sortOptions) {
  if (EditorMode() || RowCount() - FixedRows() < 2) return;
  OnBeginSort(this, col, sortOptions);
  if (sortOptions.SortStyle == ssAutomatic) sortOptions.SortStyle = DetermineSortStyle(col);
  {
    fSorting = true;
    TScopeExit sorted([this] { fSorting = false; });
    TSortedList entries;
    entries.reserve(static_cast<std::size_t>(RowCount() - FixedRows()));
    for (int32_t row = FixedRows(); row < RowCount(); ++row)
      entries.push_back({Cells(col, row), row});
    // A cell that does not convert fails here, before the grid changes.
    const std::vector<int32_t> positions = SortEntries(entries, sortOptions);

    fSortedList.clear();
    fSortedList.reserve(entries.size());
    std::vector<int32_t> order(entries.size());
    int32_t cursorRow = Row();
    for (std::size_t i = 0; i < positions.size(); ++i) {
      TSortedListEntry& entry = entries[static_cast<std::size_t>(positions[i])];
      order[i] = entry.RowNum;
      if (entry.RowNum == Row()) cursorRow = FixedRows() + static_cast<int32_t>(i);
      fSortedList.push_back(std::move(entry));
    }
    ReorderRows(order);
    SetCurrent(Col(), cursorRow);
  }
  OnEndSort(this, col);
}

bool TSortGrid::CanUndoSort() {
  if (!fSortedList.empty() &&
      static_cast<int64_t>(fSortedList.size()) == int64_t(RowCount()) - FixedRows())
    return true;
  fSortedList.clear();
  return false;
}

void TSortGrid::UndoSort() {
  if (!CanUndoSort()) return;
  const int32_t fixed = FixedRows();
  std::vector<int32_t> order(fSortedList.size(), -1);
  for (std::size_t i = 0; i < fSortedList.size(); ++i) {
    const int64_t at = int64_t(fSortedList[i].RowNum) - fixed;
    // The fixed rows changed since the sort: the rows no longer map back.
    if (at < 0 || at >= static_cast<int64_t>(order.size())) {
      fSortedList.clear();
      return;
    }
    order[static_cast<std::size_t>(at)] = fixed + static_cast<int32_t>(i);
  }
  const int32_t cursorRow = fSortedList[static_cast<std::size_t>(Row() - fixed)].RowNum;
  ReorderRows(order);
  SetCurrent(Col(), cursorRow);
  fSortedList.clear();
}

}  // namespace dravik
