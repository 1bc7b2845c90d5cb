// dravik sections: the sections of a language file, as import's --section takes them.

#include "apps/dravik/Command.h"
#include "apps/dravik/InputFile.h"
#include "apps/dravik/StandardOutput.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/system/Exceptions.h"
#include "runtime/LanguageManager.h"

namespace dravik {

namespace {

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {}, {});
  line.ExpectPositionals(1, 1);
  const TInputPath input(line.Positionals()[0]);
  TStringList sections;
  TLanguageManager::GetAvailLangSections(input.Name(), sections);
  for (int i = 0; i < sections.Count(); ++i) out.Field(sections.Strings(i)) << '\n';
  return 0;
}

}  // namespace

const TCommand SectionsCommand{
    "sections", "list the sections of a language file",
    "Usage: dravik sections FILE\n"
    "\n"
    "Prints the sections of a language file in file order, one per line, as CLASS=LANGUAGE\n"
    "(\"TMainForm=Deutsch\"): the form that wrote it and the language, as 'dravik import\n"
    "--section' takes them.\n"
    "\n"
    "FILE may be a pipe, a FIFO or \"-\" for standard input.\n"
    "\n"
    "Exit codes: 0 success; 1 FILE is missing or unreadable; 2 bad usage.\n",
    Run};

}  // namespace dravik
