#pragma once
// Value buffers: the self-describing bytes in which stored language data keeps one property
// value: a 32-bit little-endian variant type tag and its payload.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/system/Variant.h"

namespace dravik {

// The buffer of value; Exception "Variant type not supported" for a type outside the table.
std::string VariantToBuffer(const Variant& value);
// The value of a buffer; Exception "Invalid buffer size", "Invalid buffer entry" or
// "Invalid buffer" for malformed bytes. 8-bit text that is not UTF-8 reads as Windows-1252.
Variant BufferToVariant(std::string_view buffer);
// What a value comes back as once it went through a buffer (small integers and bytes as integers,
// singles as doubles, OLE strings as strings), without building the buffer.
Variant BufferedValue(Variant value);

}  // namespace dravik
