// Resource files from outside: reading must fail cleanly, and what was read must write and read
// back to the same resources.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/core/resources/ResourceFile.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"

using namespace dravik;

namespace {

bool SameEntries(const TResourceFile& a, const TResourceFile& b) {
  if (a.Entries.size() != b.Entries.size()) return false;
  for (std::size_t i = 0; i < a.Entries.size(); ++i) {
    const TResourceEntry& x = a.Entries[i];
    const TResourceEntry& y = b.Entries[i];
    if (!(x.Type == y.Type) || x.Name.ToString() != y.Name.ToString() || x.Data != y.Data ||
        x.MemoryFlags != y.MemoryFlags)
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    TStringStream header(bytes);
    ReadFormResourceHeader(header);
  } catch (const Exception&) {
  }
  TResourceFile file;
  try {
    TStringStream input(bytes);
    file.LoadFromStream(input);
  } catch (const Exception&) {
    return 0;
  }
  TStringStream saved;
  file.SaveToStream(saved);
  saved.SetPosition(0);
  TResourceFile again;
  again.LoadFromStream(saved);
  if (again.Layout != file.Layout || !SameEntries(file, again)) std::abort();
  return 0;
}
