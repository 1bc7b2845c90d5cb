// Reads arbitrary bytes as a form of the streaming test classes: every outcome must be a
// framework exception or a form, never a crash, a hang or an unbounded allocation.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/core/filer/Reader.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"
#include "tests/core/StreamingClasses.h"

using namespace dravik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  TStringStream input(std::string(reinterpret_cast<const char*>(data), size));
  auto root = MakeComponent<TTestRoot>(nullptr);
  try {
    ReadComponent(input, root.get());
  } catch (const Exception&) {
    return 0;
  }
  // What was read can be written again.
  TStringStream output;
  WriteComponent(output, root.get());
  return 0;
}
