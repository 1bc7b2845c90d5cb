#pragma once
// Depth-first traversal of the parent-child tree of controls, the windowed control of a form
// that holds a control, and processing events while the main form takes no input.

#include <functional>

#include "platform/ui/Controls.h"

namespace dravik {

// Every control below control, then control: children last to first, each windowed child
// after its own children.
void ForEachControl(TControl* control, const std::function<void(TControl*)>& proc);
// The windowed control of control's owning form (the form included) whose children include
// control; null when there is none.
TWinControl* FindParentWinControl(const TControl* control);
// Processes the pending events with the main form disabled, so that work in progress can show
// itself without taking the user's clicks and keys; the main form is enabled again when it was.
void DisabledProcessMessages();

}  // namespace dravik
