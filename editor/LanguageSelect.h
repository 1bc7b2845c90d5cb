#pragma once
// The list of a TDravik's languages as the language editor lets a developer define it: names,
// free user information and the default language, handed to the working manager on OK.

#include <memory>
#include <string>

#include "widgets/SortGrid.h"
#include "widgets/SuperForm.h"

namespace dravik {

class TConfigFile;
class TFont;
class TLanguageEntries;
class TLanguageManager;
class TLanguageGrid;

// Whether every name is given and names a language no other entry names ("Deutsch" and
// "German" are one); unknown lists, separated by ", ", the names the language table does not
// know in English or in the language itself.
bool CheckLanguageNames(const TLanguageEntries& languages, std::string& unknown);

class TLanguageSelectForm : public TSuperForm {
 public:
  explicit TLanguageSelectForm(TComponent* owner);
  ~TLanguageSelectForm() override;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // Copies manager's languages; config, when given, is the editor's store, beside which the
  // dialog remembers its last list and the choice of English names.
  void Init(TLanguageManager& manager, bool initNewProps, TFont* font, TConfigFile* config);
  const TLanguageEntries& Languages() const { return *fLanguages; }
  TLanguageGrid* Grid() const;

  // Opens the pick list for the name in the cursor's row.
  void ShowLanguageList();

  void FormShow(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void GridSelectCell(TObject* sender, int32_t col, int32_t row, bool& canSelect);
  void GridCellValidate(TObject* sender, int32_t col, int32_t row, std::string& value, bool& valid);
  void GridGetCellFormat(TObject* sender, int32_t col, int32_t row, TGridDrawState state,
                         TFormatOptions& format);
  void GridKeyDown(TObject* sender, int32_t& key, TShiftState shift);
  void GridDblClick(TObject* sender);
  void BtnAddClick(TObject* sender);
  void BtnRemoveClick(TObject* sender);
  void BtnDefaultClick(TObject* sender);
  void BtnUpClick(TObject* sender);
  void BtnDownClick(TObject* sender);

 private:
  std::string Text(const std::string& name) const;
  int32_t Message(const std::string& text, int type, std::initializer_list<int> buttons) const;
  // The entry of a grid row, -1 for the header and the empty row.
  int EntryOfRow(int32_t row) const;
  void FillGrid();
  void EditName(int32_t row);
  void CheckConditions();
  bool Accept();

  TLanguageManager* fManager = nullptr;
  std::unique_ptr<TLanguageEntries> fLanguages;
  bool fInitNewProps = false;
  bool fRemember = false;
  bool fEditOnShow = false;
};

// The dialog over the editor's working manager; whether it was confirmed.
bool EditLanguages(TLanguageManager& manager, bool initNewProps, TFont* font, TConfigFile* config);

}  // namespace dravik
