// The searches: tokens forward and backward, token sequences, symbols, and the string helpers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "source/SourceParser.h"

using namespace dravik;

namespace {

using Strings = std::vector<std::string>;

TSourceParser& Parsed(TSourceParser& parser, TCodeType type = ctPascal) {
  parser.ParseLines(type);
  return parser;
}

// Every token between start and end, read in the search direction.
Strings Tokens(const TSourceParser& parser, int32_t start, int32_t end) {
  Strings tokens;
  std::string token;
  int32_t tokenPos;
  int32_t pos = start;
  while (parser.FindNextToken(pos, end, pos, tokenPos, token)) {
    tokens.push_back(token);
    if (pos < 0) break;
  }
  return tokens;
}

TEST(FindNextToken, NumbersStopAtLettersInBothDirections) {
  TSourceParser parser("abc123 45x");
  Parsed(parser);
  EXPECT_EQ(Tokens(parser, 0, -1), (Strings{"abc123", "45", "x"}));
  EXPECT_EQ(Tokens(parser, -1, 0), (Strings{"x", "45", "abc123"}));
  // A run that begins with digits reads backward as it reads forward.
  TSourceParser mixed("12ab34 5_6");
  Parsed(mixed);
  EXPECT_EQ(Tokens(mixed, 0, -1), (Strings{"12", "ab34", "5", "_6"}));
  EXPECT_EQ(Tokens(mixed, -1, 0), (Strings{"_6", "5", "ab34", "12"}));
}

TEST(FindNextToken, PositionsAndContinuation) {
  TSourceParser parser("  begin x:=1;");
  Parsed(parser);
  int32_t nextPos;
  int32_t tokenPos;
  std::string token;
  ASSERT_TRUE(parser.FindNextToken(0, -1, nextPos, tokenPos, token));
  EXPECT_EQ(token, "begin");
  EXPECT_EQ(tokenPos, 2);
  EXPECT_EQ(nextPos, 7);
  ASSERT_TRUE(parser.FindNextToken(-1, 0, nextPos, tokenPos, token));
  EXPECT_EQ(token, ";");
  EXPECT_EQ(tokenPos, 12);
  EXPECT_EQ(nextPos, 11);
  // Backward, an identifier's position is its first byte.
  ASSERT_TRUE(parser.FindNextToken(6, 0, nextPos, tokenPos, token));
  EXPECT_EQ(token, "begin");
  EXPECT_EQ(tokenPos, 2);
  EXPECT_EQ(nextPos, 1);
  // The last token of the range leaves nowhere to continue.
  ASSERT_TRUE(parser.FindNextToken(8, 12, nextPos, tokenPos, token));
  ASSERT_TRUE(parser.FindNextToken(12, 12, nextPos, tokenPos, token));
  EXPECT_EQ(nextPos, -1);
}

TEST(FindNextToken, TokensStopAtTheRange) {
  TSourceParser parser("abcdef gh");
  Parsed(parser);
  EXPECT_EQ(Tokens(parser, 0, 2), Strings{"abc"});
  EXPECT_EQ(Tokens(parser, 8, 4), (Strings{"gh", "ef"}));
  EXPECT_EQ(Tokens(parser, 100, 7), Strings{"gh"});  // Start clamped to the last byte
  EXPECT_TRUE(Tokens(parser, 100, 50).empty());      // both bounds beyond the text
}

TEST(FindNextToken, OutOfRangeOrEmptyTextFindsNothing) {
  TSourceParser parser("abc");
  Parsed(parser);
  int32_t nextPos = 0;
  int32_t tokenPos = 0;
  std::string token = "old";
  EXPECT_FALSE(parser.FindNextToken(5, 9, nextPos, tokenPos, token));
  EXPECT_EQ(token, "");
  EXPECT_EQ(nextPos, -1);
  EXPECT_EQ(tokenPos, -1);
  TSourceParser empty("");
  Parsed(empty);
  EXPECT_FALSE(empty.FindNextToken(0, -1, nextPos, tokenPos, token));
  TSourceParser blank(" {c} ");
  Parsed(blank);
  EXPECT_FALSE(blank.FindNextToken(0, -1, nextPos, tokenPos, token));
}

TEST(FindNextToken, LiteralsShowUpAsTheirQuotesAndCommentsNotAtAll) {
  TSourceParser parser("a := 'x y''z'{c}(*d*)//e\n#13");
  Parsed(parser);
  EXPECT_EQ(Tokens(parser, 0, -1), (Strings{"a", ":", "=", "'", "'", "#", "13"}));
  EXPECT_EQ(Tokens(parser, -1, 0), (Strings{"13", "#", "'", "'", "=", ":", "a"}));
  parser.StringTokens = true;
  EXPECT_EQ(Tokens(parser, 0, -1), (Strings{"a", ":", "=", "'x y''z'", "#", "13"}));
}

TEST(FindNextToken, UnterminatedLiteralReadsTheSameBothWays) {
  TSourceParser parser("x('ab\ny");
  Parsed(parser);
  EXPECT_EQ(Tokens(parser, 0, -1), (Strings{"x", "(", "'", "b", "y"}));
  EXPECT_EQ(Tokens(parser, -1, 0), (Strings{"y", "b", "'", "(", "x"}));
}

TEST(FindToken, IgnoresCaseButNeverLooksIntoLiteralsOrComments) {
  TSourceParser parser("{GetString} 'GetString' // GetString\r\n(*GetString*) x := getSTRING;");
  Parsed(parser);
  int32_t nextPos;
  int32_t tokenPos;
  ASSERT_TRUE(parser.FindToken(0, -1, {}, nextPos, tokenPos, "getstring"));
  EXPECT_EQ(tokenPos, 57);
  EXPECT_EQ(nextPos, 66);
  EXPECT_FALSE(parser.FindToken(0, -1, {fsCaseSensitive}, nextPos, tokenPos, "GetString"));
  EXPECT_EQ(tokenPos, -1);
  EXPECT_TRUE(parser.FindToken(0, -1, {fsCaseSensitive}, nextPos, tokenPos, "getSTRING"));
  EXPECT_FALSE(parser.FindToken(0, -1, {}, nextPos, tokenPos, ""));
  // Part of an identifier is not a token.
  EXPECT_FALSE(parser.FindToken(0, -1, {}, nextPos, tokenPos, "get"));
}

TEST(FindToken, SearchesBackwardFromTheEnd) {
  TSourceParser parser("uses a; uses b;");
  Parsed(parser);
  int32_t nextPos;
  int32_t tokenPos;
  ASSERT_TRUE(parser.FindToken(-1, 0, {}, nextPos, tokenPos, "uses"));
  EXPECT_EQ(tokenPos, 8);
  EXPECT_EQ(nextPos, 7);
  ASSERT_TRUE(parser.FindToken(nextPos, 0, {}, nextPos, tokenPos, "uses"));
  EXPECT_EQ(tokenPos, 0);
  EXPECT_EQ(nextPos, -1);
}

TEST(FindTokenSequence, MatchesAcrossCommentsAndResumesAfterAMismatch) {
  TSourceParser parser("end; end {x}\r\n. end.");
  Parsed(parser);
  int32_t nextPos;
  int32_t tokenPos;
  ASSERT_TRUE(parser.FindTokenSequence(0, -1, {}, nextPos, tokenPos, {"END", "."}));
  EXPECT_EQ(tokenPos, 5);
  EXPECT_EQ(nextPos, 15);
  ASSERT_TRUE(parser.FindTokenSequence(nextPos, -1, {}, nextPos, tokenPos, {"end", "."}));
  EXPECT_EQ(tokenPos, 16);
  EXPECT_EQ(nextPos, -1);
  EXPECT_FALSE(parser.FindTokenSequence(0, -1, {fsCaseSensitive}, nextPos, tokenPos, {"END", "."}));
  EXPECT_EQ(tokenPos, -1);
}

TEST(FindTokenSequence, RunningOutOfTextInACandidateFails) {
  TSourceParser parser("a . b a");
  Parsed(parser);
  int32_t nextPos;
  int32_t tokenPos;
  EXPECT_FALSE(parser.FindTokenSequence(0, -1, {}, nextPos, tokenPos, {"a", ".", "c"}));
  EXPECT_FALSE(parser.FindTokenSequence(0, -1, {}, nextPos, tokenPos, {"b", "a", "."}));
  EXPECT_TRUE(parser.FindTokenSequence(0, -1, {}, nextPos, tokenPos, {"a", ".", "b"}));
  EXPECT_EQ(nextPos, 5);
  EXPECT_FALSE(parser.FindTokenSequence(0, -1, {}, nextPos, tokenPos, {}));
}

TEST(FindSymbol, NeighbourOptions) {
  TSourceParser parser("xinterface interface\t{interface}\r\ninterface;Interface");
  Parsed(parser);
  int32_t nextPos;
  int32_t foundPos;
  ASSERT_TRUE(parser.FindSymbol(0, -1, {}, nextPos, foundPos, "interface"));
  EXPECT_EQ(foundPos, 1);
  EXPECT_EQ(nextPos, 10);
  ASSERT_TRUE(parser.FindSymbol(0, -1, {fsNoIdentifierBefore}, nextPos, foundPos, "INTERFACE"));
  EXPECT_EQ(foundPos, 11);
  ASSERT_TRUE(parser.FindSymbol(0, -1, {fsControlCharBefore, fsControlCharAfter}, nextPos, foundPos,
                                "interface"));
  EXPECT_EQ(foundPos, 11);
  // After a line break, before `;`; the comment's copy is skipped.
  ASSERT_TRUE(parser.FindSymbol(12, -1, {fsControlCharBefore, fsNoIdentifierAfter}, nextPos,
                                foundPos, "interface"));
  EXPECT_EQ(foundPos, 34);
  // With both, the control character wins: `;` before is not enough.
  EXPECT_FALSE(parser.FindSymbol(35, -1, {fsControlCharBefore, fsNoIdentifierBefore}, nextPos,
                                 foundPos, "interface"));
  ASSERT_TRUE(parser.FindSymbol(35, -1, {fsCaseSensitive}, nextPos, foundPos, "Interface"));
  EXPECT_EQ(foundPos, 44);
  EXPECT_EQ(nextPos, -1);
}

TEST(FindSymbol, RangeHoldsTheWholeSymbol) {
  TSourceParser parser("ab ab");
  Parsed(parser);
  int32_t nextPos;
  int32_t foundPos;
  EXPECT_FALSE(parser.FindSymbol(0, 0, {}, nextPos, foundPos, "ab"));
  EXPECT_TRUE(parser.FindSymbol(0, 1, {}, nextPos, foundPos, "ab"));
  EXPECT_FALSE(parser.FindSymbol(4, -1, {}, nextPos, foundPos, "ab"));
  // Backward the search begins where the symbol still fits before Start.
  ASSERT_TRUE(parser.FindSymbol(-1, 0, {}, nextPos, foundPos, "ab"));
  EXPECT_EQ(foundPos, 3);
  EXPECT_EQ(nextPos, 2);
  ASSERT_TRUE(parser.FindSymbol(3, 0, {}, nextPos, foundPos, "ab"));
  EXPECT_EQ(foundPos, 0);
  EXPECT_FALSE(parser.FindSymbol(0, -1, {}, nextPos, foundPos, ""));
  EXPECT_FALSE(parser.FindSymbol(0, -1, {}, nextPos, foundPos, "ab ab ab"));
}

TEST(FindSymbol, SkipsLiteralsIncludingTheirQuotes) {
  TSourceParser parser("x := ''''; y := '';");
  Parsed(parser);
  int32_t nextPos;
  int32_t foundPos;
  EXPECT_FALSE(parser.FindSymbol(0, -1, {}, nextPos, foundPos, "'"));
  EXPECT_TRUE(parser.FindSymbol(0, -1, {}, nextPos, foundPos, ";"));
  EXPECT_EQ(foundPos, 9);
}

TEST(GetBlockIndex, FindsABlockByItsOffsetAndType) {
  TSourceParser parser("a 'b' {c} 'd'");
  Parsed(parser);
  int32_t index = 7;
  EXPECT_TRUE(parser.GetBlockIndex(btString, 10, index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(parser.GetBlockIndex(btString, 6, index));
  EXPECT_EQ(index, -1);
  EXPECT_TRUE(parser.GetBlockIndex(btComment, 6, index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(parser.GetBlockIndex(btString, 3, index));
  EXPECT_EQ(TSourceParser::GetNextOffset(5, 2, 2), 2);
  EXPECT_EQ(TSourceParser::GetNextOffset(2, 5, 6), -1);
  EXPECT_EQ(TSourceParser::GetNextOffset(2, 5, -1), -1);
}

TEST(ReplaceBlockText, ReplacesTheBlockBytesAndLeavesTheParseStale) {
  TSourceParser parser("x := 'old'; {c}");
  Parsed(parser);
  parser.ReplaceBlockText(0, "'brand new'");
  EXPECT_EQ(parser.Source, "x := 'brand new'; {c}");
  EXPECT_EQ(parser.Blocks()[1].Offset(), 12);  // until the next parse
  std::string copy = "x := 'old'; {c}";
  parser.ReplaceBlockTextEx(0, "''", copy);
  EXPECT_EQ(copy, "x := ''; {c}");
  EXPECT_THROW(parser.ReplaceBlockText(2, "x"), EListError);
  Parsed(parser);
  EXPECT_EQ(parser.Blocks()[1].BlockText(), "{c}");
  EXPECT_EQ(parser.Blocks()[1].Offset(), 18);
}

TEST(PascalStrings, QuotesDoubleAndUndoubleWithoutRescanning) {
  EXPECT_EQ(PascalStringToString("It''s"), "It's");
  EXPECT_EQ(PascalStringToString("''''"), "''");
  EXPECT_EQ(PascalStringToString("'''"), "''");
  EXPECT_EQ(PascalStringToString("#39'"), "#39'");
  EXPECT_EQ(StringToPascalString("It's"), "It''s");
  EXPECT_EQ(StringToPascalString("''"), "''''");
  for (const char* value : {"", "'", "a''b'", "''x'''"})
    EXPECT_EQ(PascalStringToString(StringToPascalString(value)), value);
}

TEST(TrimInsert, ReplacesTheBlanksAroundTheInsertionPoint) {
  std::string s = "uses  \r\n  A;";
  TrimInsert("\r\n  B, ", s, 5);
  EXPECT_EQ(s, "uses\r\n  B, A;");
  s = "a \t b";
  TrimInsert("X", s, 3);
  EXPECT_EQ(s, "aXb");
  // At the end nothing before the point is trimmed.
  s = "end  ";
  TrimInsert("!", s, 5);
  EXPECT_EQ(s, "end !");
  s = "ab";
  TrimInsert("!", s, 99);
  EXPECT_EQ(s, "ab!");
  TrimInsert("<", s, 0);
  EXPECT_EQ(s, "<ab!");
}

}  // namespace
