// The sortable grid driven as a user drives it: header clicks, typing and validating, shortcut
// keys; and its sorting, undo, formats, drawing, sizing, scroll bars and text files.

#include <QScrollBar>
#include <QStyle>

#include "platform/core/typinfo/ClassRecord.h"
#include "tests/support/TestFiles.h"
#include "tests/widgets/SortGridFixture.h"
#include "widgets/SortGrid.h"

using namespace dravik;

namespace {

class TGridEvents : public TObject {
 public:
  void ClickSort(TObject*, int32_t col, int32_t row, TSortOptions& options) {
    Log.push_back("click " + std::to_string(col) + "," + std::to_string(row));
    if (ForceDirection) options.SortDirection = *ForceDirection;
  }
  void BeginSort(TObject*, int32_t col, TSortOptions& options) {
    Log.push_back("begin " + std::to_string(col) + " dir " + std::to_string(options.SortDirection));
  }
  void EndSort(TObject*, int32_t col) { Log.push_back("end " + std::to_string(col)); }
  void RowInsert(TObject*, int32_t index) { Log.push_back("row+ " + std::to_string(index)); }
  void RowDelete(TObject*, int32_t index) { Log.push_back("row- " + std::to_string(index)); }
  void ColumnInsert(TObject*, int32_t index) { Log.push_back("col+ " + std::to_string(index)); }
  void ColumnDelete(TObject*, int32_t index) { Log.push_back("col- " + std::to_string(index)); }
  void SizeChanged(TObject*, int32_t oldCols, int32_t oldRows) {
    Log.push_back("size " + std::to_string(oldCols) + "x" + std::to_string(oldRows));
  }
  void WidthsChanged(TObject*) { Log.push_back("widths"); }
  void Validate(TObject*, int32_t col, int32_t row, std::string& value, bool& valid) {
    Log.push_back("validate " + std::to_string(col) + "," + std::to_string(row) + " " + value);
    if (Replacement) value = *Replacement;
    valid = Accept;
  }
  void Format(TObject*, int32_t, int32_t row, TGridDrawState state, TFormatOptions& format) {
    Formats.push_back(format);
    if (format.Bevel != cbNone) {
      format.UpperLeftColor = clRed;
      format.LowerRightColor = clBlue;
    }
    if (WideRow == row) format.Font->SetSize(format.Font->Size() * 3);
    if (state.Contains(gdFixed)) FixedSeen = true;
  }

  std::vector<std::string> Log;
  std::optional<TSortDirection> ForceDirection;
  std::optional<std::string> Replacement;
  bool Accept = true;
  std::vector<TFormatOptions> Formats;
  int32_t WideRow = -1;
  bool FixedSeen = false;
};

class SortGrid : public GridOnForm<TSortGrid> {
 protected:
  void SetUp() override {
    GridOnForm::SetUp();
    grid->OnClickSort = TClickSortEvent::Of<&TGridEvents::ClickSort>(&events);
    grid->OnBeginSort = TBeginSortEvent::Of<&TGridEvents::BeginSort>(&events);
    grid->OnEndSort = TEndSortEvent::Of<&TGridEvents::EndSort>(&events);
  }
  // Column 1 holds the keys, column 2 tells the rows apart.
  void Rows(const std::vector<std::string>& keys) {
    SetColumn(1, keys);
    for (std::size_t i = 0; i < keys.size(); ++i)
      grid->SetCells(2, grid->FixedRows() + static_cast<int32_t>(i), "r" + std::to_string(i));
  }
  TGridEvents events;
};

bool Dark(QRgb pixel) {
  return qGray(pixel) < 128;
}

// The first and last dark pixel of a picture's line between left and right.
std::pair<int, int> InkSpan(const QImage& image, int y, int left, int right) {
  int first = -1, last = -1;
  for (int x = left; x < right; ++x)
    if (Dark(image.pixel(x, y))) {
      if (first < 0) first = x;
      last = x;
    }
  return {first, last};
}

}  // namespace

