#include <gtest/gtest.h>

#include "platform/core/system/RtfToHtml.h"

using namespace dravik;

TEST(RtfToHtml, RtfBecomesHtml) {
  EXPECT_EQ(
      RtfToHtml(R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}\f0 Hello \b bold\b0  and \i it\i0\par next})"),
      "Hello <b>bold</b> and <i>it</i><br>next");
  // Groups keep their formatting to themselves, and tags always nest.
  EXPECT_EQ(RtfToHtml(R"({\rtf1 a{\b b{\i c}d}e})"), "a<b>b</b><b><i>c</i></b><b>d</b>e");
  EXPECT_EQ(RtfToHtml(R"({\rtf1 \b\i x\b0 y})"), "<b><i>x</i></b><i>y</i>");
  // Escapes, code page and Unicode characters, and markup in the text.
  EXPECT_EQ(RtfToHtml(R"({\rtf1 Gr\'fc\u223?e \{<a>\} \\})"), "Grüße {&lt;a&gt;} \\");
  EXPECT_EQ(RtfToHtml(R"({\rtf1 {\*\generator Writer;}{\colortbl;\red0;}Text})"), "Text");
  // Broken input ends where it ends, with every tag closed.
  EXPECT_EQ(RtfToHtml(R"({\rtf1 \b open)"), "<b>open</b>");
  EXPECT_EQ(RtfToHtml(R"({\rtf1 x\'4)"), "x");
  EXPECT_EQ(RtfToHtml("\\"), "");
  EXPECT_EQ(RtfToHtml(R"(}}}{\rtf1 \u-4064?})"), "\xEF\x80\xA0");
}
