#include "platform/core/filer/BinaryObjectReader.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cstring>

#include "platform/core/streams/Stream.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

static_assert(std::endian::native == std::endian::little,
              "the stream format is little-endian and is copied as it is");
static_assert(LDBL_MANT_DIG == 64, "Extended is the 80-bit format of long double");

TBinaryObjectReader::TBinaryObjectReader(TStream& stream, int bufferSize)
    : fStream(&stream),
      fBuffer(new char[static_cast<std::size_t>(std::max(bufferSize, 16))]),
      fData(fBuffer.get()),
      fBufferSize(std::max(bufferSize, 16)),
      fBufferOffset(stream.Position()) {}

TBinaryObjectReader::TBinaryObjectReader(std::string_view bytes)
    : fData(bytes.data()), fBufEnd(static_cast<int64_t>(bytes.size())) {}

TBinaryObjectReader::~TBinaryObjectReader() {
  try {
    FlushBuffer();
  } catch (const Exception&) {
    // The stream cannot seek back; the bytes read ahead are lost to later readers only.
  }
}

void TBinaryObjectReader::FlushBuffer() {
  if (!fStream) return;  // the bytes in memory are all there is
  if (fBufPos < fBufEnd) fStream->Seek(fBufPos - fBufEnd, soFromCurrent);
  fBufferOffset += fBufPos;
  fBufPos = fBufEnd = 0;
}

void TBinaryObjectReader::Error(const std::string& message, int64_t offset) const {
  throw EReadError(message + " at byte offset " + std::to_string(offset));
}

void TBinaryObjectReader::Fill() {
  fBufferOffset += fBufEnd;
  fBufPos = fBufEnd = 0;
  const int64_t n = fStream ? fStream->Read(fBuffer.get(), fBufferSize) : 0;
  if (n <= 0) Error("Unexpected end of stream", fBufferOffset);
  fBufEnd = n;
}

void TBinaryObjectReader::Read(void* buffer, std::size_t count) {
  auto* out = static_cast<char*>(buffer);
  while (count > 0) {
    if (fBufPos == fBufEnd) Fill();
    std::size_t take = std::min<std::size_t>(count, static_cast<std::size_t>(fBufEnd - fBufPos));
    std::memcpy(out, fData + fBufPos, take);
    fBufPos += static_cast<int64_t>(take);
    out += take;
    count -= take;
  }
}

void TBinaryObjectReader::ReadBytes(std::string& out, uint64_t count) {
  out.clear();
  // The string grows with the bytes actually read, so a huge length in a short stream fails at
  // the end of the data instead of allocating first.
  while (count > 0) {
    if (fBufPos == fBufEnd) Fill();
    std::size_t take = static_cast<std::size_t>(
        std::min<uint64_t>(count, static_cast<uint64_t>(fBufEnd - fBufPos)));
    out.append(fData + fBufPos, take);
    fBufPos += static_cast<int64_t>(take);
    count -= take;
  }
}

std::string_view TBinaryObjectReader::ViewBytes(std::string& scratch, uint64_t count) {
  if (count <= static_cast<uint64_t>(fBufEnd - fBufPos)) {
    std::string_view bytes(fData + fBufPos, static_cast<std::size_t>(count));
    fBufPos += static_cast<int64_t>(count);
    return bytes;
  }
  ReadBytes(scratch, count);
  return scratch;
}

void TBinaryObjectReader::SkipBytes(uint64_t count, std::string* copy) {
  while (count > 0) {
    if (fBufPos == fBufEnd) Fill();
    uint64_t take = std::min<uint64_t>(count, static_cast<uint64_t>(fBufEnd - fBufPos));
    if (copy) copy->append(fData + fBufPos, static_cast<std::size_t>(take));
    fBufPos += static_cast<int64_t>(take);
    count -= take;
  }
}

unsigned char TBinaryObjectReader::SkipByte(std::string* copy) {
  unsigned char byte = ReadByte();
  if (copy) copy->push_back(static_cast<char>(byte));
  return byte;
}

uint32_t TBinaryObjectReader::SkipDWord(std::string* copy) {
  uint32_t value = ReadDWord();
  if (copy) copy->append(reinterpret_cast<const char*>(&value), sizeof value);
  return value;
}

uint32_t TBinaryObjectReader::ReadDWord() {
  uint32_t value;
  Read(&value, sizeof value);
  return value;
}

