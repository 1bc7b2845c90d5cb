#include <gtest/gtest.h>

#include "platform/core/classes/ScopeExit.h"
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

TEST(SysUtils, DatesAndTimesCountDaysFromTheEndOf1899) {
  double value = -1;
  ASSERT_TRUE(TryStrToDateTime("1899-12-30", value));
  EXPECT_EQ(value, 0);
  ASSERT_TRUE(TryStrToDateTime("2000-03-01", value));
  EXPECT_EQ(value, 36586);  // past a leap day of a century divisible by 400
  ASSERT_TRUE(TryStrToDateTime("01.03.2000", value));
  EXPECT_EQ(value, 36586);
  ASSERT_TRUE(TryStrToDateTime(" 2000-03-01 18:00 ", value));
  EXPECT_DOUBLE_EQ(value, 36586.75);
  ASSERT_TRUE(TryStrToDateTime("06:00:00", value));
  EXPECT_DOUBLE_EQ(value, 0.25);
  for (const char* bad : {"", "1900-02-29", "2023-13-01", "31.04.2023", "2023-01-01x", "24:00",
                          "12:60", "10", "2023-1-1 8", "1.2.23"})
    EXPECT_FALSE(TryStrToDateTime(bad, value)) << bad;
  EXPECT_EQ(StrToDateTime("1900-03-01"), 61);
  try {
    StrToDateTime("soon");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'soon' is not a valid date and time");
  }
}

TEST(ScopeExit, GivesBackWhatItSetHoweverTheScopeEndsAndReportsTheFirstFailure) {
  int depth = 1;
  {
    auto nested = SetForScope(depth, 2);
    EXPECT_EQ(depth, 2);
  }
  EXPECT_EQ(depth, 1);
  EXPECT_THROW(
      {
        auto nested = SetForScope(depth, 3);
        throw EConvertError("inside");
      },
      EConvertError);
  EXPECT_EQ(depth, 1);

  // The action's own failure travels on when nothing else does; otherwise the first one does.
  auto failingExit = [] { throw EListError("on exit"); };
  EXPECT_THROW({ TScopeExit exit(failingExit); }, EListError);
  EXPECT_THROW(
      {
        TScopeExit exit(failingExit);
        throw EConvertError("inside");
      },
      EConvertError);
}
