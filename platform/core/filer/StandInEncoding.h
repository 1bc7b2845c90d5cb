#pragma once
// Single stored values of stand-ins, as bytes (marker first) and back: what a stand-in's typed
// access decodes, and the bytes a changed value gets, with the marker of the value it replaces
// where that marker can hold it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/filer/StreamFormat.h"
#include "platform/core/system/Variant.h"

namespace dravik {

class TBinaryObjectReader;
class TStringStream;

// A reader over one value's bytes, its marker already read.
class TStoredValue {
 public:
  explicit TStoredValue(std::string_view bytes);
  ~TStoredValue();
  TValueType Type() const { return fType; }
  TBinaryObjectReader& Reader() { return *fReader; }

  bool IsInteger() const;
  bool IsString() const;
  bool IsFloat() const;
  int64_t Integer();    // the integer markers and vaQWord's bits
  long double Float();  // float and integer markers
  std::string Text();   // string markers as UTF-8; identifiers and numbers as text
  std::string Ident();  // vaIdent, vaNil, vaFalse, vaTrue, vaNull
  std::vector<std::string> Set();
  std::string Binary();
  Variant AsVariant();

 private:
  std::unique_ptr<TStringStream> fStream;
  std::unique_ptr<TBinaryObjectReader> fReader;
  TValueType fType;
};

std::string IdentBytes(std::string_view ident);  // nil, False, True, Null become their markers
std::string SetBytes(const std::vector<std::string>& elements);
std::string BinaryBytes(std::string_view data);
// An integer: with the marker of old when it holds the value, else the smallest that does.
std::string IntegerBytes(int64_t value, std::string_view old);
std::string QWordBytes(uint64_t value);
// A float with the marker of old when old is a float, else with marker.
std::string FloatBytes(long double value, std::string_view old, TValueType marker);
// Text with old's string marker and 8-bit encoding where they can hold it; without old, marker
// (vaString or vaWString) decides.
std::string StringBytes(const std::string& text, std::string_view old, TValueType marker);
std::string VariantBytes(const Variant& value);

// UTF-8 text as Windows-1252 bytes; false when a character has none.
bool Utf8ToWindows1252(std::string_view text, std::string& out);

}  // namespace dravik