// --- Sorting -----------------------------------------------------------------------------------

TEST_F(SortGrid, NumbersSortAsNumbersUnlessACellIsEmpty) {
  Rows({"10", "9", "100"});
  EXPECT_EQ(grid->DetermineSortStyle(1), ssNumeric);
  grid->SortByColumn(1, {});
  EXPECT_EQ(Column(1), (std::vector<std::string>{"9", "10", "100"}));

  Rows({"10", "9", "", "100"});
  EXPECT_EQ(grid->DetermineSortStyle(1), ssAlphabetic);  // the empty cell is no number
  grid->SortByColumn(1, {});
  EXPECT_EQ(Column(1), (std::vector<std::string>{"", "10", "100", "9"}));
}

TEST_F(SortGrid, DatesSortByTheirDayWhateverTheirSpelling) {
  Rows({"2024-03-01", "15.01.2024", "2023-12-31 23:59", "01.03.2024"});
  EXPECT_EQ(grid->DetermineSortStyle(1), ssDate);
  grid->SortByColumn(1, {ssAutomatic, sdDescending, false});
  EXPECT_EQ(Column(2), (std::vector<std::string>{"r0", "r3", "r1", "r2"}));  // r0, r3 equal
}

TEST_F(SortGrid, EqualCellsKeepTheirOrderInBothDirections) {
  Rows({"b", "A", "a", "B", "a"});
  grid->SortByColumn(1, {ssAutomatic, sdAscending, false});
  EXPECT_EQ(Column(2), (std::vector<std::string>{"r1", "r2", "r4", "r0", "r3"}));
  Rows({"b", "A", "a", "B", "a"});
  grid->SortByColumn(1, {ssAutomatic, sdDescending, false});
  EXPECT_EQ(Column(2), (std::vector<std::string>{"r0", "r3", "r1", "r2", "r4"}));
  // Case-sensitive: by character codes, upper case first.
  Rows({"b", "A", "a", "B", "a"});
  grid->SortByColumn(1, {ssAlphabetic, sdAscending, true});
  EXPECT_EQ(Column(1), (std::vector<std::string>{"A", "B", "a", "a", "b"}));
  EXPECT_EQ(Column(2), (std::vector<std::string>{"r1", "r3", "r2", "r4", "r0"}));
}

TEST_F(SortGrid, RowsMoveWithTheirObjectsAndTheCursorStaysOnItsRow) {
  Rows({"c", "a", "b"});
  TObject marker;
  grid->SetObjects(3, 2, &marker);  // on the row of "a"
  grid->SetCurrent(3, 2);
  grid->SortByColumn(1, {});
  EXPECT_EQ(Column(1), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(grid->Objects(3, 1), &marker);
  EXPECT_EQ(grid->Objects(3, 2), nullptr);
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 1);
}

TEST_F(SortGrid, ANumericSortOfTextFailsAndChangesNothing) {
  Rows({"3", "x", "1"});
  grid->SortByColumn(1, {});
  ASSERT_TRUE(grid->CanUndoSort());
  try {
    grid->SortByColumn(1, {ssNumeric, sdAscending, false});
    FAIL() << "no conversion error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'x' is not a valid floating point value");
  }
  EXPECT_FALSE(grid->Sorting());
  EXPECT_EQ(Column(1), (std::vector<std::string>{"1", "3", "x"}));
  EXPECT_TRUE(grid->CanUndoSort());  // the last sort that happened can still be taken back
  EXPECT_THROW(grid->SortByColumn(1, {ssDate, sdAscending, false}), EConvertError);
}

