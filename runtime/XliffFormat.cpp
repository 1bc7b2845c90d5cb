// XLIFF files: written as 1.2, read as 1.2 or 1.1, as CAT tools and converters write them.

#include <optional>

#include "platform/core/system/Exceptions.h"
#include "runtime/TranslationFormats.h"
#include "runtime/XmlFiles.h"

namespace dravik {

namespace {

constexpr std::string_view kXliff12 = "urn:oasis:names:tc:xliff:document:1.2";
constexpr std::string_view kXliff11 = "urn:oasis:names:tc:xliff:document:1.1";

class TXliffReader {
 public:
  explicit TXliffReader(const std::string& fileName) : fName(fileName) {}

  TTranslationSet Read(std::string_view text) {
    ReadXml(text, fName,
            {[this](const std::string& name, const std::vector<TXmlAttribute>& attributes) {
               Start(name, attributes);
             },
             [this](const std::string& name) { End(name); },
             [this](std::string_view text) {
               if (fText) fText->append(text);
             }});
    if (!fRoot) Fail("no xliff element");
    return std::move(fSet);
  }

 private:
  // The part of a unit being read.
  struct TUnitReading {
    std::string Id, Resname, Context, Approved, State;
    std::size_t Depth = 0;  // of the trans-unit element
  };

  void Start(const std::string& name, const std::vector<TXmlAttribute>& attributes) {
    ++fDepth;
    const std::string_view local = LocalName(name);
    if (!fRoot) {
      const std::string_view space = NamespaceOf(name);
      if (local != "xliff") Fail("the root element is <" + std::string(local) + ">, not <xliff>");
      if (!space.empty() && space != kXliff12 && space != kXliff11)
        Fail("XLIFF of the namespace " + std::string(space) + " is not read (1.2 and 1.1 are)");
      fRoot = true;
      fSpace = space;
    }
    if (NamespaceOf(name) != fSpace) {
      if (fText && fInline.empty()) fInline = "<" + std::string(local) + ">";
      return;  // another tool's extension
    }
    if (fText) {
      // Inline codes stand for markup the form's texts do not have.
      if (fInline.empty()) fInline = "<" + std::string(local) + ">";
      return;
    }
    if (local == "file") {
      if (fSet.SourceLanguage.empty())
        fSet.SourceLanguage = AttributeOf(attributes, "source-language");
      if (fSet.TargetLanguage.empty())
        fSet.TargetLanguage = AttributeOf(attributes, "target-language");
    } else if (local == "trans-unit") {
      if (fUnit) Fail("a <trans-unit> inside another");
      fUnit = TUnitReading{AttributeOf(attributes, "id"),
                           AttributeOf(attributes, "resname"),
                           "",
                           AttributeOf(attributes, "approved"),
                           "",
                           fDepth};
      fSet.Units.emplace_back();
    } else if (fUnit && fDepth == fUnit->Depth + 1) {
      TTranslationUnit& unit = fSet.Units.back();
      if (local == "source") {
        fText = &unit.Source;
      } else if (local == "target") {
        fUnit->State = AttributeOf(attributes, "state");
        fText = &unit.Target;
      } else if (local == "note") {
        fText = &unit.Comments.emplace_back();
      }
      fTextDepth = fDepth;
      fInline.clear();
    } else if (fUnit && local == "context" &&
               AttributeOf(attributes, "context-type") == "x-gettext-msgctxt") {
      fText = &fUnit->Context;
      fTextDepth = fDepth;
      fInline.clear();
    }
  }

  void End(const std::string&) {
    if (fText && fDepth == fTextDepth) {
      if (!fInline.empty()) {
        TTranslationUnit& unit = fSet.Units.back();
        if (fText == &unit.Target)
          unit.Refused = "its translation holds the inline code " + fInline +
                         ", which a form's text cannot hold";
        else if (fText == &fUnit->Context)
          unit.Refused = "its context holds the inline code " + fInline;
      }
      fText = nullptr;
    }
    if (fUnit && fDepth == fUnit->Depth) FinishUnit();
    --fDepth;
  }

  void FinishUnit() {
    TTranslationUnit& unit = fSet.Units.back();
    unit.Key = !fUnit->Resname.empty()   ? fUnit->Resname
               : !fUnit->Context.empty() ? fUnit->Context
                                         : fUnit->Id;
    const std::string& state = fUnit->State;
    const bool final = fUnit->Approved == "yes" || state == "final" || state == "signed-off";
    if (!final && (fUnit->Approved == "no" || state.rfind("needs-", 0) == 0)) unit.Fuzzy = true;
    if (!final && state == "new") unit.Target.clear();
    fUnit.reset();
  }

  [[noreturn]] void Fail(const std::string& reason) const {
    throw EParserError(fName + ": " + reason);
  }

  std::string fName;
  TTranslationSet fSet;
  bool fRoot = false;
  std::string fSpace;  // the namespace of the xliff element
  std::size_t fDepth = 0;
  std::optional<TUnitReading> fUnit;
  std::string* fText = nullptr;  // where character data goes
  std::size_t fTextDepth = 0;
  std::string fInline;  // the first element inside the text being read
};

}  // namespace

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
  for (const TTranslationUnit& unit : set.Units) {
    for (const std::string* text : {&unit.Key, &unit.Source, &unit.Target})
      CheckXmlText(*text, unit.Key);
    for (const std::string& note : unit.Comments) CheckXmlText(note, unit.Key);
    const bool translated = !unit.Target.empty() && !unit.Fuzzy;
    out += "      <trans-unit id=\"" + XmlEscaped(unit.Key) + "\" resname=\"" +
           XmlEscaped(unit.Key) + "\" xml:space=\"preserve\"" +
           (translated   ? " approved=\"yes\""
            : unit.Fuzzy ? " approved=\"no\""
                         : "") +
           ">\n";
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
  return TXliffReader(fileName).Read(text);
}

}  // namespace dravik
