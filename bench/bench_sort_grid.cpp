// The sortable grid with 100,000 rows against Qt's QTableWidget holding the same texts: sorting a
// column of numbers and a column of words, and scrolling from the top to the bottom with every
// step painted. Both are real widgets on an offscreen screen. The ratios are printed at the end.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <cstdio>
#include <map>
#include <memory>
#include <random>

#include "bench/TimesReporter.h"
#include "platform/core/system/SysUtils.h"
#include "widgets/SortGrid.h"

using namespace dravik;

namespace {

constexpr int32_t kRows = 100000;
constexpr int kScrollSteps = 500;

// Column 0 numbers the rows, column 1 holds numbers, column 2 words; in a random order.
struct TData {
  std::vector<std::string> Numbers, Words;
  TData() {
    std::mt19937 random(42);
    std::uniform_real_distribution<double> number(-1e6, 1e6);
    std::uniform_int_distribution<int> letter('a', 'z'), length(3, 12);
    for (int32_t row = 0; row < kRows; ++row) {
      Numbers.push_back(Format("%.2f", {number(random)}));
      std::string word(static_cast<std::size_t>(length(random)), ' ');
      for (char& c : word) c = static_cast<char>(letter(random));
      Words.push_back(word);
    }
  }
};

const TData& Data() {
  static const TData data;
  return data;
}

// What a grid holds before each sort: a header row and the rows in their random order.
std::vector<std::string> GridCells() {
  std::vector<std::string> cells{"#", "Number", "Word"};
  for (int32_t row = 0; row < kRows; ++row) {
    cells.push_back(IntToStr(row));
    cells.push_back(Data().Numbers[static_cast<std::size_t>(row)]);
    cells.push_back(Data().Words[static_cast<std::size_t>(row)]);
  }
  return cells;
}

class TGridFixture {
 public:
  TGridFixture() : fGrid(MakeComponent<TSortGrid>(nullptr)), fCells(GridCells()) {
    fGrid->SetBounds(0, 0, 600, 400);
    Refill();
    fGrid->HandleNeeded();
    fGrid->View()->show();
    QApplication::processEvents();
  }
  void Refill() { fGrid->ReplaceCells(3, kRows + 1, fCells); }
  TSortGrid* Grid() const { return fGrid.get(); }

 private:
  TComponentPtr<TSortGrid> fGrid;
  std::vector<std::string> fCells;
};

// Numbers are numbers to Qt's items, as a Qt program would hold them; words are strings.
class TTableWidgetFixture {
 public:
  TTableWidgetFixture() : fTable(std::make_unique<QTableWidget>(kRows, 3)) {
    fTable->resize(600, 400);
    fTable->setHorizontalHeaderLabels({"#", "Number", "Word"});
    for (int32_t row = 0; row < kRows; ++row) {
      auto* index = new QTableWidgetItem;
      index->setData(Qt::DisplayRole, row);
      fTable->setItem(row, 0, index);
      auto* number = new QTableWidgetItem;
      number->setData(Qt::DisplayRole, std::stod(Data().Numbers[static_cast<std::size_t>(row)]));
      fTable->setItem(row, 1, number);
      fTable->setItem(row, 2,
                      new QTableWidgetItem(
                          QString::fromStdString(Data().Words[static_cast<std::size_t>(row)])));
    }
    fTable->show();
    QApplication::processEvents();
  }
  // Back to the random order, by the row numbers.
  void Refill() { fTable->sortItems(0); }
  QTableWidget* Table() const { return fTable.get(); }

 private:
  std::unique_ptr<QTableWidget> fTable;
};

// Made on first use and freed before the application object goes.
std::unique_ptr<TGridFixture> gGrid;
std::unique_ptr<TTableWidgetFixture> gTable;

TGridFixture& Grid() {
  if (!gGrid) gGrid = std::make_unique<TGridFixture>();
  return *gGrid;
}

TTableWidgetFixture& Table() {
  if (!gTable) gTable = std::make_unique<TTableWidgetFixture>();
  return *gTable;
}

void SortGrid(benchmark::State& state, int32_t col) {
  TSortGrid* grid = Grid().Grid();
  for (auto _ : state) {
    state.PauseTiming();
    Grid().Refill();
    state.ResumeTiming();
    grid->SortByColumn(col, {ssAutomatic, sdAscending, true});
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

void SortTableWidget(benchmark::State& state, int col) {
  QTableWidget* table = Table().Table();
  for (auto _ : state) {
    state.PauseTiming();
    Table().Refill();
    state.ResumeTiming();
    table->sortItems(col);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

// Every step of the way down is painted at once, as a user dragging the scroll bar sees it.
void Scroll(benchmark::State& state, QAbstractItemView* view) {
  QScrollBar* bar = view->verticalScrollBar();
  for (auto _ : state) {
    for (int step = 0; step <= kScrollSteps; ++step) {
      bar->setValue(static_cast<int>(int64_t(bar->maximum()) * step / kScrollSteps));
      view->viewport()->repaint();
    }
  }
  state.SetItemsProcessed(state.iterations() * (kScrollSteps + 1));
}

void BM_SortGridNumbers(benchmark::State& state) {
  SortGrid(state, 1);
}
void BM_TableWidgetSortNumbers(benchmark::State& state) {
  SortTableWidget(state, 1);
}
void BM_SortGridWords(benchmark::State& state) {
  SortGrid(state, 2);
}
void BM_TableWidgetSortWords(benchmark::State& state) {
  SortTableWidget(state, 2);
}
void BM_SortGridScroll(benchmark::State& state) {
  Scroll(state, Grid().Grid()->View());
}
void BM_TableWidgetScroll(benchmark::State& state) {
  Scroll(state, Table().Table());
}

BENCHMARK(BM_SortGridNumbers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableWidgetSortNumbers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortGridWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableWidgetSortWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortGridScroll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableWidgetScroll)->Unit(benchmark::kMillisecond);

// After the table: each grid time over the table widget's, in real and in CPU time (painting
// offscreen waits on more than the CPU).
void PrintRatios(const TBenchTimes& times) {
  const struct {
    const char* What;
    const char* Grid;
    const char* Table;
  } pairs[] = {{"sort numbers", "BM_SortGridNumbers", "BM_TableWidgetSortNumbers"},
               {"sort words", "BM_SortGridWords", "BM_TableWidgetSortWords"},
               {"scroll", "BM_SortGridScroll", "BM_TableWidgetScroll"}};
  for (const auto& pair : pairs) {
    const auto grid = times.find(pair.Grid), table = times.find(pair.Table);
    if (grid == times.end() || table == times.end()) continue;
    const TBenchTime& g = grid->second;
    const TBenchTime& t = table->second;
    if (g.Real > 0 && t.Real > 0 && g.Cpu > 0 && t.Cpu > 0)
      std::printf(
          "%-12s TSortGrid / QTableWidget: real %.3f (%.1f times as fast), CPU %.3f (%.1f)\n",
          pair.What, g.Real / t.Real, t.Real / g.Real, g.Cpu / t.Cpu, t.Cpu / g.Cpu);
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int code = RunComparison(argc, argv, PrintRatios);
  gGrid.reset();
  gTable.reset();
  return code;
}
