#pragma once
// The tool services: what an expert may ask of the environment. It adds items to the main
// menu, learns the current project and unit, and reaches a unit's module, whose editor
// interface reads and replaces the text the environment's editor holds (unsaved edits
// included) and whose form interface gives the designed form. Each interface obtained is
// released when its owner lets it go.

#include <functional>
#include <memory>
#include <string>

namespace dravik {

class TComponent;

// Reads the editor's text, in bytes of UTF-8, from a position on.
class TIEditReader {
 public:
  virtual ~TIEditReader() = default;
  // Copies up to count bytes from position into buffer; answers how many (0 at the end).
  virtual int GetText(int position, char* buffer, int count) = 0;
};

// Changes the editor's text front to back: CopyTo keeps the text up to a position, DeleteTo
// drops it, Insert adds text at the current position. The editor holds the result when the
// writer is released; what the writer did not reach stays as it was.
class TIEditWriter {
 public:
  virtual ~TIEditWriter() = default;
  virtual bool CopyTo(int position) = 0;
  virtual bool DeleteTo(int position) = 0;
  virtual bool Insert(const std::string& text) = 0;
  virtual int CurrentPos() const = 0;
};

class TIEditorInterface {
 public:
  virtual ~TIEditorInterface() = default;
  virtual std::string FileName() const = 0;
  virtual std::unique_ptr<TIEditReader> CreateReader() = 0;
  virtual std::unique_ptr<TIEditWriter> CreateWriter() = 0;
};

class TIFormInterface {
 public:
  virtual ~TIFormInterface() = default;
  // The designed form; null when it cannot be had.
  virtual TComponent* GetFormComponent() = 0;
  // Brings the form into view in the environment.
  virtual void ShowForm() = 0;
  // The form changed: it is saved with the project.
  virtual void MarkModified() = 0;
  // Drops a component of the registered class typeName on the form, as the designer would (a
  // new name, the form changed); null when it cannot be made.
  virtual TComponent* CreateComponent(const std::string& typeName, int left, int top, int width,
                                      int height) = 0;
};

class TIModuleInterface {
 public:
  virtual ~TIModuleInterface() = default;
  virtual std::string FileName() const = 0;
  // Null when the unit is not open in an editor (never here: every unit has its buffer).
  virtual std::unique_ptr<TIEditorInterface> GetEditorInterface() = 0;
  // Null for a unit without a form.
  virtual std::unique_ptr<TIFormInterface> GetFormInterface() = 0;
};

// Flags of a menu item, as experts pass them.
inline constexpr int mfEnabled = 2;
inline constexpr int mfVisible = 4;

struct TIdeMenuItem {
  std::string Name;
  std::string Caption;   // "-" is a separator
  std::string ShortCut;  // as the menu shows it: "Shift+F9"; empty for none
  int Flags = mfEnabled | mfVisible;
  std::function<void()> OnClick;
};

// The environment's main menu: top-level menus, each with its items.
class TIMainMenu {
 public:
  virtual ~TIMainMenu() = default;
  virtual int MenuCount() const = 0;
  virtual int ItemCount(int menuIndex) const = 0;
  // Inserts item at index (clamped) of the menu at menuIndex; false when there is no such menu.
  virtual bool InsertItem(int menuIndex, int itemIndex, TIdeMenuItem item) = 0;
  // The item of that name; null when there is none. Changes to it show at once.
  virtual TIdeMenuItem* FindItem(const std::string& name) = 0;
  virtual void SetItemCaption(const std::string& name, const std::string& caption) = 0;
  virtual bool DeleteItem(const std::string& name) = 0;
};

class TIToolServices {
 public:
  virtual ~TIToolServices() = default;
  virtual std::string GetProjectName() const = 0;
  // The unit or form file shown in the editor; empty when none is.
  virtual std::string GetCurrentFile() const = 0;
  virtual int GetUnitCount() const = 0;
  virtual std::string GetUnitName(int index) const = 0;
  // Null when no unit of the project has that file name, or no form that name.
  virtual std::unique_ptr<TIModuleInterface> GetModuleInterface(const std::string& fileName) = 0;
  virtual std::unique_ptr<TIModuleInterface> GetFormModuleInterface(
      const std::string& formName) = 0;
  // Null when the environment has no main menu.
  virtual TIMainMenu* GetMainMenu() = 0;
};

// The running environment's services; null when no host runs.
TIToolServices* ToolServices();
void SetToolServices(TIToolServices* services);

}  // namespace dravik
