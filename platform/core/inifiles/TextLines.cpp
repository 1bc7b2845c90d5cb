#include "platform/core/inifiles/TextLines.h"

#include "platform/core/filer/StreamFormatEncoding.h"

namespace dravik {

std::vector<std::string> SplitTextLines(std::string_view bytes) {
  std::vector<std::string> lines;
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  while (!bytes.empty()) {
    const std::size_t end = bytes.find_first_of("\r\n");
    lines.push_back(EightBitToUtf8(bytes.substr(0, end)));
    if (end == std::string_view::npos) break;
    const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
    bytes.remove_prefix(end + (crlf ? 2 : 1));
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
