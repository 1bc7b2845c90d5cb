#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/core/filer/BinaryObjectWriter.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/TextFormNumbers.h"
#include "platform/core/resources/ResourceFile.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"
#include "tests/core/StreamTestSupport.h"

using namespace dravik;

namespace {

template <class Body>
std::string Form(Body body, TFilerFlags flags = 0, const char* className = "TForm1",
                 const char* name = "Form1") {
  TStringStream stream;
  {
    TBinaryObjectWriter w(stream);
    w.WriteSignature();
    w.BeginComponent(flags, 0, className, name);
    body(w);
    w.EndList();
    w.EndList();
    w.FlushBuffer();
  }
  return stream.DataString();
}

// One property; the form around it.
template <class Value>
std::string FormWith(Value value) {
  return Form([&](TBinaryObjectWriter& w) {
    w.BeginProperty("P");
    value(w);
  });
}

// Every marker and form that the text keeps apart, in the shapes where they are tricky.
std::string FormOfEveryDistinctValue() {
  TStringStream stream;
  TBinaryObjectWriter w(stream);
  auto prop = [&](const char* name) { w.BeginProperty(name); };
  w.WriteSignature();
  w.BeginComponent(ffInherited, 0, "TForm1", "Form1");
  prop("Int8");
  w.WriteInteger(-128);
  prop("Int16");
  w.WriteInteger(32767);
  prop("Int32");
  w.WriteInteger(INT32_MIN);
  prop("Int64");
  w.WriteInteger(INT64_MIN);
  prop("QWord");
  w.WriteUInt64(UINT64_MAX);
  prop("Extended");
  w.WriteFloat(1.0L / 3);
  prop("ExtendedWhole");
  w.WriteFloat(5);
  prop("ExtendedHuge");
  w.WriteFloat(1.2345e4000L);
  prop("ExtendedTiny");
  w.WriteFloat(std::numeric_limits<long double>::denorm_min());
  prop("ExtendedMinusZero");
  w.WriteFloat(-0.0L);
  prop("Single");
  w.WriteSingle(0.1f);
  prop("SingleWhole");
  w.WriteSingle(-3);
  prop("Date");
  w.WriteDate(45000.123456789);
  prop("Currency");
  w.WriteCurrency(INT64_MIN);
  prop("CurrencyWhole");
  w.WriteCurrency(120000);
  prop("Ascii");
  w.WriteString("it's \"quoted\"\r\n\t\x7F");
  prop("Utf8");
  w.WriteString(
      "Gr\xC3\xBC\xC3\x9F"
      "e \xE2\x82\xAC");
  prop("Legacy");
  w.WriteString("Caf\xE9 \x80 \xC3");
  prop("Empty");
  w.WriteString("");
  prop("Long");
  w.WriteString(std::string(300, 'L') + "\xE9");
  prop("Wide");
  w.WriteWideString(u"\u00E9t\u00E9 \u20AC \U0001F600 \xD800 '");
  prop("Ident");
  w.WriteIdent("Form1.Button1");
  prop("True");
  w.WriteBoolean(true);
  prop("False");
  w.WriteBoolean(false);
  prop("Nil");
  w.WriteIdent("nil");
  prop("Null");
  w.WriteIdent("Null");
  prop("Set");
  w.WriteSet({"akLeft", "akRight"});
  prop("EmptySet");
  w.WriteSet({});
  prop("Binary");
  w.WriteBinary(std::string(33, '\xAB').data(), 33);
  prop("EmptyBinary");
  w.WriteBinary("", 0);
  prop("Strings.Lines");
  w.BeginList();
  w.WriteString("a");
  w.BeginList();
  w.EndList();
  w.BeginList();
  w.WriteInteger(1);
  w.BeginList();
  w.WriteString("deep");
  w.EndList();
  w.EndList();
  w.EndList();
  prop("Items");
  w.BeginCollection();
  w.WriteInteger(7);
  w.BeginList();
  prop("Caption");
  w.WriteString("seven");
  prop("SubItems");
  w.BeginCollection();
  w.BeginList();
  w.EndList();
  w.EndList();
  w.EndList();
  w.BeginList();
  w.EndList();
  w.EndList();
  prop("EmptyItems");
  w.BeginCollection();
  w.EndList();
  w.EndList();
  w.BeginComponent(ffChildPos | ffInline, -5, "TFrame1", "Frame1");
  w.EndList();
  w.BeginComponent(0, 0, "TButton", "");
  w.EndList();
  w.EndList();
  w.EndList();
  w.EndList();
  w.FlushBuffer();
  return stream.DataString();
}

TEST(ObjectText, BinaryToTextToBinaryKeepsEveryDistinctValue) {
  std::string binary = FormOfEveryDistinctValue();
  std::string text = ToText(binary);
  EXPECT_EQ(ToBinary(text), binary) << text;
  EXPECT_EQ(ToText(ToBinary(text)), text);
}

// A form read from a stream in small pieces, with values longer than a piece and names and
// values across the pieces' ends, prints as the same form read whole from memory.
TEST(ObjectText, AFormReadInPiecesPrintsAsTheFormReadWhole) {
  std::string text = "object Form1: TForm1\n";
  for (int i = 0; i < 300; ++i)
    text += "  Property" + std::to_string(i) + " = 'Value " + std::to_string(i) + "'\n";
  text += "  Long = '" + std::string(64, 'x') + "' +\n    '" + std::string(5000, 'y') + "'\n";
  text += "  Data = {\n";
  for (int line = 0; line < 200; ++line) text += "    " + std::string(64, 'A') + "\n";
  text.back() = '}';
  text += "\nend\n";
  const std::string binary = ToBinary(text);
  ASSERT_GT(binary.size(), 3u * 4096);
  TStringStream whole;
  ObjectBinaryToText(std::string_view(binary), whole);
  const std::string pieces = ToText(binary);
  EXPECT_TRUE(whole.DataString() == pieces);
  EXPECT_TRUE(ToBinary(pieces) == binary);
  EXPECT_NE(pieces.find("  Property299 = 'Value 299'\n"), std::string::npos);
}

TEST(ObjectText, WritesTheLayoutOfTheTextForm) {
  TStringStream stream;
  TBinaryObjectWriter w(stream);
  w.WriteSignature();
  w.BeginComponent(0, 0, "TForm1", "Form1");
  w.BeginProperty("Caption");
  w.WriteString(
      "Gr\xC3\xBC\xC3\x9F"
      "e");
  w.BeginProperty("Lines.Strings");
  w.BeginList();
  w.WriteString("one");
  w.WriteString("two");
  w.EndList();
  w.BeginProperty("Items");
  w.BeginCollection();
  w.BeginList();
  w.BeginProperty("Width");
  w.WriteFloat(2.5);
  w.EndList();
  w.EndList();
  w.BeginProperty("Data");
  w.WriteBinary("\x01\x02", 2);
  w.EndList();
  w.BeginComponent(0, 0, "TButton", "OK");
  w.BeginProperty("Tag");
  w.WriteSingle(1.5f);
  w.EndList();
  w.EndList();
  w.EndList();
  w.FlushBuffer();
  std::string binary = stream.DataString();
  EXPECT_EQ(ToText(binary),
            "object Form1: TForm1\n"
            "  Caption = 'Grüße'\n"
            "  Lines.Strings = (\n"
            "    'one'\n"
            "    'two')\n"
            "  Items = <\n"
            "    item\n"
            "      Width = 2.5\n"
            "    end>\n"
            "  Data = {0102}\n"
            "  object OK: TButton\n"
            "    Tag = 1.5s\n"
            "  end\n"
            "end\n");
}

// Whichever way a value is printed, it is the shortest decimal that reads back as it, in the
// exponent form where that is shorter.
TEST(ObjectText, ExtendedValuesArePrintedAsTheirShortestDecimal) {
  for (long double value :
       {0.0L, -0.0L, 1.5L, -0.5L, 72.0L, 9999.9990234375L, 0.0009765625L, 3.0L / 1024, 1e-4L,
        10000.0L, 100000.0L, 0.1L, 123456.5L, -1e300L, 1.0L / 3}) {
    const std::string text = ToText(FormWith([&](TBinaryObjectWriter& w) { w.WriteFloat(value); }));
    EXPECT_NE(text.find("  P = " + *FormatExtended(value) + "\n"), std::string::npos) << text;
  }
}

// The original platform's layout: a string longer than 64 characters starts on a line of its own
// and goes on in pieces of 64 joined by " +" (a piece never ends inside a UTF-8 sequence), the
// quote is #39, binary data of 32 bytes or more takes lines of 32, child positions and item
// indexes stand in brackets after a blank. Text in that layout comes back as it was.
TEST(ObjectText, WritesLongValuesAsTheOriginalPlatformWrapsThem) {
  const std::string x64(64, 'x'), x63(63, 'x');
  const std::string text =
      "inherited Form1: TForm1\n"
      "  Exact = '" +
      x64 +
      "'\n"
      "  Long =\n"
      "    '" +
      x64 +
      "' +\n"
      "    'tail'\n"
      "  Quoted =\n"
      "    'It'#39's '#13#10'" +
      std::string(57, 'y') +
      "' +\n"
      "    'yyyz'\n"
      "  Wide =\n"
      "    '" +
      x63 +
      "' +\n"
      "    '\u00e9\u00e9'\n"
      "  Lines.Strings = (\n"
      "    'short'\n"
      "\n"
      "      '" +
      x64 +
      "' +\n"
      "      'more')\n"
      "  Items = <\n"
      "    item [3]\n"
      "      Data = {\n"
      "        " +
      std::string(64, 'A') +
      "\n"
      "        0102}\n"
      "    end>\n"
      "  inline Frame1: TFrame1 [2]\n"
      "  end\n"
      "end\n";
  EXPECT_EQ(ToText(ToBinary(text)), text);
  // The pieces are one string: the UTF-8 letter split at the line end is whole in the value.
  EXPECT_NE(ToBinary(text).find(x63 + "\xC3\xA9\xC3\xA9"), std::string::npos);
}

// The documented cases where the text form cannot keep the marker: what comes back instead.
TEST(ObjectText, MarkersTheTextCannotTellApartComeBackAsTheirTwin) {
  struct TCase {
    const char* What;
    std::string Written;
    std::string Expected;
  };
  auto value = [](auto write) { return FormWith(write); };
  TCase cases[] = {
      {"an integer wider than needed", value([](TBinaryObjectWriter& w) {
         w.WriteValue(vaInt32);
         w.Write("\x05\0\0\0", 4);
       }),
       value([](TBinaryObjectWriter& w) { w.WriteInteger(5); })},
      {"a small QWord", value([](TBinaryObjectWriter& w) {
         w.WriteValue(vaQWord);
         w.Write("\x05\0\0\0\0\0\0\0", 8);
       }),
       value([](TBinaryObjectWriter& w) { w.WriteInteger(5); })},
      {"a short vaLString", value([](TBinaryObjectWriter& w) {
         w.WriteValue(vaLString);
         w.Write("\x02\0\0\0ab", 6);
       }),
       value([](TBinaryObjectWriter& w) { w.WriteString("ab"); })},
      {"vaUTF8String", value([](TBinaryObjectWriter& w) { w.WriteUTF8String("\xC3\xBC"); }),
       value([](TBinaryObjectWriter& w) { w.WriteString("\xC3\xBC"); })},
      {"vaUString", value([](TBinaryObjectWriter& w) { w.WriteUnicodeString(u"\u20AC"); }),
       value([](TBinaryObjectWriter& w) { w.WriteWideString(u"\u20AC"); })},
      {"a wide string within Latin-1",
       value([](TBinaryObjectWriter& w) { w.WriteWideString(u"caf\u00E9"); }),
       value([](TBinaryObjectWriter& w) { w.WriteString("caf\xE9"); })},
      {"an identifier named true", value([](TBinaryObjectWriter& w) {
         w.WriteValue(vaIdent);
         w.WriteStr("true");
       }),
       value([](TBinaryObjectWriter& w) { w.WriteBoolean(true); })},
      {"a prefix without flags", "TPF0\xF0" + Form([](TBinaryObjectWriter&) {}).substr(4),
       Form([](TBinaryObjectWriter&) {})},
      {"inherited and inline", Form([](TBinaryObjectWriter&) {}, ffInherited | ffInline),
       Form([](TBinaryObjectWriter&) {}, ffInherited)},
  };
  for (const TCase& c : cases) EXPECT_EQ(ToBinary(ToText(c.Written)), c.Expected) << c.What;
}

std::string ConversionError(const std::string& binary) {
  try {
    ToText(binary);
  } catch (const EReadError& e) {
    return e.Message();
  }
  return "no error";
}

TEST(ObjectText, ValuesWithoutATextFormAreRefused) {
  EXPECT_EQ(ConversionError(FormWith([](TBinaryObjectWriter& w) { w.WriteFloat(NAN); })),
            "Floating point value without a text form (infinite, NaN or not canonical) at byte "
            "offset 19");
  EXPECT_NE(ConversionError(FormWith([](TBinaryObjectWriter& w) {
              w.WriteSingle(INFINITY);
            })).find("infinite"),
            std::string::npos);
  EXPECT_NE(ConversionError(FormWith([](TBinaryObjectWriter& w) { w.WriteDate(NAN); })).find("NaN"),
            std::string::npos);
  // An 80-bit value without its integer bit (an "unnormal") has no decimal spelling.
  EXPECT_NE(ConversionError(FormWith([](TBinaryObjectWriter& w) {
              w.WriteValue(vaExtended);
              w.Write("\0\0\0\0\0\0\0\x40\xFF\x3F", 10);
            })).find("not canonical"),
            std::string::npos);
  EXPECT_EQ(ConversionError(FormWith([](TBinaryObjectWriter& w) {
              w.WriteValue(vaIdent);
              w.WriteStr("two words");
            })),
            "Invalid identifier 'two words' at byte offset 19");
  EXPECT_EQ(ConversionError(Form([](TBinaryObjectWriter& w) {
              w.BeginProperty("End");
              w.WriteInteger(1);
            })),
            "Invalid property name 'End' at byte offset 17");
  EXPECT_EQ(ConversionError(std::string("TPF0\x03T 1\0\0\0", 10)),
            "Invalid class name 'T 1' at byte offset 4");
}

std::string ParseError(const std::string& text) {
  try {
    ToBinary(text);
  } catch (const EParserError& e) {
    return e.Message();
  }
  return "no error";
}

TEST(ObjectText, BadTextIsAnErrorWithTheLine) {
  struct TCase {
    const char* Text;
    const char* Message;
  };
  for (TCase c : {
           TCase{"", "'object' expected but end of file found on line 1"},
           {"object A: TA\n  X 1\nend", "'=' expected but integer 1 found on line 2"},
           {"object A: TA\n  X =\nend",
            "Property value expected but identifier 'end' found on line 3"},
           {"object A: TA\n  X = ;\nend", "Property value expected but ';' found on line 2"},
           {"object A: TA\n  X = (1\n  2\n",
            "Property value expected but end of file found on line 4"},
           {"object A: TA\n  X = <\n  item\n    Y = 1\n>\nend",
            "identifier expected but '>' found on line 5"},
           {"object A: TA\n  X = <\n  thing\n  end>\nend",
            "'item' expected but identifier 'thing' found on line 3"},
           {"object A: TA\n  X = [a, 1]\nend", "identifier expected but integer 1 found on line 2"},
           {"object A: TA [x]\nend", "integer expected but identifier 'x' found on line 1"},
           {"object A: TA [2147483648]\nend", "Child position out of range on line 1"},
           {"object A: TA\n  X = 1\n", "'end' expected but end of file found on line 3"},
           {"object A: TA\n  X = 'a' + 1\nend", "string expected but integer 1 found on line 2"},
           {"object A: TA\n  X = 1E5000\nend",
            "Floating point number out of range: 1E5000 on line 2"},
       })
    EXPECT_EQ(ParseError(c.Text), c.Message) << c.Text;
}

TEST(ObjectText, DeepNestingInTextIsAnErrorNotAStackOverflow) {
  std::string lists = "object A: TA\n  X = " + std::string(100000, '(');
  EXPECT_EQ(ParseError(lists), "Values nested too deeply on line 2");
  std::string objects;
  for (int i = 0; i < 100000; ++i) objects += "object A: TA\n";
  EXPECT_EQ(ParseError(objects), "Components nested too deeply on line 258");
}

TEST(ObjectText, ReadsStringsJoinedByPlusAndTheSuffixedFloats) {
  std::string binary = ToBinary(
      "object A: TA\n"
      "  S = 'abc' +\n"
      "    'def'\n"
      "  W = 'x' + #8364\n"
      "  L = '" +
      std::string(200, 'a') + "' + '" + std::string(100, 'b') +
      "'\n"
      "  F = 1.5s\n"
      "  C = 12.34c\n"
      "  D = 2.5d\n"
      "  Q = 18446744073709551615\n"
      "  N = Null\n"
      "end\n");
  std::string expected = Form(
      [](TBinaryObjectWriter& w) {
        w.BeginProperty("S");
        w.WriteString("abcdef");
        w.BeginProperty("W");
        w.WriteWideString(u"x\u20AC");
        w.BeginProperty("L");
        w.WriteString(std::string(200, 'a') + std::string(100, 'b'));
        w.BeginProperty("F");
        w.WriteSingle(1.5f);
        w.BeginProperty("C");
        w.WriteCurrency(123400);
        w.BeginProperty("D");
        w.WriteDate(2.5);
        w.BeginProperty("Q");
        w.WriteUInt64(UINT64_MAX);
        w.BeginProperty("N");
        w.WriteIdent("Null");
      },
      0, "TA", "A");
  EXPECT_EQ(binary, expected);
}

TEST(ObjectText, LeavesTheInputAfterTheObjectForTheNextOne) {
  TStringStream input("object A: TA\nend\nobject B: TB\nend\n");
  TStringStream first, second;
  ObjectTextToBinary(input, first);
  ObjectTextToBinary(input, second);
  EXPECT_EQ(ToText(second.DataString()), "object B: TB\nend\n");
}

TEST(ObjectText, ResourcesCarryTheClassNameInUpperCase) {
  TStringStream text("object Form1: TMainForm\n  Tag = 1\nend\n");
  TStringStream resource;
  ObjectTextToResource(text, resource);
  std::string binary = ToBinary("object Form1: TMainForm\n  Tag = 1\nend\n");
  EXPECT_EQ(resource.DataString(), std::string("\xFF\x0A\0TMAINFORM\0\x30\x10", 15) +
                                       std::string(1, static_cast<char>(binary.size())) +
                                       std::string(3, '\0') + binary);
  resource.SetPosition(0);
  TStringStream back;
  ObjectResourceToText(resource, back);
  EXPECT_EQ(back.DataString(), "object Form1: TMainForm\n  Tag = 1\nend\n");
}

TEST(ObjectText, ResourceToTextReadsBothLayoutsAndOnlyRcData) {
  std::string binary = ToBinary("object A: TA\nend\n");
  TResourceFile file;
  file.Layout = TResourceLayout::Res32;
  file.Entries.push_back({TResourceId(RT_RCDATA), TResourceId("TA"), 0x30, 0x409, 0, 0, 0, binary});
  TStringStream res32;
  file.SaveToStream(res32);
  res32.SetPosition(0);
  TStringStream text;
  ObjectResourceToText(res32, text);
  EXPECT_EQ(text.DataString(), "object A: TA\nend\n");

  file.Entries[0].Type = TResourceId(uint16_t{6});
  TStringStream strings;
  file.SaveToStream(strings);
  strings.SetPosition(0);
  EXPECT_THROW(ObjectResourceToText(strings, text), EInvalidImage);
}

}  // namespace
