#include "platform/ide/ComponentEditor.h"

namespace dravik {

void TComponentEditor::Edit() {
  if (GetVerbCount() > 0) ExecuteVerb(0);
}

void TComponentEditor::Modified() {
  if (fDesigner) fDesigner->Modified();
}

}  // namespace dravik
