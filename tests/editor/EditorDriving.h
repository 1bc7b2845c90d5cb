#pragma once
// Drives a language editor window as a developer does, for tests outside the editor's own.

#include <string>

namespace dravik {

class TDravikEditorForm;

// Types text into the cell of a component's property (or named string) in a language, ends the
// edit with Enter and commits; a test failure when the row or column is missing.
void TypeAndCommit(TDravikEditorForm& editor, const std::string& component,
                   const std::string& property, const std::string& language,
                   const std::string& text);

}  // namespace dravik
