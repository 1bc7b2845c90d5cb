#include "editor/DravikList.h"

#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/DravikSystem.h"

namespace dravik {

const TClassRecord& TLanguageListForm::StaticClass() {
  using T = TLanguageListForm;
  static const TClassRecord& record =
      TClassBuilder<T, TSuperForm>("TLanguageListForm", "DravikList")
          .Method<&T::BtnEnglishLangNamesClick>("BtnEnglishLangNamesClick")
          .Method<&T::ListChange>("ListChange")
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TLanguageListForm::StaticClass());

void TLanguageListForm::Init(const std::string& name, TFont* font, bool englishNames) {
  if (font) FindOwned<TListBox>(this, "List")->SetFont(font);
  FindOwned<TCheckBox>(this, "BtnEnglishLangNames")->SetChecked(englishNames);
  Fill();
  Preselect(Trim(name));
}

void TLanguageListForm::Fill() {
  auto* list = FindOwned<TListBox>(this, "List");
  const bool english = FindOwned<TCheckBox>(this, "BtnEnglishLangNames")->Checked();
  GetDefaultLanguages(english ? lnEnglish : lnOriginal, *list->Items());
  list->SetItemIndex(-1);
}

void TLanguageListForm::Preselect(std::string name) {
  auto* list = FindOwned<TListBox>(this, "List");
  if (name.empty()) {
    std::string english, original;
    GetDefaultLanguage(english, original);
    const bool englishShown = FindOwned<TCheckBox>(this, "BtnEnglishLangNames")->Checked();
    name = !english.empty() && (original.empty() || englishShown) ? english : original;
  }
  int index = list->Items()->IndexOf(name);
  if (index < 0) {
    std::string other = name;
    if (TranslateLanguage(lnEnglish, other) || TranslateLanguage(lnOriginal, other))
      index = list->Items()->IndexOf(other);
  }
  list->SetItemIndex(index);
  fSelected = index >= 0 ? list->Items()->Strings(index) : std::string();
}

std::string TLanguageListForm::Selected() const {
  return fSelected;
}

void TLanguageListForm::BtnEnglishLangNamesClick(TObject*) {
  const std::string kept = fSelected;
  Fill();
  Preselect(kept);
}

void TLanguageListForm::ListChange(TObject*) {
  auto* list = FindOwned<TListBox>(this, "List");
  const int index = list->ItemIndex();
  if (index >= 0) fSelected = list->Items()->Strings(index);
}

bool ExecuteLanguageList(std::string& name, bool& changed, TFont* font, bool& englishNames) {
  TComponentPtr<TLanguageListForm> dialog = MakeComponent<TLanguageListForm>(nullptr);
  dialog->Init(name, font, englishNames);
  const bool ok = dialog->ShowModal() == mrOk;
  std::string result = Trim(name);
  if (ok) {
    result = Trim(dialog->Selected());
    englishNames = FindOwned<TCheckBox>(dialog.get(), "BtnEnglishLangNames")->Checked();
  }
  changed = result != Trim(name);
  if (ok) name = result;
  return ok;
}

}  // namespace dravik
