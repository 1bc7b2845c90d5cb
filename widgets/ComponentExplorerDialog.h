#pragma once
// The component explorer as a modal dialog: the caller gives a form and its entries, the user
// chooses, and on OK the choice replaces the entries.

#include <memory>

#include "platform/ui/Dialogs.h"
#include "widgets/SuperForm.h"

namespace dravik {

class TButtonItem;
class TButtonPanel;
class TCESettings;
class TComponentExplorer;
class TMainEntries;

// The dialog's window: the explorer above a row of buttons.
class TCEDialogForm : public TSuperForm {
 public:
  using TSuperForm::TSuperForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TComponentExplorer* Explorer() const;
  TButtonPanel* ButtonPanel() const;
  TButtonItem* HelpButton() const;
  void ButtonClick(TObject* sender, TButtonItem* item);

 protected:
  void AfterConstruction() override;
};

class TComponentExplorerDialog : public TCommonDialog {
 public:
  explicit TComponentExplorerDialog(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  int32_t HelpContext() const { return fHelpContext; }
  void SetHelpContext(int32_t value) { fHelpContext = value; }
  TCESettings* Settings() const { return fSettings.get(); }
  void SetSettings(TCESettings* value);

  // Lets the user choose among root's properties; on OK entries hold the choice, whose
  // property entries are of propEntryClass (null for TPropertyEntry).
  bool ExecuteEx(TComponent* root, TMainEntries* entries, const TClassRecord* propEntryClass);
  bool Execute() override;
  // The window while Execute shows it; null otherwise.
  TCEDialogForm* Form() const { return fForm; }

 private:
  int32_t fHelpContext = 0;
  std::unique_ptr<TCESettings> fSettings;
  TComponent* fRoot = nullptr;
  TMainEntries* fEntries = nullptr;
  const TClassRecord* fPropEntryClass = nullptr;
  TCEDialogForm* fForm = nullptr;
};

}  // namespace dravik
