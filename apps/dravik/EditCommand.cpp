// dravik edit: the editor window needs the visual framework, which the tool itself does
// without; the program beside the tool that has it shows the window.
#include "apps/dravik/Command.h"
#include "apps/dravik/Companion.h"
#include "apps/dravik/EditUsage.h"

namespace dravik {

namespace {

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  RunCompanion("dravik-edit", "edit", args, out);
}

}  // namespace

const TCommand EditCommand{"edit", "open the language editor on a form file", kEditUsage, Run};

}  // namespace dravik
