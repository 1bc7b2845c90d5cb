#pragma once
// The command-line tool around its subcommands: the overview, help, dispatch, and one line on
// standard error for each failure, with the exit codes of Command.h.

#include <string>
#include <vector>

#include "apps/dravik/Command.h"

namespace dravik {

// One line on standard error, escaped so that what it quotes of the input cannot act on the
// terminal.
void ReportLine(const std::string& line);

int RunTool(const std::vector<const TCommand*>& commands, int argc, char** argv);

}  // namespace dravik
