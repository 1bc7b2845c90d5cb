// The history combo box as a user meets it: what a commit keeps, the case rule, Enter and
// Escape, and the text left empty when the focus moves on.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "library/ComponentTools.h"
#include "platform/ui/StdCtrls.h"
#include "tests/ui/UiFixture.h"
#include "widgets/MRUComboBox.h"

using namespace dravik;

namespace {

class TListener : public TObject {
 public:
  void Changed(TObject*) { ++Changes; }
  void Validate(TObject*, std::string& text, bool& valid) {
    if (text == "forbidden") valid = false;
    if (text == "short") text = "/expanded/short";
  }
  int Changes = 0;
};

class MRUComboBox : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = MakeComponent<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 120);
    box = Create<TMRUComboBox>(form.get());
    box->SetParent(form.get());
    box->SetBounds(8, 8, 200, 24);
    other = Create<TEdit>(form.get());
    other->SetParent(form.get());
    other->SetBounds(8, 50, 100, 24);
    box->OnChanged = TNotifyEvent::Of<&TListener::Changed>(&listener);
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }
  void ShowAndFocus() {
    form->Show();
    QApplication::setActiveWindow(form->Widget());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Widget()));
    Field()->setFocus();
    ASSERT_TRUE(Field()->hasFocus());
  }
  QLineEdit* Field() const { return box->ComboWidget()->lineEdit(); }
  std::vector<std::string> Entries() const {
    std::vector<std::string> entries;
    for (int i = 0; i < box->HistoryList()->Count(); ++i)
      entries.push_back(box->HistoryList()->Strings(i));
    return entries;
  }
  void Type(const QString& text) {
    Field()->selectAll();
    QTest::keyClicks(Field(), text);
  }

  TComponentPtr<TForm> form;
  TMRUComboBox* box = nullptr;
  TEdit* other = nullptr;
  TListener listener;
};

}  // namespace

TEST_F(MRUComboBox, ACommitPutsTheTextFirstAndACaseChangeReplacesItsEntry) {
  box->SetText("  /data/one ");
  box->SetText("/data/two");
  box->SetText("ABC");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"ABC", "/data/two", "/data/one"}));
  EXPECT_EQ(box->Text(), "ABC");
  EXPECT_EQ(listener.Changes, 3);
  box->SetText("abc");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"abc", "/data/two", "/data/one"}));
  EXPECT_EQ(listener.Changes, 3) << "a change of case alone is no change";
  box->SetText("/data/one");  // moves up, the list does not grow
  EXPECT_EQ(Entries(), (std::vector<std::string>{"/data/one", "abc", "/data/two"}));
  EXPECT_EQ(listener.Changes, 4);
}

TEST_F(MRUComboBox, TheListKeepsAtLeastAsManyEntriesAsTheDropDownShows) {
  box->SetHistoryListCount(3);
  box->SetDropDownCount(8);
  EXPECT_EQ(box->HistoryListCount(), 8);
  for (int i = 0; i < 10; ++i) box->SetText("entry " + std::to_string(i));
  EXPECT_EQ(box->HistoryList()->Count(), 8);
  EXPECT_EQ(Entries().back(), "entry 2");
  box->SetDropDownCount(2);
  box->SetHistoryListCount(3);
  EXPECT_EQ(box->HistoryList()->Count(), 3);
}

TEST_F(MRUComboBox, HistoryIsTheListAsOneText) {
  box->SetHistory("/a;;/b;");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"/a", "/b"}));
  EXPECT_EQ(box->Text(), "/a");
  EXPECT_EQ(box->LastCommitted(), "/a");
  EXPECT_EQ(box->History(), "/a;/b;");
  form->HandleNeeded();
  EXPECT_EQ(box->ComboWidget()->count(), 2);
  EXPECT_EQ(box->ComboWidget()->currentText().toStdString(), "/a");
  box->SetHistory("");
  EXPECT_EQ(box->HistoryList()->Count(), 0);
  EXPECT_EQ(box->Text(), "");
}

TEST_F(MRUComboBox, EnterCommitsWhatWasTypedAndEscapeGoesBackToIt) {
  box->SetText("/first");
  ShowAndFocus();
  Type("/second");
  EXPECT_EQ(box->LastCommitted(), "/first") << "typing alone commits nothing";
  QTest::keyClick(Field(), Qt::Key_Return);
  EXPECT_EQ(box->LastCommitted(), "/second");
  EXPECT_EQ(Entries().front(), "/second");
  Type("/third");
  QTest::keyClick(Field(), Qt::Key_Escape);
  EXPECT_EQ(box->Text(), "/second");
  EXPECT_EQ(Field()->text().toStdString(), "/second");
  EXPECT_EQ(Field()->selectedText().toStdString(), "/second");
}

TEST_F(MRUComboBox, AnEmptyTextRevertsWhenTheFocusMovesOnButStaysWhileFocused) {
  box->SetText("/kept");
  ShowAndFocus();
  Type("  ");
  QTest::keyClick(Field(), Qt::Key_Return);
  EXPECT_EQ(Field()->text().toStdString(), "") << "refused, but the user is still typing";
  EXPECT_EQ(box->LastCommitted(), "/kept");
  other->Widget()->setFocus();
  EXPECT_EQ(box->Text(), "/kept");
  EXPECT_EQ(Field()->text().toStdString(), "/kept");
}

TEST_F(MRUComboBox, ValidationMayChangeOrRefuseTheText) {
  box->OnValidate = TMRUValidateEvent::Of<&TListener::Validate>(&listener);
  box->SetText("short");
  EXPECT_EQ(box->Text(), "/expanded/short");
  box->SetText("forbidden");
  EXPECT_EQ(box->Text(), "/expanded/short") << "no focus: back to the last text";
  EXPECT_EQ(Entries(), std::vector<std::string>{"/expanded/short"});
}

TEST_F(MRUComboBox, ChoosingFromTheOpenListCommits) {
  box->SetHistory("/a;/b;/c;");
  ShowAndFocus();
  box->ComboWidget()->showPopup();
  QAbstractItemView* list = box->ComboWidget()->view();
  ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); }));
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(box->LastCommitted(), "/b");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"/b", "/a", "/c"}));
}

TEST_F(MRUComboBox, TheButtonIsSquareAtTheRightEndAndItsTabStopIsForTheDesigner) {
  form->Show();
  QToolButton* button = box->ButtonWidget();
  EXPECT_EQ(button->geometry(), QRect(176, 0, 24, 24));
  EXPECT_EQ(box->ComboWidget()->width(), 176);
  box->SetButtonVisible(false);
  EXPECT_EQ(box->ComboWidget()->width(), 200);
  try {
    box->SetButtonTabStop(true);
    FAIL() << "changed at run time";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TMRUComboBox.ButtonTabStop can only be changed at designing time");
  }
}
