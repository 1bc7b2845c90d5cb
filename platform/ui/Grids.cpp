#include "platform/ui/Grids.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QPalette>
#include <QTableView>
#include <algorithm>

#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {

const TClassRegistration kRegistrations[] = {
    TClassRegistration(TStringGrid::StaticClass()),
};

}  // namespace

// The grid's cells as Qt's views read them; fixed cells are painted like buttons.
class TGridModel : public QAbstractTableModel {
 public:
  explicit TGridModel(TStringGrid* grid) : fGrid(grid) {}
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : fGrid->fRowCount;
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : fGrid->fColCount;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    const bool fixed = index.column() < fGrid->fFixedCols || index.row() < fGrid->fFixedRows;
    if (role == Qt::DisplayRole || role == Qt::EditRole)
      return QString::fromStdString(fGrid->Cells(index.column(), index.row()));
    if (role == Qt::BackgroundRole && fixed) return QApplication::palette().button();
    return {};
  }
  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (role != Qt::EditRole) return false;
    fGrid->SetCells(index.column(), index.row(), value.toString().toStdString());
    return true;
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (index.column() < fGrid->fFixedCols || index.row() < fGrid->fFixedRows)
      return Qt::ItemIsEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (fGrid->fOptions.Contains(goEditing)) flags |= Qt::ItemIsEditable;
    return flags;
  }
  void Reset() {
    beginResetModel();
    endResetModel();
  }
  void CellChanged(int col, int row) {
    const QModelIndex at = index(row, col);
    emit dataChanged(at, at);
  }

 private:
  TStringGrid* fGrid;
};

const TTypeInfo& TypeInfoFor(TGridOption) {
  static const TTypeInfo& info = MakeEnumType(
      "TGridOption",
      {"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
       "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving",
       "goEditing", "goTabs", "goRowSelect", "goAlwaysShowEditor", "goThumbTracking"});
  return info;
}

const TClassRecord& TStringGrid::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TStringGrid, TWinControl>("TStringGrid", "Grids")
          .Property("ColCount", &TStringGrid::ColCount, &TStringGrid::SetColCount)
          .Default(5)
          .Property("DefaultColWidth", &TStringGrid::DefaultColWidth,
                    &TStringGrid::SetDefaultColWidth)
          .Default(64)
          .Property("DefaultRowHeight", &TStringGrid::DefaultRowHeight,
                    &TStringGrid::SetDefaultRowHeight)
          .Default(24)
          .Property("FixedCols", &TStringGrid::FixedCols, &TStringGrid::SetFixedCols)
          .Default(1)
          .Property("FixedRows", &TStringGrid::FixedRows, &TStringGrid::SetFixedRows)
          .Default(1)
          .Property("Options", &TStringGrid::Options, &TStringGrid::SetOptions)
          .Default(0b11111)
          .Property("RowCount", &TStringGrid::RowCount, &TStringGrid::SetRowCount)
          .Default(5)
          .Event("OnSelectCell", &TStringGrid::OnSelectCell)
          .Build();
  return record;
}

TStringGrid::TStringGrid(TComponent* owner)
    : TWinControl(owner), fCells(static_cast<std::size_t>(fColCount * fRowCount)) {
  SetBounds(0, 0, 320, 120);
  SetColor(clWindow);
}

void TStringGrid::BeforeDestruction() {
  DestroyWidget();  // the view goes before the model it reads
  fModel.reset();
  TWinControl::BeforeDestruction();
}

QTableView* TStringGrid::View() const {
  return static_cast<QTableView*>(Widget());
}

QWidget* TStringGrid::CreateWidget(QWidget* parentWidget) {
  if (!fModel) fModel = std::make_unique<TGridModel>(this);
  auto* view = new QTableView(parentWidget);
  view->horizontalHeader()->hide();
  view->verticalHeader()->hide();
  view->setModel(fModel.get());
  QObject::connect(view->selectionModel(), &QItemSelectionModel::currentChanged,
                   [this](const QModelIndex& current) {
                     if (fUpdatingWidget || !current.isValid()) return;
                     fCol = current.column();
                     fRow = current.row();
                     OnSelectCell(this);
                   });
  return view;
}

void TStringGrid::InitWidget() {
  TWinControl::InitWidget();
  LayoutToWidget();
}

