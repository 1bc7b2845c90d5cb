// A TSortGrid as separated text: one line per row, the cells split at a separator character.

#include <cstring>

#include "library/ui/SortGrid.h"
#include "platform/core/filer/StreamFormatEncoding.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/FileStream.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

// The whole file, read front to back so that pipes and devices are bounded too.
std::string ReadGridFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead);
  std::string bytes;
  constexpr int64_t kChunk = int64_t(1) << 20;
  for (;;) {
    const std::size_t size = bytes.size();
    bytes.resize(size + kChunk);
    const int64_t read = stream.Read(bytes.data() + size, kChunk);
    bytes.resize(size + static_cast<std::size_t>(std::max<int64_t>(read, 0)));
    if (static_cast<int64_t>(bytes.size()) > TSortGrid::kMaxFileBytes)
      throw EReadError(Format("Cannot load %s into the grid: the file is larger than %d MiB",
                              {fileName, int32_t(TSortGrid::kMaxFileBytes >> 20)}));
    if (read < kChunk) return bytes;
  }
}

// The lines of text, split as a string list splits them: at CR LF, LF or CR, no line after a
// final break.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
      ++end;
    start = end + 1;
  }
  return lines;
}

}  // namespace

void TSortGrid::LoadFromFile(const std::string& fileName, char separator) {
  const std::string bytes = ReadGridFile(fileName);
  if (std::memchr(bytes.data(), '\0', bytes.size()))
    throw EReadError(Format("Cannot load %s into the grid: it is not a text file", {fileName}));
  const std::string text = EightBitToUtf8(bytes);
  const std::vector<std::string_view> lines = SplitLines(text);

  int64_t cols = FixedCols() + 1;
  for (std::string_view line : lines)
    cols = std::max<int64_t>(cols, 1 + std::count(line.begin(), line.end(), separator));
  const int64_t rows = std::max<int64_t>(static_cast<int64_t>(lines.size()), FixedRows() + 1);
  if (cols * rows > kMaxCells)
    throw EReadError(
        Format("Cannot load %s into the grid: %d rows of %d columns are more than %d cells",
               {fileName, int64_t(rows), int64_t(cols), int64_t(kMaxCells)}));

  std::vector<std::string> cells(static_cast<std::size_t>(cols * rows));
  for (std::size_t row = 0; row < lines.size(); ++row) {
    std::string_view line = lines[row];
    std::size_t cell = row * static_cast<std::size_t>(cols);
    for (std::size_t at; (at = line.find(separator)) != std::string_view::npos;
         line.remove_prefix(at + 1))
      cells[cell++] = std::string(line.substr(0, at));
    cells[cell] = std::string(line);
  }
  ReplaceCells(static_cast<int32_t>(cols), static_cast<int32_t>(rows), std::move(cells));
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
