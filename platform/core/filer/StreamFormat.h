#pragma once
// The binary component stream format: the "TPF0" signature, the value markers and the flags that
// can precede a component. All numbers are little-endian.
//
//   stream     = "TPF0" component
//   component  = [prefix] shortstr(class name) shortstr(object name) { property } 0 { component } 0
//   prefix     = byte 0xF0 | flags [integer value, when ffChildPos is set]
//   property   = shortstr(name) value
//   shortstr   = byte length, bytes
//
// Each value begins with its marker (TValueType) and carries the payload given next to it.

#include <cstdint>
#include <string>

namespace dravik {

enum TValueType : uint8_t {
  vaNull = 0,         // no payload; also ends lists, property lists and component lists
  vaList = 1,         // values up to vaNull
  vaInt8 = 2,         // 1 byte, signed
  vaInt16 = 3,        // 2 bytes, signed
  vaInt32 = 4,        // 4 bytes, signed
  vaExtended = 5,     // 10 bytes: 80-bit extended precision
  vaString = 6,       // byte length, bytes
  vaIdent = 7,        // byte length, bytes: an identifier (enumeration value, reference, event)
  vaFalse = 8,        // no payload
  vaTrue = 9,         // no payload
  vaBinary = 10,      // 32-bit length, bytes
  vaSet = 11,         // short strings (element names) up to an empty one
  vaLString = 12,     // 32-bit length, bytes
  vaNil = 13,         // no payload
  vaCollection = 14,  // items up to vaNull; item = [integer value] vaList {property} vaNull
  vaSingle = 15,      // 4 bytes: IEEE single
  vaCurrency = 16,    // 8 bytes: signed, scaled by 10000
  vaDate = 17,        // 8 bytes: IEEE double, days since 1899-12-30
  vaWString = 18,     // 32-bit count of UTF-16 units, units
  vaInt64 = 19,       // 8 bytes, signed
  vaUTF8String = 20,  // 32-bit length, UTF-8 bytes
  vaUString = 21,     // 32-bit count of UTF-16 units, units
  vaQWord = 22,       // 8 bytes, unsigned
};
constexpr TValueType kLastValueType = vaQWord;

// The marker's name ("vaInt8"), or "invalid value type" for a byte that is no marker.
const char* ValueTypeName(TValueType type);

inline constexpr char FilerSignature[4] = {'T', 'P', 'F', '0'};

// Component flags, as bits of the prefix byte.
enum TFilerFlag : uint8_t { ffInherited = 0x01, ffChildPos = 0x02, ffInline = 0x04 };
using TFilerFlags = uint8_t;
constexpr uint8_t kFilerPrefixMask = 0xF0;

// Lists, collections and components nested deeper than this are rejected as malformed, so that
// hostile input cannot exhaust the stack of the recursive readers.
constexpr int kMaxNestingDepth = 256;

// A Currency value is an integer scaled by this factor.
constexpr int64_t kCurrencyScale = 10000;

}  // namespace dravik
