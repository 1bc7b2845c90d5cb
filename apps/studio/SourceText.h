#pragma once
// The source pane shows a unit's buffer with plain line breaks; what the developer types goes
// back into the buffer with the line breaks the unit has, so that an edit does not change every
// line of a unit written with CR LF.

#include <string>

namespace dravik {

std::string BufferToPane(const std::string& buffer);
// The pane's text as the buffer holds it, given the buffer before the edit.
std::string PaneToBuffer(const std::string& pane, const std::string& buffer);

}  // namespace dravik
