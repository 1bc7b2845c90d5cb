#include "editor/DravikView.h"

#include "platform/core/classes/Strings.h"
#include "platform/core/forms/Application.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/ComCtrls.h"
#include "runtime/Dravik.h"
#include "runtime/DravikOverview.h"
#include "runtime/DravikSystem.h"
#include "runtime/LanguageSwitch.h"
#include "widgets/ConfigFile.h"

namespace dravik {

namespace {

void AddFrames(TTreeView& tree, TTreeNode* parent, const std::vector<TOverviewFrame>& frames,
               const std::string& multilingualUnit) {
  for (const TOverviewFrame& frame : frames) {
    TTreeNode* node = tree.AddChild(parent, OverviewFrameText(frame));
    for (const TOverviewMember& member : frame.Members)
      tree.AddChild(node, OverviewMemberText(member, multilingualUnit));
  }
}

}  // namespace

const TClassRecord& TDravikViewForm::StaticClass() {
  using T = TDravikViewForm;
  static const TClassRecord& record = TClassBuilder<T, TSuperForm>("TDravikViewForm", "DravikView")
                                          .Method<&T::TreeCollapsing>("TreeCollapsing")
                                          .Build();
  return record;
}
static const TClassRegistration kRegistration(TDravikViewForm::StaticClass());

void TDravikViewForm::AfterConstruction() {
  TSuperForm::AfterConstruction();
  auto* dravik = FindOwned<TDravik>(this, "Dravik");
  std::string language;
  GetCurrentUserLanguage(language);
  TStringList languages;
  dravik->GetLanguages(languages);
  for (int i = 0; i < languages.Count(); ++i)
    if (CompareLanguages(languages.Strings(i), language)) dravik->SetLanguage(languages.Strings(i));
  FindOwned<TConfigFile>(this, "ConfigLang")->Load();
  FindOwned<TConfigFile>(this, "Config")->Load();

  auto* tree = FindOwned<TTreeView>(this, "Tree");
  const TFrameOverview overview = CurrentFrameOverview();
  const std::string unit = dravik->GetString("Multilingual unit");
  TTreeNode* root = tree->AddChild(nullptr, "Dravik");
  TTreeNode* unnamed = tree->AddChild(root, dravik->GetString("Unnamed frames"));
  AddFrames(*tree, unnamed, overview.Unnamed, unit);
  TTreeNode* named = tree->AddChild(root, dravik->GetString("Named frames"));
  AddFrames(*tree, named, overview.Named, unit);
  for (TTreeNode* node : {root, unnamed, named}) node->SetExpanded(true);
}

void TDravikViewForm::BeforeDestruction() {
  FindOwned<TConfigFile>(this, "Config")->Save();
  TSuperForm::BeforeDestruction();
}

void TDravikViewForm::TreeCollapsing(TObject*, TTreeNode* node, bool& allowCollapse) {
  if (!node->Parent()) allowCollapse = false;
}

void ShowDravikViewForm() {
  TComponentPtr<TDravikViewForm> form = MakeComponent<TDravikViewForm>(Application);
  form->ShowModal();
}

}  // namespace dravik
