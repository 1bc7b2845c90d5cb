#include "apps/studio/SourceText.h"

namespace dravik {

std::string BufferToPane(const std::string& buffer) {
  std::string pane;
  pane.reserve(buffer.size());
  for (std::size_t i = 0; i < buffer.size(); ++i)
    if (buffer[i] != '\r' || i + 1 >= buffer.size() || buffer[i + 1] != '\n') pane += buffer[i];
  return pane;
}

std::string PaneToBuffer(const std::string& pane, const std::string& buffer) {
  const std::size_t firstBreak = buffer.find('\n');
  if (firstBreak == std::string::npos || firstBreak == 0 || buffer[firstBreak - 1] != '\r')
    return pane;
  std::string crlf;
  crlf.reserve(pane.size() + pane.size() / 16);
  for (char c : pane) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

}  // namespace dravik
