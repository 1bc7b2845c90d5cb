#include "widgets/ComponentExplorerForm.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "library/ComponentTools.h"
#include "platform/core/classes/ScopeExit.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/classes/UpdateScope.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiApplication.h"
#include "widgets/ComponentExplorer.h"

namespace dravik {

namespace {

// The hour-glass while a tree is built from a large form.
auto BusyCursor() {
  const TCursor old = ScreenCursor();
  SetScreenCursor(crHourGlass);
  return TScopeExit([old] { SetScreenCursor(old); });
}

auto Lock(int& counter) {
  ++counter;
  return TScopeExit([&counter] { --counter; });
}

using TLabelledEntries = std::vector<std::pair<std::string, TPropertyEntry*>>;

// Every property entry of entry and the entries beneath it, labelled with its path.
TLabelledEntries PropertiesOf(TMainEntry& entry) {
  TStringList list;
  entry.MoveSubItemsToStrings(false, list);
  TLabelledEntries result;
  for (int i = 0; i < list.Count(); ++i)
    result.emplace_back(list.Strings(i), static_cast<TPropertyEntry*>(list.Objects(i)));
  return result;
}

void SortByLabel(TLabelledEntries& entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const auto& a, const auto& b) { return CompareText(a.first, b.first) < 0; });
}

void AddPropertyNodes(TTreeView* view, TTreeNode* parent, const TLabelledEntries& entries) {
  for (const auto& [label, entry] : entries) view->AddChild(parent, label)->SetData(entry);
}

// The component node of target whose entry stands for the same object as entry.
TTreeNode* MatchingNode(TTreeNode* targetRoot, const TMainEntry& entry) {
  for (int i = 0; i < targetRoot->Count(); ++i)
    if (auto* other = dynamic_cast<TMainEntry*>(targetRoot->Item(i)->Data());
        other && other->Compare(entry))
      return targetRoot->Item(i);
  return nullptr;
}

}  // namespace

const TClassRecord& TComponentExplorerForm::StaticClass() {
  using T = TComponentExplorerForm;
  static const TClassRecord& record =
      TClassBuilder<T, TSuperForm>("TComponentExplorerForm", "ComponentExplorer")
          .Method<&T::FilterClick>("FilterClick")
          .Method<&T::EditFilterChange>("EditFilterChange")
          .Method<&T::EditFilterExit>("EditFilterExit")
          .Method<&T::EditFilterKeyPress>("EditFilterKeyPress")
          .Method<&T::TimerRefreshTimer>("TimerRefreshTimer")
          .Method<&T::SortClick>("SortClick")
          .Method<&T::TreeChange>("TreeChange")
          .Method<&T::TreeCollapsing>("TreeCollapsing")
          .Method<&T::TreeSourceDblClick>("TreeSourceDblClick")
          .Method<&T::AddClick>("AddClick")
          .Method<&T::RemoveClick>("RemoveClick")
          .Method<&T::AddAllClick>("AddAllClick")
          .Method<&T::RemoveAllClick>("RemoveAllClick")
          .Method<&T::ExpandSourceClick>("ExpandSourceClick")
          .Method<&T::ExpandDestClick>("ExpandDestClick")
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TComponentExplorerForm::StaticClass());

TComponentExplorerForm::TComponentExplorerForm(TComponent* owner)
    : TSuperForm(owner),
      fPropEntryClass(&TPropertyEntry::StaticClass()),
      fSettings(std::make_unique<TCESettings>()),
      fVisibility(*fSettings) {
  NewEntries();
  fSettings->OnChanged = [this](bool offersOnly) { SettingsChanged(offersOnly); };
  fSettings->OnPanelChanged = [this](int panel, bool visible) { PanelChanged(panel, visible); };
}

