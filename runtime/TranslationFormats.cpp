#include "runtime/TranslationFormats.h"

#include <algorithm>
#include <cstdint>

#include "platform/core/filer/StreamFormatEncoding.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "runtime/DravikSystem.h"
#include "runtime/LanguageManager.h"

namespace dravik {

std::string FileLanguage(const std::string& language) {
  const std::string code = LanguageCode(language);
  return code.empty() ? language : code;
}

TTranslationSet TranslationSetOf(const TLanguageManager& manager, const std::string& language) {
  const int target = manager.Langs()->IndexOfLanguage(language);
  if (target < 0) throw EConvertError("The form has no language " + language);
  const int active = manager.Langs()->IndexOfSubIndex(0);
  TTranslationSet set;
  set.SourceLanguage = active >= 0 ? manager.Langs()->Items(active)->Name : "";
  set.TargetLanguage = manager.Langs()->Items(target)->Name;
  const int slot = manager.Langs()->Items(target)->SubIndex;
  manager.ForEachExportKey(
      [&](const std::string& key, const std::string&, const TConsistentLangPropertyEntry& entry) {
        set.Units.push_back({key,
                             TLanguageManager::LanguageText(entry, 0),
                             TLanguageManager::LanguageText(entry, slot),
                             false,
                             {}});
      });
  return set;
}

namespace {

// --- PO -------------------------------------------------------------------------------------

std::string PoQuoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += c;
    }
  }
  return out + "\"";
}

class TPoReader {
 public:
  TPoReader(std::string_view text, const std::string& fileName) : fText(text), fName(fileName) {}

  TTranslationSet Read() {
    TTranslationSet set;
    TTranslationUnit unit;
    std::string* field = nullptr;
    bool header = false, any = false;
    auto finish = [&] {
      if (any && !header) set.Units.push_back(unit);
      if (any && header) ReadHeader(unit.Target, set);
      unit = TTranslationUnit();
      field = nullptr;
      any = header = false;
    };
    while (NextLine()) {
      const std::string line = Trim(fLine);
      if (line.empty()) {
        if (any) finish();
        continue;
      }
      if (line.rfind("#~", 0) == 0) continue;  // an obsolete entry
      if (line[0] == '#') {
        if (any && field) finish();
        if (line.rfind("#,", 0) == 0 && line.find("fuzzy") != std::string::npos) unit.Fuzzy = true;
        if (line.rfind("# ", 0) == 0 || line == "#") unit.Comments.push_back(Trim(line.substr(1)));
        continue;
      }
      if (line[0] == '"') {
        if (!field) Fail("a string outside an entry");
        *field += Unquote(line);
        continue;
      }
      const std::size_t space = line.find(' ');
      const std::string keyword = line.substr(0, space);
      const std::string rest = space == std::string::npos ? "" : Trim(line.substr(space));
      if (keyword == "msgctxt") {
        if (any) finish();
        field = &unit.Key;
      } else if (keyword == "msgid") {
        if (any && !unit.Source.empty()) finish();
        field = &unit.Source;
      } else if (keyword == "msgstr" || keyword == "msgstr[0]") {
        field = &unit.Target;
        header = unit.Key.empty() && unit.Source.empty();
      } else if (keyword == "msgid_plural" || keyword.rfind("msgstr[", 0) == 0) {
        field = &fIgnored;  // plural forms do not occur in forms
      } else {
        Fail("unknown keyword " + keyword);
      }
      any = true;
      *field = Unquote(rest);
    }
    if (any) finish();
    return set;
  }

 private:
  bool NextLine() {
    if (fAt >= fText.size()) return false;
    const std::size_t end = fText.find('\n', fAt);
    fLine = std::string(fText.substr(fAt, end == std::string_view::npos ? end : end - fAt));
    if (!fLine.empty() && fLine.back() == '\r') fLine.pop_back();
    fAt = end == std::string_view::npos ? fText.size() : end + 1;
    ++fNumber;
    return true;
  }

  std::string Unquote(const std::string& quoted) {
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"')
      Fail("a string in double quotes expected");
    std::string out;
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
      if (quoted[i] != '\\') {
        out += quoted[i];
        continue;
      }
      if (++i + 1 > quoted.size() - 1) Fail("a backslash at the end of a string");
      switch (quoted[i]) {
        case 'n':
          out += '\n';
          break;
        case 't':
          out += '\t';
          break;
        case 'r':
          out += '\r';
          break;
        case '"':
          out += '"';
          break;
        case '\\':
          out += '\\';
          break;
        default:
          Fail(std::string("unknown escape \\") + quoted[i]);
      }
    }
    return out;
  }

  static void ReadHeader(const std::string& header, TTranslationSet& set) {
    for (std::size_t at = 0; at < header.size();) {
      const std::size_t end = std::min(header.find('\n', at), header.size());
      const std::string line = header.substr(at, end - at);
      if (line.rfind("Language: ", 0) == 0) set.TargetLanguage = Trim(line.substr(10));
      if (line.rfind("X-Source-Language: ", 0) == 0) set.SourceLanguage = Trim(line.substr(19));
      at = end + 1;
    }
  }

  [[noreturn]] void Fail(const std::string& reason) const {
    throw EParserError(fName + ":" + std::to_string(fNumber) + ": " + reason);
  }

  std::string_view fText;
  std::string fName;
  std::string fLine;
  std::string fIgnored;
  std::size_t fAt = 0;
  int fNumber = 0;
};

