// dravik overview: the language frames that forms join when a program creates them.

#include <memory>

#include "apps/dravik/Command.h"
#include "apps/dravik/FormFile.h"
#include "apps/dravik/StandardOutput.h"
#include "platform/core/system/Exceptions.h"
#include "runtime/DravikOverview.h"
#include "runtime/LanguageSwitch.h"

namespace dravik {

namespace {

void PrintMember(TStandardOutput& out, const TOverviewMember& member) {
  switch (member.Kind) {
    case TOverviewMember::mkNone:
      out << "none\n";
      return;
    case TOverviewMember::mkObject:
      out << "object\t";
      out.Field(member.Description) << '\n';
      return;
    case TOverviewMember::mkComponent:
      out << "component\t";
      out.Field(member.Description) << '\t';
      out.Field(member.OwnerText) << '\n';
      return;
    case TOverviewMember::mkDravik:
      out << "dravik\t";
      out.Field(member.Description) << '\t';
      out.Field(member.Owner) << '\t';
      out.Field(member.OwnerText) << '\t';
      out.Field(member.Language) << '\t';
      out.Field(member.Domain) << '\t' << (member.TopLevel ? "toplevel" : "") << '\n';
      return;
  }
}

void PrintFrames(TStandardOutput& out, const char* list,
                 const std::vector<TOverviewFrame>& frames) {
  out << "frames\t" << list << '\n';
  for (const TOverviewFrame& frame : frames) {
    out << "frame\t" << std::to_string(frame.Position) << '\t';
    out.Field(frame.Name) << '\t';
    out.Field(frame.Language) << '\n';
    for (const TOverviewMember& member : frame.Members) PrintMember(out, member);
  }
}

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {}, {});
  line.ExpectPositionals(1, SIZE_MAX);
  // Every form starts in its stored language, whatever the user's.
  FinalizeLanguageFrames();
  DefineStartupLanguage("");
  std::vector<std::unique_ptr<TLoadedForm>> forms;
  for (const std::string& path : line.Positionals()) {
    try {
      forms.push_back(std::make_unique<TLoadedForm>(ComponentStreamOf(ReadInput(path), {}),
                                                    TLoadedForm::TFindClass{},
                                                    TLoadedForm::TFrames::AsDeclared));
    } catch (Exception& e) {
      e.SetMessage((path == "-" ? std::string("standard input") : path) + ": " + e.Message());
      throw;
    }
  }
  const TFrameOverview overview = CurrentFrameOverview();
  PrintFrames(out, "unnamed", overview.Unnamed);
  PrintFrames(out, "named", overview.Named);
  return 0;
}

}  // namespace

const TCommand OverviewCommand{
    "overview", "print the language frames that forms join",
    "Usage: dravik overview FORM...\n"
    "\n"
    "Creates the forms in the order given, as a program does, and prints the language frames\n"
    "their TDravik components joined, one tab-separated line per node:\n"
    "  frames  unnamed|named            the frames of the default domain, then those of the\n"
    "                                   named domains\n"
    "  frame   POSITION  NAME  LANGUAGE each frame that is not hidden; POSITION counts from 0\n"
    "                                   in its list, hidden frames included\n"
    "  dravik  COMPONENT  OWNER  CAPTION  LANGUAGE  DOMAIN  [toplevel]\n"
    "                                   a TDravik member: \"Name: Class\", its owner with the\n"
    "                                   owner's unit, the owner's caption, the component's\n"
    "                                   language, its domain and top-level flag\n"
    "  component COMPONENT  CAPTION     another component; object CLASS another object;\n"
    "                                   none an empty registration\n"
    "Values are escaped as by 'dravik show'.\n"
    "\n"
    "Arguments:\n"
    "  FORM   a binary form stream, its text form or a resource file holding one; \"-\" reads\n"
    "         standard input\n"
    "\n"
    "Exit codes: 0 success; 1 unreadable input (one line on stderr); 2 bad usage.\n",
    Run};

}  // namespace dravik
