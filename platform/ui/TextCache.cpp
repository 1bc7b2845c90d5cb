#include "platform/ui/TextCache.h"

#include <algorithm>
#include <cstring>

namespace dravik {

namespace {

// Up to eight bytes of text from at, zero-filled.
uint64_t EightBytes(const std::string& text, std::size_t at) {
  uint64_t bytes = 0;
  std::memcpy(&bytes, text.data() + at, std::min<std::size_t>(8, text.size() - at));
  return bytes;
}

}  // namespace

TTextCache::TText& TTextCache::Find(const std::string& text) {
  ++fClock;
  // The texts passed by are told apart by their size and their first and last bytes, kept
  // beside them: only the one that matches is read.
  const uint64_t head = EightBytes(text, 0);
  const uint64_t tail = EightBytes(text, text.size() > 8 ? text.size() - 8 : 0);
  for (TText& known : fTexts)
    if (known.Head == head && known.Tail == tail && known.Utf8 == text) {
      known.Used = fClock;
      return known;
    }
  TText* slot = nullptr;
  if (fTexts.size() < kTexts) {
    slot = &fTexts.emplace_back();
  } else {
    slot = &fTexts.front();
    for (TText& known : fTexts)
      if (known.Used < slot->Used) slot = &known;
  }
  slot->Utf8 = text;
  slot->Text = QString::fromStdString(text);
  slot->Width = -1;
  slot->Used = fClock;
  slot->Head = head;
  slot->Tail = tail;
  return *slot;
}

void TTextCache::ForgetSizes() {
  for (TText& known : fTexts) known.Width = -1;
}

}  // namespace dravik
