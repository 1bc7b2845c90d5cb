// Text files loaded into grids: any bytes give rows of cells or a clear exception.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "library/SeparatedText.h"
#include "platform/core/system/Exceptions.h"

using namespace dravik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the separator, the rest is the file.
  const char separator = static_cast<char>(data[0]);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    const TSeparatedText grid = SplitSeparatedText(text, separator, 2, 2, "input");
    if (grid.Cols < 2 || grid.Rows < 2 ||
        grid.Cells.size() != static_cast<std::size_t>(grid.Cols) * grid.Rows)
      std::abort();
  } catch (const EReadError&) {
  }
  return 0;
}
