#pragma once
// The sortable grid of every grid window: sorting by a column (header click or call) with undo,
// a per-cell format hook for drawing and automatic column widths, the cell-validation protocol
// of inline editing, row and column operations with events, bevels, alignment, proportional
// scroll bars, shortcut keys, and separated text files.

#include <string>
#include <vector>

#include "platform/ui/Grids.h"
#include "platform/ui/StdCtrls.h"

namespace dravik {

enum TSortStyle { ssAutomatic, ssAlphabetic, ssNumeric, ssDate };
const TTypeInfo& TypeInfoFor(TSortStyle);
enum TSortDirection { sdAscending, sdDescending };
const TTypeInfo& TypeInfoFor(TSortDirection);

struct TSortOptions {
  TSortStyle SortStyle = ssAutomatic;
  TSortDirection SortDirection = sdAscending;
  bool SortCaseSensitive = false;
};

enum TCellBevelStyle { cbNone, cbRaised, cbLowered };
const TTypeInfo& TypeInfoFor(TCellBevelStyle);
enum TVertAlignment { taTopJustify, taBottomJustify, taMiddle };
const TTypeInfo& TypeInfoFor(TVertAlignment);

// How one cell is drawn and measured. Brush and Font are the grid canvas's own.
struct TFormatOptions {
  TBrush* Brush = nullptr;
  TFont* Font = nullptr;
  TAlignment AlignmentHorz = taLeftJustify;
  TVertAlignment AlignmentVert = taTopJustify;
  TCellBevelStyle Bevel = cbNone;
  TColor UpperLeftColor = clWindow;
  TColor LowerRightColor = clWindow;
  bool HideText = false;
};

// One data row of the last sort: its text in the sorted column and the row it came from.
struct TSortedListEntry {
  std::string Str;
  int32_t RowNum = 0;
};
using TSortedList = std::vector<TSortedListEntry>;

using TFormatDrawCellEvent =
    TEvent<"TFormatDrawCellEvent", TObject* /*Sender*/, int32_t /*Col*/, int32_t /*Row*/,
           TGridDrawState /*State*/, TFormatOptions& /*FormatOptions*/>;
using TClickSortEvent = TEvent<"TClickSortEvent", TObject* /*Sender*/, int32_t /*Col*/,
                               int32_t /*Row*/, TSortOptions& /*SortOptions*/>;
using TBeginSortEvent =
    TEvent<"TBeginSortEvent", TObject* /*Sender*/, int32_t /*Col*/, TSortOptions& /*SortOptions*/>;
using TEndSortEvent = TEvent<"TEndSortEvent", TObject* /*Sender*/, int32_t /*Col*/>;
using TUpdateGridEvent = TEvent<"TUpdateGridEvent", TObject* /*Sender*/, int32_t /*Index*/>;
using TSizeChangedEvent = TEvent<"TSizeChangedEvent", TObject* /*Sender*/, int32_t /*OldColCount*/,
                                 int32_t /*OldRowCount*/>;
using TCellValidateEvent = TEvent<"TCellValidateEvent", TObject* /*Sender*/, int32_t /*Col*/,
                                  int32_t /*Row*/, std::string& /*Value*/, bool& /*Valid*/>;

class TSortGrid : public TStringGrid {
 public:
  explicit TSortGrid(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TAlignment AlignmentHorz() const { return fAlignmentHorz; }
  void SetAlignmentHorz(TAlignment value);
  TVertAlignment AlignmentVert() const { return fAlignmentVert; }
  void SetAlignmentVert(TVertAlignment value);
  bool ClickSorting() const { return fClickSorting; }
  void SetClickSorting(bool value) { fClickSorting = value; }
  TCellBevelStyle BevelStyle() const { return fBevelStyle; }
  void SetBevelStyle(TCellBevelStyle value);
  bool ProportionalScrollBars() const { return fProportionalScrollBars; }
  void SetProportionalScrollBars(bool value);
  bool ExtendedKeys() const { return fExtendedKeys; }
  void SetExtendedKeys(bool value) { fExtendedKeys = value; }

  // Sorts the data rows by the column; a numeric or date sort asked for by the caller raises
  // EConvertError for a cell that does not convert, and then nothing changes.
  void SortByColumn(int32_t col, TSortOptions sortOptions);
  TSortStyle DetermineSortStyle(int32_t col) const;
  bool CanUndoSort();
  void UndoSort();
  bool Sorting() const { return fSorting; }

  void InsertRow(int32_t row);
  void InsertColumn(int32_t col);
  void DeleteRow(int32_t row);
  void DeleteColumn(int32_t col);
  void MoveRow(int32_t from, int32_t to);
  void MoveColumn(int32_t from, int32_t to);
  void SwapRows(int32_t a, int32_t b);
  void SwapColumns(int32_t a, int32_t b);
  void MoveTo(int32_t col, int32_t row);
  void Clear();

  void AutoSizeCol(int32_t col);
  void AutoSizeColumns(bool doFixedCols, int32_t padding);

  // The first column from the left holding a cell equal to text (ignoring case), and its first
  // such row.
  bool IsCell(const std::string& text, int32_t& col, int32_t& row) const;

  // Reads the file into a scratch buffer first: a failure names the file and leaves the grid
  // as it was. Files that are not text, too large, or too many cells are refused
  // (SeparatedText.h).
  void LoadFromFile(const std::string& fileName, char separator);
  // Refuses a cell that holds the separator or a line break, which could not be read back.
  void SaveToFile(const std::string& fileName, char separator) const;

  void ValidateCell();
  void InitValidate();
  // A click while the grid has the focus validates the last edited cell.
  void Click() override;
  TGridDrawState GetCellDrawState(int32_t col, int32_t row) const;

  TFormatDrawCellEvent OnGetCellFormat;
  TClickSortEvent OnClickSort;
  TBeginSortEvent OnBeginSort;
  TEndSortEvent OnEndSort;
  TUpdateGridEvent OnRowInsert;
  TUpdateGridEvent OnRowDelete;
  TUpdateGridEvent OnColumnInsert;
  TUpdateGridEvent OnColumnDelete;
  TNotifyEvent OnColumnWidthsChanged;
  TNotifyEvent OnRowHeightsChanged;
  TSizeChangedEvent OnSizeChanged;
  TCellValidateEvent OnCellValidate;

 protected:
  // The format of a cell as it starts: the canvas brush and font, the grid's alignment and bevel.
  TFormatOptions DefaultCellFormat();
  // Lets the format hook change a cell's format.
  virtual void GetCellFormat(int32_t col, int32_t row, TGridDrawState state,
                             TFormatOptions& format);
  // Background, text and bevel of a cell in its format.
  void DrawFormattedCell(int32_t col, int32_t row, const TRect& rect, TGridDrawState state);

  void DrawCell(int32_t col, int32_t row, const TRect& rect, TGridDrawState state) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void KeyDown(int& key, TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;
  void SetEditText(int32_t col, int32_t row, const std::string& value) override;
  void ColWidthsChanged() override;
  void RowHeightsChanged() override;
  void SizeChanged(int32_t oldColCount, int32_t oldRowCount) override;
  int32_t ScrollPageSize(TScrollBarKind kind, int32_t visibleCount) const override;

 private:
  TAlignment fAlignmentHorz = taLeftJustify;
  TVertAlignment fAlignmentVert = taTopJustify;
  bool fClickSorting = true;
  TCellBevelStyle fBevelStyle = cbNone;
  bool fProportionalScrollBars = false;
  bool fExtendedKeys = false;

  TSortedList fSortedList;  // of the last sort, for UndoSort
  bool fSorting = false;
  bool fEdited = false;
  bool fEntered = false;
  int32_t fValidateCol = 0, fValidateRow = 0;
  std::string fValidateText;
  bool fValidateEdited = false;
};

// The grid's default row height: the text height of "ABC" in its font plus 4.
void AdjustGridDefaultRowHeight(TStringGrid* grid);
// After a grid's font changed: the row height follows the font, then every column is sized.
void GridFontChanged(TSortGrid* grid);

}  // namespace dravik
