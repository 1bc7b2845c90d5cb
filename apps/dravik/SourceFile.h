#pragma once
// Reading the source files the scan and check commands work on, and writing their fields.

#include <string>
#include <string_view>

namespace dravik {

// The bytes of the file at path; "-" reads standard input. Raises EFOpenError or EInOutError.
std::string ReadSourceFile(const std::string& path);

// A field of a tab-separated output line: tab, line feed, carriage return and backslash become
// \t, \n, \r and \\, other control characters \xNN, so every field stays on its line and no
// byte of the data reaches the terminal as a control sequence.
std::string EscapeField(std::string_view text);

}  // namespace dravik
