// ParseLines: the mask and the blocks of literals and comments, for Pascal and C, with every
// kind of line break.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "source/SourceParser.h"
#include "tests/source/ScanConsistency.h"

using namespace dravik;

namespace {

// One block as "type offset length line column text".
std::string Describe(const TSourceCodeBlock& block) {
  return std::string(block.BlockType() == btString ? "string " : "comment ") +
         std::to_string(block.Offset()) + " " + std::to_string(block.Length()) + " " +
         std::to_string(block.Line()) + " " + std::to_string(block.Column()) + " " +
         block.BlockText();
}

std::vector<std::string> Blocks(const TSourceParser& parser) {
  std::vector<std::string> result;
  for (const TSourceCodeBlock& block : parser.Blocks()) result.push_back(Describe(block));
  return result;
}

struct TParsed {
  explicit TParsed(std::string text, TCodeType type = ctPascal) : Parser(std::move(text)) {
    Parser.ParseLines(type);
    const std::string fault = scan_consistency::CheckScan(Parser, type);
    EXPECT_EQ(fault, "") << "inconsistent parse of: " << Parser.Source;
  }
  std::vector<std::string> List() const { return Blocks(Parser); }
  const std::string& Mask() const { return Parser.Mask(); }
  TSourceParser Parser;
};

using Strings = std::vector<std::string>;

TEST(PascalLiterals, DoubledQuoteStaysInsideTheLiteral) {
  TParsed p("s := 'It''s';");
  EXPECT_EQ(p.Mask(), "     [sssss] ");
  ASSERT_EQ(p.List(), Strings{"string 5 7 0 6 'It''s'"});
  const std::string text = p.Parser.Blocks()[0].BlockText();
  EXPECT_EQ(PascalStringToString(text.substr(1, text.size() - 2)), "It's");
}

TEST(PascalLiterals, EmptyLiteralAndLiteralOfOneQuote) {
  TParsed p("x := ''; y := '''';");
  EXPECT_EQ(p.Mask(), "     []       [ss] ");
  EXPECT_EQ(p.List(), (Strings{"string 5 2 0 6 ''", "string 14 4 0 15 ''''"}));
}

TEST(PascalLiterals, UnterminatedLiteralEndsWithItsLine) {
  TParsed lf("x := 'abc\ny := 'd''\nz;");
  EXPECT_EQ(lf.Mask(), "     [ss]\n     [ss]\n  ");
  EXPECT_EQ(lf.List(), (Strings{"string 5 4 0 6 'abc", "string 15 4 1 6 'd''"}));

  TParsed crlf("x := 'abc\r\ny;");
  EXPECT_EQ(crlf.Mask(), "     [ss]\r\n  ");
  // A quote alone at the end of a line is a literal of one byte.
  TParsed lone("x := '\r\ny");
  EXPECT_EQ(lone.Mask(), "     ]\r\n ");
  EXPECT_EQ(lone.List(), Strings{"string 5 1 0 6 '"});
}

TEST(PascalLiterals, QuotesAndDelimitersInsideOtherBlocks) {
  TParsed p("a := '{x} (*y*) //z'; {'b'} (* 'c' *) // 'd'\nq := \"e\";");
  EXPECT_EQ(p.List(), (Strings{"string 5 15 0 6 '{x} (*y*) //z'", "comment 22 5 0 23 {'b'}",
                               "comment 28 9 0 29 (* 'c' *)", "comment 38 6 0 39 // 'd'"}));
  // Double quotes are code in Pascal.
  EXPECT_EQ(p.Mask().substr(45), std::string(9, ' '));
}

TEST(PascalComments, LiteralFollowedDirectlyByEachKindOfComment) {
  for (const char* comment : {"{note}", "(*note*)", "//note"}) {
    SCOPED_TRACE(comment);
    TParsed p(std::string("x := 'abc'") + comment);
    EXPECT_EQ(p.List(),
              (Strings{"string 5 5 0 6 'abc'", std::string("comment 10 ") +
                                                   std::to_string(std::string(comment).size()) +
                                                   " 0 11 " + comment}));
  }
}

TEST(PascalComments, ParenthesisWithoutStarStaysCode) {
  TParsed p("f(x); (y) (*z*)");
  EXPECT_EQ(p.Mask(), "          {ccc}");
  EXPECT_EQ(p.List(), Strings{"comment 10 5 0 11 (*z*)"});
  // `(*` at the end of a line and `*` on the next one do not open a comment.
  TParsed split("a (\n* b");
  EXPECT_TRUE(split.List().empty());
}

TEST(PascalComments, StarParenthesisRightAfterTheOpenerDoesNotClose) {
  TParsed p("(*) still *) x (**) (***)");
  EXPECT_EQ(p.Mask(), "{cccccccccc}   {cc} {ccc}");
  EXPECT_EQ(p.List(), (Strings{"comment 0 12 0 1 (*) still *)", "comment 15 4 0 16 (**)",
                               "comment 20 5 0 21 (***)"}));
}

TEST(PascalComments, CommentAcrossLinesCountsItsLineBreakBytes) {
  TParsed crlf("x {a\r\nb} (*c\r\n\r\nd*)");
  EXPECT_EQ(crlf.List(), (Strings{"comment 2 6 0 3 {a\r\nb}", "comment 9 10 1 4 (*c\r\n\r\nd*)"}));
  EXPECT_EQ(crlf.Mask(), "  {c\r\nc} {cc\r\n\r\ncc}");

  TParsed lf("x {a\nb} (*c\n\nd*)");
  EXPECT_EQ(lf.List(), (Strings{"comment 2 5 0 3 {a\nb}", "comment 8 8 1 4 (*c\n\nd*)"}));

  TParsed cr("x {a\rb}\r'y'");
  EXPECT_EQ(cr.List(), (Strings{"comment 2 5 0 3 {a\rb}", "string 8 3 2 1 'y'"}));
}

TEST(PascalComments, MixedLineBreaksGiveLinesAndColumnsOfTheText) {
  // CR LF, LF, CR and LF CR (two breaks) in one text.
  TParsed p("a\r\n 'b'\n  {c}\r   //d\n\r'e'");
  EXPECT_EQ(p.List(), (Strings{"string 4 3 1 2 'b'", "comment 10 3 2 3 {c}", "comment 17 3 3 4 //d",
                               "string 22 3 5 1 'e'"}));
  EXPECT_EQ(p.Mask().size(), p.Parser.Source.size());
}

TEST(PascalComments, LineCommentRunsToTheLastByteOfItsLine) {
  TParsed p("x // abc \r\ny //\n//");
  EXPECT_EQ(p.Mask(), "  {ccccc}\r\n  {}\n{}");
  EXPECT_EQ(p.List(),
            (Strings{"comment 2 7 0 3 // abc ", "comment 13 2 1 3 //", "comment 16 2 2 1 //"}));
}

TEST(PascalComments, UnterminatedCommentEndsWithTheLastByteOfTheText) {
  TParsed brace("x { open\n\n");
  EXPECT_EQ(brace.Mask(), "  {cccc}\n\n");
  EXPECT_EQ(brace.List(), Strings{"comment 2 6 0 3 { open"});
  TParsed star("(* open\r\n more");
  EXPECT_EQ(star.List(), Strings{"comment 0 14 0 1 (* open\r\n more"});
  TParsed single("x {");
  EXPECT_EQ(single.Mask(), "  }");
}

TEST(PascalComments, OnlyPascalDelimitersOpenComments) {
  TParsed p("a /* b */ c / d (* { *) {(* } e");
  EXPECT_EQ(p.List(), (Strings{"comment 16 7 0 17 (* { *)", "comment 24 5 0 25 {(* }"}));
}

TEST(CSource, LiteralsWithEscapesAndBothQuotes) {
  TParsed p("s = \"a\\\"b\" 'c' \"{x}\"; /* d\n*/ e // f", ctC);
  EXPECT_EQ(p.List(), (Strings{"string 4 6 0 5 \"a\\\"b\"", "string 11 3 0 12 'c'",
                               "string 15 5 0 16 \"{x}\"", "comment 22 7 0 23 /* d\n*/",
                               "comment 32 4 1 6 // f"}));
  EXPECT_EQ(p.Mask().substr(0, 21), "    [ssss] [s] [sss] ");
}

TEST(CSource, BackslashAtLineEndContinuesTheLiteral) {
  TParsed p("s = \"ab\\\r\ncd\";", ctC);
  EXPECT_EQ(p.Mask(), "    [ss\\\r\nss] ");
  EXPECT_EQ(p.List(), Strings{"string 4 9 0 5 \"ab\\\r\ncd\""});
}

TEST(CSource, EmptyContinuationLineEndsTheLiteralAtItsBackslash) {
  TParsed p("s = \"ab\\\n\nx = 1;", ctC);
  EXPECT_EQ(p.Mask(), "    [ss]\n\n      ");
  EXPECT_EQ(p.List(), Strings{"string 4 4 0 5 \"ab\\"});
  TParsed atEnd("\"ab\\", ctC);
  EXPECT_EQ(atEnd.Mask(), "[ss]");
}

TEST(CSource, BracesAndParenthesisStarAreCode) {
  TParsed p("int f() { (*p)++; }", ctC);
  EXPECT_TRUE(p.List().empty());
  EXPECT_EQ(p.Mask(), std::string(19, ' '));
}

TEST(ParseLines, EveryParseStartsFromAnEmptyList) {
  TSourceParser parser("unit a; 'x' {y}");
  parser.ParseLines(ctPascal);
  parser.ParseLines(ctAutoDetect);
  EXPECT_EQ(Blocks(parser), (Strings{"string 8 3 0 9 'x'", "comment 12 3 0 13 {y}"}));
  parser.Source = "'z'";
  parser.ParseLines(ctPascal);
  EXPECT_EQ(Blocks(parser), Strings{"string 0 3 0 1 'z'"});
  EXPECT_EQ(parser.Mask(), "[s]");
}

TEST(ParseLines, EmptyTextHasNoBlocks) {
  TParsed p("");
  EXPECT_EQ(p.Mask(), "");
  EXPECT_EQ(p.Parser.Blocks().Count(), 0);
}

TEST(ParseLines, UndetectedOrUnknownTypeIsRefused) {
  TSourceParser parser("{ header } unit a;");
  EXPECT_EQ(parser.CodeType(), ctUnknown);
  try {
    parser.ParseLines(ctAutoDetect);
    FAIL() << "no exception";
  } catch (const ESourceParserError& e) {
    EXPECT_STREQ(e.Message().c_str(), "TSourceParser.ParseLines: Invalid CodeType");
  }
  EXPECT_THROW(parser.ParseLines(ctUnknown), ESourceParserError);
  EXPECT_EQ(parser.Mask(), "");
  parser.ParseLines(ctPascal);
  EXPECT_EQ(parser.Blocks().Count(), 1);
}

TEST(ParseLines, DetectsTheCodeTypeFromTheFirstWord) {
  const std::pair<const char*, TCodeType> cases[] = {
      {"unit A;", ctPascal},
      {"\r\n  Program P;", ctPascal},
      {"#include <x>", ctC},
      {"int main() {}", ctC},
      {"void f();", ctC},
      {"library L;", ctUnknown},
      {"// unit A\nunit A;", ctUnknown},
      {"", ctUnknown},
      {"uni", ctUnknown},
  };
  for (const auto& [text, type] : cases) EXPECT_EQ(TSourceParser(text).CodeType(), type) << text;
}

TEST(ParseLines, BlocksIndexOutsideTheListIsAnError) {
  TParsed p("'a'");
  EXPECT_EQ(p.Parser.Blocks().GetItem(0).Parser(), &p.Parser);
  EXPECT_THROW(p.Parser.Blocks().GetItem(1), EListError);
  EXPECT_THROW(p.Parser.Blocks().GetItem(-1), EListError);
}

}  // namespace
