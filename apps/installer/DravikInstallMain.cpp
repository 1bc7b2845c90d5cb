#include "apps/installer/DravikInstallMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextEdit>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "apps/installer/InstallFiles.h"
#include "installer/FileSelect.h"
#include "library/FileTools.h"
#include "platform/core/inifiles/Registry.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "widgets/ButtonPanel.h"
#include "widgets/ConfigFile.h"

namespace dravik {

namespace fs = std::filesystem;

namespace {

const TClassRegistration kRegistration(TDravikInstallForm::StaticClass());

const char* const kLocationBoxes[] = {"BtnD3Dir", "BtnD4Dir", "BtnD5Dir"};
const char* const kRegisterBoxes[] = {"BtnD3", "BtnD4", "BtnD5"};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Join(const std::string& dir, const std::string& file) {
  return AppendBackslash(dir) + file;
}

// Read-only files are overwritten and deleted like any other: the owner may write them first.
void MakeWritable(const std::string& file) {
  std::error_code error;
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                  error);
}

}  // namespace

// One run's state: what it does and whether a step failed.
struct TDravikInstallForm::TStep {
  bool Installing = true;
  bool Failed = false;
};

const TClassRecord& TDravikInstallForm::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TDravikInstallForm, TForm>("TDravikInstallForm", "DravikInstallMain")
          .Method<&TDravikInstallForm::FormCloseQuery>("FormCloseQuery")
          .Method<&TDravikInstallForm::BtnInstallClick>("BtnInstallClick")
          .Method<&TDravikInstallForm::BtnClick>("BtnClick")
          .Method<&TDravikInstallForm::ButtonPanelCloseClick>("ButtonPanelCloseClick")
          .Method<&TDravikInstallForm::ButtonPanelContinueClick>("ButtonPanelContinueClick")
          .Build();
  return record;
}

void TDravikInstallForm::AfterConstruction() {
  TForm::AfterConstruction();
  OnCloseQuery = TCloseQueryEvent::Of<&TDravikInstallForm::FormCloseQuery>(this);
  Dravik()->OnChange = TNotifyEvent::Of<&TDravikInstallForm::DravikChange>(this);
  if (FolderSelect()->HistoryList()->Count() == 0) {
    const char* home = std::getenv("HOME");
    FolderSelect()->SetHistory(std::string(home ? home : "") + "/Dravik;/opt/Dravik");
  }
}

// The configuration is saved while the components it reads are still there.
void TDravikInstallForm::BeforeDestruction() {
  fRegistry.reset();
  for (const char* name : {"Config", "ConfigLang"})
    if (auto* config = dynamic_cast<TCustomConfigFile*>(FindComponent(name))) config->Save();
  TForm::BeforeDestruction();
}

TDravik* TDravikInstallForm::Dravik() const {
  return dynamic_cast<TDravik*>(FindComponent("Dravik"));
}
TCheckBox* TDravikInstallForm::Box(const char* name) const {
  return dynamic_cast<TCheckBox*>(FindComponent(name));
}
TRadioButton* TDravikInstallForm::Radio(const char* name) const {
  return dynamic_cast<TRadioButton*>(FindComponent(name));
}
TFileSelect* TDravikInstallForm::FolderSelect() const {
  return dynamic_cast<TFileSelect*>(FindComponent("FolderSelect"));
}
TButtonPanel* TDravikInstallForm::ButtonPanel() const {
  return dynamic_cast<TButtonPanel*>(FindComponent("ButtonPanel"));
}

std::string TDravikInstallForm::Text(const char* key) const {
  return Dravik()->GetString(key);
}

bool TDravikInstallForm::Start(TInstallSetup setup) {
  fSetup = std::move(setup);
  const auto& versions = EnvironmentVersions();
  bool any = false;
  for (size_t n = 0; n < versions.size(); ++n)
    any |= fShipped[n] = FileExist(Join(fSetup.SourceDir, versions[n].Design.front()));
  if (!any) {
    ShowMessageOf(mtError, "NoFiles");
    return fReady = false;
  }
  Box("BtnWindows")->SetHint(fSetup.WindowsDir);
  DravikChange(nullptr);
  fRegistry = std::make_unique<TRegistry>();
  fRegistry->SetRootKey(HKEY_LOCAL_MACHINE);
  for (size_t n = 0; n < versions.size(); ++n) {
    if (!fShipped[n]) continue;
    TCheckBox* location = Box(kLocationBoxes[n]);
    if (fRegistry->OpenKeyReadOnly("\\" + versions[n].DetectionKey)) {
      if (fRegistry->ValueExists(versions[n].DetectionValue)) {
        const std::string bin =
            fs::path(fRegistry->ReadString(versions[n].DetectionValue)).parent_path().string();
        location->SetHint(bin);
        location->SetCaption(ShortPath(bin, 35));
        location->SetChecked(true);
        location->SetEnabled(true);
      }
      fRegistry->CloseKey();
    }
    Box(kRegisterBoxes[n])->SetChecked(location->Enabled());
    Box(kRegisterBoxes[n])->SetEnabled(location->Enabled());
  }
  return fReady = true;
}

