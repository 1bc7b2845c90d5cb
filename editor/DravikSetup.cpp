#include "editor/DravikSetup.h"

#include "editor/EditorDialogs.h"
#include "platform/core/forms/Application.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/StdCtrls.h"

namespace dravik {

namespace {

constexpr int32_t kHelpContext = 9000;

}  // namespace

const TClassRecord& TDravikSetupForm::StaticClass() {
  using T = TDravikSetupForm;
  static const TClassRecord& record =
      TClassBuilder<T, TSuperForm>("TDravikSetupForm", "DravikSetup")
          .Method<&T::EditDomainChange>("EditDomainChange")
          .Method<&T::HelpClick>("HelpClick")
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TDravikSetupForm::StaticClass());

bool TDravikSetupForm::Execute(const TStrings& domains, std::string& domain, bool& topLevel) {
  TComponentPtr<TDravikSetupForm> form = MakeComponent<TDravikSetupForm>(Application);
  auto* edit = FindOwned<TComboBox>(form.get(), "EditDomain");
  auto* box = FindOwned<TCheckBox>(form.get(), "BtnTopLevel");
  edit->Items()->Assign(&domains);
  edit->SetText(domain);
  box->SetChecked(topLevel);
  form->EditDomainChange(edit);
  if (form->ShowModal() != mrOk) return false;
  domain = edit->Text();
  topLevel = box->Checked();
  return true;
}

void TDravikSetupForm::EditDomainChange(TObject*) {
  FindOwned<TCheckBox>(this, "BtnTopLevel")
      ->SetEnabled(Trim(FindOwned<TComboBox>(this, "EditDomain")->Text()).empty());
}

void TDravikSetupForm::HelpClick(TObject*) {
  if (Application) Application->HelpContext(kHelpContext);
}

static const bool kInstalled = [] {
  EditorDialogs().Setup = [](TDravikEditorForm&, const std::vector<std::string>& domains,
                             std::string& domain, bool& topLevel) {
    TStringList list;
    for (const std::string& name : domains) list.Add(name);
    return TDravikSetupForm::Execute(list, domain, topLevel);
  };
  return true;
}();

}  // namespace dravik
