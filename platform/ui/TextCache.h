#pragma once
// The Qt forms of the few texts a control goes back and forth between (one per language, when a
// language switch sets them): each converted once, and measured once per font.

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace dravik {

class TTextCache {
 public:
  struct TText {
    std::string Utf8;
    QString Text;
    // The size of the text in the font it was last measured in; Width < 0 until measured.
    int32_t Width = -1;
    int32_t Height = 0;
    uint32_t Used = 0;  // when it was last found
    uint64_t Head = 0;  // the first and last eight bytes of Utf8
    uint64_t Tail = 0;
  };
  // The entry of text, converted on first use; a new text takes the place of the one least
  // recently used once the cache is full.
  TText& Find(const std::string& text);
  // Every measured size goes (the font changed).
  void ForgetSizes();

 private:
  static constexpr std::size_t kTexts = 8;
  std::vector<TText> fTexts;
  uint32_t fClock = 0;
};

}  // namespace dravik
