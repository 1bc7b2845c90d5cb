// libFuzzer target: a plain unit made multilingual, on any text. A unit whose shape is not
// understood stays as it was; one that is rewritten holds the call and the directive, lists
// Dravik, and gives the new ID back when it had no InitDravik call before.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/core/system/SysUtils.h"
#include "source/SourceParser.h"
#include "source/UnitRewrite.h"

using namespace dravik;

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz_unit_rewrite: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string source(reinterpret_cast<const char*>(data), size);
  const std::string id = "{01234567-89AB-CDEF-0123-456789ABCDEF}";
  TSourceParser parser(source);
  parser.ParseLines(ctPascal);
  std::string before;
  const bool hadCall = GetResIDFromSource(parser, before);
  if (!ModifySourceCode(parser, id)) {
    Require(parser.Source == source, "a unit not rewritten was changed");
    return 0;
  }
  Require(parser.Source.find("InitDravik('" + id + "',LangChange,GetString);") != std::string::npos,
          "no call");
  Require(parser.Source.find("{$R *.LNG}") != std::string::npos, "no directive");
  bool alreadyUsed = false;
  Require(parser.Pas_UseUnit("Dravik", true, alreadyUsed) && alreadyUsed, "Dravik not listed");
  parser.ParseLines(ctPascal);
  std::string found;
  if (!hadCall && UpperCase(source).find("INITDRAVIK") == std::string::npos)
    Require(GetResIDFromSource(parser, found) && found == id, "the new ID is not found again");
  return 0;
}
