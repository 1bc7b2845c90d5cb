#pragma once
// Subcommands that need the visual framework run in a program beside the tool that has it.

#include <string>
#include <vector>

namespace dravik {

class TStandardOutput;

// Replaces the process by the program `program` in the tool's folder, run as
// `program command args...`; returns only by throwing EExit when it cannot be started.
[[noreturn]] void RunCompanion(const std::string& program, const std::string& command,
                               const std::vector<std::string>& args, TStandardOutput& out);

}  // namespace dravik
