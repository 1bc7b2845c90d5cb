// Reading translators' files: an XLIFF or PO file of N units read and turned into the language
// file section the import takes. The time grows with the units, not with their square: the
// growth from N to 10 N is measured pair by pair, in CPU time of this thread; linear growth is a
// ratio of 10.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "runtime/TranslationFormats.h"

using namespace dravik;

namespace {

TTranslationSet Units(int count) {
  TTranslationSet set{"English", "Deutsch", {}, {}};
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    set.Units.push_back({"Label" + n + ".Caption",
                         "Caption " + n,
                         "Beschriftung " + n,
                         i % 10 == 0,
                         {"note " + n},
                         {}});
  }
  return set;
}

using TReader = TTranslationSet (*)(std::string_view, const std::string&);

void Read(const std::string& text, TReader reader, benchmark::State& state) {
  const TImportSection section = LanguageFileSection(reader(text, "bench"), "TForm1.Deutsch");
  if (!section.Refused.empty()) state.SkipWithError("units were refused");
  benchmark::DoNotOptimize(section.Text.data());
}

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Rounds of ten reads of N units and one of 10 N; a round's ratio is the large read's time over
// the mean of the small ones. Counters: the median, lowest and highest ratio.
void Growth(benchmark::State& state,
            std::string (*writer)(const TTranslationSet&, const std::string&), TReader reader) {
  const int units = static_cast<int>(state.range(0));
  const std::string small = writer(Units(units), "TForm1");
  const std::string large = writer(Units(units * 10), "TForm1");
  std::vector<double> ratios;
  for (auto _ : state) {
    const double start = ThreadSeconds();
    for (int i = 0; i < 10; ++i) Read(small, reader, state);
    const double middle = ThreadSeconds();
    Read(large, reader, state);
    const double end = ThreadSeconds();
    ratios.push_back((end - middle) / ((middle - start) / 10));
    state.SetIterationTime(end - middle);
  }
  std::sort(ratios.begin(), ratios.end());
  state.counters["ratio"] = ratios[ratios.size() / 2];
  state.counters["lowest"] = ratios.front();
  state.counters["highest"] = ratios.back();
}

void BM_XliffGrowth(benchmark::State& state) {
  Growth(state, WriteXliff, ReadXliff);
}
void BM_PoGrowth(benchmark::State& state) {
  Growth(state, WritePo, ReadPo);
}
// 10,000 against 100,000 units.
BENCHMARK(BM_XliffGrowth)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(BM_PoGrowth)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
