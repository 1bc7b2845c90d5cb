#pragma once
// TCursor: a mouse cursor by its number, named in streams and texts by its identifier ("crDrag")
// when it has one; a type of its own, so that a cursor property is known as one by its C++ type.

#include <Qt>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/typinfo/TypInfo.h"

namespace dravik {

enum class TCursor : int32_t {};
const TTypeInfo& TypeInfoFor(TCursor);

constexpr TCursor crDefault = TCursor(0), crNone = TCursor(-1), crArrow = TCursor(-2),
                  crCross = TCursor(-3), crIBeam = TCursor(-4), crSizeNESW = TCursor(-6),
                  crSizeNS = TCursor(-7), crSizeNWSE = TCursor(-8), crSizeWE = TCursor(-9),
                  crUpArrow = TCursor(-10), crHourGlass = TCursor(-11), crDrag = TCursor(-12),
                  crNoDrop = TCursor(-13), crHSplit = TCursor(-14), crVSplit = TCursor(-15),
                  crMultiDrag = TCursor(-16), crSQLWait = TCursor(-17), crNo = TCursor(-18),
                  crAppStart = TCursor(-19), crHelp = TCursor(-20), crHandPoint = TCursor(-21),
                  crSizeAll = TCursor(-22);

bool CursorToIdent(int64_t cursor, std::string& ident);
// The Qt shape that stands for the cursor; the arrow for numbers without a name.
Qt::CursorShape ToQtCursorShape(TCursor cursor);
bool IdentToCursor(std::string_view ident, int64_t& cursor);

}  // namespace dravik
