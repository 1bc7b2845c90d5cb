#pragma once
// Independent checks of a parse, shared by the corpus tests and the fuzzer: the mask and the
// blocks must describe the text byte for byte, and token reading must agree in both directions.

#include <algorithm>
#include <string>
#include <vector>

#include "source/SourceParser.h"
#include "source/SourceStream.h"

namespace dravik {

namespace scan_consistency {

inline bool IsBreak(char c) {
  return c == '\r' || c == '\n';
}

// The first fault found in the parse of `parser` (parsed as `type`), or "" when it is consistent.
inline std::string CheckScan(const TSourceParser& parser, TCodeType type) {
  const std::string& s = parser.Source;
  const std::string& m = parser.Mask();
  const bool pascal = type == ctPascal;
  const std::size_t n = s.size();
  if (m.size() != n) return "mask length " + std::to_string(m.size()) + " != " + std::to_string(n);

  std::size_t pos = 0;
  int32_t line = 0;
  std::size_t lineStart = 0;
  const auto at = [&](std::size_t p) { return "at " + std::to_string(p) + ": "; };
  // Follows line breaks; false when the mask does not keep a break byte.
  const auto stepBreak = [&](std::size_t p) {
    if (m[p] != s[p]) return false;
    if (s[p] == '\n' || (s[p] == '\r' && (p + 1 == n || s[p + 1] != '\n'))) {
      ++line;
      lineStart = p + 1;
    }
    return true;
  };
  const auto isQuote = [&](char c) { return c == '\'' || (!pascal && c == '"'); };
  const auto onlyBreaksFrom = [&](std::size_t p) {
    for (; p < n; ++p)
      if (!IsBreak(s[p])) return false;
    return true;
  };
  // Code up to `target`: blank mask, and no byte that should have opened a block.
  const auto checkCode = [&](std::size_t target) -> std::string {
    for (; pos < target; ++pos) {
      const char c = s[pos];
      const char next = pos + 1 < n ? s[pos + 1] : '\0';
      if (IsBreak(c)) {
        if (!stepBreak(pos)) return at(pos) + "line break not kept in mask";
        continue;
      }
      if (m[pos] != ' ') return at(pos) + "code byte with mask '" + m[pos] + "'";
      if (isQuote(c) || (pascal && c == '{') || (c == '/' && next == '/') ||
          (c == (pascal ? '(' : '/') && next == '*'))
        return at(pos) + "block opener left as code";
    }
    return "";
  };

  std::size_t previousEnd = 0;
  for (const TSourceCodeBlock& block : parser.Blocks()) {
    const bool isString = block.BlockType() == btString;
    if (block.Parser() != &parser) return "block of another parser";
    if (block.Offset() < 0 || block.Length() < 1 ||
        static_cast<std::size_t>(block.Offset()) < previousEnd ||
        static_cast<std::size_t>(block.Offset()) + static_cast<std::size_t>(block.Length()) > n)
      return at(block.Offset()) + "block out of order or out of the text";
    const auto first = static_cast<std::size_t>(block.Offset());
    const std::size_t last = first + static_cast<std::size_t>(block.Length()) - 1;
    if (std::string error = checkCode(first); !error.empty()) return error;
    if (block.Line() != line || block.Column() != static_cast<int32_t>(first - lineStart + 1))
      return at(first) + "line/column " + std::to_string(block.Line()) + "/" +
             std::to_string(block.Column()) + " instead of " + std::to_string(line) + "/" +
             std::to_string(first - lineStart + 1);
    if (block.BlockText() != s.substr(first, last - first + 1)) return at(first) + "block text";
    if (IsBreak(s[last])) return at(first) + "block ends with a line break";

    const char opener = s[first];
    if (isString ? !isQuote(opener) : !(opener == '{' || opener == '(' || opener == '/'))
      return at(first) + "block does not begin with its delimiter";
    const char openMask = isString ? '[' : '{';
    const char closeMask = isString ? ']' : '}';
    if (m[last] != closeMask || (first < last && m[first] != openMask))
      return at(first) + "block delimiters not marked in mask";
    for (std::size_t p = first + 1; p < last; ++p) {
      if (IsBreak(s[p])) {
        if (!stepBreak(p)) return at(p) + "line break in block not kept in mask";
        if (isString && pascal) return at(p) + "Pascal literal across lines";
        continue;
      }
      const bool ok = isString ? (m[p] == 's' || (!pascal && m[p] == '\\')) : m[p] == 'c';
      if (!ok) return at(p) + "block byte with mask '" + m[p] + "'";
    }

    // How the block ended: closed by its delimiter, at the end of its line, or with the text.
    const std::string text = block.BlockText();
    const bool atLineEnd = last + 1 == n || IsBreak(s[last + 1]);
    const bool atTextEnd = onlyBreaksFrom(last + 1);
    bool closed;
    if (isString) {
      closed = (text.size() >= 2 && text.back() == opener) || atLineEnd;
      if (pascal && text.size() >= 2 && text.back() == '\'') {
        // Inside a closed literal quotes come in pairs.
        std::size_t quotes = 0;
        for (std::size_t i = 1; i + 1 < text.size(); ++i) quotes += text[i] == '\'';
        if (quotes % 2 != 0 && !atLineEnd) return at(first) + "odd quotes inside a literal";
      }
    } else if (opener == '{') {
      closed = (text.size() >= 2 && text.back() == '}') || atTextEnd;
      if (text.find('}') != text.size() - 1 && text.find('}') != std::string::npos)
        return at(first) + "brace comment runs past its '}'";
    } else if (s[first + 1] == '/') {
      closed = atLineEnd;
    } else {
      const std::string closer = pascal ? "*)" : "*/";
      closed = (text.size() >= 4 && text.ends_with(closer)) || atTextEnd;
      if (text.find(closer, 2) != std::string::npos && text.find(closer, 2) + 2 != text.size())
        return at(first) + "comment runs past its closer";
    }
    if (!closed) return at(first) + "block ends inside its line";
    pos = last + 1;
    previousEnd = pos;
  }
  return checkCode(n);
}

// Tokens read forward over the whole text must be those read backward, in reverse.
inline std::string CheckTokenSymmetry(const TSourceParser& parser) {
  std::vector<std::pair<int32_t, std::string>> forward;
  std::string token;
  int32_t tokenPos;
  for (int32_t pos = 0; pos >= 0 && parser.FindNextToken(pos, -1, pos, tokenPos, token);)
    forward.emplace_back(tokenPos, token);
  std::size_t index = forward.size();
  const int32_t last = static_cast<int32_t>(parser.Source.size()) - 1;
  for (int32_t pos = last; pos >= 0 && parser.FindNextToken(pos, 0, pos, tokenPos, token);) {
    if (index == 0) return "backward reading yields more tokens";
    --index;
    if (forward[index].first != tokenPos || forward[index].second != token)
      return "at " + std::to_string(tokenPos) + ": backward token '" + token + "', forward '" +
             forward[index].second + "' at " + std::to_string(forward[index].first);
  }
  if (index != 0) return "backward reading yields fewer tokens";
  return "";
}

// The text scanned as a stream, fed `piece` bytes at a time, must give the parse of the whole
// text: the same blocks and the same mask.
inline std::string CheckStreamScan(const TSourceParser& parser, TCodeType type, std::size_t piece) {
  struct TCollect : TScanSink {
    std::vector<TScannedBlock> Found;
    std::vector<std::string> Texts;
    std::string Letters;
    void Block(const TScannedBlock& block) override {
      Found.push_back(block);
      Texts.emplace_back(block.Text);
    }
    void Mask(std::string_view letters) override { Letters.append(letters); }
  } collect;
  const std::string& s = parser.Source;
  TSourceStream stream(true);
  for (std::size_t fed = 0;;) {
    const std::size_t count = std::min(piece, s.size() - fed);
    std::copy_n(s.data() + fed, count, stream.Room(count).data());
    stream.Append(count);
    fed += count;
    const bool end = fed == s.size();
    stream.Scan(type, end, collect);
    if (end) break;
  }
  const std::string where = " (pieces of " + std::to_string(piece) + ")";
  if (collect.Letters != parser.Mask()) {
    std::size_t at = 0;
    while (at < collect.Letters.size() && at < parser.Mask().size() &&
           collect.Letters[at] == parser.Mask()[at])
      ++at;
    return "stream mask differs at " + std::to_string(at) + where;
  }
  const TSourceCodeBlocks& blocks = parser.Blocks();
  if (collect.Found.size() != static_cast<std::size_t>(blocks.Count()))
    return "stream gives " + std::to_string(collect.Found.size()) + " blocks, not " +
           std::to_string(blocks.Count()) + where;
  for (std::size_t i = 0; i < collect.Found.size(); ++i) {
    const TScannedBlock& got = collect.Found[i];
    const TSourceCodeBlock& want = blocks[static_cast<int32_t>(i)];
    if (got.Type != want.BlockType() || got.Offset != want.Offset() ||
        collect.Texts[i] != want.BlockText() || got.Line != want.Line() ||
        got.Column != want.Column())
      return "stream block " + std::to_string(i) + " at " + std::to_string(got.Offset) +
             " differs from the one at " + std::to_string(want.Offset()) + where;
  }
  return "";
}

}  // namespace scan_consistency

}  // namespace dravik
