#pragma once
// The overview window: which TDravik components and other members the language frames of the
// running environment hold, and in which language.

#include "widgets/SuperForm.h"

namespace dravik {

class TTreeNode;

class TDravikViewForm : public TSuperForm {
 public:
  using TSuperForm::TSuperForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // The top nodes stay open.
  void TreeCollapsing(TObject* sender, TTreeNode* node, bool& allowCollapse);

 protected:
  void AfterConstruction() override;
  void BeforeDestruction() override;
};

// Shows the window modally over the frames as they are now, and frees it.
void ShowDravikViewForm();

}  // namespace dravik
