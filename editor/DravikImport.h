#pragma once
// Before the language editor imports an exported language file: the file's sections (one per
// form class and language) to choose from, and how the imported values meet the existing ones.

#include <string>

#include "runtime/LanguageManager.h"
#include "widgets/SuperForm.h"

namespace dravik {

class TConfigFile;
class TFont;
class TSortGridEx;
class TStrings;

class TDravikImportForm : public TSuperForm {
 public:
  using TSuperForm::TSuperForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // sections (not owned) holds "class=language" lines; on OK the unmarked ones are deleted.
  // Premarked are the sections of root's class in form mode, those without a class otherwise.
  // config, when given, is the editor's store, beside which the choices are kept as defaults.
  void Init(const std::string& fileName, TStrings& sections, TConfigFile* config, TFont* font,
            TComponent* root, bool formMode);
  TImportMode GetImportMode() const;
  bool GetInitNewProps() const;
  bool GetWarningsEnabled() const;
  TSortGridEx* Grid() const;

  void FormCloseQuery(TObject* sender, bool& canClose);
  void GridSelectQuery(TObject* sender, int32_t col, int32_t row, bool& selectable);
  void GridSelectUpdate(TObject* sender);

 private:
  bool Checked(const char* name) const;
  TStrings* fSections = nullptr;
};

}  // namespace dravik
