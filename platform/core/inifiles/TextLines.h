#pragma once
// The lines of a settings file: LF, CR LF and CR all end a line, a byte-order mark in front is
// no part of the first; a line that is not valid UTF-8 is legacy 8-bit text and read as
// Windows-1252.

#include <string>
#include <string_view>
#include <vector>

namespace dravik {

std::vector<std::string> SplitTextLines(std::string_view bytes);

// A C0 control character or DEL, which no name or text on a line of its own may hold.
bool HasControlCharacter(std::string_view text);

// "File NAME is damaged at line N: reason"
std::string DamageMessage(const std::string& fileName, int line, const std::string& reason);

}  // namespace dravik
