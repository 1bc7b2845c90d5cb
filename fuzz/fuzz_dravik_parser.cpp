// libFuzzer target: the GetString call checker over any unit and any list of defined IDs. The
// first byte picks the mode; the rest is the unit, then (after a "\x01\x01" separator, if any) the
// IDs, one per line. The four lists must agree with each other and with the text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/core/system/SysUtils.h"
#include "source/DravikParser.h"

using namespace dravik;

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz_dravik_parser: %s\n", what);
  std::abort();
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

bool SameEntries(const TSourceEntries& a, const TSourceEntries& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].Text != b[i].Text || a[i].Offset != b[i].Offset) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool byComponentName = data[0] & 1;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t separator = rest.find("\x01\x01");
  const std::string source(rest.substr(0, separator));
  const std::vector<std::string> names = separator == std::string_view::npos
                                             ? std::vector<std::string>{"Title", "Error"}
                                             : Lines(rest.substr(separator + 2));

  TDravikParser parser("Dravik1", source, names);
  if (!parser.Check(byComponentName)) {
    Require(parser.UsedIDs().empty() && parser.InvalidCalls().empty() && parser.UnusedIDs().empty(),
            "lists filled although the unit has no end");
    return 0;
  }

  std::unordered_set<std::string> keys, usedKeys;
  for (const std::string& name : names) keys.insert(UpperCase(name));
  TSourceEntries unknown;
  int32_t previous = -1;
  for (const TSourceEntry& used : parser.UsedIDs()) {
    // A used ID is the literal at its offset, between its quotes.
    Require(used.Offset > previous, "used IDs out of source order");
    previous = used.Offset;
    int32_t block;
    Require(parser.GetBlockIndex(btString, used.Offset, block), "used ID not at a literal");
    const std::string literal = parser.Blocks()[block].BlockText();
    Require(literal.size() >= 2 && literal.back() == '\'', "used ID from an unclosed literal");
    Require(used.Text == PascalStringToString(Trim(literal.substr(1, literal.size() - 2))),
            "used ID is not its literal's value");
    usedKeys.insert(UpperCase(used.Text));
    if (!keys.count(UpperCase(used.Text))) unknown.push_back(used);
  }
  Require(SameEntries(unknown, parser.UnknownIDs()), "unknown IDs are not the used ones missing");
  std::vector<std::string> unused;
  for (const std::string& name : names)
    if (!usedKeys.count(UpperCase(name))) unused.push_back(name);
  Require(unused == parser.UnusedIDs(), "unused IDs are not the names no call uses");

  for (const TSourceEntry& invalid : parser.InvalidCalls()) {
    Require(invalid.Offset >= 0 && static_cast<std::size_t>(invalid.Offset) < source.size(),
            "invalid call outside the text");
    const std::string& excerpt = invalid.Text;
    const std::string call =
        excerpt.ends_with("...") ? excerpt.substr(0, excerpt.size() - 3) : excerpt;
    Require(call.find_first_of("\r\n") == std::string::npos, "excerpt runs across lines");
    const std::string head = UpperCase(call.substr(0, byComponentName ? 7 : 9));
    Require(head == (byComponentName ? "DRAVIK1" : "GETSTRING"), "excerpt is not of a call");
    Require(source.find(call) != std::string::npos, "excerpt is not from the text");
  }

  // The same answers a second time.
  const TSourceEntries used = parser.UsedIDs(), invalid = parser.InvalidCalls();
  Require(parser.Check(byComponentName), "a second check fails");
  Require(SameEntries(used, parser.UsedIDs()) && SameEntries(invalid, parser.InvalidCalls()),
          "a second check differs");
  return 0;
}
