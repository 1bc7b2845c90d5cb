#include "editor/EditorDialogs.h"

namespace dravik {

TEditorDialogs& EditorDialogs() {
  static TEditorDialogs dialogs;
  return dialogs;
}

}  // namespace dravik
