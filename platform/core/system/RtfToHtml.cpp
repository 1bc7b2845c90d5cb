#include "platform/core/system/RtfToHtml.h"

#include <cctype>
#include <string>
#include <vector>

namespace dravik {

namespace {

// The character formatting of one RTF group level, and whether its text is shown.
struct TRtfState {
  bool Bold = false, Italic = false, Underline = false, Skip = false;
};

void AppendEscaped(std::string& html, char32_t c) {
  switch (c) {
    case '<':
      html += "&lt;";
      return;
    case '>':
      html += "&gt;";
      return;
    case '&':
      html += "&amp;";
      return;
    default:
      break;
  }
  if (c < 0x80) {
    html += static_cast<char>(c);
  } else if (c < 0x800) {
    html += static_cast<char>(0xC0 | (c >> 6));
    html += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    html += static_cast<char>(0xE0 | (c >> 12));
    html += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    html += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string RtfToHtml(std::string_view rtf) {
  std::string html;
  std::vector<TRtfState> stack{TRtfState{}};
  TRtfState shown;  // the tags open in html
  // Tags are closed and opened again as a whole, so they always nest.
  auto sync = [&] {
    const TRtfState& want = stack.back();
    if (want.Bold == shown.Bold && want.Italic == shown.Italic && want.Underline == shown.Underline)
      return;
    if (shown.Underline) html += "</u>";
    if (shown.Italic) html += "</i>";
    if (shown.Bold) html += "</b>";
    if (want.Bold) html += "<b>";
    if (want.Italic) html += "<i>";
    if (want.Underline) html += "<u>";
    shown = want;
  };
  int skipNext = 0;  // characters after \uN that stand in for it
  for (std::size_t i = 0; i < rtf.size();) {
    const char c = rtf[i];
    if (c == '{') {
      stack.push_back(stack.back());
      ++i;
      // Header and destination groups hold no text to show.
      const std::string_view rest = rtf.substr(i);
      for (std::string_view head : {"\\fonttbl", "\\colortbl", "\\stylesheet", "\\info", "\\*",
                                    "\\pict", "\\header", "\\footer"})
        if (rest.substr(0, head.size()) == head) stack.back().Skip = true;
      continue;
    }
    if (c == '}') {
      if (stack.size() > 1) stack.pop_back();
      ++i;
      continue;
    }
    if (c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if (c != '\\') {
      if (skipNext > 0) {
        --skipNext;
      } else if (!stack.back().Skip) {
        sync();
        AppendEscaped(html, static_cast<unsigned char>(c));
      }
      ++i;
      continue;
    }
    // A control word, symbol or escaped character.
    if (i + 1 >= rtf.size()) break;
    const char next = rtf[i + 1];
    if (next == '\\' || next == '{' || next == '}') {
      if (!stack.back().Skip) {
        sync();
        html += next;
      }
      i += 2;
      continue;
    }
    if (next == '\'') {
      const std::string hex(rtf.substr(i + 2, 2));
      i += 2 + hex.size();
      if (skipNext > 0) {
        --skipNext;
        continue;
      }
      if (hex.size() == 2 && std::isxdigit(static_cast<unsigned char>(hex[0])) &&
          std::isxdigit(static_cast<unsigned char>(hex[1])) && !stack.back().Skip) {
        sync();
        AppendEscaped(html, static_cast<char32_t>(std::stoi(hex, nullptr, 16)));
      }
      continue;
    }
    std::size_t j = i + 1;
    while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
    const std::string_view word = rtf.substr(i + 1, j - i - 1);
    std::size_t k = j;
    if (k < rtf.size() && rtf[k] == '-') ++k;
    while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k])) && k - j < 10) ++k;
    const std::string digits(rtf.substr(j, k - j));
    const bool hasNumber = !digits.empty() && digits != "-";
    const long number = hasNumber ? std::stol(digits) : 1;
    if (k < rtf.size() && rtf[k] == ' ') ++k;  // the delimiter belongs to the word
    i = word.empty() ? i + 2 : k;
    TRtfState& state = stack.back();
    if (word == "b") {
      state.Bold = number != 0;
    } else if (word == "i") {
      state.Italic = number != 0;
    } else if (word == "ul") {
      state.Underline = number != 0;
    } else if (word == "ulnone") {
      state.Underline = false;
    } else if (word == "plain") {
      state.Bold = state.Italic = state.Underline = false;
    } else if ((word == "par" || word == "line") && !state.Skip) {
      sync();
      html += "<br>";
    } else if (word == "tab" && !state.Skip) {
      html += "&nbsp;&nbsp;&nbsp;&nbsp;";
    } else if (word == "u" && hasNumber && !state.Skip) {
      sync();
      AppendEscaped(html, static_cast<char32_t>(number < 0 ? number + 65536 : number));
      skipNext = 1;
    }
  }
  stack.assign(1, TRtfState{});
  sync();  // closes what is still open
  return html;
}

}  // namespace dravik