void TDravikInstallForm::FormCloseQuery(TObject*, bool& canClose) {
  canClose = !fRunning;
}

void TDravikInstallForm::DravikChange(TObject*) {
  TCheckBox* windows = Box("BtnWindows");
  windows->SetCaption(windows->Hint() + " " + Text("RTOnly"));
}

void TDravikInstallForm::BtnInstallClick(TObject*) {
  dynamic_cast<TControl*>(FindComponent("GroupReg"))->SetEnabled(Radio("BtnInstall")->Checked());
  UpdateControls();
}

void TDravikInstallForm::BtnClick(TObject*) {
  UpdateControls();
}

void TDravikInstallForm::UpdateControls() {
  FolderSelect()->SetEnabled(Box("BtnFolder")->Checked());
  const bool registering = dynamic_cast<TControl*>(FindComponent("GroupReg"))->Enabled();
  for (int n = 0; n < 3; ++n)
    SyncRegisterBox(Box(kRegisterBoxes[n]), Box(kLocationBoxes[n])->Checked() && registering);
  bool any = false;
  for (const char* name : {"BtnFolder", "BtnD3Dir", "BtnD4Dir", "BtnD5Dir", "BtnWindows"})
    any |= Box(name)->Checked();
  static_cast<TButtonItem*>(ButtonPanel()->Buttons()->Items(0))->SetEnabled(any);
}

// A register box follows its location box; its check comes back when it is enabled again.
void TDravikInstallForm::SyncRegisterBox(TCheckBox* box, bool wanted) {
  if (box->Enabled() == wanted) return;
  if (wanted) {
    box->SetChecked(box->Tag() != 0);
  } else {
    box->SetTag(box->Checked() ? 1 : 0);
    box->SetChecked(false);
  }
  box->SetEnabled(wanted);
}

void TDravikInstallForm::ButtonPanelCloseClick(TObject*) {
  Close();
}

void TDravikInstallForm::ButtonPanelContinueClick(TObject*) {
  Run();
}

void TDravikInstallForm::AddStatus(const std::string& line) {
  fStatusLines.push_back(line);
  if (fStatusView) {
    fStatusView->Lines()->Add(line);
    // The newest line stays in sight while the status grows.
    if (auto* edit = qobject_cast<QTextEdit*>(fStatusView->Widget()))
      edit->moveCursor(QTextCursor::End);
  }
  if (fSetup.Status) fSetup.Status(line);
}

void TDravikInstallForm::ShowMessageOf(TMsgDlgType type, const char* key) {
  if (fSetup.Message)
    fSetup.Message(type, Text(key));
  else
    MessageDlg(Text(key), type, {mbOK}, 0);
}

void TDravikInstallForm::FileStep(TStep& step, const std::string& file, const std::string& dir,
                                  bool reportMissing) {
  const std::string target = Join(dir, file);
  if (step.Installing) {
    const std::string source = Join(fSetup.SourceDir, file);
    if (FileExist(target)) MakeWritable(target);
    if (FileExist(source) && CopyFileEx(source, target)) {
      MakeWritable(target);
      AddStatus(Format(Text("FileCopied"), {file, RemoveBackslash(dir)}));
    } else if (reportMissing || FileExist(source)) {
      AddStatus(Format(Text("EFileCopy"), {file, RemoveBackslash(dir)}));
      step.Failed = true;
    }
  } else if (FileExist(target)) {
    MakeWritable(target);
    std::error_code error;
    if (fs::remove(target, error)) {
      AddStatus(Format(Text("FileDeleted"), {target}));
    } else if (reportMissing) {
      AddStatus(Format(Text("EFileDelete"), {target}));
      step.Failed = true;
    }
  }
  QCoreApplication::processEvents();
}

void TDravikInstallForm::Files(TStep& step, const std::vector<std::string>& files,
                               const std::string& dir, bool reportMissing) {
  for (const std::string& file : files) FileStep(step, file, dir, reportMissing);
}

