#pragma once
// What the tool prints of a file's bytes cannot act on a terminal: control characters (C0, DEL
// and the C1 range) and bytes that are not part of a UTF-8 character are written as \xHH.

#include <cstddef>
#include <string>
#include <string_view>

namespace dravik {

// The most bytes the escaped form of one byte takes.
constexpr std::size_t kEscapedByteSize = 4;

// A field of a tab-separated line: tab, line feed, carriage return and backslash become \t, \n,
// \r and \\, the other control characters and the bytes that are not UTF-8 \xHH, so that every
// field stays on its line and reads back to its bytes. Writes at out, which has room for
// kEscapedByteSize bytes per byte of text, and answers the end of what it wrote.
char* EscapeField(std::string_view text, char* out);

// A message line: the control characters and the bytes that are not UTF-8 as \xHH, backslashes
// as they are.
std::string EscapeMessage(std::string_view text);

}  // namespace dravik
