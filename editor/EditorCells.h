#pragma once
// What the language editor's grid shows, apart from the grid itself: which columns there are,
// which language slot a column shows, how a value is written in a cell and how typed text is
// read back.

#include <string>
#include <vector>

namespace dravik {

class TConsistentLangPropertyEntry;
class TLanguageManager;
class TMainEntry;
class TPropertyEntry;

enum TInfoColumn { icCompName, icCompType, icPropType, icDescriptor };

// The view's choices, as the checked items of the View menu.
struct TEditorView {
  bool FormMode = true;
  bool CompName = true;
  bool CompType = false;
  bool PropType = true;
  bool Descriptor = true;  // the descriptor column (form mode), the string ID (unit mode)
};

struct TEditorColumns {
  std::vector<TInfoColumn> Info;  // the information columns, left to right
  int FirstLangCol = 0;
  int IDCol = -1;  // the descriptor or string-ID column; -1 when hidden
  int LanguageColumns = 1;
};

// The columns for a view; languages is the number of languages (one column stands in for none).
TEditorColumns EditorColumns(const TEditorView& view, int languages);

// The value slot column col shows: the SubIndex of language col - firstLangCol, else slot 0.
int ColToLangIndex(const TLanguageManager& manager, int firstLangCol, int col);

// A slot's value as a cell shows it; a colour ("TColor") as "$" and 8 upper-case hex digits.
std::string TranslateValue(const TConsistentLangPropertyEntry& entry, int slot);

// Typed text for an integer property in decimal ("0x10", "$10" and "10h" give "16"; for a
// colour also its identifier, "clRed"); text that is no number stays as typed.
std::string NormalizeIntegerText(const std::string& text, const std::string& typeName);

// The top-level component entry a property entry belongs to (through sub-objects).
TMainEntry* ComponentEntryOf(const TPropertyEntry& entry);

}  // namespace dravik
