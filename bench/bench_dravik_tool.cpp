// The dravik tool as whole processes, as a user runs them: `dravik scan` of a 200 MB unit to
// /dev/null against `wc -l` on the same file, `dravik show` of a translated form of 40,000
// components against `cat` of it, `dravik convert --to text` of a 100 MB stream against Free
// Pascal's ObjectBinaryToText and against `cat` of it (each iteration runs all of a comparison,
// so the ratios are taken pair by pair), and the peak memory of `dravik convert` on the 100 MB
// stream per input byte.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bench/TranslatedForm.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMB = 1000 * 1000;
const std::string kDravik = DRAVIK_BIN_DIR "/dravik";
const std::string kFreePascalConverter = DRAVIK_FPC_BINARY_TO_TEXT;

// The folder of the generated inputs, removed at the end.
class TBenchFolder {
 public:
  TBenchFolder() {
    std::string pattern = (fs::temp_directory_path() / "dravik-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data())) fPath = pattern;
  }
  ~TBenchFolder() {
    std::error_code ignored;
    if (!fPath.empty()) fs::remove_all(fPath, ignored);
  }
  std::string File(const std::string& name) const { return fPath + "/" + name; }

 private:
  std::string fPath;
};

const TBenchFolder& Folder() {
  static const TBenchFolder folder;
  return folder;
}

// A unit of 200 MB made of procedures with literals, doubled quotes and all comment kinds: a
// block on most lines, so the printing weighs as much as the scanning.
const std::string& UnitFile() {
  static const std::string path = [] {
    const std::string file = Folder().File("Generated.pas");
    std::ofstream out(file, std::ios::binary);
    std::string chunk = "unit Generated;\r\n\r\ninterface\r\n\r\nimplementation\r\n\r\n";
    std::size_t written = 0;
    for (int n = 0; written < 200 * kMB; ++n) {
      const std::string id = std::to_string(n);
      chunk += "{ Procedure " + id + ": shows a message and logs it. }\r\n";
      chunk += "procedure Show" + id + "(const Value: string);\r\n";
      chunk += "var\r\n  Text: string; (* the composed text *)\r\n";
      chunk += "begin\r\n";
      chunk += "  Text := GetString('Message" + id + "') + ' ''' + Value + '''';\r\n";
      chunk += "  if Length(Text) > 80 then // too long for one line\r\n";
      chunk += "    Text := Copy(Text, 1, 77) + '...';\r\n";
      chunk += "  Log(Format('%d: %s', [" + id + ", Text]));\r\nend;\r\n\r\n";
      if (chunk.size() > kMB || written + chunk.size() >= 200 * kMB) {
        chunk.resize(std::min(chunk.size(), 200 * kMB - written));
        out << chunk;
        written += chunk.size();
        chunk.clear();
      }
    }
    return file;
  }();
  return path;
}

struct TProcessRun {
  double Seconds = 0;
  int64_t PeakBytes = 0;
  bool Succeeded = false;
};

// Runs a program with its standard output to /dev/null; wall time and peak memory.
TProcessRun RunProcess(std::vector<std::string> argv) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  std::vector<char*> args;
  for (std::string& arg : argv) args.push_back(arg.data());
  args.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  TProcessRun run;
  if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) {
    int status = 0;
    struct rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.PeakBytes = int64_t{usage.ru_maxrss} * 1024;
    run.Succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  posix_spawn_file_actions_destroy(&actions);
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// A form of about 100 MB in the binary form, and the same in the text form: strings, integers,
// floats, sets, identifiers, string lists, collections and binary data in each component. Both
// are made without holding them here: a process started from this one begins with this one's
// peak memory as its own, so this one's must stay small for the peaks measured to be dravik's.
struct TFormFiles {
  std::string Binary;
  std::string Text;
};

const TFormFiles& FormFiles() {
  static const TFormFiles files = [] {
    TFormFiles made{Folder().File("form.bin"), Folder().File("form.txt")};
    std::ofstream out(made.Text, std::ios::binary);
    std::string chunk = "object Form1: TForm1\n  Caption = 'Main'\n";
    std::size_t written = 0;
    for (int n = 0; written < 152 * kMB; ++n) {
      const std::string id = std::to_string(n);
      chunk += "  object Item" + id + ": TBenchItem\n";
      chunk +=
          "    Caption = 'Gr\xC3\xBC\xC3\x9F"
          "e " +
          id + "'\n";
      chunk += "    Hint = 'A hint for item " + id + " with some words in it'\n";
      chunk += "    Count = " + id + "\n    Kind = bkLarge\n    Kinds = [bkSmall, bkLarge]\n";
      chunk += "    Ratio = 1.5\n    Lines.Strings = (\n      'first line'\n      'second line')\n";
      chunk +=
          "    Columns = <\n      item\n        Caption = 'Col'\n        Width = 64\n      end>\n";
      chunk += "    Data = {0102030405060708090A0B0C0D0E0F}\n  end\n";
      if (chunk.size() > kMB) {
        out << chunk;
        written += chunk.size();
        chunk.clear();
      }
    }
    out << chunk << "end\n";
    out.close();
    RunProcess({kDravik, "convert", "--to", "binary", made.Text, made.Binary});
    return made;
  }();
  return files;
}

void BM_ScanAgainstWc(benchmark::State& state) {
  const std::string& unit = UnitFile();
  std::vector<double> scans, counts, ratios;
  for (auto _ : state) {
    const TProcessRun wc = RunProcess({"wc", "-l", unit});
    const TProcessRun scan = RunProcess({kDravik, "scan", unit});
    if (!wc.Succeeded || !scan.Succeeded) {
      state.SkipWithError("a run failed");
      return;
    }
    state.SetIterationTime(scan.Seconds);
    scans.push_back(scan.Seconds);
    counts.push_back(wc.Seconds);
    ratios.push_back(scan.Seconds / wc.Seconds);
  }
  state.counters["scan_s"] = Median(scans);
  state.counters["wc_s"] = Median(counts);
  state.counters["scan_per_wc"] = Median(ratios);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * 200 * kMB));
}

