#include "editor/DravikStatus.h"

#include <filesystem>

#include "editor/DravikEditorForm.h"
#include "editor/EditorDialogs.h"
#include "editor/LanguageGrid.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/forms/Application.h"
#include "platform/core/inifiles/IniFile.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "widgets/MsgDlg.h"
#include "widgets/SortGrid.h"

namespace dravik {

namespace {

constexpr int32_t kColumnPadding = 16;

}  // namespace

TStatusLine SplitStatusLine(const std::string& line) {
  const std::size_t bracket = line.find(']');
  if (bracket == std::string::npos) return {"", line};
  return {line.substr(1, bracket - 1), line.substr(std::min(line.size(), bracket + 2))};
}

const TClassRecord& TDravikStatusForm::StaticClass() {
  using T = TDravikStatusForm;
  static const TClassRecord& record =
      TClassBuilder<T, TSuperForm>("TDravikStatusForm", "DravikStatus")
          .Method<&T::SaveClick>("SaveClick")
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TDravikStatusForm::StaticClass());

TSortGrid* TDravikStatusForm::Grid() const {
  return FindOwned<TSortGrid>(this, "Grid");
}

std::string TDravikStatusForm::Text(const std::string& name) const {
  return FindOwned<TDravik>(this, "Dravik")->GetString(name);
}

void TDravikStatusForm::Init(const TStrings& warnings, const TStrings& errors, const TFont* font) {
  TSortGrid* grid = Grid();
  if (font) {
    grid->Font()->Assign(font);
    AdjustGridDefaultRowHeight(grid);
  }
  FindOwned<TLabel>(this, "CountWarnings")->SetCaption(IntToStr(warnings.Count()));
  FindOwned<TLabel>(this, "CountErrors")->SetCaption(IntToStr(errors.Count()));
  const int rows = errors.Count() + warnings.Count();
  grid->SetRowCount(rows + 1);
  grid->SetCells(0, 0, Text("Type"));
  grid->SetCells(1, 0, Text("Section"));
  grid->SetCells(2, 0, Text("Text"));
  int row = 1;
  for (const auto& [lines, type] : {std::pair{&errors, "Error"}, std::pair{&warnings, "Warning"}})
    for (int i = 0; i < lines->Count(); ++i, ++row) {
      const TStatusLine split = SplitStatusLine(lines->Strings(i));
      grid->SetCells(0, row, Text(type));
      grid->SetCells(1, row, split.Section);
      grid->SetCells(2, row, split.Text);
    }
  grid->AutoSizeColumns(true, kColumnPadding);
  grid->SetEnabled(rows > 0);
}

void TDravikStatusForm::SaveTo(const std::string& fileName) const {
  TSortGrid* grid = Grid();
  TIniFile ini(fileName);
  ini.BeginUpdate();
  for (int row = 1; row < grid->RowCount(); ++row) {
    const std::string& text = grid->Cells(2, row);
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos)
      ini.WriteString(grid->Cells(1, row), text, "");
    else
      ini.WriteString(grid->Cells(1, row), text.substr(0, equals), text.substr(equals + 1));
  }
  ini.EndUpdate();
}

void TDravikStatusForm::SaveClick(TObject*) {
  if (!Grid()->Enabled()) return;
  auto* dialog = FindOwned<TSaveDialog>(this, "SaveDialog");
  const std::string domain = FindOwned<TDravik>(this, "Dravik")->GetDomain();
  try {
    for (;;) {
      if (!dialog->Execute()) return;
      const std::string fileName = dialog->FileName();
      if (std::filesystem::exists(fileName)) {
        const int32_t answer = MsgEx(Format(Text("OverwriteDestFile"), {fileName}), "", mtWarning,
                                     domain, 0, {mbYes, mbNo, mbCancel});
        if (answer == mrNo) continue;
        if (answer != mrYes) return;
        std::filesystem::permissions(fileName, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
        std::filesystem::remove(fileName);
      }
      SaveTo(fileName);
      return;
    }
  } catch (const std::exception&) {
    MsgEx(Text("SaveError"), "", mtError, domain, 0, {mbOK});
  }
}

static const bool kInstalled = [] {
  EditorDialogs().Status = [](TDravikEditorForm& editor, const TStrings& adjusted,
                              const TStrings& rejected) {
    TComponentPtr<TDravikStatusForm> form = MakeComponent<TDravikStatusForm>(Application);
    form->Init(adjusted, rejected, editor.Grid()->Font());
    form->ShowModal();
  };
  return true;
}();

}  // namespace dravik