void TBinaryObjectReader::ReadSignature() {
  int64_t start = Offset();
  char signature[4];
  Read(signature, sizeof signature);
  if (std::memcmp(signature, FilerSignature, sizeof signature) != 0)
    Error("Invalid stream format: the signature TPF0 is missing", start);
}

TValueType TBinaryObjectReader::ReadValue() {
  int64_t start = Offset();
  unsigned char byte = ReadByte();
  if (byte > kLastValueType) {
    static const char kHex[] = "0123456789ABCDEF";
    Error(std::string("Invalid value marker 0x") + kHex[byte >> 4] + kHex[byte & 15], start);
  }
  return static_cast<TValueType>(byte);
}

void TBinaryObjectReader::CheckValue(TValueType expected) {
  int64_t start = Offset();
  TValueType found = ReadValue();
  if (found != expected)
    Error(std::string(ValueTypeName(expected)) + " expected but " + ValueTypeName(found) + " found",
          start);
}

TComponentHeader TBinaryObjectReader::BeginComponent() {
  TComponentHeader header;
  if ((PeekByte() & kFilerPrefixMask) == kFilerPrefixMask) {
    unsigned char prefix = ReadByte();
    header.Prefix.push_back(static_cast<char>(prefix));
    header.Flags = prefix & 0x0F;
    if (header.Flags & ffChildPos) {
      int64_t start = Offset();
      TValueType type = ReadValue();
      if (type != vaInt8 && type != vaInt16 && type != vaInt32)
        Error("Invalid child position", start);
      header.ChildPos = static_cast<int32_t>(ReadInteger(type));
      header.Prefix.push_back(static_cast<char>(type));
      int32_t position = header.ChildPos;
      header.Prefix.append(reinterpret_cast<const char*>(&position), type == vaInt8    ? 1
                                                                     : type == vaInt16 ? 2
                                                                                       : 4);
    }
  }
  header.ClassName = ReadStr();
  header.Name = ReadStr();
  return header;
}

int8_t TBinaryObjectReader::ReadInt8() {
  return static_cast<int8_t>(ReadByte());
}

int16_t TBinaryObjectReader::ReadInt16() {
  int16_t value;
  Read(&value, sizeof value);
  return value;
}

int32_t TBinaryObjectReader::ReadInt32() {
  return static_cast<int32_t>(ReadDWord());
}

int64_t TBinaryObjectReader::ReadInt64() {
  int64_t value;
  Read(&value, sizeof value);
  return value;
}

uint64_t TBinaryObjectReader::ReadQWord() {
  uint64_t value;
  Read(&value, sizeof value);
  return value;
}

int64_t TBinaryObjectReader::ReadInteger(TValueType type) {
  switch (type) {
    case vaInt8:
      return ReadInt8();
    case vaInt16:
      return ReadInt16();
    case vaInt32:
      return ReadInt32();
    case vaInt64:
      return ReadInt64();
    default:
      Error(std::string("Integer expected but ") + ValueTypeName(type) + " found", Offset() - 1);
  }
}

long double TBinaryObjectReader::ReadFloat() {
  long double value = 0;
  Read(&value, 10);
  return value;
}

float TBinaryObjectReader::ReadSingle() {
  float value;
  Read(&value, sizeof value);
  return value;
}

double TBinaryObjectReader::ReadDate() {
  double value;
  Read(&value, sizeof value);
  return value;
}

int64_t TBinaryObjectReader::ReadCurrency() {
  return ReadInt64();
}

std::string TBinaryObjectReader::ReadStr() {
  std::string value;
  ReadBytes(value, ReadByte());
  return value;
}

std::string TBinaryObjectReader::ReadString(TValueType type) {
  std::string value;
  ReadString(type, value);
  return value;
}

void TBinaryObjectReader::ReadString(TValueType type, std::string& out) {
  switch (type) {
    case vaString:
      ReadBytes(out, ReadByte());
      break;
    case vaLString:
    case vaUTF8String:
      ReadBytes(out, ReadDWord());
      break;
    default:
      Error(std::string("String expected but ") + ValueTypeName(type) + " found", Offset() - 1);
  }
}

std::string_view TBinaryObjectReader::ReadStringView(TValueType type, std::string& scratch) {
  switch (type) {
    case vaString:
      return ViewBytes(scratch, ReadByte());
    case vaLString:
    case vaUTF8String:
      return ViewBytes(scratch, ReadDWord());
    default:
      Error(std::string("String expected but ") + ValueTypeName(type) + " found", Offset() - 1);
  }
}

