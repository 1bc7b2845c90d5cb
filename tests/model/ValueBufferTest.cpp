#include "model/ValueBuffer.h"

#include <gtest/gtest.h>

#include "platform/core/system/Exceptions.h"

using namespace dravik;

namespace {

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

std::string Message(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "<no exception>";
}

}  // namespace

TEST(ValueBuffer, EveryTagRoundTripsAndWidensAsStored) {
  struct Case {
    Variant In;
    TVarType Out;
  };
  const Case cases[] = {
      {Variant(), varEmpty},
      {Variant::Null(), varNull},
      {Variant(int16_t(-300)), varInteger},
      {Variant(int32_t(-5)), varInteger},
      {Variant(1.5f), varDouble},
      {Variant(2.25), varDouble},
      {Variant(TCurrency{123456}), varCurrency},
      {Variant::Date(45000.75), varDate},
      {Variant::OleStr("Größe"), varString},
      {Variant(true), varBoolean},
      {Variant(uint8_t(200)), varInteger},
      {Variant("Sprachauswahl"), varString},
      {Variant(""), varString},
  };
  for (const Case& c : cases) {
    Variant back = BufferToVariant(VariantToBuffer(c.In));
    EXPECT_EQ(back.VarType(), c.Out) << VarToStr(c.In);
    EXPECT_EQ(VarToStr(back), VarToStr(c.In));
    EXPECT_EQ(BufferedValue(c.In).VarType(), c.Out);
  }
}

TEST(ValueBuffer, PayloadsAreLittleEndianAsTheTableSays) {
  EXPECT_EQ(VariantToBuffer(Variant(int32_t(-5))), Bytes({3, 0, 0, 0, 0xFB, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(VariantToBuffer(Variant(TCurrency{123456})),
            Bytes({6, 0, 0, 0, 0x40, 0xE2, 0x01, 0, 0, 0, 0, 0}));
  EXPECT_EQ(VariantToBuffer(Variant("")), Bytes({0, 1, 0, 0}));
  EXPECT_EQ(VariantToBuffer(Variant(true)), Bytes({11, 0, 0, 0, 1}));
  EXPECT_EQ(VariantToBuffer(Variant::Null()), Bytes({1, 0, 0, 0}));
}

TEST(ValueBuffer, LegacyTextIsReadAsWindows1252) {
  EXPECT_EQ(BufferToVariant(Bytes({0, 1, 0, 0, 'G', 'r', 0xF6, 0xDF, 'e'})).AsString(), "Größe");
}

TEST(ValueBuffer, MalformedBuffersNameTheirFault) {
  EXPECT_EQ(Message([] { BufferToVariant(Bytes({3, 0, 0})); }), "Invalid buffer size");
  EXPECT_EQ(Message([] { BufferToVariant(Bytes({9, 0, 0, 0})); }), "Invalid buffer entry");
  EXPECT_EQ(Message([] { BufferToVariant(Bytes({3, 0, 0, 0, 1, 2})); }), "Invalid buffer");
  EXPECT_EQ(Message([] { BufferToVariant(Bytes({1, 0, 0, 0, 0})); }), "Invalid buffer");
  EXPECT_EQ(Message([] { BufferToVariant(Bytes({11, 0, 0, 0})); }), "Invalid buffer");
}