void TDravikInstallForm::FolderPart(TStep& step) {
  const std::string folder = RemoveBackslash(FolderSelect()->FileName());
  if (folder.empty() || Lower(folder) == Lower(RemoveBackslash(fSetup.SourceDir))) return;
  if (step.Installing) {
    if (DirExist(folder)) {
      AddStatus(Format(Text("DirAlreadyExists"), {folder}));
    } else if (CreateDirRecurse(folder)) {
      AddStatus(Format(Text("DirCreated"), {folder}));
    } else {
      AddStatus(Format(Text("EDirCreate"), {folder}));
      step.Failed = true;
      return;
    }
  } else if (!DirExist(folder)) {
    AddStatus(Format(Text("EDirNotFound"), {folder}));
    step.Failed = true;
    return;
  }
  const auto& versions = EnvironmentVersions();
  for (size_t n = 0; n < versions.size(); ++n)
    if (fShipped[n]) {
      Files(step, versions[n].Runtime, folder);
      Files(step, versions[n].Design, folder);
    }
  Files(step, HelpFiles(), folder);
  Files(step, DocumentFiles(), folder);
  for (size_t n = 0; n < versions.size(); ++n)
    if (fShipped[n]) Files(step, versions[n].Platform, folder, false);
  if (!step.Installing) {
    std::error_code error;
    if (fs::remove(folder, error)) {
      AddStatus(Format(Text("DirDeleted"), {folder}));
    } else {
      AddStatus(Format(Text("EDirDelete"), {folder}));
      step.Failed = true;
    }
  }
}

// Uninstalling removes the package from every shipped version's list, whatever the boxes say.
void TDravikInstallForm::Registration(TStep& step) {
  const auto& versions = EnvironmentVersions();
  for (size_t n = 0; n < versions.size(); ++n) {
    TCheckBox* reg = Box(kRegisterBoxes[n]);
    const bool registering = reg->Enabled() && reg->Checked();
    if (!fShipped[n] || (step.Installing && !registering)) continue;
    const std::string name = Join(Box(kLocationBoxes[n])->Hint(), versions[n].Design.front());
    fRegistry->SetRootKey(HKEY_CURRENT_USER);
    if (fRegistry->OpenKey("\\" + versions[n].KnownKey, false)) {
      if (!step.Installing) {
        fRegistry->DeleteValue(name);
      } else if (!FileExist(name)) {
        AddStatus(Format(Text("EPackageRegister"), {name}));
        step.Failed = true;
      } else {
        fRegistry->WriteString(name, "Quelt Dravik");
        AddStatus(Format(Text("PackageRegistered"), {name}));
      }
      fRegistry->CloseKey();
    }
    // A package left disabled would not load.
    if (registering && fRegistry->OpenKey("\\" + versions[n].DisabledKey, false)) {
      fRegistry->DeleteValue(name);
      fRegistry->CloseKey();
    }
  }
}

bool TDravikInstallForm::Run() {
  TStep step;
  step.Installing = Radio("BtnInstall")->Checked();
  fRunning = true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  SetEnabled(false);
  auto* buttons = ButtonPanel();
  static_cast<TButtonItem*>(buttons->Buttons()->Items(1))->SetEnabled(false);
  static_cast<TButtonItem*>(buttons->Buttons()->Items(0))->SetVisible(false);
  auto* panel = dynamic_cast<TControl*>(FindComponent("MainPanel"));
  panel->SetEnabled(false);
  panel->SetVisible(false);
  fStatusView = Create<TMemo>(this);
  fStatusView->SetParent(this);
  fStatusView->SetAlign(alClient);
  fStatusView->SetReadOnly(true);
  fStatusView->SetParentColor(true);
  fStatusView->SetWordWrap(false);
  AddStatus(Text(step.Installing ? "InstStatus" : "UninstStatus"));
  AddStatus("");
  bool unknown = false;
  try {
    if (Box("BtnFolder")->Checked()) {
      FolderSelect()->SetText(FolderSelect()->Text());  // the history keeps the chosen folder
      FolderPart(step);
    }
    const auto& versions = EnvironmentVersions();
    if (Box("BtnWindows")->Checked()) {
      // Unlike the system's, a user's library folder may not be there yet.
      if (step.Installing) CreateDirRecurse(Box("BtnWindows")->Hint());
      for (size_t n = 0; n < versions.size(); ++n)
        if (fShipped[n]) Files(step, versions[n].Runtime, Box("BtnWindows")->Hint());
    }
    for (size_t n = 0; n < versions.size(); ++n) {
      TCheckBox* location = Box(kLocationBoxes[n]);
      if (!fShipped[n] || !location->Enabled() || !location->Checked()) continue;
      Files(step, versions[n].Runtime, location->Hint());
      Files(step, versions[n].Design, location->Hint());
      Files(step, HelpFiles(), location->Hint());
    }
    Registration(step);
  } catch (const std::exception&) {
    unknown = true;
  }
  SetEnabled(true);
  static_cast<TButtonItem*>(buttons->Buttons()->Items(1))->SetEnabled(true);
  QApplication::restoreOverrideCursor();
  fRunning = false;
  AddStatus("");
  AddStatus(Text("Finished"));
  const bool failed = unknown || step.Failed;
  if (failed)
    ShowMessageOf(mtError, "EUnknownError");
  else
    ShowMessageOf(mtInformation,
                  step.Installing ? "InstallationCompleted" : "DeinstallationCompleted");
  return !failed;
}

}  // namespace dravik
