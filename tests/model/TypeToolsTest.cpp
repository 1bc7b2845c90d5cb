#include <gtest/gtest.h>

#include "model/ConvertTools.h"
#include "model/TypeTools.h"
#include "platform/core/graphics/Font.h"

using namespace dravik;

namespace {

const TTypeInfo& Styles() {
  return TypeInfo<TFontStyles>();
}

std::string SetError(std::string_view text) {
  try {
    StrToSet(Styles(), text);
  } catch (const ETypeToolError& e) {
    return e.Message();
  }
  return "no error";
}

}  // namespace

TEST(TypeTools, SetTextHasNoBlanksAndParsesBack) {
  EXPECT_EQ(SetToStr(Styles(), 0), "[]");
  EXPECT_EQ(SetToStr(Styles(), 0b0101), "[fsBold,fsUnderline]");
  EXPECT_EQ(StrToSet(Styles(), "[fsBold,fsUnderline]"), 0b0101u);
  EXPECT_EQ(StrToSet(Styles(), "  []  "), 0u);
  EXPECT_EQ(StrToSet(Styles(), "[FSITALIC]"), 0b0010u);
  // More elements than the type has: the surplus is not examined.
  EXPECT_EQ(StrToSet(Styles(), "[fsBold,fsBold,fsBold,fsBold,junk"), 0b0001u);
  EXPECT_EQ(SetTypeDecl(Styles()), "fsBold,fsItalic,fsUnderline,fsStrikeOut");
}

TEST(TypeTools, SetParseErrorsNameTheirFormat) {
  EXPECT_EQ(SetError(""), "StrToSet failed. Invalid string format (1)");
  EXPECT_EQ(SetError("fsBold]"), "StrToSet failed. Invalid string format (1)");
  EXPECT_EQ(SetError("["), "StrToSet failed. Invalid string format (2)");
  EXPECT_EQ(SetError("[fsBold,"), "StrToSet failed. Invalid string format (2)");
  EXPECT_EQ(SetError("[fsBold]]"), "StrToSet failed. Invalid string format (2)");
  EXPECT_EQ(SetError("[fsBold"), "StrToSet failed. Invalid string format (3)");
  EXPECT_EQ(SetError("[,fsBold]"), "StrToSet failed. Invalid string format (3)");
  EXPECT_EQ(SetError("[fsBold, fsItalic]"),
            "StrToEnum failed. String value not found in enumeration type");
  EXPECT_THROW(SetToStr(TypeInfo<TFontStyle>(), 0), ETypeToolError);
}

TEST(TypeTools, EnumerationsByName) {
  const TTypeInfo& pitch = TypeInfo<TFontPitch>();
  EXPECT_EQ(EnumTypeDecl(pitch), "fpDefault,fpVariable,fpFixed");
  EXPECT_EQ(EnumToStr(pitch, 2), "fpFixed");
  EXPECT_EQ(StrToEnum(pitch, "FPVARIABLE"), 1);
  try {
    EnumToStr(pitch, 3);
    FAIL();
  } catch (const ETypeToolError& e) {
    EXPECT_EQ(e.Message(), "EnumToStr failed. Invalid ordinal value");
  }
  EXPECT_THROW(StrToEnum(pitch, "fpWide"), ETypeToolError);
  try {
    EnumTypeDecl(TypeInfo<int32_t>());
    FAIL();
  } catch (const ETypeToolError& e) {
    EXPECT_EQ(e.Message(), "EnumTypeDecl failed. Not an enumeration");
  }
}

TEST(ConvertTools, BasesAndHexNotations) {
  EXPECT_EQ(IntToSys(-5, 2, 8), "-00000101");
  EXPECT_EQ(IntToSys(255, 16, 0), "FF");
  EXPECT_EQ(IntToSys(35, 36, 3), "00Z");
  EXPECT_EQ(IntToSys(INT32_MIN, 16, 0), "-80000000");
  EXPECT_THROW(IntToSys(1, 37, 0), Exception);
  EXPECT_THROW(IntToSys(1, 1, 0), Exception);
  EXPECT_EQ(SysToInt("-ff", 16), -255);
  EXPECT_EQ(SysToInt(" 101 ", 2), 5);
  EXPECT_EQ(SysToInt("", 10), 0);
  try {
    SysToInt("1A", 10);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "SysToInt: Invalid value");
  }
  for (const char* text : {"1Fh", "$1F", "0x1f", "1F", " 1f "})
    EXPECT_EQ(HexToInt(text), 31) << text;
  EXPECT_EQ(HexToInt("-$10"), -16);
  EXPECT_EQ(HexToInt(""), 0);
  EXPECT_EQ(HexToInt("00007F0012345678h"), 0x7F0012345678);  // a pointer's width
  try {
    HexToInt("12G");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot convert from hex to int");
  }
}

TEST(ConvertTools, TolerantIntegersAndPaddedText) {
  EXPECT_EQ(StringToInt(" 0x1F "), 31);
  EXPECT_EQ(StringToInt("1Fh"), 31);
  EXPECT_EQ(StringToInt("$1F"), 31);
  EXPECT_EQ(StringToInt("12"), 12);
  EXPECT_THROW(StringToInt("1G"), EConvertError);
  EXPECT_EQ(StringToIntDef("nonsense", -3), -3);
  EXPECT_EQ(IntToString(7, 3), "007");
  EXPECT_EQ(IntToString(-5, 4), "-005");
  EXPECT_EQ(IntToString(12345, 2), "12345");
  EXPECT_EQ(BoolToStr(true), "True");
  TUnpackedTime t =
      UnpackTime((uint32_t(46) << 25) | (12u << 21) | (8u << 16) | (13u << 11) | (45u << 5) | 10u);
  EXPECT_EQ(t.Year, 2026);
  EXPECT_EQ(t.Month, 12);
  EXPECT_EQ(t.Second, 20);
  EXPECT_DOUBLE_EQ(SystemTimeToDateTime((uint32_t(20) << 25) | (1u << 21) | (1u << 16)),
                   36526.0);  // 2000-01-01
}
