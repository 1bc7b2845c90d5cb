// dravik: the command-line face of the system; each subcommand lives in its own file.
#include <cstring>
#include <iostream>

#include "apps/dravik/Command.h"
#include "platform/core/system/Exceptions.h"

using namespace dravik;

namespace {

const TCommand* const kCommands[] = {
    &ConvertCommand, &ShowCommand, &RewriteCommand, &ClassesCommand, &ScanCommand, &CheckCommand,
};

void PrintOverview(std::ostream& out) {
  out << "Usage: dravik COMMAND [OPTIONS] [ARGS]\n\n"
         "Multilingual forms: converts form files and works with their language data.\n\n"
         "Commands:\n";
  for (const TCommand* command : kCommands) {
    std::string name = command->Name;
    out << "  " << name << std::string(name.size() < 10 ? 10 - name.size() : 1, ' ')
        << command->Summary << "\n";
  }
  out << "\nRun 'dravik COMMAND --help' for the options of a command.\n"
         "Exit codes: 0 success, 1 failure, 2 bad usage.\n";
}

const TCommand* FindCommand(const std::string& name) {
  for (const TCommand* command : kCommands)
    if (name == command->Name) return command;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintOverview(std::cerr);
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    if (args.size() > 1 && FindCommand(args[1])) {
      std::cout << FindCommand(args[1])->Usage;
      return 0;
    }
    PrintOverview(std::cout);
    return 0;
  }
  const TCommand* command = FindCommand(args[0]);
  if (!command) {
    std::cerr << "dravik: unknown command '" << args[0] << "' (see 'dravik --help')\n";
    return 2;
  }
  args.erase(args.begin());
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      std::cout << command->Usage;
      return 0;
    }
    if (arg == "--") break;
  }
  try {
    return command->Run(args);
  } catch (const EUsage& e) {
    std::cerr << "dravik " << command->Name << ": " << e.Message << " (see 'dravik "
              << command->Name << " --help')\n";
    return 2;
  } catch (const Exception& e) {
    std::cerr << "dravik " << command->Name << ": " << e.Message() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "dravik " << command->Name << ": " << e.what() << "\n";
    return 1;
  }
}
