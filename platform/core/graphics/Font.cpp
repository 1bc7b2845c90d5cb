#include "platform/core/graphics/Font.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {

// a * b / c rounded, kept within +-INT32_MAX so that its negation is an integer too.
int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  constexpr double kMax = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::lround(std::clamp(static_cast<double>(a) * b / c, -kMax, kMax)));
}

}  // namespace

namespace {
const TClassRegistration kRegistered(TFont::StaticClass());
}

const TTypeInfo& TypeInfoFor(TFontStyle) {
  static const TTypeInfo& info =
      MakeEnumType("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
  return info;
}

const TTypeInfo& TypeInfoFor(TFontPitch) {
  static const TTypeInfo& info = MakeEnumType("TFontPitch", {"fpDefault", "fpVariable", "fpFixed"});
  return info;
}

const TClassRecord& TFont::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TFont, TPersistent>("TFont", "Graphics")
          .Property("Charset", &TFont::Charset, &TFont::SetCharset)
          .TypeAs(MakeAliasType(TypeInfo<uint8_t>(), "TFontCharset"))
          .Property("Color", &TFont::Color, &TFont::SetColor)
          .Property("Height", &TFont::Height, &TFont::SetHeight)
          .Property("Name", &TFont::Name, &TFont::SetName)
          .TypeAs(MakeAliasType(TypeInfo<std::string>(), "TFontName"))
          .Property("Pitch", &TFont::Pitch, &TFont::SetPitch)
          .Default(fpDefault)
          .Property("Size", &TFont::Size, &TFont::SetSize)
          .NotStored()
          .Property("Style", &TFont::Style, &TFont::SetStyle)
          .Build();
  return record;
}

void TFont::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TFont*>(source)) {
    fName = other->fName;
    fHeight = other->fHeight;
    fColor = other->fColor;
    fStyle = other->fStyle;
    fCharset = other->fCharset;
    fPitch = other->fPitch;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

void TFont::SetName(const std::string& name) {
  if (name.empty() || name == fName) return;  // a font always has a name
  fName = name;
  Changed();
}

int32_t TFont::Size() const {
  return -MulDiv(fHeight, 72, kPixelsPerInch);
}

void TFont::SetSize(int32_t points) {
  SetHeight(-MulDiv(points, kPixelsPerInch, 72));
}

void TFont::SetHeight(int32_t height) {
  if (height == fHeight) return;
  fHeight = height;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == fColor) return;
  fColor = color;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == fStyle) return;
  fStyle = style;
  Changed();
}

void TFont::SetCharset(TFontCharset charset) {
  if (charset == fCharset) return;
  fCharset = charset;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == fPitch) return;
  fPitch = pitch;
  Changed();
}

void TFont::Changed() {
  OnChange(this);
}

}  // namespace dravik
