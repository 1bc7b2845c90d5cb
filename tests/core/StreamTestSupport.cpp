#include "tests/core/StreamTestSupport.h"

#include "platform/core/filer/ObjectText.h"
#include "platform/core/streams/StringStream.h"

namespace dravik {

std::string ToText(const std::string& binary) {
  TStringStream in(binary), out;
  ObjectBinaryToText(in, out);
  return out.DataString();
}

std::string ToBinary(const std::string& text) {
  TStringStream in(text), out;
  ObjectTextToBinary(in, out);
  return out.DataString();
}

}  // namespace dravik
