#include "platform/core/resources/ResourceFile.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/core/filer/StreamFormatEncoding.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/FileStream.h"
#include "platform/core/streams/MemoryStream.h"
#include "platform/core/streams/Stream.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

constexpr char kEmptyEntry32[32] = {0,      0,      0, 0, 0x20,   0,      0, 0,
                                    '\xFF', '\xFF', 0, 0, '\xFF', '\xFF', 0, 0};

char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameAsciiText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return UpperAscii(x) == UpperAscii(y);
         });
}

// Reads resource headers from bytes in memory; every read is checked against the end.
class TCursor {
 public:
  TCursor(std::string_view data, int64_t baseOffset) : fData(data), fBase(baseOffset) {}

  std::size_t Position() const { return fPos; }
  std::size_t Left() const { return fData.size() - fPos; }
  int64_t Offset() const { return fBase + static_cast<int64_t>(fPos); }

  [[noreturn]] void Fail(const std::string& message, int64_t offset) const {
    throw EInvalidImage("Invalid resource file: " + message + " at byte offset " +
                        std::to_string(offset));
  }

  std::string_view Take(std::size_t count, const char* what) {
    if (count > Left())
      Fail(std::string(what) + " of " + std::to_string(count) +
               " bytes runs past the end of the file",
           Offset());
    std::string_view bytes = fData.substr(fPos, count);
    fPos += count;
    return bytes;
  }
  uint8_t Byte(const char* what) { return static_cast<uint8_t>(Take(1, what)[0]); }
  uint16_t Word(const char* what) {
    uint16_t value;
    std::memcpy(&value, Take(2, what).data(), 2);
    return value;
  }
  uint32_t DWord(const char* what) {
    uint32_t value;
    std::memcpy(&value, Take(4, what).data(), 4);
    return value;
  }
  // Padding to the next multiple of four; a file may end without the last one.
  void AlignDWord() { fPos = std::min(fData.size(), (fPos + 3) & ~std::size_t{3}); }

 private:
  std::string_view fData;
  int64_t fBase;
  std::size_t fPos = 0;
};

TResourceId ReadId16(TCursor& in, const char* what) {
  uint8_t first = in.Byte(what);
  if (first == 0xFF) return TResourceId(in.Word(what));
  std::string name;
  for (uint8_t c = first; c != 0; c = in.Byte(what)) name += static_cast<char>(c);
  return TResourceId(std::move(name));
}

TResourceId ReadId32(TCursor& in, const char* what) {
  uint16_t first = in.Word(what);
  if (first == 0xFFFF) return TResourceId(in.Word(what));
  std::u16string units;
  for (uint16_t unit = first; unit != 0; unit = in.Word(what)) units += static_cast<char16_t>(unit);
  return TResourceId(Utf16ToUtf8(units));
}

// Each answers false at the end of the data, else reads one header and leaves the cursor at the
// resource's data.
bool ReadHeader16(TCursor& in, TResourceEntry& entry, uint32_t& dataSize) {
  if (in.Left() == 0) return false;
  entry.Type = ReadId16(in, "resource type");
  entry.Name = ReadId16(in, "resource name");
  entry.MemoryFlags = in.Word("resource header");
  dataSize = in.DWord("resource header");
  return true;
}

bool ReadHeader32(TCursor& in, TResourceEntry& entry, uint32_t& dataSize) {
  in.AlignDWord();
  if (in.Left() == 0) return false;
  int64_t start = in.Offset();
  dataSize = in.DWord("resource header");
  uint32_t headerSize = in.DWord("resource header");
  // The smallest header: the two sizes, two empty names and the fields.
  if (headerSize < 28)
    in.Fail("header size " + std::to_string(headerSize) + " is too small", start);
  TCursor header(in.Take(headerSize - 8, "resource header"), start + 8);
  entry.Type = ReadId32(header, "resource type");
  entry.Name = ReadId32(header, "resource name");
  header.AlignDWord();
  entry.DataVersion = header.DWord("resource header");
  entry.MemoryFlags = header.Word("resource header");
  entry.LanguageId = header.Word("resource header");
  entry.Version = header.DWord("resource header");
  entry.Characteristics = header.DWord("resource header");
  return true;
}

