#pragma once
// Text as rows of cells: a row per line, a cell at every separator, as grids load and save it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

struct TSeparatedText {
  int32_t Cols = 0, Rows = 0;
  std::vector<std::string> Cells;  // row by row, Cols times Rows
};

// The largest file read and the most cells made.
constexpr int64_t kMaxSeparatedTextBytes = int64_t(64) << 20;
constexpr int64_t kMaxSeparatedTextCells = int64_t(16) << 20;

// Lines end at CR LF, LF or CR, and no line follows a final break; two separators in a row make
// an empty cell and the text after the last one is a cell. Rows are as wide as the widest and
// there are at least minCols columns and minRows rows. 8-bit text that is not UTF-8 is read as
// Windows-1252. EReadError naming name for text with a NUL byte (no text) or for more than
// kMaxSeparatedTextCells cells.
TSeparatedText SplitSeparatedText(std::string_view bytes, char separator, int32_t minCols,
                                  int32_t minRows, const std::string& name);
// The file read front to back (a pipe or a device too) and split; EFOpenError when it cannot be
// opened, EReadError naming it when it is larger than kMaxSeparatedTextBytes.
TSeparatedText ReadSeparatedText(const std::string& fileName, char separator, int32_t minCols,
                                 int32_t minRows);

}  // namespace dravik
