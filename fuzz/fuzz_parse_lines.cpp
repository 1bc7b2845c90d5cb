// libFuzzer target: ParseLines over any bytes as Pascal or C, the same text scanned as a stream,
// then the searches and the Pascal routines over the result. The first byte picks the type, the
// size of the stream's pieces and the search bounds; the rest is the text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/core/system/SysUtils.h"
#include "source/SourceParser.h"
#include "tests/source/ScanConsistency.h"

using namespace dravik;

namespace {

void Require(bool condition, const std::string& what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz_parse_lines: %s\n", what.c_str());
  std::abort();
}

void RequireConsistent(const TSourceParser& parser, TCodeType type) {
  const std::string fault = scan_consistency::CheckScan(parser, type);
  Require(fault.empty(), "inconsistent parse: " + fault);
}

// A search result lies in the range and names what it claims to have found.
void CheckFound(const TSourceParser& parser, bool found, int32_t pos, std::string_view text) {
  if (!found) {
    Require(pos == -1, "position reported without a result");
    return;
  }
  Require(pos >= 0 && static_cast<std::size_t>(pos) + text.size() <= parser.Source.size(),
          "result outside the text");
  Require(SameText(std::string_view(parser.Source).substr(pos, text.size()), text),
          "result is not the text searched for");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const uint8_t control = data[0];
  const TCodeType type = control & 1 ? ctC : ctPascal;
  TSourceParser parser(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  parser.ParseLines(type);
  RequireConsistent(parser, type);
  const std::string symmetry = scan_consistency::CheckTokenSymmetry(parser);
  Require(symmetry.empty(), symmetry);
  // Scanned as a stream, in pieces of a size the control byte picks, the text gives the same.
  const std::string streamed =
      scan_consistency::CheckStreamScan(parser, type, 1 + (control >> 1) % 37);
  Require(streamed.empty(), streamed);

  // Bounds from the control byte: forward or backward, inside or beyond the text.
  const auto length = static_cast<int32_t>(parser.Source.size());
  const int32_t a = (control >> 1) % (length + 3) - 1;
  const int32_t b = (control >> 4) * (length + 2) / 15 - 1;
  int32_t nextPos;
  int32_t pos;
  std::string token;
  if (parser.FindNextToken(a, b, nextPos, pos, token)) CheckFound(parser, true, pos, token);
  for (const char* word : {"end", "GetString", "'", "("}) {
    CheckFound(parser, parser.FindToken(a, b, {}, nextPos, pos, word), pos, word);
    CheckFound(
        parser,
        parser.FindSymbol(a, b, {fsControlCharBefore, fsNoIdentifierAfter}, nextPos, pos, word),
        pos, word);
  }
  CheckFound(parser, parser.FindTokenSequence(a, b, {}, nextPos, pos, {"end", "."}), pos, "end");
  parser.StringTokens = true;
  for (int32_t p = 0; p >= 0 && parser.FindNextToken(p, -1, p, pos, token);)
    CheckFound(parser, true, pos, token);
  parser.StringTokens = false;

  bool hasMain;
  int32_t mainPos;
  if (parser.Pas_HasUnitMainProgram(hasMain, mainPos) && hasMain)
    Require(mainPos > 0 && mainPos <= length, "main block outside the text");

  // Adding a unit, then adding it again, finds it the second time.
  const std::string before = parser.Source;
  bool alreadyUsed;
  if (parser.Pas_UseUnit("Dravik", control & 2, alreadyUsed)) {
    Require(alreadyUsed == (parser.Source == before), "text changed although the unit was used");
    parser.ParseLines(type);
    RequireConsistent(parser, type);
    Require(parser.Pas_UseUnit("Dravik", !(control & 2), alreadyUsed) && alreadyUsed,
            "the added unit is not found again");
  } else {
    Require(parser.Source == before, "a refused Pas_UseUnit changed the text");
  }
  return 0;
}
