// Reading large form streams (10, 20 and 40 MB of components and collections, all owned by the
// root) with the framework's reader and with Free Pascal's, in the same run. At the end: for each
// size, the ratio of the two, and how the framework's read time grows with the size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <string>

#include "platform/core/classes/Collection.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/forms/DataModule.h"
#include "platform/core/streams/FileStream.h"
#include "platform/core/streams/MemoryStream.h"
#include "platform/core/system/SystemInfo.h"
#include "platform/core/typinfo/ClassBuilder.h"

using namespace dravik;

namespace {

enum TBenchKind { bkNone, bkSmall, bkLarge };
const TTypeInfo& TypeInfoFor(TBenchKind) {
  static const TTypeInfo& info = MakeEnumType("TBenchKind", {"bkNone", "bkSmall", "bkLarge"});
  return info;
}
using TBenchKinds = TSet<TBenchKind, "TBenchKinds">;

class TBenchColumn : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TBenchColumn, TCollectionItem>("TBenchColumn", "BenchForms")
            .Property("Caption", &TBenchColumn::Caption)
            .Property("Width", &TBenchColumn::Width)
            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  std::string Caption;
  int32_t Width = 0;
};

class TBenchItem : public TComponent {
 public:
  explicit TBenchItem(TComponent* owner)
      : TComponent(owner), fColumns(std::make_unique<TCollection>(TBenchColumn::StaticClass())) {}
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TBenchItem, TComponent>("TBenchItem", "BenchForms")
            .Property("Caption", &TBenchItem::Caption)
            .Property("Hint", &TBenchItem::Hint)
            .Property("Count", &TBenchItem::Count)
            .Property("Kind", &TBenchItem::Kind)
            .Property("Kinds", &TBenchItem::Kinds)
            .Property("Ratio", &TBenchItem::Ratio)
            .Property("Lines", &TBenchItem::Lines)
            .Property("Columns", &TBenchItem::Columns)
            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TStrings* Lines() const { return fLines.get(); }
  TCollection* Columns() const { return fColumns.get(); }
  std::string Caption, Hint;
  int32_t Count = 0;
  TBenchKind Kind = bkNone;
  TBenchKinds Kinds;
  double Ratio = 0;

 private:
  std::unique_ptr<TStringList> fLines = std::make_unique<TStringList>();
  std::unique_ptr<TCollection> fColumns;
};

class TBenchRoot : public TDataModule {
 public:
  using TDataModule::TDataModule;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TBenchRoot, TDataModule>("TBenchRoot", "BenchForms").Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

const TClassRegistration kItem(TBenchItem::StaticClass());

// 670 components per MB, each with strings, numbers, a set, 20 lines and 10 columns, all owned
// by the root. Written once per size, removed at the end.
std::map<int, std::string>& StreamFiles() {
  static std::map<int, std::string> files;
  return files;
}

const std::string& StreamFile(int megabytes) {
  std::string& file = StreamFiles()[megabytes];
  if (!file.empty()) return file;
  auto root = MakeComponent<TBenchRoot>(nullptr);
  root->SetName("BenchRoot");
  for (int i = 0; i < 670 * megabytes; ++i) {
    auto* item = Create<TBenchItem>(root.get());
    item->SetName("Item" + std::to_string(i));
    item->Caption = "Caption of item number " + std::to_string(i);
    item->Hint = "A longer hint that explains what item " + std::to_string(i) +
                 " does, so that strings dominate the stream as they do in real forms. " +
                 std::string(300, 'x');
    item->Count = i * 37;
    item->Kind = static_cast<TBenchKind>(i % 3);
    item->Kinds = {bkSmall, bkLarge};
    item->Ratio = i / 7.0;
    for (int l = 0; l < 20; ++l)
      item->Lines()->Add("line " + std::to_string(l) + " of the item's list of lines");
    for (int c = 0; c < 10; ++c) {
      auto* column = static_cast<TBenchColumn*>(item->Columns()->Add());
      column->Caption = "Column " + std::to_string(c);
      column->Width = 64 + c;
    }
  }
  std::string name = GetTempPath() + "dravik_bench_form_" + std::to_string(megabytes) + ".bin";
  TFileStream out(name, fmCreate);
  WriteComponent(out, root.get());
  file = name;
  return file;
}

// Only the read is timed, as Free Pascal's reader times it; freeing the form is not.
void BM_ReadFramework(benchmark::State& state) {
  TMemoryStream data;
  data.LoadFromFile(StreamFile(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    state.PauseTiming();
    data.SetPosition(0);
    auto root = MakeComponent<TBenchRoot>(nullptr);
    state.ResumeTiming();
    ReadComponent(data, root.get());
    benchmark::DoNotOptimize(root->ComponentCount());
    state.PauseTiming();
    root.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * data.Size());
}
// Five runs per size; the summary takes the fastest, the one other work on the machine disturbed
// least.
BENCHMARK(BM_ReadFramework)
    ->Arg(10)
    ->Arg(20)
    ->Arg(40)
    ->Repetitions(5)
    ->ComputeStatistics("min",
                        [](const std::vector<double>& v) {
                          return *std::min_element(v.begin(), v.end());
                        })
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond);

void BM_ReadFreePascal(benchmark::State& state) {
  const std::string& file = StreamFile(static_cast<int>(state.range(0)));
  std::string command = std::string(DRAVIK_FPC_READER) + " " + file + " 1";
  TMemoryStream data;
  data.LoadFromFile(file);
  for (auto _ : state) {
    FILE* pipe = popen(command.c_str(), "r");
    long long nanoseconds = -1;
    if (!pipe || std::fscanf(pipe, "%lld", &nanoseconds) != 1) nanoseconds = -1;
    if (pipe) pclose(pipe);
    if (nanoseconds < 0) {
      state.SkipWithError("the Free Pascal reader did not run");
      return;
    }
    state.SetIterationTime(static_cast<double>(nanoseconds) / 1e9);
  }
  state.SetBytesProcessed(state.iterations() * data.Size());
}
BENCHMARK(BM_ReadFreePascal)
    ->Arg(10)
    ->Arg(20)
    ->Arg(40)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The time of one read per benchmark and size, for the summary; the framework's CPU time too,
// which other work on the machine disturbs less than its wall time.
std::map<int, double> gFramework, gFrameworkCpu, gFreePascal;

class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      std::string name = run.benchmark_name();
      bool framework = name.find("Framework") != std::string::npos;
      if (run.error_occurred || (framework && run.aggregate_name != "min")) continue;
      int megabytes = std::stoi(name.substr(name.find('/') + 1));
      double seconds = run.GetAdjustedRealTime() / 1e3;  // reported in milliseconds
      if (framework) {
        gFramework[megabytes] = seconds;
        gFrameworkCpu[megabytes] = run.GetAdjustedCPUTime() / 1e3;
      } else {
        gFreePascal[megabytes] = seconds;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const auto& [megabytes, seconds] : gFramework)
    if (gFreePascal.count(megabytes))
      std::cout << megabytes
                << " MB: framework / Free Pascal read time: " << seconds / gFreePascal[megabytes]
                << " (below 1: the framework is faster)\n";
  if (gFramework.count(10) && gFramework.count(40))
    std::cout << "framework read time, 40 MB / 10 MB: " << gFramework[40] / gFramework[10]
              << ", CPU time: " << gFrameworkCpu[40] / gFrameworkCpu[10] << " (linear: 4)\n";
  for (const auto& [megabytes, file] : StreamFiles()) std::remove(file.c_str());
  return 0;
}