std::u16string TBinaryObjectReader::ReadWideString() {
  std::string bytes;
  ReadBytes(bytes, uint64_t{ReadDWord()} * 2);
  std::u16string value(bytes.size() / 2, u'\0');
  std::memcpy(value.data(), bytes.data(), bytes.size());
  return value;
}

std::string TBinaryObjectReader::ReadIdent(TValueType type) {
  switch (type) {
    case vaIdent:
      return ReadStr();
    case vaNil:
      return "nil";
    case vaFalse:
      return "False";
    case vaTrue:
      return "True";
    case vaNull:
      return "Null";
    default:
      Error(std::string("Identifier expected but ") + ValueTypeName(type) + " found", Offset() - 1);
  }
}

std::vector<std::string> TBinaryObjectReader::ReadSet() {
  std::vector<std::string> elements;
  for (std::string name = ReadStr(); !name.empty(); name = ReadStr())
    elements.push_back(std::move(name));
  return elements;
}

void TBinaryObjectReader::ReadBinary(TStream& destination) {
  uint32_t count = ReadDWord();
  while (count > 0) {
    if (fBufPos == fBufEnd) Fill();
    const auto take =
        static_cast<uint32_t>(std::min<uint64_t>(count, static_cast<uint64_t>(fBufEnd - fBufPos)));
    destination.WriteBuffer(fData + fBufPos, take);
    fBufPos += static_cast<int64_t>(take);
    count -= take;
  }
}

void TBinaryObjectReader::SkipValue() {
  SkipValue(0, nullptr);
}

void TBinaryObjectReader::CopyValue(std::string& out) {
  SkipValue(0, &out);
}

void TBinaryObjectReader::SkipProperty() {
  SkipBytes(ReadByte(), nullptr);
  SkipValue(0, nullptr);
}

void TBinaryObjectReader::SkipComponent(bool skipHeader) {
  SkipComponent(skipHeader, 0);
}

void TBinaryObjectReader::SkipValue(int depth, std::string* copy) {
  if (depth > kMaxNestingDepth) Error("Values nested too deeply", Offset());
  TValueType type = ReadValue();
  if (copy) copy->push_back(static_cast<char>(type));
  switch (type) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
      break;
    case vaList:
      while (!EndOfList()) SkipValue(depth + 1, copy);
      SkipByte(copy);
      break;
    case vaInt8:
      SkipBytes(1, copy);
      break;
    case vaInt16:
      SkipBytes(2, copy);
      break;
    case vaInt32:
    case vaSingle:
      SkipBytes(4, copy);
      break;
    case vaInt64:
    case vaQWord:
    case vaCurrency:
    case vaDate:
      SkipBytes(8, copy);
      break;
    case vaExtended:
      SkipBytes(10, copy);
      break;
    case vaString:
    case vaIdent:
      SkipBytes(SkipByte(copy), copy);
      break;
    case vaBinary:
    case vaLString:
    case vaUTF8String:
      SkipBytes(SkipDWord(copy), copy);
      break;
    case vaWString:
    case vaUString:
      SkipBytes(uint64_t{SkipDWord(copy)} * 2, copy);
      break;
    case vaSet:
      for (unsigned char length = SkipByte(copy); length != 0; length = SkipByte(copy))
        SkipBytes(length, copy);
      break;
    case vaCollection:
      while (!EndOfList()) {
        TValueType next = NextValue();
        if (next == vaInt8 || next == vaInt16 || next == vaInt32) SkipValue(depth + 1, copy);
        CheckValue(vaList);
        if (copy) copy->push_back(static_cast<char>(vaList));
        SkipPropertyList(depth + 1, copy);
      }
      SkipByte(copy);
      break;
  }
}

void TBinaryObjectReader::SkipPropertyList(int depth, std::string* copy) {
  while (!EndOfList()) {
    SkipBytes(SkipByte(copy), copy);
    SkipValue(depth, copy);
  }
  SkipByte(copy);
}

void TBinaryObjectReader::SkipComponent(bool skipHeader, int depth) {
  if (depth > kMaxNestingDepth) Error("Components nested too deeply", Offset());
  if (skipHeader) BeginComponent();
  SkipPropertyList(depth, nullptr);
  while (!EndOfList()) SkipComponent(true, depth + 1);
  ReadByte();
}

}  // namespace dravik