void TStringGrid::LayoutToWidget() {
  QTableView* view = View();
  if (!view) return;
  fUpdatingWidget = true;
  view->horizontalHeader()->setDefaultSectionSize(fDefaultColWidth);
  view->verticalHeader()->setDefaultSectionSize(fDefaultRowHeight);
  view->horizontalHeader()->setMinimumSectionSize(1);
  view->verticalHeader()->setMinimumSectionSize(1);
  view->setShowGrid(fOptions.Contains(goVertLine) || fOptions.Contains(goHorzLine));
  view->setSelectionBehavior(fOptions.Contains(goRowSelect) ? QAbstractItemView::SelectRows
                                                            : QAbstractItemView::SelectItems);
  view->setSelectionMode(fOptions.Contains(goRangeSelect) ? QAbstractItemView::ContiguousSelection
                                                          : QAbstractItemView::SingleSelection);
  view->setEditTriggers(fOptions.Contains(goEditing) ? QAbstractItemView::AllEditTriggers
                                                     : QAbstractItemView::NoEditTriggers);
  view->horizontalHeader()->setSectionResizeMode(
      fOptions.Contains(goColSizing) ? QHeaderView::Interactive : QHeaderView::Fixed);
  view->verticalHeader()->setSectionResizeMode(
      fOptions.Contains(goRowSizing) ? QHeaderView::Interactive : QHeaderView::Fixed);
  if (fCol < fColCount && fRow < fRowCount) view->setCurrentIndex(fModel->index(fRow, fCol));
  fUpdatingWidget = false;
}

// Cells keep their place when the grid grows or shrinks.
void TStringGrid::Resize(int32_t cols, int32_t rows) {
  cols = std::max(cols, 0);
  rows = std::max(rows, 0);
  if (cols == fColCount && rows == fRowCount) return;
  std::vector<std::string> cells(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
  for (int32_t r = 0; r < std::min(rows, fRowCount); ++r)
    for (int32_t c = 0; c < std::min(cols, fColCount); ++c)
      cells[static_cast<std::size_t>(r * cols + c)] =
          std::move(fCells[static_cast<std::size_t>(r * fColCount + c)]);
  fCells = std::move(cells);
  fColCount = cols;
  fRowCount = rows;
  fFixedCols = std::min(fFixedCols, std::max(cols - 1, 0));
  fFixedRows = std::min(fFixedRows, std::max(rows - 1, 0));
  fCol = std::clamp(fCol, fFixedCols, std::max(fFixedCols, cols - 1));
  fRow = std::clamp(fRow, fFixedRows, std::max(fFixedRows, rows - 1));
  if (fModel) fModel->Reset();
  LayoutToWidget();
}

void TStringGrid::SetFixedCols(int32_t value) {
  // Reading a form file may name the fixed columns before the column count.
  if (value < 0 || (value >= fColCount && !IsLoading()))
    throw EInvalidOperation("Fixed column count must be less than column count");
  fFixedCols = value;
  if (fModel) fModel->Reset();
  LayoutToWidget();
}

void TStringGrid::SetFixedRows(int32_t value) {
  if (value < 0 || (value >= fRowCount && !IsLoading()))
    throw EInvalidOperation("Fixed row count must be less than row count");
  fFixedRows = value;
  if (fModel) fModel->Reset();
  LayoutToWidget();
}

void TStringGrid::SetDefaultColWidth(int32_t value) {
  fDefaultColWidth = value;
  LayoutToWidget();
}

void TStringGrid::SetDefaultRowHeight(int32_t value) {
  fDefaultRowHeight = value;
  LayoutToWidget();
}

void TStringGrid::SetOptions(TGridOptions value) {
  fOptions = value;
  LayoutToWidget();
}

void TStringGrid::SetCurrent(int32_t col, int32_t row) {
  if (col < fFixedCols || col >= fColCount || row < fFixedRows || row >= fRowCount)
    throw EInvalidOperation("Grid index out of range");
  fCol = col;
  fRow = row;
  LayoutToWidget();
}

const std::string& TStringGrid::Cells(int32_t col, int32_t row) const {
  static const std::string empty;
  if (col < 0 || col >= fColCount || row < 0 || row >= fRowCount) return empty;
  return fCells[static_cast<std::size_t>(row * fColCount + col)];
}

void TStringGrid::SetCells(int32_t col, int32_t row, const std::string& value) {
  if (col < 0 || col >= fColCount || row < 0 || row >= fRowCount)
    throw EInvalidOperation("Grid index out of range");
  fCells[static_cast<std::size_t>(row * fColCount + col)] = value;
  if (fModel) fModel->CellChanged(col, row);
}

}  // namespace dravik
