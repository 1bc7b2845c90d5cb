// dravik pseudo: a pseudo-language added to a form, so that layout problems show before any
// translator starts.

#include <cstdlib>

#include "apps/dravik/Command.h"
#include "apps/dravik/FormFile.h"
#include "apps/dravik/StandardOutput.h"
#include "library/FileTools.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/system/Exceptions.h"
#include "runtime/Dravik.h"
#include "runtime/DravikSystem.h"
#include "runtime/PseudoLanguage.h"

namespace dravik {

namespace {

int PercentOf(const std::optional<std::string>& expand) {
  if (!expand) return 30;
  char* end = nullptr;
  const long percent = std::strtol(expand->c_str(), &end, 10);
  if (expand->empty() || *end || percent < 0 || percent > 1000)
    throw EUsage{"--expand takes a percentage from 0 to 1000"};
  return static_cast<int>(percent);
}

// The pseudo-language's texts go in as an import of a language file, which adds the language
// or replaces its texts.
void AddPseudoLanguage(TLanguageManager& manager, const std::string& className, int percent) {
  const std::string section = className + "." + kPseudoLanguage;
  std::string text = "[" + section + "]\r\n";
  manager.ForEachExportKey([&](const std::string& key, const std::string&,
                               const TConsistentLangPropertyEntry& entry) {
    text += key + "='" + PseudoText(TLanguageManager::LanguageText(entry, 0), percent) + "'\r\n";
  });
  TTemporaryFile file;
  SaveFileAtomically(file.Create(), text);
  TStringList sections, adjusted, rejected;
  sections.Add(className + "=" + kPseudoLanguage);
  manager.ImportLanguages(file.Name(), nullptr, imAddAll, false, sections, &adjusted, &rejected);
  if (rejected.Count() > 0)
    throw EConvertError("The pseudo-language was not taken: " + rejected.Strings(0));
}

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {"expand"}, {});
  line.ExpectPositionals(2, 2);
  const int percent = PercentOf(line.Value("expand"));
  const std::string& formPath = line.Positionals()[0];
  const std::string& outPath = line.Positionals()[1];
  std::string output;
  try {
    output = RewriteFormFile(ReadInput(formPath), std::nullopt, [&](const std::string& binary) {
      TLoadedForm form(binary);
      (void)form.FirstDravik();  // a form without one is refused
      for (TDravik* dravik : form.Dravik())
        AddPseudoLanguage(*dravik->LanguageManager(), form.Root()->ClassName(), percent);
      return form.Binary();
    });
  } catch (Exception& e) {
    e.SetMessage(InputName(formPath) + ": " + e.Message());
    throw;
  }
  WriteOutput(out, outPath, output);
  return 0;
}

}  // namespace

const TCommand PseudoCommand{
    "pseudo", "add a pseudo-language that shows layout problems before translation",
    "Usage: dravik pseudo [--expand PERCENT] FORM OUT\n"
    "\n"
    "Adds the language \"Pseudo\" (code qps-ploc) to the form's TDravik, or renews it: each\n"
    "text of the active language with accented letters, in brackets and lengthened, so that\n"
    "'dravik fit' and the running program show texts that do not fit, are cut off or were\n"
    "never made translatable. Format specifiers (\"%s\") and \"&\" stay; texts without letters\n"
    "(\"-\") stay as they are. 'dravik status' and 'dravik export' leave the pseudo-language\n"
    "out unless asked (--pseudo).\n"
    "\n"
    "  --expand PERCENT  how much longer each text gets, brackets included (30 by default)\n"
    "\n"
    "FORM is a form file of any kind (\"-\" reads standard input); the form is written to OUT\n"
    "in its own kind (\"-\" writes standard output, a file is replaced atomically).\n"
    "\n"
    "Exit codes: 0 success; 1 unreadable form or no TDravik; 2 bad usage.\n",
    Run};

}  // namespace dravik
