#include <gtest/gtest.h>

#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

using namespace dravik;

TEST(SysUtils, FormatFillsTheFormsTheMessagesUse) {
  EXPECT_EQ(Format("Language '%s' of form %s not found", {"Deutsch", "Form1"}),
            "Language 'Deutsch' of form Form1 not found");
  EXPECT_EQ(Format("%d items, %x hex, %.8x wide, %%", {42, 255, 0xBEEF}),
            "42 items, FF hex, 0000BEEF wide, %");
  EXPECT_EQ(Format("%x", {-1}), "FFFFFFFF");
  EXPECT_EQ(Format("[%5s|%-5s|%.2s]", {"ab", "cd", "efgh"}), "[   ab|cd   |ef]");
  EXPECT_EQ(Format("%1:s %0:s", {"world", "hello"}), "hello world");
  EXPECT_EQ(Format("%d", {INT64_MIN}), "-9223372036854775808");
}

TEST(SysUtils, FormatRejectsMissingOrMismatchedArguments) {
  EXPECT_THROW(Format("%s %s", {"one"}), EConvertError);
  EXPECT_THROW(Format("%d", {"text"}), EConvertError);
  EXPECT_THROW(Format("%q", {1}), EConvertError);
  EXPECT_THROW(Format("trailing %", {}), EConvertError);
}

TEST(SysUtils, StrToIntAcceptsDecimalAndHexAndRejectsTheRest) {
  EXPECT_EQ(StrToInt(" 12 "), 12);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt("$FF"), 255);
  EXPECT_EQ(StrToInt("0x10"), 16);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);  // hex wraps like the original
  EXPECT_THROW(StrToInt("2147483648"), EConvertError);
  EXPECT_THROW(StrToInt("12a"), EConvertError);
  EXPECT_THROW(StrToInt(""), EConvertError);
  EXPECT_THROW(StrToInt("$"), EConvertError);
  try {
    StrToInt("abc");
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(StrToIntDef("x", 7), 7);
}

TEST(SysUtils, FloatToStrUsesFifteenDigitsGeneralFormat) {
  EXPECT_EQ(FloatToStr(0.1L), "0.1");
  EXPECT_EQ(FloatToStr(1.5L), "1.5");
  EXPECT_EQ(FloatToStr(-250.0L), "-250");
  EXPECT_EQ(FloatToStr(1e20L), "1E20");
  EXPECT_EQ(FloatToStr(0.0001L), "0.0001");
  EXPECT_EQ(FloatToStr(1.0L / 3), "0.333333333333333");
  EXPECT_EQ(FloatToStr(0), "0");
  EXPECT_EQ(StrToFloat("2.5"), 2.5L);
  EXPECT_THROW(StrToFloat("2,5"), EConvertError);
}

TEST(SysUtils, TrimAndCaseFoldAsciiOnly) {
  EXPECT_EQ(Trim("\t  a b \r\n"), "a b");
  EXPECT_EQ(UpperCase("Straße"), "STRAßE");
  EXPECT_TRUE(SameText("Deutsch", "DEUTSCH"));
  EXPECT_FALSE(SameText("Deutsch", "Deutsc"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_TRUE(IsValidIdent("_Button1"));
  EXPECT_FALSE(IsValidIdent("1Button"));
  EXPECT_FALSE(IsValidIdent("Button 1"));
  EXPECT_FALSE(IsValidIdent(""));
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
}
