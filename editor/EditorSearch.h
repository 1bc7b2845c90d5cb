#pragma once
// The language editor's search: what is searched, how, and the wildcard match it uses.

#include <string>
#include <string_view>

#include "platform/core/typinfo/Set.h"

namespace dravik {

enum TSearchIn { siValues, siDescs, siNames };
enum TSearchOption { soCaseSensitive, soFromCursor, soBackward };
using TSearchOptions = TSet<TSearchOption, "TSearchOptions">;

// "*" matches any run of characters, "?" one character; everything else itself.
bool CompareFilter(std::string_view text, std::string_view filter);

// The pattern as the search matches it: upper case unless case sensitive, wrapped in "*".
std::string PrepareSearchPattern(const std::string& pattern, TSearchOptions options);

// A cell's text as a search compares it.
std::string PrepareSearchText(std::string text, bool ignoreAmp, TSearchOptions options);

}  // namespace dravik
