#pragma once
// Resource files (.res), and language files (.lng), which are resource files holding one component
// stream. Two layouts exist: the 16-bit one that WriteComponentRes writes (per resource: type,
// name, memory flags, data size, data) and the 32-bit one that resource compilers such as windres
// read (an empty leading entry, then per resource: data size, header size, type and name as
// ordinals or UTF-16 strings, DWORD-aligned fields and data). Readers accept both.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

class TStream;

constexpr uint16_t RT_RCDATA = 10;

// A resource type or name: a 16-bit ordinal or a string (UTF-8; 16-bit files store the bytes).
class TResourceId {
 public:
  explicit TResourceId(uint16_t ordinal = 0) : fOrdinal(ordinal) {}
  explicit TResourceId(std::string name) : fIsOrdinal(false), fName(std::move(name)) {}

  bool IsOrdinal() const { return fIsOrdinal; }
  uint16_t Ordinal() const { return fOrdinal; }
  const std::string& Name() const { return fName; }
  // The name, or "#" and the ordinal.
  std::string ToString() const;
  // Names compare ignoring ASCII case, as resource names do.
  bool operator==(const TResourceId& other) const;

 private:
  bool fIsOrdinal = true;
  uint16_t fOrdinal = 0;
  std::string fName;
};

struct TResourceEntry {
  TResourceId Type{RT_RCDATA};
  TResourceId Name;
  uint16_t MemoryFlags = 0x1030;  // moveable, pure, discardable
  uint16_t LanguageId = 0;        // 32-bit layout only, as the next three
  uint32_t DataVersion = 0;
  uint32_t Version = 0;
  uint32_t Characteristics = 0;
  std::string Data;
};

enum class TResourceLayout { Res16, Res32 };

// The layout of a resource file that begins with these bytes (at least 16 of them for the 32-bit
// layout), or nothing when they begin none.
std::optional<TResourceLayout> DetectResourceLayout(std::string_view head);

class TResourceFile {
 public:
  TResourceLayout Layout = TResourceLayout::Res16;
  std::vector<TResourceEntry> Entries;  // the 32-bit layout's empty leading entry is not listed

  // Reads from the stream's position to its end. EInvalidImage for anything malformed.
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);
  // The same from a resource file held in memory; offsets in messages count from its start.
  void LoadFromBytes(std::string_view bytes);
  // Writes all entries in Layout. EWriteError for names the layout cannot hold.
  void SaveToStream(TStream& stream) const;
  // Saved atomically (AtomicFile.h).
  void SaveToFile(const std::string& fileName) const;

  // The first entry of that type whose string name equals name ignoring ASCII case; or null.
  const TResourceEntry* Find(std::string_view name,
                             const TResourceId& type = TResourceId(RT_RCDATA)) const;

 private:
  void Load(std::string_view bytes, int64_t baseOffset);
};

// The 16-bit header of one RCDATA resource, as WriteComponentRes writes it before the stream.
void WriteResourceHeader16(TStream& stream, const TResourceId& name, uint32_t dataSize);

// Reads the header of the RCDATA resource at the stream's position (in either layout, the 32-bit
// layout's empty leading entry skipped) and leaves the stream at its data; answers the data size.
uint32_t ReadFormResourceHeader(TStream& stream);

}  // namespace dravik
