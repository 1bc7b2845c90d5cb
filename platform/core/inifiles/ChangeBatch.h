#pragma once
// The changes to a settings file's text: each is made at once on the copy in memory and written
// at once, or, inside Begin/End brackets (which nest), all together when the last one closes.

#include <functional>
#include <utility>
#include <vector>

namespace dravik {

template <class Text>
class TChangeBatch {
 public:
  using TChange = std::function<void(Text&)>;
  using TWrite = std::function<void(const std::vector<TChange>& changes)>;

  void Begin() { ++fDepth; }
  // Closes a bracket; the last one writes what was held.
  void End(const TWrite& write) {
    if (fDepth == 0 || --fDepth > 0) return;
    std::vector<TChange> pending = std::move(fPending);
    fPending.clear();
    if (!pending.empty()) write(pending);
  }
  // Drops the brackets and what they held; false when none was open.
  bool Cancel() {
    if (fDepth == 0) return false;
    fDepth = 0;
    fPending.clear();
    return true;
  }
  void Apply(Text& text, TChange change, const TWrite& write) {
    change(text);
    if (fDepth > 0) {
      fPending.push_back(std::move(change));
    } else {
      write({std::move(change)});
    }
  }

 private:
  int fDepth = 0;
  std::vector<TChange> fPending;
};

}  // namespace dravik
