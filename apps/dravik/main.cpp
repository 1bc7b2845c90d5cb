// dravik: the command-line face of the system; each subcommand lives in its own file.
#include "apps/dravik/Command.h"
#include "apps/dravik/Tool.h"

using namespace dravik;

int main(int argc, char** argv) {
  return RunTool(
      {&ConvertCommand, &ShowCommand, &RewriteCommand, &ClassesCommand, &ScanCommand, &CheckCommand,
       &FitCommand, &EditCommand, &ExportCommand, &SectionsCommand, &ImportCommand, &StatusCommand,
       &PseudoCommand, &ConfigCommand, &VersionsCommand, &OverviewCommand, &MultilingualCommand},
      argc, argv);
}
