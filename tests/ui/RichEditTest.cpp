// The read-only rich edit: RTF read as HTML, HTML shown formatted, plain text as it is; a memo
// from a form file shows its lines.

#include <QTextEdit>

#include "platform/ui/ComCtrls.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

using RichEdits = UiTest;

}  // namespace

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
