#include "platform/core/filer/StreamFormat.h"

namespace dravik {

const char* ValueTypeName(TValueType type) {
  static const char* const kNames[] = {
      "vaNull",    "vaList",  "vaInt8",       "vaInt16",   "vaInt32",    "vaExtended",
      "vaString",  "vaIdent", "vaFalse",      "vaTrue",    "vaBinary",   "vaSet",
      "vaLString", "vaNil",   "vaCollection", "vaSingle",  "vaCurrency", "vaDate",
      "vaWString", "vaInt64", "vaUTF8String", "vaUString", "vaQWord"};
  return type <= kLastValueType ? kNames[type] : "invalid value type";
}

}  // namespace dravik
