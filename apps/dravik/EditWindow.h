#pragma once
// dravik edit as dravik-edit runs it: the language editor on a form file's TDravik.

#include <functional>
#include <optional>
#include <string>

#include "apps/dravik/Command.h"

namespace dravik {

class TDravikEditorForm;

extern const TCommand EditWindowCommand;

// Opens the editor on the form file's first TDravik (unit: the unit's file name, for unit mode),
// lets show run the window, and writes the file back atomically in its own kind when the window
// reports a commit; answers whether it did.
bool EditFormFile(const std::string& path, const std::optional<std::string>& unit,
                  const std::function<void(TDravikEditorForm& editor)>& show);

}  // namespace dravik
