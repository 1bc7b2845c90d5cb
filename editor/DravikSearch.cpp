#include "editor/DravikSearch.h"

#include "editor/DravikEditorForm.h"
#include "editor/EditorDialogs.h"
#include "platform/core/forms/Application.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/StdCtrls.h"
#include "widgets/ConfigFile.h"
#include "widgets/MRUComboBox.h"

namespace dravik {

namespace {

constexpr int32_t kHelpContext = 4500;

bool IsChecked(const TComponent* form, const char* name) {
  return FindOwned<TCheckBox>(form, name)->Checked();
}

}  // namespace

const TClassRecord& TDravikSearchForm::StaticClass() {
  using T = TDravikSearchForm;
  static const TClassRecord& record =
      TClassBuilder<T, TSuperForm>("TDravikSearchForm", "DravikSearch")
          .Method<&T::HelpClick>("HelpClick")
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TDravikSearchForm::StaticClass());

bool TDravikSearchForm::Execute(std::string& pattern, TSearchIn& mode, TConfigFile* config,
                                TSearchOptions& options) {
  TComponentPtr<TDravikSearchForm> form = MakeComponent<TDravikSearchForm>(Application);
  auto* store = FindOwned<TConfigFile>(form.get(), "Config");
  if (config) {
    store->SetMode(config->Mode());
    store->SetFileName(config->FileName());
    store->SetRegistryRoot(config->RegistryRoot());
    store->SetRegistryPath(config->RegistryPath());
    store->Load();
  }
  const bool confirmed = form->ShowModal() == mrOk;
  // The box takes its text into the history, trimmed; an empty text would revert to the last
  // entry there, but the user asked for no pattern.
  auto* edit = FindOwned<TMRUComboBox>(form.get(), "EditPattern");
  const bool empty = Trim(edit->Text()).empty();
  edit->Commit();
  if (!confirmed) return false;
  pattern = empty ? std::string() : edit->Text();
  mode = IsChecked(form.get(), "BtnInValues")  ? siValues
         : IsChecked(form.get(), "BtnInDescs") ? siDescs
                                               : siNames;
  options = {};
  if (IsChecked(form.get(), "BtnCaseSensitive")) options.Include(soCaseSensitive);
  if (IsChecked(form.get(), "BtnFromCursor")) options.Include(soFromCursor);
  if (IsChecked(form.get(), "BtnBackward")) options.Include(soBackward);
  store->Save();
  return true;
}

void TDravikSearchForm::HelpClick(TObject*) {
  if (Application) Application->HelpContext(kHelpContext);
}

static const bool kInstalled = [] {
  EditorDialogs().Search = [](TDravikEditorForm& editor, TSearchRequest& request) {
    return TDravikSearchForm::Execute(request.Pattern, request.Mode, editor.Config(),
                                      request.Options);
  };
  return true;
}();

}  // namespace dravik
