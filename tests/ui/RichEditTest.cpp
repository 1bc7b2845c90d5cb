// The read-only rich edit: RTF read as HTML, HTML shown formatted, plain text as it is; a memo
// from a form file shows its lines.

#include <QTextEdit>

#include "platform/ui/ComCtrls.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

using RichEdits = UiTest;

}  // namespace

TEST_F(RichEdits, RtfBecomesHtml) {
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

TEST_F(RichEdits, TheWidgetShowsTheTextFormattedAndReadOnly) {
  auto rich = MakeComponent<TRichEdit>(nullptr);
  rich->Lines()->SetText("{\\rtf1 plain \\b strong\\b0}");
  rich->HandleNeeded();  // lines set before the widget exists reach it
  auto* edit = static_cast<QTextEdit*>(rich->Widget());
  EXPECT_TRUE(edit->isReadOnly());
  EXPECT_EQ(edit->toPlainText().toStdString(), "plain strong");
  EXPECT_NE(edit->toHtml().indexOf(QStringLiteral("font-weight:700")), -1);
  rich->Lines()->SetText("<p>An <i>HTML</i> text</p>");
  EXPECT_EQ(edit->toPlainText().toStdString(), "An HTML text");
  rich->Lines()->SetText("1 < 2 and 3 > 2");
  EXPECT_EQ(edit->toPlainText().toStdString(), "1 < 2 and 3 > 2");
}
