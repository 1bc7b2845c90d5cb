#pragma once
// The framework's fonts and colours as Qt's: font names of form files mapped onto installed
// fonts with matching metrics, heights in pixels, system colours from the palette; and a canvas
// that measures text.

#include <QColor>
#include <QFont>
#include <string>

#include "platform/core/graphics/Font.h"

namespace dravik {

// The installed family that stands in for a font name of a form file ("Arial" is drawn with
// Liberation Sans, which has its metrics); unknown names are asked for as they are.
std::string FontFamilyFor(const std::string& name);
QFont ToQFont(const TFont& font);
inline QString QText(const std::string& text) {
  return QString::fromStdString(text);
}
QColor ToQColor(TColor color);

// Text measuring in a font, as controls and translators' checks need it.
class TCanvas {
 public:
  TCanvas() : fFont(std::make_unique<TFont>()) {}
  TFont* Font() const { return fFont.get(); }
  int32_t TextWidth(const std::string& text) const;
  int32_t TextHeight(const std::string& text) const;

 private:
  std::unique_ptr<TFont> fFont;
};

}  // namespace dravik
