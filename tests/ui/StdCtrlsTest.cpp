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

TLabel* NewLabel(TForm& form) {
  auto* label = Create<TLabel>(&form);
  label->SetParent(&form);
  return label;
}

}  // namespace

TEST_F(Labels, WordWrapAndAlignmentReachTheWidgetAndOutlastTextChanges) {
  auto form = MakeComponent<TForm>(nullptr);
  auto* label = NewLabel(*form);
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
  auto* label = NewLabel(*form);
  label->SetCaption("Short");
  form->Show();
  const int32_t shortWidth = label->Width();
  label->SetCaption("A much longer caption than before");
  EXPECT_GT(label->Width(), shortWidth);
  EXPECT_EQ(WidgetOf(label)->width(), label->Width());
}

TEST_F(Labels, AnAutoSizedLabelGoingBackToATextTakesItsWidthInTheCurrentFont) {
  auto form = MakeComponent<TForm>(nullptr);
  auto* label = NewLabel(*form);
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

// The widget keeps its converted texts: going back and forth among more texts than it keeps,
// among texts of the same size and among texts outside ASCII, it must show each one exactly.
TEST_F(Labels, ALabelGoingBackAndForthAmongTextsShowsEachExactly) {
  auto form = MakeComponent<TForm>(nullptr);
  auto* label = NewLabel(*form);
  form->Show();
  std::vector<std::string> texts = {
      "Caption in English", "Caption in Deutsch", "Légende", "Legende",
      "Überschrift",        "Uberschrift",        ""};
  for (int i = 0; i < 10; ++i) texts.push_back("Text number " + std::to_string(i));
  for (int round = 0; round < 3; ++round)
    for (std::size_t i = 0; i < texts.size(); i += 1 + round) {
      label->SetCaption(texts[i]);
      EXPECT_EQ(WidgetOf(label)->text(), QString::fromStdString(texts[i])) << texts[i];
    }
  // Bytes that are no UTF-8 show as Qt shows them, whichever came first.
  for (const char* bytes : {"\xff"
                            "a",
                            "\xfe"
                            "a",
                            "\xff"
                            "a"}) {
    label->SetCaption(bytes);
    EXPECT_EQ(WidgetOf(label)->text(), QString::fromStdString(bytes));
  }
}
