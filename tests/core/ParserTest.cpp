#include <gtest/gtest.h>

#include <string>

#include "platform/core/filer/Parser.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"

using namespace dravik;

namespace {

std::string ErrorOf(const std::string& text, void (*use)(TParser&)) {
  TStringStream stream(text);
  try {
    TParser parser(stream);
    use(parser);
  } catch (const EParserError& e) {
    return e.Message();
  }
  return "no error";
}

void ReadAllTokens(TParser& parser) {
  while (parser.Token() != toEOF) parser.NextToken();
}

TEST(Parser, SplitsTheTextIntoTokens) {
  TStringStream stream(
      "\xEF\xBB\xBF"
      "object Form1: TForm1\r\n  Left = -12\n  Tag = $7F\r  Scale = 1.5E-3\n end");
  TParser parser(stream);
  struct TExpected {
    char Token;
    const char* Text;
  };
  for (TExpected e : {TExpected{toSymbol, "object"},
                      {toSymbol, "Form1"},
                      {':', ":"},
                      {toSymbol, "TForm1"},
                      {toSymbol, "Left"},
                      {'=', "="},
                      {toInteger, "-12"},
                      {toSymbol, "Tag"},
                      {'=', "="},
                      {toInteger, "$7F"},
                      {toSymbol, "Scale"},
                      {'=', "="},
                      {toFloat, "1.5E-3"},
                      {toSymbol, "end"}}) {
    ASSERT_EQ(parser.Token(), e.Token) << e.Text;
    EXPECT_EQ(parser.TokenString(), e.Text);
    parser.NextToken();
  }
  EXPECT_EQ(parser.Token(), toEOF);
  EXPECT_EQ(parser.SourceLine(), 5) << "CR LF, LF and CR each end a line";
}

TEST(Parser, IntegersKeepTheirFullRange) {
  TStringStream stream("-9223372036854775808 18446744073709551615 $FFFFFFFFFFFFFFFF 7");
  TParser parser(stream);
  EXPECT_EQ(parser.TokenInt(), INT64_MIN);
  parser.NextToken();
  EXPECT_TRUE(parser.TokenIsUnsigned());
  EXPECT_EQ(parser.TokenUInt(), UINT64_MAX);
  EXPECT_THROW(parser.TokenInt(), EParserError);
  parser.NextToken();
  EXPECT_EQ(parser.TokenInt(), -1) << "hex numbers are 64-bit patterns";
  parser.NextToken();
  EXPECT_FALSE(parser.TokenIsUnsigned());
  EXPECT_EQ(parser.TokenInt(), 7);
}

TEST(Parser, IntegersOutOfRangeAreErrorsWithTheLine) {
  EXPECT_EQ(ErrorOf("\n18446744073709551616", ReadAllTokens),
            "Integer out of range: 18446744073709551616 on line 2");
  EXPECT_EQ(ErrorOf("-9223372036854775809", ReadAllTokens),
            "Integer out of range: -9223372036854775809 on line 1");
  EXPECT_EQ(ErrorOf("\n\n$10000000000000000", ReadAllTokens),
            "Integer out of range: $10000000000000000 on line 3");
  EXPECT_EQ(ErrorOf("$", ReadAllTokens), "Invalid integer number: $ on line 1");
}

TEST(Parser, FloatsCarryTheirKind) {
  TStringStream stream("1.5s 45000.25D 12.3456c -0.5 2e3 7C");
  TParser parser(stream);
  EXPECT_EQ(parser.FloatType(), 's');
  EXPECT_EQ(parser.TokenSingle(), 1.5f);
  parser.NextToken();
  EXPECT_EQ(parser.FloatType(), 'd');
  EXPECT_EQ(parser.TokenDouble(), 45000.25);
  parser.NextToken();
  EXPECT_EQ(parser.FloatType(), 'c');
  EXPECT_EQ(parser.TokenCurrency(), 123456);
  parser.NextToken();
  EXPECT_EQ(parser.FloatType(), 0);
  EXPECT_EQ(parser.TokenFloat(), -0.5L);
  parser.NextToken();
  EXPECT_EQ(parser.TokenFloat(), 2000.0L);
  parser.NextToken();
  ASSERT_EQ(parser.Token(), toFloat) << "a suffix makes an integer a float";
  EXPECT_EQ(parser.TokenCurrency(), 70000);
}

TEST(Parser, CurrencyIsReadExactly) {
  struct TCase {
    const char* Text;
    int64_t Scaled;
  };
  for (TCase c : {TCase{"0.00005c", 1},
                  {"-0.00005c", -1},
                  {"0.00004999c", 0},
                  {"1.99995c", 20000},
                  {"922337203685477.5807c", INT64_MAX},
                  {"-922337203685477.5808c", INT64_MIN},
                  {"1E3c", 10000000},
                  {"12345E-8c", 1},
                  {"0c", 0}}) {
    TStringStream stream(c.Text);
    TParser parser(stream);
    EXPECT_EQ(parser.TokenCurrency(), c.Scaled) << c.Text;
  }
  for (const char* text : {"922337203685477.5808c", "1E20c"}) {
    TStringStream stream(text);
    TParser parser(stream);
    EXPECT_THROW(parser.TokenCurrency(), EParserError) << text;
  }
}

TEST(Parser, FloatsOutOfRangeAreErrors) {
  EXPECT_EQ(ErrorOf("x = 1E5000",
                    [](TParser& p) {
                      p.NextToken();
                      p.NextToken();
                      p.TokenFloat();
                    }),
            "Floating point number out of range: 1E5000 on line 1");
  EXPECT_EQ(ErrorOf("1E39s", [](TParser& p) { p.TokenSingle(); }),
            "Single value out of range: 1E39 on line 1");
  EXPECT_EQ(ErrorOf("1.5E+", ReadAllTokens), "Invalid floating point number: 1.5E+ on line 1");
}

TEST(Parser, StringsWithCodesBelow256AreEightBit) {
  TStringStream stream("'it''s '#233'x' 'Gr\xC3\xBC\xC3\x9F' #0#255");
  TParser parser(stream);
  ASSERT_EQ(parser.Token(), toString);
  EXPECT_EQ(parser.TokenString(), "it's \xE9x");
  EXPECT_EQ(parser.TokenWideString(), u"it's \u00E9x");
  parser.NextToken();
  ASSERT_EQ(parser.Token(), toString);
  EXPECT_EQ(parser.TokenString(), "Gr\xC3\xBC\xC3\x9F") << "the bytes as they are";
  EXPECT_EQ(parser.TokenWideString(), u"Gr\u00FC\u00DF") << "quoted text is read as UTF-8";
  parser.NextToken();
  EXPECT_EQ(parser.TokenString(), std::string("\0\xFF", 2));
}

TEST(Parser, StringsWithACodeOf256OrAboveAreWide) {
  TStringStream stream("'\xE9t\xE9 '#8364#55357#56832 #128512");
  TParser parser(stream);
  ASSERT_EQ(parser.Token(), toWString);
  EXPECT_EQ(parser.TokenWideString(), u"\u00E9t\u00E9 \u20AC\U0001F600")
      << "quoted bytes that are not UTF-8 are Windows-1252; codes are UTF-16 units";
  EXPECT_EQ(parser.TokenString(), "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\xF0\x9F\x98\x80");
  parser.NextToken();
  EXPECT_EQ(parser.TokenWideString(), u"\U0001F600") << "a code above U+FFFF becomes a pair";
}

TEST(Parser, BadStringsAreErrorsWithTheLine) {
  EXPECT_EQ(ErrorOf("a\n'open\n'", ReadAllTokens), "Unterminated string on line 2");
  EXPECT_EQ(ErrorOf("'x'#", ReadAllTokens), "Invalid character code: '#' without digits on line 1");
  EXPECT_EQ(ErrorOf("#1114112", ReadAllTokens),
            "Invalid character code: beyond #1114111 on line 1");
}

TEST(Parser, CharactersOutsideStringsMustBeText) {
  EXPECT_EQ(ErrorOf("a\n\x01", ReadAllTokens), "Invalid character #1 on line 2");
  EXPECT_EQ(ErrorOf("Gr\xC3\xBC", ReadAllTokens), "Invalid character #195 on line 1");
}

TEST(Parser, ComponentIdentsJoinDottedNames) {
  TStringStream stream("Form1.Panel1.Button1 . x");
  TParser parser(stream);
  EXPECT_EQ(parser.TokenComponentIdent(), "Form1.Panel1.Button1");
  EXPECT_EQ(parser.NextToken(), '.');
  EXPECT_EQ(ErrorOf("Form1.1", [](TParser& p) { p.TokenComponentIdent(); }),
            "Identifier expected after 'Form1.' on line 1");
}

TEST(Parser, HexToBinaryReadsPairsUpToTheBrace) {
  TStringStream stream("{ 0A1b\n  FF\n} next");
  TParser parser(stream);
  TStringStream data;
  parser.HexToBinary(data);
  EXPECT_EQ(data.DataString(), "\x0A\x1B\xFF");
  EXPECT_EQ(parser.Token(), '}');
  EXPECT_EQ(parser.SourceLine(), 3);
  auto hex = [](TParser& p) {
    TStringStream out;
    p.HexToBinary(out);
  };
  EXPECT_EQ(ErrorOf("{\n0A1}", hex), "Odd number of hex digits in binary data on line 2");
  EXPECT_EQ(ErrorOf("{0A1G}", hex), "Odd number of hex digits in binary data on line 1");
  EXPECT_EQ(ErrorOf("{0A x}", hex), "'}' expected but identifier 'x' found on line 1");
}

TEST(Parser, CheckTokenDescribesWhatItFound) {
  EXPECT_EQ(ErrorOf("\n\n  = 5", [](TParser& p) { p.CheckToken(toSymbol); }),
            "identifier expected but '=' found on line 3");
  EXPECT_EQ(ErrorOf("12", [](TParser& p) { p.CheckTokenSymbol("end"); }),
            "'end' expected but integer 12 found on line 1");
  EXPECT_EQ(ErrorOf("", [](TParser& p) { p.CheckToken('='); }),
            "'=' expected but end of file found on line 1");
}

TEST(Parser, LeavesTheStreamAtTheCurrentToken) {
  TStringStream stream("first  second third");
  {
    TParser parser(stream);
    parser.NextToken();
    EXPECT_TRUE(parser.TokenSymbolIs("SECOND"));
  }
  EXPECT_EQ(stream.Position(), 7);
}

}  // namespace
