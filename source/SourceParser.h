#pragma once
// TSourceParser: one source text (a Pascal unit or program, or C source) and the questions the
// source tooling asks about it, answered without a syntax tree. ParseLines classifies every byte
// as code, string literal or comment (Mask) and records each literal and comment (Blocks); the
// searches walk the text by byte offset and consult that classification, so words inside
// literals and comments are never taken for code.
//
// Offsets are 0-based byte positions in Source. Line breaks may be CR LF, LF or CR, mixed in one
// text; Mask has exactly one letter per byte of Source and keeps the line-break bytes as they are.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/system/Exceptions.h"
#include "platform/core/typinfo/Set.h"

namespace dravik {

using ESourceParserError = ExceptionClass<"ESourceParserError", Exception>;

enum TCodeType { ctAutoDetect, ctPascal, ctC, ctUnknown };
enum TBlockType { btString, btComment };

enum TFindSymbolOption {
  fsCaseSensitive,
  fsControlCharBefore,
  fsControlCharAfter,
  fsNoIdentifierBefore,
  fsNoIdentifierAfter,
};

// A set of TFindSymbolOption: `{}` is empty, `{fsCaseSensitive, fsControlCharAfter}` two.
using TFindSymbolOptions = TSet<TFindSymbolOption, "TFindSymbolOptions">;

class TSourceParser;

// One string literal (with its quotes) or comment (with its delimiters).
class TSourceCodeBlock {
 public:
  TSourceCodeBlock(const TSourceParser* parser, TBlockType blockType, int32_t offset,
                   int32_t length, int32_t line, int32_t column)
      : fParser(parser),
        fBlockType(blockType),
        fOffset(offset),
        fLength(length),
        fLine(line),
        fColumn(column) {}

  const TSourceParser* Parser() const { return fParser; }
  TBlockType BlockType() const { return fBlockType; }
  int32_t Offset() const { return fOffset; }
  // Bytes from the first to the last byte of the block, line breaks included as they are.
  int32_t Length() const { return fLength; }
  // 0-based line and 1-based byte column of the first byte.
  int32_t Line() const { return fLine; }
  int32_t Column() const { return fColumn; }
  // The bytes of the parser's Source from Offset for Length.
  std::string BlockText() const;

 private:
  const TSourceParser* fParser;
  TBlockType fBlockType;
  int32_t fOffset;
  int32_t fLength;
  int32_t fLine;
  int32_t fColumn;
};

// The blocks of one parse, in text order (blocks never overlap). Filled only by ParseLines.
class TSourceCodeBlocks {
 public:
  int32_t Count() const { return static_cast<int32_t>(fItems.size()); }
  // Raises EListError for an index outside 0..Count-1.
  const TSourceCodeBlock& GetItem(int32_t index) const;
  const TSourceCodeBlock& operator[](int32_t index) const { return GetItem(index); }
  std::vector<TSourceCodeBlock>::const_iterator begin() const { return fItems.begin(); }
  std::vector<TSourceCodeBlock>::const_iterator end() const { return fItems.end(); }

 private:
  friend class TSourceParser;
  std::vector<TSourceCodeBlock> fItems;
};

class TSourceParser {
 public:
  // Stores the text and detects CodeType from its first characters; does not parse.
  explicit TSourceParser(std::string text);
  TSourceParser(const TSourceParser&) = delete;
  TSourceParser& operator=(const TSourceParser&) = delete;
  virtual ~TSourceParser() = default;

  // The text. Callers may edit it (so do Pas_UseUnit and ReplaceBlockText); Mask and Blocks then
  // describe the old text until the next ParseLines.
  std::string Source;
  // When set, FindNextToken yields a whole string literal as one token.
  bool StringTokens = false;

  TCodeType CodeType() const { return fCodeType; }
  const std::string& Mask() const { return fMask; }
  const TSourceCodeBlocks& Blocks() const { return fBlocks; }
  virtual const char* ClassName() const { return "TSourceParser"; }

