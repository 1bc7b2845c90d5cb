#include "editor/ButtonPanelReg.h"

#include <array>
#include <vector>

#include "editor/PackageUnits.h"
#include "platform/core/classes/ScopeExit.h"
#include "platform/ide/Registration.h"
#include "platform/ui/Forms.h"
#include "widgets/ButtonPanel.h"

namespace dravik {

namespace {

// A command button of a dialog: its kind's caption, what it answers, and its key.
struct TCommand {
  const char* Verb;
  TBitBtnKind Kind;
  const char* Caption;
  TModalResult Result;
  bool Default;
  bool Cancel;
};

const TCommand kOk{"OK", bkOK, "&OK", mrOk, true, false};
const TCommand kCancel{"Cancel", bkCancel, "&Cancel", mrCancel, false, true};
const TCommand kHelp{"Help", bkHelp, "&Help", mrNone, false, false};
const TCommand kYes{"Yes", bkYes, "&Yes", mrYes, true, false};
const TCommand kNo{"No", bkNo, "&No", mrNo, false, false};

struct TButtonSet {
  const char* Verb;
  std::vector<const TCommand*> Commands;
};

const std::array<TButtonSet, 5> kSets = {{{"OK", {&kOk}},
                                          {"OK, Cancel", {&kOk, &kCancel}},
                                          {"OK, Cancel, Help", {&kOk, &kCancel, &kHelp}},
                                          {"Yes, No", {&kYes, &kNo}},
                                          {"Yes, No, Cancel", {&kYes, &kNo, &kCancel}}}};

struct TButtonSize {
  const char* Verb;
  int32_t DimX, DimY, Dist, Height;
};

const std::array<TButtonSize, 2> kSizes = {
    {{"Large Buttons", 128, 32, 8, 40}, {"Small Buttons", 96, 28, 6, 32}}};

const std::array<const TCommand*, 5> kButtonCommands = {&kOk, &kCancel, &kHelp, &kYes, &kNo};

void ReplaceButtons(TButtonPanel& panel, const TButtonSet& set) {
  panel.BeginUpdateButtons();
  TScopeExit done([&] { panel.EndUpdateButtons(); });
  panel.Buttons()->Clear();
  for (const TCommand* command : set.Commands) {
    TButtonItem* item = panel.Add();
    item->SetKind(command->Kind);
    item->SetModalResult(command->Result);
    item->SetDefault(command->Default);
    item->SetCancel(command->Cancel);
  }
}

void Resize(TButtonPanel& panel, const TButtonSize& size) {
  panel.BeginUpdateButtons();
  TScopeExit done([&] { panel.EndUpdateButtons(); });
  panel.SetButtonDimX(size.DimX);
  panel.SetButtonDimY(size.DimY);
  panel.SetButtonDist(size.Dist);
  panel.SetBounds(panel.Left(), panel.Top(), size.DimX + size.Dist, size.Height);
}

}  // namespace

int TButtonPanelEditor::GetVerbCount() {
  return static_cast<int>(kSets.size() + kSizes.size());
}

std::string TButtonPanelEditor::GetVerb(int index) {
  const int sets = static_cast<int>(kSets.size());
  if (index >= 0 && index < sets) return kSets[index].Verb;
  if (index >= sets && index < GetVerbCount()) return kSizes[index - sets].Verb;
  return {};
}

void TButtonPanelEditor::ExecuteVerb(int index) {
  auto* panel = dynamic_cast<TButtonPanel*>(&Component());
  const int sets = static_cast<int>(kSets.size());
  if (!panel || index < 0 || index >= GetVerbCount()) return;
  if (index < sets)
    ReplaceButtons(*panel, kSets[index]);
  else
    Resize(*panel, kSizes[index - sets]);
  Modified();
}

int TButtonEditor::GetVerbCount() {
  return static_cast<int>(kButtonCommands.size());
}

std::string TButtonEditor::GetVerb(int index) {
  if (index < 0 || index >= GetVerbCount()) return {};
  return kButtonCommands[index]->Verb;
}

void TButtonEditor::ExecuteVerb(int index) {
  auto* button = dynamic_cast<TButton*>(&Component());
  if (!button || index < 0 || index >= GetVerbCount()) return;
  const TCommand& command = *kButtonCommands[index];
  button->SetCaption(command.Caption);
  button->SetModalResult(command.Result);
  button->SetDefault(command.Default);
  button->SetCancel(command.Cancel);
  Modified();
}

void RegisterButtonPanelUnit() {
  RegisterComponents("Quelt", {&TButtonPanel::StaticClass()});
  RegisterComponentEditor(TButtonPanel::StaticClass(),
                          ComponentEditorFactory<TButtonPanelEditor>());
  RegisterComponentEditor(TButton::StaticClass(), ComponentEditorFactory<TButtonEditor>());
}

}  // namespace dravik
