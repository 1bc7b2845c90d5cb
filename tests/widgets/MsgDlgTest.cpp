// The message dialog as a user meets it: its texts in both languages, its buttons, what the
// close box, Escape and Enter answer, and how its size follows the text.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "tests/ui/UiFixture.h"
#include "widgets/ButtonPanel.h"
#include "widgets/MsgDlg.h"
#include "widgets/MyMsgForm.h"

using namespace dravik;

namespace {

class MsgDlg : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    // A form of the application whose TDravik switches the default domain's language.
    appForm = MakeComponent<TForm>(nullptr);
    appDravik = AddDravik(appForm.get());
  }
  void TearDown() override {
    dialog.reset();
    appForm.reset();
    UiTest::TearDown();
  }

  TMyMsgForm* Prepare(TMsgDlgParams params) {
    dialog = MakeComponent<TMyMsgForm>(nullptr);
    dialog->Prepare(params);
    return dialog.get();
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    TButtonPanel* panel = dialog->ButtonPanel();
    for (int i = 0; i < panel->Buttons()->Count(); ++i)
      if (panel->Items(i)->Visible()) captions.push_back(panel->Items(i)->Caption());
    return captions;
  }
  TButtonItem* Item(int index) const { return dialog->ButtonPanel()->Items(index); }

  // Runs action once the dialog that is about to open is on screen.
  static void WhenShown(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] {
      QWidget* modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr) << "no dialog is open";
      action(modal);
    });
  }

  TComponentPtr<TForm> appForm;
  TDravik* appDravik = nullptr;
  TComponentPtr<TMyMsgForm> dialog;
};

TMsgDlgParams Params(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  TMsgDlgParams params;
  params.Text = text;
  params.Type = type;
  params.Buttons = buttons;
  return params;
}

}  // namespace

TEST_F(MsgDlg, ShowMessageHasTheInformationCaptionAndOneOkButtonThatIsTheDefault) {
  Prepare(Params("Saved.", mtInformation, {}));
  EXPECT_EQ(dialog->Caption(), "Information");
  EXPECT_EQ(Captions(), std::vector<std::string>{"&OK"});
  EXPECT_TRUE(Item(0)->Default());
  EXPECT_EQ(Item(0)->ModalResult(), mrOk);
  EXPECT_EQ(dialog->MessageLabel()->Caption(), "Saved.");
  EXPECT_FALSE(dialog->IconImage()->Picture().isNull());
  // OK closes the dialog but is no cancel button: only the button can close it.
  EXPECT_EQ(dialog->CancelButton(), nullptr);
  EXPECT_FALSE(dialog->CloseBox());
}

TEST_F(MsgDlg, CaptionsAndButtonsFollowTheApplicationsLanguage) {
  appDravik->SetLanguage("Deutsch");
  Prepare(Params("Speichern?", mtConfirmation, {mbYes, mbNo, mbCancel}));
  EXPECT_EQ(dialog->Caption(), "Bestätigung");
  EXPECT_EQ(Captions(), (std::vector<std::string>{"&Ja", "&Nein", "&Abbrechen"}));
  appDravik->SetLanguage("English");
  Prepare(Params("Save?", mtWarning, {mbAbort, mbRetry, mbIgnore}));
  EXPECT_EQ(dialog->Caption(), "Warning");
  EXPECT_EQ(Captions(), (std::vector<std::string>{"&Abort", "&Retry", "&Ignore"}));
}

TEST_F(MsgDlg, ACallersCaptionIsTrimmedAndACustomDialogHasNoCaptionOfItsOwn) {
  Prepare(Params("x", mtError, {}));
  EXPECT_EQ(dialog->Caption(), "Error");
  TMsgDlgParams params = Params("x", mtError, {});
  params.Caption = "  Import  ";
  Prepare(params);
  EXPECT_EQ(dialog->Caption(), "Import");
  Prepare(Params("x", mtCustom, {}));
  EXPECT_EQ(dialog->Caption(), "");
}

TEST_F(MsgDlg, AYesNoQuestionsCloseBoxAnswersNo) {
  Prepare(Params("Quit?", mtConfirmation, {mbYes, mbNo}));
  ASSERT_NE(dialog->CancelButton(), nullptr);
  EXPECT_EQ(dialog->ButtonKind(dialog->CancelButton()), mbNo);
  EXPECT_TRUE(dialog->CloseBox());
  WhenShown([](QWidget* window) { window->windowHandle()->close(); });
  EXPECT_EQ(dialog->ShowModal(), mrNo);
}