  // Builds Mask and Blocks for the current Source in one pass. ctAutoDetect uses CodeType;
  // anything but Pascal or C raises ESourceParserError.
  void ParseLines(TCodeType codeType);

  bool GetBlockIndex(TBlockType blockType, int32_t offset, int32_t& index) const;
  static int32_t GetNextOffset(int32_t a, int32_t b, int32_t offset);

  // Searches. A bound below 0 stands for the last offset; Start > End searches backward. Out
  // positions are -1 when nothing is found; NextPos is -1 when a following search in the same
  // direction would leave the range.
  bool FindNextToken(int32_t start, int32_t end, int32_t& nextPos, int32_t& tokenPos,
                     std::string& token) const;
  bool FindToken(int32_t start, int32_t end, TFindSymbolOptions options, int32_t& nextPos,
                 int32_t& tokenPos, std::string_view token) const;
  bool FindTokenSequence(int32_t start, int32_t end, TFindSymbolOptions options, int32_t& nextPos,
                         int32_t& tokenPos, const std::vector<std::string>& tokens) const;
  bool FindSymbol(int32_t start, int32_t end, TFindSymbolOptions options, int32_t& nextPos,
                  int32_t& foundPos, std::string_view symbol) const;

  // Replaces the bytes of block `index` (in Source, or in `s`); Mask and Blocks are not updated.
  void ReplaceBlockText(int32_t index, std::string_view newText);
  void ReplaceBlockTextEx(int32_t index, std::string_view newText, std::string& s) const;

  // Pascal structure, built on the token search.
  bool Pas_CheckClassOrInterfaceToken(int32_t start, int32_t end, bool& isBlock) const;
  bool Pas_IsBeginToken(std::string_view prevToken, std::string_view token, int32_t start,
                        int32_t end, bool& isBegin) const;
  bool Pas_HasUnitMainProgram(bool& hasMain, int32_t& mainPos) const;
  bool Pas_UseUnit(std::string_view unitName, bool inInterface, bool& alreadyUsed);
  // The line break that text inserted near a position should use: the one ending that line,
  // else the text's last one; CR LF in a text without any.
  std::string LineBreakOfText(int32_t near) const;

 private:
  // A token found by ReadToken: its first byte, its length and where the next read continues.
  struct TTokenSpan {
    int32_t Pos = -1;
    int32_t Length = 0;
    int32_t NextPos = -1;
  };
  // Normalises the bounds of a search; false when the range is empty or outside the text.
  bool ClampRange(int32_t& start, int32_t& end, int32_t& step) const;
  bool ReadToken(int32_t start, int32_t end, TTokenSpan& token) const;
  std::string_view TokenText(const TTokenSpan& token) const;
  char MaskAt(int32_t pos) const;
  bool FindFinalEnd(int32_t& endPos) const;
  int32_t FindProgramHeaderEnd(int32_t finalEnd) const;
  bool ReadUsesClause(int32_t& pos, int32_t finalEnd, std::string_view unitName,
                      bool& listed) const;

  TCodeType fCodeType;
  std::string fMask;
  TSourceCodeBlocks fBlocks;
};

// The code type a text's first word tells, blanks and control characters before it skipped: unit
// or program: Pascal; #, int or void: C; ctUnknown otherwise.
TCodeType DetectCodeType(std::string_view text);

// `''` becomes `'` (the text between the quotes of a literal becomes its value)...
std::string PascalStringToString(std::string_view s);
// ...and back. Neither adds nor strips the enclosing quotes or touches #nn codes.
std::string StringToPascalString(std::string_view s);

// Inserts newText into s at the 1-based index, replacing the blanks and control characters on
// both sides of the insertion point (newText carries its own line breaks).
void TrimInsert(std::string_view newText, std::string& s, int32_t index);

}  // namespace dravik
