#include "editor/LanguageSelect.h"

#include <QWidget>

#include "editor/DravikEditorForm.h"
#include "editor/DravikList.h"
#include "editor/EditorDialogs.h"
#include "editor/LanguageGrid.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "runtime/DravikSystem.h"
#include "runtime/LanguageEntries.h"
#include "runtime/LanguageManager.h"
#include "widgets/ConfigFile.h"
#include "widgets/MsgDlg.h"

namespace dravik {

namespace {

constexpr TColor kFixedCellColor = static_cast<TColor>(0xD0E0D0);
enum { kNameCol, kHintCol, kStatusCol };

}  // namespace

bool CheckLanguageNames(const TLanguageEntries& languages, std::string& unknown) {
  unknown.clear();
  bool valid = true;
  for (int i = 0; i < languages.Count(); ++i) {
    std::string name = Trim(languages.Items(i)->Name);
    bool duplicate = name.empty();
    for (int j = 0; j < languages.Count() && !duplicate; ++j)
      duplicate = j != i && CompareLanguages(name, languages.Items(j)->Name);
    if (duplicate) {
      valid = false;
    } else if (!IsDefaultLanguage({lnEnglish, lnOriginal}, name)) {
      unknown += (unknown.empty() ? "" : ", ") + name;
    }
  }
  return valid;
}

TLanguageSelectForm::TLanguageSelectForm(TComponent* owner)
    : TSuperForm(owner), fLanguages(std::make_unique<TLanguageEntries>(nullptr)) {}

TLanguageSelectForm::~TLanguageSelectForm() = default;

const TClassRecord& TLanguageSelectForm::StaticClass() {
  using T = TLanguageSelectForm;
  static const TClassRecord& record =
      TClassBuilder<T, TSuperForm>("TLanguageSelectForm", "LanguageSelect")
          .Method<&T::FormCloseQuery>("FormCloseQuery")
          .Method<&T::FormShow>("FormShow")
          .Method<&T::GridSelectCell>("GridSelectCell")
          .Method<&T::GridCellValidate>("GridCellValidate")
          .Method<&T::GridGetCellFormat>("GridGetCellFormat")
          .Method<&T::GridKeyDown>("GridKeyDown")
          .Method<&T::GridDblClick>("GridDblClick")
          .Method<&T::BtnAddClick>("BtnAddClick")
          .Method<&T::BtnRemoveClick>("BtnRemoveClick")
          .Method<&T::BtnDefaultClick>("BtnDefaultClick")
          .Method<&T::BtnUpClick>("BtnUpClick")
          .Method<&T::BtnDownClick>("BtnDownClick")
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TLanguageSelectForm::StaticClass());

TLanguageGrid* TLanguageSelectForm::Grid() const {
  return FindOwned<TLanguageGrid>(this, "Grid");
}

std::string TLanguageSelectForm::Text(const std::string& name) const {
  return FindOwned<TDravik>(this, "Dravik")->GetString(name);
}

int32_t TLanguageSelectForm::Message(const std::string& text, int type,
                                     std::initializer_list<int> buttons) const {
  TMsgDlgButtons set;
  for (int button : buttons) set.Include(static_cast<TMsgDlgBtn>(button));
  return MsgEx(text, "", static_cast<TMsgDlgType>(type),
               FindOwned<TDravik>(this, "Dravik")->GetDomain(), 0, set);
}

void TLanguageSelectForm::Init(TLanguageManager& manager, bool initNewProps, TFont* font,
                               TConfigFile* config) {
  fManager = &manager;
  fInitNewProps = initNewProps;
  auto* names = FindOwned<TEdit>(this, "StrListNames");
  auto* descs = FindOwned<TEdit>(this, "StrListDescs");
  if (config) {
    LoadBesideEditorStore(*FindOwned<TConfigFile>(this, "Config"), *config);
    fRemember = true;
  }
  if (font) Grid()->SetFont(font);
  fLanguages->Assign(manager.Langs());
  for (int i = 0; i < fLanguages->Count(); ++i)
    if (fLanguages->Items(i)->IsActive()) {
      fLanguages->Items(i)->Mark();
      break;
    }
  if (fLanguages->Count() > 0) {
    FillGrid();
    Grid()->MoveTo(kNameCol, 1);
    CheckConditions();
    // The bottom buttons take the keys, so Enter confirms the list as it is.
    if (QWidget* buttons = FindOwned<TWinControl>(this, "Buttons")->Widget()) buttons->setFocus();
    return;
  }
  TStringList rememberedNames, rememberedDescs;
  rememberedNames.SetCommaText(names->Text());
  rememberedDescs.SetCommaText(descs->Text());
  const int remembered = fRemember ? std::min(rememberedNames.Count(), rememberedDescs.Count()) : 0;
  for (int i = 0; i < remembered; ++i) {
    TLanguageEntry* entry = fLanguages->Add();
    entry->Name = rememberedNames.Strings(i);
    entry->Hint = rememberedDescs.Strings(i);
  }
  if (remembered == 0) fLanguages->Add();
  fLanguages->Items(0)->Mark();
  FillGrid();
  Grid()->MoveTo(kNameCol, 1);
  fEditOnShow = remembered == 0;
}

void TLanguageSelectForm::FormShow(TObject*) {
  // The inline editor needs the window.
  if (fEditOnShow) EditName(1);
  fEditOnShow = false;
}

int TLanguageSelectForm::EntryOfRow(int32_t row) const {
  return row >= 1 && row <= fLanguages->Count() ? row - 1 : -1;
}

void TLanguageSelectForm::FillGrid() {
  TLanguageGrid* grid = Grid();
  const int count = fLanguages->Count();
  grid->SetRowCount(std::max(count, 1) + 1);
  grid->SetColCount(3);
  grid->SetCells(kNameCol, 0, Text("Language"));
  grid->SetCells(kHintCol, 0, Text("User Information"));
  grid->SetCells(kStatusCol, 0, Text("Status"));
  for (int row = 1; row < grid->RowCount(); ++row) {
    const TLanguageEntry* entry = row <= count ? fLanguages->Items(row - 1) : nullptr;
    grid->SetCells(kNameCol, row, entry ? entry->Name : std::string());
    grid->SetCells(kHintCol, row, entry ? entry->Hint : std::string());
    grid->SetCells(kStatusCol, row,
                   entry && entry->Marked ? "[" + Text("Default") + "]" : std::string());
  }
  grid->SetEnabled(count > 0);
  grid->AutoSizeColumns(true, 24);
  CheckConditions();
}

void TLanguageSelectForm::EditName(int32_t row) {
  Grid()->MoveTo(kNameCol, row);
  Grid()->SetEditorMode(true);
  Grid()->SetFocus();
}

void TLanguageSelectForm::CheckConditions() {
  const int32_t row = Grid()->Row();
  const int entry = EntryOfRow(row);
  const int count = fLanguages->Count();
  const bool remove = entry >= 0;
  FindOwned<TButton>(this, "BtnRemove")->SetEnabled(remove);
  FindOwned<TButton>(this, "BtnDefault")->SetEnabled(remove && !fLanguages->Items(entry)->Marked);
  FindOwned<TButton>(this, "BtnUp")->SetEnabled(remove && count > 1 && entry > 0);
  FindOwned<TButton>(this, "BtnDown")->SetEnabled(remove && count > 1 && entry < count - 1);
  FindOwned<TLabel>(this, "LabelF9")->SetEnabled(remove && Grid()->Col() == kNameCol);
}

void TLanguageSelectForm::GridSelectCell(TObject*, int32_t col, int32_t row, bool& canSelect) {
  canSelect = col != kStatusCol;
  if (!canSelect) return;
  FindOwned<TLabel>(this, "LabelF9")->SetEnabled(col == kNameCol && EntryOfRow(row) >= 0);
}

void TLanguageSelectForm::GridCellValidate(TObject*, int32_t col, int32_t row, std::string& value,
                                           bool& valid) {
  valid = true;
  const int entry = EntryOfRow(row);
  value = Trim(value);
  if (entry < 0) return;
  if (col == kNameCol) fLanguages->Items(entry)->Name = value;
  if (col == kHintCol) fLanguages->Items(entry)->Hint = value;
}

void TLanguageSelectForm::GridGetCellFormat(TObject*, int32_t col, int32_t row, TGridDrawState,
                                            TFormatOptions& format) {
  if (row < 1 || col != kStatusCol) return;
  format.Brush->SetColor(kFixedCellColor);
  format.AlignmentHorz = taCenter;
}

void TLanguageSelectForm::GridKeyDown(TObject*, int32_t& key, TShiftState shift) {
  if (key != Qt::Key_F9 || shift.Contains(ssShift) || shift.Contains(ssCtrl) ||
      shift.Contains(ssAlt))
    return;
  key = 0;
  ShowLanguageList();
}

void TLanguageSelectForm::GridDblClick(TObject*) {
  ShowLanguageList();
}

void TLanguageSelectForm::ShowLanguageList() {
  const int32_t row = Grid()->Row();
  const int entry = EntryOfRow(row);
  if (entry < 0 || Grid()->Col() != kNameCol) return;
  Grid()->EndEdit();
  auto* box = FindOwned<TCheckBox>(this, "BtnEnglishLangNames");
  std::string name = Grid()->Cells(kNameCol, row);
  bool changed = false, english = box->Checked();
  if (!ExecuteLanguageList(name, changed, Grid()->Font(), english)) return;
  if (english != box->Checked()) {
    box->SetChecked(english);
    if (fRemember) FindOwned<TConfigFile>(this, "Config")->Save();
  }
  if (!changed) return;
  Grid()->SetCells(kNameCol, row, name);
  fLanguages->Items(entry)->Name = name;
}

void TLanguageSelectForm::BtnAddClick(TObject*) {
  Grid()->EndEdit();
  fLanguages->Add();
  if (fLanguages->Count() == 1) fLanguages->Items(0)->Mark();
  FillGrid();
  EditName(fLanguages->Count());
}

void TLanguageSelectForm::BtnRemoveClick(TObject*) {
  const int entry = EntryOfRow(Grid()->Row());
  if (entry < 0 || Message(Text("ClearConfirmation"), mtConfirmation, {mbYes, mbNo}) != mrYes)
    return;
  const bool wasDefault = fLanguages->Items(entry)->Marked;
  fLanguages->Delete(entry);
  if (wasDefault && fLanguages->Count() > 0) fLanguages->Items(0)->Mark();
  FillGrid();
}

void TLanguageSelectForm::BtnDefaultClick(TObject*) {
  const int entry = EntryOfRow(Grid()->Row());
  if (entry < 0) return;
  fLanguages->Items(entry)->Mark();
  FillGrid();
}

void TLanguageSelectForm::BtnUpClick(TObject*) {
  const int entry = EntryOfRow(Grid()->Row());
  if (entry <= 0) return;
  fLanguages->Move(entry, entry - 1);
  FillGrid();
  Grid()->MoveTo(Grid()->Col(), entry);
  CheckConditions();
}

void TLanguageSelectForm::BtnDownClick(TObject*) {
  const int entry = EntryOfRow(Grid()->Row());
  if (entry < 0 || entry + 1 >= fLanguages->Count()) return;
  fLanguages->Move(entry, entry + 1);
  FillGrid();
  Grid()->MoveTo(Grid()->Col(), entry + 2);
  CheckConditions();
}

bool TLanguageSelectForm::Accept() {
  Grid()->EndEdit();
  std::string unknown;
  if (!CheckLanguageNames(*fLanguages, unknown)) {
    Message(Text("ENameError"), mtError, {mbOK});
    return false;
  }
  if (!unknown.empty() && Message(Format(Text("ELangNameWarning"), {unknown}), mtWarning,
                                  {mbAbort, mbIgnore}) != mrIgnore)
    return false;
  fManager->AssignLangsAndSync(*fLanguages, fInitNewProps ? cmInitAll : cmInitDefault);
  if (fRemember) {
    TStringList names, descs;
    for (int i = 0; i < fLanguages->Count(); ++i) {
      names.Add(Trim(fLanguages->Items(i)->Name));
      descs.Add(fLanguages->Items(i)->Hint);
    }
    FindOwned<TEdit>(this, "StrListNames")->SetText(names.CommaText());
    FindOwned<TEdit>(this, "StrListDescs")->SetText(descs.CommaText());
    FindOwned<TConfigFile>(this, "Config")->Save();
  }
  return true;
}

void TLanguageSelectForm::FormCloseQuery(TObject*, bool& canClose) {
  if (ModalResult() == mrOk) canClose = Accept();
}

bool EditLanguages(TLanguageManager& manager, bool initNewProps, TFont* font, TConfigFile* config) {
  TComponentPtr<TLanguageSelectForm> dialog = MakeComponent<TLanguageSelectForm>(nullptr);
  dialog->Init(manager, initNewProps, font, config);
  return dialog->ShowModal() == mrOk;
}

static const bool kInstalled = [] {
  EditorDialogs().Languages = [](TDravikEditorForm& editor) {
    return EditLanguages(*editor.WorkManager(), editor.Item("ItemInitNewProps")->Checked(),
                         editor.Grid()->Font(), editor.Config());
  };
  return true;
}();

}  // namespace dravik
