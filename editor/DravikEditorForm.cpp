#include "editor/DravikEditorForm.h"

#include <QFontMetrics>
#include <QTableView>
#include <algorithm>
#include <filesystem>

#include "editor/DravikEditor.h"
#include "editor/EditorDialogs.h"
#include "editor/LanguageGrid.h"
#include "library/FileTools.h"
#include "library/LogFile.h"
#include "platform/core/classes/ScopeExit.h"
#include "platform/core/forms/Application.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/FileStream.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/system/SystemInfo.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ide/ToolServices.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Menus.h"
#include "runtime/Dravik.h"
#include "runtime/DravikSystem.h"
#include "runtime/LanguageManager.h"
#include "runtime/LanguageSwitch.h"
#include "source/DesignInterfaceTools.h"
#include "widgets/ConfigFile.h"
#include "widgets/MsgDlg.h"

namespace dravik {

namespace {

constexpr const char* kPackageVersion = "1.31";
// Cells the cursor cannot reach are painted in this green.
constexpr TColor kFixedCellColor = static_cast<TColor>(0xD0E0D0);
constexpr int32_t kMinLanguageColumnWidth = 24;
// A unit larger than this is no unit a developer edits: it is not read.
constexpr int64_t kMaxSourceSize = int64_t(64) << 20;

// The status bar's font is larger than the window's: a panel grows beyond its designed width
// rather than cut its text off (a large count, a long domain, the German texts).
void FitStatusPanels(TStatusBar* status) {
  static constexpr int32_t kDesigned[] = {150, 150, 150, 50};
  QWidget* widget = status->Widget();
  if (!widget) return;
  const QFontMetrics metrics(widget->font());
  for (int i = 0; i < 4 && i < status->Panels()->Count(); ++i) {
    TStatusPanel* panel = status->Panels()->Items(i);
    const int32_t needed = metrics.horizontalAdvance(QString::fromStdString(panel->Text())) + 12;
    panel->SetWidth(std::max(kDesigned[i], needed));
  }
}

std::string WithExtension(const std::string& name, const char* extension) {
  return std::filesystem::path(name).replace_extension(extension).string();
}

std::string FileNameOnly(const std::string& name) {
  return std::filesystem::path(name).filename().string();
}

std::string FolderOf(const std::string& name) {
  return std::filesystem::path(name).parent_path().string();
}

void Log(TLogFile* log, const std::string& line) {
  // Without a temporary folder the log would land in the current folder.
  if (GetTempDir().empty()) return;
  try {
    if (log->FullName().empty()) log->CreateFile();
    log->WriteValue(Variant(line));
  } catch (const Exception&) {
    // The log is a convenience: a full disk or a locked file must not stop the editor.
  }
}

}  // namespace

const TClassRecord& TDravikEditorForm::StaticClass() {
  using T = TDravikEditorForm;
  static const TClassRecord& record =
      TClassBuilder<T, TSuperForm>("TDravikEditorForm", "DravikEditor")
          .Method<&T::FormShow>("FormShow")
          .Method<&T::FormCloseQuery>("FormCloseQuery")
          .Method<&T::DravikChange>("DravikChange")
          .Method<&T::ConfigAfterLoad>("ConfigAfterLoad")
          .Method<&T::ConfigAfterSave>("ConfigAfterSave")
          .Method<&T::ConfigLangAfterLoad>("ConfigLangAfterLoad")
          .Method<&T::GridSelectCell>("GridSelectCell")
          .Method<&T::GridSetEditText>("GridSetEditText")
          .Method<&T::GridCellValidate>("GridCellValidate")
          .Method<&T::GridColumnWidthsChanged>("GridColumnWidthsChanged")
          .Method<&T::GridGetCellFormat>("GridGetCellFormat")
          .Method<&T::ItemImportClick>("ItemImportClick")
          .Method<&T::ItemExportClick>("ItemExportClick")
          .Method<&T::ItemAutoBackupClick>("ItemAutoBackupClick")
          .Method<&T::ItemAcceptClick>("ItemAcceptClick")
          .Method<&T::ItemCloseClick>("ItemCloseClick")
          .Method<&T::ItemAddStrClick>("ItemAddStrClick")
          .Method<&T::ItemVerifyStringsClick>("ItemVerifyStringsClick")
          .Method<&T::ItemVerifyStringsAtStartClick>("ItemVerifyStringsAtStartClick")
          .Method<&T::ItemDelEntryClick>("ItemDelEntryClick")
          .Method<&T::ItemSearchClick>("ItemSearchClick")
          .Method<&T::ItemSearchAgainClick>("ItemSearchAgainClick")
          .Method<&T::ItemViewTypeClick>("ItemViewTypeClick")
          .Method<&T::ItemStringIDClick>("ItemStringIDClick")
          .Method<&T::ItemAutoSizeClick>("ItemAutoSizeClick")
          .Method<&T::ItemLangsClick>("ItemLangsClick")
          .Method<&T::ItemPropsClick>("ItemPropsClick")
          .Method<&T::ItemSetupClick>("ItemSetupClick")
          .Method<&T::ItemInitNewPropsClick>("ItemInitNewPropsClick")
          .Method<&T::ItemFontClick>("ItemFontClick")
          .Method<&T::ItemDefaultFontClick>("ItemDefaultFontClick")
          .Method<&T::ItemEnglishClick>("ItemEnglishClick")
          .Method<&T::ItemGermanClick>("ItemGermanClick")
          .Method<&T::ItemHelpClick>("ItemHelpClick")
          .Method<&T::ItemAboutClick>("ItemAboutClick")
          .Method<&T::ItemShowSourceClick>("ItemShowSourceClick")
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TDravikEditorForm::StaticClass());

bool ShowDravikEditorForm(const std::string& fileName, TComponent* form, TLanguageManager& manager,
                          TDravik& control) {
  TComponentPtr<TDravikEditorForm> window = MakeComponent<TDravikEditorForm>(Application);
  window->Init(fileName, form, &manager, &control);
  window->ShowModal();
  return window->Accepted();
}

static const bool kInstalled = [] {
  SetDravikEditorWindow(ShowDravikEditorForm);
  return true;
}();

std::string DravikEditorTempDir() {
  const std::string temp = GetTempDir();
  return temp.empty() ? temp : ExpandFileNameByDir("QueltDravik", temp);
}

TDravikEditorForm::TDravikEditorForm(TComponent* owner)
    : TSuperForm(owner),
      fWorkManager(std::make_unique<TLanguageManager>(nullptr, cmConsistent, nullptr, nullptr)),
      fRows(std::make_unique<TStringList>()) {
  fSavedHelpFile = Application ? Application->HelpFile() : std::string();
}

void TDravikEditorForm::AfterConstruction() {
  TSuperForm::AfterConstruction();
  TStatusBar* status = StatusBar();
  status->Font()->Assign(Font());
  status->Font()->SetSize(Font()->Size() + 2);

  std::string language;
  GetCurrentUserLanguage(language);
  TStringList languages;
  Dravik()->GetLanguages(languages);
  for (int i = 0; i < languages.Count(); ++i)
    if (CompareLanguages(languages.Strings(i), language)) SetUILanguage(languages.Strings(i));
  FindOwned<TConfigFile>(this, "ConfigLang")->Load();

  fBaseCaption = Caption();
  SetCaption(fBaseCaption + " " + kPackageVersion);
  Log(FindOwned<TLogFile>(this, "LogFile"),
      Format("Language editor started by: %s@%s", {GetUserName(), GetComputerName()}));
  DravikChange(this);
  RefreshGrid();
}

void TDravikEditorForm::BeforeDestruction() {
  SaveConfiguration();
  Log(FindOwned<TLogFile>(this, "LogFile"), ".");
  if (Application) Application->SetHelpFile(fSavedHelpFile);
  TSuperForm::BeforeDestruction();
}

// --- Parts and state ---------------------------------------------------------------------------

TLanguageGrid* TDravikEditorForm::Grid() const {
  return FindOwned<TLanguageGrid>(this, "Grid");
}

TStatusBar* TDravikEditorForm::StatusBar() const {
  return FindOwned<TStatusBar>(this, "StatusBar");
}

TDravik* TDravikEditorForm::Dravik() const {
  return FindOwned<TDravik>(this, "Dravik");
}

TConfigFile* TDravikEditorForm::Config() const {
  return FindOwned<TConfigFile>(this, "Config");
}

TMenuItem* TDravikEditorForm::Item(std::string_view name) const {
  return FindOwned<TMenuItem>(this, name);
}

TToolButton* TDravikEditorForm::Button(std::string_view name) const {
  return FindOwned<TToolButton>(this, name);
}

std::string TDravikEditorForm::Text(const std::string& name) const {
  return Dravik()->GetString(name);
}

TConsistentLangPropertyEntry* TDravikEditorForm::RowEntry(int row) const {
  TLanguageGrid* grid = Grid();
  if (!grid || row < 1 || row >= grid->RowCount()) return nullptr;
  return dynamic_cast<TConsistentLangPropertyEntry*>(grid->Objects(0, row));
}

void TDravikEditorForm::SetDataModified() {
  fDataModified = true;
  CheckConditions();
}

TEditorView TDravikEditorForm::View() const {
  TEditorView view;
  view.FormMode = fFormMode;
  view.CompName = Item("ItemCompName")->Checked();
  view.CompType = Item("ItemCompType")->Checked();
  view.PropType = Item("ItemPropType")->Checked();
  view.Descriptor = Item(fFormMode ? "ItemPropDesc" : "ItemStringID")->Checked();
  return view;
}

int32_t TDravikEditorForm::Message(const std::string& text, int type,
                                   std::initializer_list<int> buttons) const {
  TMsgDlgButtons set;
  for (int button : buttons) set.Include(static_cast<TMsgDlgBtn>(button));
  return MsgEx(text, "", static_cast<TMsgDlgType>(type), Dravik()->GetDomain(), 0, set);
}

// --- Opening -----------------------------------------------------------------------------------

void TDravikEditorForm::Init(const std::string& fileName, TComponent* root,
                             TLanguageManager* manager, TDravik* control) {
  fRoot = root ? root : Application;
  fControl = control;
  fOrigManager = manager;
  if (control) {
    fNewDomain = control->GetDomain();
    fNewTopLevel = control->GetTopLevel();
  }
  if (fOrigManager) fWorkManager->Assign(*fOrigManager);
  fWorkManager->Init(cmInitNone);
  fFormMode = fWorkManager->HasFormOwner();

  fSourceFileName = Trim(fileName);
  fSourceModified = false;
  if (!ReadSource()) fSourceText.clear();

  if (fFormMode) {
    Item("ItemStringID")->SetEnabled(false);
    Item("ItemStringID")->SetVisible(false);
  } else {
    Item("ItemStringID")->SetChecked(Item("ItemPropDesc")->Checked());
    for (const char* name :
         {"ItemPropDesc", "ItemCompName", "ItemCompType", "ItemPropType", "ItemProps"}) {
      Item(name)->SetEnabled(false);
      Item(name)->SetVisible(false);
    }
    for (const char* name : {"BtnProps", "SepProps"}) Button(name)->SetVisible(false);
    FindOwned<TToolBar>(this, "ToolBar")->ArrangeButtons();
  }

  std::string shownName = fSourceFileName;
  if (TIToolServices* services = ToolServices()) {
    const std::string current = Trim(services->GetCurrentFile());
    if (!current.empty()) shownName = WithExtension(current, fFormMode ? ".dfm" : ".lng");
  }
  if (!shownName.empty()) {
    const std::string dialogName = WithExtension(FileNameOnly(shownName), ".txt");
    FindOwned<TOpenDialog>(this, "OpenDialog")->SetFileName(dialogName);
    FindOwned<TSaveDialog>(this, "SaveDialog")->SetFileName(dialogName);
    SetCaption(Format("%s [%s]", {Caption(), shownName}));
  }
  TLogFile* log = FindOwned<TLogFile>(this, "LogFile");
  if (fFormMode)
    Log(log, Format("Multilingual form: '%s' (%s)", {shownName, fRoot->ClassType().Name()}));
  else
    Log(log, Format("Multilingual unit: '%s'", {shownName}));
  RefreshGrid();
}

// --- The grid ----------------------------------------------------------------------------------

void TDravikEditorForm::RefreshGrid() {
  TLanguageGrid* grid = Grid();
  if (!grid) return;
  auto updating = SetForScope(fUpdating, true);
  fRows->Clear();
  if (TComponentEntries* comps = fWorkManager->Comps())
    for (int i = 0; i < comps->Count(); ++i) comps->Items(i)->MoveSubItemsToStrings(false, *fRows);
  InitGrid(fRows->Count());
  AutoSizeColumns();
  CheckConditions();
  WriteStatus();
}

// Every cell is made first and given to the grid at once: a grid of thousands of rows is filled
// without a change notice per cell. The columns are sized afterwards, once.
void TDravikEditorForm::InitGrid(int lines) {
  TLanguageGrid* grid = Grid();
  fColumns = EditorColumns(View(), fWorkManager->GetLangCount());
  const int cols = fColumns.FirstLangCol + fColumns.LanguageColumns;
  const int rows = lines > 0 ? lines + 1 : 2;
  std::vector<std::string> texts;
  texts.reserve(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
  for (int c = 0; c < cols; ++c) texts.push_back(HeaderText(c));
  for (int i = 0; i < lines; ++i)
    RowTexts(*static_cast<TConsistentLangPropertyEntry*>(fRows->Objects(i)), i, texts);
  texts.resize(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
  grid->SetFixedCols(0);
  grid->ReplaceCells(cols, rows, std::move(texts));
  grid->SetFixedRows(1);
  grid->SetEnabled(lines > 0);
  for (int i = 0; i < lines; ++i) grid->SetObjects(0, i + 1, fRows->Objects(i));
  grid->MoveTo(fColumns.FirstLangCol, 1);
  if (Visible() && grid->Enabled()) grid->SetFocus();
}

std::string TDravikEditorForm::LanguageHeader(int language) const {
  if (language >= fWorkManager->GetLangCount()) return "[" + Text("Default") + "]";
  const TLanguageEntry* entry = fWorkManager->Langs()->Items(language);
  return entry->IsActive() ? entry->Name + " [" + Text("Default") + "]" : entry->Name;
}

std::string TDravikEditorForm::HeaderText(int col) const {
  if (col >= fColumns.FirstLangCol) return LanguageHeader(col - fColumns.FirstLangCol);
  switch (fColumns.Info[static_cast<std::size_t>(col)]) {
    case icCompName:
      return Text("Name of Component");
    case icCompType:
      return Text("Type of Component");
    case icPropType:
      return Text("Type of Property");
    case icDescriptor:
      break;
  }
  return Text(fFormMode ? "Property Descriptor String ID" : "String ID");
}

void TDravikEditorForm::InitGridHeader() {
  TLanguageGrid* grid = Grid();
  fColumns = EditorColumns(View(), fWorkManager->GetLangCount());
  const int cols = fColumns.FirstLangCol + fColumns.LanguageColumns;
  if (grid->ColCount() != cols) grid->SetColCount(cols);
  for (int c = 0; c < cols; ++c) grid->SetCells(c, 0, HeaderText(c));
}

// The texts of one row, appended to texts; line is the entry's line in Rows (-1 for none).
void TDravikEditorForm::RowTexts(const TConsistentLangPropertyEntry& entry, int line,
                                 std::vector<std::string>& texts) const {
  const TMainEntry* component = ComponentEntryOf(entry);
  for (TInfoColumn column : fColumns.Info) {
    switch (column) {
      case icCompName:
        texts.push_back(component ? component->Name : std::string());
        break;
      case icCompType:
        texts.push_back(component ? component->TypeName : std::string());
        break;
      case icPropType:
        texts.push_back(entry.TypeName);
        break;
      case icDescriptor:
        if (fWorkManager->IsStringEntry(entry))
          texts.push_back(fWorkManager->Names()->Strings(entry.Index));
        else
          texts.push_back(line >= 0 ? fRows->Strings(line) : entry.GetDescriptor(""));
        break;
    }
  }
  for (int k = 0; k < fColumns.LanguageColumns; ++k)
    texts.push_back(TranslateValue(
        entry, ColToLangIndex(*fWorkManager, fColumns.FirstLangCol, fColumns.FirstLangCol + k)));
}

void TDravikEditorForm::InitRow(int row, TConsistentLangPropertyEntry* entry) {
  TLanguageGrid* grid = Grid();
  grid->SetObjects(0, row, entry);
  std::vector<std::string> texts;
  RowTexts(*entry, fRows->IndexOfObject(entry), texts);
  for (int c = 0; c < static_cast<int>(texts.size()); ++c)
    grid->SetCells(c, row, texts[static_cast<std::size_t>(c)]);
}

std::string TDravikEditorForm::RowNameText(int row) const {
  TConsistentLangPropertyEntry* entry = RowEntry(row);
  TMainEntry* component = entry ? ComponentEntryOf(*entry) : nullptr;
  return component ? component->Name + ": " + component->TypeName : std::string();
}

void TDravikEditorForm::AutoSizeColumns() {
  TLanguageGrid* grid = Grid();
  if (!grid) return;
  auto updating = SetForScope(fUpdating, true);
  QTableView* view = grid->View();
  const int32_t clientWidth = view ? view->viewport()->width() : grid->ClientWidth();
  fAutoSizeWidth = clientWidth;
  int32_t infoWidth = 0;
  for (int c = 0; c < fColumns.FirstLangCol; ++c) {
    grid->AutoSizeCol(c);
    infoWidth += grid->ColWidths(c) + 1;
  }
  const int languages = grid->ColCount() - fColumns.FirstLangCol;
  if (languages > 0) {
    // A window narrower than its information columns still shows every language readable.
    const int32_t width =
        std::max((clientWidth - infoWidth) / languages - 1, kMinLanguageColumnWidth);
    for (int c = fColumns.FirstLangCol; c < grid->ColCount(); ++c) grid->SetColWidths(c, width);
  }
  SetCommandEnabled("ItemAutoSize", "BtnAutoSize", false);
}

bool TDravikEditorForm::CellValid() {
  fValidState = 0;
  if (TLanguageGrid* grid = Grid()) grid->EndEdit();
  return fValidState != 2;
}

void TDravikEditorForm::GridSelectCell(TObject*, int32_t col, int32_t row, bool& canSelect) {
  if (!CellValid()) {
    canSelect = false;
    return;
  }
  if (col >= fColumns.FirstLangCol) return;
  TConsistentLangPropertyEntry* entry = RowEntry(row);
  canSelect = col == fColumns.IDCol && entry && fWorkManager->IsStringEntry(*entry);
}

void TDravikEditorForm::GridSetEditText(TObject*) {
  SetDataModified();
}

void TDravikEditorForm::GridCellValidate(TObject*, int32_t col, int32_t row, std::string& value,
                                         bool& valid) {
  fValidState = 2;
  if (col < 0 || row < 0) {
    valid = false;
    return;
  }
  TConsistentLangPropertyEntry* entry = RowEntry(row);
  if (!entry) {
    fValidState = 1;
    return;
  }
  if (col >= fColumns.FirstLangCol) {
    std::string text = value;
    if (entry->Kind == tkInteger) text = NormalizeIntegerText(text, entry->TypeName);
    if (entry->IsValueValid(text)) {
      const int slot = ColToLangIndex(*fWorkManager, fColumns.FirstLangCol, col);
      entry->SetLangValue(slot, Variant(text));
      value = TranslateValue(*entry, slot);
    } else {
      valid = false;
      Message(Text("InvalidValue"), mtError, {mbOK});
    }
  } else if (col == fColumns.IDCol && fWorkManager->IsStringEntry(*entry)) {
    value = Trim(value);
    const int index = fWorkManager->GetStringNameIndex(value);
    if (index >= 0 && index != entry->Index) {
      valid = false;
      Message(Text("EStringIDAlreadyUsed"), mtError, {mbOK});
    } else if (!TLanguageManager::IsStringNameValid(value)) {
      valid = false;
      Message(Text("EStringIDInvalid"), mtError, {mbOK});
    } else {
      fWorkManager->Names()->Put(entry->Index, value);
      entry->Name = value;
    }
  } else {
    valid = false;
  }
  if (valid) fValidState = 1;
}

void TDravikEditorForm::GridColumnWidthsChanged(TObject*) {
  if (!fUpdating) SetCommandEnabled("ItemAutoSize", "BtnAutoSize", true);
}

void TDravikEditorForm::GridGetCellFormat(TObject*, int32_t col, int32_t row, TGridDrawState,
                                          TFormatOptions& format) {
  if (row < 1 || col >= fColumns.FirstLangCol) return;
  TConsistentLangPropertyEntry* entry = RowEntry(row);
  if (col == fColumns.IDCol && entry && fWorkManager->IsStringEntry(*entry)) return;
  format.Brush->SetColor(kFixedCellColor);
}

void TDravikEditorForm::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  const bool resized = width != Width() || height != Height();
  TSuperForm::SetBounds(left, top, width, height);
  if (resized && !IsLoading() && Grid()) SetCommandEnabled("ItemAutoSize", "BtnAutoSize", true);
}

// --- Commands' states and the status bar ---------------------------------------------------------

void TDravikEditorForm::SetCommandEnabled(std::string_view item, std::string_view button,
                                          bool enabled) {
  if (TMenuItem* menuItem = Item(item)) menuItem->SetEnabled(enabled);
  if (TToolButton* toolButton = Button(button)) toolButton->SetEnabled(enabled);
}

void TDravikEditorForm::CheckConditions() {
  TLanguageGrid* grid = Grid();
  if (!grid) return;
  SetCommandEnabled("ItemDelEntry", "BtnDelEntry", RowEntry(grid->Row()) != nullptr);
  SetCommandEnabled("ItemSearch", "BtnSearch", grid->Enabled());
  SetCommandEnabled("ItemSearchAgain", "BtnSearchAgain",
                    grid->Enabled() && !fSearchPattern.empty());
  if (!fUpdating && !Item("ItemAutoSize")->Enabled()) {
    QTableView* view = grid->View();
    const int32_t clientWidth = view ? view->viewport()->width() : grid->ClientWidth();
    if (clientWidth != fAutoSizeWidth) SetCommandEnabled("ItemAutoSize", "BtnAutoSize", true);
  }
  SetCommandEnabled("ItemCommit", "BtnAccept", fDataModified);
}

void TDravikEditorForm::WriteStatus() {
  TStatusBar* status = StatusBar();
  TLanguageGrid* grid = Grid();
  if (!status || !grid) return;
  const int entries = grid->Enabled() ? grid->RowCount() - 1 : 0;
  status->Panels()->Items(0)->SetText(Format(Text("EntryCount"), {entries}));
  std::string domain, topLevel;
  if (!fControl) {
    topLevel = ": ???";
  } else if (!fNewDomain.empty()) {
    domain = "'" + fNewDomain + "'";
    topLevel = Text("is ignored");
  } else {
    domain = Text("None");
    topLevel = std::string(": ") + (fNewTopLevel ? "True" : "False");
  }
  status->Panels()->Items(1)->SetText(Format("Domain: %s", {domain}));
  status->Panels()->Items(2)->SetText(Format("TopLevel %s", {topLevel}));
  FitStatusPanels(status);
}

void TDravikEditorForm::InitCaptions() {
  if (TStatusBar* status = StatusBar()) status->Panels()->Items(3)->SetText(Text("CreatedBy"));
}

// --- Language of the window and its settings -----------------------------------------------------

void TDravikEditorForm::DravikChange(TObject*) {
  if (IsLoading() || !Grid()) return;
  if (Application) Application->SetHelpFile(ExpandFileNameByDir(Text("_HelpFile"), GetModuleDir()));
  InitCaptions();
  InitGridHeader();
  AutoSizeColumns();
  WriteStatus();
  SyncLangStatus();
}

void TDravikEditorForm::SyncLangStatus() {
  const std::string language = Dravik()->GetLanguage();
  if (language == "English") Item("ItemEnglish")->SetChecked(true);
  if (language == "Deutsch") Item("ItemGerman")->SetChecked(true);
}

void TDravikEditorForm::SetUILanguage(const std::string& language) {
  try {
    Dravik()->SetLanguage(language);
  } catch (const Exception&) {
    // A stored language the window does not have leaves it as it is.
  }
}

void TDravikEditorForm::ConfigAfterLoad(TObject*, TExIniFile* iniFile) {
  TConfigFile* config = Config();
  const std::string section = config->SectionName();
  FindOwned<TOpenDialog>(this, "OpenDialog")
      ->SetInitialDir(iniFile->ReadString(section, "OpenDialog.InitialDir", ""));
  FindOwned<TSaveDialog>(this, "SaveDialog")
      ->SetInitialDir(iniFile->ReadString(section, "SaveDialog.InitialDir", ""));
  SyncLangStatus();
  if (TLanguageGrid* grid = Grid()) GridFontChanged(grid);
}

void TDravikEditorForm::ConfigAfterSave(TObject*, TExIniFile* iniFile) {
  const std::string section = Config()->SectionName();
  if (!fImportFileName.empty())
    iniFile->WriteString(section, "OpenDialog.InitialDir", FolderOf(fImportFileName));
  if (!fExportFileName.empty())
    iniFile->WriteString(section, "SaveDialog.InitialDir", FolderOf(fExportFileName));
}

void TDravikEditorForm::ConfigLangAfterLoad(TObject*, TExIniFile*) {
  SyncLangStatus();
}

void TDravikEditorForm::SaveConfiguration() {
  Config()->Save();
  FindOwned<TConfigFile>(this, "ConfigLang")->Save();
  try {
    FindOwned<TDravik>(this, "DravikSync")->SetLanguage(Dravik()->GetLanguage());
  } catch (const Exception&) {
    // A package window without that language keeps its own.
  }
}

// --- Showing and closing -----------------------------------------------------------------------

void TDravikEditorForm::FormShow(TObject*) {
  AutoSizeColumns();
  CheckConditions();
  WriteStatus();
  if (fShownOnce) return;
  // The quiet check runs once, when the window first shows: each of the window's own dialogs
  // would otherwise start it again when it closes.
  fShownOnce = true;
  if (Item("ItemVerifyStringsAtStart")->Checked() && EditorDialogs().VerifyStrings &&
      EditorDialogs().VerifyStrings(*this, true))
    RefreshGrid();
}

void TDravikEditorForm::FormCloseQuery(TObject*, bool& canClose) {
  if (!fDataModified) return;
  if (!CellValid()) {
    canClose = false;
    return;
  }
  switch (Message(Text("SaveChanges"), mtConfirmation, {mbYes, mbNo, mbCancel})) {
    case mrYes:
      canClose = Commit();
      break;
    case mrNo:
      break;
    default:
      canClose = false;
  }
}

// --- Commit ------------------------------------------------------------------------------------

bool TDravikEditorForm::Commit() {
  if (!CellValid() || !fOrigManager) return false;
  try {
    BackupLanguageData();
  } catch (const EAbort&) {
    return false;
  }
  fControl->SetDomain(fNewDomain);
  fControl->SetTopLevel(fNewTopLevel);
  fOrigManager->Assign(*fWorkManager);
  if (fSourceModified) {
    WriteSource();
    fSourceModified = false;
  }
  Log(FindOwned<TLogFile>(this, "LogFile"), "Language data saved");
  fControl->SetLanguage(fControl->GetLanguage());
  fAccepted = true;
  SaveConfiguration();
  fDataModified = false;
  CheckConditions();
  return true;
}

void TDravikEditorForm::BackupLanguageData() {
  if (!Item("ItemAutoBackup")->Checked()) return;
  try {
    const std::string name = LocalTimeText("%y-%m-%d %H.%M.%S.txt");
    const std::string folder = DravikEditorTempDir();
    if (folder.empty() || !CreateDirRecurse(folder))
      throw EInOutError("Directory structure could not be created", errno);
    const std::string fileName = MakeUniqueFileName(ExpandFileNameByDir(name, folder));
    Log(FindOwned<TLogFile>(this, "LogFile"), Format("Backup saved to: '%s'", {fileName}));
    fOrigManager->ExportLanguages(fileName);
  } catch (const Exception&) {
    if (Message(Text("EBackupFailed"), mtWarning, {mbYes, mbNo}) != mrYes) Abort();
  }
}

// Without a development environment (dravik edit) a unit's file is its text.
bool TDravikEditorForm::ReadSource() {
  if (!fSourceFileName.empty()) {
    if (ToolServices()) return ReadSourceCode(false, fSourceFileName, fSourceText);
    try {
      TFileStream file(fSourceFileName, fmOpenRead);
      if (file.Size() > kMaxSourceSize) return false;
      fSourceText.resize(static_cast<std::size_t>(file.Size()));
      file.ReadBuffer(fSourceText.data(), static_cast<int64_t>(fSourceText.size()));
      return true;
    } catch (const Exception&) {
      return false;
    }
  }
  return fRoot && fRoot != Application && ReadSourceCode(true, fRoot->Name(), fSourceText);
}

void TDravikEditorForm::WriteSource() {
  if (!fSourceFileName.empty() && !ToolServices())
    SaveFileAtomically(fSourceFileName, fSourceText);
  else if (!fSourceFileName.empty())
    WriteSourceCode(false, fSourceFileName, fSourceText);
  else if (fRoot && fRoot != Application)
    WriteSourceCode(true, fRoot->Name(), fSourceText);
}

}  // namespace dravik
