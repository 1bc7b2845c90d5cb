#include "platform/core/graphics/Color.h"

#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

struct TColorName {
  TColor Value;
  const char* Name;
};

const TColorName kColors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};

}  // namespace

bool ColorToIdent(int64_t color, std::string& ident) {
  for (const TColorName& c : kColors)
    if (c.Value == static_cast<TColor>(color)) {
      ident = c.Name;
      return true;
    }
  return false;
}

bool IdentToColor(std::string_view ident, int64_t& color) {
  for (const TColorName& c : kColors)
    if (SameText(c.Name, ident)) {
      color = static_cast<int32_t>(c.Value);
      return true;
    }
  return false;
}

std::string ColorToString(TColor color) {
  std::string ident;
  if (ColorToIdent(static_cast<int32_t>(color), ident)) return ident;
  return "$" + IntToHex(static_cast<uint32_t>(color), 8);
}

TColor StringToColor(std::string_view text) {
  int64_t color;
  if (IdentToColor(Trim(text), color)) return static_cast<TColor>(color);
  return TColor(StrToInt(text));
}

// An integer type whose stream form is the identifier where there is one.
const TTypeInfo& TypeInfoFor(TColor) {
  static const TTypeInfo& info = []() -> const TTypeInfo& {
    TTypeInfo base = TypeInfo<int32_t>();
    base.IdentToInt = IdentToColor;
    base.IntToIdent = ColorToIdent;
    return MakeAliasType(base, "TColor");
  }();
  return info;
}

}  // namespace dravik
