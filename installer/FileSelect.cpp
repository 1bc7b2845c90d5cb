#include "installer/FileSelect.h"

#include <QDialog>

#include "installer/DirSelectForm.h"
#include "platform/core/classes/ScopeExit.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

const TTypeInfo& TypeInfoFor(TFileSelectMode) {
  static const TTypeInfo& info =
      MakeEnumType("TFileSelectMode", {"mDirectory", "mFileOpen", "mFileSave"});
  return info;
}

const TClassRecord& TFileSelect::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TFileSelect, TCustomMRUComboBox>("TFileSelect", "FileSelect")
          .Property("FileFilter", &TFileSelect::FileFilter, &TFileSelect::SetFileFilter)
          .Property("FileName", &TFileSelect::FileName, &TFileSelect::SetFileName)
          .NotStored()
          .Property("Mode", &TFileSelect::Mode, &TFileSelect::SetMode)
          .Default(mDirectory)
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TFileSelect::StaticClass());

TFileSelect::TFileSelect(TComponent* owner) : TCustomMRUComboBox(owner) {}

void TFileSelect::ButtonClick() {
  TScopeExit inactive([this] { fActive = nullptr; });
  if (fMode == mDirectory) {
    TComponentPtr<TBrowseFolder> browse = MakeComponent<TBrowseFolder>(nullptr);
    browse->SetSelectedPath(FileName());
    browse->SetAutoEnableOK(true);
    browse->SetShowFullPath(true);
    TBrowseInfoFlagSet flags = browse->Flags();
    flags.Include(bfStatusText);
    browse->SetFlags(flags);
    fActive = browse.get();
    if (browse->Execute()) SetFileName(browse->SelectedPath());
    return;
  }
  TComponentPtr<TOpenDialog> dialog;
  if (fMode == mFileSave) {
    dialog = MakeComponent<TSaveDialog>(nullptr);
  } else {
    dialog = MakeComponent<TOpenDialog>(nullptr);
  }
  const std::string& name = FileName();
  const std::size_t slash = name.find_last_of('/');
  dialog->SetInitialDir(slash == std::string::npos ? "" : name.substr(0, slash == 0 ? 1 : slash));
  dialog->SetFileName(slash == std::string::npos ? name : name.substr(slash + 1));
  dialog->SetFilter(fFileFilter);
  fActive = dialog.get();
  if (dialog->Execute()) SetFileName(dialog->FileName());
}

}  // namespace dravik
