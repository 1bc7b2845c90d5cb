// File and font dialogs driven through their Qt dialogs, the filter translation, the clipboard.

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QTimer>

#include "platform/ui/Clipbrd.h"
#include "platform/ui/Dialogs.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

using Dialogs = UiTest;

// Runs act on the dialog once Execute shows it.
template <class D, class F>
void WhenShown(TCommonDialog* owner, F act) {
  QTimer::singleShot(0, [owner, act] {
    auto* dialog = dynamic_cast<D*>(owner->Dialog());
    ASSERT_NE(dialog, nullptr);
    act(dialog);
  });
}

}  // namespace

TEST_F(Dialogs, FiltersBecomeQtNameFilters) {
  EXPECT_EQ(FilterToQt("Text|*.txt"), QStringList{"Text (*.txt)"});
  EXPECT_EQ(FilterToQt("Pascal|*.pas;*.inc|All (*.*)|*.*"),
            (QStringList{"Pascal (*.pas *.inc)", "All [*.*] (*.*)"}));
  // A description without patterns, or nothing at all, gives no filter.
  EXPECT_EQ(FilterToQt("Text|*.txt|Broken"), QStringList{"Text (*.txt)"});
  EXPECT_EQ(FilterToQt("Empty||Text|*.txt"), QStringList{"Text (*.txt)"});
  EXPECT_TRUE(FilterToQt("").isEmpty());
}

TEST_F(Dialogs, ASaveDialogAnswersTheChosenFile) {
  auto save = MakeComponent<TSaveDialog>(nullptr);
  save->SetTitle("Save the notes");
  save->SetFilter("Text|*.txt|All|*.*");
  save->SetFilterIndex(2);
  save->SetInitialDir(QDir::tempPath().toStdString());
  save->SetFileName("notes.txt");
  std::string title, filter;
  WhenShown<QFileDialog>(save.get(), [&](QFileDialog* dialog) {
    title = dialog->windowTitle().toStdString();
    filter = dialog->selectedNameFilter().toStdString();
    dialog->selectNameFilter(QStringLiteral("Text (*.txt)"));
    dialog->selectFile(QStringLiteral("today.txt"));
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own is protected
  });
  ASSERT_TRUE(save->Execute());
  EXPECT_EQ(title, "Save the notes");
  EXPECT_EQ(filter, "All (*.*)");
  EXPECT_EQ(save->FileName(), QDir(QDir::tempPath()).filePath("today.txt").toStdString());
  EXPECT_EQ(save->FilterIndex(), 1);
  EXPECT_EQ(save->Dialog(), nullptr);
}

TEST_F(Dialogs, ACancelledDialogChangesNothing) {
  auto open = MakeComponent<TOpenDialog>(nullptr);
  open->SetFileName("kept.txt");
  WhenShown<QFileDialog>(open.get(), [](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_FALSE(open->Execute());
  EXPECT_EQ(open->FileName(), "kept.txt");
}

TEST_F(Dialogs, AFontDialogTakesTheChosenFont) {
  auto fonts = MakeComponent<TFontDialog>(nullptr);
  fonts->Font()->SetName("Arial");
  fonts->Font()->SetHeight(-12);
  std::string shownFamily;
  WhenShown<QFontDialog>(fonts.get(), [&](QFontDialog* dialog) {
    shownFamily = dialog->currentFont().family().toStdString();
    QFont chosen = dialog->currentFont();
    chosen.setBold(true);
    chosen.setStyleName(QStringLiteral("Bold"));  // the dialog picks styles by name
    chosen.setPixelSize(20);
    dialog->setCurrentFont(chosen);
    dialog->accept();
  });
  ASSERT_TRUE(fonts->Execute());
  EXPECT_FALSE(shownFamily.empty());
  EXPECT_EQ(fonts->Font()->Height(), -20);
  EXPECT_TRUE(fonts->Font()->Style().Contains(fsBold));
}

TEST_F(Dialogs, TheClipboardHoldsText) {
  Clipboard()->SetAsText("Grüße");
  EXPECT_EQ(Clipboard()->AsText(), "Grüße");
  EXPECT_TRUE(Clipboard()->HasText());
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasText());
  Beep();  // must not need a sound device
}