TEST_F(SortGrid, NothingSortsWithFewerThanTwoDataRowsOrWhileEditing) {
  Rows({"b"});
  grid->SortByColumn(1, {});
  EXPECT_TRUE(events.Log.empty());
  Rows({"b", "a"});
  TGridOptions options = grid->Options();
  grid->SetOptions(options.Include(goEditing));
  grid->SetEditorMode(true);
  ASSERT_TRUE(grid->EditorMode());
  grid->SortByColumn(1, {});
  EXPECT_EQ(Column(1), (std::vector<std::string>{"b", "a"}));
}

TEST_F(SortGrid, HeaderClicksSortLeftAscendingRightDescendingAndUndoRestores) {
  Rows({"b", "c", "a"});
  grid->SetCurrent(2, 3);  // on "a"
  Click(1, 0, Qt::LeftButton);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(events.Log, (std::vector<std::string>{"click 1,0", "begin 1 dir 0", "end 1"}));

  Click(1, 0, Qt::RightButton);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"c", "b", "a"}));
  EXPECT_EQ(grid->Row(), 3);
  ASSERT_TRUE(grid->CanUndoSort());
  grid->UndoSort();  // back to the order before the right click
  EXPECT_EQ(Column(1), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_FALSE(grid->CanUndoSort());

  Click(1, 0, Qt::RightButton);
  grid->InsertRow(2);
  EXPECT_FALSE(grid->CanUndoSort());
  grid->UndoSort();
  EXPECT_EQ(Column(1), (std::vector<std::string>{"c", "", "b", "a"}));
}

TEST_F(SortGrid, TheHeaderStaysInViewToBeClickedFarDownALongGrid) {
  std::vector<std::string> keys;
  for (int i = 0; i < 1000; ++i) keys.push_back(std::to_string(1000 - i));
  Rows(keys);
  grid->SetTopRow(900);
  Click(1, 0);
  EXPECT_EQ(grid->Cells(1, 1), "1");
  EXPECT_EQ(grid->Cells(1, 1000), "1000");
}

TEST_F(SortGrid, HeaderClicksNeedNoModifierKeyClickSortingAndNoEditor) {
  Rows({"b", "a"});
  Click(1, 0, Qt::LeftButton, Qt::ControlModifier);
  Click(1, 0, Qt::LeftButton, Qt::ShiftModifier);
  Click(1, 1);  // a data cell
  grid->SetClickSorting(false);
  Click(1, 0);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"b", "a"}));
  grid->SetClickSorting(true);
  events.ForceDirection = sdDescending;  // the handler decides
  Rows({"a", "b"});
  Click(1, 0);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"b", "a"}));
}

// --- Rows, columns and keys --------------------------------------------------------------------

TEST_F(SortGrid, RowAndColumnOperationsFireTheirEventsAfterwards) {
  grid->OnRowInsert = TUpdateGridEvent::Of<&TGridEvents::RowInsert>(&events);
  grid->OnRowDelete = TUpdateGridEvent::Of<&TGridEvents::RowDelete>(&events);
  grid->OnColumnInsert = TUpdateGridEvent::Of<&TGridEvents::ColumnInsert>(&events);
  grid->OnColumnDelete = TUpdateGridEvent::Of<&TGridEvents::ColumnDelete>(&events);
  Rows({"a", "b", "c"});
  grid->OnSizeChanged = TSizeChangedEvent::Of<&TGridEvents::SizeChanged>(&events);
  TObject marker;
  grid->SetObjects(1, 2, &marker);
  grid->InsertRow(2);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"a", "", "b", "c"}));
  EXPECT_EQ(grid->Objects(1, 3), &marker);
  EXPECT_EQ(grid->Row(), 2);
  grid->DeleteRow(3);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"a", "", "c"}));
  EXPECT_EQ(grid->Objects(1, 3), nullptr);
  grid->InsertColumn(1);
  EXPECT_EQ(grid->Cells(2, 1), "a");
  EXPECT_EQ(grid->Cells(1, 1), "");
  EXPECT_EQ(grid->Col(), 1);
  grid->DeleteColumn(1);
  EXPECT_EQ(grid->Cells(1, 1), "a");
  EXPECT_EQ(events.Log, (std::vector<std::string>{"size 5x4", "row+ 2", "size 5x5", "row- 3",
                                                  "size 5x4", "col+ 1", "size 6x4", "col- 1"}));
}

