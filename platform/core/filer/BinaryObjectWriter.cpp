#include "platform/core/filer/BinaryObjectWriter.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cstring>
#include <limits>

#include "platform/core/streams/Stream.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

static_assert(std::endian::native == std::endian::little,
              "the stream format is little-endian and is copied as it is");
static_assert(LDBL_MANT_DIG == 64, "Extended is the 80-bit format of long double");

namespace {

char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameAsciiText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return UpperAscii(x) == UpperAscii(y);
         });
}

}  // namespace

TBinaryObjectWriter::TBinaryObjectWriter(TStream& stream, int bufferSize)
    : fStream(stream),
      fBuffer(new char[static_cast<std::size_t>(std::max(bufferSize, 16))]),
      fBufferSize(std::max(bufferSize, 16)) {}

TBinaryObjectWriter::~TBinaryObjectWriter() {
  try {
    FlushBuffer();
  } catch (const Exception&) {
    // Reported only by an explicit FlushBuffer.
  }
}

void TBinaryObjectWriter::FlushBuffer() {
  int count = fBufPos;
  fBufPos = 0;
  fStream.WriteBuffer(fBuffer.get(), count);
}

void TBinaryObjectWriter::Write(const void* data, std::size_t count) {
  const auto* bytes = static_cast<const char*>(data);
  if (count >= static_cast<std::size_t>(fBufferSize)) {
    FlushBuffer();
    fStream.WriteBuffer(bytes, static_cast<int64_t>(count));
    return;
  }
  while (count > 0) {
    if (fBufPos == fBufferSize) FlushBuffer();
    std::size_t take =
        std::min<std::size_t>(count, static_cast<std::size_t>(fBufferSize - fBufPos));
    std::memcpy(fBuffer.get() + fBufPos, bytes, take);
    fBufPos += static_cast<int>(take);
    bytes += take;
    count -= take;
  }
}

void TBinaryObjectWriter::WriteLength(std::size_t length) {
  if (length > std::numeric_limits<uint32_t>::max())
    throw EWriteError("Value of " + std::to_string(length) + " bytes is too long for a stream");
  auto value = static_cast<uint32_t>(length);
  Write(&value, sizeof value);
}

void TBinaryObjectWriter::WriteSignature() {
  Write(FilerSignature, sizeof FilerSignature);
}

void TBinaryObjectWriter::WriteValue(TValueType type) {
  WriteByte(type);
}

void TBinaryObjectWriter::BeginComponent(TFilerFlags flags, int32_t childPos,
                                         std::string_view className, std::string_view name) {
  // The length byte of a class name of 240 bytes or more would read as a prefix; a prefix,
  // even one without flags, keeps it a name.
  if (flags != 0 || className.size() >= kFilerPrefixMask) {
    WriteByte(kFilerPrefixMask | (flags & 0x0F));
    if (flags & ffChildPos) WriteInteger(childPos);
  }
  WriteStr(className);
  WriteStr(name);
}

void TBinaryObjectWriter::BeginComponent(std::string_view prefix, std::string_view className,
                                         std::string_view name) {
  Write(prefix.data(), prefix.size());
  WriteStr(className);
  WriteStr(name);
}

void TBinaryObjectWriter::WriteInteger(int64_t value) {
  if (value >= INT8_MIN && value <= INT8_MAX) {
    WriteValue(vaInt8);
    WriteByte(static_cast<unsigned char>(value));
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    WriteValue(vaInt16);
    auto v = static_cast<int16_t>(value);
    Write(&v, sizeof v);
  } else if (value >= INT32_MIN && value <= INT32_MAX) {
    WriteValue(vaInt32);
    auto v = static_cast<int32_t>(value);
    Write(&v, sizeof v);
  } else {
    WriteValue(vaInt64);
    Write(&value, sizeof value);
  }
}

void TBinaryObjectWriter::WriteUInt64(uint64_t value) {
  if (value <= INT32_MAX) {
    WriteInteger(static_cast<int64_t>(value));
    return;
  }
  WriteValue(vaQWord);
  Write(&value, sizeof value);
}

void TBinaryObjectWriter::WriteFloat(long double value) {
  WriteValue(vaExtended);
  Write(&value, 10);
}

void TBinaryObjectWriter::WriteSingle(float value) {
  WriteValue(vaSingle);
  Write(&value, sizeof value);
}

void TBinaryObjectWriter::WriteDate(double value) {
  WriteValue(vaDate);
  Write(&value, sizeof value);
}

void TBinaryObjectWriter::WriteCurrency(int64_t value) {
  WriteValue(vaCurrency);
  Write(&value, sizeof value);
}

void TBinaryObjectWriter::WriteIdent(std::string_view ident) {
  if (SameAsciiText(ident, "nil")) {
    WriteValue(vaNil);
  } else if (SameAsciiText(ident, "False")) {
    WriteValue(vaFalse);
  } else if (SameAsciiText(ident, "True")) {
    WriteValue(vaTrue);
  } else if (SameAsciiText(ident, "Null")) {
    WriteValue(vaNull);
  } else {
    WriteValue(vaIdent);
    WriteStr(ident);
  }
}

void TBinaryObjectWriter::WriteMethodName(std::string_view name) {
  if (name.empty()) {
    WriteValue(vaNil);
    return;
  }
  WriteValue(vaIdent);
  WriteStr(name);
}

void TBinaryObjectWriter::WriteSet(const std::vector<std::string>& elements) {
  WriteValue(vaSet);
  for (const std::string& element : elements) {
    if (element.empty()) throw EWriteError("Empty set element name");
    WriteStr(element);
  }
  WriteByte(0);
}

void TBinaryObjectWriter::WriteStr(std::string_view value) {
  if (value.size() > 255)
    throw EWriteError("String of " + std::to_string(value.size()) +
                      " bytes is too long for a short string: " + std::string(value.substr(0, 40)) +
                      "...");
  WriteByte(static_cast<unsigned char>(value.size()));
  Write(value.data(), value.size());
}

void TBinaryObjectWriter::WriteString(std::string_view value) {
  if (value.size() <= 255) {
    WriteValue(vaString);
    WriteStr(value);
    return;
  }
  WriteValue(vaLString);
  WriteLength(value.size());
  Write(value.data(), value.size());
}

void TBinaryObjectWriter::WriteUTF8String(std::string_view value) {
  WriteValue(vaUTF8String);
  WriteLength(value.size());
  Write(value.data(), value.size());
}

void TBinaryObjectWriter::WriteUnits(TValueType type, std::u16string_view value) {
  WriteValue(type);
  WriteLength(value.size());
  Write(value.data(), value.size() * 2);
}

void TBinaryObjectWriter::WriteWideString(std::u16string_view value) {
  WriteUnits(vaWString, value);
}

void TBinaryObjectWriter::WriteUnicodeString(std::u16string_view value) {
  WriteUnits(vaUString, value);
}

void TBinaryObjectWriter::WriteBinary(const void* data, std::size_t count) {
  WriteValue(vaBinary);
  WriteLength(count);
  Write(data, count);
}

}  // namespace dravik
