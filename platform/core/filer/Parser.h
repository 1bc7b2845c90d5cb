#pragma once
// TParser: the tokenizer of the text form of component streams. Tokens are symbols (identifiers),
// strings ('quoted' parts and #nnn character codes, in any sequence), integers (decimal, or $hex),
// floating point numbers (with an optional kind suffix s, d or c), and single characters.
// Errors raise EParserError with the line number: "... on line 3".

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace dravik {

class TStream;

enum : char {
  toEOF = 0,
  toSymbol = 1,
  toString = 2,  // an 8-bit string: all its character codes are below 256
  toInteger = 3,
  toFloat = 4,
  toWString = 5,  // a wide string: some character code is 256 or above
};

class TParser {
 public:
  // Reads the first token; a UTF-8 byte order mark at the beginning is skipped.
  explicit TParser(TStream& stream);
  // Puts the stream at the beginning of the current token, so that what follows the text just
  // parsed can be read by someone else. Failures are ignored here.
  ~TParser();
  TParser(const TParser&) = delete;
  TParser& operator=(const TParser&) = delete;

  char Token() const { return fToken; }
  char NextToken();
  int SourceLine() const { return fTokenLine; }
  // The stream position of the current token's first byte.
  int64_t SourcePos() const { return fTokenOffset; }

  // A symbol's or a number's text; an 8-bit string's bytes; a wide string as UTF-8.
  std::string TokenString() const;
  // A string token as UTF-16: quoted parts decoded as UTF-8 (Windows-1252 when not valid),
  // character codes as they are.
  std::u16string TokenWideString() const;
  bool TokenSymbolIs(std::string_view symbol) const;  // ignoring ASCII case
  // The symbol with the ".Name" parts that follow it without blanks, e.g. "Form1.Button1".
  std::string TokenComponentIdent();

  // Integers: decimal numbers beyond the signed 64-bit range up to 2^64-1 are unsigned (vaQWord);
  // $hex numbers of up to 16 digits are 64-bit patterns.
  bool TokenIsUnsigned() const { return fTokenUnsigned; }
  int64_t TokenInt() const;    // EParserError for an unsigned value
  uint64_t TokenUInt() const;  // the unsigned value
  // Floats: the kind suffix in lower case ('s' single, 'd' date, 'c' currency), or 0 for none.
  char FloatType() const { return fFloatType; }
  long double TokenFloat() const;
  float TokenSingle() const;
  double TokenDouble() const;
  int64_t TokenCurrency() const;  // the value times 10000, exact

  // After a '{' token: reads the pairs of hex digits up to the closing '}' into stream, which
  // becomes the current token.
  void HexToBinary(TStream& stream);

  void CheckToken(char token) const;
  void CheckTokenSymbol(std::string_view symbol) const;
  // EParserError: message and " on line " and the current token's line.
  [[noreturn]] void Error(const std::string& message) const;
  // The current token for messages: "identifier 'Foo'", "integer 12", "'='".
  std::string TokenDescription() const;

 private:
  int Peek() {
    if (fBufPos == fBufEnd && !Fill()) return -1;
    return static_cast<unsigned char>(fBuffer[fBufPos]);
  }
  void Advance() { ++fBufPos; }
  int64_t Offset() const { return fBufferOffset + fBufPos; }
  bool Fill();
  void SkipWhitespace();
  void ReadSymbol();
  void ReadNumber(bool negative);
  void ReadHexNumber();
  void ReadString();
  void ReadQuoted();
  void ReadCharacterCode();
  [[noreturn]] void ErrorOnCurrentLine(const std::string& message) const;

  TStream& fStream;
  std::unique_ptr<char[]> fBuffer;
  int fBufPos = 0;
  int fBufEnd = 0;
  int64_t fBufferOffset = 0;  // stream position of fBuffer[0]
  int fLine = 1;

  char fToken = toEOF;
  int fTokenLine = 1;
  int64_t fTokenOffset = 0;
  std::string fText;      // symbol, number or character token; 8-bit string bytes
  std::u16string fUnits;  // string token as UTF-16
  bool fTokenUnsigned = false;
  uint64_t fIntegerBits = 0;
  char fFloatType = 0;
};

// Token names for messages: "identifier", "string", "'='".
std::string TokenName(char token);

}  // namespace dravik
