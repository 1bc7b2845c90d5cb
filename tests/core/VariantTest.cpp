#include <gtest/gtest.h>

#include "platform/core/system/Exceptions.h"
#include "platform/core/system/Variant.h"

using namespace dravik;

TEST(Variant, KeepsTheOriginalTypeCodes) {
  EXPECT_EQ(Variant().VarType(), 0);
  EXPECT_EQ(Variant::Null().VarType(), 1);
  EXPECT_EQ(Variant(int16_t(1)).VarType(), 2);
  EXPECT_EQ(Variant(1).VarType(), 3);
  EXPECT_EQ(Variant(1.0f).VarType(), 4);
  EXPECT_EQ(Variant(1.0).VarType(), 5);
  EXPECT_EQ(Variant(TCurrency{15000}).VarType(), 6);
  EXPECT_EQ(Variant::Date(1.0).VarType(), 7);
  EXPECT_EQ(Variant::OleStr("x").VarType(), 8);
  EXPECT_EQ(Variant(true).VarType(), 11);
  EXPECT_EQ(Variant(uint8_t(1)).VarType(), 17);
  EXPECT_EQ(Variant("x").VarType(), 256);
}

TEST(Variant, ConvertsBetweenTextAndNumbers) {
  EXPECT_EQ(Variant(42).AsString(), "42");
  EXPECT_EQ(Variant(2.5).AsString(), "2.5");
  EXPECT_EQ(Variant(TCurrency{15000}).AsString(), "1.5");
  EXPECT_EQ(Variant(true).AsString(), "True");
  EXPECT_EQ(Variant().AsString(), "");
  EXPECT_EQ(Variant(" 17 ").AsInteger(), 17);
  EXPECT_EQ(Variant("2.5").AsInteger(), 2);  // banker's rounding
  EXPECT_EQ(Variant("3.5").AsInteger(), 4);
  EXPECT_EQ(Variant("1.25").AsFloat(), 1.25L);
  EXPECT_TRUE(Variant("true").AsBoolean());
  EXPECT_EQ(Variant(true).AsInteger(), -1);
  EXPECT_EQ(Variant(7).AsType(varString), Variant("7"));
}

TEST(Variant, ImpossibleConversionsRaiseVariantErrors) {
  EXPECT_THROW(Variant("abc").AsInteger(), EVariantError);
  EXPECT_THROW(Variant("abc").AsFloat(), EVariantError);
  EXPECT_THROW(Variant::Null().AsString(), EVariantError);
  EXPECT_THROW(Variant(1e12).AsInteger(), EVariantError);
  EXPECT_THROW(Variant(300).AsType(varByte), EVariantError);
  EXPECT_EQ(VarToStr(Variant::Null()), "");
  try {
    Variant("abc").AsInteger();
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.Message(), "Invalid variant type conversion");
  }
}
