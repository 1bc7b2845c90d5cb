#include "widgets/VersionInfoForm.h"

#include "platform/core/classes/UpdateScope.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/UnitVersion.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "runtime/Dravik.h"
#include "widgets/ConfigFile.h"
#include "widgets/MsgDlg.h"

namespace dravik {

const TClassRecord& TVersionInfoForm::StaticClass() {
  using T = TVersionInfoForm;
  static const TClassRecord& record =
      TClassBuilder<T, TSuperForm>("TVersionInfoForm", "VersionInfo")
          .Method<&T::ListColumnClick>("ListColumnClick")
          .Method<&T::SaveClick>("SaveClick")
          .Method<&T::CloseClick>("CloseClick")
          .Method<&T::FontClick>("FontClick")
          .Build();
  return record;
}
static const TClassRegistration kFormRegistration(TVersionInfoForm::StaticClass());

void TVersionInfoForm::AfterConstruction() {
  TSuperForm::AfterConstruction();
  const std::vector<const char*>& registered = RegisteredUnitVersions();
  ShowHeaders(std::vector<std::string>(registered.begin(), registered.end()));
}

void TVersionInfoForm::BeforeDestruction() {
  Config()->Save();
  TSuperForm::BeforeDestruction();
}

TListView* TVersionInfoForm::List() const {
  return FindOwned<TListView>(this, "List");
}

TStatusBar* TVersionInfoForm::Status() const {
  return FindOwned<TStatusBar>(this, "Status");
}

TConfigFile* TVersionInfoForm::Config() const {
  return FindOwned<TConfigFile>(this, "ConfigFile");
}

void TVersionInfoForm::ShowHeaders(const std::vector<std::string>& headers) {
  int invalid = 0;
  fRows = VersionRows(headers, invalid);
  fSortColumn = -1;
  RowsToList();
  TDravik* dravik = FindOwned<TDravik>(this, "Dravik");
  Status()->Panels()->Items(0)->SetText(dravik->GetString("ValidEntries") + " " +
                                        std::to_string(fRows.size()));
  Status()->Panels()->Items(1)->SetText(
      invalid ? dravik->GetString("InvalidEntries") + " " + std::to_string(invalid) : "");
}

void TVersionInfoForm::RowsToList() {
  TListItems* items = List()->Items();
  TUpdateScope update(*items);
  items->Clear();
  for (const TVersionRow& row : fRows) {
    TListItem* item = items->Add();
    item->SetCaption(row.Unit);
    for (int c = 1; c < 5; ++c) item->SubItems()->Add(row.Column(c));
  }
}

void TVersionInfoForm::SortBy(int column) {
  fDescending = column == fSortColumn && !fDescending;
  fSortColumn = column;
  SortVersionRows(fRows, column, fDescending);
  RowsToList();
}

bool TVersionInfoForm::SaveList(const std::string& fileName) {
  try {
    SaveFileAtomically(fileName, VersionListText(fRows));
    return true;
  } catch (const Exception& e) {
    TDravik* dravik = FindOwned<TDravik>(this, "Dravik");
    Msg(dravik->GetString("SaveError") + "\n\n" + e.Message(), "", mtError, 0, {mbOK});
    return false;
  }
}

void TVersionInfoForm::ListColumnClick(TObject*, TListColumn* column) {
  SortBy(column->Index());
}

void TVersionInfoForm::SaveClick(TObject*) {
  auto* dialog = FindOwned<TSaveDialog>(this, "SaveDialog");
  if (dialog->Execute()) SaveList(dialog->FileName());
}

void TVersionInfoForm::CloseClick(TObject*) {
  Close();
}

void TVersionInfoForm::FontClick(TObject*) {
  auto* dialog = FindOwned<TFontDialog>(this, "FontDialog");
  dialog->SetFont(List()->Font());
  if (dialog->Execute()) List()->SetFont(dialog->Font());
}

const TClassRecord& TVersionInfo::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TVersionInfo, TComponent>("TVersionInfo", "VersionInfo").Build();
  return record;
}
static const TClassRegistration kComponentRegistration(TVersionInfo::StaticClass());

void TVersionInfo::Execute() {
  TComponentPtr<TVersionInfoForm> form = MakeComponent<TVersionInfoForm>(nullptr);
  form->ShowModal();
}

}  // namespace dravik
