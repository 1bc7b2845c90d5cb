#pragma once
// The studio's window: the project tree of a folder, the palette, the form view with its
// component tree, the object inspector, the source pane of the unit and the messages. It owns
// the development-environment host, so packages register into it and experts reach it.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "apps/studio/StudioRules.h"
#include "platform/ide/ProjectHost.h"
#include "platform/ui/Forms.h"

namespace dravik {

class TComboBox;
class TDravik;
class TFormView;
class TListView;
class TMemo;
class TMenuItem;
class TTreeView;

class TStudioForm : public TForm {
 public:
  explicit TStudioForm(TComponent* owner);
  ~TStudioForm() override;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TProjectHost& Host() { return *fHost; }
  TDravik* Dravik() const;

  // Loads each package; a failure is one line on standard error and in the messages. Answers
  // the packages that loaded.
  std::vector<std::string> LoadPackages(const std::vector<std::string>& files);
  void AddMessage(const std::string& line);

  void OpenFolder(const std::string& folder);
  // Shows the module's form (a form that cannot be read is reported) and its unit.
  void SelectModule(int module);
  int CurrentModule() const { return fHost->CurrentModule(); }
  TComponent* CurrentForm() const { return fForm; }

  void SelectComponent(TComponent* component);
  TComponent* Selected() const { return fSelected; }
  const std::vector<TInspectorRow>& InspectorRows() const { return fRows; }
  // Picks a property row; the value box then offers its values.
  void SelectProperty(const std::string& name);
  // Sets the selected property as the value box would; false when it was refused (shown).
  bool SetPropertyValue(const std::string& text);
  // The "..." button of the selected property.
  void PropertyDialog();

  // The component editor of the selected component: its verbs, a chosen one, a double click.
  std::vector<std::string> Verbs();
  void ExecuteVerb(int index);
  // The verbs as the context menu at the screen position.
  void PopupVerbs(int32_t x, int32_t y);
  void EditSelected();

  void SelectPalettePage(const std::string& page);
  // Adds a component of the palette's class to the current form and selects it.
  TComponent* AddComponent(const std::string& className);
  void DeleteSelected();

  // Writes every changed form and unit; false when one could not be written (shown).
  bool SaveAll();

  TFormView* View() const { return fView; }
  TMemo* SourcePane() const;
  TMemo* Messages() const;
  TComboBox* ValueBox() const;
  TComboBox* ClassBox() const;
  TMenuItem* ToolsMenu() const;
  TTreeView* ProjectTree() const;
  TTreeView* ComponentTree() const;

  void ProjectTreeChange(TObject* sender);
  void ComponentTreeChange(TObject* sender);
  void InspectorChange(TObject* sender);
  void ValueBoxChange(TObject* sender);
  void ValueBoxKeyDown(TObject* sender, uint16_t& key, TShiftState shift);
  void DialogClick(TObject* sender);
  void PageBoxChange(TObject* sender);
  void AddClick(TObject* sender);
  void DeleteClick(TObject* sender);
  void OpenClick(TObject* sender);
  void SaveClick(TObject* sender);
  void ExitClick(TObject* sender);
  void EnglishClick(TObject* sender);
  void GermanClick(TObject* sender);
  void VerbClick(TObject* sender);
  void ToolClick(TObject* sender);
  void StudioCloseQuery(TObject* sender, bool& canClose);
  void LanguageChanged(TObject* sender);

 protected:
  void AfterConstruction() override;
  void BeforeDestruction() override;

 private:
  class TDesigner;

  TListView* Inspector() const;
  TComboBox* PageBox() const;
  // Adds a component of the palette's class at the position, in its own size or the one given.
  TComponent* DropComponent(const std::string& className, int32_t left, int32_t top,
                            std::optional<std::pair<int32_t, int32_t>> size);
  void FillModules();
  void FillComponents();
  void FillInspector();
  void ShowSource();
  void SourceEdited();
  void BufferChanged(int module);
  void MenuChanged();
  void FormChanged();
  void ShowCaption();
  // Asks whether to save unsaved changes; false when the developer cancels or saving failed.
  bool ChangesDealtWith();
  void Report(const std::exception& e);

  std::unique_ptr<TProjectHost> fHost;
  std::unique_ptr<TDesigner> fDesigner;
  TFormView* fView = nullptr;
  TComponent* fForm = nullptr;
  TComponent* fSelected = nullptr;
  std::vector<TInspectorRow> fRows;
  int fRow = -1;
  bool fFilling = false;  // the window fills its controls: their events are not the user's
  std::vector<TMenuItem*> fToolItems;
  std::map<const TObject*, int> fVerbOf;
};

}  // namespace dravik
