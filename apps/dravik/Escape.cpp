#include "apps/dravik/Escape.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dravik {

namespace {

// The length of the UTF-8 character that begins text (at least one byte), or 0 when it begins
// with a byte that is no part of one: a stray continuation byte, an overlong form, a surrogate,
// a code point above U+10FFFF, or a truncated sequence.
std::size_t Utf8Length(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  return length;
}

char* WriteHex(char* out, unsigned char byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  *out++ = '\\';
  *out++ = 'x';
  *out++ = kDigits[byte >> 4];
  *out++ = kDigits[byte & 15];
  return out;
}

// The bytes from the start of text that need no escape: printable ASCII other than the
// backslash (when it is escaped).
std::size_t PlainPrefix(std::string_view text, bool backslash) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i space = _mm_set1_epi8(' '), del = _mm_set1_epi8(0x7F);
  const __m128i slash = _mm_set1_epi8('\\');
  const __m128i slashCounts = _mm_set1_epi8(backslash ? -1 : 0);
  for (; i + 16 <= text.size(); i += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    // Signed: bytes above 0x7F are negative, so one compare finds them and the C0 controls.
    const __m128i special =
        _mm_or_si128(_mm_cmplt_epi8(chunk, space),
                     _mm_or_si128(_mm_cmpeq_epi8(chunk, del),
                                  _mm_and_si128(_mm_cmpeq_epi8(chunk, slash), slashCounts)));
    if (const int bits = _mm_movemask_epi8(special)) return i + __builtin_ctz(bits);
  }
#endif
  for (; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c >= 0x7F || (backslash && c == '\\')) break;
  }
  return i;
}

char* Escape(std::string_view text, char* out, bool field) {
  while (!text.empty()) {
    const std::size_t plain = PlainPrefix(text, field);
    std::memcpy(out, text.data(), plain);
    out += plain;
    text.remove_prefix(plain);
    if (text.empty()) break;
    const auto c = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (field && (c == '\t' || c == '\n' || c == '\r' || c == '\\')) {
      *out++ = '\\';
      *out++ = c == '\t' ? 't' : c == '\n' ? 'n' : c == '\r' ? 'r' : '\\';
    } else if (c < 0x80 || (length = Utf8Length(text)) == 0) {
      out = WriteHex(out, c);
      length = 1;
    } else if (c == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0) {
      // U+0080..U+009F, the C1 controls: both bytes.
      out = WriteHex(WriteHex(out, c), static_cast<unsigned char>(text[1]));
    } else {
      std::memcpy(out, text.data(), length);
      out += length;
    }
    text.remove_prefix(length);
  }
  return out;
}

}  // namespace

char* EscapeField(std::string_view text, char* out) {
  return Escape(text, out, true);
}

std::string EscapeMessage(std::string_view text) {
  std::string out(text.size() * kEscapedByteSize, '\0');
  out.resize(static_cast<std::size_t>(Escape(text, out.data(), false) - out.data()));
  return out;
}

}  // namespace dravik
