#include "widgets/SortGrid.h"

#include <QApplication>
#include <algorithm>

#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {

const TClassRegistration kRegistrations[] = {
    TClassRegistration(TSortGrid::StaticClass()),
};

}  // namespace

const TTypeInfo& TypeInfoFor(TSortStyle) {
  static const TTypeInfo& info =
      MakeEnumType("TSortStyle", {"ssAutomatic", "ssAlphabetic", "ssNumeric", "ssDate"});
  return info;
}

const TTypeInfo& TypeInfoFor(TSortDirection) {
  static const TTypeInfo& info = MakeEnumType("TSortDirection", {"sdAscending", "sdDescending"});
  return info;
}

const TTypeInfo& TypeInfoFor(TCellBevelStyle) {
  static const TTypeInfo& info =
      MakeEnumType("TCellBevelStyle", {"cbNone", "cbRaised", "cbLowered"});
  return info;
}

const TTypeInfo& TypeInfoFor(TVertAlignment) {
  static const TTypeInfo& info =
      MakeEnumType("TVertAlignment", {"taTopJustify", "taBottomJustify", "taMiddle"});
  return info;
}

const TClassRecord& TSortGrid::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TSortGrid, TStringGrid>("TSortGrid", "SortGrid")
          .Property("AlignmentHorz", &TSortGrid::AlignmentHorz, &TSortGrid::SetAlignmentHorz)
          .Default(taLeftJustify)
          .Property("AlignmentVert", &TSortGrid::AlignmentVert, &TSortGrid::SetAlignmentVert)
          .Default(taTopJustify)
          .Property("BevelStyle", &TSortGrid::BevelStyle, &TSortGrid::SetBevelStyle)
          .Default(cbNone)
          .Property("ClickSorting", &TSortGrid::ClickSorting, &TSortGrid::SetClickSorting)
          .Default(true)
          .Property("ExtendedKeys", &TSortGrid::ExtendedKeys, &TSortGrid::SetExtendedKeys)
          .Default(false)
          .Property("ProportionalScrollBars", &TSortGrid::ProportionalScrollBars,
                    &TSortGrid::SetProportionalScrollBars)
          .Default(false)
          .Event("OnBeginSort", &TSortGrid::OnBeginSort)
          .Event("OnCellValidate", &TSortGrid::OnCellValidate)
          .Event("OnClickSort", &TSortGrid::OnClickSort)
          .Event("OnColumnDelete", &TSortGrid::OnColumnDelete)
          .Event("OnColumnInsert", &TSortGrid::OnColumnInsert)
          .Event("OnColumnWidthsChanged", &TSortGrid::OnColumnWidthsChanged)
          .Event("OnEndSort", &TSortGrid::OnEndSort)
          .Event("OnGetCellFormat", &TSortGrid::OnGetCellFormat)
          .Event("OnRowDelete", &TSortGrid::OnRowDelete)
          .Event("OnRowHeightsChanged", &TSortGrid::OnRowHeightsChanged)
          .Event("OnRowInsert", &TSortGrid::OnRowInsert)
          .Event("OnSizeChanged", &TSortGrid::OnSizeChanged)
          .Build();
  return record;
}

TSortGrid::TSortGrid(TComponent* owner) : TStringGrid(owner) {}

void TSortGrid::SetAlignmentHorz(TAlignment value) {
  fAlignmentHorz = value;
  Invalidate();
}

void TSortGrid::SetAlignmentVert(TVertAlignment value) {
  fAlignmentVert = value;
  Invalidate();
}

void TSortGrid::SetBevelStyle(TCellBevelStyle value) {
  fBevelStyle = value;
  Invalidate();
}

void TSortGrid::SetProportionalScrollBars(bool value) {
  fProportionalScrollBars = value;
  UpdateScrollBars();
}

// --- Formatting and drawing --------------------------------------------------------------------

TFormatOptions TSortGrid::DefaultCellFormat() {
  TFormatOptions format;
  format.Brush = Canvas()->Brush();
  format.Font = Canvas()->Font();
  format.AlignmentHorz = fAlignmentHorz;
  format.AlignmentVert = fAlignmentVert;
  format.Bevel = fBevelStyle;
  switch (fBevelStyle) {
    case cbRaised:
      format.UpperLeftColor = clBtnHighlight;
      format.LowerRightColor = clBtnShadow;
      break;
    case cbLowered:
      format.UpperLeftColor = clBtnShadow;
      format.LowerRightColor = clBtnHighlight;
      break;
    case cbNone:
      format.UpperLeftColor = format.LowerRightColor = clWindow;
      break;
  }
  return format;
}

