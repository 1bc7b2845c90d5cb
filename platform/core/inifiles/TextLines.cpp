#include "platform/core/inifiles/TextLines.h"

#include "platform/core/filer/StreamFormatEncoding.h"

namespace dravik {

std::vector<std::string> SplitTextLines(std::string_view bytes) {
  std::vector<std::string> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(EightBitToUtf8(line));
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 1);
  }
  return lines;
}

bool HasControlCharacter(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

std::string DamageMessage(const std::string& fileName, int line, const std::string& reason) {
  return "File " + fileName + " is damaged at line " + std::to_string(line) + ": " + reason;
}

}  // namespace dravik
