#pragma once
// TBrowseFolder: the folder chooser of the installer, a common dialog on the platform's own
// folder dialog. Its root is one of the special folders, mapped onto this system's (home,
// desktop, documents, ...); a status line under the folders shows a fixed text or the chosen
// path.

#include <QPointer>
#include <string>

#include "platform/core/system/Exceptions.h"
#include "platform/ui/Dialogs.h"

class QFileDialog;
class QLabel;

namespace dravik {

using EBrowseDialogAlreadyShowing = ExceptionClass<"EBrowseDialogAlreadyShowing", Exception>;

enum TBrowseInfoFlag {
  bfFileSysDirsOnly,
  bfDontGoBelowDomain,
  bfStatusText,
  bfFileSysAncestors,
  bfBrowseForComputer,
  bfBrowseForPrinter
};
const TTypeInfo& TypeInfoFor(TBrowseInfoFlag);
using TBrowseInfoFlagSet = TSet<TBrowseInfoFlag, "TBrowseInfoFlagSet">;
// The shell's number of each flag, for files that store them as numbers.
uint32_t BrowseFlagValue(TBrowseInfoFlag flag);

enum TSHFolders {
  foDesktop,
  foPrograms,
  foControls,
  foPrinters,
  foPersonal,
  foFavorites,
  foStartup,
  foRecent,
  foSendto,
  foRecycleBin,
  foStartMenu,
  foDesktopDirectory,
  foMyComputer,
  foNetwork,
  foNetworkNeighborhood,
  foFonts,
  foTemplates
};
const TTypeInfo& TypeInfoFor(TSHFolders);
// The shell's special-folder number of each root.
int32_t SpecialFolderNumber(TSHFolders folder);
// This system's folder for a root; the home folder where it has none.
std::string SpecialFolderPath(TSHFolders folder);

class TBrowseFolder : public TCommonDialog {
 public:
  explicit TBrowseFolder(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  bool AutoEnableOK() const { return fAutoEnableOK; }
  void SetAutoEnableOK(bool value) { fAutoEnableOK = value; }
  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value);
  TBrowseInfoFlagSet Flags() const { return fFlags; }
  void SetFlags(TBrowseInfoFlagSet value) { fFlags = value; }
  TSHFolders Folder() const { return fFolder; }
  void SetFolder(TSHFolders value) { fFolder = value; }
  bool ShowFullPath() const { return fShowFullPath; }
  void SetShowFullPath(bool value) { fShowFullPath = value; }
  const std::string& Status() const { return fStatus; }
  void SetStatus(const std::string& value);
  const std::string& Title() const { return fTitle; }
  void SetTitle(const std::string& value) { fTitle = value; }
  TNotifyEvent OnInitialized;
  TNotifyEvent OnSelectionChange;

  // The folder selected first, and the one chosen once Execute answers true.
  const std::string& SelectedPath() const { return fSelectedPath; }
  void SetSelectedPath(const std::string& value) { fSelectedPath = value; }
  bool Showing() const { return fShowing; }
  // The status line's text while the dialog shows.
  std::string StatusText() const;
  // Whether the dialog's OK button can be pressed while it shows.
  bool OKEnabled() const;
  // The selection changed to path (empty for an item without one), as the dialog reports it.
  void SelectionChanged(const std::string& path);

  // EBrowseDialogAlreadyShowing "The browse dialog is already showing" while it shows.
  bool Execute() override;

 private:
  void Initialized();
  void ShowStatus(const std::string& text);

  bool fAutoEnableOK = true;
  std::string fCaption;
  TBrowseInfoFlagSet fFlags{bfStatusText};
  TSHFolders fFolder = foDesktop;
  bool fShowFullPath = true;
  std::string fStatus;
  std::string fTitle;
  std::string fSelectedPath;
  std::string fChosen;
  bool fShowing = false;
  QPointer<QFileDialog> fWindow;
  QPointer<QLabel> fStatusLine;
};

}  // namespace dravik