void TSortGrid::GetCellFormat(int32_t col, int32_t row, TGridDrawState state,
                              TFormatOptions& format) {
  OnGetCellFormat(this, col, row, state, format);
}

void TSortGrid::DrawCell(int32_t col, int32_t row, const TRect& rect, TGridDrawState state) {
  if (DefaultDrawing())
    DrawFormattedCell(col, row, rect, state);
  else
    TStringGrid::DrawCell(col, row, rect, state);
}

void TSortGrid::DrawFormattedCell(int32_t col, int32_t row, const TRect& rect,
                                  TGridDrawState state) {
  TFormatOptions format = DefaultCellFormat();
  GetCellFormat(col, row, state, format);
  TCanvas* canvas = Canvas();
  canvas->FillRect(rect);
  if (!format.HideText) {
    const std::string& text = Cells(col, row);
    int32_t x = rect.Left + 2;
    if (format.AlignmentHorz == taRightJustify)
      x = rect.Right - 2 - canvas->TextWidth(text);
    else if (format.AlignmentHorz == taCenter)
      x = rect.Left + (rect.Width() - canvas->TextWidth(text)) / 2;
    int32_t y = rect.Top + 2;
    if (format.AlignmentVert == taBottomJustify)
      y = rect.Bottom - 3 - canvas->TextHeight(text);
    else if (format.AlignmentVert == taMiddle)
      y = rect.Top + (rect.Height() - canvas->TextHeight(text)) / 2;
    canvas->TextRect(rect, x, y, text);
  }
  if (format.Bevel == cbNone || col < FixedCols() || row < FixedRows()) return;
  const int32_t right = rect.Right - 1, bottom = rect.Bottom - 1;
  TPen* pen = canvas->Pen();
  pen->SetWidth(1);
  pen->SetColor(format.LowerRightColor);
  if (Options().Contains(goFixedVertLine)) canvas->Line(right, rect.Top, right, bottom);
  if (Options().Contains(goFixedHorzLine)) canvas->Line(rect.Left, bottom, right, bottom);
  pen->SetColor(format.UpperLeftColor);
  if (Options().Contains(goFixedVertLine)) canvas->Line(rect.Left, rect.Top, rect.Left, bottom);
  if (Options().Contains(goFixedHorzLine)) canvas->Line(rect.Left, rect.Top, right, rect.Top);
}

// --- Column sizing -----------------------------------------------------------------------------

TGridDrawState TSortGrid::GetCellDrawState(int32_t col, int32_t row) const {
  TGridDrawState state;
  if (row < FixedRows() && col < FixedCols()) state.Include(gdFixed);
  if (Focused() && col == Col() && row == Row()) state.Include(gdFocused);
  const TGridRect s = Selection();
  if (col >= s.Left && col <= s.Right && row >= s.Top && row <= s.Bottom) state.Include(gdSelected);
  return state;
}

void TSortGrid::AutoSizeCol(int32_t col) {
  int32_t widest = 0;
  TCanvas* canvas = Canvas();
  for (int32_t row = 0; row < RowCount(); ++row) {
    canvas->Font()->Assign(Font());
    TFormatOptions format = DefaultCellFormat();
    GetCellFormat(col, row, GetCellDrawState(col, row), format);
    widest = std::max(widest, canvas->TextWidth(Cells(col, row)));
  }
  canvas->Font()->Assign(Font());
  SetColWidths(col, widest + canvas->TextWidth("x"));
}

void TSortGrid::AutoSizeColumns(bool doFixedCols, int32_t padding) {
  for (int32_t col = doFixedCols ? 0 : FixedCols(); col < ColCount(); ++col) {
    AutoSizeCol(col);
    if (padding != 0) SetColWidths(col, ColWidths(col) + padding);
  }
}

// --- Cell validation ---------------------------------------------------------------------------

