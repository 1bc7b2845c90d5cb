#include "platform/ui/TextCache.h"

namespace dravik {

TTextCache::TText& TTextCache::Find(const std::string& text) {
  ++fClock;
  for (TText& known : fTexts)
    if (known.Utf8 == text) {
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
  return *slot;
}

void TTextCache::ForgetSizes() {
  for (TText& known : fTexts) known.Width = -1;
}

}  // namespace dravik
