#pragma once
// TBinaryObjectReader: reads the values of a binary component stream (StreamFormat.h) from a
// TStream, through a buffer. It knows the syntax of the stream, not the classes in it: TReader
// builds components from what it reads here.
//
// The Read... functions for payloads are called after the value's marker has been read with
// ReadValue. Every malformed or truncated input raises EReadError with the byte offset; lengths
// read from the input never decide an allocation before the bytes are there.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/filer/StreamFormat.h"

namespace dravik {

class TStream;

struct TComponentHeader {
  TFilerFlags Flags = 0;
  int32_t ChildPos = 0;  // meaningful when Flags has ffChildPos
  std::string Prefix;    // the prefix's bytes as stored (child position included); empty without
  std::string ClassName;
  std::string Name;
};

class TBinaryObjectReader {
 public:
  explicit TBinaryObjectReader(TStream& stream, int bufferSize = 4096);
  // Reads bytes held in memory in place, without a buffer of its own; they must outlive it.
  explicit TBinaryObjectReader(std::string_view bytes);
  // Gives the bytes read ahead back to the stream (see FlushBuffer); failures are ignored here.
  ~TBinaryObjectReader();
  TBinaryObjectReader(const TBinaryObjectReader&) = delete;
  TBinaryObjectReader& operator=(const TBinaryObjectReader&) = delete;

  // Puts the stream's position right after the last byte consumed.
  void FlushBuffer();
  // The stream position of the next byte to be consumed.
  int64_t Offset() const { return fBufferOffset + fBufPos; }

  // "TPF0", or EReadError.
  void ReadSignature();

  // The next byte without consuming it. It is not checked: where a property or component may
  // follow, it is a name's length, and only vaNull (the end) is a marker.
  TValueType NextValue() { return static_cast<TValueType>(PeekByte()); }
  bool EndOfList() { return PeekByte() == vaNull; }
  // A value marker; EReadError for a byte that is none.
  TValueType ReadValue();
  // Reads a marker and raises EReadError unless it is expected (e.g. vaList, or vaNull at the
  // end of a list).
  void CheckValue(TValueType expected);

  // The optional prefix, the class name and the object name of a component.
  TComponentHeader BeginComponent();
  // A property's name.
  std::string BeginProperty() { return ReadStr(); }

  int8_t ReadInt8();
  int16_t ReadInt16();
  int32_t ReadInt32();
  int64_t ReadInt64();
  uint64_t ReadQWord();
  // The payload of any of vaInt8, vaInt16, vaInt32, vaInt64; EReadError for another marker.
  int64_t ReadInteger(TValueType type);

  long double ReadFloat();  // vaExtended
  float ReadSingle();       // vaSingle
  double ReadDate();        // vaDate
  int64_t ReadCurrency();   // vaCurrency: the value times 10000

  // A short string: length byte and bytes (names, identifiers, set elements).
  std::string ReadStr();
  // The bytes of a vaString, vaLString or vaUTF8String, as stored.
  std::string ReadString(TValueType type);
  // The same into out, whose buffer a caller reading many values keeps.
  void ReadStr(std::string& out) { ReadBytes(out, ReadByte()); }
  void ReadString(TValueType type, std::string& out);
  // The units of a vaWString or vaUString.
  std::u16string ReadWideString();
  // vaIdent: the identifier; vaNil, vaFalse, vaTrue, vaNull: "nil", "False", "True", "Null".
  std::string ReadIdent(TValueType type);
  // The element names of a vaSet.
  std::vector<std::string> ReadSet();
  // The bytes of a vaBinary, copied to destination.
  void ReadBinary(TStream& destination);
  void ReadBinary(std::string& out) { ReadBytes(out, ReadDWord()); }
  // As ReadStr, ReadString and ReadBinary, but the bytes are seen where they lie when the buffer
  // holds them all (always, for bytes in memory) and copied into scratch only otherwise. The
  // view holds until the next read.
  std::string_view ReadStrView(std::string& scratch) { return ViewBytes(scratch, ReadByte()); }
  std::string_view ReadStringView(TValueType type, std::string& scratch);
  std::string_view ReadBinaryView(std::string& scratch) { return ViewBytes(scratch, ReadDWord()); }
  // Raw bytes; prefer the typed readers.
  void Read(void* buffer, std::size_t count);

  // Skips one value including its marker, with everything nested in it.
  void SkipValue();
  // Appends one value's bytes, its marker first, with everything nested in it, to out.
  void CopyValue(std::string& out);
  // Skips a property: its name and its value.
  void SkipProperty();
  // Skips a component's properties and children, and its header first when skipHeader is set.
  void SkipComponent(bool skipHeader);

  // Raises EReadError with the message and the given byte offset.
  [[noreturn]] void Error(const std::string& message, int64_t offset) const;

 private:
  unsigned char PeekByte() {
    if (fBufPos == fBufEnd) Fill();
    return static_cast<unsigned char>(fData[fBufPos]);
  }
  unsigned char ReadByte() {
    if (fBufPos == fBufEnd) Fill();
    return static_cast<unsigned char>(fData[fBufPos++]);
  }
  uint32_t ReadDWord();
  // Refills the empty buffer; EReadError at the end of the stream.
  void Fill();
  void ReadBytes(std::string& out, uint64_t count);
  std::string_view ViewBytes(std::string& scratch, uint64_t count);
  // Skipping, with a copy of what is skipped when copy is set.
  void SkipBytes(uint64_t count, std::string* copy);
  unsigned char SkipByte(std::string* copy);
  uint32_t SkipDWord(std::string* copy);
  void SkipValue(int depth, std::string* copy);
  void SkipComponent(bool skipHeader, int depth);
  void SkipPropertyList(int depth, std::string* copy);

  TStream* fStream = nullptr;  // null for bytes in memory
  std::unique_ptr<char[]> fBuffer;
  const char* fData;  // fBuffer, or the bytes in memory
  int fBufferSize = 0;
  int64_t fBufPos = 0;
  int64_t fBufEnd = 0;
  int64_t fBufferOffset = 0;  // stream position of fBuffer[0]
};

}  // namespace dravik
