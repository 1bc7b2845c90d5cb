#pragma once
// The expert that makes forms and plain units multilingual from the environment's main menu:
// "Multilingual Form" puts a TDravik on the open form and opens the language editor on it,
// "Multilingual Unit" gives a unit without a form a language file and the lines that load it,
// "Multilingual Form/Unit" picks one of the two for the current module, and the overview shows
// the language frames.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/classes/Object.h"
#include "platform/ide/Expert.h"
#include "platform/ide/ToolServices.h"

namespace dravik {

// An expert that keeps track of the menu items it adds, and removes them when it goes. It is an
// object too, so that the package's text module can call it back.
class TCustomExpert : public TObject, public TIExpert {
 public:
  TCustomExpert() = default;
  ~TCustomExpert() override;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  std::string GetName() override;
  std::string GetAuthor() override;
  std::string GetComment() override;
  std::string GetPage() override;
  std::string GetGlyph() override;
  TExpertStyle GetStyle() override;
  TExpertState GetState() override;
  std::string GetIDString() override;
  std::string GetMenuText() override;
  void Execute() override;

  // Adds an item to the top-level menu menuIndex at itemIndex (both negative: counted from the
  // end, -1 appends) and answers its new name; empty without the environment's menu.
  std::string AddMenuItem(int menuIndex, int itemIndex, std::function<void()> onClick, int flags,
                          const std::string& shortCut, const std::string& caption);
  TIdeMenuItem* GetMenuItem(const std::string& name);
  void DelMenuItem(const std::string& name);
  void ClearMenuItems();
  const std::vector<std::string>& MenuNames() const { return fMenuNames; }

  void ExecuteHandler() { Execute(); }

 private:
  std::vector<std::string> fMenuNames;
};

// The class name without its leading T.
std::string GetClassDesc(const std::string& className);

class TDravikExpert : public TCustomExpert {
 public:
  TDravikExpert();
  ~TDravikExpert() override;

  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  std::string GetName() override { return "Dravik"; }
  std::string GetGlyph() override;
  TExpertStyle GetStyle() override { return esForm; }

  // The items' captions in the package's language.
  void LangChange();
  void ModuleChange(TObject* sender);

  // The current unit's file name and its module; false (told to the user) without them.
  bool GetModuleInterface(std::string& fileName, std::unique_ptr<TIModuleInterface>& module);
  void ExecuteForm();
  void ExecuteUnit();
  void ExecuteAuto();
  void ExecuteReport();

  std::string FormItemName, UnitItemName, AutoItemName, ReportItemName;
};

}  // namespace dravik
