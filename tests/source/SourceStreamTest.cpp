// A text scanned as a stream gives what ParseLines gives for the whole text, wherever the pieces
// break it: inside a CR LF, between the two bytes of a comment opener or closer, inside a doubled
// quote, after a C backslash.
#include <gtest/gtest.h>

#include <string>

#include "source/SourceStream.h"
#include "tests/source/ScanConsistency.h"
#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

std::string Check(const std::string& text, TCodeType type, std::size_t piece) {
  TSourceParser parser(text);
  parser.ParseLines(type);
  return scan_consistency::CheckStreamScan(parser, type, piece);
}

const char* const kPascalTexts[] = {
    "",
    "\r\n\r\n\n\r",
    "unit A;\r\n{ brace\r\n comment }(* star *)// line\r\nx := 'it''s' + '';\r\n",
    "'''''' '' ''' 'unterminated\r\n'end'",
    "(*)(**)(* a ( * b *) ( *) (x*) //\r\n//\r//",
    "{ never closed\r\n\r\n",
    "(* never closed *",
    "'quote at the end'",
    "// last line without a break",
    "x('(*', '{', '//') {'} (*'*) end.",
};

const char* const kCTexts[] = {
    "#include <a.h>\n/* star */ // line\r\nchar* s = \"a\\\"b\\\\\" 'c' '\\'';",
    "\"continued \\\r\n on the next line\" \"and \\\n\n ended\" '\\\r\r\n'",
    "\"backslash at the end \\",
    "/* never closed *",
    "'\\'\"/**/\" /*/ */ // \\\n still the comment",
};

TEST(SourceStream, EveryPieceSizeGivesTheScanOfTheWholeText) {
  for (std::size_t piece = 1; piece <= 20; ++piece) {
    for (const char* text : kPascalTexts) EXPECT_EQ(Check(text, ctPascal, piece), "") << text;
    for (const char* text : kCTexts) EXPECT_EQ(Check(text, ctC, piece), "") << text;
  }
}

TEST(SourceStream, RealUnitsInSmallAndLargePieces) {
  const std::string data = std::string(DRAVIK_TEST_DATA) + "/source/";
  for (const char* file : {"MainForm.pas", "MainFormLf.pas", "MainFormMixed.pas", "NoEnd.pas"})
    for (std::size_t piece : {1u, 3u, 64u, 100000u})
      EXPECT_EQ(Check(ReadFileBytes(data + file), ctPascal, piece), "") << file << " " << piece;
  for (std::size_t piece : {1u, 5u, 100000u})
    EXPECT_EQ(Check(ReadFileBytes(data + "Sample.c"), ctC, piece), "") << piece;
}

// A comment that spans the whole text is held until it ends, however small the pieces.
TEST(SourceStream, ALongBlockArrivesWhole) {
  const std::string text = "x{" + std::string(100000, 'c') + "}y";
  struct TCount : TScanSink {
    std::size_t Blocks = 0;
    std::size_t Length = 0;
    void Block(const TScannedBlock& block) override {
      ++Blocks;
      Length = block.Text.size();
    }
  } count;
  TSourceStream stream(false);
  for (std::size_t fed = 0; fed < text.size(); fed += 1000) {
    text.copy(stream.Room(1000).data(), 1000, fed);
    stream.Append(std::min<std::size_t>(1000, text.size() - fed));
    stream.Scan(ctPascal, false, count);
  }
  stream.Scan(ctPascal, true, count);
  EXPECT_EQ(count.Blocks, 1u);
  EXPECT_EQ(count.Length, 100002u);
}

TEST(SourceStream, TheFirstWordDecidesTheCodeTypeOnceItIsThere) {
  TSourceStream stream(false);
  const std::string blanks(5000, ' ');
  blanks.copy(stream.Room(blanks.size()).data(), blanks.size());
  stream.Append(blanks.size());
  EXPECT_EQ(stream.DetectedCodeType(false), ctAutoDetect);
  std::string("\r\nprog").copy(stream.Room(6).data(), 6);
  stream.Append(6);
  EXPECT_EQ(stream.DetectedCodeType(false), ctAutoDetect) << "PROG could still become PROGRAM";
  EXPECT_EQ(stream.DetectedCodeType(true), ctUnknown);
  std::string("ram X;").copy(stream.Room(6).data(), 6);
  stream.Append(6);
  EXPECT_EQ(stream.DetectedCodeType(false), ctPascal);
  struct TNone : TScanSink {
    void Block(const TScannedBlock&) override {}
  } none;
  EXPECT_THROW(stream.Scan(ctUnknown, true, none), ESourceParserError);
}

}  // namespace