TEST_F(SortGrid, SwapsAndMovesKeepEveryOtherRowInPlace) {
  Rows({"a", "b", "c", "d"});
  grid->SwapRows(1, 4);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"d", "b", "c", "a"}));
  grid->SwapRows(3, 2);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"d", "c", "b", "a"}));
  grid->SetCells(1, 0, "one");
  grid->SetCells(3, 0, "three");
  grid->SwapColumns(3, 1);
  EXPECT_EQ(grid->Cells(1, 0), "three");
  EXPECT_EQ(grid->Cells(3, 0), "one");
  grid->MoveRow(1, 4);
  EXPECT_EQ(Column(3), (std::vector<std::string>{"c", "b", "a", "d"}));
  grid->MoveTo(0, 0);  // clamped to the first data cell
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 1);
  grid->Clear();
  EXPECT_EQ(grid->Cells(1, 0), "");
  EXPECT_EQ(Column(3), (std::vector<std::string>{"", "", "", ""}));
}

TEST_F(SortGrid, ExtendedKeysInsertAndDeleteButKeepTheLastDataRowAndColumn) {
  Rows({"a", "b"});
  grid->SetCurrent(1, 2);
  Key(Qt::Key_Insert, Qt::ControlModifier);  // off by default
  EXPECT_EQ(grid->RowCount(), 3);
  grid->SetExtendedKeys(true);
  Key(Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"a", "", "b"}));
  Key(Qt::Key_Delete, Qt::ControlModifier);
  Key(Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"a"}));
  Key(Qt::Key_Delete, Qt::ControlModifier);  // the only data row stays
  EXPECT_EQ(grid->RowCount(), 2);
  grid->SetColCount(3);
  grid->SetCurrent(2, 1);
  Key(Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(grid->ColCount(), 4);
  EXPECT_EQ(grid->Cells(2, 1), "");
  for (int i = 0; i < 4; ++i) Key(Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(grid->ColCount(), 2);
  EXPECT_EQ(grid->Cells(1, 1), "a");
}

TEST_F(SortGrid, IsCellFindsTheLeftmostColumnThenTheTopmostRowIgnoringCase) {
  grid->SetCells(3, 1, "Key");
  grid->SetCells(2, 4, "KEY");
  grid->SetCells(2, 3, "key");
  int32_t col = -1, row = -1;
  ASSERT_TRUE(grid->IsCell("kEy", col, row));
  EXPECT_EQ(col, 2);
  EXPECT_EQ(row, 3);
  EXPECT_FALSE(grid->IsCell("keys", col, row));
}

// --- Inline editing and validation -------------------------------------------------------------

class SortGridEditing : public SortGrid {
 protected:
  void SetUp() override {
    SortGrid::SetUp();
    TGridOptions options = grid->Options();
    grid->SetOptions(options.Include(goEditing));
    grid->OnCellValidate = TCellValidateEvent::Of<&TGridEvents::Validate>(&events);
    Rows({"one", "two", "three"});
    grid->InitValidate();  // the texts filled in are where validation starts
    Click(1, 1);
  }
};

TEST_F(SortGridEditing, ATypedCellIsValidatedByTheNextClick) {
  Type("uno");
  EXPECT_TRUE(grid->EditorMode());
  Key(Qt::Key_Return);
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_EQ(grid->Cells(1, 1), "uno");
  EXPECT_TRUE(events.Log.empty());  // not before the click
  Click(1, 3);
  EXPECT_EQ(events.Log, std::vector<std::string>{"validate 1,1 uno"});
  Click(1, 2);  // the cell clicked before was not changed
  EXPECT_EQ(events.Log.size(), 1u);
}

TEST_F(SortGridEditing, ARefusedCellTakesItsOldTextOrTheHandlersValue) {
  events.Accept = false;
  Type("bad");
  Key(Qt::Key_Return);
  Click(1, 3);
  EXPECT_EQ(grid->Cells(1, 1), "one");
  events.Replacement = "fixed";
  Type("worse");
  Key(Qt::Key_Return);
  Click(1, 1);
  EXPECT_EQ(grid->Cells(1, 3), "fixed");
  events.Accept = true;
  events.Replacement = "better";  // a valid cell takes what the handler made of it
  Type("good");
  Key(Qt::Key_Return);
  Click(1, 2);
  EXPECT_EQ(grid->Cells(1, 1), "better");
  EXPECT_EQ(events.Log.size(), 3u);
}

TEST_F(SortGridEditing, EscapeLeavesTheCellAndValidatesNothing) {
  Type("gone");
  Key(Qt::Key_Escape);
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_EQ(grid->Cells(1, 1), "one");
  Click(1, 2);
  EXPECT_TRUE(events.Log.empty());
}

TEST_F(SortGridEditing, AReferenceCellThatWasDeletedIsLeftAlone) {
  Click(1, 3);
  Type("x");
  Key(Qt::Key_Return);
  grid->DeleteRow(3);  // the edited row goes
  Click(1, 1);
  EXPECT_TRUE(events.Log.empty());
  EXPECT_TRUE(Shown.empty());
  Type("y");  // validation goes on from the cell clicked
  Key(Qt::Key_Return);
  Click(1, 2);
  EXPECT_EQ(events.Log, std::vector<std::string>{"validate 1,1 y"});
}

TEST_F(SortGridEditing, AnEditorAlwaysShownFollowsTheCursorThroughDeletesAndMoves) {
  TGridOptions options = grid->Options();
  grid->SetOptions(options.Include(goAlwaysShowEditor));
  EXPECT_TRUE(grid->EditorMode());
  grid->SetCurrent(1, 2);
  EXPECT_TRUE(grid->EditorMode());
  Type("zwei");
  grid->DeleteRow(1);  // the editor's text is kept before the rows move
  EXPECT_EQ(Column(1), (std::vector<std::string>{"zwei", "three"}));
  EXPECT_TRUE(grid->Options().Contains(goAlwaysShowEditor));
  EXPECT_TRUE(grid->EditorMode());
  grid->MoveRow(2, 1);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"three", "zwei"}));
  Key(Qt::Key_Escape);
  EXPECT_FALSE(grid->EditorMode());
}

