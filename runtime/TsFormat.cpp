// Qt Linguist's .ts files: one context named after the form, one message per key.

#include "platform/core/system/Exceptions.h"
#include "runtime/TranslationFormats.h"
#include "runtime/XmlFiles.h"

namespace dravik {

namespace {

// Qt names languages with "_" between the parts ("pt_BR").
std::string TsLanguage(const std::string& language) {
  std::string code = FileLanguage(language);
  for (char& c : code)
    if (c == '-') c = '_';
  return code;
}

class TTsReader {
 public:
  explicit TTsReader(const std::string& fileName) : fName(fileName) {}

  TTranslationSet Read(std::string_view text) {
    ReadXml(text, fName,
            {[this](const std::string& name, const std::vector<TXmlAttribute>& attributes) {
               Start(name, attributes);
             },
             [this](const std::string&) { End(); },
             [this](std::string_view text) {
               if (fText) fText->append(text);
             }});
    if (!fRoot) Fail("no TS element");
    return std::move(fSet);
  }

 private:
  void Start(const std::string& name, const std::vector<TXmlAttribute>& attributes) {
    ++fDepth;
    if (!fRoot) {
      if (name != "TS") Fail("the root element is <" + name + ">, not <TS>");
      fRoot = true;
      fSet.TargetLanguage = AttributeOf(attributes, "language");
      fSet.SourceLanguage = AttributeOf(attributes, "sourcelanguage");
      return;
    }
    if (fText) {
      if (fInline.empty()) fInline = "<" + name + ">";
      return;
    }
    if (name == "message") {
      if (fMessageDepth) Fail("a <message> inside another");
      fMessageDepth = fDepth;
      fId = AttributeOf(attributes, "id");
      fPlural = AttributeOf(attributes, "numerus") == "yes";
      fComment.clear();
      fType.clear();
      fMessage = TTranslationUnit();
    } else if (fMessageDepth && fDepth == fMessageDepth + 1) {
      if (name == "source") {
        fText = &fMessage.Source;
      } else if (name == "comment") {
        fText = &fComment;
      } else if (name == "translatorcomment") {
        fText = &fNote;
        fNote.clear();
      } else if (name == "translation") {
        fType = AttributeOf(attributes, "type");
        fText = &fMessage.Target;
      }
      fInline.clear();
    }
  }

  void End() {
    if (fText && fDepth == fMessageDepth + 1) {
      if (fText == &fMessage.Target && !fInline.empty())
        fMessage.Refused =
            "its translation holds the element " + fInline + ", which a form's text cannot hold";
      if (fText == &fNote)
        for (std::size_t at = 0; at <= fNote.size();) {
          const std::size_t end = std::min(fNote.find('\n', at), fNote.size());
          fMessage.Comments.push_back(fNote.substr(at, end - at));
          at = end + 1;
        }
      fText = nullptr;
    }
    if (fMessageDepth && fDepth == fMessageDepth) {
      FinishMessage();
      fMessageDepth = 0;
    }
    --fDepth;
  }

  void FinishMessage() {
    if (fType == "obsolete" || fType == "vanished") {
      ++fSet.Skipped["obsolete"];
    } else if (fPlural) {
      ++fSet.Skipped["plural"];
    } else {
      fMessage.Key = !fId.empty() ? fId : fComment;
      fMessage.Fuzzy = fType == "unfinished" && !fMessage.Target.empty();
      fSet.Units.push_back(std::move(fMessage));
    }
  }

  [[noreturn]] void Fail(const std::string& reason) const {
    throw EParserError(fName + ": " + reason);
  }

  std::string fName;
  TTranslationSet fSet;
  bool fRoot = false;
  std::size_t fDepth = 0, fMessageDepth = 0;
  TTranslationUnit fMessage;
  std::string fId, fComment, fNote, fType;
  bool fPlural = false;
  std::string* fText = nullptr;  // where character data goes
  std::string fInline;           // the first element inside the text being read
};

}  // namespace

std::string WriteTs(const TTranslationSet& set, const std::string& original) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<!DOCTYPE TS>\n"
      "<TS version=\"2.1\" language=\"" +
      XmlEscaped(TsLanguage(set.TargetLanguage)) + "\" sourcelanguage=\"" +
      XmlEscaped(TsLanguage(set.SourceLanguage)) +
      "\">\n"
      "<context>\n"
      "    <name>" +
      XmlEscaped(original) + "</name>\n";
  for (const TTranslationUnit& unit : set.Units) {
    for (const std::string* text : {&unit.Key, &unit.Source, &unit.Target})
      CheckXmlText(*text, unit.Key);
    for (const std::string& note : unit.Comments) CheckXmlText(note, unit.Key);
    // The key is the message's id and, for tools that match by text, its disambiguation.
    out += "    <message id=\"" + XmlEscaped(unit.Key) + "\">\n";
    out += "        <source>" + XmlEscaped(unit.Source) + "</source>\n";
    out += "        <comment>" + XmlEscaped(unit.Key) + "</comment>\n";
    if (!unit.Comments.empty()) {
      std::string notes;
      for (const std::string& note : unit.Comments) notes += (notes.empty() ? "" : "\n") + note;
      out += "        <translatorcomment>" + XmlEscaped(notes) + "</translatorcomment>\n";
    }
    out += "        <translation" +
           std::string(unit.Target.empty() || unit.Fuzzy ? " type=\"unfinished\"" : "") + ">" +
           XmlEscaped(unit.Target) + "</translation>\n";
    out += "    </message>\n";
  }
  return out + "</context>\n</TS>\n";
}

TTranslationSet ReadTs(std::string_view text, const std::string& fileName) {
  return TTsReader(fileName).Read(text);
}

}  // namespace dravik
