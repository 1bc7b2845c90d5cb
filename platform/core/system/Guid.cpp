#include "platform/core/system/Guid.h"

#include <fstream>
#include <random>

#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

void RandomBytes(uint8_t* data, std::size_t size) {
  std::ifstream source("/dev/urandom", std::ios::binary);
  if (source.read(reinterpret_cast<char*>(data), static_cast<std::streamsize>(size))) return;
  std::random_device device;  // the OS source by another door
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(device());
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = UpCase(c);
  return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

}  // namespace

TGUID CreateGUID() {
  uint8_t b[16];
  RandomBytes(b, sizeof b);
  b[6] = static_cast<uint8_t>((b[6] & 0x0F) | 0x40);
  b[8] = static_cast<uint8_t>((b[8] & 0x3F) | 0x80);
  TGUID g;
  g.D1 = uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
  g.D2 = static_cast<uint16_t>(b[4] << 8 | b[5]);
  g.D3 = static_cast<uint16_t>(b[6] << 8 | b[7]);
  for (int i = 0; i < 8; ++i) g.D4[static_cast<std::size_t>(i)] = b[8 + i];
  return g;
}

std::string GUIDToString(const TGUID& g) {
  std::string s = "{" + IntToHex(g.D1, 8) + "-" + IntToHex(g.D2, 4) + "-" + IntToHex(g.D3, 4) +
                  "-" + IntToHex(g.D4[0], 2) + IntToHex(g.D4[1], 2) + "-";
  for (int i = 2; i < 8; ++i) s += IntToHex(g.D4[static_cast<std::size_t>(i)], 2);
  return s + "}";
}

TGUID StringToGUID(std::string_view text) {
  static constexpr std::string_view kShape = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
  auto fail = [&]() { return EConvertError(Format("'%s' is not a valid GUID value", {text})); };
  if (text.size() != kShape.size()) throw fail();
  uint8_t bytes[16];
  int n = 0;
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    if (kShape[i] != 'X') {
      if (text[i] != kShape[i]) throw fail();
      continue;
    }
    int hi = HexDigit(text[i]), lo = HexDigit(text[i + 1]);
    if (hi < 0 || lo < 0) throw fail();
    bytes[n++] = static_cast<uint8_t>(hi << 4 | lo);
    ++i;
  }
  TGUID g;
  g.D1 = uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
  g.D2 = static_cast<uint16_t>(bytes[4] << 8 | bytes[5]);
  g.D3 = static_cast<uint16_t>(bytes[6] << 8 | bytes[7]);
  for (int i = 0; i < 8; ++i) g.D4[static_cast<std::size_t>(i)] = bytes[8 + i];
  return g;
}

}  // namespace dravik
