#pragma once
// The help of `dravik fit`, which the tool and the program that does the check both print.

namespace dravik {

inline constexpr const char kFitUsage[] =
    "Usage: dravik fit FORM...\n"
    "\n"
    "Checks that every text of a form fits its control in every language of the form's\n"
    "TDravik components. Each form is loaded with the visual controls (offscreen), switched\n"
    "to each language, and every caption, check box, group box title, button and list item is\n"
    "measured with its control's font. An auto-sized label may use the room up to the next\n"
    "control on its right or the edge of its parent.\n"
    "\n"
    "Prints one tab-separated line for each text that does not fit:\n"
    "  form, component, property, language, needed width, available width\n"
    "A form that cannot be read, or that fails to switch to one of its languages, is one line\n"
    "on standard error; the other forms are still checked.\n"
    "\n"
    "Exit codes: 0 everything fits, 1 a text does not fit or a form could not be read,\n"
    "2 bad usage.\n";

}  // namespace dravik
