#pragma once
// Globally unique identifiers from the operating system's random source.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dravik {

struct TGUID {
  uint32_t D1 = 0;
  uint16_t D2 = 0;
  uint16_t D3 = 0;
  std::array<uint8_t, 8> D4{};
  bool operator==(const TGUID&) const = default;
};

TGUID CreateGUID();  // a random (version 4) identifier
// The registry form: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case.
std::string GUIDToString(const TGUID& guid);
TGUID StringToGUID(std::string_view text);  // EConvertError on bad text

}  // namespace dravik
