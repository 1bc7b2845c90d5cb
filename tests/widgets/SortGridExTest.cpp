// The marking grid: marks as check boxes, runs of marks dragged with the mouse and given back,
// batches of updates, highlighting and the draw events.

#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/typinfo/ClassRecord.h"
#include "tests/widgets/SortGridFixture.h"
#include "widgets/SortGridEx.h"

using namespace dravik;

namespace {

class TMarkEvents : public TObject {
 public:
  void Select(TObject*, int32_t col, int32_t row, bool selected) {
    Log.push_back(std::to_string(col) + "," + std::to_string(row) + (selected ? "+" : "-"));
  }
  void Update(TObject*) { ++Updates; }
  void SelectQuery(TObject*, int32_t col, int32_t, bool& selectable) {
    if (col == LockedCol) selectable = false;
  }
  void RangeQuery(TObject*, TMouseButton, TShiftState, int32_t, int32_t, int32_t col, int32_t,
                  bool& begin) {
    if (col == RefusedCol) begin = false;
  }
  void MouseClick(TObject*, TMouseButton button, TShiftState, int32_t, int32_t, int32_t col,
                  int32_t row) {
    Clicks.push_back(std::to_string(button) + " " + std::to_string(col) + "," +
                     std::to_string(row));
  }
  void HighLight(TObject*, int32_t col, int32_t row, bool& highLight) {
    highLight = col == 2 && row == 1;
  }
  void Before(TObject*, int32_t col, int32_t row, const TRect&, TGridDrawState, bool& handled) {
    handled = col == 4 && row == 1;
  }
  void After(TObject*, int32_t col, int32_t row, const TRect&, TGridDrawState) {
    if (col == 4 && row == 1) ++AfterHandled;
  }

  std::vector<std::string> Log;
  std::vector<std::string> Clicks;
  int Updates = 0;
  int32_t LockedCol = -1;
  int32_t RefusedCol = -1;
  int AfterHandled = 0;
};

class SortGridEx : public GridOnForm<TSortGridEx> {
 protected:
  void SetUp() override {
    GridOnForm::SetUp();
    grid->OnSelect = TOnSelect::Of<&TMarkEvents::Select>(&events);
    grid->OnSelectUpdate = TNotifyEvent::Of<&TMarkEvents::Update>(&events);
    grid->OnSelectQuery = TOnSelectQuery::Of<&TMarkEvents::SelectQuery>(&events);
    grid->OnAutoRangeSelectQuery = TOnAutoRangeSelectQuery::Of<&TMarkEvents::RangeQuery>(&events);
    grid->OnMouseClick = TMouseClickEvent::Of<&TMarkEvents::MouseClick>(&events);
  }
  // The marks of a row's data cells, as "X" and ".".
  std::string Marks(int32_t row) const {
    std::string marks;
    for (int32_t col = grid->FixedCols(); col < grid->ColCount(); ++col)
      marks += grid->GetSelectedFast(col, row) ? 'X' : '.';
    return marks;
  }
  void SetMarks(int32_t row, const std::string& marks) {
    grid->BeginSelectUpdate();
    for (std::size_t i = 0; i < marks.size(); ++i)
      grid->SetSelected(grid->FixedCols() + static_cast<int32_t>(i), row, marks[i] == 'X');
    grid->EndSelectUpdate();
    events.Log.clear();
    events.Updates = 0;
  }
  TMarkEvents events;
};

}  // namespace

