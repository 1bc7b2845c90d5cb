#pragma once
// The command-line tool around its subcommands: the overview, help, dispatch, and one line on
// standard error for each failure, with the exit codes of Command.h.

#include <vector>

#include "apps/dravik/Command.h"

namespace dravik {

int RunTool(const std::vector<const TCommand*>& commands, int argc, char** argv);

}  // namespace dravik
