// The Free Pascal sources on this machine as a corpus of real Pascal: every file scans without an
// exception, its mask and blocks describe it and scanning it as a stream gives the same; units
// rewritten by Pas_UseUnit still compile.
// The suite takes a sample; DRAVIK_CORPUS=full (make scan-corpus) takes every file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "source/SourceParser.h"
#include "tests/source/ScanConsistency.h"

using namespace dravik;

namespace fs = std::filesystem;

namespace {

const fs::path kFpcSource = "/usr/share/fpcsrc";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::vector<fs::path> CorpusFiles() {
  std::vector<fs::path> files;
  std::error_code error;
  for (fs::recursive_directory_iterator it(kFpcSource, error), end; !error && it != end;
       it.increment(error)) {
    if (!it->is_regular_file()) continue;
    std::string ext = it->path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) { return std::tolower(c); });
    if (ext == ".pas" || ext == ".pp" || ext == ".inc" || ext == ".lpr") files.push_back(*it);
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool FullCorpus() {
  const char* mode = std::getenv("DRAVIK_CORPUS");
  return mode && std::string(mode) == "full";
}

TEST(FreePascalCorpus, EveryFileScansConsistently) {
  const std::vector<fs::path> files = CorpusFiles();
  if (files.empty()) GTEST_SKIP() << "no Free Pascal sources under " << kFpcSource;
  // A spread sample keeps the suite quick; the full run is `make scan-corpus`.
  const std::size_t stride = FullCorpus() ? 1 : 40;
  std::size_t scanned = 0;
  std::size_t bytes = 0;
  std::vector<std::string> faults;
  for (std::size_t i = 0; i < files.size(); i += stride) {
    TSourceParser parser(ReadFile(files[i]));
    try {
      parser.ParseLines(ctPascal);
      std::string fault = scan_consistency::CheckScan(parser, ctPascal);
      if (fault.empty()) fault = scan_consistency::CheckTokenSymmetry(parser);
      // Pieces of a prime size fall on every kind of boundary over the corpus.
      if (fault.empty()) fault = scan_consistency::CheckStreamScan(parser, ctPascal, 4099);
      bool hasMain;
      int32_t mainPos;
      parser.Pas_HasUnitMainProgram(hasMain, mainPos);
      if (!fault.empty()) faults.push_back(files[i].string() + ": " + fault);
    } catch (const std::exception& e) {
      faults.push_back(files[i].string() + ": exception " + e.what());
    }
    ++scanned;
    bytes += parser.Source.size();
  }
  for (std::size_t i = 0; i < faults.size() && i < 20; ++i) ADD_FAILURE() << faults[i];
  EXPECT_TRUE(faults.empty()) << faults.size() << " of " << scanned << " files";
  RecordProperty("files", static_cast<int>(scanned));
  std::cout << "scanned " << scanned << " files, " << bytes << " bytes\n";
}

// Pas_UseUnit on real units: the result compiles and really uses the added unit.
class UseUnitCompile : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("fpc -iV >/dev/null 2>&1") != 0) GTEST_SKIP() << "fpc not installed";
    fDir = fs::temp_directory_path() / ("dravik-useunit-" + std::to_string(::getpid()));
    fs::remove_all(fDir);
    fs::create_directories(fDir);
  }
  void TearDown() override {
    if (!fDir.empty()) fs::remove_all(fDir);
  }

  // Compiles file (in fDir) with its units written to a fresh folder; true on success.
  bool Compile(const std::string& file, const std::string& stub = "") {
    const fs::path out = fDir / ("out" + std::to_string(fRuns++));
    fs::create_directories(out);
    if (!stub.empty())
      WriteFile(fDir / (stub + ".pas"),
                "unit " + stub + ";\n\ninterface\n\nimplementation\n\nend.\n");
    const std::string command = "cd '" + fDir.string() + "' && fpc -v0 -FU'" + out.string() +
                                "' -FE'" + out.string() + "' '" + file + "' >/dev/null 2>&1";
    const bool ok = std::system(command.c_str()) == 0;
    fStubCompiled = !stub.empty() &&
                    (fs::exists(out / (stub + ".ppu")) || fs::exists(out / (Lower(stub) + ".ppu")));
    return ok;
  }

  static std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](char c) { return std::tolower(c); });
    return s;
  }

  fs::path fDir;
  int fRuns = 0;
  bool fStubCompiled = false;
};

TEST_F(UseUnitCompile, RewrittenUnitsStillCompile) {
  struct TCase {
    const char* Path;
    bool IsProgram;
  };
  const TCase cases[] = {
      {"3.2.2/packages/fcl-base/src/ascii85.pp", false},            // uses in interface only
      {"3.2.2/packages/fcl-base/src/uriparser.pp", false},          // uses in implementation only
      {"3.2.2/packages/fcl-base/src/base64.pp", false},             // both
      {"3.2.2/packages/fcl-js/src/jstoken.pp", false},              // no uses clause
      {"3.2.2/packages/fcl-base/examples/b64enc.pp", true},         // program with uses
      {"3.2.2/packages/fcl-process/examples/echoparams.pp", true},  // program without
  };
  int checked = 0;
  for (const TCase& c : cases) {
    const fs::path original = kFpcSource / c.Path;
    if (!fs::exists(original)) continue;
    const std::string name = original.filename().string();
    const std::string text = ReadFile(original);
    WriteFile(fDir / name, text);
    if (!Compile(name)) continue;  // only units that compile as they are tell anything
    for (bool inInterface :
         c.IsProgram ? std::vector<bool>{true} : std::vector<bool>{true, false}) {
      SCOPED_TRACE(name + (inInterface ? " (interface)" : " (implementation)"));
      TSourceParser parser(text);
      parser.ParseLines(ctPascal);
      bool alreadyUsed = true;
      ASSERT_TRUE(parser.Pas_UseUnit("DravikStub", inInterface, alreadyUsed));
      EXPECT_FALSE(alreadyUsed);
      ASSERT_NE(parser.Source, text);
      WriteFile(fDir / name, parser.Source);
      EXPECT_TRUE(Compile(name, "DravikStub")) << parser.Source;
      EXPECT_TRUE(fStubCompiled) << "the added unit was not used";

      // A second run finds the unit and leaves the text alone.
      const std::string rewritten = parser.Source;
      parser.ParseLines(ctPascal);
      ASSERT_TRUE(parser.Pas_UseUnit("dravikstub", !inInterface, alreadyUsed));
      EXPECT_TRUE(alreadyUsed);
      EXPECT_EQ(parser.Source, rewritten);
      ++checked;
    }
    WriteFile(fDir / name, text);
  }
  if (checked == 0) GTEST_SKIP() << "no Free Pascal unit available to compile";
  EXPECT_GE(checked, 8);
}

}  // namespace
