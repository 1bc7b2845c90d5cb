// The standard controls' properties as their widgets show them.

#include <QLabel>

#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

using Labels = UiTest;

QLabel* WidgetOf(TLabel* label) {
  return static_cast<QLabel*>(label->Widget());
}

}  // namespace

TEST_F(Labels, WordWrapAndAlignmentReachTheWidgetAndOutlastTextChanges) {
  auto form = MakeComponent<TForm>(nullptr);
  auto* label = Create<TLabel>(form.get());
  label->SetParent(form.get());
  label->SetWordWrap(true);
  label->SetAlignment(taCenter);
  form->Show();
  EXPECT_TRUE(WidgetOf(label)->wordWrap());
  EXPECT_EQ(WidgetOf(label)->alignment(), Qt::AlignHCenter | Qt::AlignTop);

  label->SetCaption("A longer text that the label wraps");
  EXPECT_EQ(WidgetOf(label)->text().toStdString(), "A longer text that the label wraps");
  EXPECT_TRUE(WidgetOf(label)->wordWrap());
  EXPECT_EQ(WidgetOf(label)->alignment(), Qt::AlignHCenter | Qt::AlignTop);

  label->SetWordWrap(false);
  label->SetCaption("One line");
  EXPECT_FALSE(WidgetOf(label)->wordWrap());
  EXPECT_EQ(WidgetOf(label)->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
}

TEST_F(Labels, AnAutoSizedLabelTakesTheWidthOfEachNewText) {
  auto form = MakeComponent<TForm>(nullptr);
  auto* label = Create<TLabel>(form.get());
  label->SetParent(form.get());
  label->SetCaption("Short");
  form->Show();
  const int32_t shortWidth = label->Width();
  label->SetCaption("A much longer caption than before");
  EXPECT_GT(label->Width(), shortWidth);
  EXPECT_EQ(WidgetOf(label)->width(), label->Width());
}

TEST_F(Labels, AnAutoSizedLabelGoingBackToATextTakesItsWidthInTheCurrentFont) {
  auto form = MakeComponent<TForm>(nullptr);
  auto* label = Create<TLabel>(form.get());
  label->SetParent(form.get());
  label->SetCaption("Short");
  form->Show();
  const int32_t shortWidth = label->Width();
  label->SetCaption("A much longer caption than before");
  const int32_t longWidth = label->Width();
  label->SetCaption("Short");
  EXPECT_EQ(label->Width(), shortWidth);

  label->Font()->SetSize(label->Font()->Size() * 3);
  EXPECT_GT(label->Width(), shortWidth);
  label->SetCaption("A much longer caption than before");
  EXPECT_GT(label->Width(), longWidth);
  EXPECT_EQ(WidgetOf(label)->width(), label->Width());
}
