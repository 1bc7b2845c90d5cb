#pragma once
// The framework's fonts and colours as Qt's: font names of form files mapped onto installed
// fonts with matching metrics, heights in pixels, system colours from the palette; and a canvas
// that measures text and, while a control paints, draws with a brush, a pen and its font.

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <optional>
#include <string>

#include "platform/core/graphics/Font.h"
#include "platform/ui/Controls.h"

class QPainter;

namespace dravik {

// The installed family that stands in for a font name of a form file ("Arial" is drawn with
// Liberation Sans, which has its metrics); unknown names are asked for as they are.
std::string FontFamilyFor(const std::string& name);
// The largest pixel size a font is drawn with.
inline constexpr int kMaxFontPixels = 1024;
QFont ToQFont(const TFont& font);
inline QString QText(const std::string& text) {
  return QString::fromStdString(text);
}
QColor ToQColor(TColor color);

// What fills areas.
class TBrush {
 public:
  TColor Color() const { return fColor; }
  void SetColor(TColor value) { fColor = value; }

 private:
  TColor fColor = clWhite;
};

// What draws lines.
class TPen {
 public:
  TColor Color() const { return fColor; }
  void SetColor(TColor value) { fColor = value; }
  int32_t Width() const { return fWidth; }
  void SetWidth(int32_t value) { fWidth = value; }

 private:
  TColor fColor = clBlack;
  int32_t fWidth = 1;
};

// Text measuring in a font, as controls and translators' checks need it; drawing while a
// painter is attached (a control's paint handler attaches one), nothing otherwise.
class TCanvas {
 public:
  TCanvas() : fFont(std::make_unique<TFont>()) {}
  TFont* Font() const { return fFont.get(); }
  TBrush* Brush() { return &fBrush; }
  TPen* Pen() { return &fPen; }
  int32_t TextWidth(const std::string& text) const;
  int32_t TextHeight(const std::string& text) const;

  void SetPainter(QPainter* painter) { fPainter = painter; }
  void FillRect(const TRect& rect);
  // Filled with the brush, outlined with the pen inside the rectangle.
  void Rectangle(const TRect& rect);
  // A line from (x1, y1) to (x2, y2), both ends included.
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  // The text with its top left corner at (x, y), clipped to clip; the background stays.
  void TextRect(const TRect& clip, int32_t x, int32_t y, const std::string& text);

 private:
  // The Qt font and its metrics for the font as it is now, made again when it changes.
  struct TQtFont {
    std::string Name;
    int32_t Height;
    uint32_t Style;
    TFontPitch Pitch;
    QFont Font;
    QFontMetrics Metrics;
  };
  const TQtFont& QtFont() const;

  std::unique_ptr<TFont> fFont;
  mutable std::optional<TQtFont> fQtFont;
  TBrush fBrush;
  TPen fPen;
  QPainter* fPainter = nullptr;
};

}  // namespace dravik