// Argument: 1 converts the binary form to text, 0 the text form to binary.
void BM_ConvertPeakMemory(benchmark::State& state) {
  const bool toText = state.range(0) == 1;
  const std::string& input = toText ? FormFiles().Binary : FormFiles().Text;
  const auto inputBytes = static_cast<double>(fs::file_size(input));
  std::vector<double> peaks;
  for (auto _ : state) {
    const TProcessRun run = RunProcess({kDravik, "convert", "--to", toText ? "text" : "binary",
                                        input, Folder().File("converted")});
    if (!run.Succeeded) {
      state.SkipWithError("dravik convert failed");
      return;
    }
    state.SetIterationTime(run.Seconds);
    peaks.push_back(static_cast<double>(run.PeakBytes));
  }
  state.counters["input_MB"] = inputBytes / kMB;
  state.counters["peak_MB"] = Median(peaks) / kMB;
  state.counters["peak_per_input_byte"] = Median(peaks) / inputBytes;
}

// The translated form of 40,000 components, made by a child process so that this one's peak
// memory stays small.
const std::string& TranslatedFormFile() {
  static const std::string path = [] {
    const std::string file = Folder().File("translated.bin");
    const pid_t child = ::fork();
    if (child == 0) {
      std::ofstream(file, std::ios::binary) << dravik::bench::TranslatedFormStream(40000);
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return file;
  }();
  return path;
}

void BM_ShowAgainstCat(benchmark::State& state) {
  const std::string& form = TranslatedFormFile();
  std::vector<double> shows, cats, ratios;
  for (auto _ : state) {
    const TProcessRun cat = RunProcess({"cat", form});
    const TProcessRun show = RunProcess({kDravik, "show", form});
    if (!cat.Succeeded || !show.Succeeded) {
      state.SkipWithError("a run failed");
      return;
    }
    state.SetIterationTime(show.Seconds);
    shows.push_back(show.Seconds);
    cats.push_back(cat.Seconds);
    ratios.push_back(show.Seconds / cat.Seconds);
  }
  state.counters["show_s"] = Median(shows);
  state.counters["cat_s"] = Median(cats);
  state.counters["show_per_cat"] = Median(ratios);
}

void BM_ConvertAgainstPeers(benchmark::State& state) {
  const std::string& input = FormFiles().Binary;
  const std::string output = Folder().File("converted.txt");
  std::vector<double> converts, peers, cats, perPeer, perCat;
  for (auto _ : state) {
    // Each run starts with the disk idle: the peer leaves its output to the system to write,
    // which would otherwise go on during the next run and slow that one down.
    ::sync();
    const TProcessRun cat = RunProcess({"cat", input});
    const TProcessRun peer = RunProcess({kFreePascalConverter, input, output});
    ::sync();
    const TProcessRun convert = RunProcess({kDravik, "convert", "--to", "text", input, output});
    if (!cat.Succeeded || !peer.Succeeded || !convert.Succeeded) {
      state.SkipWithError("a run failed");
      return;
    }
    state.SetIterationTime(convert.Seconds);
    converts.push_back(convert.Seconds);
    peers.push_back(peer.Seconds);
    cats.push_back(cat.Seconds);
    perPeer.push_back(convert.Seconds / peer.Seconds);
    perCat.push_back(convert.Seconds / cat.Seconds);
  }
  state.counters["convert_s"] = Median(converts);
  state.counters["peer_s"] = Median(peers);
  state.counters["cat_s"] = Median(cats);
  state.counters["convert_per_peer"] = Median(perPeer);
  state.counters["convert_per_cat"] = Median(perCat);
}

BENCHMARK(BM_ScanAgainstWc)->UseManualTime()->Iterations(7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowAgainstCat)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertAgainstPeers)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertPeakMemory)
    ->ArgName("to_text")
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// The usual table, then the two figures the tool is held to.
class TToolSummary : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const std::string key =
          run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
      for (const auto& [name, counter] : run.counters) fFigures[key + " " + name] = counter.value;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    char line[200];
    std::snprintf(line, sizeof line,
                  "\ndravik scan of a 200 MB unit: %.3f s, wc -l: %.3f s, ratio %.2f (medians "
                  "of pairs)\n",
                  fFigures["BM_ScanAgainstWc scan_s"], fFigures["BM_ScanAgainstWc wc_s"],
                  fFigures["BM_ScanAgainstWc scan_per_wc"]);
    GetOutputStream() << line;
    std::snprintf(line, sizeof line,
                  "dravik show of a 40,000-component form: %.3f s, cat: %.4f s, ratio %.0f\n",
                  fFigures["BM_ShowAgainstCat show_s"], fFigures["BM_ShowAgainstCat cat_s"],
                  fFigures["BM_ShowAgainstCat show_per_cat"]);
    GetOutputStream() << line;
    std::snprintf(line, sizeof line,
                  "dravik convert --to text of the 100 MB stream: %.3f s, Free Pascal's "
                  "ObjectBinaryToText: %.3f s (ratio %.3f), cat: %.4f s (ratio %.1f)\n",
                  fFigures["BM_ConvertAgainstPeers convert_s"],
                  fFigures["BM_ConvertAgainstPeers peer_s"],
                  fFigures["BM_ConvertAgainstPeers convert_per_peer"],
                  fFigures["BM_ConvertAgainstPeers cat_s"],
                  fFigures["BM_ConvertAgainstPeers convert_per_cat"]);
    GetOutputStream() << line;
    for (const char* direction : {"1", "0"}) {
      const std::string run = std::string("BM_ConvertPeakMemory/to_text:") + direction + " ";
      std::snprintf(line, sizeof line,
                    "dravik convert --to %s of %.0f MB: peak %.0f MB, %.2f bytes per input byte\n",
                    *direction == '1' ? "text  " : "binary", fFigures[run + "input_MB"],
                    fFigures[run + "peak_MB"], fFigures[run + "peak_per_input_byte"]);
      GetOutputStream() << line;
    }
  }

 private:
  std::map<std::string, double> fFigures;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TToolSummary reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
