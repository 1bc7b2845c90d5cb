#pragma once
// The help of `dravik edit`, which the tool and the program that shows the editor both print.

namespace dravik {

inline constexpr const char kEditUsage[] =
    "Usage: dravik edit [--unit UNIT.pas] [--screenshot-dir DIR] FORM\n"
    "\n"
    "Opens the language editor on the first TDravik of a form file (binary, text or resource\n"
    "file), without a development environment: every language of every translated property\n"
    "and named string, one column per language. Accepting the changes writes the file back in\n"
    "its own kind; it is written beside FORM and renamed into place, so a failure leaves FORM\n"
    "as it was. Closing without accepting writes nothing.\n"
    "\n"
    "Options:\n"
    "  --unit UNIT.pas       FORM is the language file of a unit: the editor shows its named\n"
    "                        strings only\n"
    "  --screenshot-dir DIR  opens the editor offscreen, saves a picture of it in each of its\n"
    "                        own languages (DIR/edit-English.png, DIR/edit-Deutsch.png), prints\n"
    "                        their names and exits without writing anything\n"
    "\n"
    "Exit codes: 0 success (also when nothing was accepted), 1 a reported failure, 2 bad usage.\n";

}  // namespace dravik
