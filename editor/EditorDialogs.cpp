#include "editor/EditorDialogs.h"

#include "widgets/ConfigFile.h"

namespace dravik {

TEditorDialogs& EditorDialogs() {
  static TEditorDialogs dialogs;
  return dialogs;
}

void LoadBesideEditorStore(TConfigFile& own, const TConfigFile& editorStore) {
  own.SetMode(editorStore.Mode());
  own.SetRegistryRoot(editorStore.RegistryRoot());
  own.SetRegistryPath(editorStore.RegistryPath());
  own.SetFileName(editorStore.FileName());
  own.Load();
}

}  // namespace dravik
