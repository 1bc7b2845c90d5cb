#pragma once
// TFont: the font of a control as a persistent sub-object: name, size (in points) and height
// (in pixels, negative for the character height), colour, style, character set and pitch.

#include <cstdint>
#include <string>

#include "platform/core/classes/Object.h"
#include "platform/core/graphics/Color.h"
#include "platform/core/typinfo/Method.h"
#include "platform/core/typinfo/Set.h"

namespace dravik {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
const TTypeInfo& TypeInfoFor(TFontStyle);
using TFontStyles = TSet<TFontStyle, "TFontStyles">;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
const TTypeInfo& TypeInfoFor(TFontPitch);

using TFontCharset = uint8_t;
constexpr TFontCharset DEFAULT_CHARSET = 1;

class TFont : public TPersistent {
 public:
  // Pixels per inch of the screen that converts between Size and Height.
  static constexpr int kPixelsPerInch = 96;

  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void Assign(const TPersistent* source) override;

  const std::string& Name() const { return fName; }
  void SetName(const std::string& name);
  int32_t Size() const;
  void SetSize(int32_t points);
  int32_t Height() const { return fHeight; }
  void SetHeight(int32_t height);
  TColor Color() const { return fColor; }
  void SetColor(TColor color);
  TFontStyles Style() const { return fStyle; }
  void SetStyle(TFontStyles style);
  TFontCharset Charset() const { return fCharset; }
  void SetCharset(TFontCharset charset);
  TFontPitch Pitch() const { return fPitch; }
  void SetPitch(TFontPitch pitch);

  TNotifyEvent OnChange;

 private:
  void Changed();

  std::string fName = "MS Sans Serif";
  int32_t fHeight = -11;  // 8 points
  TColor fColor = clWindowText;
  TFontStyles fStyle;
  TFontCharset fCharset = DEFAULT_CHARSET;
  TFontPitch fPitch = fpDefault;
};

}  // namespace dravik
