#include "editor/EditorSearch.h"

#include <algorithm>

#include "platform/core/system/SysUtils.h"

namespace dravik {

// Iterative with one backtrack point per "*", so a pattern of many stars stays linear in
// practice and never recurses.
bool CompareFilter(std::string_view text, std::string_view filter) {
  std::size_t t = 0, f = 0, star = std::string_view::npos, resume = 0;
  while (t < text.size()) {
    if (f < filter.size() && (filter[f] == '?' || filter[f] == text[t])) {
      ++t;
      ++f;
    } else if (f < filter.size() && filter[f] == '*') {
      star = f++;
      resume = t;
    } else if (star != std::string_view::npos) {
      f = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (f < filter.size() && filter[f] == '*') ++f;
  return f == filter.size();
}

std::string PrepareSearchPattern(const std::string& pattern, TSearchOptions options) {
  std::string prepared = options.Contains(soCaseSensitive) ? pattern : UpperCase(pattern);
  return prepared.empty() ? prepared : "*" + prepared + "*";
}

std::string PrepareSearchText(std::string text, bool ignoreAmp, TSearchOptions options) {
  if (ignoreAmp) text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
  return options.Contains(soCaseSensitive) ? text : UpperCase(text);
}

}  // namespace dravik