// --- XLIFF ----------------------------------------------------------------------------------

// Whether XML 1.0 can hold the character at all, raw or as a reference: tab, line breaks and
// what lies outside the C0 codes, the surrogates and U+FFFE/U+FFFF.
bool IsXmlChar(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// A text an XLIFF file is to hold; EConvertError naming the key for a control character that
// XML 1.0 has no way to hold, which no XML tool (our import included) would read.
void CheckXmlText(const std::string& text, const std::string& key) {
  for (char c : text)
    if (!IsXmlChar(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 0x20)
      throw EConvertError(
          Format("The text of %s holds the control character U+%.4X, which an "
                 "XLIFF file cannot hold",
                 {key, static_cast<int32_t>(static_cast<unsigned char>(c))}));
}

std::string XmlEscaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case '\r':
        out += "&#xD;";  // a raw one would be read as a line feed
        break;
      default:
        out += c;
    }
  }
  return out;
}

// The small part of XML that an XLIFF file of trans-units needs: elements (each closed by its
// own end tag), attributes, text with the predefined entities and character references, CDATA
// sections, comments and the declaration.
class TXliffReader {
 public:
  TXliffReader(std::string_view text, const std::string& fileName) : fText(text), fName(fileName) {}

  TTranslationSet Read() {
    TTranslationSet set;
    bool sawRoot = false;
    while (fAt < fText.size()) {
      if (fText[fAt] != '<') {
        const std::size_t end = std::min(fText.find('<', fAt), fText.size());
        const std::string chunk(fText.substr(fAt, end - fAt));
        fAt = end;
        const std::string decoded = Decoded(chunk);
        if (std::string* text = Text(set)) *text += decoded;
        continue;
      }
      if (fText.substr(fAt, 9) == "<![CDATA[") {
        const std::size_t end = fText.find("]]>", fAt + 9);
        if (end == std::string_view::npos) Fail("a CDATA section that does not end");
        const std::string chunk(fText.substr(fAt + 9, end - fAt - 9));
        fAt = end + 3;
        CheckRaw(chunk);
        if (std::string* text = Text(set)) *text += chunk;
        continue;
      }
      if (Skip("<?", "?>") || Skip("<!--", "-->") || Skip("<!", ">")) continue;
      const std::size_t end = fText.find('>', fAt);
      if (end == std::string_view::npos) Fail("a tag that does not end");
      const std::string tag(fText.substr(fAt + 1, end - fAt - 1));
      fAt = end + 1;
      const bool closing = !tag.empty() && tag[0] == '/';
      const bool empty = !closing && !tag.empty() && tag.back() == '/';
      const std::string name = ElementName(closing ? tag.substr(1) : tag);
      if (name.empty()) Fail("a tag without a name");
      if (closing) {
        Close(name);
        continue;
      }
      if (name == "xliff") sawRoot = true;
      Open(set, tag, name, empty);
    }
    if (!fOpen.empty()) Fail("<" + fOpen.back() + "> is not closed");
    if (!sawRoot) Fail("no xliff element");
    return set;
  }

 private:
  // What the text of the element being read goes to.
  enum class TField { None, Source, Target, Note };

  void Open(TTranslationSet& set, const std::string& tag, const std::string& name, bool empty) {
    if (name == "file") {
      set.SourceLanguage = Attribute(tag, "source-language");
      set.TargetLanguage = Attribute(tag, "target-language");
    } else if (name == "trans-unit") {
      if (fUnit) Fail("a <trans-unit> inside another");
      TTranslationUnit& unit = set.Units.emplace_back();
      unit.Key = Attribute(tag, "resname");
      if (unit.Key.empty()) unit.Key = Attribute(tag, "id");
      if (Attribute(tag, "approved") == "no") unit.Fuzzy = true;
    } else if (fUnit && fField == TField::None &&
               (name == "source" || name == "target" || name == "note")) {
      TTranslationUnit& unit = set.Units.back();
      if (name == "note") unit.Comments.emplace_back();
      if (name == "target" && Attribute(tag, "state").rfind("needs-", 0) == 0) unit.Fuzzy = true;
      if (!empty) {
        fField = name == "source"   ? TField::Source
                 : name == "target" ? TField::Target
                                    : TField::Note;
        fFieldDepth = fOpen.size() + 1;
      }
    }
    if (empty) return;
    if (name == "trans-unit") fUnit = true;
    fOpen.push_back(name);
  }

