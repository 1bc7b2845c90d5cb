#pragma once
// The message dialog every question, warning and error report of the system goes through. Its
// own TDravik gives the caption, the button texts and the error wording in the current language.

#include <cstdint>
#include <string>

#include "widgets/MsgDlgRules.h"
#include "widgets/SuperForm.h"

namespace dravik {

class TButtonItem;
class TButtonPanel;
class TDravik;
class TImage;
class TLabel;

struct TMsgDlgParams {
  std::string Text;
  std::string Caption;  // empty: the type's own caption
  TMsgDlgType Type = mtInformation;
  std::string Domain;  // the language domain the dialog's texts follow
  int32_t HelpContext = 0;
  uintptr_t ErrorAddress = 0;
  bool ErrorReport = false;  // the text may hold the error marker
  TMsgDlgButtons Buttons;    // empty: OK alone
};

class TMyMsgForm : public TSuperForm {
 public:
  using TSuperForm::TSuperForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // Builds the dialog (caption, icon, buttons, text, size) without showing it.
  void Prepare(const TMsgDlgParams& params);
  // Prepares and shows the dialog modally; answers the modal result.
  int32_t Execute(const TMsgDlgParams& params);

  TDravik* Dravik() const;
  TLabel* MessageLabel() const;
  TImage* IconImage() const;
  TButtonPanel* ButtonPanel() const;
  // The button the close box and Escape answer, or null.
  TButtonItem* CancelButton() const { return fCancelButton; }
  TMsgDlgBtn ButtonKind(const TButtonItem* item) const;
  bool ButtonPressed() const { return fButtonPressed; }
  uintptr_t ErrorAddress() const { return fErrorAddress; }

  void ButtonClick(TObject* sender, TButtonItem* item);
  void FormClose(TObject* sender, TCloseAction& action);

 protected:
  void AfterConstruction() override;

 private:
  void AddButtons(TMsgDlgButtons buttons);
  void LayOut(const std::string& text, bool wider);

  std::vector<TMsgDlgBtn> fKinds;  // the kind of each button item, by index
  TButtonItem* fCancelButton = nullptr;
  uintptr_t fErrorAddress = 0;
  bool fButtonPressed = false;
  int32_t fDesignedWidth = 0, fDesignedHeight = 0;
};

}  // namespace dravik
