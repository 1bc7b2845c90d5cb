// Reading a translated form of 10,000, 40,000 and 160,000 components, each with a collection
// whose items refer to components, and the TDravik entries of all of them (nested collections
// with references): how the read grows with the form. Four times the components should take
// about four times the time; the growth is printed at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "bench/TimesReporter.h"
#include "bench/TranslatedForm.h"
#include "platform/core/filer/Reader.h"

using namespace dravik;

namespace {

const std::string& Stream(int components) {
  static std::map<int, std::string> streams;
  std::string& made = streams[components];
  if (made.empty()) made = bench::TranslatedFormStream(components);
  return made;
}

void BM_ReadTranslatedForm(benchmark::State& state) {
  const int components = static_cast<int>(state.range(0));
  const std::string& bytes = Stream(components);
  for (auto _ : state) {
    TStringStream data(bytes);
    TReader reader(data);
    TComponentPtr<TComponent> root(reader.ReadRootComponent(nullptr));
    if (root->ComponentCount() != components + 1) state.SkipWithError("components are missing");
    state.PauseTiming();
    root.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadTranslatedForm)
    ->Arg(10000)
    ->Arg(40000)
    ->Arg(160000)
    ->Unit(benchmark::kMillisecond);

void PrintGrowth(const TBenchTimes& times) {
  const std::string name = "BM_ReadTranslatedForm/";
  for (auto [from, to] : {std::pair{10000, 40000}, std::pair{40000, 160000}}) {
    const double small = CpuTime(times, name + std::to_string(from));
    const double large = CpuTime(times, name + std::to_string(to));
    if (small > 0 && large > 0)
      std::printf("read of %d against %d components (CPU time): %.2f times (linear: 4)\n", to, from,
                  large / small);
  }
}

}  // namespace

int main(int argc, char** argv) {
  return RunComparison(argc, argv, PrintGrowth);
}
