#include "editor/DravikCheck.h"

#include <algorithm>

#include "editor/DravikEditorForm.h"
#include "editor/EditorDialogs.h"
#include "editor/LanguageGrid.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "runtime/LanguageManager.h"
#include "source/DravikParser.h"
#include "widgets/ConfigFile.h"
#include "widgets/MsgDlg.h"

namespace dravik {

namespace {

const std::string kUsePrefix = "-> ";
const std::string kAddAction = "-> +";
const std::string kHint = " (* ??? TDravik *) ";
const std::string kHintAction = "-> " + kHint;
constexpr int32_t kCheckHelpContext = 4000;

struct TSourceEdit {
  int32_t Offset;
  int32_t Length;
  std::string Text;
};

std::string QuotedLiteral(const std::string& text) {
  std::string literal = "'";
  for (char c : text) literal += c == '\'' ? std::string("''") : std::string(1, c);
  return literal + "'";
}

// The length of the literal at offset, quotes included; 0 when none stands there. Taken from
// the source, since the reported ID is trimmed of the blanks the literal may hold.
int32_t LiteralLength(const std::string& source, int32_t offset) {
  const auto size = static_cast<int32_t>(source.size());
  if (offset < 0 || offset >= size || source[offset] != '\'') return 0;
  for (int32_t i = offset + 1; i < size; ++i) {
    if (source[i] == '\n' || source[i] == '\r') return 0;
    if (source[i] != '\'') continue;
    if (i + 1 < size && source[i + 1] == '\'') {
      ++i;
      continue;
    }
    return i + 1 - offset;
  }
  return 0;
}

}  // namespace

bool ApplyVerifyActions(const std::vector<TVerifyRow>& rows, TLanguageManager& manager,
                        std::string& source, bool& sourceModified) {
  bool stringsAdded = false;
  std::vector<TSourceEdit> edits;
  for (const TVerifyRow& row : rows) {
    const std::string id = Trim(row.Text);
    const std::string chosen = row.Action.size() > 3 ? row.Action.substr(3) : std::string();
    if (row.Action.starts_with(kAddAction)) {
      if (id.empty()) continue;
      manager.AddString(id);
      stringsAdded = true;
    } else if (chosen == kHint) {
      edits.push_back({row.Offset, 0, chosen});
    } else if (row.Error && !Trim(chosen).empty()) {
      // A literal the source no longer holds at the offset is left alone rather than guessed.
      const int32_t length = LiteralLength(source, row.Offset);
      if (length > 0) edits.push_back({row.Offset, length, QuotedLiteral(Trim(chosen))});
    }
  }
  std::stable_sort(edits.begin(), edits.end(),
                   [](const TSourceEdit& a, const TSourceEdit& b) { return a.Offset > b.Offset; });
  for (const TSourceEdit& edit : edits) {
    if (edit.Offset < 0 || edit.Offset > static_cast<int32_t>(source.size())) continue;
    source.replace(static_cast<std::size_t>(edit.Offset), static_cast<std::size_t>(edit.Length),
                   edit.Text);
    sourceModified = true;
  }
  return stringsAdded;
}

const TClassRecord& TDravikVerifyForm::StaticClass() {
  using T = TDravikVerifyForm;
  static const TClassRecord& record =
      TClassBuilder<T, TSuperForm>("TDravikVerifyForm", "DravikCheck")
          .Method<&T::ListChange>("ListChange")
          .Method<&T::BtnUseClick>("BtnUseClick")
          .Method<&T::BtnAddClick>("BtnAddClick")
          .Method<&T::BtnInsHintClick>("BtnInsHintClick")
          .Method<&T::DravikChange>("DravikChange")
          .Method<&T::ConfigAfterLoad>("ConfigAfterLoad")
          .Method<&T::ConfigAfterSave>("ConfigAfterSave")
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TDravikVerifyForm::StaticClass());

TListView* TDravikVerifyForm::ListErr() const {
  return FindOwned<TListView>(this, "ListErr");
}

TListView* TDravikVerifyForm::ListAvail() const {
  return FindOwned<TListView>(this, "ListAvail");
}

void TDravikVerifyForm::Init(TLanguageManager& manager, const std::vector<std::string>& names,
                             TConfigFile* config, TFont* font, const TDravikParser& parser) {
  fManager = &manager;
  if (font) {
    ListErr()->SetFont(font);
    ListAvail()->SetFont(font);
  }
  if (config) {
    LoadBesideEditorStore(*FindOwned<TConfigFile>(this, "Config"), *config);
    fSaveConfig = true;
  }
  fRows.clear();
  for (const TSourceEntry& entry : parser.UnknownIDs())
    fRows.push_back({true, entry.Text, entry.Offset, {}});
  for (const TSourceEntry& entry : parser.InvalidCalls())
    fRows.push_back({false, entry.Text, entry.Offset, {}});
  fErrorCount = static_cast<int>(parser.UnknownIDs().size());
  std::vector<std::string> sorted = names;
  std::sort(sorted.begin(), sorted.end());
  ListAvail()->Items()->Clear();
  for (const std::string& name : sorted) ListAvail()->Items()->Add()->SetCaption(name);
  ShowRows();
  fSelecting = true;
  ListErr()->SetItemIndex(fRows.empty() ? -1 : 0);
  ListAvail()->SetItemIndex(sorted.empty() ? -1 : 0);
  fSelecting = false;
  WriteHeadline();
  UpdateButtons();
  fHandPicked = false;
}

void TDravikVerifyForm::ShowRows() {
  const int32_t selected = ListErr()->ItemIndex();
  TListItems* items = ListErr()->Items();
  items->BeginUpdate();
  items->Clear();
  for (const TVerifyRow& row : fRows) {
    TListItem* item = items->Add();
    item->SetCaption(
        FindOwned<TDravik>(this, "Dravik")->GetString(row.Error ? "Error" : "Warning"));
    item->SubItems()->Add(row.Text);
    item->SubItems()->Add(row.Action);
  }
  items->EndUpdate();
  fSelecting = true;
  ListErr()->SetItemIndex(selected);
  fSelecting = false;
}

void TDravikVerifyForm::WriteHeadline() {
  const auto* dravik = FindOwned<TDravik>(this, "Dravik");
  FindOwned<TLabel>(this, "Headline")
      ->SetCaption(Format(dravik->GetString("InvalidRefs"), {fErrorCount}));
}

void TDravikVerifyForm::UpdateButtons() {
  const int32_t row = ListErr()->ItemIndex();
  const bool any = row >= 0 && row < static_cast<int32_t>(fRows.size());
  const bool error = any && fRows[static_cast<std::size_t>(row)].Error;
  FindOwned<TButton>(this, "BtnUse")->SetEnabled(error && ListAvail()->ItemIndex() >= 0);
  FindOwned<TButton>(this, "BtnAdd")->SetEnabled(error);
  FindOwned<TButton>(this, "BtnInsHint")->SetEnabled(any);
}

void TDravikVerifyForm::ListChange(TObject* sender) {
  if (sender == ListErr() && !fSelecting) fHandPicked = true;
  UpdateButtons();
}

void TDravikVerifyForm::ToggleAction(const std::string& action) {
  const int32_t row = ListErr()->ItemIndex();
  if (row < 0 || row >= static_cast<int32_t>(fRows.size())) return;
  std::string& current = fRows[static_cast<std::size_t>(row)].Action;
  current = current == action ? std::string() : action;
  ShowRows();
  if (!fHandPicked && row + 1 < static_cast<int32_t>(fRows.size())) {
    fSelecting = true;
    ListErr()->SetItemIndex(row + 1);
    fSelecting = false;
  }
  UpdateButtons();
}

void TDravikVerifyForm::BtnUseClick(TObject*) {
  const int32_t avail = ListAvail()->ItemIndex();
  const int32_t row = ListErr()->ItemIndex();
  if (avail < 0 || row < 0 || row >= static_cast<int32_t>(fRows.size()) ||
      !fRows[static_cast<std::size_t>(row)].Error)
    return;
  ToggleAction(kUsePrefix + ListAvail()->Items()->Items(avail)->Caption());
}

void TDravikVerifyForm::BtnAddClick(TObject*) {
  const int32_t row = ListErr()->ItemIndex();
  if (row < 0 || row >= static_cast<int32_t>(fRows.size()) ||
      !fRows[static_cast<std::size_t>(row)].Error)
    return;
  ToggleAction(kAddAction);
}

void TDravikVerifyForm::BtnInsHintClick(TObject*) {
  ToggleAction(kHintAction);
}

void TDravikVerifyForm::DravikChange(TObject*) {
  if (!FindOwned<TLabel>(this, "Headline")) return;
  WriteHeadline();
  if (!fRows.empty()) ShowRows();
}

// The lists' column widths, one key per column ("ListErr.Column0").
void TDravikVerifyForm::ConfigAfterLoad(TObject*, TExIniFile* iniFile) {
  const std::string section = FindOwned<TConfigFile>(this, "Config")->SectionName();
  for (TListView* list : {ListErr(), ListAvail()})
    for (int i = 0; i < list->Columns()->Count(); ++i) {
      TListColumn* column = list->Columns()->Items(i);
      const std::string key = list->Name() + ".Column" + IntToStr(i);
      column->SetWidth(std::max(iniFile->ReadInteger(section, key, column->Width()), 8));
    }
}

void TDravikVerifyForm::ConfigAfterSave(TObject*, TExIniFile* iniFile) {
  const std::string section = FindOwned<TConfigFile>(this, "Config")->SectionName();
  for (TListView* list : {ListErr(), ListAvail()})
    for (int i = 0; i < list->Columns()->Count(); ++i)
      iniFile->WriteInteger(section, list->Name() + ".Column" + IntToStr(i),
                            list->Columns()->Items(i)->Width());
}

bool TDravikVerifyForm::Modify(std::string& source, bool& sourceModified) {
  return ApplyVerifyActions(fRows, *fManager, source, sourceModified);
}

void TDravikVerifyForm::BeforeDestruction() {
  if (fSaveConfig) FindOwned<TConfigFile>(this, "Config")->Save();
  TSuperForm::BeforeDestruction();
}

bool VerifyDravikStrings(TDravikEditorForm& editor, bool quiet) {
  if (editor.SourceText().empty()) return false;
  TLanguageManager& manager = *editor.WorkManager();
  std::vector<std::string> names;
  for (int i = 0; i < manager.Names()->Count(); ++i) names.push_back(manager.Names()->Strings(i));
  TDravikParser parser(editor.Control() ? editor.Control()->Name() : std::string(),
                       editor.SourceText(), names);
  const std::string domain = editor.Dravik()->GetDomain();
  if (!parser.Check(editor.FormMode())) {
    MsgEx(editor.Text("ESyntaxError"), "", mtError, domain, kCheckHelpContext, {mbOK, mbHelp});
    return false;
  }
  if (parser.UnknownIDs().empty() && parser.InvalidCalls().empty()) {
    if (!quiet)
      MsgEx(editor.Text("NoWarningsOrErrors"), "", mtInformation, domain, kCheckHelpContext,
            {mbOK, mbHelp});
    return false;
  }
  TComponentPtr<TDravikVerifyForm> dialog = MakeComponent<TDravikVerifyForm>(nullptr);
  dialog->Init(manager, names, editor.Config(), editor.Grid()->Font(), parser);
  if (dialog->ShowModal() != mrOk) return false;
  bool sourceModified = false;
  const bool stringsAdded = dialog->Modify(editor.SourceText(), sourceModified);
  if (sourceModified) editor.SetSourceModified();
  if (sourceModified || stringsAdded) editor.SetDataModified();
  if (!stringsAdded) editor.WriteStatus();
  return stringsAdded;
}

static const bool kInstalled = [] {
  EditorDialogs().VerifyStrings = VerifyDravikStrings;
  return true;
}();

}  // namespace dravik
