#pragma once
// The text encodings met in streams: 8-bit strings hold UTF-8, or Windows-1252 when they are not
// valid UTF-8 (legacy data); wide strings hold UTF-16 code units.

#include <string>
#include <string_view>

namespace dravik {

bool IsValidUtf8(std::string_view bytes);

char32_t Windows1252ToUnicode(unsigned char byte);

// Stored 8-bit text as UTF-8 / UTF-16: unchanged when valid UTF-8, else read as Windows-1252.
std::string EightBitToUtf8(std::string_view bytes);
std::u16string EightBitToUtf16(std::string_view bytes);

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);

void AppendUtf8(std::string& out, char32_t codePoint);
void AppendUtf16(std::u16string& out, char32_t codePoint);

}  // namespace dravik