bool ReadHeader(TResourceLayout layout, TCursor& in, TResourceEntry& entry, uint32_t& dataSize) {
  return layout == TResourceLayout::Res32 ? ReadHeader32(in, entry, dataSize)
                                          : ReadHeader16(in, entry, dataSize);
}

// The 32-bit layout's leading entry, checked by DetectResourceLayout.
void SkipEmptyEntry32(TCursor& in) {
  in.Take(sizeof kEmptyEntry32, "resource header");
}

std::string Bytes(const void* data, std::size_t count) {
  return std::string(static_cast<const char*>(data), count);
}
template <class T>
void Append(std::string& out, T value) {
  out += Bytes(&value, sizeof value);
}

uint32_t DataSize(const std::string& data) {
  if (data.size() > std::numeric_limits<uint32_t>::max())
    throw EWriteError("Resource data of " + std::to_string(data.size()) + " bytes is too large");
  return static_cast<uint32_t>(data.size());
}

void AppendId16(std::string& out, const TResourceId& id) {
  if (id.IsOrdinal()) {
    out += '\xFF';
    Append<uint16_t>(out, id.Ordinal());
    return;
  }
  const std::string& name = id.Name();
  if (name.find('\0') != std::string::npos || (!name.empty() && name[0] == '\xFF'))
    throw EWriteError("Resource name '" + name + "' cannot be stored");
  out += name;
  out += '\0';
}

void AppendId32(std::string& out, const TResourceId& id) {
  if (id.IsOrdinal()) {
    Append<uint16_t>(out, 0xFFFF);
    Append<uint16_t>(out, id.Ordinal());
    return;
  }
  std::u16string units = EightBitToUtf16(id.Name());
  if (units.find(u'\0') != std::u16string::npos)
    throw EWriteError("Resource name '" + id.Name() + "' cannot be stored");
  out += Bytes(units.data(), units.size() * 2);
  Append<uint16_t>(out, 0);
}

void PadToDWord(std::string& out) {
  out.append((4 - out.size() % 4) % 4, '\0');
}

}  // namespace

std::string TResourceId::ToString() const {
  return fIsOrdinal ? "#" + std::to_string(fOrdinal) : fName;
}

bool TResourceId::operator==(const TResourceId& other) const {
  if (fIsOrdinal != other.fIsOrdinal) return false;
  return fIsOrdinal ? fOrdinal == other.fOrdinal : SameAsciiText(fName, other.fName);
}

std::optional<TResourceLayout> DetectResourceLayout(std::string_view head) {
  if (head.size() >= 16 && std::memcmp(head.data(), kEmptyEntry32, 16) == 0)
    return TResourceLayout::Res32;
  if (!head.empty() && head[0] == '\xFF') return TResourceLayout::Res16;
  return std::nullopt;
}

