// The tracking-size editor of the form base: it opens from the form's verb and its SuperForm row,
// takes typed sizes or the form's own, refuses what is no integer in the package's language,
// and after OK the form holds the limits and the designer knows.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "editor/SuperFormEditor.h"
#include "editor/SuperFormReg.h"
#include "runtime/ui/DravikModule.h"
#include "tests/editor/EditorFixture.h"

using namespace dravik;

namespace {

class SuperFormEdit : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    form = MakeComponent<TSuperForm>(nullptr);
    form->SetBounds(10, 10, 500, 300);
    form->SizeMinTrack()->SetEnabled(true);
    form->SizeMinTrack()->SetSizeX(200);
    form->SizeMinTrack()->SetSizeY(100);
  }
  void TearDown() override {
    form.reset();
    EditorTest::TearDown();
  }
  // The window's sizes in order: minimum width and height, maximum width and height.
  static QList<QLineEdit*> Edits(QWidget* window) { return window->findChildren<QLineEdit*>(); }
  // Types text over what the field holds, as the user does.
  static void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  static QPushButton* Button(QWidget* window, const QString& text, int which = 0) {
    for (QPushButton* button : window->findChildren<QPushButton*>())
      if (button->text() == text && which-- == 0) return button;
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
  }
  TComponentPtr<TSuperForm> form;
  TCountingDesigner designer{nullptr};
};

}  // namespace

TEST_F(SuperFormEdit, OkFromTheVerbOrTheRowSetsTheLimitsAndTellsTheDesigner) {
  const TPropInfo& row = *form->ClassType().FindProp("SuperForm");
  const std::vector<std::pair<const char*, std::function<void()>>> entries = {
      {"Edit SuperForm...", [&] { TSuperFormModule(*form, &designer).ExecuteVerb(0); }},
      {"SuperForm row", [&] { TSuperFormPropertyEditor(&designer, *form, row).Edit(); }}};
  EXPECT_EQ(TSuperFormModule(*form, &designer).GetVerb(0), "Edit SuperForm...");
  for (const auto& [name, open] : entries) {
    SCOPED_TRACE(name);
    designer.Changes = 0;
    form->SizeMinTrack()->SetSizeX(200);
    form->SizeMinTrack()->SetSizeY(100);
    form->SizeMaxTrack()->SetEnabled(false);
    form->SizeMaxTrack()->SetSizeX(0);
    form->SizeMaxTrack()->SetSizeY(0);
    std::vector<std::string> shown;
    WhenShown([&](QWidget* window) {
      for (QLineEdit* edit : Edits(window)) shown.push_back(edit->text().toStdString());
      QTest::mouseClick(Button(window, "Current size"), Qt::LeftButton);  // the minimum
      window->findChildren<QCheckBox*>()[1]->click();                     // the maximum
      Type(Edits(window)[2], " 800");
      Type(Edits(window)[3], "600 ");
      QTest::mouseClick(Button(window, "&OK"), Qt::LeftButton);
    });
    open();
    EXPECT_EQ(shown, (std::vector<std::string>{"200", "100", "0", "0"}));
    EXPECT_EQ((std::vector<int32_t>{form->SizeMinTrack()->SizeX(), form->SizeMinTrack()->SizeY(),
                                    form->SizeMaxTrack()->SizeX(), form->SizeMaxTrack()->SizeY()}),
              (std::vector<int32_t>{500, 300, 800, 600}));
    EXPECT_TRUE(form->SizeMinTrack()->Enabled());
    EXPECT_TRUE(form->SizeMaxTrack()->Enabled());
    EXPECT_EQ(designer.Changes, 1);
    EXPECT_EQ(form->Height(), 300) << "laid out again at the same size";
  }
}

TEST_F(SuperFormEdit, CancelChangesNothing) {
  WhenShown([&](QWidget* window) {
    Type(Edits(window)[0], "999");
    QTest::mouseClick(Button(window, "&Cancel"), Qt::LeftButton);
  });
  EXPECT_FALSE(EditSuperForm(*form, &designer));
  EXPECT_EQ(form->SizeMinTrack()->SizeX(), 200);
  EXPECT_EQ(designer.Changes, 0);
}

// A size that is no integer is named in the package's language and keeps the window open until
// it is corrected.
TEST_F(SuperFormEdit, ANonIntegerIsRefusedInThePackagesLanguage) {
  const struct {
    const char* Language;
    const char* Message;
    const char* Ok;
  } cases[] = {{"English", "Value is not an integer.", "&OK"},
               {"Deutsch", "Der Wert ist keine ganze Zahl.", "&OK"}};
  for (const auto& c : cases) {
    DravikModule()->SetLanguage(c.Language);
    std::string message;
    WhenShown([&](QWidget* window) {
      Type(Edits(window)[3], "12a");
      WhenShown([&, window](QWidget* box) {
        for (QLabel* label : box->findChildren<QLabel*>())
          if (!label->text().isEmpty()) message = label->text().toStdString();
        QTest::keyClick(box, Qt::Key_Return);
        WhenActive(window, [&, window] {
          EXPECT_EQ(window->focusWidget(), Edits(window)[3]) << "the field to correct";
          Type(Edits(window)[3], "12");
          QTest::mouseClick(Button(window, c.Ok), Qt::LeftButton);
        });
      });
      QTest::mouseClick(Button(window, c.Ok), Qt::LeftButton);
    });
    EXPECT_TRUE(EditSuperForm(*form, &designer)) << c.Language;
    EXPECT_EQ(message, c.Message);
    EXPECT_EQ(form->SizeMaxTrack()->SizeY(), 12);
  }
}

TEST_F(SuperFormEdit, Screenshots) {
  for (const char* language : {"English", "Deutsch"}) {
    DravikModule()->SetLanguage(language);
    WhenShown([&](QWidget* window) {
      SaveScreenshot(window, std::string("superform_editor-") + language + ".png");
      QTest::keyClick(window, Qt::Key_Escape);
    });
    EditSuperForm(*form, &designer);
  }
}