// --- Formats, drawing and sizing ---------------------------------------------------------------

TEST_F(SortGrid, TheFormatStartsFromTheGridsAlignmentAndBevel) {
  grid->OnGetCellFormat = TFormatDrawCellEvent::Of<&TGridEvents::Format>(&events);
  grid->SetBevelStyle(cbRaised);
  grid->SetAlignmentHorz(taCenter);
  grid->SetAlignmentVert(taMiddle);
  Picture();
  ASSERT_FALSE(events.Formats.empty());
  const TFormatOptions& raised = events.Formats.back();
  EXPECT_EQ(raised.Brush, grid->Canvas()->Brush());
  EXPECT_EQ(raised.Font, grid->Canvas()->Font());
  EXPECT_EQ(raised.AlignmentHorz, taCenter);
  EXPECT_EQ(raised.AlignmentVert, taMiddle);
  EXPECT_EQ(raised.UpperLeftColor, clBtnHighlight);
  EXPECT_EQ(raised.LowerRightColor, clBtnShadow);
  EXPECT_FALSE(raised.HideText);
  grid->SetBevelStyle(cbLowered);
  events.Formats.clear();
  Picture();
  EXPECT_EQ(events.Formats.back().UpperLeftColor, clBtnShadow);
  EXPECT_EQ(events.Formats.back().LowerRightColor, clBtnHighlight);
  grid->SetBevelStyle(cbNone);
  events.Formats.clear();
  Picture();
  EXPECT_EQ(events.Formats.back().UpperLeftColor, clWindow);
}

