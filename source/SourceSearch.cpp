// The searches of TSourceParser: tokens and symbols found by walking the text byte by byte and
// asking the mask whether a byte belongs to a literal or comment.
#include <algorithm>
#include <climits>

#include "platform/core/system/SysUtils.h"
#include "source/SourceParser.h"

namespace dravik {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentifierChar(char c) {
  return IsDigit(c) || IsLetter(c);
}

// Bytes that a token never starts at or runs into: inside literals and comments, and comment
// delimiters. Quotes ('[' and ']') stay visible so a literal shows up as its quote tokens.
bool IsHiddenMask(char m) {
  return m == 's' || m == 'c' || m == '{' || m == '}' || m == '\\';
}
// Any byte of a literal or comment, quotes included.
bool IsLiteralOrCommentMask(char m) {
  return IsHiddenMask(m) || m == '[' || m == ']';
}

bool SameToken(std::string_view a, std::string_view b, bool caseSensitive) {
  return caseSensitive ? a == b : SameText(a, b);
}

}  // namespace

char TSourceParser::MaskAt(int32_t pos) const {
  // After an edit the mask may be shorter than the text; unparsed bytes count as code.
  return static_cast<std::size_t>(pos) < fMask.size() ? fMask[static_cast<std::size_t>(pos)] : ' ';
}

bool TSourceParser::ClampRange(int32_t& start, int32_t& end, int32_t& step) const {
  const int32_t last = static_cast<int32_t>(std::min<std::size_t>(
                           Source.size(), static_cast<std::size_t>(INT32_MAX))) -
                       1;
  if (start < 0) start = last;
  if (end < 0) end = last;
  if (start > last && end > last) return false;
  step = start <= end ? 1 : -1;
  start = std::min(start, last);
  end = std::min(end, last);
  return start >= 0 && end >= 0;
}

std::string_view TSourceParser::TokenText(const TTokenSpan& token) const {
  return std::string_view(Source).substr(static_cast<std::size_t>(token.Pos),
                                         static_cast<std::size_t>(token.Length));
}

bool TSourceParser::ReadToken(int32_t start, int32_t end, TTokenSpan& token) const {
  int32_t step;
  if (!ClampRange(start, end, step)) return false;
  const auto inRange = [&](int32_t p) { return step > 0 ? p <= end : p >= end; };
  const auto isWordAt = [&](int32_t p) {
    return IsIdentifierChar(Source[static_cast<std::size_t>(p)]) && !IsHiddenMask(MaskAt(p));
  };
  int32_t pos = start;
  while (inRange(pos) &&
         (IsBlankOrControl(Source[static_cast<std::size_t>(pos)]) || IsHiddenMask(MaskAt(pos))))
    pos += step;
  if (!inRange(pos)) return false;

  const char first = Source[static_cast<std::size_t>(pos)];
  int32_t next;
  int32_t blockIndex;
  if (!IsIdentifierChar(first)) {
    token.Pos = pos;
    token.Length = 1;
    if (StringTokens && MaskAt(pos) == '[' && GetBlockIndex(btString, pos, blockIndex))
      token.Length = fBlocks.GetItem(blockIndex).Length();
    next = pos + token.Length * step;
  } else if (step > 0) {
    // Numbers stop at letters; identifiers take digits.
    const bool number = IsDigit(first);
    int32_t p = pos + 1;
    while (p <= end && isWordAt(p) && !(number && IsLetter(Source[static_cast<std::size_t>(p)])))
      ++p;
    token.Pos = pos;
    token.Length = p - pos;
    next = p;
  } else {
    // Backward, take the whole run of letters and digits and keep what forward reading would
    // give as its last token: a run that begins with digits splits before its first letter.
    int32_t left = pos;
    while (left - 1 >= end && isWordAt(left - 1)) --left;
    if (IsDigit(Source[static_cast<std::size_t>(left)])) {
      int32_t letter = left;
      while (letter < pos && !IsLetter(Source[static_cast<std::size_t>(letter)])) ++letter;
      if (IsLetter(Source[static_cast<std::size_t>(letter)])) left = letter;
    }
    token.Pos = left;
    token.Length = pos - left + 1;
    next = left - 1;
  }
  token.NextPos = GetNextOffset(start, end, next);
  return true;
}