void TComponentExplorerForm::AfterConstruction() {
  TSuperForm::AfterConstruction();
  fTreeSource = FindOwned<TTreeView>(this, "TreeSource");
  fTreeDest = FindOwned<TTreeView>(this, "TreeDest");
  fEditSourceValue = FindOwned<TEdit>(this, "EditSourceValue");
  fEditDestValue = FindOwned<TEdit>(this, "EditDestValue");
  fEditFilter = FindOwned<TEdit>(this, "EditFilter");
  const char* boxes[] = {"CheckCaption", "CheckHint", "CheckStrings", "CheckText",
                         "CheckUser",    "CheckAll",  "CheckAssigned"};
  for (int i = 0; i < 7; ++i) fFilterBoxes[i] = FindOwned<TCheckBox>(this, boxes[i]);
  fRadioCompName = FindOwned<TRadioButton>(this, "RadioCompName");
  fRadioCompType = FindOwned<TRadioButton>(this, "RadioCompType");
  fButtonAdd = FindOwned<TButton>(this, "ButtonAdd");
  fButtonRemove = FindOwned<TButton>(this, "ButtonRemove");
  fButtonAddAll = FindOwned<TButton>(this, "ButtonAddAll");
  fButtonRemoveAll = FindOwned<TButton>(this, "ButtonRemoveAll");
  fPanelFilter = FindOwned<TPanel>(this, "PanelFilter");
  fPanelSort = FindOwned<TPanel>(this, "PanelSort");
  fTimerRefresh = FindOwned<TTimer>(this, "TimerRefresh");
  ApplySettings();
}

void TComponentExplorerForm::AssignClassRefs(const TClassRecord* propEntryClass) {
  fPropEntryClass = propEntryClass ? propEntryClass : &TPropertyEntry::StaticClass();
}

void TComponentExplorerForm::NewEntries() {
  if (fTreeSource) fTreeSource->Clear();
  if (fTreeDest) fTreeDest->Clear();
  fSourceEntries = std::make_unique<TMainEntries>(nullptr, fPropEntryClass);
  fDestEntries = std::make_unique<TMainEntries>(nullptr, fPropEntryClass);
}

void TComponentExplorerForm::Init(TComponent* root, TMainEntries* entries) {
  auto busy = BusyCursor();
  NewEntries();
  fRoot = root;
  ApplySettings();
  if (entries) {
    fEntries = entries;
    fDestEntries->Assign(entries);
    fDestEntries->RefreshProps();
    fDestEntries->ValidateAndPack();
  }
  RefreshTreeViews();
}

void TComponentExplorerForm::GetParam() {
  if (!fEntries) return;
  fEntries->Assign(fDestEntries.get());
  fEntries->ValidateAndPack();
}

bool TComponentExplorerForm::IsPropVisible(const std::string& name, const std::string& typeName,
                                           TObject* object, const TPropInfo* prop) {
  return fVisibility.IsPropVisible(name, typeName, object, prop);
}

bool TComponentExplorerForm::IsPropVisibleEx(TObject* object, const TPropertyEntry& entry) {
  return fVisibility.IsPropVisibleEx(object, entry);
}

// --- Settings ----------------------------------------------------------------------------------

// Changes made through the host's settings act at once; the window's own changes it makes
// itself (under the update lock).
void TComponentExplorerForm::SettingsChanged(bool offersOnly) {
  if (!fHost || fHost->IsLoading() || fUpdateLock > 0) return;
  ApplySettings();
  if (!fHost->Initialized()) return;
  if (offersOnly) {
    RefreshTreeSource();
  } else {
    RefreshTreeViews();
  }
}

void TComponentExplorerForm::PanelChanged(int panel, bool visible) {
  if (!fTreeSource) return;
  switch (panel) {
    case 0:
      fEditSourceValue->SetVisible(visible);
      fEditDestValue->SetVisible(visible);
      break;
    case 1:
      fPanelFilter->SetVisible(visible);
      break;
    case 2:
      fPanelSort->SetVisible(visible);
      break;
    default:
      CaseError();
  }
}

void TComponentExplorerForm::ApplySettings() {
  SettingsToControls();
  UpdateFilterBoxes();
}

void TComponentExplorerForm::SettingsToControls() {
  auto lock = Lock(fUpdateLock);
  const TPropFilter filter = fSettings->PropFilter();
  for (int i = 0; i < 7; ++i)
    fFilterBoxes[i]->SetChecked(filter.Contains(static_cast<TPropFilterEnum>(i)));
  fEditFilter->SetText(fSettings->PropFilterText());
  fEditFilter->SetModified(false);
  fRadioCompName->SetChecked(fSettings->SortByCompName());
  fRadioCompType->SetChecked(!fSettings->SortByCompName());
  for (int panel = 0; panel < 3; ++panel) PanelChanged(panel, fSettings->GetVisible(panel));
}

