// A TSortGrid as separated text: one line per row, the cells split at a separator character.

#include "library/SeparatedText.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "widgets/SortGrid.h"

namespace dravik {

void TSortGrid::LoadFromFile(const std::string& fileName, char separator) {
  TSeparatedText text = ReadSeparatedText(fileName, separator, FixedCols() + 1, FixedRows() + 1);
  ReplaceCells(text.Cols, text.Rows, std::move(text.Cells));
}

void TSortGrid::SaveToFile(const std::string& fileName, char separator) const {
  std::string text;
  for (int32_t row = 0; row < RowCount(); ++row) {
    for (int32_t col = 0; col < ColCount(); ++col) {
      const std::string& cell = Cells(col, row);
      if (cell.find_first_of(std::string{separator, '\r', '\n'}) != std::string::npos)
        throw EWriteError(Format(
            "Cannot save %s: the cell in column %d, row %d holds the separator or a line break",
            {fileName, col, row}));
      if (col > 0) text += separator;
      text += cell;
    }
    text += "\r\n";
  }
  SaveFileAtomically(fileName, text);
}

}  // namespace dravik