TEST_F(SortGridEx, MarksAreCrossesInCellsThatMayCarryThem) {
  grid->SetSelected(2, 1, true);
  EXPECT_EQ(grid->Cells(2, 1), "X");
  EXPECT_TRUE(grid->GetSelected(2, 1));
  grid->SetSelected(2, 1, true);  // no change, no event
  grid->SetSelected(2, 0, true);  // fixed
  grid->SetSelected(9, 1, true);  // outside
  EXPECT_EQ(grid->Cells(2, 0), "");
  events.LockedCol = 3;
  grid->SetSelected(3, 1, true);
  EXPECT_EQ(grid->Cells(3, 1), "");
  grid->SetCells(3, 1, "X");
  EXPECT_FALSE(grid->GetSelected(3, 1));  // an "X" where no mark may be is only text
  EXPECT_TRUE(grid->GetSelectedFast(3, 1));
  grid->SetSelected(2, 1, false);
  EXPECT_EQ(grid->Cells(2, 1), "");
  EXPECT_EQ(events.Log, (std::vector<std::string>{"2,1+", "2,1-"}));
  EXPECT_EQ(events.Updates, 2);
}

TEST_F(SortGridEx, ABatchReportsItsChangesOnceWhenTheOutermostEnds) {
  grid->BeginSelectUpdate();
  grid->BeginSelectUpdate();
  grid->SetSelected(1, 1, true);
  grid->SetSelected(2, 1, true);
  grid->EndSelectUpdate();
  EXPECT_EQ(events.Updates, 0);
  grid->EndSelectUpdate();
  EXPECT_EQ(events.Updates, 1);
  grid->BeginSelectUpdate();
  grid->EndSelectUpdate();  // nothing changed
  EXPECT_EQ(events.Updates, 1);
  EXPECT_EQ(events.Log.size(), 2u);
}

TEST_F(SortGridEx, DraggingFromAMarkedCellClearsTheRunAndMovingBackRestoresIt) {
  SetMarks(2, "X.XX");
  Press(1, 2);
  EXPECT_EQ(Marks(2), "..XX");
  DragTo(3, 2);
  EXPECT_EQ(Marks(2), "...X");
  DragTo(4, 2);
  EXPECT_EQ(Marks(2), "....");
  DragTo(2, 2);  // back: the cells left behind are as they were
  EXPECT_EQ(Marks(2), "..XX");
  DragTo(2, 3);  // off the row and the column: only the anchor
  EXPECT_EQ(Marks(2), "..XX");
  DragTo(3, 2);
  Release(3, 2);
  EXPECT_EQ(Marks(2), "...X");
  EXPECT_EQ(events.Updates, 1);        // one update for the whole drag
  EXPECT_TRUE(events.Clicks.empty());  // released over another cell
}

TEST_F(SortGridEx, DraggingFromAnEmptyCellMarksAColumnUpAndDown) {
  grid->SetRowCount(6);
  Press(2, 3);
  DragTo(2, 5);
  DragTo(2, 0);  // the fixed row is passed over and stays as it is
  EXPECT_EQ(grid->Cells(2, 0), "");
  DragTo(2, 1);
  Release(2, 1);
  for (int32_t row = 1; row < 6; ++row) EXPECT_EQ(grid->GetSelected(2, row), row <= 3) << row;
}

TEST_F(SortGridEx, TheQueryDecidesWhetherARangeBeginsAndWhetherItStays) {
  events.RefusedCol = 4;
  Click(4, 1);  // refused at the press: no mark
  EXPECT_EQ(Marks(1), "....");
  EXPECT_EQ(events.Clicks, std::vector<std::string>{"0 4,1"});
  Press(1, 1);
  DragTo(3, 1);
  DragTo(4, 1);
  EXPECT_EQ(Marks(1), "XXXX");
  Release(4, 1);  // refused at the release: every mark of the run goes back
  EXPECT_EQ(Marks(1), "....");
  EXPECT_EQ(events.Updates, 1);  // the batch of the drag still ends
  grid->SetAutoRangeSelect(false);
  Click(1, 1);
  EXPECT_EQ(Marks(1), "....");
  EXPECT_EQ(events.Clicks.size(), 2u);
}

