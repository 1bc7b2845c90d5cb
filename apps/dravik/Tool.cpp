#include "apps/dravik/Tool.h"

#include <unistd.h>

#include <string>

#include "apps/dravik/Escape.h"
#include "apps/dravik/StandardOutput.h"
#include "platform/core/system/Exceptions.h"

// The tree's last commit when this program was built (made from git with the units' headers).
extern const char kDravikBuildCommit[];

namespace dravik {

namespace {

std::string Overview(const std::vector<const TCommand*>& commands) {
  std::string text =
      "Usage: dravik COMMAND [OPTIONS] [ARGS]\n\n"
      "Multilingual forms: converts form files and works with their language data and\n"
      "settings files.\n\n"
      "Commands:\n";
  for (const TCommand* command : commands) {
    std::string name = command->Name;
    text += "  " + name + std::string(name.size() < 10 ? 10 - name.size() : 1, ' ') +
            command->Summary + "\n";
  }
  return text +
         "\nRun 'dravik COMMAND --help' for the options of a command, 'dravik --version' for the\n"
         "program's version.\n"
         "Exit codes: 0 success, 1 failure, 2 bad usage.\n";
}

const TCommand* FindCommand(const std::vector<const TCommand*>& commands, const std::string& name) {
  for (const TCommand* command : commands)
    if (name == command->Name) return command;
  return nullptr;
}

void WriteError(const std::string& text) {
  (void)!::write(STDERR_FILENO, text.data(), text.size());
}

// What a command prints goes to out; a command counts as done only once out is written.
int Dispatch(const std::vector<const TCommand*>& commands, const std::vector<std::string>& argv,
             TStandardOutput& out, std::string& prefix) {
  std::vector<std::string> args = argv;
  if (args.empty()) {
    WriteError(Overview(commands));
    return 2;
  }
  if (args[0] == "--version") {
    out << "dravik " DRAVIK_VERSION " (" << std::string_view(kDravikBuildCommit) << ")\n";
    return 0;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    const TCommand* command = args.size() > 1 ? FindCommand(commands, args[1]) : nullptr;
    out << (command ? std::string(command->Usage) : Overview(commands));
    return 0;
  }
  const TCommand* command = FindCommand(commands, args[0]);
  if (!command) {
    ReportLine("dravik: unknown command '" + args[0] + "' (see 'dravik --help')");
    return 2;
  }
  prefix = std::string("dravik ") + command->Name + ": ";
  args.erase(args.begin());
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      out << command->Usage;
      return 0;
    }
    if (arg == "--") break;
  }
  try {
    return command->Run(args, out);
  } catch (const EUsage& e) {
    ReportLine(prefix + e.Message + " (see 'dravik " + command->Name + " --help')");
    return 2;
  } catch (const EExit& e) {
    ReportLine(prefix + e.Message);
    return e.Code;
  }
}

}  // namespace

void ReportLine(const std::string& line) {
  WriteError(EscapeMessage(line) + "\n");
}

int RunTool(const std::vector<const TCommand*>& commands, int argc, char** argv) {
  TStandardOutput out;
  std::string prefix = "dravik: ";
  try {
    const int code =
        Dispatch(commands, std::vector<std::string>(argv + 1, argv + argc), out, prefix);
    out.Flush();
    return code;
  } catch (const Exception& e) {
    ReportLine(prefix + e.Message());
  } catch (const std::exception& e) {
    ReportLine(prefix + e.what());
  }
  return 1;
}

}  // namespace dravik
