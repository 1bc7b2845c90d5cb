#include "source/DravikParser.h"

#include <algorithm>

#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

std::string Key(std::string_view id) {
  return UpperCase(id);
}

}  // namespace

TDravikParser::TDravikParser(std::string componentName, std::string source,
                             const std::vector<std::string>& names)
    : TSourceParser(std::move(source)), fComponentName(std::move(componentName)), fNames(&names) {}

bool TDravikParser::Check(bool byComponentName) {
  fUsedIDs.clear();
  fUnknownIDs.clear();
  fInvalidCalls.clear();
  fUnusedIDs.clear();
  ParseLines(ctPascal);
  int32_t nextPos;
  int32_t finalEnd;
  if (!FindTokenSequence(0, -1, {}, nextPos, finalEnd, {"end", "."})) return false;

  fNameKeys.clear();
  for (const std::string& name : *fNames) fNameKeys.insert(Key(name));
  const std::vector<std::string> qualifiedCall = {fComponentName, ".", "GetString"};
  int32_t pos = 0;
  while (pos >= 0) {
    int32_t callPos;
    if (byComponentName) {
      if (!FindTokenSequence(pos, finalEnd, {}, nextPos, callPos, qualifiedCall)) break;
    } else {
      if (!FindToken(pos, finalEnd, {}, nextPos, callPos, "GetString")) break;
      if (IsMethodOfOtherObject(callPos)) {
        pos = nextPos;
        continue;
      }
    }
    pos = ReadCall(callPos, nextPos, finalEnd);
  }

  std::unordered_set<std::string> usedKeys;
  for (const TSourceEntry& used : fUsedIDs) usedKeys.insert(Key(used.Text));
  for (const std::string& name : *fNames)
    if (!usedKeys.count(Key(name))) fUnusedIDs.push_back(name);
  return true;
}

bool TDravikParser::IsMethodOfOtherObject(int32_t callPos) const {
  int32_t nextPos;
  int32_t tokenPos;
  std::string token;
  return callPos > 0 && FindNextToken(callPos - 1, 0, nextPos, tokenPos, token) && token == ".";
}

int32_t TDravikParser::ReadCall(int32_t callPos, int32_t nextPos, int32_t finalEnd) {
  int32_t parenPos;
  std::string token;
  if (nextPos < 0 || !FindNextToken(nextPos, finalEnd, nextPos, parenPos, token)) return -1;
  if (token != "(") return nextPos;

  // The scanner yields a literal as its two quotes: `'` `'` `)` is a call with one literal.
  std::string args[3];
  int32_t argPos[3] = {-1, -1, -1};
  int read = 0;
  for (; read < 3; ++read) {
    const int32_t from = nextPos;
    if (from < 0 || !FindNextToken(from, finalEnd, nextPos, argPos[read], args[read])) break;
  }
  if (read < 3) nextPos = -1;
  int32_t block;
  const bool singleLiteral = read == 3 && args[0] == "'" && args[1] == "'" && args[2] == ")" &&
                             GetBlockIndex(btString, argPos[0], block) &&
                             Blocks()[block].Offset() + Blocks()[block].Length() - 1 == argPos[1];
  if (singleLiteral) {
    const std::string text = Blocks()[block].BlockText();
    std::string id = PascalStringToString(Trim(std::string_view(text).substr(1, text.size() - 2)));
    if (!fNameKeys.count(Key(id))) fUnknownIDs.push_back({id, argPos[0]});
    fUsedIDs.push_back({std::move(id), argPos[0]});
  } else {
    fInvalidCalls.push_back({Excerpt(callPos, parenPos), std::max(callPos, argPos[0])});
  }
  return nextPos;
}

// The call from its start through the `(` and 15 more bytes, cut at the end of its line.
std::string TDravikParser::Excerpt(int32_t callPos, int32_t parenPos) const {
  const auto from = static_cast<std::size_t>(callPos);
  std::size_t length = static_cast<std::size_t>(parenPos - callPos) + 16;
  // Only the excerpt's own bytes are searched for the line's end: a search to the end of a long
  // line from every call would make a line of many calls quadratic.
  const std::size_t lineEnd = std::string_view(Source).substr(from, length).find_first_of("\r\n");
  if (lineEnd != std::string_view::npos) return Source.substr(from, lineEnd);
  // Do not split a UTF-8 sequence.
  for (int back = 0; back < 3 && from + length < Source.size() && length > 0 &&
                     (static_cast<unsigned char>(Source[from + length]) & 0xC0) == 0x80;
       ++back)
    --length;
  return Source.substr(from, length) + "...";
}

}  // namespace dravik
