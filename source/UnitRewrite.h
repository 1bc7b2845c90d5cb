#pragma once
// A plain unit made multilingual in its text: its language data lives in a language file beside
// it, which the unit binds into itself as a resource and loads at start-up through InitDravik,
// named by a resource ID that the call carries.

#include <string>

namespace dravik {

class TSourceParser;

// The resource ID of the unit's first InitDravik call with a literal first argument, trimmed;
// false when there is none or its literal is empty. The parser must be parsed (Pascal).
bool GetResIDFromSource(const TSourceParser& parser, std::string& resID);

// Adds to the unit's implementation the {$R *.LNG} directive, the GetString variable and an empty
// LangChange, and the InitDravik call with resID as the first statement of its main block or
// initialization section (a new section when it has neither); Dravik joins the interface uses
// clause. False, with the text unchanged, when the unit's shape is not understood. The parser
// must be parsed (Pascal); it is parsed again afterwards.
bool ModifySourceCode(TSourceParser& parser, const std::string& resID);

// A fresh resource ID: a new GUID in registry form.
std::string NewResourceID();

}  // namespace dravik