void TComponentExplorerForm::UpdateFilterBoxes() {
  const bool enabled = !fFilterBoxes[pfAll]->Checked();
  for (TPropFilterEnum element : {pfCaption, pfHint, pfStrings, pfText, pfUser})
    fFilterBoxes[element]->SetEnabled(enabled);
  fEditFilter->SetEnabled(enabled);
}

// --- Trees -------------------------------------------------------------------------------------

void TComponentExplorerForm::RefreshTreeSource() {
  if (fUpdateLock > 0 || !fRoot) return;
  fTreeSource->Clear();
  fSourceEntries->Clear();
  AddRootToMainEntries(fRoot, *fSourceEntries, *fSettings, fVisibility.AsFilter());
  fSourceEntries->RemoveEqualPropertyEntries(*fDestEntries);
  fSourceEntries->ValidateAndPack();
  ShowEntries(*fSourceEntries, fTreeSource);
}

void TComponentExplorerForm::RefreshTreeDest() {
  ShowEntries(*fDestEntries, fTreeDest);
}

void TComponentExplorerForm::RefreshTreeViews() {
  {
    auto lock = Lock(fMoveAllButtonLock);
    RefreshTreeSource();
  }
  RefreshTreeDest();
}

std::string TComponentExplorerForm::Description(const TMainEntry& entry) const {
  return fSettings->SortByCompName() ? entry.Name + ": " + entry.TypeName
                                     : entry.TypeName + ", " + entry.Name;
}

void TComponentExplorerForm::ShowEntries(TMainEntries& entries, TTreeView* view) {
  TTreeNode* rootNode = nullptr;
  {
    TUpdateScope update(*view);
    view->Clear();
    if (entries.Count() > 0) {
      rootNode = view->AddChild(nullptr, fRoot ? fRoot->Name() : std::string());
      std::vector<std::pair<std::string, TMainEntry*>> components;
      for (int i = 0; i < entries.Count(); ++i)
        components.emplace_back(Description(*entries.Items(i)), entries.Items(i));
      std::stable_sort(components.begin(), components.end(), [](const auto& a, const auto& b) {
        return CompareText(a.first, b.first) < 0;
      });
      for (const auto& [description, entry] : components) {
        TTreeNode* node = view->AddChild(rootNode, description);
        node->SetData(entry);
        TLabelledEntries properties = PropertiesOf(*entry);
        SortByLabel(properties);
        AddPropertyNodes(view, node, properties);
      }
    }
  }
  if (rootNode) {
    view->SetSelected(rootNode);
    rootNode->SetExpanded(true);
  }
  UpdateButtons();
}

// --- Moving ------------------------------------------------------------------------------------

bool TComponentExplorerForm::Admits(const TMainEntries& entries, TPropertyEntry& entry) {
  if (&entries != fSourceEntries.get()) return true;
  TMainEntry* parent = entry.ParentEntry();
  return IsPropVisibleEx(parent ? parent->Object() : nullptr, entry);
}

TTreeNode* TComponentExplorerForm::TargetRoot(TTreeView* target) {
  if (target->TopCount() > 0) return target->TopItem(0);
  return target->AddChild(nullptr, fRoot ? fRoot->Name() : std::string());
}

void TComponentExplorerForm::MoveNode(TTreeNode* node, TTreeView* origin, TTreeView* target,
                                      TMainEntries& entries) {
  if (!node) return;
  if (!node->Parent()) {
    TUpdateScope originUpdate(*origin);
    TUpdateScope targetUpdate(*target);
    while (node->Count() > 0) MoveComponentNode(node->Item(0), origin, target, entries);
  } else if (dynamic_cast<TMainEntry*>(node->Data())) {
    MoveComponentNode(node, origin, target, entries);
  } else if (dynamic_cast<TPropertyEntry*>(node->Data())) {
    MovePropertyNode(node, origin, target, entries);
  }
  if (target->TopCount() > 0) target->TopItem(0)->SetExpanded(true);
  UpdateButtons();
}

