#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/core/filer/BinaryObjectReader.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/StreamFormatEncoding.h"
#include "platform/core/filer/TextFormNumbers.h"
#include "platform/core/resources/ResourceFile.h"
#include "platform/core/streams/Stream.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

bool IsIdentStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentChar(char c) {
  return IsIdentStart(c) || (c >= '0' && c <= '9');
}

bool IsIdent(std::string_view s) {
  if (s.empty() || !IsIdentStart(s[0])) return false;
  for (char c : s)
    if (!IsIdentChar(c)) return false;
  return true;
}

// Identifiers joined by dots ("Font.Name", "Form1.Button1").
bool IsDottedIdent(std::string_view s) {
  bool start = true;  // at the start of an identifier
  for (char c : s) {
    if (c == '.') {
      if (start) return false;
      start = true;
    } else if (start ? !IsIdentStart(c) : !IsIdentChar(c)) {
      return false;
    } else {
      start = false;
    }
  }
  return !start;
}

// A property named like these would end the property list when the text is read.
bool IsKeyword(std::string_view name) {
  // Most names start with none of the keywords' letters.
  const char initial = name.empty() ? '\0' : static_cast<char>(name[0] | 0x20);
  if (initial != 'o' && initial != 'i' && initial != 'e') return false;
  std::string_view first = name.substr(0, name.find('.'));
  for (std::string_view keyword : {"object", "inherited", "inline", "end"}) {
    if (first.size() == keyword.size() &&
        std::equal(first.begin(), first.end(), keyword.begin(),
                   [](char a, char b) { return (a | 0x20) == b; }))
      return true;
  }
  return false;
}

// The text goes out in blocks this large: few writes, and a block still fits the caches.
constexpr std::size_t kWriteBlock = std::size_t{1} << 20;

class TTextFormPrinter {
 public:
  TTextFormPrinter(TStream& input, TStream& output) : fReader(input), fOutput(output) {}
  TTextFormPrinter(std::string_view input, TStream& output) : fReader(input), fOutput(output) {}

  void Run() {
    fReader.ReadSignature();
    PrintObject(0, 0);
    Flush();
    fReader.FlushBuffer();
  }

 private:
  void Flush() {
    fOutput.WriteBuffer(fText.data(), static_cast<int64_t>(fText.size()));
    fText.clear();
  }

  // Indents are counts of blanks; numbers are written into the text where they go: no value
  // makes a string of its own on the way.
  void Indent(std::size_t indent) { fText.append(indent, ' '); }
  template <class Number>
  void AppendNumber(Number value) {
    char digits[24];
    fText.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
  }

  // The last value ended its line; a closing bracket goes on that line.
  void CloseOnLastLine(char bracket) {
    fText.back() = bracket;
    fText += '\n';
  }

  void PrintObject(std::size_t indent, int depth) {
    int64_t start = fReader.Offset();
    if (depth > kMaxNestingDepth) fReader.Error("Components nested too deeply", start);
    TComponentHeader header = fReader.BeginComponent();
    if (!IsIdent(header.ClassName))
      fReader.Error("Invalid class name '" + header.ClassName.substr(0, 40) + "'", start);
    if (!header.Name.empty() && !IsIdent(header.Name))
      fReader.Error("Invalid component name '" + header.Name.substr(0, 40) + "'", start);
    Indent(indent);
    fText += header.Flags & ffInherited ? "inherited "
             : header.Flags & ffInline  ? "inline "
                                        : "object ";
    if (!header.Name.empty()) {
      fText += header.Name;
      fText += ": ";
    }
    fText += header.ClassName;
    if (header.Flags & ffChildPos) {
      fText += " [";
      AppendNumber(header.ChildPos);
      fText += ']';
    }
    fText += '\n';
    PrintProperties(indent + 2, depth);
    while (!fReader.EndOfList()) PrintObject(indent + 2, depth + 1);
    fReader.CheckValue(vaNull);
    Indent(indent);
    fText += "end\n";
    if (fText.size() > kWriteBlock) Flush();
  }

  void PrintProperties(std::size_t indent, int depth) {
    while (!fReader.EndOfList()) {
      int64_t start = fReader.Offset();
      const std::string_view name = fReader.ReadStrView(fName);
      if (!IsDottedIdent(name) || IsKeyword(name))
        fReader.Error("Invalid property name '" + std::string(name.substr(0, 40)) + "'", start);
      Indent(indent);
      fText += name;
      fText += " = ";
      PrintValue(indent, depth);
    }
    fReader.CheckValue(vaNull);
  }

