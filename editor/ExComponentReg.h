#pragma once
// The component base at design time: the product's notice on every component built on it.

#include "platform/ide/ComponentEditor.h"

namespace dravik {

class TExComponentEditor : public TComponentEditor {
 public:
  using TComponentEditor::TComponentEditor;
  int GetVerbCount() override { return 1; }
  std::string GetVerb(int index) override { return index == 0 ? "About..." : ""; }
  void ExecuteVerb(int index) override;
};

}  // namespace dravik
