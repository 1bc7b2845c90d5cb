#include "editor/DravikImport.h"

#include "editor/DravikEditorForm.h"
#include "editor/EditorDialogs.h"
#include "editor/LanguageGrid.h"
#include "library/FileTools.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "widgets/ButtonPanel.h"
#include "widgets/ConfigFile.h"
#include "widgets/SortGridEx.h"

namespace dravik {

namespace {

enum { kMarkCol, kClassCol, kLanguageCol };
constexpr int kShortPathLength = 28;

}  // namespace

const TClassRecord& TDravikImportForm::StaticClass() {
  using T = TDravikImportForm;
  static const TClassRecord& record =
      TClassBuilder<T, TSuperForm>("TDravikImportForm", "DravikImport")
          .Method<&T::FormCloseQuery>("FormCloseQuery")
          .Method<&T::GridSelectQuery>("GridSelectQuery")
          .Method<&T::GridSelectUpdate>("GridSelectUpdate")
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TDravikImportForm::StaticClass());

TSortGridEx* TDravikImportForm::Grid() const {
  return FindOwned<TSortGridEx>(this, "Grid");
}

bool TDravikImportForm::Checked(const char* name) const {
  return FindOwned<TCheckBox>(this, name)->Checked();
}

void TDravikImportForm::Init(const std::string& fileName, TStrings& sections, TConfigFile* config,
                             TFont* font, TComponent* root, bool formMode) {
  fSections = &sections;
  TSortGridEx* grid = Grid();
  if (font) grid->SetFont(font);
  if (config) {
    LoadBesideEditorStore(*FindOwned<TConfigFile>(this, "Config"), *config);
    FindOwned<TCheckBox>(this, "BtnAsDefault")->SetEnabled(true);
  }
  const auto* dravik = FindOwned<TDravik>(this, "Dravik");
  SetCaption(Format(dravik->GetString("Caption"), {ShortPath(fileName, kShortPathLength)}));
  const std::string rootClass = formMode && root ? root->ClassName() : std::string();
  grid->SetRowCount(sections.Count() + 1);
  grid->SetCells(kMarkCol, 0, dravik->GetString("Import"));
  grid->SetCells(kClassCol, 0, dravik->GetString("FormClassName"));
  grid->SetCells(kLanguageCol, 0, dravik->GetString("Language"));
  grid->BeginSelectUpdate();
  for (int i = 0; i < sections.Count(); ++i) {
    const std::string& line = sections.Strings(i);
    const std::size_t equals = line.find('=');
    const std::string className = line.substr(0, equals);
    grid->SetCells(kClassCol, i + 1, className);
    grid->SetCells(kLanguageCol, i + 1,
                   equals == std::string::npos ? std::string() : line.substr(equals + 1));
    grid->SetSelected(kMarkCol, i + 1, className == rootClass);
  }
  grid->EndSelectUpdate();
  grid->AutoSizeColumns(true, 100);
  grid->AutoSizeCol(kMarkCol);
  GridSelectUpdate(nullptr);
}

void TDravikImportForm::GridSelectQuery(TObject*, int32_t col, int32_t row, bool& selectable) {
  selectable = col == kMarkCol && row >= 1;
}

void TDravikImportForm::GridSelectUpdate(TObject*) {
  bool any = false;
  for (int row = 1; row < Grid()->RowCount() && !any; ++row)
    any = Grid()->GetSelectedFast(kMarkCol, row);
  FindOwned<TButtonPanel>(this, "Buttons")->Items(0)->SetEnabled(any);
}

TImportMode TDravikImportForm::GetImportMode() const {
  if (Checked("BtnClearAll")) return imClearExisting;
  if (Checked("BtnAddAll")) return imAddAll;
  return imAddNotExisting;
}

bool TDravikImportForm::GetInitNewProps() const {
  return Checked("BtnInitNewProps");
}

bool TDravikImportForm::GetWarningsEnabled() const {
  return Checked("BtnWarnings");
}

void TDravikImportForm::FormCloseQuery(TObject*, bool& canClose) {
  if (ModalResult() != mrOk || !fSections) return;
  for (int row = Grid()->RowCount() - 1; row >= 1; --row)
    if (!Grid()->GetSelectedFast(kMarkCol, row) && row - 1 < fSections->Count())
      fSections->Delete(row - 1);
  const auto* asDefault = FindOwned<TCheckBox>(this, "BtnAsDefault");
  if (asDefault->Enabled() && asDefault->Checked()) FindOwned<TConfigFile>(this, "Config")->Save();
  canClose = true;
}

static const bool kInstalled = [] {
  EditorDialogs().Import = [](TDravikEditorForm& editor, const std::string& fileName,
                              TStrings& sections, TImportChoice& choice) {
    TComponentPtr<TDravikImportForm> dialog = MakeComponent<TDravikImportForm>(nullptr);
    dialog->Init(fileName, sections, editor.Config(), editor.Grid()->Font(), editor.Root(),
                 editor.FormMode());
    if (dialog->ShowModal() != mrOk) return false;
    choice.Mode = dialog->GetImportMode();
    choice.InitNotLoaded = dialog->GetInitNewProps();
    choice.ShowWarnings = dialog->GetWarningsEnabled();
    return true;
  };
  return true;
}();

}  // namespace dravik