TEST_F(MsgDlg, WithoutACancelButtonTheCloseBoxDoesNothing) {
  Prepare(Params("Continue?", mtConfirmation, {mbYes, mbOK}));
  EXPECT_FALSE(dialog->CloseBox());
  WhenShown([](QWidget* window) {
    window->windowHandle()->close();  // refused: the dialog stays
    EXPECT_TRUE(window->isVisible());
    QTest::keyClick(window, Qt::Key_Escape);  // no cancel button either
    EXPECT_TRUE(window->isVisible());
    QTest::keyClick(window, Qt::Key_Return);  // OK is the default
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_TRUE(dialog->ButtonPressed());
}

TEST_F(MsgDlg, CancelAndAbortShowNoAbortAndEscapeAnswersCancel) {
  Prepare(Params("Stop?", mtWarning, {mbOK, mbCancel, mbAbort}));
  EXPECT_EQ(Captions(), (std::vector<std::string>{"&OK", "&Cancel"}));
  WhenShown([](QWidget* window) { QTest::keyClick(window, Qt::Key_Escape); });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(MsgDlg, ButtonsThatLeaveTheDialogOpenGetAnInvisibleCancelButton) {
  TMsgDlgParams params = Params("Failed at \\$Error$\\.", mtError, {mbCopyErrorAddr});
  params.ErrorReport = true;
  params.ErrorAddress = static_cast<uintptr_t>(0x00007F3A0004A3F0ull);
  appDravik->SetLanguage("Deutsch");
  Prepare(params);
  EXPECT_EQ(dialog->MessageLabel()->Caption(), "Failed at Ein Fehler ist aufgetreten.");
  EXPECT_EQ(Captions(), std::vector<std::string>{"Adresse kopieren"});
  ASSERT_NE(dialog->CancelButton(), nullptr);
  EXPECT_FALSE(dialog->CancelButton()->Visible());
  EXPECT_TRUE(dialog->CloseBox());
  QApplication::clipboard()->clear();
  WhenShown([this](QWidget* window) {
    Item(0)->Button()->Click();  // copies and stays open
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "00007F3A0004A3F0");
    window->windowHandle()->close();
  });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(MsgDlg, TheMarkerStaysInATextThatIsNoErrorReport) {
  Prepare(Params("Literal \\$Error$\\", mtInformation, {}));
  EXPECT_EQ(dialog->MessageLabel()->Caption(), "Literal \\$Error$\\");
}

TEST_F(MsgDlg, WidthFollowsButtonsAndTextWithinTheScreen) {
  const int32_t screen = QGuiApplication::primaryScreen()->availableGeometry().width();
  Prepare(Params("Short.", mtInformation, {mbOK}));
  const int32_t oneButton = dialog->ClientWidth();
  EXPECT_EQ(oneButton, MsgDlgWidth(0, 1, 90, screen));  // w + 128, w = 90 * 1.2
  Prepare(Params("Short.", mtInformation, {mbYes, mbNo, mbCancel, mbHelp}));
  // Four buttons start a quarter wider than four buttons need.
  EXPECT_EQ(dialog->ClientWidth(), 108 * 4 + 32 + (108 * 4 + 32) / 4);
  Prepare(Params(std::string(400, 'w'), mtInformation, {mbOK}));
  EXPECT_EQ(dialog->ClientWidth(), screen * 9 / 10);
  std::string words;
  for (int i = 0; i < 30; ++i) words += "word ";
  Prepare(Params(words, mtInformation, {mbOK}));
  const int32_t wrapped = dialog->ClientWidth();
  EXPECT_GT(wrapped, oneButton);
  EXPECT_LE(wrapped, screen * 9 / 10);
}

TEST_F(MsgDlg, ALongTextMakesTheDialogTallerUpToTheScreen) {
  Prepare(Params("One line.", mtInformation, {}));
  const int32_t height = dialog->ClientHeight();
  std::string lines;
  for (int i = 0; i < 6; ++i) lines += "Line " + std::to_string(i) + "\n";
  Prepare(Params(lines, mtInformation, {}));
  EXPECT_GT(dialog->ClientHeight(), height);
  for (int i = 0; i < 200; ++i) lines += "More\n";
  Prepare(Params(lines, mtInformation, {}));
  EXPECT_EQ(dialog->ClientHeight(),
            QGuiApplication::primaryScreen()->availableGeometry().height() * 8 / 10);
}

TEST_F(MsgDlg, TheEntryPointsShowTheDialogAndAnswerItsResult) {
  WhenShown([](QWidget* window) { QTest::keyClick(window, Qt::Key_Escape); });
  EXPECT_EQ(MessageDlg("Delete?", mtConfirmation, {mbYes, mbNo}, 0), mrNo);
  WhenShown([](QWidget* window) { QTest::keyClick(window, Qt::Key_Return); });
  EXPECT_EQ(Msg("Done", "", mtInformation, 0, {mbOK, mbCancel}), mrOk);
  WhenShown([](QWidget* window) {
    EXPECT_EQ(window->windowTitle().toStdString(), "Information");
    QTest::keyClick(window, Qt::Key_Return);
  });
  ShowMessage("Hello");
}

TEST_F(MsgDlg, ADomainGivesTheDialogItsLanguage) {
  // The "Tools" domain is in German while the application stays English.
  TComponentPtr<TForm> tools = MakeComponent<TForm>(nullptr);
  TDravik* toolsDravik = AddDravik(tools.get());
  toolsDravik->SetDomain("Tools");
  toolsDravik->SetLanguage("Deutsch");
  WhenShown([](QWidget* window) {
    EXPECT_EQ(window->windowTitle().toStdString(), "Warnung");
    QTest::keyClick(window, Qt::Key_Escape);
  });
  EXPECT_EQ(MsgEx("Achtung", "", mtWarning, "Tools", 0, {mbOK, mbCancel}), mrCancel);
  WhenShown([](QWidget* window) {
    EXPECT_EQ(window->windowTitle().toStdString(), "Warning");
    QTest::keyClick(window, Qt::Key_Return);
  });
  Msg("Attention", "", mtWarning, 0, {});
}

TEST_F(MsgDlg, AProgramWithWindowsShowsItsExceptionsInTheDialog) {
  Application->SetExceptionDisplay(InteractiveExceptionDisplay());
  std::string shown;
  WhenShown([&shown](QWidget* window) {
    shown = window->windowTitle().toStdString() + ":";
    for (QLabel* label : window->findChildren<QLabel*>())  // the icon is a label too
      if (!label->text().isEmpty()) shown += " " + label->text().toStdString();
    QTest::keyClick(window, Qt::Key_Return);
  });
  try {
    throw EConvertError("'x' is not a valid integer value");
  } catch (...) {
    HandleException(nullptr);
  }
  EXPECT_EQ(shown, "Error: 'x' is not a valid integer value.");
}
