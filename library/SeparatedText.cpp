#include "library/SeparatedText.h"

#include <algorithm>
#include <cstring>

#include "platform/core/filer/StreamFormatEncoding.h"
#include "platform/core/streams/FileStream.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

}  // namespace

TSeparatedText SplitSeparatedText(std::string_view bytes, char separator, int32_t minCols,
                                  int32_t minRows, const std::string& name) {
  if (std::memchr(bytes.data(), '\0', bytes.size()))
    throw EReadError(Format("Cannot load %s into the grid: it is not a text file", {name}));
  const std::string text = EightBitToUtf8(bytes);
  const std::vector<std::string_view> lines = SplitLines(text);

  int64_t cols = std::max(minCols, 0);
  for (std::string_view line : lines)
    cols = std::max<int64_t>(cols, 1 + std::count(line.begin(), line.end(), separator));
  const int64_t rows = std::max<int64_t>(static_cast<int64_t>(lines.size()), minRows);
  if (cols * rows > kMaxSeparatedTextCells)
    throw EReadError(
        Format("Cannot load %s into the grid: %d rows of %d columns are more than %d cells",
               {name, rows, cols, kMaxSeparatedTextCells}));

  TSeparatedText result{static_cast<int32_t>(cols), static_cast<int32_t>(rows), {}};
  result.Cells.resize(static_cast<std::size_t>(cols * rows));
  for (std::size_t row = 0; row < lines.size(); ++row) {
    std::string_view line = lines[row];
    std::size_t cell = row * static_cast<std::size_t>(cols);
    for (std::size_t at; (at = line.find(separator)) != std::string_view::npos;
         line.remove_prefix(at + 1))
      result.Cells[cell++] = std::string(line.substr(0, at));
    result.Cells[cell] = std::string(line);
  }
  return result;
}

TSeparatedText ReadSeparatedText(const std::string& fileName, char separator, int32_t minCols,
                                 int32_t minRows) {
  TFileStream stream(fileName, fmOpenRead);
  std::string bytes;
  constexpr int64_t kChunk = int64_t(1) << 20;
  for (;;) {
    const std::size_t size = bytes.size();
    bytes.resize(size + kChunk);
    const int64_t read = stream.Read(bytes.data() + size, kChunk);
    bytes.resize(size + static_cast<std::size_t>(std::max<int64_t>(read, 0)));
    if (static_cast<int64_t>(bytes.size()) > kMaxSeparatedTextBytes)
      throw EReadError(Format("Cannot load %s into the grid: the file is larger than %d MiB",
                              {fileName, kMaxSeparatedTextBytes >> 20}));
    if (read < kChunk) break;
  }
  return SplitSeparatedText(bytes, separator, minCols, minRows, fileName);
}

}  // namespace dravik
