#include "platform/ui/Graphics.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <cmath>

#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

struct TFontAlias {
  const char* Name;
  const char* Family;
};

// Metric-compatible stand-ins where Debian has them; the sans-serif system fonts of the original
// platform are close to Arial's widths.
constexpr TFontAlias kFontAliases[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"Microsoft Sans Serif", "Liberation Sans"},
    {"Tahoma", "DejaVu Sans"},
    {"Verdana", "DejaVu Sans"},
    {"Segoe UI", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"MS Serif", "Liberation Serif"},
    {"Times", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
    {"Fixedsys", "Liberation Mono"},
    {"System", "Liberation Sans"},
};

}  // namespace

std::string FontFamilyFor(const std::string& name) {
  for (const TFontAlias& alias : kFontAliases)
    if (SameText(name, alias.Name)) return alias.Family;
  return name;
}

QFont ToQFont(const TFont& font) {
  QFont result;
  result.setFamilies({QString::fromStdString(FontFamilyFor(font.Name())),
                      QString::fromStdString(font.Name()), QStringLiteral("DejaVu Sans")});
  // A negative height is the character height in pixels; a positive one includes the internal
  // leading, about a fifth of it.
  // Within kMaxFontPixels: a stored height near the integer's limits is damaged data.
  const int64_t height = font.Height();
  const int64_t pixels = height < 0 ? -height : std::lround(height * 0.8);
  result.setPixelSize(static_cast<int>(std::clamp<int64_t>(pixels, 1, kMaxFontPixels)));
  const TFontStyles style = font.Style();
  result.setBold(style.Contains(fsBold));
  result.setItalic(style.Contains(fsItalic));
  result.setUnderline(style.Contains(fsUnderline));
  result.setStrikeOut(style.Contains(fsStrikeOut));
  if (font.Pitch() == fpFixed) result.setFixedPitch(true);
  return result;
}

QColor ToQColor(TColor color) {
  const auto value = static_cast<uint32_t>(static_cast<int32_t>(color));
  if ((value & 0xFF000000u) == 0x80000000u) {
    const QPalette palette = QApplication::palette();
    switch (value & 0xFF) {
      case 0x05:  // clWindow
        return palette.color(QPalette::Base);
      case 0x08:  // clWindowText
      case 0x12:  // clBtnText
      case 0x07:  // clMenuText
        return palette.color(QPalette::Text);
      case 0x0D:  // clHighlight
        return palette.color(QPalette::Highlight);
      case 0x0E:  // clHighlightText
        return palette.color(QPalette::HighlightedText);
      case 0x11:  // clGrayText
        return palette.color(QPalette::Disabled, QPalette::Text);
      case 0x18:  // clInfoBk
        return palette.color(QPalette::ToolTipBase);
      case 0x17:  // clInfoText
        return palette.color(QPalette::ToolTipText);
      case 0x10:  // clBtnShadow
        return palette.color(QPalette::Dark);
      case 0x14:  // clBtnHighlight
        return palette.color(QPalette::Light);
      default:  // clBtnFace and the rest of the window frame
        return palette.color(QPalette::Window);
    }
  }
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

const TCanvas::TQtFont& TCanvas::QtFont() const {
  const TFont& f = *fFont;
  if (!fQtFont || fQtFont->Name != f.Name() || fQtFont->Height != f.Height() ||
      fQtFont->Style != f.Style().Bits() || fQtFont->Pitch != f.Pitch()) {
    const QFont font = ToQFont(f);
    fQtFont.emplace(
        TQtFont{f.Name(), f.Height(), f.Style().Bits(), f.Pitch(), font, QFontMetrics(font)});
  }
  return *fQtFont;
}

int32_t TCanvas::TextWidth(const std::string& text) const {
  return QtFont().Metrics.horizontalAdvance(QString::fromStdString(text));
}

int32_t TCanvas::TextHeight(const std::string& text) const {
  (void)text;  // the height of a line in the font, whatever it holds
  return QtFont().Metrics.height();
}

namespace {

QRect ToQRect(const TRect& rect) {
  return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}

}  // namespace

void TCanvas::FillRect(const TRect& rect) {
  if (fPainter) fPainter->fillRect(ToQRect(rect), ToQColor(fBrush.Color()));
}

void TCanvas::Rectangle(const TRect& rect) {
  if (!fPainter || rect.Width() <= 0 || rect.Height() <= 0) return;
  FillRect(rect);
  const int32_t width = std::max(1, fPen.Width());
  const QColor color = ToQColor(fPen.Color());
  fPainter->fillRect(QRect(rect.Left, rect.Top, rect.Width(), width), color);
  fPainter->fillRect(QRect(rect.Left, rect.Bottom - width, rect.Width(), width), color);
  fPainter->fillRect(QRect(rect.Left, rect.Top, width, rect.Height()), color);
  fPainter->fillRect(QRect(rect.Right - width, rect.Top, width, rect.Height()), color);
}

void TCanvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (!fPainter) return;
  fPainter->save();
  fPainter->setPen(
      QPen(ToQColor(fPen.Color()), std::max(1, fPen.Width()), Qt::SolidLine, Qt::SquareCap));
  fPainter->drawLine(x1, y1, x2, y2);
  fPainter->restore();
}

void TCanvas::TextRect(const TRect& clip, int32_t x, int32_t y, const std::string& text) {
  if (!fPainter || text.empty()) return;
  const TQtFont& font = QtFont();
  fPainter->save();
  fPainter->setClipRect(ToQRect(clip), Qt::IntersectClip);
  fPainter->setFont(font.Font);
  fPainter->setPen(ToQColor(fFont->Color()));
  fPainter->drawText(x, y + font.Metrics.ascent(), QText(text));
  fPainter->restore();
}

}  // namespace dravik