  void Close(const std::string& name) {
    if (fOpen.empty()) Fail("</" + name + "> closes no element");
    if (fOpen.back() != name) Fail("</" + name + "> closes <" + fOpen.back() + ">");
    if (fOpen.size() == fFieldDepth) {
      fField = TField::None;
      fFieldDepth = 0;
    }
    if (name == "trans-unit") fUnit = false;
    fOpen.pop_back();
  }

  // The text the characters being read belong to; null outside source, target and note.
  std::string* Text(TTranslationSet& set) const {
    if (!fUnit || set.Units.empty()) return nullptr;
    TTranslationUnit& unit = set.Units.back();
    switch (fField) {
      case TField::Source:
        return &unit.Source;
      case TField::Target:
        return &unit.Target;
      case TField::Note:
        return &unit.Comments.back();
      case TField::None:
        break;
    }
    return nullptr;
  }

  bool Skip(std::string_view open, std::string_view close) {
    if (fText.substr(fAt, open.size()) != open) return false;
    const std::size_t end = fText.find(close, fAt + open.size());
    if (end == std::string_view::npos) Fail("unterminated markup");
    fAt = end + close.size();
    return true;
  }

  static std::string ElementName(const std::string& tag) {
    const std::size_t end = tag.find_first_of(" \t\r\n/");
    std::string name = tag.substr(0, end);
    const std::size_t colon = name.find(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
  }

  // The value of the attribute name, read attribute by attribute (a name inside another's value
  // is no attribute); empty when the tag does not have it.
  std::string Attribute(const std::string& tag, const std::string& name) {
    constexpr std::string_view kBlank = " \t\r\n";
    std::size_t at = tag.find_first_of(kBlank);  // after the element's name
    while (at != std::string::npos) {
      at = tag.find_first_not_of(kBlank, at);
      if (at == std::string::npos || tag[at] == '/') break;
      const std::size_t eq = tag.find('=', at);
      if (eq == std::string::npos) Fail("bad attribute");
      const std::size_t nameEnd = tag.find_last_not_of(kBlank, eq - 1);
      const std::string attribute = tag.substr(at, nameEnd + 1 - at);
      const std::size_t quote = tag.find_first_not_of(kBlank, eq + 1);
      if (quote == std::string::npos || (tag[quote] != '"' && tag[quote] != '\''))
        Fail("bad attribute");
      const std::size_t end = tag.find(tag[quote], quote + 1);
      if (end == std::string::npos) Fail("an attribute value that does not end");
      if (attribute == name) return Decoded(tag.substr(quote + 1, end - quote - 1));
      at = end + 1;
    }
    return "";
  }

  // Raw characters that XML 1.0 does not allow anywhere (C0 codes but tab and line breaks).
  void CheckRaw(const std::string& text) const {
    for (char c : text)
      if (static_cast<unsigned char>(c) < 0x20 && !IsXmlChar(static_cast<unsigned char>(c)))
        Fail(Format("the control character U+%.4X, which XML does not allow",
                    {static_cast<int32_t>(c)}));
  }

  // The code of a character reference's digits ("65", "x41"); 0 for what is not one.
  static char32_t ReferenceCode(const std::string& digits) {
    const bool hex = !digits.empty() && (digits[0] == 'x' || digits[0] == 'X');
    const std::size_t first = hex ? 1 : 0;
    if (digits.size() <= first) return 0;
    uint32_t code = 0;
    for (std::size_t i = first; i < digits.size(); ++i) {
      const char c = digits[i];
      uint32_t digit;
      if (c >= '0' && c <= '9') {
        digit = static_cast<uint32_t>(c - '0');
      } else if (hex && c >= 'a' && c <= 'f') {
        digit = static_cast<uint32_t>(c - 'a' + 10);
      } else if (hex && c >= 'A' && c <= 'F') {
        digit = static_cast<uint32_t>(c - 'A' + 10);
      } else {
        return 0;
      }
      code = code * (hex ? 16 : 10) + digit;
      if (code > 0x10FFFF) return 0;
    }
    return code;
  }

  std::string Decoded(const std::string& text) {
    CheckRaw(text);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '&') {
        // A raw line break is a line feed in XML, whichever the file has.
        if (text[i] == '\r') {
          out += '\n';
          if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
          continue;
        }
        out += text[i];
        continue;
      }
      const std::size_t end = text.find(';', i);
      if (end == std::string::npos) Fail("an entity without its ;");
      const std::string entity = text.substr(i + 1, end - i - 1);
      if (entity == "amp")
        out += '&';
      else if (entity == "lt")
        out += '<';
      else if (entity == "gt")
        out += '>';
      else if (entity == "quot")
        out += '"';
      else if (entity == "apos")
        out += '\'';
      else if (entity.size() > 1 && entity[0] == '#') {
        const char32_t code = ReferenceCode(entity.substr(1));
        if (!IsXmlChar(code)) Fail("a bad character reference &" + entity + ";");
        AppendUtf8(out, code);
      } else {
        Fail("an unknown entity &" + entity + ";");
      }
      i = end;
    }
    return out;
  }

  [[noreturn]] void Fail(const std::string& reason) const {
    throw EParserError(fName + ": " + reason);
  }

  std::string_view fText;
  std::string fName;
  std::size_t fAt = 0;
  std::vector<std::string> fOpen;  // the elements open, outermost first
  bool fUnit = false;              // inside a trans-unit (the set's last unit)
  TField fField = TField::None;
  std::size_t fFieldDepth = 0;  // the depth of the element whose text is read
};

}  // namespace