TEST_F(SortGrid, TextIsPlacedAsTheAlignmentSays) {
  const std::string block = "\xE2\x96\x88\xE2\x96\x88";  // two full blocks: ink fills the advance
  grid->SetColWidths(2, 120);
  grid->SetRowHeights(2, 40);
  grid->SetCells(2, 2, block);
  const TRect cell = grid->CellRect(2, 2);
  grid->Canvas()->Font()->Assign(grid->Font());
  const int width = grid->Canvas()->TextWidth(block);
  const int middle = (cell.Top + cell.Bottom) / 2;

  auto span = InkSpan(Picture(), cell.Top + 6, cell.Left, cell.Right);
  EXPECT_EQ(span.first, cell.Left + 2);
  grid->SetAlignmentHorz(taCenter);
  grid->SetAlignmentVert(taMiddle);
  span = InkSpan(Picture(), middle, cell.Left, cell.Right);
  EXPECT_NEAR(span.first, cell.Left + (cell.Width() - width) / 2, 1);
  grid->SetAlignmentHorz(taRightJustify);
  span = InkSpan(Picture(), middle, cell.Left, cell.Right);
  EXPECT_NEAR(span.second, cell.Right - 2 - 1, 1);
  // Vertically: ink ends a little above the bottom, or stays at the top.
  grid->SetAlignmentVert(taBottomJustify);
  const QImage bottom = Picture();
  EXPECT_FALSE(Dark(bottom.pixel(cell.Right - 5, cell.Top + 3)));
  EXPECT_TRUE(Dark(bottom.pixel(cell.Right - 5, cell.Bottom - 8)));
  grid->SetAlignmentVert(taTopJustify);
  const QImage top = Picture();
  EXPECT_TRUE(Dark(top.pixel(cell.Right - 5, cell.Top + 6)));
  EXPECT_FALSE(Dark(top.pixel(cell.Right - 5, cell.Bottom - 3)));
}

TEST_F(SortGrid, BevelsDrawTheirEdgesOnDataCellsOnly) {
  grid->OnGetCellFormat = TFormatDrawCellEvent::Of<&TGridEvents::Format>(&events);
  grid->SetBevelStyle(cbRaised);
  const TRect cell = grid->CellRect(2, 2);
  QImage image = Picture();
  EXPECT_EQ(image.pixel(cell.Left, cell.Top + 5), QColor(Qt::red).rgb());
  EXPECT_EQ(image.pixel(cell.Left + 5, cell.Top), QColor(Qt::red).rgb());
  EXPECT_EQ(image.pixel(cell.Right - 1, cell.Top + 5), QColor(Qt::blue).rgb());
  EXPECT_EQ(image.pixel(cell.Left + 5, cell.Bottom - 1), QColor(Qt::blue).rgb());
  // The edges follow the options for fixed lines: without vertical ones, no left or right edge.
  TGridOptions options = grid->Options();
  grid->SetOptions(options.Exclude(goFixedVertLine));
  image = Picture();
  EXPECT_NE(image.pixel(cell.Left, cell.Top + 5), QColor(Qt::red).rgb());
  EXPECT_EQ(image.pixel(cell.Left + 5, cell.Top), QColor(Qt::red).rgb());
  const TRect header = grid->CellRect(2, 0);
  EXPECT_NE(image.pixel(header.Left + 5, header.Top), QColor(Qt::red).rgb());
  EXPECT_NE(image.pixel(header.Left + 5, header.Bottom - 1), QColor(Qt::blue).rgb());
}

