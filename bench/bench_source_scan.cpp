// Scanning throughput of ParseLines and of a token search over real Pascal (the Free Pascal
// sources on this machine, concatenated) and over a generated unit, beside a plain pass that only
// counts quote characters over the same bytes. Sizes of 1, 10 and 50 MB show the growth.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "source/SourceParser.h"

using namespace dravik;

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMB = 1000 * 1000;
constexpr std::size_t kLargest = 50 * kMB;

// The first 50 MB of the Free Pascal sources in path order, or nothing when they are missing.
const std::string& FreePascalText() {
  static const std::string text = [] {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it("/usr/share/fpcsrc", error), end; !error && it != end;
         it.increment(error)) {
      const std::string ext = it->path().extension().string();
      if (it->is_regular_file() && (ext == ".pas" || ext == ".pp" || ext == ".inc"))
        files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    std::string all;
    all.reserve(kLargest);
    for (const fs::path& file : files) {
      if (all.size() >= kLargest) break;
      std::ifstream in(file, std::ios::binary);
      all.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      all += '\n';
    }
    return all.size() >= kLargest ? all.substr(0, kLargest) : std::string();
  }();
  return text;
}

// A unit of 50 MB built from procedures with literals, doubled quotes and all comment kinds.
const std::string& GeneratedText() {
  static const std::string text = [] {
    std::string unit = "unit Generated;\r\n\r\ninterface\r\n\r\nimplementation\r\n\r\n";
    for (int n = 0; unit.size() < kLargest; ++n) {
      const std::string id = std::to_string(n);
      unit += "{ Procedure " + id + ": shows a message and logs it. }\r\n";
      unit += "procedure Show" + id + "(const Value: string);\r\n";
      unit += "var\r\n  Text: string; (* the composed text *)\r\n";
      unit += "begin\r\n";
      unit += "  Text := GetString('Message" + id + "') + ' ''' + Value + '''';\r\n";
      unit += "  if Length(Text) > 80 then // too long for one line\r\n";
      unit += "    Text := Copy(Text, 1, 77) + '...';\r\n";
      unit += "  Log(Format('%d: %s', [" + id + ", Text]));\r\nend;\r\n\r\n";
    }
    unit.resize(kLargest);
    return unit;
  }();
  return text;
}

const std::string& Input(bool freePascal) {
  return freePascal && !FreePascalText().empty() ? FreePascalText() : GeneratedText();
}

void ReportBytes(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

// The usual table, then the speeds in MB/s per input with the quote pass beside the scan.
class TScanSummary : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const std::string name = run.benchmark_name();  // "BM_ParseLines/MB:1/fpc:1"
      const auto bytesPerSecond = run.counters.find("bytes_per_second");
      if (bytesPerSecond == run.counters.end()) continue;
      const std::size_t slash = name.find('/');
      const std::string input = name.substr(slash + 1);
      if (std::find(fInputs.begin(), fInputs.end(), input) == fInputs.end())
        fInputs.push_back(input);
      fSpeeds[input + " " + name.substr(0, slash)] = bytesPerSecond->second.value / kMB;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    auto& out = GetOutputStream();
    out << "\nMB/s (fpc:1 the Free Pascal sources, fpc:0 the generated unit)\n";
    out << "input            ParseLines  CountQuotes  quote pass / scan  FindToken\n";
    for (const std::string& input : fInputs) {
      const double scan = fSpeeds[input + " BM_ParseLines"];
      const double quotes = fSpeeds[input + " BM_CountQuotes"];
      char line[160];
      std::snprintf(line, sizeof line, "%-15s %11.0f %12.0f %17.2fx %10.0f\n", input.c_str(), scan,
                    quotes, scan > 0 ? quotes / scan : 0.0, fSpeeds[input + " BM_FindToken"]);
      out << line;
    }
  }

 private:
  std::vector<std::string> fInputs;
  std::map<std::string, double> fSpeeds;
};

// Arguments: size in MB, and 1 for the Free Pascal text or 0 for the generated unit.
void BM_ParseLines(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * kMB;
  TSourceParser parser(Input(state.range(1) != 0).substr(0, bytes));
  for (auto _ : state) {
    parser.ParseLines(ctPascal);
    benchmark::DoNotOptimize(parser.Blocks().Count());
  }
  state.counters["blocks"] = parser.Blocks().Count();
  ReportBytes(state, bytes);
}

void BM_CountQuotes(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * kMB;
  const std::string text = Input(state.range(1) != 0).substr(0, bytes);
  for (auto _ : state) {
    std::size_t quotes = 0;
    for (char c : text) quotes += c == '\'';
    benchmark::DoNotOptimize(quotes);
  }
  ReportBytes(state, bytes);
}

// A token that never occurs: the search reads every token of the text once.
void BM_FindToken(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * kMB;
  TSourceParser parser(Input(state.range(1) != 0).substr(0, bytes));
  parser.ParseLines(ctPascal);
  for (auto _ : state) {
    int32_t nextPos;
    int32_t tokenPos;
    benchmark::DoNotOptimize(parser.FindToken(0, -1, {}, nextPos, tokenPos, "NoSuchToken"));
  }
  ReportBytes(state, bytes);
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgNames({"MB", "fpc"});
  for (int freePascal : {1, 0})
    for (int megabytes : {1, 10, 50}) benchmark->Args({megabytes, freePascal});
  benchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ParseLines)->Apply(Sizes);
BENCHMARK(BM_CountQuotes)->Apply(Sizes);
BENCHMARK(BM_FindToken)->Apply(Sizes);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TScanSummary reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
