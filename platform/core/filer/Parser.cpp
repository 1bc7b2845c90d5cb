#include "platform/core/filer/Parser.h"

#include <cstring>

#include "platform/core/filer/StreamFormatEncoding.h"
#include "platform/core/filer/TextFormNumbers.h"
#include "platform/core/streams/Stream.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

constexpr int kBufferSize = 4096;

bool IsAlpha(int c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(int c) {
  return c >= '0' && c <= '9';
}
bool IsHexDigit(int c) {
  return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
int HexValue(int c) {
  return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10;
}
char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Shortened(const std::string& text) {
  return text.size() <= 40 ? text : text.substr(0, 40) + "...";
}

}  // namespace

std::string TokenName(char token) {
  switch (token) {
    case toEOF:
      return "end of file";
    case toSymbol:
      return "identifier";
    case toString:
      return "string";
    case toWString:
      return "wide string";
    case toInteger:
      return "integer";
    case toFloat:
      return "number";
    default:
      return std::string("'") + token + "'";
  }
}

TParser::TParser(TStream& stream)
    : fStream(stream), fBuffer(new char[kBufferSize]), fBufferOffset(stream.Position()) {
  if (Fill() && fBufEnd >= 3 && std::memcmp(fBuffer.get(), "\xEF\xBB\xBF", 3) == 0) fBufPos = 3;
  NextToken();
}

TParser::~TParser() {
  try {
    fStream.Seek(fTokenOffset, soFromBeginning);
  } catch (const Exception&) {
    // A stream that cannot seek keeps the position after the bytes read ahead.
  }
}

bool TParser::Fill() {
  fBufferOffset += fBufEnd;
  fBufPos = fBufEnd = 0;
  int64_t n = fStream.Read(fBuffer.get(), kBufferSize);
  if (n <= 0) return false;
  fBufEnd = static_cast<int>(n);
  return true;
}

void TParser::Error(const std::string& message) const {
  throw EParserError(message + " on line " + std::to_string(fTokenLine));
}

void TParser::ErrorOnCurrentLine(const std::string& message) const {
  throw EParserError(message + " on line " + std::to_string(fLine));
}

std::string TParser::TokenDescription() const {
  switch (fToken) {
    case toEOF:
      return "end of file";
    case toSymbol:
      return "identifier '" + Shortened(fText) + "'";
    case toString:
    case toWString:
      return "string";
    case toInteger:
      return "integer " + Shortened(fText);
    case toFloat:
      return "number " + Shortened(fText);
    default:
      return TokenName(fToken);
  }
}

void TParser::SkipWhitespace() {
  for (int c = Peek(); c == ' ' || c == '\t' || c == '\r' || c == '\n'; c = Peek()) {
    Advance();
    if (c == '\r' && Peek() == '\n') Advance();
    if (c != ' ' && c != '\t') ++fLine;
  }
}

char TParser::NextToken() {
  SkipWhitespace();
  fTokenLine = fLine;
  fTokenOffset = Offset();
  fText.clear();
  fUnits.clear();
  fFloatType = 0;
  fTokenUnsigned = false;
  fIntegerBits = 0;
  int c = Peek();
  if (c < 0) {
    fToken = toEOF;
  } else if (IsAlpha(c)) {
    ReadSymbol();
  } else if (IsDigit(c)) {
    ReadNumber(false);
  } else if (c == '$') {
    ReadHexNumber();
  } else if (c == '\'' || c == '#') {
    ReadString();
  } else if (c == '-') {
    Advance();
    if (IsDigit(Peek())) {
      ReadNumber(true);
    } else {
      fToken = '-';
      fText = "-";
    }
  } else if (c < 0x20 || c >= 0x7F) {
    // Control characters would read as token kinds; other bytes belong inside strings only.
    ErrorOnCurrentLine("Invalid character #" + std::to_string(c));
  } else {
    Advance();
    fToken = static_cast<char>(c);
    fText = fToken;
  }
  return fToken;
}

void TParser::ReadSymbol() {
  for (int c = Peek(); IsAlpha(c) || IsDigit(c); c = Peek()) {
    fText += static_cast<char>(c);
    Advance();
  }
  fToken = toSymbol;
}

void TParser::ReadNumber(bool negative) {
  if (negative) fText = "-";
  std::size_t firstDigit = fText.size();
  for (int c = Peek(); IsDigit(c); c = Peek()) {
    fText += static_cast<char>(c);
    Advance();
  }
  std::size_t digitsEnd = fText.size();
  fToken = toInteger;
  int c = Peek();
  if (c == '.' || c == 'e' || c == 'E') {
    fToken = toFloat;
    bool seenPoint = false;
    bool seenExponent = false;
    for (c = Peek(); c >= 0; c = Peek()) {
      if (c == '.' && !seenPoint && !seenExponent) {
        seenPoint = true;
      } else if ((c == 'e' || c == 'E') && !seenExponent) {
        seenExponent = true;
        fText += static_cast<char>(c);
        Advance();
        c = Peek();
        if (c == '+' || c == '-') {
          fText += static_cast<char>(c);
          Advance();
          c = Peek();
        }
        if (!IsDigit(c)) ErrorOnCurrentLine("Invalid floating point number: " + Shortened(fText));
        continue;
      } else if (!IsDigit(c)) {
        break;
      }
      fText += static_cast<char>(c);
      Advance();
    }
  }
  c = Peek();
  if (c == 's' || c == 'S' || c == 'd' || c == 'D' || c == 'c' || c == 'C') {
    fFloatType = Lower(static_cast<char>(c));
    fToken = toFloat;
    Advance();
  }
  if (fToken != toInteger) return;
  uint64_t magnitude = 0;
  for (std::size_t i = firstDigit; i < digitsEnd; ++i) {
    if (__builtin_mul_overflow(magnitude, 10, &magnitude) ||
        __builtin_add_overflow(magnitude, static_cast<uint64_t>(fText[i] - '0'), &magnitude))
      Error("Integer out of range: " + Shortened(fText));
  }
  constexpr uint64_t kSignedLimit = uint64_t{1} << 63;
  if (negative) {
    if (magnitude > kSignedLimit) Error("Integer out of range: " + Shortened(fText));
    fIntegerBits = 0 - magnitude;
  } else {
    fIntegerBits = magnitude;
    fTokenUnsigned = magnitude >= kSignedLimit;
  }
}

void TParser::ReadHexNumber() {
  fText = "$";
  Advance();
  uint64_t value = 0;
  bool overflow = false;
  for (int c = Peek(); IsHexDigit(c); c = Peek()) {
    overflow = overflow || (value >> 60) != 0;
    value = (value << 4) | static_cast<uint64_t>(HexValue(c));
    fText += static_cast<char>(c);
    Advance();
  }
  if (fText.size() == 1) ErrorOnCurrentLine("Invalid integer number: $");
  if (overflow) ErrorOnCurrentLine("Integer out of range: " + Shortened(fText));
  fToken = toInteger;
  fIntegerBits = value;
}

void TParser::ReadString() {
  fToken = toString;
  for (int c = Peek(); c == '\'' || c == '#'; c = Peek()) {
    if (c == '\'')
      ReadQuoted();
    else
      ReadCharacterCode();
  }
}

void TParser::ReadQuoted() {
  Advance();
  std::string run;
  for (;;) {
    int c = Peek();
    if (c < 0 || c == '\r' || c == '\n') ErrorOnCurrentLine("Unterminated string");
    Advance();
    if (c == '\'') {
      if (Peek() != '\'') break;
      Advance();
    }
    run += static_cast<char>(c);
  }
  fText += run;
  fUnits += EightBitToUtf16(run);
}

void TParser::ReadCharacterCode() {
  Advance();
  if (!IsDigit(Peek())) ErrorOnCurrentLine("Invalid character code: '#' without digits");
  uint32_t code = 0;
  for (int c = Peek(); IsDigit(c); c = Peek()) {
    code = code * 10 + static_cast<uint32_t>(c - '0');
    if (code > 0x10FFFF) ErrorOnCurrentLine("Invalid character code: beyond #1114111");
    Advance();
  }
  if (code < 256) {
    fText += static_cast<char>(code);
    fUnits += static_cast<char16_t>(code);
    return;
  }
  fToken = toWString;
  AppendUtf16(fUnits, code);
}

std::string TParser::TokenString() const {
  return fToken == toWString ? Utf16ToUtf8(fUnits) : fText;
}

std::u16string TParser::TokenWideString() const {
  return fToken == toString || fToken == toWString ? fUnits : EightBitToUtf16(fText);
}

bool TParser::TokenSymbolIs(std::string_view symbol) const {
  if (fToken != toSymbol || fText.size() != symbol.size()) return false;
  for (std::size_t i = 0; i < symbol.size(); ++i)
    if (Lower(fText[i]) != Lower(symbol[i])) return false;
  return true;
}

std::string TParser::TokenComponentIdent() {
  CheckToken(toSymbol);
  while (Peek() == '.') {
    Advance();
    if (!IsAlpha(Peek()))
      ErrorOnCurrentLine("Identifier expected after '" + Shortened(fText) + ".'");
    fText += '.';
    ReadSymbol();
  }
  return fText;
}

int64_t TParser::TokenInt() const {
  CheckToken(toInteger);
  if (fTokenUnsigned) Error("Integer out of range: " + Shortened(fText));
  return static_cast<int64_t>(fIntegerBits);
}

uint64_t TParser::TokenUInt() const {
  CheckToken(toInteger);
  return fIntegerBits;
}

long double TParser::TokenFloat() const {
  CheckToken(toFloat);
  long double value;
  if (!ParseExtended(fText, value))
    Error("Floating point number out of range: " + Shortened(fText));
  return value;
}

float TParser::TokenSingle() const {
  CheckToken(toFloat);
  float value;
  if (!ParseSingle(fText, value)) Error("Single value out of range: " + Shortened(fText));
  return value;
}

double TParser::TokenDouble() const {
  CheckToken(toFloat);
  double value;
  if (!ParseDouble(fText, value)) Error("Floating point number out of range: " + Shortened(fText));
  return value;
}

int64_t TParser::TokenCurrency() const {
  CheckToken(toFloat);
  int64_t value;
  if (!ParseCurrency(fText, value)) Error("Currency value out of range: " + Shortened(fText));
  return value;
}

void TParser::HexToBinary(TStream& stream) {
  CheckToken('{');
  char chunk[kBufferSize];
  int used = 0;
  for (;;) {
    SkipWhitespace();
    int high = Peek();
    if (!IsHexDigit(high)) break;
    Advance();
    int low = Peek();
    if (!IsHexDigit(low)) ErrorOnCurrentLine("Odd number of hex digits in binary data");
    Advance();
    chunk[used++] = static_cast<char>(HexValue(high) << 4 | HexValue(low));
    if (used == kBufferSize) {
      stream.WriteBuffer(chunk, used);
      used = 0;
    }
  }
  stream.WriteBuffer(chunk, used);
  NextToken();
  CheckToken('}');
}

void TParser::CheckToken(char token) const {
  if (fToken != token) Error(TokenName(token) + " expected but " + TokenDescription() + " found");
}

void TParser::CheckTokenSymbol(std::string_view symbol) const {
  if (!TokenSymbolIs(symbol))
    Error("'" + std::string(symbol) + "' expected but " + TokenDescription() + " found");
}

}  // namespace dravik
