// dravik multilingual: a unit without a form made multilingual, as the environment's expert does
// it, with the unit's file instead of an editor buffer and the terminal for the questions. No
// editor opens: the language file starts without languages, and `dravik edit --unit` edits it.

#include <filesystem>
#include <iostream>

#include "apps/dravik/Command.h"
#include "apps/dravik/FormFile.h"
#include "apps/dravik/StandardOutput.h"
#include "apps/dravik/Tool.h"
#include "platform/core/resources/ModuleResources.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/system/Exceptions.h"
#include "runtime/Dravik.h"
#include "runtime/UnitLanguageFile.h"
#include "source/MultilingualUnit.h"

namespace dravik {

namespace {

constexpr const char kUsage[] =
    "Usage: dravik multilingual [--yes] UNIT.pas\n"
    "\n"
    "Makes a unit without a form multilingual. Without a language file UNIT.lng beside it, the\n"
    "unit is rewritten to load one (a {$R *.LNG} directive, a GetString variable, a LangChange\n"
    "procedure, the InitDravik call with a new resource ID, Dravik in the interface uses clause)\n"
    "and UNIT.lng is written, holding a TDravik without languages yet; 'dravik edit --unit\n"
    "UNIT.pas UNIT.lng' edits it. With a language file the unit's resource ID is looked up, and\n"
    "the lines are put back on request when they are missing. Both files are written beside\n"
    "themselves and renamed into place.\n"
    "\n"
    "Options:\n"
    "  --yes   answers Yes to every question instead of asking on the terminal\n"
    "\n"
    "Exit codes: 0 success, 1 a reported failure or a No that stopped the command, 2 bad usage.\n";

// The package's own texts for the messages, in English.
class TMessageTexts {
 public:
  TMessageTexts()
      : fForm(TextToBinary(std::string(FindModuleResource("DravikPackageTexts").value_or("")))) {
    fForm.SwitchLanguage("English");
  }
  std::string Text(const std::string& key) const {
    try {
      return fForm.FirstDravik().GetString(key);
    } catch (const EStringNotFound&) {
      return key;
    }
  }

 private:
  TLoadedForm fForm;
};

class TTerminalQuestions {
 public:
  explicit TTerminalQuestions(bool yes) : fYes(yes) {}

  TUnitAnswer Ask(const std::string& key, TUnitQuestion kind) {
    const std::string text = fTexts.Text(key);
    // Without an editor to reopen, a file that cannot be written ends the command.
    if (kind == TUnitQuestion::Report || key.ends_with(" Reopen")) {
      fFailure = text;
      return kind == TUnitQuestion::Report ? TUnitAnswer::Yes : TUnitAnswer::No;
    }
    if (fYes) {
      if (kind != TUnitQuestion::Confirm) ReportLine(text + " yes");
      return TUnitAnswer::Yes;
    }
    const bool cancel = kind == TUnitQuestion::Choose;
    for (;;) {
      std::cerr << text << (cancel ? " [y/n/c] " : " [y/n] ") << std::flush;
      std::string answer;
      if (!std::getline(std::cin, answer)) {
        std::cerr << '\n';  // no answer came to end the question's line
        return cancel ? TUnitAnswer::Cancel : TUnitAnswer::No;
      }
      if (answer == "y" || answer == "Y" || answer == "yes") return TUnitAnswer::Yes;
      if (answer == "n" || answer == "N" || answer == "no") return TUnitAnswer::No;
      if (cancel && (answer == "c" || answer == "C" || answer == "cancel"))
        return TUnitAnswer::Cancel;
    }
  }
  // The message that ended the command, if one did.
  const std::string& Failure() const { return fFailure; }

 private:
  bool fYes;
  TMessageTexts fTexts;
  std::string fFailure;
};

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {}, {"yes"});
  line.ExpectPositionals(1, 1);
  const std::string& unit = line.Positionals()[0];
  if (unit == "-") throw EUsage{"the unit is rewritten: give a file, not standard input"};
  const std::string pasName = UnitFileWithExtension(unit, ".pas");
  const std::string lngName = UnitFileWithExtension(unit, ".lng");
  std::error_code error;
  if (!std::filesystem::is_regular_file(pasName, error)) throw EExit{1, "no unit " + pasName};

  TTerminalQuestions questions(line.Has("yes"));
  TUnitCommandHost host;
  host.ReadSource = [](const std::string& name, std::string& text) {
    try {
      text = ReadInput(name);
      return true;
    } catch (const Exception&) {
      return false;
    }
  };
  host.WriteSource = [](const std::string& name, const std::string& text) {
    try {
      SaveFileAtomically(name, text);
      return true;
    } catch (const Exception&) {
      return false;
    }
  };
  host.Ask = [&](const std::string& key, TUnitQuestion kind) { return questions.Ask(key, kind); };
  host.Edit = [](TDravik&, const std::string&) { return false; };

  const TUnitCommandResult result = ExecuteUnitCommand(pasName, host);
  if (result.SourceWritten) out << pasName << ": rewritten to load " << lngName << '\n';
  if (result.LanguageFileWritten) out << lngName << ": written\n";
  if (!result.Finished)
    throw EExit{1, questions.Failure().empty()
                       ? "stopped: " + pasName + " was not made multilingual"
                       : questions.Failure()};
  if (result.UnitLoadsFile)
    out << pasName << ": multilingual, resource " << result.ResID << " in " << lngName << '\n';
  else
    out << pasName << ": left as it was; it does not load " << lngName << '\n';
  return 0;
}

}  // namespace

const TCommand MultilingualCommand{"multilingual", "make a unit without a form multilingual",
                                   kUsage, Run};

}  // namespace dravik
