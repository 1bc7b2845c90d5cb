#include "tests/core/StreamTestSupport.h"

#include "platform/core/ObjectText.h"
#include "platform/core/StringStream.h"

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
