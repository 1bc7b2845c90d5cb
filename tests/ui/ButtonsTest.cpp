// Bitmap buttons by kind and grouped speed buttons on real widgets.

#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "platform/ui/Buttons.h"
#include "tests/ui/ControlsWindow.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

using BitButtons = UiTest;
using SpeedButtons = UiTest;

std::string WidgetText(TControl* control) {
  return static_cast<QAbstractButton*>(control->Widget())->text().toStdString();
}

}  // namespace

TEST_F(BitButtons, TheKindGivesCaptionAndModalResult) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  form->Show();
  auto* ok = Find<TBitBtn>(form, "OkButton");
  EXPECT_EQ(WidgetText(ok), "OK");
  EXPECT_EQ(ok->ModalResult(), mrOk);
  EXPECT_TRUE(static_cast<QPushButton*>(ok->Widget())->isDefault());
  // A caption the file holds beside the kind stays.
  auto* cancel = Find<TBitBtn>(form, "CancelButton");
  EXPECT_EQ(WidgetText(cancel), "Abbrechen");
  EXPECT_EQ(cancel->ModalResult(), mrCancel);
  EXPECT_TRUE(cancel->Cancel());
  cancel->SetKind(bkRetry);
  EXPECT_EQ(WidgetText(cancel), "&Retry");
  EXPECT_EQ(cancel->ModalResult(), mrRetry);
  cancel->SetKind(bkCustom);  // custom keeps what the button has
  EXPECT_EQ(cancel->ModalResult(), mrRetry);
  form->Free();
}

TEST_F(BitButtons, AClickEndsTheModalFormWithTheKindsResult) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  auto* cancel = Find<TBitBtn>(form, "CancelButton");
  QTimer::singleShot(0, [cancel] { static_cast<QPushButton*>(cancel->Widget())->click(); });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  form->Free();
}

TEST_F(SpeedButtons, OneOfAGroupIsDown) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  form->Show();
  auto* left = Find<TSpeedButton>(form, "Left1");
  auto* right = Find<TSpeedButton>(form, "Right1");
  auto* leftWidget = static_cast<QToolButton*>(left->Widget());
  auto* rightWidget = static_cast<QToolButton*>(right->Widget());
  EXPECT_TRUE(leftWidget->autoRaise());
  EXPECT_EQ(leftWidget->toolTip().toStdString(), "Align left");
  EXPECT_TRUE(left->Down());
  EXPECT_TRUE(leftWidget->isChecked());
  rightWidget->click();
  EXPECT_TRUE(right->Down());
  EXPECT_FALSE(left->Down());
  EXPECT_FALSE(leftWidget->isChecked());
  // Without AllowAllUp a click on the down button keeps it down.
  rightWidget->click();
  EXPECT_TRUE(right->Down());
  EXPECT_TRUE(rightWidget->isChecked());
  leftWidget->click();
  EXPECT_TRUE(left->Down());
  EXPECT_FALSE(right->Down());
  leftWidget->click();  // AllowAllUp
  EXPECT_FALSE(left->Down());
  EXPECT_FALSE(leftWidget->isChecked());
  // A button of no group never stays down.
  right->SetGroupIndex(0);
  right->SetDown(true);
  EXPECT_FALSE(right->Down());
  form->Free();
}

TEST_F(SpeedButtons, ASwitchChangesCaptionAndHint) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  form->Show();
  TDravik* dravik = AddDravik(form);
  auto* left = Find<TSpeedButton>(form, "Left1");
  Translate(dravik, left, "Caption", {"Left", "Links"});
  Translate(dravik, left, "Hint", {"Align left", "Links ausrichten"});
  Translate(dravik, Find<TBitBtn>(form, "OkButton"), "Caption", {"OK", "Gut"});
  dravik->SetLanguage("Deutsch");
  EXPECT_EQ(WidgetText(left), "Links");
  EXPECT_EQ(left->Widget()->toolTip().toStdString(), "Links ausrichten");
  EXPECT_EQ(WidgetText(Find<TBitBtn>(form, "OkButton")), "Gut");
  form->Free();
}
