#pragma once
// The window in which the developer chooses the properties of a form's components: the
// available properties on the left, narrowed by a filter, the chosen ones on the right, and
// buttons that move single properties, whole components or everything between the two.

#include <memory>
#include <string>

#include "model/ComponentExplorer.h"
#include "widgets/SuperForm.h"

namespace dravik {

class TButton;
class TCheckBox;
class TComponentExplorer;
class TEdit;
class TPanel;
class TRadioButton;
class TTimer;
class TTreeNode;
class TTreeView;

class TComponentExplorerForm : public TSuperForm {
 public:
  explicit TComponentExplorerForm(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // The class of every property entry the window makes; null for TPropertyEntry.
  void AssignClassRefs(const TClassRecord* propEntryClass);
  // Shows what root offers and, when given, the selection held in entries.
  void Init(TComponent* root, TMainEntries* entries);
  // Writes the selection into the entries Init was given.
  void GetParam();
  bool IsPropVisible(const std::string& name, const std::string& typeName, TObject* object,
                     const TPropInfo* prop);
  bool IsPropVisibleEx(TObject* object, const TPropertyEntry& entry);
  TCESettings* Settings() const { return fSettings.get(); }
  void SetSettings(const TCESettings* settings) { fSettings->Assign(settings); }

  // The control that embeds the window; its settings then act on the window at once.
  void SetHost(TComponentExplorer* host) { fHost = host; }
  // Sets the controls from the settings without showing the trees anew.
  void ApplySettings();

  void RefreshTreeSource();
  void RefreshTreeDest();
  void RefreshTreeViews();

  TMainEntries* SourceEntries() const { return fSourceEntries.get(); }
  TMainEntries* DestEntries() const { return fDestEntries.get(); }
  TTreeView* TreeSource() const { return fTreeSource; }
  TTreeView* TreeDest() const { return fTreeDest; }
  TEdit* EditFilter() const { return fEditFilter; }
  TTimer* TimerRefresh() const { return fTimerRefresh; }
  // The filter box of element, in TPropFilterEnum order.
  TCheckBox* FilterBox(TPropFilterEnum element) const { return fFilterBoxes[element]; }

  // Handlers of the controls, named in the form file.
  void FilterClick(TObject* sender);
  void EditFilterChange(TObject* sender);
  void EditFilterExit(TObject* sender);
  void EditFilterKeyPress(TObject* sender, char& key);
  void TimerRefreshTimer(TObject* sender);
  void SortClick(TObject* sender);
  void TreeChange(TObject* sender);
  void TreeCollapsing(TObject* sender, TTreeNode* node, bool& allowCollapse);
  void TreeSourceDblClick(TObject* sender);
  void AddClick(TObject* sender);
  void RemoveClick(TObject* sender);
  void AddAllClick(TObject* sender);
  void RemoveAllClick(TObject* sender);
  void ExpandSourceClick(TObject* sender);
  void ExpandDestClick(TObject* sender);

 protected:
  void AfterConstruction() override;

 private:
  void SettingsChanged(bool offersOnly);
  void PanelChanged(int panel, bool visible);
  void SettingsToControls();
  void UpdateFilterBoxes();
  void UpdateButtons();
  void UpdateMoveAllButtons();
  void UpdateValueLines();
  void NewEntries();
  void ShowEntries(TMainEntries& entries, TTreeView* view);
  void MoveNode(TTreeNode* node, TTreeView* origin, TTreeView* target, TMainEntries& entries);
  void MoveComponentNode(TTreeNode* node, TTreeView* origin, TTreeView* target,
                         TMainEntries& entries);
  void MovePropertyNode(TTreeNode* node, TTreeView* origin, TTreeView* target,
                        TMainEntries& entries);
  // Whether a property entry may enter entries: always the selection, the offers by the filter.
  bool Admits(const TMainEntries& entries, TPropertyEntry& entry);
  TTreeNode* TargetRoot(TTreeView* target);
  std::string Description(const TMainEntry& entry) const;
  void RebuildOffers();

  const TClassRecord* fPropEntryClass;
  TComponent* fRoot = nullptr;
  TMainEntries* fEntries = nullptr;  // the caller's, not owned
  std::unique_ptr<TCESettings> fSettings;
  TPropVisibility fVisibility;
  std::unique_ptr<TMainEntries> fSourceEntries, fDestEntries;
  TComponentExplorer* fHost = nullptr;
  int fUpdateLock = 0;         // the window sets its own controls
  int fMoveAllButtonLock = 0;  // the left tree is being rebuilt before the right one

  TTreeView* fTreeSource = nullptr;
  TTreeView* fTreeDest = nullptr;
  TEdit* fEditSourceValue = nullptr;
  TEdit* fEditDestValue = nullptr;
  TEdit* fEditFilter = nullptr;
  TCheckBox* fFilterBoxes[7] = {};
  TRadioButton* fRadioCompName = nullptr;
  TRadioButton* fRadioCompType = nullptr;
  TButton* fButtonAdd = nullptr;
  TButton* fButtonRemove = nullptr;
  TButton* fButtonAddAll = nullptr;
  TButton* fButtonRemoveAll = nullptr;
  TPanel* fPanelFilter = nullptr;
  TPanel* fPanelSort = nullptr;
  TTimer* fTimerRefresh = nullptr;
};

}  // namespace dravik
