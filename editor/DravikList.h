#pragma once
// The pick list of the known language names, for one row of the language list.

#include <string>

#include "widgets/SuperForm.h"

namespace dravik {

class TFont;

class TLanguageListForm : public TSuperForm {
 public:
  using TSuperForm::TSuperForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // Fills the list with the English or the original names and selects name, found in either
  // kind; without a name the system's language.
  void Init(const std::string& name, TFont* font, bool englishNames);
  // The selected name; empty when none is.
  std::string Selected() const;

  void BtnEnglishLangNamesClick(TObject* sender);
  void ListChange(TObject* sender);

 private:
  void Fill();
  void Preselect(std::string name);
  std::string fSelected;
};

// Shows the pick list with name preselected. On OK name becomes the chosen entry and
// englishNames the box's state; changed tells whether name differs from the trimmed name given,
// whatever the answer.
bool ExecuteLanguageList(std::string& name, bool& changed, TFont* font, bool& englishNames);

}  // namespace dravik
