// Reading a large form stream (about 10 MB of components and collections) with the framework's
// reader and with Free Pascal's, in the same run; the ratio is printed at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

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

// About 10 MB: 6700 components, each with strings, numbers, a set, 20 lines and 10 columns.
const std::string& StreamFile() {
  static const std::string file = [] {
    TBenchRoot root(nullptr);
    root.SetName("BenchRoot");
    for (int i = 0; i < 6700; ++i) {
      auto* item = new TBenchItem(&root);
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
    std::string name = GetTempPath() + "dravik_bench_form.bin";
    TFileStream out(name, fmCreate);
    WriteComponent(out, &root);
    return name;
  }();
  return file;
}

double gFrameworkSeconds = 0, gFreePascalSeconds = 0;

void BM_ReadFramework(benchmark::State& state) {
  TMemoryStream data;
  data.LoadFromFile(StreamFile());
  for (auto _ : state) {
    data.SetPosition(0);
    TBenchRoot root(nullptr);
    ReadComponent(data, &root);
    benchmark::DoNotOptimize(root.ComponentCount());
  }
  state.SetBytesProcessed(state.iterations() * data.Size());
}
BENCHMARK(BM_ReadFramework)->Unit(benchmark::kMillisecond);

void BM_ReadFreePascal(benchmark::State& state) {
  std::string command = std::string(DRAVIK_FPC_READER) + " " + StreamFile() + " 3";
  TMemoryStream data;
  data.LoadFromFile(StreamFile());
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
BENCHMARK(BM_ReadFreePascal)->UseManualTime()->Unit(benchmark::kMillisecond);

// Remembers the time per read of both benchmarks to print their ratio.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      double seconds = run.GetAdjustedRealTime() / 1e3;  // reported in milliseconds
      if (run.benchmark_name().find("Framework") != std::string::npos) gFrameworkSeconds = seconds;
      if (run.benchmark_name().find("FreePascal") != std::string::npos)
        gFreePascalSeconds = seconds;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (gFrameworkSeconds > 0 && gFreePascalSeconds > 0)
    std::cout << "framework / Free Pascal read time: " << gFrameworkSeconds / gFreePascalSeconds
              << " (below 1: the framework is faster)\n";
  std::remove(StreamFile().c_str());
  return 0;
}
