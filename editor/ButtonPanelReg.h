#pragma once
// The button panel at design time: verbs that replace its buttons by a common set or give it
// one of two button sizes, and verbs that make a plain button a dialog's command button.

#include "platform/ide/ComponentEditor.h"

namespace dravik {

class TButtonPanelEditor : public TComponentEditor {
 public:
  using TComponentEditor::TComponentEditor;
  int GetVerbCount() override;
  std::string GetVerb(int index) override;
  void ExecuteVerb(int index) override;
};

class TButtonEditor : public TComponentEditor {
 public:
  using TComponentEditor::TComponentEditor;
  int GetVerbCount() override;
  std::string GetVerb(int index) override;
  void ExecuteVerb(int index) override;
};

}  // namespace dravik
