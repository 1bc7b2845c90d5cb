#pragma once
// The one way into the language editor window, for the component editor, the property editors
// and programs that start it directly.

#include <functional>
#include <string>

namespace dravik {

class TComponent;
class TDravik;
class TLanguageManager;

// Shows the editor window modally for control's form and manager (the unit's file name may be
// empty: the unit is then found through the form); answers whether the user committed.
using TDravikEditorWindow = std::function<bool(const std::string& fileName, TComponent* form,
                                               TLanguageManager& manager, TDravik& control)>;

// Installs the window; an empty function removes it.
void SetDravikEditorWindow(TDravikEditorWindow window);

// Prepares the control's languages, shows the window and, after a commit, tells the control's
// listeners; answers whether a commit happened. Exception for a control without manager, or when
// no window is installed.
bool ExecuteDravikEditor(const std::string& fileName, TDravik* control);

}  // namespace dravik
