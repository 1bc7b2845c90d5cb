#pragma once
// TDravikInstallForm: the installer's window. It finds the shipped files and the installed
// environments, lets the user choose where the files go, and does one run (install or
// uninstall) that reports each step as a status line.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/inifiles/Registry.h"
#include "platform/ui/Forms.h"
#include "widgets/MsgDlg.h"

namespace dravik {

class TButtonPanel;
class TCheckBox;
class TDravik;
class TFileSelect;
class TMemo;
class TRadioButton;

struct TInstallSetup {
  std::string SourceDir;   // where the shipped files are
  std::string WindowsDir;  // where run-time libraries shared by all programs go
  // Where messages go; the message dialog when empty.
  std::function<void(TMsgDlgType, const std::string&)> Message;
  // Each status line as it is added, besides the status view.
  std::function<void(const std::string&)> Status;
};

class TDravikInstallForm : public TForm {
 public:
  using TForm::TForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // Finds the shipped files and the environments; answers Ready (false: nothing is shipped).
  bool Start(TInstallSetup setup);
  bool Ready() const { return fReady; }
  // The run: answers whether every step succeeded.
  bool Run();
  const std::vector<std::string>& StatusLines() const { return fStatusLines; }

  TDravik* Dravik() const;
  TCheckBox* Box(const char* name) const;
  TRadioButton* Radio(const char* name) const;
  TFileSelect* FolderSelect() const;
  TButtonPanel* ButtonPanel() const;

  void FormCloseQuery(TObject* sender, bool& canClose);
  void DravikChange(TObject* sender);
  void BtnInstallClick(TObject* sender);
  void BtnClick(TObject* sender);
  void ButtonPanelCloseClick(TObject* sender);
  void ButtonPanelContinueClick(TObject* sender);

 protected:
  void AfterConstruction() override;
  void BeforeDestruction() override;

 private:
  struct TStep;
  void UpdateControls();
  void SyncRegisterBox(TCheckBox* box, bool wanted);
  void AddStatus(const std::string& line);
  std::string Text(const char* key) const;
  void FileStep(TStep& step, const std::string& file, const std::string& dir, bool reportMissing);
  void Files(TStep& step, const std::vector<std::string>& files, const std::string& dir,
             bool reportMissing = true);
  void FolderPart(TStep& step);
  void Registration(TStep& step);
  void ShowMessageOf(TMsgDlgType type, const char* key);

  TInstallSetup fSetup;
  bool fShipped[3] = {false, false, false};
  bool fReady = false;
  bool fRunning = false;
  std::unique_ptr<TRegistry> fRegistry;
  TMemo* fStatusView = nullptr;
  std::vector<std::string> fStatusLines;
};

}  // namespace dravik
