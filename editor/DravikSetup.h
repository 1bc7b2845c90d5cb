#pragma once
// The component setup dialog: a TDravik's domain and its top-level flag, which only counts
// without a domain.

#include <string>

#include "platform/core/classes/Strings.h"
#include "widgets/SuperForm.h"

namespace dravik {

class TDravikSetupForm : public TSuperForm {
 public:
  using TSuperForm::TSuperForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // domains are offered in the list; domain and topLevel are changed only on OK.
  static bool Execute(const TStrings& domains, std::string& domain, bool& topLevel);

  // The top-level box is enabled only while the domain, trimmed, is empty.
  void EditDomainChange(TObject* sender);
  void HelpClick(TObject* sender);
};

}  // namespace dravik
