#include "runtime/XmlFiles.h"

#include <expat.h>

#include <algorithm>
#include <exception>
#include <memory>

#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

constexpr char kNamespaceSeparator = '|';

// What the handlers share: the events, and the failure that stopped the parser, to be raised
// once expat has returned (an exception must not cross expat's C frames).
struct TXmlState {
  XML_Parser Parser;
  const TXmlEvents& Events;
  std::string Refusal;
  std::exception_ptr Failure;
  std::vector<TXmlAttribute> Attributes;

  void Stop(std::string refusal) {
    if (Refusal.empty() && !Failure) Refusal = std::move(refusal);
    XML_StopParser(Parser, XML_FALSE);
  }

  // Runs an event, keeping what it throws for later.
  template <class F>
  void Guarded(F&& event) {
    if (Failure || !Refusal.empty()) return;
    try {
      event();
    } catch (...) {
      Failure = std::current_exception();
      XML_StopParser(Parser, XML_FALSE);
    }
  }
};

TXmlState& StateOf(void* data) {
  return *static_cast<TXmlState*>(data);
}

void OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  TXmlState& state = StateOf(data);
  state.Attributes.clear();
  for (const XML_Char** at = attributes; *at; at += 2) state.Attributes.push_back({at[0], at[1]});
  if (state.Events.Start) state.Guarded([&] { state.Events.Start(name, state.Attributes); });
}

void OnEnd(void* data, const XML_Char* name) {
  TXmlState& state = StateOf(data);
  if (state.Events.End) state.Guarded([&] { state.Events.End(name); });
}

void OnText(void* data, const XML_Char* text, int length) {
  TXmlState& state = StateOf(data);
  if (state.Events.Text)
    state.Guarded([&] { state.Events.Text(std::string_view(text, std::size_t(length))); });
}

// A document type only named ("<!DOCTYPE TS>") is harmless; declarations inside it or an external
// part are where entities come from, so they are refused before they are read.
void OnDoctype(void* data, const XML_Char*, const XML_Char* systemId, const XML_Char*,
               int hasInternalSubset) {
  if (systemId || hasInternalSubset)
    StateOf(data).Stop("a document type with declarations, which is not read");
}

void OnEntity(void* data, const XML_Char* name, int, const XML_Char*, int, const XML_Char*,
              const XML_Char*, const XML_Char*, const XML_Char*) {
  StateOf(data).Stop(std::string("a declaration of the entity ") + name + ", which is not read");
}

}  // namespace

std::string AttributeOf(const std::vector<TXmlAttribute>& attributes, std::string_view name) {
  for (const TXmlAttribute& attribute : attributes)
    if (attribute.Name == name) return attribute.Value;
  return "";
}

std::string_view LocalName(std::string_view name) {
  const std::size_t at = name.rfind(kNamespaceSeparator);
  return at == std::string_view::npos ? name : name.substr(at + 1);
}

std::string_view NamespaceOf(std::string_view name) {
  const std::size_t at = name.rfind(kNamespaceSeparator);
  return at == std::string_view::npos ? std::string_view() : name.substr(0, at);
}

void ReadXml(std::string_view text, const std::string& fileName, const TXmlEvents& events) {
  const std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(
      XML_ParserCreateNS(nullptr, kNamespaceSeparator), XML_ParserFree);
  if (!parser) throw EOutOfResources("No memory for an XML parser");
  TXmlState state{parser.get(), events, {}, {}, {}};
  XML_SetUserData(parser.get(), &state);
  XML_SetElementHandler(parser.get(), OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser.get(), OnText);
  XML_SetStartDoctypeDeclHandler(parser.get(), OnDoctype);
  XML_SetEntityDeclHandler(parser.get(), OnEntity);
  XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);

  constexpr std::size_t kChunk = 1 << 24;
  XML_Status status = XML_STATUS_OK;
  std::size_t at = 0;
  do {
    const std::size_t size = std::min(kChunk, text.size() - at);
    const bool last = at + size == text.size();
    status = XML_Parse(parser.get(), text.data() + at, static_cast<int>(size), last);
    at += size;
    if (last) break;
  } while (status == XML_STATUS_OK);
  if (state.Failure) std::rethrow_exception(state.Failure);
  if (status == XML_STATUS_OK) return;
  const std::string line = std::to_string(XML_GetCurrentLineNumber(parser.get()));
  const std::string reason =
      !state.Refusal.empty() ? state.Refusal : XML_ErrorString(XML_GetErrorCode(parser.get()));
  throw EParserError(fileName + ":" + line + ": " + reason);
}

void CheckXmlText(const std::string& text, const std::string& key) {
  for (char c : text) {
    const unsigned char code = static_cast<unsigned char>(c);
    if (code < 0x20 && code != 0x9 && code != 0xA && code != 0xD)
      throw EConvertError(
          Format("The text of %s holds the control character U+%.4X, which an "
                 "XML file cannot hold",
                 {key, static_cast<int32_t>(code)}));
  }
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
      case '\n':
        out += "&#xA;";  // kept in attribute values, where a raw one would become a space
        break;
      case '\t':
        out += "&#x9;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace dravik