TEST_F(SortGrid, AutoSizeMeasuresEachCellInItsFormatsFont) {
  grid->OnGetCellFormat = TFormatDrawCellEvent::Of<&TGridEvents::Format>(&events);
  grid->OnColumnWidthsChanged = TNotifyEvent::Of<&TGridEvents::WidthsChanged>(&events);
  Rows({"short", "a longer text", "mid"});
  grid->Canvas()->Font()->Assign(grid->Font());
  const int x = grid->Canvas()->TextWidth("x");
  const int longest = grid->Canvas()->TextWidth("a longer text");
  grid->AutoSizeCol(1);
  EXPECT_EQ(grid->ColWidths(1), longest + x);
  events.WideRow = 3;  // "mid" in a font three times as large
  grid->AutoSizeColumns(false, 5);
  TFont large;
  large.Assign(grid->Font());
  large.SetSize(large.Size() * 3);
  TCanvas canvas;
  canvas.Font()->Assign(&large);
  EXPECT_EQ(grid->ColWidths(1), std::max(longest, canvas.TextWidth("mid")) + x + 5);
  EXPECT_EQ(grid->ColWidths(0), 64);  // fixed columns only when asked
  EXPECT_EQ(events.Log.front(), "widths");
  // While sizing, only a cell in a fixed row and a fixed column is told it is fixed.
  EXPECT_FALSE(events.FixedSeen);
  grid->AutoSizeColumns(true, 0);
  EXPECT_TRUE(events.FixedSeen);
  EXPECT_TRUE(grid->GetCellDrawState(0, 0).Contains(gdFixed));
  EXPECT_FALSE(grid->GetCellDrawState(1, 0).Contains(gdFixed));
  EXPECT_TRUE(grid->GetCellDrawState(grid->Col(), grid->Row()).Contains(gdFocused));
  EXPECT_TRUE(grid->GetCellDrawState(grid->Col(), grid->Row()).Contains(gdSelected));
}

TEST_F(SortGrid, AFontChangeSetsTheRowHeightAndTheColumnWidths) {
  Rows({"some text"});
  grid->Font()->SetSize(20);
  GridFontChanged(grid);
  grid->Canvas()->Font()->Assign(grid->Font());
  EXPECT_EQ(grid->DefaultRowHeight(), grid->Canvas()->TextHeight("ABC") + 4);
  EXPECT_EQ(grid->RowHeights(1), grid->DefaultRowHeight());
  EXPECT_EQ(grid->ColWidths(1),
            grid->Canvas()->TextWidth("some text") + grid->Canvas()->TextWidth("x"));
}

TEST_F(SortGrid, ScrollBarsShowTheVisibleShareOnlyWhenProportional) {
  SetColumn(1, std::vector<std::string>(200, "x"));
  QScrollBar* bar = grid->View()->verticalScrollBar();
  EXPECT_EQ(bar->pageStep(), 0);
  // Without a page the slider keeps its size, and a click beside it still turns a page.
  const int top = grid->TopRow();
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(grid->TopRow(), top + grid->VisibleRowCount());
  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(grid->TopRow(), top);
  grid->SetProportionalScrollBars(true);
  const int visible = grid->VisibleRowCount();
  EXPECT_GT(visible, 5);
  EXPECT_EQ(bar->pageStep(), visible);
  grid->SetDefaultRowHeight(48);  // fewer rows in view
  EXPECT_LT(bar->pageStep(), visible);
  grid->SetHeight(30);  // less than one row: still a page of one
  QApplication::processEvents();
  EXPECT_EQ(bar->pageStep(), 1);
}

// --- Text files --------------------------------------------------------------------------------

