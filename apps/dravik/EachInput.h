#pragma once
// Commands that take many inputs report each one that fails and go on with the rest, so one
// unreadable form does not hide the results of the readable ones.

#include <functional>
#include <string>
#include <vector>

namespace dravik {

class TStandardOutput;

// Runs check on every path in turn. A failure is one line on standard error,
// "dravik COMMAND: PATH: reason" (standard input for "-"), after what out holds so far.
// Answers whether every path succeeded.
bool ForEachInput(const std::string& command, const std::vector<std::string>& paths,
                  TStandardOutput& out, const std::function<void(const std::string& path)>& check);

}  // namespace dravik