  void PrintValue(std::size_t indent, int depth) {
    int64_t start = fReader.Offset();
    if (depth > kMaxNestingDepth) fReader.Error("Values nested too deeply", start);
    TValueType type = fReader.ReadValue();
    switch (type) {
      case vaNull:
        fText += "Null\n";
        break;
      case vaFalse:
        fText += "False\n";
        break;
      case vaTrue:
        fText += "True\n";
        break;
      case vaNil:
        fText += "nil\n";
        break;
      case vaInt8:
      case vaInt16:
      case vaInt32:
      case vaInt64:
        AppendNumber(fReader.ReadInteger(type));
        fText += '\n';
        break;
      case vaQWord:
        AppendNumber(fReader.ReadQWord());
        fText += '\n';
        break;
      case vaExtended:
        PrintExtended(start);
        break;
      case vaSingle:
        PrintFloat(FormatSingle(fReader.ReadSingle()), "s", start);
        break;
      case vaDate:
        PrintFloat(FormatDouble(fReader.ReadDate()), "d", start);
        break;
      case vaCurrency:
        fText += FormatCurrency(fReader.ReadCurrency()) + "c\n";
        break;
      case vaString:
      case vaLString:
      case vaUTF8String:
        PrintEightBitString(fReader.ReadStringView(type, fValue), indent);
        break;
      case vaWString:
      case vaUString:
        PrintWideString(fReader.ReadWideString(), indent);
        break;
      case vaIdent:
        PrintIdent(start);
        break;
      case vaSet:
        PrintSet(start);
        break;
      case vaBinary:
        PrintBinary(indent);
        break;
      case vaList:
        PrintList(indent, depth);
        break;
      case vaCollection:
        PrintCollection(indent, depth);
        break;
    }
  }

  // Below 10,000 and in 1/1024ths (1.5, 72, 0.25), a value is an exact decimal of at most ten
  // places that no shorter decimal reads back as, and shorter than its exponent form: written
  // as that decimal, without the search for the shortest form and the check that it reads back.
  bool PrintShortDyadic(long double value) {
    const long double magnitude = std::fabs(value);
    const long double units = magnitude * 1024;
    if (!(magnitude < 10000) || units != std::trunc(units)) return false;
    const auto scaled = static_cast<uint64_t>(units);
    if (std::signbit(value)) fText += '-';
    AppendNumber(scaled / 1024);
    fText += '.';
    uint64_t fraction = scaled % 1024 * 9765625;  // ten decimal places: 10^10 / 1024 per unit
    if (fraction == 0) {
      fText += "0\n";
      return true;
    }
    char digits[10];
    for (int i = 9; i >= 0; --i, fraction /= 10) digits[i] = static_cast<char>('0' + fraction % 10);
    int end = 10;
    while (digits[end - 1] == '0') --end;
    fText.append(digits, static_cast<std::size_t>(end));
    fText += '\n';
    return true;
  }

  void PrintExtended(int64_t start) {
    char stored[10];
    long double value = fReader.ReadFloat();
    if (PrintShortDyadic(value)) return;
    std::memcpy(stored, &value, sizeof stored);
    auto text = FormatExtended(value);
    // Only canonical values survive the way through decimal text.
    long double reread = 0;
    if (text && ParseExtended(*text, reread) && std::memcmp(&reread, stored, sizeof stored) == 0) {
      fText += *text + "\n";
      return;
    }
    fReader.Error("Floating point value without a text form (infinite, NaN or not canonical)",
                  start);
  }

  void PrintFloat(const std::optional<std::string>& text, const char* suffix, int64_t start) {
    if (!text) fReader.Error("Floating point value without a text form (infinite or NaN)", start);
    fText += *text + suffix + "\n";
  }

  void PrintIdent(int64_t start) {
    fReader.ReadStr(fValue);
    if (!IsDottedIdent(fValue))
      fReader.Error("Invalid identifier '" + fValue.substr(0, 40) + "'", start);
    fText += fValue;
    fText += '\n';
  }

  void PrintSet(int64_t start) {
    fText += '[';
    bool first = true;
    for (const std::string& element : fReader.ReadSet()) {
      if (!IsIdent(element))
        fReader.Error("Invalid set element '" + element.substr(0, 40) + "'", start);
      if (!first) fText += ", ";
      fText += element;
      first = false;
    }
    fText += "]\n";
  }

  // Ends the line (without trailing blanks) and indents the next one below indent.
  void NewLine(std::size_t indent) {
    while (!fText.empty() && fText.back() == ' ') fText.pop_back();
    fText += '\n';
    Indent(indent + 2);
  }

