#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "platform/core/filer/BinaryObjectReader.h"
#include "platform/core/filer/BinaryObjectWriter.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"

using namespace dravik;

namespace {

template <class Write>
std::string Written(Write write) {
  TStringStream stream;
  {
    TBinaryObjectWriter writer(stream);
    write(writer);
    writer.FlushBuffer();
  }
  return stream.DataString();
}

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

TEST(BinaryObjectWriter, IntegersTakeTheSmallestMarker) {
  struct TCase {
    int64_t Value;
    TValueType Marker;
  };
  for (TCase c : {TCase{0, vaInt8},
                  {-128, vaInt8},
                  {127, vaInt8},
                  {128, vaInt16},
                  {-129, vaInt16},
                  {32767, vaInt16},
                  {-32769, vaInt32},
                  {INT32_MAX, vaInt32},
                  {INT32_MIN, vaInt32},
                  {int64_t{INT32_MAX} + 1, vaInt64},
                  {INT64_MIN, vaInt64}}) {
    std::string bytes = Written([&](TBinaryObjectWriter& w) { w.WriteInteger(c.Value); });
    ASSERT_EQ(static_cast<TValueType>(bytes[0]), c.Marker) << c.Value;
    TStringStream stream(bytes);
    TBinaryObjectReader reader(stream);
    EXPECT_EQ(reader.ReadInteger(reader.ReadValue()), c.Value);
    EXPECT_EQ(reader.Offset(), static_cast<int64_t>(bytes.size()));
  }
}

TEST(BinaryObjectWriter, UnsignedValuesAboveInt32UseQWord) {
  EXPECT_EQ(Written([](TBinaryObjectWriter& w) { w.WriteUInt64(0x7FFFFFFF); })[0], vaInt32);
  std::string bytes = Written([](TBinaryObjectWriter& w) { w.WriteUInt64(UINT64_MAX); });
  ASSERT_EQ(bytes[0], vaQWord);
  TStringStream stream(bytes);
  TBinaryObjectReader reader(stream);
  reader.ReadValue();
  EXPECT_EQ(reader.ReadQWord(), UINT64_MAX);
}

TEST(BinaryObjectWriter, StringsChooseShortOrLongByLength) {
  std::string s255(255, 'a'), s256(256, 'b');
  EXPECT_EQ(Written([&](TBinaryObjectWriter& w) { w.WriteString(s255); }),
            '\x06' + std::string(1, '\xFF') + s255);
  EXPECT_EQ(Written([&](TBinaryObjectWriter& w) { w.WriteString(s256); }),
            Bytes({vaLString, 0, 1, 0, 0}) + s256);
  EXPECT_EQ(Written([](TBinaryObjectWriter& w) { w.WriteUTF8String("\xC3\xBC"); }),
            Bytes({vaUTF8String, 2, 0, 0, 0, 0xC3, 0xBC}));
  EXPECT_THROW(Written([&](TBinaryObjectWriter& w) { w.WriteStr(s256); }), EWriteError)
      << "a short string would be cut";
}

TEST(BinaryObjectWriter, SpecialIdentifiersBecomeTheirMarkers) {
  EXPECT_EQ(Written([](TBinaryObjectWriter& w) {
              w.WriteIdent("NIL");
              w.WriteIdent("false");
              w.WriteIdent("True");
              w.WriteIdent("null");
              w.WriteIdent("alNone");
              w.WriteMethodName("");
            }),
            Bytes({vaNil, vaFalse, vaTrue, vaNull, vaIdent, 6}) + "alNone" + Bytes({vaNil}));
}

TEST(BinaryObjectReaderWriter, EveryValueKindReadsBackAsWritten) {
  const std::u16string wide = u"Gr\u00FC\u00DFe \U0001F600";
  std::string bytes = Written([&](TBinaryObjectWriter& w) {
    w.WriteSignature();
    w.BeginComponent(ffInherited | ffChildPos, 300, "TForm1", "Form1");
    w.BeginProperty("Extended");
    w.WriteFloat(1.0L / 3);
    w.BeginProperty("Single");
    w.WriteSingle(0.1f);
    w.BeginProperty("Date");
    w.WriteDate(45000.25);
    w.BeginProperty("Currency");
    w.WriteCurrency(-123456789);
    w.BeginProperty("Wide");
    w.WriteWideString(wide);
    w.BeginProperty("Unicode");
    w.WriteUnicodeString(u"x");
    w.BeginProperty("Set");
    w.WriteSet({"akLeft", "akTop"});
    w.BeginProperty("Data");
    w.WriteBinary("\0\1\2", 3);
    w.BeginProperty("Bool");
    w.WriteBoolean(false);
  });
  TStringStream stream(bytes);
  TBinaryObjectReader reader(stream, 16);  // a small buffer makes values cross its refills
  reader.ReadSignature();
  TComponentHeader header = reader.BeginComponent();
  EXPECT_EQ(header.Flags, ffInherited | ffChildPos);
  EXPECT_EQ(header.ChildPos, 300);
  EXPECT_EQ(header.ClassName, "TForm1");
  EXPECT_EQ(header.Name, "Form1");
  EXPECT_EQ(reader.BeginProperty(), "Extended");
  ASSERT_EQ(reader.ReadValue(), vaExtended);
  EXPECT_EQ(reader.ReadFloat(), 1.0L / 3);
  reader.BeginProperty();
  ASSERT_EQ(reader.ReadValue(), vaSingle);
  EXPECT_EQ(reader.ReadSingle(), 0.1f);
  reader.BeginProperty();
  ASSERT_EQ(reader.ReadValue(), vaDate);
  EXPECT_EQ(reader.ReadDate(), 45000.25);
  reader.BeginProperty();
  ASSERT_EQ(reader.ReadValue(), vaCurrency);
  EXPECT_EQ(reader.ReadCurrency(), -123456789);
  reader.BeginProperty();
  ASSERT_EQ(reader.ReadValue(), vaWString);
  EXPECT_EQ(reader.ReadWideString(), wide);
  reader.BeginProperty();
  ASSERT_EQ(reader.ReadValue(), vaUString);
  EXPECT_EQ(reader.ReadWideString(), u"x");
  reader.BeginProperty();
  ASSERT_EQ(reader.ReadValue(), vaSet);
  EXPECT_EQ(reader.ReadSet(), (std::vector<std::string>{"akLeft", "akTop"}));
  reader.BeginProperty();
  ASSERT_EQ(reader.ReadValue(), vaBinary);
  TStringStream data;
  reader.ReadBinary(data);
  EXPECT_EQ(data.DataString(), std::string("\0\1\2", 3));
  EXPECT_EQ(reader.BeginProperty(), "Bool");
  EXPECT_EQ(reader.ReadIdent(reader.ReadValue()), "False");
  EXPECT_EQ(reader.Offset(), static_cast<int64_t>(bytes.size()));
}

TEST(BinaryObjectWriter, AClassNameThatLooksLikeAPrefixGetsARealOne) {
  std::string longName(240, 'T');
  std::string bytes =
      Written([&](TBinaryObjectWriter& w) { w.BeginComponent(0, 0, longName, "A"); });
  EXPECT_EQ(bytes.substr(0, 2), "\xF0\xF0");
  TStringStream stream(bytes);
  TBinaryObjectReader reader(stream);
  TComponentHeader header = reader.BeginComponent();
  EXPECT_EQ(header.Flags, 0);
  EXPECT_EQ(header.ClassName, longName);
  EXPECT_EQ(header.Name, "A");
}

TEST(BinaryObjectReader, FlushBufferLeavesTheStreamAfterWhatWasConsumed) {
  TStringStream stream(
      "\x06\x03"
      "abc"
      "rest");
  {
    TBinaryObjectReader reader(stream);
    EXPECT_EQ(reader.ReadString(reader.ReadValue()), "abc");
  }
  EXPECT_EQ(stream.Position(), 5);
}

// A property of each kind, so that skipping must know every payload, including those that are
// rare in forms (vaCurrency, vaUTF8String, vaQWord).
std::string PropertiesOfEveryKind() {
  return Written([](TBinaryObjectWriter& w) {
    auto prop = [&](const char* name) { w.BeginProperty(name); };
    prop("a");
    w.WriteInteger(-1);
    prop("b");
    w.WriteInteger(1000);
    prop("c");
    w.WriteInteger(100000);
    prop("d");
    w.WriteInteger(INT64_MIN);
    prop("e");
    w.WriteUInt64(UINT64_MAX);
    prop("f");
    w.WriteFloat(2.5L);
    prop("g");
    w.WriteSingle(2.5f);
    prop("h");
    w.WriteDate(2.5);
    prop("i");
    w.WriteCurrency(25000);
    prop("j");
    w.WriteString("short");
    prop("k");
    w.WriteString(std::string(300, 'x'));
    prop("l");
    w.WriteUTF8String("utf8");
    prop("m");
    w.WriteWideString(u"wide");
    prop("n");
    w.WriteUnicodeString(u"unicode");
    prop("o");
    w.WriteIdent("ident");
    prop("p");
    w.WriteBoolean(true);
    prop("q");
    w.WriteIdent("nil");
    prop("r");
    w.WriteSet({"x", "y"});
    prop("s");
    w.WriteBinary("bin", 3);
    prop("t");
    w.BeginList();
    w.WriteInteger(1);
    w.BeginList();
    w.EndList();
    w.EndList();
    prop("u");
    w.BeginCollection();
    w.WriteInteger(7);
    w.BeginList();
    prop("v");
    w.WriteString("item");
    w.EndList();
    w.BeginList();
    prop("w");
    w.BeginCollection();
    w.EndList();
    w.EndList();
    w.EndList();
    w.EndList();
  });
}

TEST(BinaryObjectReader, SkipsValuesOfEveryKind) {
  std::string bytes = PropertiesOfEveryKind() + "\x07";
  TStringStream stream(bytes);
  TBinaryObjectReader reader(stream);
  std::string names;
  while (!reader.EndOfList()) {
    names += reader.BeginProperty();
    reader.SkipValue();
  }
  reader.CheckValue(vaNull);
  EXPECT_EQ(names, "abcdefghijklmnopqrstu");
  EXPECT_EQ(reader.Offset(), static_cast<int64_t>(bytes.size()) - 1);
}

std::string SmallForm() {
  return Written([](TBinaryObjectWriter& w) {
    w.WriteSignature();
    w.BeginComponent(0, 0, "TForm1", "Form1");
    w.BeginProperty("Caption");
    w.WriteString("Hello");
    w.EndList();
    w.BeginComponent(ffChildPos, 2, "TButton", "Button1");
    w.BeginProperty("Items");
    w.BeginCollection();
    w.BeginList();
    w.BeginProperty("Lines");
    w.BeginList();
    w.WriteString("x");
    w.EndList();
    w.EndList();
    w.EndList();
    w.EndList();
    w.EndList();
    w.EndList();
  });
}

// Through a stream and in place in memory, where no byte beyond the given ones may be read.
TEST(BinaryObjectReader, EveryTruncationRaisesReadError) {
  const std::string form = SmallForm();
  for (std::size_t length = 0; length < form.size(); ++length) {
    const std::string cut = form.substr(0, length);
    TStringStream stream(cut);
    TBinaryObjectReader reader(stream);
    TBinaryObjectReader inPlace{std::string_view(cut)};
    for (TBinaryObjectReader* r : {&reader, &inPlace})
      EXPECT_THROW(
          {
            r->ReadSignature();
            r->SkipComponent(true);
          },
          EReadError)
          << "truncated to " << length << " bytes";
  }
  TStringStream whole(form);
  TBinaryObjectReader reader(whole);
  TBinaryObjectReader inPlace{std::string_view(form)};
  for (TBinaryObjectReader* r : {&reader, &inPlace}) {
    r->ReadSignature();
    r->SkipComponent(true);
    EXPECT_EQ(r->Offset(), static_cast<int64_t>(form.size()));
  }
}

std::string ReadErrorOf(const std::string& bytes) {
  TStringStream stream(bytes);
  TBinaryObjectReader reader(stream);
  try {
    reader.ReadSignature();
    reader.SkipComponent(true);
  } catch (const EReadError& e) {
    return e.Message();
  }
  return "no error";
}

TEST(BinaryObjectReader, MalformedStreamsNameTheProblemAndTheOffset) {
  EXPECT_EQ(ReadErrorOf("TPF1"),
            "Invalid stream format: the signature TPF0 is missing at byte offset 0");
  EXPECT_EQ(ReadErrorOf("TPF0" + Bytes({1, 'T', 0, 1, 'P', 42})),
            "Invalid value marker 0x2A at byte offset 9");
  EXPECT_EQ(ReadErrorOf("TPF0" + Bytes({0xF2, vaString, 0, 0})),
            "Invalid child position at byte offset 5");
  EXPECT_EQ(ReadErrorOf("TPF0" + Bytes({1, 'T', 0, 1, 'P', vaCollection, vaString})),
            "vaList expected but vaString found at byte offset 10");
  // A length far beyond the data fails at the end of the data.
  EXPECT_EQ(
      ReadErrorOf("TPF0" + Bytes({1, 'T', 0, 1, 'P', vaLString, 0xFF, 0xFF, 0xFF, 0xFF, 'a'})),
      "Unexpected end of stream at byte offset 15");
  EXPECT_EQ(ReadErrorOf("TPF0" + Bytes({1, 'T', 0, 1, 'P', vaWString, 0xFF, 0xFF, 0xFF, 0x7F})),
            "Unexpected end of stream at byte offset 14");
}

TEST(BinaryObjectReader, DeepNestingIsRejectedNotRecursedInto) {
  std::string lists = "TPF0" + Bytes({1, 'T', 0, 1, 'P'}) + std::string(100000, vaList);
  EXPECT_NE(ReadErrorOf(lists).find("nested too deeply"), std::string::npos);
  std::string components = "TPF0";
  for (int i = 0; i < 100000; ++i) components += Bytes({1, 'T', 0, 0});
  EXPECT_NE(ReadErrorOf(components).find("nested too deeply"), std::string::npos);
}

TEST(BinaryObjectReader, ReadersOfPayloadsRejectTheWrongMarker) {
  TStringStream stream(Bytes({vaString, 0}));
  TBinaryObjectReader reader(stream);
  TValueType type = reader.ReadValue();
  EXPECT_THROW(reader.ReadInteger(type), EReadError);
  EXPECT_THROW(reader.ReadIdent(type), EReadError);
  EXPECT_THROW(reader.ReadString(vaInt8), EReadError);
}

}  // namespace
