#include "editor/DravikEditor.h"

#include "platform/core/system/Exceptions.h"
#include "runtime/Dravik.h"

namespace dravik {

namespace {

TDravikEditorWindow& Window() {
  static TDravikEditorWindow window;
  return window;
}

}  // namespace

void SetDravikEditorWindow(TDravikEditorWindow window) {
  Window() = std::move(window);
}

bool ExecuteDravikEditor(const std::string& fileName, TDravik* control) {
  if (!control || !control->LanguageManager())
    throw Exception("Component editor cannot be started for this component");
  TLanguageManager& manager = *control->LanguageManager();
  manager.Init(cmInitAll);
  if (!Window()) throw Exception("The language editor is not available in this program");
  const bool accepted = Window()(fileName, manager.Owner(), manager, *control);
  if (accepted) control->SendChangeNotify(control);
  return accepted;
}

}  // namespace dravik