void TResourceFile::LoadFromStream(TStream& stream) {
  int64_t start = stream.Position();
  std::string bytes(static_cast<std::size_t>(std::max<int64_t>(stream.Size() - start, 0)), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  Load(bytes, start);
}

void TResourceFile::LoadFromBytes(std::string_view bytes) {
  Load(bytes, 0);
}

void TResourceFile::Load(std::string_view bytes, int64_t baseOffset) {
  TCursor in(bytes, baseOffset);
  auto layout = DetectResourceLayout(bytes);
  if (!layout) in.Fail("no resource header", baseOffset);
  Layout = *layout;
  Entries.clear();
  if (Layout == TResourceLayout::Res32) SkipEmptyEntry32(in);
  TResourceEntry entry;
  uint32_t dataSize = 0;
  while (ReadHeader(Layout, in, entry, dataSize)) {
    entry.Data = std::string(in.Take(dataSize, "resource data"));
    Entries.push_back(std::move(entry));
    entry = TResourceEntry();
  }
}

void TResourceFile::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

// Each resource's header is put together in memory; its data goes to the stream as it is.
void TResourceFile::SaveToStream(TStream& stream) const {
  auto write = [&stream](std::string_view bytes) {
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  };
  if (Layout == TResourceLayout::Res16) {
    for (const TResourceEntry& entry : Entries) {
      std::string header;
      AppendId16(header, entry.Type);
      AppendId16(header, entry.Name);
      Append<uint16_t>(header, entry.MemoryFlags);
      Append<uint32_t>(header, DataSize(entry.Data));
      write(header);
      write(entry.Data);
    }
    return;
  }
  write(std::string_view(kEmptyEntry32, sizeof kEmptyEntry32));
  for (const TResourceEntry& entry : Entries) {
    std::string ids;
    AppendId32(ids, entry.Type);
    AppendId32(ids, entry.Name);
    PadToDWord(ids);
    std::string header;
    Append<uint32_t>(header, DataSize(entry.Data));
    Append<uint32_t>(header, static_cast<uint32_t>(8 + ids.size() + 16));
    header += ids;
    Append<uint32_t>(header, entry.DataVersion);
    Append<uint16_t>(header, entry.MemoryFlags);
    Append<uint16_t>(header, entry.LanguageId);
    Append<uint32_t>(header, entry.Version);
    Append<uint32_t>(header, entry.Characteristics);
    write(header);
    write(entry.Data);
    // Headers are whole DWORDs, so the data's own length decides the padding after it.
    write(std::string_view("\0\0\0", (4 - entry.Data.size() % 4) % 4));
  }
}

void TResourceFile::SaveToFile(const std::string& fileName) const {
  TAtomicFileStream file(fileName);
  SaveToStream(file);
  file.Commit();
}

const TResourceEntry* TResourceFile::Find(std::string_view name, const TResourceId& type) const {
  for (const TResourceEntry& entry : Entries)
    if (entry.Type == type && !entry.Name.IsOrdinal() && SameAsciiText(entry.Name.Name(), name))
      return &entry;
  return nullptr;
}

void WriteResourceHeader16(TStream& stream, const TResourceId& name, uint32_t dataSize) {
  std::string out;
  AppendId16(out, TResourceId(RT_RCDATA));
  AppendId16(out, name);
  Append<uint16_t>(out, 0x1030);
  Append<uint32_t>(out, dataSize);
  stream.WriteBuffer(out.data(), static_cast<int64_t>(out.size()));
}

uint32_t ReadFormResourceHeader(TStream& stream) {
  // Headers are small: a name of 64 KB is already far beyond any real one.
  constexpr int64_t kMaxHeader = 65536 + 64;
  int64_t start = stream.Position();
  int64_t left = std::max<int64_t>(stream.Size() - start, 0);
  std::string head(static_cast<std::size_t>(std::min(left, kMaxHeader)), '\0');
  stream.ReadBuffer(head.data(), static_cast<int64_t>(head.size()));
  TCursor in(head, start);
  auto layout = DetectResourceLayout(head);
  if (!layout) in.Fail("no resource header", start);
  if (*layout == TResourceLayout::Res32) SkipEmptyEntry32(in);
  TResourceEntry entry;
  uint32_t dataSize = 0;
  if (!ReadHeader(*layout, in, entry, dataSize))
    in.Fail("no resource after the header", in.Offset());
  if (!(entry.Type == TResourceId(RT_RCDATA)))
    in.Fail("resource " + entry.Name.ToString() + " is of type " + entry.Type.ToString() +
                ", not RCDATA",
            start);
  if (dataSize > static_cast<uint64_t>(left) - in.Position())
    in.Fail("resource data of " + std::to_string(dataSize) + " bytes runs past the end of the file",
            in.Offset());
  stream.SetPosition(start + static_cast<int64_t>(in.Position()));
  return dataSize;
}

}  // namespace dravik
