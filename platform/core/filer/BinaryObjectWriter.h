#pragma once
// TBinaryObjectWriter: writes the values of a binary component stream (StreamFormat.h) to a
// TStream, through a buffer; the mirror of TBinaryObjectReader. Call FlushBuffer before using the
// stream: the destructor flushes too, but cannot report a failure.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/filer/StreamFormat.h"

namespace dravik {

class TStream;

class TBinaryObjectWriter {
 public:
  explicit TBinaryObjectWriter(TStream& stream, int bufferSize = 4096);
  ~TBinaryObjectWriter();
  TBinaryObjectWriter(const TBinaryObjectWriter&) = delete;
  TBinaryObjectWriter& operator=(const TBinaryObjectWriter&) = delete;

  void FlushBuffer();

  void WriteSignature();
  void WriteValue(TValueType type);
  // The prefix (when flags are set, or the class name is 240 bytes or longer; the child position
  // only with ffChildPos), then the class name and the object name.
  void BeginComponent(TFilerFlags flags, int32_t childPos, std::string_view className,
                      std::string_view name);
  // The same with a prefix as a reader found it (TComponentHeader::Prefix), written as it is.
  void BeginComponent(std::string_view prefix, std::string_view className, std::string_view name);
  void BeginProperty(std::string_view name) { WriteStr(name); }
  void BeginList() { WriteValue(vaList); }
  void EndList() { WriteValue(vaNull); }
  void BeginCollection() { WriteValue(vaCollection); }

  // The smallest of vaInt8, vaInt16, vaInt32 and vaInt64 that holds the value.
  void WriteInteger(int64_t value);
  // As WriteInteger up to 0x7FFFFFFF, vaQWord above.
  void WriteUInt64(uint64_t value);
  void WriteBoolean(bool value) { WriteValue(value ? vaTrue : vaFalse); }
  void WriteFloat(long double value);  // vaExtended
  void WriteSingle(float value);       // vaSingle
  void WriteDate(double value);        // vaDate
  void WriteCurrency(int64_t value);   // vaCurrency: the value times 10000

  // vaIdent; the names nil, False, True and Null (in any case) become their own markers.
  void WriteIdent(std::string_view ident);
  // vaIdent, or vaNil for an empty name (an unassigned event).
  void WriteMethodName(std::string_view name);
  void WriteSet(const std::vector<std::string>& elements);
  // A short string; EWriteError when longer than 255 bytes (it would be cut).
  void WriteStr(std::string_view value);
  // vaString up to 255 bytes, vaLString above; the bytes as they are.
  void WriteString(std::string_view value);
  void WriteUTF8String(std::string_view value);           // vaUTF8String
  void WriteWideString(std::u16string_view value);        // vaWString
  void WriteUnicodeString(std::u16string_view value);     // vaUString
  void WriteBinary(const void* data, std::size_t count);  // vaBinary

  // Raw bytes; prefer the typed writers.
  void Write(const void* data, std::size_t count);

 private:
  void WriteByte(unsigned char byte) {
    if (fBufPos == fBufferSize) FlushBuffer();
    fBuffer[fBufPos++] = static_cast<char>(byte);
  }
  void WriteLength(std::size_t length);
  void WriteUnits(TValueType type, std::u16string_view value);

  TStream& fStream;
  std::unique_ptr<char[]> fBuffer;
  int fBufferSize;
  int fBufPos = 0;
};

}  // namespace dravik
