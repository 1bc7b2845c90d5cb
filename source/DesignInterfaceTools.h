#pragma once
// The text of a unit as the environment's editor holds it, unsaved edits included, rather than
// the file on disk. With isForm the name is a form's, else a unit's file name. Both answer false,
// silently, when the environment, the module, its editor or the reader or writer is missing; the
// caller decides what to tell the user.

#include <string>

namespace dravik {

// The text without one final CR LF.
bool ReadSourceCode(bool isForm, const std::string& name, std::string& text);
// Replaces the whole buffer by text.
bool WriteSourceCode(bool isForm, const std::string& name, const std::string& text);

}  // namespace dravik