void TSortGrid::DoEnter() {
  fEntered = true;
  InitValidate();
  TStringGrid::DoEnter();
}

void TSortGrid::DoExit() {
  fEntered = false;
  TStringGrid::DoExit();
}

void TSortGrid::SetEditText(int32_t col, int32_t row, const std::string& value) {
  if (value != Cells(col, row)) fEdited = true;
  TStringGrid::SetEditText(col, row, value);
}

void TSortGrid::Click() {
  if (fEntered) ValidateCell();
  TStringGrid::Click();
}

void TSortGrid::InitValidate() {
  fValidateCol = Col();
  fValidateRow = Row();
  fValidateText = Cells(fValidateCol, fValidateRow);
  fValidateEdited = fEdited;
}

void TSortGrid::ValidateCell() {
  const int32_t col = fValidateCol, row = fValidateRow;
  // A reference cell that was deleted since has nothing left to validate.
  const bool inside = col >= 0 && col < ColCount() && row >= 0 && row < RowCount();
  if (inside && Cells(col, row) != fValidateText) {
    std::string value = Cells(col, row);
    bool valid = true;
    OnCellValidate(this, col, row, value, valid);
    if (valid) {
      if (value != Cells(col, row)) SetCells(col, row, value);
    } else {
      SetCells(col, row, value == Cells(col, row) ? fValidateText : value);
      fEdited = fValidateEdited;
    }
  }
  InitValidate();
}

// --- Events of sizes and the scroll bars -------------------------------------------------------

void TSortGrid::ColWidthsChanged() {
  TStringGrid::ColWidthsChanged();
  OnColumnWidthsChanged(this);
  UpdateScrollBars();
}

void TSortGrid::RowHeightsChanged() {
  TStringGrid::RowHeightsChanged();
  OnRowHeightsChanged(this);
  UpdateScrollBars();
}

void TSortGrid::SizeChanged(int32_t oldColCount, int32_t oldRowCount) {
  OnSizeChanged(this, oldColCount, oldRowCount);
  TStringGrid::SizeChanged(oldColCount, oldRowCount);
}

int32_t TSortGrid::ScrollPageSize(TScrollBarKind, int32_t visibleCount) const {
  return fProportionalScrollBars ? std::max(1, visibleCount) : 0;
}

// --- Mouse and keys ----------------------------------------------------------------------------

void TSortGrid::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TStringGrid::MouseUp(button, shift, x, y);
  const bool modifiers = shift.Contains(ssShift) || shift.Contains(ssCtrl) || shift.Contains(ssAlt);
  if (!Focused() || !fClickSorting || EditorMode() || FixedRows() == 0 || modifiers) return;
  if (button != mbLeft && button != mbRight) return;
  int32_t col, row;
  MouseToCell(x, y, col, row);
  if (col < 0 || row < 0 || row >= FixedRows()) return;
  TSortOptions options{ssAutomatic, button == mbLeft ? sdAscending : sdDescending, true};
  OnClickSort(this, col, row, options);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    SortByColumn(col, options);
  } catch (...) {
    QApplication::restoreOverrideCursor();
    throw;
  }
  QApplication::restoreOverrideCursor();
}

void TSortGrid::KeyDown(int& key, TShiftState shift) {
  if (fExtendedKeys && !EditorMode() && shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
    const bool columns = shift.Contains(ssShift);
    if (key == Qt::Key_Insert) {
      columns ? InsertColumn(Col()) : InsertRow(Row());
      key = 0;
    } else if (key == Qt::Key_Delete) {
      if (columns && ColCount() - FixedCols() > 1) DeleteColumn(Col());
      if (!columns && RowCount() - FixedRows() > 1) DeleteRow(Row());
      key = 0;
    }
  }
  TStringGrid::KeyDown(key, shift);
}

// --- Helpers -----------------------------------------------------------------------------------

void AdjustGridDefaultRowHeight(TStringGrid* grid) {
  grid->Canvas()->Font()->Assign(grid->Font());
  grid->SetDefaultRowHeight(grid->Canvas()->TextHeight("ABC") + 4);
}

void GridFontChanged(TSortGrid* grid) {
  AdjustGridDefaultRowHeight(grid);
  grid->AutoSizeColumns(true, 0);
}

}  // namespace dravik
