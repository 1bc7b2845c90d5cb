#include "widgets/ComponentExplorerDialog.h"

#include "model/ComponentExplorer.h"
#include "platform/core/classes/ScopeExit.h"
#include "platform/core/forms/Application.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "widgets/ButtonPanel.h"
#include "widgets/ComponentExplorer.h"

namespace dravik {

namespace {

constexpr int kHelpButton = 2;

}  // namespace

const TClassRecord& TCEDialogForm::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TCEDialogForm, TSuperForm>("TCEDialogForm", "ComponentExplorerDialog")
          .Method<&TCEDialogForm::ButtonClick>("ButtonClick")
          .Build();
  return record;
}
static const TClassRegistration kFormRegistration(TCEDialogForm::StaticClass());

void TCEDialogForm::AfterConstruction() {
  TSuperForm::AfterConstruction();
  Explorer()->SetDefaultSize(true);
  SetClientWidth(Explorer()->Width());
}

TComponentExplorer* TCEDialogForm::Explorer() const {
  return FindOwned<TComponentExplorer>(this, "Explorer");
}

TButtonPanel* TCEDialogForm::ButtonPanel() const {
  return FindOwned<TButtonPanel>(this, "Buttons");
}

TButtonItem* TCEDialogForm::HelpButton() const {
  return ButtonPanel()->Items(kHelpButton);
}

void TCEDialogForm::ButtonClick(TObject*, TButtonItem* item) {
  if (item == HelpButton() && Application) Application->HelpContext(HelpContext());
}

const TClassRecord& TComponentExplorerDialog::StaticClass() {
  using T = TComponentExplorerDialog;
  static const TClassRecord& record =
      TClassBuilder<T, TCommonDialog>("TComponentExplorerDialog", "ComponentExplorerDialog")
          .Property("HelpContext", &T::HelpContext, &T::SetHelpContext)
          .Default(0)
          .Property("Settings", &T::Settings, &T::SetSettings)
          .Build();
  return record;
}
static const TClassRegistration kDialogRegistration(TComponentExplorerDialog::StaticClass());

TComponentExplorerDialog::TComponentExplorerDialog(TComponent* owner)
    : TCommonDialog(owner), fSettings(std::make_unique<TCESettings>()) {}

void TComponentExplorerDialog::SetSettings(TCESettings* value) {
  fSettings->Assign(value);
}

bool TComponentExplorerDialog::ExecuteEx(TComponent* root, TMainEntries* entries,
                                         const TClassRecord* propEntryClass) {
  fRoot = root;
  fEntries = entries;
  fPropEntryClass = propEntryClass;
  TScopeExit forget([this] {
    fRoot = nullptr;
    fEntries = nullptr;
    fPropEntryClass = nullptr;
  });
  return Execute();
}

bool TComponentExplorerDialog::Execute() {
  TComponentPtr<TCEDialogForm> form = MakeComponent<TCEDialogForm>(nullptr);
  fForm = form.get();
  TScopeExit forget([this] { fForm = nullptr; });
  form->SetHelpContext(fHelpContext);
  form->HelpButton()->SetVisible(fHelpContext != 0);
  TComponentExplorer* explorer = form->Explorer();
  explorer->SetSettings(fSettings.get());
  explorer->AssignClassRefs(fPropEntryClass);
  explorer->Init(fRoot, fEntries);
  if (form->ShowModal() != mrOk) return false;
  fSettings->Assign(explorer->Settings());
  explorer->GetParam();
  return true;
}

}  // namespace dravik
