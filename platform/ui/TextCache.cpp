#include "platform/ui/TextCache.h"

namespace dravik {

TTextCache::TText& TTextCache::Find(const std::string& text) {
  ++fClock;
  // Compared in their Qt form: that is what the caller shows next, so reading it costs nothing
  // more, and no second copy of every text is kept.
  const QUtf8StringView utf8(text);
  for (TText& known : fTexts)
    if (known.Utf8Size == text.size() &&
        QtPrivate::compareStrings(QStringView(known.Text), utf8) == 0) {
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
  slot->Utf8Size = text.size();
  slot->Text = QString::fromStdString(text);
  slot->Width = -1;
  slot->Used = fClock;
  return *slot;
}

void TTextCache::ForgetSizes() {
  for (TText& known : fTexts) known.Width = -1;
}

}  // namespace dravik
