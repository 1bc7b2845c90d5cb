// Text form streams from outside: ObjectTextToBinary must fail cleanly, and the stream it writes
// must print as text that reads back to the very same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/core/filer/ObjectText.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"

using namespace dravik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TStringStream input(std::string(reinterpret_cast<const char*>(data), size));
  TStringStream binary;
  try {
    ObjectTextToBinary(input, binary);
  } catch (const Exception&) {
    return 0;
  }
  binary.SetPosition(0);
  TStringStream text, again;
  ObjectBinaryToText(binary, text);
  text.SetPosition(0);
  ObjectTextToBinary(text, again);
  if (again.DataString() != binary.DataString()) std::abort();
  return 0;
}
