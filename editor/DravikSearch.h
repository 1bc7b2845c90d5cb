#pragma once
// The language editor's search dialog: the pattern with its history, where to search and how.
// Its choices and the history are kept beside the editor's settings.

#include <string>

#include "editor/EditorSearch.h"
#include "widgets/SuperForm.h"

namespace dravik {

class TConfigFile;

class TDravikSearchForm : public TSuperForm {
 public:
  using TSuperForm::TSuperForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // Shows the dialog; with config its settings are stored at config's location. True on OK,
  // and then the rest is filled in.
  static bool Execute(std::string& pattern, TSearchIn& mode, TConfigFile* config,
                      TSearchOptions& options);

  void HelpClick(TObject* sender);
};

}  // namespace dravik