bool TSourceParser::FindNextToken(int32_t start, int32_t end, int32_t& nextPos, int32_t& tokenPos,
                                  std::string& token) const {
  TTokenSpan span;
  token.clear();
  nextPos = tokenPos = -1;
  if (!ReadToken(start, end, span)) return false;
  token.assign(TokenText(span));
  nextPos = span.NextPos;
  tokenPos = span.Pos;
  return true;
}

bool TSourceParser::FindToken(int32_t start, int32_t end, TFindSymbolOptions options,
                              int32_t& nextPos, int32_t& tokenPos, std::string_view token) const {
  nextPos = tokenPos = -1;
  if (token.empty()) return false;
  const bool caseSensitive = options.Contains(fsCaseSensitive);
  TTokenSpan span;
  for (int32_t pos = start; ReadToken(pos, end, span); pos = span.NextPos) {
    if (SameToken(TokenText(span), token, caseSensitive)) {
      nextPos = span.NextPos;
      tokenPos = span.Pos;
      return true;
    }
    if (span.NextPos < 0) break;
  }
  return false;
}

bool TSourceParser::FindTokenSequence(int32_t start, int32_t end, TFindSymbolOptions options,
                                      int32_t& nextPos, int32_t& tokenPos,
                                      const std::vector<std::string>& tokens) const {
  nextPos = tokenPos = -1;
  if (tokens.empty()) return false;
  const bool caseSensitive = options.Contains(fsCaseSensitive);
  int32_t firstNext;
  int32_t firstPos;
  for (int32_t pos = start; FindToken(pos, end, options, firstNext, firstPos, tokens[0]);
       pos = firstNext) {
    int32_t continuation = firstNext;
    std::size_t matched = 1;
    TTokenSpan span;
    for (; matched < tokens.size(); ++matched) {
      if (continuation < 0 || !ReadToken(continuation, end, span)) return false;
      if (!SameToken(TokenText(span), tokens[matched], caseSensitive)) break;
      continuation = span.NextPos;
    }
    if (matched == tokens.size()) {
      nextPos = continuation;
      tokenPos = firstPos;
      return true;
    }
    if (firstNext < 0) break;
  }
  return false;
}

bool TSourceParser::FindSymbol(int32_t start, int32_t end, TFindSymbolOptions options,
                               int32_t& nextPos, int32_t& foundPos, std::string_view symbol) const {
  nextPos = foundPos = -1;
  int32_t step;
  if (symbol.empty() || symbol.size() > static_cast<std::size_t>(INT32_MAX) ||
      !ClampRange(start, end, step))
    return false;
  const auto length = static_cast<int32_t>(symbol.size());
  // The whole symbol lies within the range in both directions.
  const int32_t first = step > 0 ? start : start - (length - 1);
  const int32_t last = step > 0 ? end - (length - 1) : end;
  if (step > 0 ? last < first : first < last) return false;

  const bool caseSensitive = options.Contains(fsCaseSensitive);
  const auto accepts = [&](char neighbour, TFindSymbolOption controlChar,
                           TFindSymbolOption noIdentifier) {
    if (options.Contains(controlChar)) return IsBlankOrControl(neighbour);
    return !(options.Contains(noIdentifier) && IsIdentifierChar(neighbour));
  };
  const std::string_view text = Source;
  for (int32_t pos = first; step > 0 ? pos <= last : pos >= last; pos += step) {
    if (IsLiteralOrCommentMask(MaskAt(pos))) continue;
    const auto at = static_cast<std::size_t>(pos);
    if (at > 0 && !accepts(text[at - 1], fsControlCharBefore, fsNoIdentifierBefore)) continue;
    const std::size_t after = at + symbol.size();
    if (after < text.size() && !accepts(text[after], fsControlCharAfter, fsNoIdentifierAfter))
      continue;
    if (!SameToken(text.substr(at, symbol.size()), symbol, caseSensitive)) continue;
    foundPos = pos;
    nextPos = GetNextOffset(start, end, step > 0 ? pos + length : pos - 1);
    return true;
  }
  return false;
}

}  // namespace dravik
