// TSourceParser: the text, its detected type, the block list and the string helpers. The scan
// lives in SourceScanner.cpp, the searches in SourceSearch.cpp, the Pascal routines in
// PascalUnit.cpp.
#include "source/SourceParser.h"

#include <algorithm>

#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

// Replaces every occurrence of `from` by `to`, left to right, never rescanning inserted text.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  std::string result;
  result.reserve(s.size());
  std::size_t pos = 0;
  for (std::size_t hit; (hit = s.find(from, pos)) != std::string_view::npos;
       pos = hit + from.size()) {
    result.append(s.substr(pos, hit - pos));
    result.append(to);
  }
  result.append(s.substr(pos));
  return result;
}

}  // namespace

TCodeType DetectCodeType(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && IsBlankOrControl(text[first])) ++first;
  const std::string head = UpperCase(TrimRight(text.substr(first, 7)));
  const std::string_view h = head;
  if (h.starts_with("UNIT") || h.starts_with("PROGRAM")) return ctPascal;
  if (h.starts_with("#") || h.starts_with("INT") || h.starts_with("VOID")) return ctC;
  return ctUnknown;
}

std::string TSourceCodeBlock::BlockText() const {
  return fParser->Source.substr(static_cast<std::size_t>(fOffset),
                                static_cast<std::size_t>(fLength));
}

const TSourceCodeBlock& TSourceCodeBlocks::GetItem(int32_t index) const {
  if (index < 0 || index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return fItems[static_cast<std::size_t>(index)];
}

TSourceParser::TSourceParser(std::string text)
    : Source(std::move(text)), fCodeType(DetectCodeType(Source)) {}

bool TSourceParser::GetBlockIndex(TBlockType blockType, int32_t offset, int32_t& index) const {
  // Blocks never overlap, so their order by end is also their order by offset.
  const auto& items = fBlocks.fItems;
  const auto it = std::lower_bound(
      items.begin(), items.end(), offset,
      [](const TSourceCodeBlock& block, int32_t value) { return block.Offset() < value; });
  if (it != items.end() && it->Offset() == offset && it->BlockType() == blockType) {
    index = static_cast<int32_t>(it - items.begin());
    return true;
  }
  index = -1;
  return false;
}

int32_t TSourceParser::GetNextOffset(int32_t a, int32_t b, int32_t offset) {
  return offset >= std::min(a, b) && offset <= std::max(a, b) ? offset : -1;
}

void TSourceParser::ReplaceBlockText(int32_t index, std::string_view newText) {
  ReplaceBlockTextEx(index, newText, Source);
}

void TSourceParser::ReplaceBlockTextEx(int32_t index, std::string_view newText,
                                       std::string& s) const {
  const TSourceCodeBlock& block = fBlocks.GetItem(index);
  const auto offset = static_cast<std::size_t>(block.Offset());
  if (offset > s.size()) {
    s.append(newText);
    return;
  }
  s.replace(offset, static_cast<std::size_t>(block.Length()), newText);
}

std::string PascalStringToString(std::string_view s) {
  return ReplaceAll(s, "''", "'");
}

std::string StringToPascalString(std::string_view s) {
  return ReplaceAll(s, "'", "''");
}

void TrimInsert(std::string_view newText, std::string& s, int32_t index) {
  // 1-based index as in the text routines; work on the 0-based position before it.
  std::size_t pos = index > 1 ? static_cast<std::size_t>(index - 1) : 0;
  pos = std::min(pos, s.size());
  std::size_t after = pos;
  while (after < s.size() && IsBlankOrControl(s[after])) ++after;
  s.erase(pos, after - pos);
  if (pos < s.size()) {
    std::size_t before = pos;
    while (before > 0 && IsBlankOrControl(s[before - 1])) --before;
    s.erase(before, pos - before);
    pos = before;
  }
  s.insert(pos, newText);
}

}  // namespace dravik
