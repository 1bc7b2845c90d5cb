// INI files from outside: reading never fails for bytes, and what was read writes a file that
// reads back sound and the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/core/inifiles/IniText.h"

using namespace dravik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::optional<TIniDamage> damage;
  const TIniText read = TIniText::Parse(bytes, damage);
  if (damage && damage->Line < 1) std::abort();
  const std::string written = read.Text();
  const TIniText again = TIniText::Parse(written, damage);
  if (damage || again.Text() != written) std::abort();
  for (const TIniValue& value : read.Values())
    if (!again.FindValue(value.Section, value.Key) ||
        *again.FindValue(value.Section, value.Key) != value.Value)
      std::abort();
  return 0;
}
