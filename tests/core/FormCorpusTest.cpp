// Real text form files as a corpus: each reads into components (stand-ins for the classes this
// program lacks) and writes back the same data, identical once both are in the binary form; a
// file the original platform wrote comes back text-identical. The suite takes the sample under
// tests/data/forms; DRAVIK_FORM_CORPUS=DIR (make form-corpus) takes every .lfm, .dfm and .xfm
// file below DIR and prints what it found.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/classes/Component.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/StandInClasses.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

using namespace dravik;

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string WithoutCarriageReturns(std::string text) {
  std::erase(text, '\r');
  return text;
}

enum class TOutcome { Same, SameData, Malformed, Lost };

struct TResult {
  TOutcome Outcome;
  std::string Detail;
};

// Text to binary; the binary read with stand-ins and written again; the binary back to text.
TResult Check(const std::string& text) {
  std::string binary;
  try {
    TStringStream in(text), out;
    ObjectTextToBinary(in, out);
    binary = out.DataString();
  } catch (const Exception& e) {
    return {TOutcome::Malformed, e.Message()};
  }
  std::string written, back;
  try {
    TStringStream stream(binary);
    TReader reader(stream);
    reader.SetStandIns(std::make_shared<TStandInClasses>());
    TComponentPtr<TComponent> root(reader.ReadRootComponent(nullptr));
    TStringStream out;
    WriteComponent(out, root.get());
    written = out.DataString();
    TStringStream in(binary), textOut;
    ObjectBinaryToText(in, textOut);
    back = textOut.DataString();
  } catch (const Exception& e) {
    return {TOutcome::Lost, e.Message()};
  }
  if (written != binary) return {TOutcome::Lost, "the components wrote other bytes"};
  if (back == WithoutCarriageReturns(text)) return {TOutcome::Same, ""};
  return {TOutcome::SameData, ""};
}

std::vector<fs::path> FormFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    std::string extension = LowerCase(it->path().extension().string());
    if (it->is_regular_file() &&
        (extension == ".lfm" || extension == ".dfm" || extension == ".xfm"))
      files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

TEST(FormCorpus, TheSampleReadsIntoComponentsAndWritesBackTheSameData) {
  const std::vector<fs::path> files = FormFiles(fs::path(DRAVIK_TEST_DATA) / "forms");
  ASSERT_GE(files.size(), 5u);
  for (const fs::path& file : files) {
    TResult result = Check(ReadFile(file));
    // Files the original platform wrote come back as they were; Lazarus lays its text out
    // otherwise (a closing bracket on a line of its own), so only its data comes back.
    TOutcome expected = file.extension() == ".dfm" ? TOutcome::Same : TOutcome::SameData;
    EXPECT_EQ(static_cast<int>(result.Outcome), static_cast<int>(expected))
        << file << ": " << result.Detail;
  }
}

TEST(FormCorpus, EveryFormOfTheFullCorpus) {
  const char* folder = std::getenv("DRAVIK_FORM_CORPUS");
  if (!folder) GTEST_SKIP() << "set DRAVIK_FORM_CORPUS=DIR (make form-corpus) for the full corpus";
  const std::vector<fs::path> files = FormFiles(folder);
  ASSERT_FALSE(files.empty()) << folder;
  int counts[4] = {};
  for (const fs::path& file : files) {
    TResult result = Check(ReadFile(file));
    ++counts[static_cast<int>(result.Outcome)];
    if (result.Outcome == TOutcome::Malformed)
      std::cout << "malformed: " << file << ": " << result.Detail << "\n";
    EXPECT_NE(static_cast<int>(result.Outcome), static_cast<int>(TOutcome::Lost))
        << file << ": " << result.Detail;
  }
  std::cout << files.size() << " form files: " << counts[0] << " text-identical, " << counts[1]
            << " the same data in another layout, " << counts[2] << " malformed, " << counts[3]
            << " not written back\n";
}
