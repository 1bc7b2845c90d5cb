// Binary component streams from outside: ObjectBinaryToText must fail cleanly, and what it prints
// must read back to a stream that prints the same text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/core/filer/ObjectText.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"

using namespace dravik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TStringStream input(std::string(reinterpret_cast<const char*>(data), size));
  TStringStream text;
  try {
    ObjectBinaryToText(input, text);
  } catch (const Exception&) {
    return 0;
  }
  TStringStream textInput(text.DataString()), binary, again;
  ObjectTextToBinary(textInput, binary);
  binary.SetPosition(0);
  ObjectBinaryToText(binary, again);
  if (again.DataString() != text.DataString()) std::abort();
  return 0;
}
