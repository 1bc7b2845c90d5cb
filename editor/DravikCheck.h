#pragma once
// The consistency check of a unit's GetString calls against the named strings of the edited
// TDravik: a dialog lists the unknown IDs and the calls it cannot check, the developer picks a
// repair for each, and the repairs change the editor's copy of the source and its strings.

#include <string>
#include <vector>

#include "widgets/SuperForm.h"

namespace dravik {

class TConfigFile;
class TDravikEditorForm;
class TDravikParser;
class TExIniFile;
class TFont;
class TLanguageManager;
class TListView;

// One finding of the check and the repair chosen for it.
struct TVerifyRow {
  bool Error = false;  // an unknown ID; otherwise a call the checker could not read
  std::string Text;    // the ID, or an excerpt of the call
  int32_t Offset = 0;  // of the ID's literal, or of the call's argument
  std::string Action;  // empty, or one of the action texts
};

// Applies the rows' actions: new strings go into manager, the other repairs into source, each
// at its own offset. sourceModified is set when source changed; answers whether strings were
// added.
bool ApplyVerifyActions(const std::vector<TVerifyRow>& rows, TLanguageManager& manager,
                        std::string& source, bool& sourceModified);

class TDravikVerifyForm : public TSuperForm {
 public:
  using TSuperForm::TSuperForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // Fills the lists from the checker's findings; config, when given, is the editor's store,
  // beside which the dialog keeps its own settings.
  void Init(TLanguageManager& manager, const std::vector<std::string>& names, TConfigFile* config,
            TFont* font, const TDravikParser& parser);
  // Applies the chosen actions (after OK); answers whether strings were added.
  bool Modify(std::string& source, bool& sourceModified);
  const std::vector<TVerifyRow>& Rows() const { return fRows; }

  // Handlers named in the form file.
  void ListChange(TObject* sender);
  void BtnUseClick(TObject* sender);
  void BtnAddClick(TObject* sender);
  void BtnInsHintClick(TObject* sender);
  void DravikChange(TObject* sender);
  void ConfigAfterLoad(TObject* sender, TExIniFile* iniFile);
  void ConfigAfterSave(TObject* sender, TExIniFile* iniFile);

 protected:
  void BeforeDestruction() override;

 private:
  TListView* ListErr() const;
  TListView* ListAvail() const;
  void ToggleAction(const std::string& action);
  void UpdateButtons();
  void WriteHeadline();
  void ShowRows();

  TLanguageManager* fManager = nullptr;
  std::vector<TVerifyRow> fRows;
  int fErrorCount = 0;
  bool fHandPicked = false;
  bool fSelecting = false;
  bool fSaveConfig = false;
};

// The check the editor runs: quiet shows nothing when there are no findings. Answers whether
// strings were added (the editor then rebuilds its grid).
bool VerifyDravikStrings(TDravikEditorForm& editor, bool quiet);

}  // namespace dravik
