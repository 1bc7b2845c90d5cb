#pragma once
// TColor: an RGB value (red in the low byte) or a system colour (0x80000000 + index), named in
// streams and texts by its identifier ("clRed", "clBtnFace") when it has one.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/typinfo/TypInfo.h"

namespace dravik {

using TColor = int32_t;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
constexpr TColor clScrollBar = int32_t(0x80000000), clBackground = int32_t(0x80000001),
                 clActiveCaption = int32_t(0x80000002), clInactiveCaption = int32_t(0x80000003),
                 clMenu = int32_t(0x80000004), clWindow = int32_t(0x80000005),
                 clWindowFrame = int32_t(0x80000006), clMenuText = int32_t(0x80000007),
                 clWindowText = int32_t(0x80000008), clCaptionText = int32_t(0x80000009),
                 clActiveBorder = int32_t(0x8000000A), clInactiveBorder = int32_t(0x8000000B),
                 clAppWorkSpace = int32_t(0x8000000C), clHighlight = int32_t(0x8000000D),
                 clHighlightText = int32_t(0x8000000E), clBtnFace = int32_t(0x8000000F),
                 clBtnShadow = int32_t(0x80000010), clGrayText = int32_t(0x80000011),
                 clBtnText = int32_t(0x80000012), clInactiveCaptionText = int32_t(0x80000013),
                 clBtnHighlight = int32_t(0x80000014), cl3DDkShadow = int32_t(0x80000015),
                 cl3DLight = int32_t(0x80000016), clInfoText = int32_t(0x80000017),
                 clInfoBk = int32_t(0x80000018), clNone = 0x1FFFFFFF, clDefault = 0x20000000;

bool ColorToIdent(int64_t color, std::string& ident);
bool IdentToColor(std::string_view ident, int64_t& color);
// The identifier, or "$" and eight hex digits ("$00A0B0C0").
std::string ColorToString(TColor color);
// An identifier or a number in any notation StrToInt reads; EConvertError otherwise.
TColor StringToColor(std::string_view text);

// The integer type "TColor", whose stream form is the identifier where there is one.
const TTypeInfo& ColorTypeInfo();

}  // namespace dravik
