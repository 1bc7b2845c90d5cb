// Registry files from outside: reading never fails for bytes, and what was read writes a file
// that reads back sound with the same keys and values.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/core/inifiles/RegistryText.h"

using namespace dravik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::optional<TIniDamage> damage;
  const TRegistryText read = TRegistryText::Parse(bytes, damage);
  if (damage && damage->Line < 1) std::abort();
  const std::string written = read.Text();
  const TRegistryText again = TRegistryText::Parse(written, damage);
  if (damage || again.Text() != written || again.Keys().size() != read.Keys().size()) std::abort();
  for (const TRegKey& key : read.Keys())
    for (const TRegValue& value : key.Values) {
      const TRegValue* found = again.FindValue(key.Path, value.Name);
      if (!found || RegValueToText(*found) != RegValueToText(value)) std::abort();
    }
  return 0;
}
