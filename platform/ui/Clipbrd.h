#pragma once
// The clipboard: the system's, as text.

#include <string>

namespace dravik {

class TClipboard {
 public:
  std::string AsText() const;
  void SetAsText(const std::string& value);
  bool HasText() const;
  void Clear();
};

// The process's clipboard object.
TClipboard* Clipboard();

}  // namespace dravik
