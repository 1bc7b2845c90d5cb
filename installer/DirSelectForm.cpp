#include "installer/DirSelectForm.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include "library/FileTools.h"
#include "platform/core/classes/ScopeExit.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/Graphics.h"

namespace dravik {

namespace {

QPushButton* AcceptButton(QFileDialog* dialog) {
  auto* box = dialog ? dialog->findChild<QDialogButtonBox*>() : nullptr;
  if (!box) return nullptr;
  for (QAbstractButton* button : box->buttons())
    if (box->buttonRole(button) == QDialogButtonBox::AcceptRole)
      return static_cast<QPushButton*>(button);
  return nullptr;
}

std::string Location(QStandardPaths::StandardLocation location) {
  return QStandardPaths::writableLocation(location).toStdString();
}

}  // namespace

const TTypeInfo& TypeInfoFor(TBrowseInfoFlag) {
  static const TTypeInfo& info = MakeEnumType(
      "TBrowseInfoFlag", {"bfFileSysDirsOnly", "bfDontGoBelowDomain", "bfStatusText",
                          "bfFileSysAncestors", "bfBrowseForComputer", "bfBrowseForPrinter"});
  return info;
}

uint32_t BrowseFlagValue(TBrowseInfoFlag flag) {
  static constexpr uint32_t kValues[] = {1, 2, 4, 8, 4096, 8192};
  return kValues[flag];
}

const TTypeInfo& TypeInfoFor(TSHFolders) {
  static const TTypeInfo& info = MakeEnumType(
      "TSHFolders",
      {"foDesktop", "foPrograms", "foControls", "foPrinters", "foPersonal", "foFavorites",
       "foStartup", "foRecent", "foSendto", "foRecycleBin", "foStartMenu", "foDesktopDirectory",
       "foMyComputer", "foNetwork", "foNetworkNeighborhood", "foFonts", "foTemplates"});
  return info;
}

int32_t SpecialFolderNumber(TSHFolders folder) {
  static constexpr int32_t kNumbers[] = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 16, 17, 18, 19, 20, 21};
  return kNumbers[folder];
}

std::string SpecialFolderPath(TSHFolders folder) {
  const std::string home = QDir::homePath().toStdString();
  const std::string data = Location(QStandardPaths::GenericDataLocation);
  std::string path;
  switch (folder) {
    case foDesktop:
    case foDesktopDirectory:
      path = Location(QStandardPaths::DesktopLocation);
      break;
    case foPersonal:
      path = Location(QStandardPaths::DocumentsLocation);
      break;
    case foPrograms:
    case foStartMenu:
      path = Location(QStandardPaths::ApplicationsLocation);
      break;
    case foStartup:
      path = Location(QStandardPaths::GenericConfigLocation) + "/autostart";
      break;
    case foRecycleBin:
      path = data + "/Trash";
      break;
    case foFonts:
      path = Location(QStandardPaths::FontsLocation);
      break;
    case foTemplates:
      path = home + "/Templates";
      break;
    case foMyComputer:
      path = "/";
      break;
    default:  // controls, printers, favourites, recent, send to, network: none here
      break;
  }
  return !path.empty() && DirExist(path) ? path : home;
}

const TClassRecord& TBrowseFolder::StaticClass() {
  using T = TBrowseFolder;
  static const TClassRecord& record =
      TClassBuilder<T, TCommonDialog>("TBrowseFolder", "DirSelectForm")
          .Property("AutoEnableOK", &T::AutoEnableOK, &T::SetAutoEnableOK)
          .Default(true)
          .Property("Caption", &T::Caption, &T::SetCaption)
          .Property("Flags", &T::Flags, &T::SetFlags)
          .Property("Folder", &T::Folder, &T::SetFolder)
          .Default(foDesktop)
          .Property("ShowFullPath", &T::ShowFullPath, &T::SetShowFullPath)
          .Default(true)
          .Property("Status", &T::Status, &T::SetStatus)
          .Property("Title", &T::Title, &T::SetTitle)
          .Event("OnInitialized", &T::OnInitialized)
          .Event("OnSelectionChange", &T::OnSelectionChange)
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TBrowseFolder::StaticClass());

TBrowseFolder::TBrowseFolder(TComponent* owner) : TCommonDialog(owner) {}

void TBrowseFolder::SetCaption(const std::string& value) {
  fCaption = value;
  if (fWindow && !value.empty()) fWindow->setWindowTitle(QText(value));
}

void TBrowseFolder::SetStatus(const std::string& value) {
  fStatus = value;
  if (fWindow) ShowStatus(value);
}

void TBrowseFolder::ShowStatus(const std::string& text) {
  if (fStatusLine) fStatusLine->setText(QText(text));
}

std::string TBrowseFolder::StatusText() const {
  return fStatusLine ? fStatusLine->text().toStdString() : "";
}

bool TBrowseFolder::OKEnabled() const {
  QPushButton* ok = AcceptButton(fWindow);
  return ok && ok->isEnabled();
}

bool TBrowseFolder::Execute() {
  if (fShowing) throw EBrowseDialogAlreadyShowing("The browse dialog is already showing");
  auto showing = SetForScope(fShowing, true);
  const std::string before = fSelectedPath;
  auto* dialog = new QFileDialog;
  fWindow = dialog;
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setOption(QFileDialog::ShowDirsOnly);
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setWindowModality(Qt::ApplicationModal);
  dialog->setDirectory(QText(SpecialFolderPath(fFolder)));
  if (!fTitle.empty()) dialog->setLabelText(QFileDialog::LookIn, QText(fTitle));
  if (fFlags.Contains(bfStatusText)) {
    fStatusLine = new QLabel(dialog);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
      grid->addWidget(fStatusLine, grid->rowCount(), 0, 1, grid->columnCount());
  }
  QObject::connect(dialog, &QFileDialog::currentChanged,
                   [this](const QString& path) { SelectionChanged(path.toStdString()); });
  QTimer::singleShot(0, dialog, [this] { Initialized(); });
  const bool accepted = Run(dialog, [this, dialog] {
    const QStringList chosen = dialog->selectedFiles();
    fChosen = chosen.isEmpty() ? fSelectedPath : chosen.front().toStdString();
  });
  // A cancelled dialog leaves the path as it was; the selection changes made it move meanwhile.
  fSelectedPath = accepted ? fChosen : before;
  return accepted;
}

void TBrowseFolder::Initialized() {
  QFileDialog* dialog = fWindow;
  if (!dialog) return;
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = dialog->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    dialog->move(frame.topLeft());
  }
  if (!fCaption.empty()) dialog->setWindowTitle(QText(fCaption));
  if (!fStatus.empty()) ShowStatus(fStatus);
  if (!fSelectedPath.empty() && DirExist(fSelectedPath)) {
    const QString path = QText(RemoveBackslash(fSelectedPath));
    dialog->setDirectory(QFileInfo(path).absolutePath());
    dialog->selectFile(path);
  }
  OnInitialized(this);
}

void TBrowseFolder::SelectionChanged(const std::string& path) {
  fSelectedPath = path;
  if (fAutoEnableOK)
    if (QPushButton* ok = AcceptButton(fWindow)) ok->setEnabled(!path.empty());
  OnSelectionChange(this);
  if (fShowFullPath && fStatus.empty()) ShowStatus(path.empty() ? "" : ShortPath(path, 35));
}

}  // namespace dravik