  // Runs of printable characters in quotes, the others (the quote too) as #nnn. A string longer
  // than a line starts on a line of its own and goes on in pieces of 64 units joined by " +",
  // as the original platform writes it; a piece never ends inside a UTF-8 sequence.
  template <class Unit, class IsPrintable>
  void PrintQuoted(const Unit* units, std::size_t count, IsPrintable isPrintable,
                   std::size_t indent) {
    constexpr std::size_t kLineLength = 64;
    if (count == 0) {
      fText += "''\n";
      return;
    }
    auto isContinuation = [&](std::size_t i) {
      return sizeof(Unit) == 1 && (static_cast<uint32_t>(units[i]) & 0xC0) == 0x80;
    };
    if (count > kLineLength) NewLine(indent);
    std::size_t i = 0, lineStart = 0;
    while (i < count) {
      bool lineBreak = false;
      auto code = static_cast<uint32_t>(units[i]);
      if (isPrintable(code) && code != '\'') {
        std::size_t run = i;
        do {
          ++i;
        } while (i < count && isPrintable(static_cast<uint32_t>(units[i])) && units[i] != '\'' &&
                 i - lineStart < kLineLength);
        if (i - lineStart >= kLineLength) {
          lineBreak = true;
          while (i < count && i > run + 1 && isContinuation(i)) --i;
        }
        fText += '\'';
        if constexpr (sizeof(Unit) == 1) {
          fText.append(reinterpret_cast<const char*>(units + run), i - run);
        } else {
          for (std::size_t k = run; k < i; ++k) fText += static_cast<char>(units[k]);
        }
        fText += '\'';
      } else {
        fText += '#';
        AppendNumber(code);
        ++i;
        lineBreak = i - lineStart >= kLineLength;
      }
      if (lineBreak && i < count) {
        fText += " +";
        NewLine(indent);
        lineStart = i;
      }
    }
    fText += '\n';
  }

  void PrintEightBitString(std::string_view bytes, std::size_t indent) {
    // Most strings are printable ASCII without a quote and fit one line: they go as they are.
    if (!bytes.empty() && bytes.size() <= 64) {
      unsigned plain = 1;
      for (unsigned char c : bytes) plain &= (c >= 0x20) & (c < 0x7F) & (c != '\'');
      if (plain) {
        fText += '\'';
        fText += bytes;
        fText += "'\n";
        return;
      }
    }
    auto* units = reinterpret_cast<const unsigned char*>(bytes.data());
    // UTF-8 stays readable; legacy bytes are spelled as codes, which keeps the text UTF-8.
    if (IsValidUtf8(bytes))
      PrintQuoted(
          units, bytes.size(), [](uint32_t c) { return c >= 0x20 && c != 0x7F; }, indent);
    else
      PrintQuoted(
          units, bytes.size(), [](uint32_t c) { return c >= 0x20 && c < 0x7F; }, indent);
  }

  void PrintWideString(const std::u16string& units, std::size_t indent) {
    PrintQuoted(
        units.data(), units.size(), [](uint32_t c) { return c >= 0x20 && c < 0x7F; }, indent);
  }

  void PrintBinary(std::size_t indent) {
    const std::string_view data = fReader.ReadBinaryView(fValue);
    if (data.empty()) {
      fText += "{}\n";
      return;
    }
    static const char kHex[] = "0123456789ABCDEF";
    constexpr std::size_t kBytesPerLine = 32;
    // Less than a line's worth stays on the property's line.
    const bool multiLine = data.size() >= kBytesPerLine;
    fText += "{";
    for (std::size_t i = 0; i < data.size(); i += kBytesPerLine) {
      if (multiLine) {
        fText += '\n';
        Indent(indent + 2);
      }
      const std::size_t end = std::min(data.size(), i + kBytesPerLine);
      std::size_t at = fText.size();
      fText.resize(at + 2 * (end - i));
      for (std::size_t k = i; k < end; ++k) {
        auto byte = static_cast<unsigned char>(data[k]);
        fText[at++] = kHex[byte >> 4];
        fText[at++] = kHex[byte & 15];
      }
    }
    fText += "}\n";
  }

  void PrintList(std::size_t indent, int depth) {
    if (fReader.EndOfList()) {
      fReader.CheckValue(vaNull);
      fText += "()\n";
      return;
    }
    fText += "(\n";
    while (!fReader.EndOfList()) {
      Indent(indent + 2);
      PrintValue(indent + 2, depth + 1);
    }
    fReader.CheckValue(vaNull);
    CloseOnLastLine(')');
  }

  void PrintCollection(std::size_t indent, int depth) {
    if (fReader.EndOfList()) {
      fReader.CheckValue(vaNull);
      fText += "<>\n";
      return;
    }
    fText += "<\n";
    while (!fReader.EndOfList()) {
      Indent(indent + 2);
      fText += "item";
      TValueType next = fReader.NextValue();
      if (next == vaInt8 || next == vaInt16 || next == vaInt32) {
        fText += " [";
        AppendNumber(fReader.ReadInteger(fReader.ReadValue()));
        fText += ']';
      }
      fText += '\n';
      fReader.CheckValue(vaList);
      PrintProperties(indent + 4, depth + 1);
      Indent(indent + 2);
      fText += "end\n";
    }
    fReader.CheckValue(vaNull);
    CloseOnLastLine('>');
  }

  TBinaryObjectReader fReader;
  TStream& fOutput;
  std::string fText;
  // The bytes of the name or value being printed, their buffers kept from value to value.
  std::string fName, fValue;
};

}  // namespace

void ObjectBinaryToText(TStream& input, TStream& output) {
  TTextFormPrinter(input, output).Run();
}

void ObjectBinaryToText(std::string_view input, TStream& output) {
  TTextFormPrinter(input, output).Run();
}

void ObjectResourceToText(TStream& input, TStream& output) {
  ReadFormResourceHeader(input);
  ObjectBinaryToText(input, output);
}

}  // namespace dravik