std::string WritePo(const TTranslationSet& set, const std::string& original) {
  std::string out =
      "msgid \"\"\n"
      "msgstr \"\"\n"
      "\"Project-Id-Version: " +
      original +
      "\\n\"\n"
      "\"PO-Revision-Date: YEAR-MO-DA HO:MI+ZONE\\n\"\n"
      "\"Last-Translator: \\n\"\n"
      "\"Language-Team: \\n\"\n"
      "\"MIME-Version: 1.0\\n\"\n"
      "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
      "\"Content-Transfer-Encoding: 8bit\\n\"\n"
      "\"Language: " +
      FileLanguage(set.TargetLanguage) +
      "\\n\"\n"
      "\"X-Source-Language: " +
      FileLanguage(set.SourceLanguage) + "\\n\"\n";
  for (const TTranslationUnit& unit : set.Units) {
    out += "\n";
    for (const std::string& comment : unit.Comments) out += "# " + comment + "\n";
    if (unit.Fuzzy) out += "#, fuzzy\n";
    out += "msgctxt " + PoQuoted(unit.Key) + "\n";
    out += "msgid " + PoQuoted(unit.Source) + "\n";
    out += "msgstr " + PoQuoted(unit.Target) + "\n";
  }
  return out;
}

TTranslationSet ReadPo(std::string_view text, const std::string& fileName) {
  return TPoReader(text, fileName).Read();
}

std::string WriteXliff(const TTranslationSet& set, const std::string& original) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">\n"
      "  <file original=\"" +
      XmlEscaped(original) + "\" datatype=\"plaintext\" source-language=\"" +
      XmlEscaped(FileLanguage(set.SourceLanguage)) + "\" target-language=\"" +
      XmlEscaped(FileLanguage(set.TargetLanguage)) +
      "\">\n"
      "    <body>\n";
  int id = 0;
  for (const TTranslationUnit& unit : set.Units) {
    for (const std::string* text : {&unit.Key, &unit.Source, &unit.Target})
      CheckXmlText(*text, unit.Key);
    for (const std::string& note : unit.Comments) CheckXmlText(note, unit.Key);
    out += "      <trans-unit id=\"" + std::to_string(++id) + "\" resname=\"" +
           XmlEscaped(unit.Key) + "\" xml:space=\"preserve\"" +
           (unit.Fuzzy ? " approved=\"no\"" : "") + ">\n";
    out += "        <source>" + XmlEscaped(unit.Source) + "</source>\n";
    out += "        <target" +
           std::string(unit.Target.empty() ? " state=\"new\""
                       : unit.Fuzzy        ? " state=\"needs-review-translation\""
                                           : " state=\"translated\"") +
           ">" + XmlEscaped(unit.Target) + "</target>\n";
    for (const std::string& note : unit.Comments)
      out += "        <note>" + XmlEscaped(note) + "</note>\n";
    out += "      </trans-unit>\n";
  }
  return out + "    </body>\n  </file>\n</xliff>\n";
}

TTranslationSet ReadXliff(std::string_view text, const std::string& fileName) {
  return TXliffReader(text, fileName).Read();
}

std::string LanguageFileSection(const TTranslationSet& set, const std::string& sectionName,
                                std::vector<std::string>& refused) {
  std::string out = "[" + sectionName + "]\r\n";
  for (const TTranslationUnit& unit : set.Units) {
    if (unit.Target.empty() || unit.Fuzzy) continue;
    if (unit.Key.empty() || unit.Key.find('=') != std::string::npos) {
      refused.push_back(unit.Key + ": not a key of a form");
    } else if (unit.Target.find_first_of("\r\n") != std::string::npos) {
      refused.push_back(unit.Key + ": a translation with a line break, which a form cannot hold");
    } else {
      out += unit.Key + "='" + unit.Target + "'\r\n";
    }
  }
  return out;
}

}  // namespace dravik