TEST_F(SortGrid, LinesBecomeRowsAndEverySeparatorSplitsACell) {
  TTempDir dir;
  WriteFileBytes(dir.File("grid.txt"), "a;;b\r\nc\nd;e;\n");
  grid->SetObjects(1, 1, grid);
  grid->LoadFromFile(dir.File("grid.txt"), ';');
  EXPECT_EQ(grid->RowCount(), 3);
  EXPECT_EQ(grid->ColCount(), 3);
  EXPECT_EQ(grid->Cells(0, 0), "a");
  EXPECT_EQ(grid->Cells(1, 0), "");
  EXPECT_EQ(grid->Cells(2, 0), "b");
  EXPECT_EQ(grid->Cells(0, 1), "c");
  EXPECT_EQ(grid->Cells(1, 1), "");
  EXPECT_EQ(grid->Objects(1, 1), nullptr);
  EXPECT_EQ(grid->Cells(2, 2), "");  // after the last separator
  grid->SaveToFile(dir.File("copy.txt"), ';');
  EXPECT_EQ(ReadFileBytes(dir.File("copy.txt")), "a;;b\r\nc;;\r\nd;e;\r\n");
  // Too short a file still leaves a data row and column beside the fixed ones.
  WriteFileBytes(dir.File("one.txt"), "x");
  grid->LoadFromFile(dir.File("one.txt"), ';');
  EXPECT_EQ(grid->ColCount(), 2);
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(grid->Cells(0, 0), "x");
}

TEST_F(SortGrid, AFailedLoadNamesTheFileAndKeepsTheGrid) {
  TTempDir dir;
  Rows({"kept", "rows"});
  const auto expectKept = [&] {
    EXPECT_EQ(Column(1), (std::vector<std::string>{"kept", "rows"}));
    EXPECT_EQ(grid->ColCount(), 5);
  };
  const auto messageOf = [&](const std::string& name) {
    try {
      grid->LoadFromFile(name, ';');
    } catch (const Exception& e) {
      return std::string(e.Message());
    }
    return std::string("loaded");
  };
  EXPECT_NE(messageOf(dir.File("missing.txt")).find("missing.txt"), std::string::npos);
  expectKept();
  WriteFileBytes(dir.File("image.png"), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  EXPECT_EQ(messageOf(dir.File("image.png")),
            "Cannot load " + dir.File("image.png") + " into the grid: it is not a text file");
  expectKept();
  // A few kilobytes that would make a grid of billions of cells.
  std::string wide(5000, ';');
  WriteFileBytes(dir.File("wide.txt"), wide + std::string(5000, '\n'));
  EXPECT_EQ(messageOf(dir.File("wide.txt")),
            "Cannot load " + dir.File("wide.txt") +
                " into the grid: 5000 rows of 5001 columns are more than 16777216 cells");
  expectKept();
  EXPECT_NE(messageOf("/dev/zero").find("/dev/zero"), std::string::npos);
  expectKept();
}

TEST_F(SortGrid, SavingRefusesACellThatCouldNotBeReadBack) {
  TTempDir dir;
  WriteFileBytes(dir.File("old.txt"), "old\r\n");
  grid->SetCells(2, 3, "a;b");
  EXPECT_THROW(grid->SaveToFile(dir.File("old.txt"), ';'), EWriteError);
  EXPECT_EQ(ReadFileBytes(dir.File("old.txt")), "old\r\n");
  grid->SetCells(2, 3, "two\nlines");
  EXPECT_THROW(grid->SaveToFile(dir.File("old.txt"), ','), EWriteError);
  grid->SetCells(2, 3, "a;b");
  grid->SaveToFile(dir.File("old.txt"), '\t');
  grid->LoadFromFile(dir.File("old.txt"), '\t');
  EXPECT_EQ(grid->Cells(2, 3), "a;b");
}

TEST_F(SortGrid, FormFilesCanNameTheGrids) {
  EXPECT_EQ(&FindClass("TSortGrid"), &TSortGrid::StaticClass());
  EXPECT_EQ(TSortGrid::StaticClass().FindProp("ProportionalScrollBars")->Default, 0);
  EXPECT_NE(TSortGrid::StaticClass().FindProp("OnCellValidate"), nullptr);
}
