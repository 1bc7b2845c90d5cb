// The Pascal routines of TSourceParser: where a unit's main block begins and how a unit name
// gets into a uses clause. They read tokens only; literals and comments are invisible to them.
#include <vector>

#include "platform/core/system/SysUtils.h"
#include "source/SourceParser.h"

namespace dravik {

namespace {

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsOneOf(std::string_view token, std::initializer_list<std::string_view> words) {
  for (std::string_view word : words)
    if (SameText(token, word)) return true;
  return false;
}

}  // namespace

bool TSourceParser::FindFinalEnd(int32_t& endPos) const {
  int32_t nextPos;
  return FindTokenSequence(0, -1, {}, nextPos, endPos, {"end", "."});
}

bool TSourceParser::Pas_CheckClassOrInterfaceToken(int32_t start, int32_t end,
                                                   bool& isBlock) const {
  isBlock = false;
  TTokenSpan token;
  if (!ReadToken(start, end, token)) return false;
  if (TokenText(token) == "(") {
    // An ancestor list: the declaration is a block unless `;` follows the `)`.
    do {
      if (token.NextPos < 0 || !ReadToken(token.NextPos, end, token)) return false;
    } while (TokenText(token) != ")");
    if (token.NextPos < 0 || !ReadToken(token.NextPos, end, token)) return false;
    isBlock = TokenText(token) != ";";
    return true;
  }
  // `class;` is a forward declaration, `class of` a class reference.
  isBlock = !(TokenText(token) == ";" || SameText(TokenText(token), "of"));
  return true;
}

bool TSourceParser::Pas_IsBeginToken(std::string_view prevToken, std::string_view token,
                                     int32_t start, int32_t end, bool& isBegin) const {
  isBegin = false;
  // From `asm` to `interface`.
  if (token.size() < 3 || token.size() > 9) return true;
  if (IsOneOf(token, {"begin", "asm", "try", "case", "record"})) {
    isBegin = true;
  } else if (SameText(token, "object")) {
    isBegin = !SameText(prevToken, "of");
  } else if (IsOneOf(token, {"class", "interface"}) && prevToken == "=") {
    if (start < 0) return false;
    return Pas_CheckClassOrInterfaceToken(start, end, isBegin);
  }
  return true;
}

bool TSourceParser::Pas_HasUnitMainProgram(bool& hasMain, int32_t& mainPos) const {
  hasMain = false;
  mainPos = -1;
  int32_t finalEnd;
  if (!FindFinalEnd(finalEnd)) return false;
  // Per open block whether it is a record: the `case` of a variant part shares the record's
  // `end` and opens nothing.
  std::vector<bool> openRecords;
  int32_t depth = 0;
  int32_t candidate = -1;
  std::string_view prevToken;
  TTokenSpan token;
  for (int32_t pos = finalEnd > 0 ? 0 : -1; pos >= 0 && ReadToken(pos, finalEnd - 1, token);
       pos = token.NextPos) {
    const std::string_view text = TokenText(token);
    if (SameText(text, "end")) {
      --depth;
      if (!openRecords.empty()) openRecords.pop_back();
    } else if (!(SameText(text, "case") && !openRecords.empty() && openRecords.back())) {
      bool isBegin;
      if (!Pas_IsBeginToken(prevToken, text, token.NextPos, finalEnd - 1, isBegin)) return false;
      if (isBegin) {
        if (depth == 0) candidate = token.Pos + token.Length;
        ++depth;
        openRecords.push_back(SameText(text, "record"));
      }
    }
    prevToken = text;
  }
  if (depth != 0 && depth != 1) return false;
  hasMain = depth == 1;
  if (hasMain) mainPos = candidate;
  return true;
}

// After `program Name;` or `library Name;` (a parameter list may follow the name); 0 for a
// program without a header; -1 for any other header.
int32_t TSourceParser::FindProgramHeaderEnd(int32_t finalEnd) const {
  TTokenSpan token;
  if (!ReadToken(0, finalEnd, token)) return 0;
  if (IsOneOf(TokenText(token), {"unit", "package"})) return -1;
  if (!IsOneOf(TokenText(token), {"program", "library"})) return 0;
  const auto readNext = [&] {
    return token.NextPos >= 0 && ReadToken(token.NextPos, finalEnd, token);
  };
  if (!readNext() || !readNext()) return -1;
  if (TokenText(token) == "(") {
    while (TokenText(token) != ")")
      if (!readNext()) return -1;
    if (!readNext()) return -1;
  }
  return TokenText(token) == ";" ? token.Pos + 1 : -1;
}

// Reads a uses clause from `pos` through its `;` and leaves `pos` after it. False when the
// clause is not a list of (dotted) names, each optionally followed by `in 'file'`.
bool TSourceParser::ReadUsesClause(int32_t& pos, int32_t finalEnd, std::string_view unitName,
                                   bool& listed) const {
  listed = false;
  std::string entry;
  bool wantName = true;  // at the start of an entry and after a dot
  bool inFileName = false;
  TTokenSpan token;
  while (pos >= 0 && ReadToken(pos, finalEnd, token)) {
    pos = token.NextPos;
    const std::string_view text = TokenText(token);
    if (text == "," || text == ";") {
      if (wantName) return false;
      listed = listed || SameText(entry, unitName);
      if (text == ";") return true;
      entry.clear();
      wantName = true;
      inFileName = false;
    } else if (inFileName) {
      if (text != "'") return false;
    } else if (wantName ? IsLetter(text.front()) : text == ".") {
      entry.append(text);
      wantName = !wantName;
    } else if (SameText(text, "in")) {
      inFileName = true;
    } else {
      return false;
    }
  }
  return false;
}

std::string TSourceParser::LineBreakOfText(int32_t near) const {
  // The break that ends the line of the insertion point, else the one before it.
  std::size_t pos = Source.find_first_of("\r\n", static_cast<std::size_t>(near));
  if (pos == std::string::npos) pos = Source.find_last_of("\r\n");
  if (pos == std::string::npos) return "\r\n";
  if (Source[pos] == '\n') return pos > 0 && Source[pos - 1] == '\r' ? "\r\n" : "\n";
  return pos + 1 < Source.size() && Source[pos + 1] == '\n' ? "\r\n" : "\r";
}

bool TSourceParser::Pas_UseUnit(std::string_view unitName, bool inInterface, bool& alreadyUsed) {
  alreadyUsed = false;
  int32_t finalEnd;
  if (unitName.empty() || !FindFinalEnd(finalEnd)) return false;
  int32_t nextPos;
  int32_t found;
  const int32_t intfPos = FindToken(0, finalEnd, {}, nextPos, found, "interface") ? found + 9 : -1;
  const int32_t implPos =
      FindToken(0, finalEnd, {}, nextPos, found, "implementation") ? found + 14 : -1;
  const bool isUnit = intfPos >= 0 || implPos >= 0;
  const int32_t progPos = isUnit ? -1 : FindProgramHeaderEnd(finalEnd);
  if (isUnit ? !(intfPos >= 0 && implPos > intfPos) : progPos < 0) return false;

  // Visit every uses clause; the first one in the wanted section receives the name.
  int32_t clausePos = -1;
  for (int32_t pos = 0; pos >= 0 && FindToken(pos, finalEnd, {}, nextPos, found, "uses");) {
    const int32_t afterUses = found + 4;
    const bool suits = !isUnit || (inInterface ? afterUses < implPos : afterUses > implPos);
    if (suits && clausePos < 0) clausePos = afterUses;
    pos = nextPos;
    bool listed;
    if (!ReadUsesClause(pos, finalEnd, unitName, listed)) return false;
    if (listed) {
      alreadyUsed = true;
      return true;
    }
  }

  const int32_t at = clausePos >= 0 ? clausePos
                     : isUnit       ? (inInterface ? intfPos : implPos)
                                    : progPos;
  const std::string lineBreak = LineBreakOfText(at);
  const std::string name(unitName);
  const std::string text = clausePos >= 0 ? lineBreak + "  " + name + ", "
                                          : lineBreak + lineBreak + "uses" + lineBreak + "  " +
                                                name + ";" + lineBreak + lineBreak;
  TrimInsert(text, Source, at + 1);
  return true;
}

}  // namespace dravik
