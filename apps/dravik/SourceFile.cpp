#include "apps/dravik/SourceFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "platform/core/system/Exceptions.h"

namespace dravik {

std::string ReadSourceFile(const std::string& path) {
  if (path == "-") {
    std::string text{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    if (std::cin.bad()) throw EInOutError("Cannot read standard input", EIO);
    return text;
  }
  std::error_code error;
  if (std::filesystem::is_directory(path, error))
    throw EFOpenError("Cannot open file \"" + path + "\": " + std::strerror(EISDIR));
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFOpenError("Cannot open file \"" + path + "\": " + std::strerror(errno));
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throw EInOutError("Cannot read file \"" + path + "\"", EIO);
  return text;
}

std::string EscapeField(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\t':
        result += "\\t";
        break;
      case '\n':
        result += "\\n";
        break;
      case '\r':
        result += "\\r";
        break;
      case '\\':
        result += "\\\\";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
          static const char kHex[] = "0123456789ABCDEF";
          result += "\\x";
          result += kHex[(c >> 4) & 0xF];
          result += kHex[c & 0xF];
        } else {
          result += c;
        }
    }
  }
  return result;
}

}  // namespace dravik
