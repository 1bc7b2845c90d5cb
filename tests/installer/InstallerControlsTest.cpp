// The installer's folder chooser and file selection box, driven while their dialogs show.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <functional>

#include "installer/DirSelectForm.h"
#include "installer/FileSelect.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

void CloseLeftOpen();

// Runs the steps once the dialog has opened.
class TScript : public TObject {
 public:
  void Initialized(TObject*) {
    QTimer::singleShot(0, [this] {
      for (auto& step : Steps) step();
      CloseLeftOpen();
    });
  }
  std::vector<std::function<void()>> Steps;
};

QFileDialog* OpenFileDialog() {
  return qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
}

// A step that failed half-way must not leave the test waiting for a user.
void CloseLeftOpen() {
  if (QFileDialog* dialog = OpenFileDialog()) static_cast<QDialog*>(dialog)->reject();
}

// Runs step once a file dialog is open, then closes what the step left open. It looks again
// every 10 ms, for five seconds at most: a loaded machine opens dialogs late, and a dialog
// that never opens must not leave a step waiting.
void WithFileDialog(std::function<void(QFileDialog*)> step, int attempts = 500) {
  QTimer::singleShot(10, [step, attempts] {
    if (QFileDialog* dialog = OpenFileDialog()) {
      step(dialog);
      CloseLeftOpen();
    } else if (attempts > 0) {
      WithFileDialog(step, attempts - 1);
    }
  });
}

// What a user does who types a folder's name into the dialog and presses OK.
void Choose(QFileDialog* dialog, const std::filesystem::path& folder) {
  dialog->setDirectory(QString::fromStdString(folder.parent_path().string()));
  dialog->findChild<QLineEdit*>("fileNameEdit")
      ->setText(QString::fromStdString(folder.filename().string()));
  static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
}

class Installer : public UiTest {};

}  // namespace

TEST_F(Installer, TheChooserOpensOnTheSelectedFolderAndAnswersTheChosenOne) {
  TTempDir dir;
  std::filesystem::create_directories(dir.File("target/inner"));
  TComponentPtr<TBrowseFolder> browse = MakeComponent<TBrowseFolder>(nullptr);
  browse->SetSelectedPath(dir.File("target"));
  browse->SetCaption("Choose the folder");
  browse->SetTitle("Install into:");
  TScript script;
  browse->OnInitialized = TNotifyEvent::Of<&TScript::Initialized>(&script);
  script.Steps.push_back([&] {
    QFileDialog* dialog = OpenFileDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle().toStdString(), "Choose the folder");
    EXPECT_EQ(dialog->directory().absolutePath().toStdString(), dir.Path());
    EXPECT_EQ(dialog->selectedFiles(), QStringList{QString::fromStdString(dir.File("target"))});
    EXPECT_TRUE(browse->Showing());
    EXPECT_THROW(browse->Execute(), EBrowseDialogAlreadyShowing);
    Choose(dialog, dir.File("target/inner"));
  });
  ASSERT_TRUE(browse->Execute());
  EXPECT_EQ(browse->SelectedPath(), dir.File("target/inner"));
  EXPECT_FALSE(browse->Showing());
}

TEST_F(Installer, AnItemWithoutAPathDisablesOkAndCancellingKeepsThePath) {
  TComponentPtr<TBrowseFolder> browse = MakeComponent<TBrowseFolder>(nullptr);
  browse->SetSelectedPath("/usr");
  TScript script;
  browse->OnInitialized = TNotifyEvent::Of<&TScript::Initialized>(&script);
  script.Steps.push_back([&] {
    browse->SelectionChanged("");  // the computer node has no path
    EXPECT_FALSE(browse->OKEnabled());
    EXPECT_EQ(browse->StatusText(), "");
    browse->SelectionChanged("/usr/share/doc/some-package/examples/more");
    EXPECT_TRUE(browse->OKEnabled());
    EXPECT_EQ(browse->StatusText(), "/.../doc/some-package/examples/more");
    browse->SetStatus("Fixed text");  // shown at once, and kept
    browse->SelectionChanged("/usr/lib");
    EXPECT_EQ(browse->StatusText(), "Fixed text");
    OpenFileDialog()->reject();
  });
  EXPECT_FALSE(browse->Execute());
  EXPECT_EQ(browse->SelectedPath(), "/usr");
}

TEST_F(Installer, SpecialFoldersAndFlagsKeepTheirNumbersAndFindAFolderHere) {
  EXPECT_EQ(SpecialFolderNumber(foDesktop), 0);
  EXPECT_EQ(SpecialFolderNumber(foDesktopDirectory), 16);
  EXPECT_EQ(SpecialFolderNumber(foTemplates), 21);
  EXPECT_EQ(BrowseFlagValue(bfStatusText), 4u);
  EXPECT_EQ(BrowseFlagValue(bfBrowseForPrinter), 8192u);
  EXPECT_EQ(SpecialFolderPath(foMyComputer), "/");
  for (int f = foDesktop; f <= foTemplates; ++f)
    EXPECT_TRUE(std::filesystem::is_directory(SpecialFolderPath(static_cast<TSHFolders>(f)))) << f;
  TComponentPtr<TBrowseFolder> browse = MakeComponent<TBrowseFolder>(nullptr);
  EXPECT_TRUE(browse->Flags().Contains(bfStatusText));
  EXPECT_TRUE(browse->AutoEnableOK());
}

TEST_F(Installer, TheFileBoxOpensItsDialogWhereItsTextPoints) {
  TTempDir dir;
  std::filesystem::create_directories(dir.File("data"));
  TComponentPtr<TForm> form = MakeComponent<TForm>(nullptr);
  auto* select = Create<TFileSelect>(form.get());
  select->SetParent(form.get());
  select->SetMode(mFileOpen);
  select->SetFileFilter("Text files|*.txt");
  select->SetFileName(dir.File("data/a.txt"));
  form->Show();
  WithFileDialog([&](QFileDialog* fileDialog) {
    auto* dialog = dynamic_cast<TOpenDialog*>(select->ActiveDialog());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->InitialDir(), dir.File("data"));
    EXPECT_EQ(dialog->FileName(), "a.txt");
    EXPECT_EQ(dialog->Filter(), "Text files|*.txt");
    fileDialog->reject();
  });
  select->ButtonWidget()->click();
  EXPECT_EQ(select->FileName(), dir.File("data/a.txt")) << "cancelled: unchanged";

  select->SetMode(mDirectory);
  select->SetFileName(dir.File("data"));
  WithFileDialog([&](QFileDialog* fileDialog) {
    auto* browse = dynamic_cast<TBrowseFolder*>(select->ActiveDialog());
    ASSERT_NE(browse, nullptr);
    EXPECT_TRUE(browse->Flags().Contains(bfStatusText));
    Choose(fileDialog, dir.Path());
  });
  select->ButtonWidget()->click();
  EXPECT_EQ(select->FileName(), dir.Path());
  EXPECT_EQ(select->HistoryList()->Strings(0), dir.Path()) << "the choice is committed";
}
