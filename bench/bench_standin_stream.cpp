// Reading a form of 10,000, 20,000 and 40,000 components with registered classes, and the same
// form with every class unknown, read as stand-ins. At the end: for each size, the stand-in read
// time against the registered one, and how the stand-in read grows with the size.
#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <memory>
#include <string>

#include "platform/core/classes/Collection.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/StandInClasses.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/forms/DataModule.h"
#include "platform/core/streams/MemoryStream.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/typinfo/ClassBuilder.h"

using namespace dravik;

namespace {

class TFormColumn : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TFormColumn, TCollectionItem>("TFormColumn", "BenchStandIns")
            .Property("Caption", &TFormColumn::Caption)
            .Property("Width", &TFormColumn::Width)
            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  std::string Caption;
  int32_t Width = 0;
};

class TFormControl : public TComponent {
 public:
  explicit TFormControl(TComponent* owner)
      : TComponent(owner), fColumns(std::make_unique<TCollection>(TFormColumn::StaticClass())) {}
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TFormControl, TComponent>("TFormControl", "BenchStandIns")
            .Property("Caption", &TFormControl::Caption)
            .Property("Hint", &TFormControl::Hint)
            .Property("Left", &TFormControl::Left)
            .Property("Top", &TFormControl::Top)
            .Property("Enabled", &TFormControl::Enabled)
            .Property("Ratio", &TFormControl::Ratio)
            .Property("Lines", &TFormControl::Lines)
            .Property("Columns", &TFormControl::Columns)
            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TStrings* Lines() const { return fLines.get(); }
  TCollection* Columns() const { return fColumns.get(); }
  std::string Caption, Hint;
  int32_t Left = 0, Top = 0;
  bool Enabled = false;
  double Ratio = 0;

 private:
  std::unique_ptr<TStringList> fLines = std::make_unique<TStringList>();
  std::unique_ptr<TCollection> fColumns;
};

class TFormRoot : public TDataModule {
 public:
  using TDataModule::TDataModule;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TFormRoot, TDataModule>("TFormRoot", "BenchStandIns").Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

const TClassRegistration kControl(TFormControl::StaticClass());
const TClassRegistration kRoot(TFormRoot::StaticClass());

// The form with its classes registered, and the same bytes naming classes nobody knows (names
// of the same length, so only the names change).
struct TForms {
  std::string Registered, Unknown;
};

const TForms& Forms(int components) {
  static std::map<int, TForms> forms;
  TForms& made = forms[components];
  if (!made.Registered.empty()) return made;
  auto root = MakeComponent<TFormRoot>(nullptr);
  root->SetName("BenchForm");
  for (int i = 0; i < components; ++i) {
    auto* control = Create<TFormControl>(root.get());
    control->SetName("Control" + std::to_string(i));
    control->Caption = "Caption " + std::to_string(i);
    control->Hint = "What control " + std::to_string(i) + " is for";
    control->Left = i % 800;
    control->Top = i / 800 * 24;
    control->Enabled = true;
    control->Ratio = i / 7.0;
    for (int l = 0; l < 3; ++l) control->Lines()->Add("line " + std::to_string(l));
    for (int c = 0; c < 2; ++c) {
      auto* column = static_cast<TFormColumn*>(control->Columns()->Add());
      column->Caption = "Column " + std::to_string(c);
      column->Width = 64 + c;
    }
  }
  TStringStream out;
  WriteComponent(out, root.get());
  made.Registered = out.DataString();
  made.Unknown = made.Registered;
  for (auto [from, to] :
       {std::pair<std::string, std::string>{"\x0CTFormControl", "\x0CTAlienWidget"},
        {"\x09TFormRoot", "\x09TAlienBox"}})
    for (std::size_t at = made.Unknown.find(from); at != std::string::npos;
         at = made.Unknown.find(from, at + to.size()))
      made.Unknown.replace(at, to.size(), to);
  return made;
}

template <bool StandIns>
void ReadForm(benchmark::State& state) {
  const TForms& forms = Forms(static_cast<int>(state.range(0)));
  const std::string& bytes = StandIns ? forms.Unknown : forms.Registered;
  for (auto _ : state) {
    TStringStream data(bytes);
    TReader reader(data);
    if (StandIns) reader.SetStandIns(std::make_shared<TStandInClasses>());
    TComponentPtr<TComponent> root(reader.ReadRootComponent(nullptr));
    benchmark::DoNotOptimize(root->ComponentCount());
    state.PauseTiming();
    root.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

void BM_ReadRegistered(benchmark::State& state) {
  ReadForm<false>(state);
}
void BM_ReadStandIns(benchmark::State& state) {
  ReadForm<true>(state);
}
BENCHMARK(BM_ReadRegistered)->Arg(10000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadStandIns)->Arg(10000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);

std::map<int, double> gRegistered, gStandIns;

class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      std::string name = run.benchmark_name();
      int components = std::stoi(name.substr(name.find('/') + 1));
      (name.find("StandIns") != std::string::npos ? gStandIns : gRegistered)[components] =
          run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const auto& [components, time] : gStandIns)
    if (gRegistered.count(components))
      std::cout << components << " components: stand-ins take " << time / gRegistered[components]
                << " times the registered read\n";
  if (gStandIns.count(10000) && gStandIns.count(40000))
    std::cout << "stand-ins, 40,000 against 10,000 components: "
              << gStandIns[40000] / gStandIns[10000] << " times the time\n";
  benchmark::Shutdown();
  return 0;
}
