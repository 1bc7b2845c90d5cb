#pragma once
// XML files of translators' tools. They are read with expat, the way files from outside must be
// read: a document type may be named but not declared, so no entity is defined, expanded or
// fetched.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

struct TXmlAttribute {
  std::string Name;  // "NAMESPACE|local" for a name in a namespace, else "local"
  std::string Value;
};

struct TXmlEvents {
  // The element's name as the attributes' names; its attributes in document order.
  std::function<void(const std::string& name, const std::vector<TXmlAttribute>& attributes)> Start;
  std::function<void(const std::string& name)> End;
  std::function<void(std::string_view text)> Text;  // character data, in pieces
};

// The value of the attribute name (no namespace); empty when it is missing.
std::string AttributeOf(const std::vector<TXmlAttribute>& attributes, std::string_view name);
// The local part of a name and its namespace ("" for none).
std::string_view LocalName(std::string_view name);
std::string_view NamespaceOf(std::string_view name);

// Reads text, calling events; EParserError "NAME:LINE: reason" for text that is not well-formed
// XML or that declares a document type's contents (entities above all). An event may end the
// reading by throwing.
void ReadXml(std::string_view text, const std::string& fileName, const TXmlEvents& events);

// text for an attribute value or element content.
std::string XmlEscaped(const std::string& text);
// EConvertError naming key for a control character that XML 1.0 has no way to hold, which no
// XML tool (our readers included) would read.
void CheckXmlText(const std::string& text, const std::string& key);

}  // namespace dravik
