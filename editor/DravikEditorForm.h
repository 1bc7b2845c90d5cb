#pragma once
// The language editor: a modal window in which a developer edits every language of one
// TDravik's translated properties and named strings, in a private copy of its language manager
// that goes back to the component only when the developer commits. Its layout, menus and texts
// come from its form file, in German and English.

#include <memory>
#include <string>
#include <vector>

#include "editor/EditorCells.h"
#include "editor/EditorSearch.h"
#include "widgets/SortGrid.h"
#include "widgets/SuperForm.h"

namespace dravik {

class TComponentExplorerDialog;
class TConfigFile;
class TConsistentLangPropertyEntry;
class TDravik;
class TExIniFile;
class TLanguageGrid;
class TLanguageManager;
struct TSearchRequest;
class TLogFile;
class TMenuItem;
class TStatusBar;
class TStringList;
class TToolButton;

class TDravikEditorForm : public TSuperForm {
 public:
  explicit TDravikEditorForm(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // Binds the window to one component; fileName names its unit when it belongs to a unit.
  void Init(const std::string& fileName, TComponent* root, TLanguageManager* manager,
            TDravik* control);
  // Whether at least one commit happened.
  bool Accepted() const { return fAccepted; }

  bool FormMode() const { return fFormMode; }
  TComponent* Root() const { return fRoot; }
  TDravik* Control() const { return fControl; }
  TLanguageManager* WorkManager() const { return fWorkManager.get(); }
  bool DataModified() const { return fDataModified; }
  void SetDataModified();
  const std::string& SourceFileName() const { return fSourceFileName; }
  std::string& SourceText() { return fSourceText; }
  void SetSourceModified() { fSourceModified = true; }
  const std::string& NewDomain() const { return fNewDomain; }
  bool NewTopLevel() const { return fNewTopLevel; }
  int IDCol() const { return fColumns.IDCol; }
  int FirstLangCol() const { return fColumns.FirstLangCol; }
  const std::string& BaseCaption() const { return fBaseCaption; }

  TLanguageGrid* Grid() const;
  TStatusBar* StatusBar() const;
  TDravik* Dravik() const;
  TConfigFile* Config() const;
  TMenuItem* Item(std::string_view name) const;
  TToolButton* Button(std::string_view name) const;
  // The entry of a grid row; null for the header and the empty row.
  TConsistentLangPropertyEntry* RowEntry(int row) const;
  // A named string of the window's own Dravik.
  std::string Text(const std::string& name) const;

  // Validates a pending inline edit; false when it was refused.
  bool CellValid();
  void RefreshGrid();
  void AutoSizeColumns();
  void CheckConditions();
  void WriteStatus();
  // Commits the working copy to the component; false when nothing was committed.
  bool Commit();
  // Runs a first search (the Search dialog's confirmation) with the request.
  void StartSearch(const TSearchRequest& request);
  // The import after the open dialog; the export after the save dialog and the question.
  void ImportLanguagesFrom(const std::string& fileName);
  bool ExportLanguagesTo(const std::string& fileName);

  // Handlers named in the form file.
  void FormShow(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void DravikChange(TObject* sender);
  void ConfigAfterLoad(TObject* sender, TExIniFile* iniFile);
  void ConfigAfterSave(TObject* sender, TExIniFile* iniFile);
  void ConfigLangAfterLoad(TObject* sender, TExIniFile* iniFile);
  void GridSelectCell(TObject* sender, int32_t col, int32_t row, bool& canSelect);
  void GridSetEditText(TObject* sender);
  void GridCellValidate(TObject* sender, int32_t col, int32_t row, std::string& value, bool& valid);
  void GridColumnWidthsChanged(TObject* sender);
  void GridGetCellFormat(TObject* sender, int32_t col, int32_t row, TGridDrawState state,
                         TFormatOptions& format);

  // Commands (DravikEditorCommands.cpp).
  void ItemImportClick(TObject* sender);
  void ItemExportClick(TObject* sender);
  void ItemAutoBackupClick(TObject* sender);
  void ItemAcceptClick(TObject* sender);
  void ItemCloseClick(TObject* sender);
  void ItemAddStrClick(TObject* sender);
  void ItemVerifyStringsClick(TObject* sender);
  void ItemVerifyStringsAtStartClick(TObject* sender);
  void ItemDelEntryClick(TObject* sender);
  void ItemSearchClick(TObject* sender);
  void ItemSearchAgainClick(TObject* sender);
  void ItemViewTypeClick(TObject* sender);
  void ItemStringIDClick(TObject* sender);
  void ItemAutoSizeClick(TObject* sender);
  void ItemLangsClick(TObject* sender);
  void ItemPropsClick(TObject* sender);
  void ItemSetupClick(TObject* sender);
  void ItemInitNewPropsClick(TObject* sender);
  void ItemFontClick(TObject* sender);
  void ItemDefaultFontClick(TObject* sender);
  void ItemEnglishClick(TObject* sender);
  void ItemGermanClick(TObject* sender);
  void ItemHelpClick(TObject* sender);
  void ItemAboutClick(TObject* sender);
  void ItemShowSourceClick(TObject* sender);

  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

 protected:
  void AfterConstruction() override;
  void BeforeDestruction() override;

 private:
  TEditorView View() const;
  void InitGrid(int lines);
  void InitGridHeader();
  void InitRow(int row, TConsistentLangPropertyEntry* entry);
  std::string HeaderText(int col) const;
  void RowTexts(const TConsistentLangPropertyEntry& entry, int line,
                std::vector<std::string>& texts) const;
  std::string LanguageHeader(int language) const;
  void InitCaptions();
  void SyncLangStatus();
  void SetUILanguage(const std::string& language);
  void BackupLanguageData();
  void SaveConfiguration();
  void SetCommandEnabled(std::string_view item, std::string_view button, bool enabled);
  int32_t Message(const std::string& text, int type, std::initializer_list<int> buttons) const;
  // The repeated search; first is true for the search the dialog starts.
  void SearchNext(bool first);
  std::string RowNameText(int row) const;
  bool ReadSource();
  void WriteSource();
  void ToggleViewItem(TMenuItem* item);

  bool fFormMode = false;
  TComponent* fRoot = nullptr;
  TDravik* fControl = nullptr;
  TLanguageManager* fOrigManager = nullptr;
  std::string fSourceFileName;
  std::string fSourceText;
  bool fSourceModified = false;
  std::string fNewDomain;
  bool fNewTopLevel = false;
  std::unique_ptr<TLanguageManager> fWorkManager;
  std::unique_ptr<TStringList> fRows;
  bool fDataModified = false;
  TEditorColumns fColumns;
  bool fUpdating = false;
  int32_t fAutoSizeWidth = 0;
  int fValidState = 0;  // of the last validation: 0 none ran, 1 valid, 2 invalid
  std::string fImportFileName, fExportFileName;
  std::string fBaseCaption;
  std::string fSavedHelpFile;
  std::string fSearchPattern;
  TSearchIn fSearchMode = siValues;
  TSearchOptions fSearchOptions;
  bool fSearchIgnoreAmp = false;
  bool fAccepted = false;
  bool fShownOnce = false;
};

// The folder below the temporary directory that holds the editor's log and backups; empty
// when there is no temporary directory.
std::string DravikEditorTempDir();

// The window as ExecuteDravikEditor shows it: made, bound, shown modally and freed; whether a
// commit happened. Installed into ExecuteDravikEditor when the package loads.
bool ShowDravikEditorForm(const std::string& fileName, TComponent* form, TLanguageManager& manager,
                          TDravik& control);

}  // namespace dravik
