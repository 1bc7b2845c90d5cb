#pragma once
// The import's status dialog: the lines an import adjusted (warnings) and rejected (errors),
// listed by section, and saved in the layout of a language file to be corrected and imported
// again.

#include <string>

#include "widgets/SuperForm.h"

namespace dravik {

class TFont;
class TSortGrid;
class TStrings;

// A line "[Section]=Key=Value" as the dialog lists it: the section between the first character
// and the first "]", the text after the "=" that follows it; without "]" all of it is text.
struct TStatusLine {
  std::string Section, Text;
};
TStatusLine SplitStatusLine(const std::string& line);

class TDravikStatusForm : public TSuperForm {
 public:
  using TSuperForm::TSuperForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // Fills the grid, errors first; with font the grid takes it.
  void Init(const TStrings& warnings, const TStrings& errors, const TFont* font);
  // Writes the rows as a language file: each row's text, split at its first "=", becomes a
  // key and its value in the row's section. Throws on failure.
  void SaveTo(const std::string& fileName) const;

  void SaveClick(TObject* sender);

 private:
  TSortGrid* Grid() const;
  std::string Text(const std::string& name) const;
};

}  // namespace dravik
