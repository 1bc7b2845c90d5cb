#pragma once
// The environment's host on a project folder: its modules are the units (.pas) with the form
// files of the same name, and forms without a unit. Each unit has an editor buffer in memory,
// which the tool services read and replace and Save writes back; each form is read once, when
// first asked for, by the application's form reader, and written back in the kind it was read.
// While a host lives, registrations reach its registry, the tool services are its own and the
// program is designing.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ide/Registration.h"
#include "platform/ide/ToolServices.h"

namespace dravik {

class TComponent;

// A form file read into components by the application.
class THostedForm {
 public:
  virtual ~THostedForm() = default;
  virtual TComponent* Root() const = 0;
  // The file's new bytes, in the kind it was read, holding the form as it is now.
  virtual std::string FileBytes() const = 0;
};

using TFormReader = std::function<std::unique_ptr<THostedForm>(const std::string& fileName)>;

struct TProjectModule {
  std::string Name;      // the file name without folder and extension
  std::string UnitFile;  // empty for a form without a unit
  std::string FormFile;  // empty for a unit without a form
};

class TProjectHost : public TIToolServices, private TIMainMenu {
 public:
  // At most one host lives at a time.
  explicit TProjectHost(TFormReader formReader);
  ~TProjectHost() override;
  TProjectHost(const TProjectHost&) = delete;
  TProjectHost& operator=(const TProjectHost&) = delete;

  TDesignRegistry& Registry() { return fRegistry; }

  // Lists the folder's modules, sorted by name; forgets the ones open before.
  void OpenFolder(const std::string& folder);
  const std::string& Folder() const { return fFolder; }
  const std::vector<TProjectModule>& Modules() const { return fModules; }
  int IndexOfFile(const std::string& fileName) const;  // unit or form file, -1 when none

  // The unit's buffer: the file's bytes until edited.
  const std::string& UnitText(int module);
  // The pane changed the buffer.
  void SetUnitText(int module, std::string text);
  bool UnitModified(int module) const;

  // The module's form, read on first use; EReadError and the like when the file cannot be read
  // (the next call tries again). Null for a unit without a form.
  TComponent* Form(int module);
  void FormModified(int module);
  bool IsFormModified(int module) const;
  bool Modified() const;

  // Writes every changed unit and form, each atomically; answers one line per file that could
  // not be written (those stay changed).
  std::vector<std::string> Save();

  void SetCurrentModule(int module) { fCurrent = module; }
  int CurrentModule() const { return fCurrent; }

  // Called after a tool service replaced a unit's buffer, and when a menu item changed.
  std::function<void(int module)> OnBufferChanged;
  std::function<void(int module)> OnShowForm;
  std::function<void()> OnMenuChanged;
  // Drops a component on the module's form for a form interface; without it none is made.
  std::function<TComponent*(int module, const std::string& typeName, int left, int top, int width,
                            int height)>
      OnCreateComponent;

  // The main menu's top-level menus, as the window builds them.
  struct TTopMenu {
    std::string Caption;
    std::vector<TIdeMenuItem> Items;
  };
  void AddMenu(std::string caption) { fMenus.push_back({std::move(caption), {}}); }
  const std::vector<TTopMenu>& Menus() const { return fMenus; }

  // TIToolServices
  std::string GetProjectName() const override;
  std::string GetCurrentFile() const override;
  int GetUnitCount() const override;
  std::string GetUnitName(int index) const override;
  std::unique_ptr<TIModuleInterface> GetModuleInterface(const std::string& fileName) override;
  std::unique_ptr<TIModuleInterface> GetFormModuleInterface(const std::string& formName) override;
  TIMainMenu* GetMainMenu() override { return this; }

 private:
  struct TModuleState;
  class TModule;
  class TEditor;
  class TReader;
  class TWriter;
  class TForm;

  // TIMainMenu
  int MenuCount() const override { return static_cast<int>(fMenus.size()); }
  int ItemCount(int menuIndex) const override;
  bool InsertItem(int menuIndex, int itemIndex, TIdeMenuItem item) override;
  TIdeMenuItem* FindItem(const std::string& name) override;
  void SetItemCaption(const std::string& name, const std::string& caption) override;
  bool DeleteItem(const std::string& name) override;

  void ReplaceUnitText(int module, std::string text);

  TFormReader fFormReader;
  TDesignRegistry fRegistry;
  std::string fFolder;
  std::vector<TProjectModule> fModules;
  std::vector<TModuleState> fStates;
  std::vector<TTopMenu> fMenus;
  int fCurrent = -1;
};

}  // namespace dravik
