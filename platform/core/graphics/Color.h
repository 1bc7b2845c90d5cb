#pragma once
// TColor: an RGB value (red in the low byte) or a system colour (0x80000000 + index), named in
// streams and texts by its identifier ("clRed", "clBtnFace") when it has one. A type of its own,
// so that a colour property is known as one by its C++ type.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/typinfo/TypInfo.h"

namespace dravik {

enum class TColor : int32_t {};
const TTypeInfo& TypeInfoFor(TColor);

constexpr TColor clBlack = TColor(0x000000), clMaroon = TColor(0x000080),
                 clGreen = TColor(0x008000), clOlive = TColor(0x008080), clNavy = TColor(0x800000),
                 clPurple = TColor(0x800080), clTeal = TColor(0x808000), clGray = TColor(0x808080),
                 clSilver = TColor(0xC0C0C0), clRed = TColor(0x0000FF), clLime = TColor(0x00FF00),
                 clYellow = TColor(0x00FFFF), clBlue = TColor(0xFF0000),
                 clFuchsia = TColor(0xFF00FF), clAqua = TColor(0xFFFF00),
                 clWhite = TColor(0xFFFFFF);
constexpr TColor clScrollBar = TColor(0x80000000), clBackground = TColor(0x80000001),
                 clActiveCaption = TColor(0x80000002), clInactiveCaption = TColor(0x80000003),
                 clMenu = TColor(0x80000004), clWindow = TColor(0x80000005),
                 clWindowFrame = TColor(0x80000006), clMenuText = TColor(0x80000007),
                 clWindowText = TColor(0x80000008), clCaptionText = TColor(0x80000009),
                 clActiveBorder = TColor(0x8000000A), clInactiveBorder = TColor(0x8000000B),
                 clAppWorkSpace = TColor(0x8000000C), clHighlight = TColor(0x8000000D),
                 clHighlightText = TColor(0x8000000E), clBtnFace = TColor(0x8000000F),
                 clBtnShadow = TColor(0x80000010), clGrayText = TColor(0x80000011),
                 clBtnText = TColor(0x80000012), clInactiveCaptionText = TColor(0x80000013),
                 clBtnHighlight = TColor(0x80000014), cl3DDkShadow = TColor(0x80000015),
                 cl3DLight = TColor(0x80000016), clInfoText = TColor(0x80000017),
                 clInfoBk = TColor(0x80000018), clNone = TColor(0x1FFFFFFF),
                 clDefault = TColor(0x20000000);

bool ColorToIdent(int64_t color, std::string& ident);
bool IdentToColor(std::string_view ident, int64_t& color);
// The identifier, or "$" and eight hex digits ("$00A0B0C0").
std::string ColorToString(TColor color);
// An identifier or a number in any notation StrToInt reads; EConvertError otherwise.
TColor StringToColor(std::string_view text);

}  // namespace dravik
