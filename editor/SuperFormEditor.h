#pragma once
// The tracking-size editor of a form of the form base: enable each of the two limits, type its
// sizes or take the form's current size.

#include "widgets/SuperForm.h"

namespace dravik {

class TFormDesigner;

class TSuperFormEditor : public TSuperForm {
 public:
  using TSuperForm::TSuperForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // Shows target's limits; Current takes target's size.
  void Init(TSuperForm* target);
  // Puts the entries into target's limits; they were checked when the window closed with OK.
  void Apply(TSuperForm& target) const;

  void CurrentClick(TObject* sender);
  // Closing with OK checks that every size is an integer and names the first that is not.
  void FormCloseQuery(TObject* sender, bool& canClose);

 private:
  TSuperForm* fTarget = nullptr;
};

// Shows the editor for form; after OK the form holds the new limits, the designer hears of it
// and the form is laid out again. Answers whether OK was chosen.
bool EditSuperForm(TSuperForm& form, TFormDesigner* designer);

}  // namespace dravik
