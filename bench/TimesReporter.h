#pragma once
// The console report of a comparing benchmark program, then a summary of ratios: each
// benchmark's real and CPU time is kept (the median when the benchmarks are repeated) and handed
// to the program's summary once the table is printed.

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace dravik {

struct TBenchTime {
  double Real = 0;
  double Cpu = 0;
  bool Median = false;
};
using TBenchTimes = std::map<std::string, TBenchTime>;

class TTimesReporter : public benchmark::ConsoleReporter {
 public:
  using TSummary = std::function<void(const TBenchTimes& times)>;
  explicit TTimesReporter(TSummary summary) : fSummary(std::move(summary)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type != Run::RT_Iteration && !median) continue;
      const std::string& args = run.run_name.args;
      TBenchTime& time = fTimes[run.run_name.function_name + (args.empty() ? "" : "/" + args)];
      if (time.Median && !median) continue;
      time = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime(), median};
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    fSummary(fTimes);
  }

 private:
  TSummary fSummary;
  TBenchTimes fTimes;
};

// Runs the registered benchmarks with a TTimesReporter; the exit code of main.
inline int RunComparison(int& argc, char** argv, TTimesReporter::TSummary summary) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TTimesReporter reporter(std::move(summary));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

// The CPU time of name ("BM_Read/40000" with an argument), or 0 when it did not run.
inline double CpuTime(const TBenchTimes& times, const std::string& name) {
  const auto found = times.find(name);
  return found == times.end() ? 0 : found->second.Cpu;
}

}  // namespace dravik
