#include "widgets/SortGridEx.h"

#include <algorithm>

#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {

const TClassRegistration kRegistrations[] = {
    TClassRegistration(TSortGridEx::StaticClass()),
};

}  // namespace

const TClassRecord& TSortGridEx::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TSortGridEx, TSortGrid>("TSortGridEx", "SortGrid")
          .Property("AutoRangeSelect", &TSortGridEx::AutoRangeSelect,
                    &TSortGridEx::SetAutoRangeSelect)
          .Default(true)
          .Property("HighLightColor", &TSortGridEx::HighLightColor, &TSortGridEx::SetHighLightColor)
          .Default(static_cast<int32_t>(clYellow))
          .Event("AfterDrawCell", &TSortGridEx::AfterDrawCell)
          .Event("BeforeDrawCell", &TSortGridEx::BeforeDrawCell)
          .Event("OnAutoRangeSelectQuery", &TSortGridEx::OnAutoRangeSelectQuery)
          .Event("OnHighLightQuery", &TSortGridEx::OnHighLightQuery)
          .Event("OnMouseClick", &TSortGridEx::OnMouseClick)
          .Event("OnSelect", &TSortGridEx::OnSelect)
          .Event("OnSelectQuery", &TSortGridEx::OnSelectQuery)
          .Event("OnSelectUpdate", &TSortGridEx::OnSelectUpdate)
          .Build();
  return record;
}

TSortGridEx::TSortGridEx(TComponent* owner) : TSortGrid(owner) {}

void TSortGridEx::SetHighLightColor(TColor value) {
  fHighLightColor = value;
  Invalidate();
}

// --- Marks -------------------------------------------------------------------------------------

bool TSortGridEx::SelectQuery(int32_t col, int32_t row) {
  bool selectable = InsideGrid(col, row) && col >= FixedCols() && row >= FixedRows();
  OnSelectQuery(this, col, row, selectable);
  return selectable;
}

bool TSortGridEx::GetSelected(int32_t col, int32_t row) {
  return SelectQuery(col, row) && GetSelectedFast(col, row);
}

void TSortGridEx::SetSelected(int32_t col, int32_t row, bool value) {
  if (!SelectQuery(col, row) || GetSelectedFast(col, row) == value) return;
  SetCells(col, row, value ? "X" : "");
  OnSelect(this, col, row, value);
  if (fUpdateCount > 0)
    fUpdatePending = true;
  else
    OnSelectUpdate(this);
}

void TSortGridEx::BeginSelectUpdate() {
  ++fUpdateCount;
}

void TSortGridEx::EndSelectUpdate() {
  if (fUpdateCount == 0 || --fUpdateCount > 0 || !fUpdatePending) return;
  fUpdatePending = false;
  OnSelectUpdate(this);
}

void TSortGridEx::CancelRangeSelect() {
  if (fRange.Running()) fRange.End(false);
}

// --- Formatting and drawing --------------------------------------------------------------------

bool TSortGridEx::HighLightQuery(int32_t col, int32_t row) {
  bool highLight = false;
  OnHighLightQuery(this, col, row, highLight);
  return highLight;
}

void TSortGridEx::GetCellFormat(int32_t col, int32_t row, TGridDrawState state,
                                TFormatOptions& format) {
  if (HighLightQuery(col, row)) format.Brush->SetColor(fHighLightColor);
  TSortGrid::GetCellFormat(col, row, state, format);
}

void TSortGridEx::DrawCell(int32_t col, int32_t row, const TRect& rect, TGridDrawState state) {
  if (IsDesigning()) {
    TSortGrid::DrawCell(col, row, rect, state);
    return;
  }
  bool handled = false;
  BeforeDrawCell(this, col, row, rect, state, handled);
  if (!handled) {
    if (SelectQuery(col, row))
      DrawCheckBox(col, row, rect, state);
    else
      TSortGrid::DrawCell(col, row, rect, state);
  }
  AfterDrawCell(this, col, row, rect, state);
}

// The cell in its format's colour, and in it a square box with a cross when marked.
void TSortGridEx::DrawCheckBox(int32_t col, int32_t row, const TRect& rect, TGridDrawState state) {
  TFormatOptions format = DefaultCellFormat();
  GetCellFormat(col, row, state, format);
  TCanvas* canvas = Canvas();
  canvas->FillRect(rect);
  TRect box{rect.Left + 2, rect.Top + 2, rect.Right - 2, rect.Bottom - 2};
  const int32_t side = std::min(box.Width(), box.Height());
  if (side <= 0) return;
  box.Left += (box.Width() - side) / 2;
  box.Top += (box.Height() - side) / 2;
  box.Right = box.Left + side;
  box.Bottom = box.Top + side;
  const TColor fill = canvas->Brush()->Color();
  canvas->Brush()->SetColor(Color());
  canvas->Pen()->SetColor(canvas->Font()->Color());
  canvas->Pen()->SetWidth(1);
  canvas->Rectangle(box);
  canvas->Brush()->SetColor(fill);
  const TRect cross{box.Left + 3, box.Top + 3, box.Right - 3, box.Bottom - 3};
  if (!GetSelectedFast(col, row) || cross.Width() < 2) return;
  canvas->Pen()->SetWidth(2);
  canvas->Line(cross.Left, cross.Top, cross.Right - 1, cross.Bottom - 1);
  canvas->Line(cross.Left, cross.Bottom - 1, cross.Right - 1, cross.Top);
  canvas->Pen()->SetWidth(1);
}

// --- Mouse -------------------------------------------------------------------------------------

void TSortGridEx::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  int32_t col, row;
  MouseToCell(x, y, col, row);
  fDownCol = col;
  fDownRow = row;
  fDownButton = button;
  if (InsideGrid(col, row)) {
    CancelRangeSelect();
    bool begin = fAutoRangeSelect;
    if (begin) OnAutoRangeSelectQuery(this, button, shift, x, y, col, row, begin);
    if (begin) BeginRangeSelect(col, row);
  }
  TSortGrid::MouseDown(button, shift, x, y);
}

void TSortGridEx::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  if (fRange.Running()) {
    int32_t col, row;
    MouseToCell(x, y, col, row);
    if (InsideGrid(col, row)) AdjustRangeSelect(col, row);
  }
  TSortGrid::MouseMove(shift, x, y);
}

void TSortGridEx::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  int32_t col, row;
  MouseToCell(x, y, col, row);
  if (button == fDownButton && col == fDownCol && row == fDownRow)
    OnMouseClick(this, button, shift, x, y, col, row);
  if (fRange.Running()) {
    bool keep = true;
    OnAutoRangeSelectQuery(this, button, shift, x, y, col, row, keep);
    EndRangeSelect(keep);
  }
  TSortGrid::MouseUp(button, shift, x, y);
}

}  // namespace dravik
