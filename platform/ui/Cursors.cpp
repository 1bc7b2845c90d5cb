#include "platform/ui/Cursors.h"

#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

struct TCursorName {
  TCursor Value;
  const char* Name;
  Qt::CursorShape Shape;
};

const TCursorName kCursors[] = {
    {crDefault, "crDefault", Qt::ArrowCursor},
    {crNone, "crNone", Qt::BlankCursor},
    {crArrow, "crArrow", Qt::ArrowCursor},
    {crCross, "crCross", Qt::CrossCursor},
    {crIBeam, "crIBeam", Qt::IBeamCursor},
    {crSizeNESW, "crSizeNESW", Qt::SizeBDiagCursor},
    {crSizeNS, "crSizeNS", Qt::SizeVerCursor},
    {crSizeNWSE, "crSizeNWSE", Qt::SizeFDiagCursor},
    {crSizeWE, "crSizeWE", Qt::SizeHorCursor},
    {crUpArrow, "crUpArrow", Qt::UpArrowCursor},
    {crHourGlass, "crHourGlass", Qt::WaitCursor},
    {crDrag, "crDrag", Qt::DragMoveCursor},
    {crNoDrop, "crNoDrop", Qt::ForbiddenCursor},
    {crHSplit, "crHSplit", Qt::SplitHCursor},
    {crVSplit, "crVSplit", Qt::SplitVCursor},
    {crMultiDrag, "crMultiDrag", Qt::DragCopyCursor},
    {crSQLWait, "crSQLWait", Qt::WaitCursor},
    {crNo, "crNo", Qt::ForbiddenCursor},
    {crAppStart, "crAppStart", Qt::BusyCursor},
    {crHelp, "crHelp", Qt::WhatsThisCursor},
    {crHandPoint, "crHandPoint", Qt::PointingHandCursor},
    {crSizeAll, "crSizeAll", Qt::SizeAllCursor},
};

}  // namespace

bool CursorToIdent(int64_t cursor, std::string& ident) {
  for (const TCursorName& c : kCursors)
    if (static_cast<int64_t>(c.Value) == cursor) {
      ident = c.Name;
      return true;
    }
  return false;
}

bool IdentToCursor(std::string_view ident, int64_t& cursor) {
  for (const TCursorName& c : kCursors)
    if (SameText(ident, c.Name)) {
      cursor = static_cast<int64_t>(c.Value);
      return true;
    }
  return false;
}

Qt::CursorShape ToQtCursorShape(TCursor cursor) {
  for (const TCursorName& c : kCursors)
    if (c.Value == cursor) return c.Shape;
  return Qt::ArrowCursor;
}

const TTypeInfo& TypeInfoFor(TCursor) {
  static const TTypeInfo& info = []() -> const TTypeInfo& {
    TTypeInfo base = TypeInfo<int32_t>();
    base.IdentToInt = IdentToCursor;
    base.IntToIdent = CursorToIdent;
    return MakeAliasType(base, "TCursor");
  }();
  return info;
}

}  // namespace dravik
