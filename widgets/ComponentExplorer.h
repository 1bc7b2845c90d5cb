#pragma once
// The component explorer as a control of another form: it makes the explorer window and shows
// that window's controls inside itself, so a dialog or an editor window can hold it.

#include "platform/ui/Controls.h"

namespace dravik {

class TCESettings;
class TComponentExplorerForm;
class TMainEntries;

class TComponentExplorer : public TWinControl {
 public:
  explicit TComponentExplorer(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TComponentExplorerForm* Form() const { return fForm; }
  TCESettings* Settings() const;
  void SetSettings(TCESettings* settings);
  // True takes the explorer window's designed size.
  bool DefaultSize() const { return fDefaultSize; }
  void SetDefaultSize(bool value);

  void Init(TComponent* root, TMainEntries* entries);
  void GetParam();
  void AssignClassRefs(const TClassRecord* propEntryClass);
  // Whether Init has run: until then a change of the settings only sets the controls.
  bool Initialized() const { return fInitialized; }
  void Loaded() override;

 protected:
  void AfterConstruction() override;
  QWidget* CreateWidget(QWidget* parentWidget) override;

 private:
  TComponentExplorerForm* fForm = nullptr;  // owned as a component
  bool fDefaultSize = false;
  bool fInitialized = false;
};

}  // namespace dravik
