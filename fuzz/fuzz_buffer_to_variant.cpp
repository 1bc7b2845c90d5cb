// Value buffers from outside (the slots of a stored "Values" property): decoding must fail with
// the framework's exception or give a value whose buffer decodes to that same buffer again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/ValueBuffer.h"
#include "platform/core/system/Exceptions.h"

using namespace dravik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Variant value;
  try {
    value = BufferToVariant(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const Exception&) {
    return 0;
  }
  // Decoding widens (small integers, singles, 8-bit text) once; from then on a value is stable.
  const std::string buffer = VariantToBuffer(value);
  if (VariantToBuffer(BufferToVariant(buffer)) != buffer) std::abort();
  return 0;
}