void TComponentExplorerForm::MoveComponentNode(TTreeNode* node, TTreeView* origin,
                                               TTreeView* target, TMainEntries& entries) {
  auto* entry = static_cast<TMainEntry*>(node->Data());
  TTreeNode* targetRoot = TargetRoot(target);
  if (TTreeNode* match = MatchingNode(targetRoot, *entry)) {
    for (int i = 0; i < node->Count(); ++i) {
      auto* property = static_cast<TPropertyEntry*>(node->Item(i)->Data());
      if (!Admits(entries, *property)) continue;
      if (auto* copy = static_cast<TPropertyEntry*>(property->CopyItem(&entries)))
        target->AddChild(match, node->Item(i)->Text())->SetData(copy);
    }
    match->AlphaSort();
  } else {
    auto* copy = static_cast<TMainEntry*>(entry->CopyItem(&entries, true));
    TLabelledEntries properties;
    for (auto& labelled : PropertiesOf(*copy)) {
      if (Admits(entries, *labelled.second)) {
        properties.push_back(labelled);
      } else {
        labelled.second->Free();
      }
    }
    if (properties.empty()) {
      copy->Free();
    } else {
      SortByLabel(properties);
      TTreeNode* componentNode = target->AddChild(targetRoot, Description(*copy));
      componentNode->SetData(copy);
      AddPropertyNodes(target, componentNode, properties);
      targetRoot->AlphaSort();
    }
  }
  origin->Delete(node);
  entry->Free();
}

void TComponentExplorerForm::MovePropertyNode(TTreeNode* node, TTreeView* origin, TTreeView* target,
                                              TMainEntries& entries) {
  auto* property = static_cast<TPropertyEntry*>(node->Data());
  TTreeNode* componentNode = node->Parent();
  auto* component = static_cast<TMainEntry*>(componentNode->Data());
  if (Admits(entries, *property)) {
    if (auto* copy = static_cast<TPropertyEntry*>(property->CopyItem(&entries))) {
      TTreeNode* targetRoot = TargetRoot(target);
      TTreeNode* match = MatchingNode(targetRoot, *component);
      if (!match) {
        TMainEntry* top = entries.FindItem(*component);
        match = target->AddChild(targetRoot, Description(*top));
        match->SetData(top);
        targetRoot->AlphaSort();
      }
      target->AddChild(match, node->Text())->SetData(copy);
      match->AlphaSort();
    }
  }
  origin->Delete(node);
  property->Free();
  if (componentNode->Count() == 0) {
    origin->Delete(componentNode);
    component->Free();
  }
}

// --- Buttons and value lines -------------------------------------------------------------------

void TComponentExplorerForm::UpdateButtons() {
  TTreeNode* source = fTreeSource->Selected();
  TTreeNode* dest = fTreeDest->Selected();
  fButtonAdd->SetEnabled(source && source->Data());
  fButtonRemove->SetEnabled(dest && dest->Data());
  if (fMoveAllButtonLock == 0) UpdateMoveAllButtons();
  UpdateValueLines();
}

void TComponentExplorerForm::UpdateMoveAllButtons() {
  auto hasComponents = [](const TTreeView* view) {
    return view->TopCount() > 0 && view->TopItem(0)->Count() > 0;
  };
  fButtonAddAll->SetEnabled(hasComponents(fTreeSource));
  fButtonRemoveAll->SetEnabled(hasComponents(fTreeDest));
}

void TComponentExplorerForm::UpdateValueLines() {
  auto describe = [](const TTreeView* view) -> std::string {
    const TTreeNode* node = view->Selected();
    if (!node) return {};
    auto* property = dynamic_cast<TPropertyEntry*>(node->Data());
    if (!property) return node->Text();
    const Variant value = property->GetValue();
    return property->Name + " = " + (value.IsNull() ? std::string() : value.AsString());
  };
  fEditSourceValue->SetText(describe(fTreeSource));
  fEditDestValue->SetText(describe(fTreeDest));
}

// --- Handlers ----------------------------------------------------------------------------------

void TComponentExplorerForm::TreeChange(TObject*) {
  for (TTreeView* view : {fTreeSource, fTreeDest})
    if (view->TopCount() > 0) view->TopItem(0)->SetExpanded(true);
  UpdateButtons();
}

void TComponentExplorerForm::TreeCollapsing(TObject*, TTreeNode* node, bool& allowCollapse) {
  allowCollapse = node->Data() != nullptr;
}