TEST_F(SortGridEx, ARangeCanBeRunFromCodeButNotAdjustedWithoutABeginning) {
  try {
    grid->AdjustRangeSelect(1, 1);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TAutoRangeSelect.CheckAllocated failed. Buffer not created");
  }
  EXPECT_THROW(grid->EndRangeSelect(false), Exception);
  grid->BeginRangeSelect(1, 1);
  grid->AdjustRangeSelect(3, 1);
  EXPECT_EQ(Marks(1), "XXX.");
  grid->CancelRangeSelect();
  EXPECT_EQ(Marks(1), "....");
  EXPECT_THROW(grid->AdjustRangeSelect(2, 1), Exception);
  // A press while a range runs cancels it first.
  grid->BeginRangeSelect(1, 2);
  Press(3, 1);
  Release(3, 1);
  EXPECT_EQ(Marks(2), "....");
  EXPECT_EQ(Marks(1), "..X.");
}

TEST_F(SortGridEx, MarkedCellsShowACrossInABoxAndHighlightedOnesTheirColour) {
  grid->OnHighLightQuery = TOnHighLightQuery::Of<&TMarkEvents::HighLight>(&events);
  grid->BeforeDrawCell = TBeforeDrawCell::Of<&TMarkEvents::Before>(&events);
  grid->AfterDrawCell = TAfterDrawCell::Of<&TMarkEvents::After>(&events);
  grid->SetSelected(3, 2, true);
  grid->SetCells(4, 1, "X");  // drawn by the handler: stays blank
  const QImage image = Picture();
  const QPoint marked = CellCenter(3, 2), empty = CellCenter(3, 3);
  const TRect cell = grid->CellRect(3, 2);
  const int side = std::min(cell.Width(), cell.Height()) - 4;
  const int boxLeft = cell.Left + 2 + (cell.Width() - 4 - side) / 2;
  EXPECT_LT(qGray(image.pixel(marked)), 100);  // the cross
  EXPECT_GT(qGray(image.pixel(empty)), 200);
  EXPECT_LT(qGray(image.pixel(boxLeft, marked.y())), 100);  // the frame
  EXPECT_GT(qGray(image.pixel(boxLeft - 2, marked.y())), 200);
  EXPECT_EQ(image.pixel(grid->CellRect(2, 1).Left + 1, grid->CellRect(2, 1).Top + 1),
            QColor(Qt::yellow).rgb());
  EXPECT_GT(qGray(image.pixel(CellCenter(4, 1))), 200);
  EXPECT_GE(events.AfterHandled, 1);
  EXPECT_TRUE(Shown.empty());
}

TEST_F(SortGridEx, ItsPropertiesGoThroughFormFilesByName) {
  EXPECT_EQ(&FindClass("TSortGridEx"), &TSortGridEx::StaticClass());
  grid->SetBevelStyle(cbLowered);
  grid->SetAlignmentHorz(taCenter);
  grid->SetAlignmentVert(taMiddle);
  grid->SetExtendedKeys(true);
  grid->SetClickSorting(false);
  grid->SetHighLightColor(clRed);
  grid->SetAutoRangeSelect(false);
  TStringStream binary;
  WriteComponent(binary, grid);
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(binary, text);
  for (const char* line : {"BevelStyle = cbLowered", "AlignmentVert = taMiddle",
                           "HighLightColor = clRed", "AutoRangeSelect = False"})
    EXPECT_NE(text.DataString().find(line), std::string::npos) << line;
  EXPECT_EQ(text.DataString().find("ProportionalScrollBars"), std::string::npos);  // default

  auto copy = MakeComponent<TSortGridEx>(nullptr);
  binary.SetPosition(0);
  ReadComponent(binary, copy.get());
  EXPECT_EQ(copy->BevelStyle(), cbLowered);
  EXPECT_EQ(copy->AlignmentHorz(), taCenter);
  EXPECT_EQ(copy->AlignmentVert(), taMiddle);
  EXPECT_TRUE(copy->ExtendedKeys());
  EXPECT_FALSE(copy->ClickSorting());
  EXPECT_EQ(copy->HighLightColor(), clRed);
  EXPECT_FALSE(copy->AutoRangeSelect());
}
