// Importing a language file into a form: the time grows with the data, not with its square.
// A form of N/2 components with a Caption and a Hint each (N properties), a file of ten
// languages (10 N lines), at N = 1,000, 10,000 (the 100,000-line case) and 100,000; then the
// growth from N to 10 N measured pair by pair.
#include <benchmark/benchmark.h>
#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

#include "library/FileTools.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "runtime/Dravik.h"

using namespace dravik;

namespace {

class TBenchLabel : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TBenchLabel, TComponent>("TBenchLabel", "BenchImport")
            .Property("Caption", &TBenchLabel::Caption)
            .Property("Hint", &TBenchLabel::Hint)
            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  std::string Caption, Hint;
};

class TBenchForm : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TBenchForm, TComponent>("TBenchForm", "BenchImport").Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

constexpr int kLanguages = 10;

struct TFixture {
  explicit TFixture(int properties) {
    form = MakeComponent<TBenchForm>(nullptr);
    form->SetName("Form1");
    for (int i = 0; i < properties / 2; ++i) {
      auto* label = Create<TBenchLabel>(form.get());
      label->SetName("Label" + std::to_string(i));
      label->Caption = "Caption " + std::to_string(i);
      label->Hint = "Hint " + std::to_string(i);
    }
    dravik = Create<TDravik>(form.get());
    dravik->SetName("Dravik");
    std::string text;
    for (int l = 0; l < kLanguages; ++l) {
      text += "[TBenchForm.Language" + std::to_string(l) + "]\r\n";
      for (int i = 0; i < properties / 2; ++i) {
        const std::string n = std::to_string(i);
        text += "Label" + n + ".Caption='Caption " + n + " in " + std::to_string(l) + "'\r\n";
        text += "Label" + n + ".Hint='Hint " + n + " in " + std::to_string(l) + "'\r\n";
      }
    }
    SaveFileAtomically(file.Create(), text);
    TLanguageManager::GetAvailLangSections(file.Name(), sections);
  }

  TComponentPtr<TBenchForm> form;
  TDravik* dravik = nullptr;
  TTemporaryFile file;
  TStringList sections;
};

void Import(TFixture& fixture, benchmark::State& state) {
  TStringList adjusted, rejected;
  fixture.dravik->LanguageManager()->ImportLanguages(fixture.file.Name(), nullptr, imClearExisting,
                                                     false, fixture.sections, &adjusted, &rejected);
  if (rejected.Count() > 0) state.SkipWithError("lines were rejected");
}

void BM_Import(benchmark::State& state) {
  TFixture fixture(static_cast<int>(state.range(0)));
  for (auto _ : state) Import(fixture, state);
  state.counters["lines"] = static_cast<double>(state.range(0) * kLanguages);
  state.SetItemsProcessed(state.iterations() * state.range(0) * kLanguages);
}
BENCHMARK(BM_Import)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The growth from N to 10 N properties, in rounds: ten imports of the N form, then one of the
// 10 N form, so that both halves of a round handle the same amount of data, each timed in CPU
// time of this thread. A round's ratio is the 10 N import's time over the mean of the N ones:
// taken round by round it stays sound while a shared machine's speed drifts. The counters are
// the median, lowest and highest ratio; linear growth is a ratio of 10.
void BM_ImportGrowth(benchmark::State& state) {
  const int properties = static_cast<int>(state.range(0));
  TFixture small(properties), large(properties * 10);
  std::vector<double> ratios;
  for (auto _ : state) {
    const double start = ThreadSeconds();
    for (int i = 0; i < 10; ++i) Import(small, state);
    const double middle = ThreadSeconds();
    Import(large, state);
    const double end = ThreadSeconds();
    ratios.push_back((end - middle) / ((middle - start) / 10));
    state.SetIterationTime(end - middle);
  }
  std::sort(ratios.begin(), ratios.end());
  state.counters["ratio"] = ratios[ratios.size() / 2];
  state.counters["lowest"] = ratios.front();
  state.counters["highest"] = ratios.back();
}
BENCHMARK(BM_ImportGrowth)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(7);

}  // namespace

BENCHMARK_MAIN();