void TComponentExplorerForm::TreeSourceDblClick(TObject*) {
  TTreeNode* node = fTreeSource->Selected();
  if (node && dynamic_cast<TPropertyEntry*>(node->Data())) AddClick(this);
}

void TComponentExplorerForm::AddClick(TObject*) {
  MoveNode(fTreeSource->Selected(), fTreeSource, fTreeDest, *fDestEntries);
}

void TComponentExplorerForm::RemoveClick(TObject*) {
  MoveNode(fTreeDest->Selected(), fTreeDest, fTreeSource, *fSourceEntries);
}

void TComponentExplorerForm::AddAllClick(TObject*) {
  if (fTreeSource->TopCount() > 0)
    MoveNode(fTreeSource->TopItem(0), fTreeSource, fTreeDest, *fDestEntries);
}

void TComponentExplorerForm::RemoveAllClick(TObject*) {
  if (fTreeDest->TopCount() > 0)
    MoveNode(fTreeDest->TopItem(0), fTreeDest, fTreeSource, *fSourceEntries);
}

void TComponentExplorerForm::ExpandSourceClick(TObject*) {
  if (fTreeSource->TopCount() > 0) fTreeSource->TopItem(0)->Expand(true);
}

void TComponentExplorerForm::ExpandDestClick(TObject*) {
  if (fTreeDest->TopCount() > 0) fTreeDest->TopItem(0)->Expand(true);
}

void TComponentExplorerForm::FilterClick(TObject* sender) {
  if (fUpdateLock > 0) return;
  auto* box = static_cast<TCheckBox*>(sender);
  const auto element = static_cast<TPropFilterEnum>(box->Tag());
  if (element == pfAll) UpdateFilterBoxes();
  TPropFilter filter = fSettings->PropFilter();
  if (box->Checked()) {
    filter.Include(element);
  } else {
    filter.Exclude(element);
  }
  {
    auto lock = Lock(fUpdateLock);
    fSettings->SetPropFilter(filter);
  }
  RebuildOffers();
}

void TComponentExplorerForm::RebuildOffers() {
  fEditFilter->SetModified(false);
  RefreshTreeSource();
}

void TComponentExplorerForm::EditFilterChange(TObject*) {
  if (fUpdateLock > 0) return;
  {
    auto lock = Lock(fUpdateLock);
    fSettings->SetPropFilterText(fEditFilter->Text());
  }
  if (fFilterBoxes[pfUser]->Checked()) {
    // Restarts the wait: the tree is rebuilt once the user pauses.
    fTimerRefresh->SetEnabled(false);
    fTimerRefresh->SetEnabled(true);
  }
}

void TComponentExplorerForm::TimerRefreshTimer(TObject*) {
  fTimerRefresh->SetEnabled(false);
  if (fEditFilter->Modified()) RebuildOffers();
}

void TComponentExplorerForm::EditFilterExit(TObject*) {
  fTimerRefresh->SetEnabled(false);
  if (fEditFilter->Modified() && fFilterBoxes[pfUser]->Checked()) RebuildOffers();
}

// Enter applies the user's list at once: the box is checked without its own rebuild.
void TComponentExplorerForm::EditFilterKeyPress(TObject*, char& key) {
  if (key != '\r') return;
  key = 0;
  fTimerRefresh->SetEnabled(false);
  const bool wasChecked = fFilterBoxes[pfUser]->Checked();
  {
    auto lock = Lock(fUpdateLock);
    fFilterBoxes[pfUser]->SetChecked(true);
    TPropFilter filter = fSettings->PropFilter();
    filter.Include(pfUser);
    fSettings->SetPropFilter(filter);
  }
  if (fEditFilter->Modified() || !wasChecked) RebuildOffers();
}

void TComponentExplorerForm::SortClick(TObject* sender) {
  auto* radio = static_cast<TRadioButton*>(sender);
  if (fUpdateLock > 0 || !radio->Checked()) return;
  const bool byName = radio == fRadioCompName;
  {
    auto lock = Lock(fUpdateLock);
    (byName ? fRadioCompType : fRadioCompName)->SetChecked(false);
    fSettings->SetSortByCompName(byName);
  }
  RefreshTreeViews();
}

}  // namespace dravik
