// dravik check: the GetString calls of a unit against a list of defined string IDs.
#include "apps/dravik/Command.h"
#include "apps/dravik/FormFile.h"
#include "apps/dravik/InputFile.h"
#include "apps/dravik/StandardOutput.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/system/SysUtils.h"
#include "runtime/Dravik.h"
#include "source/DravikParser.h"

namespace dravik {

namespace {

// One ID a line; blanks and control characters around an ID and empty lines do not count.
std::vector<std::string> ReadNames(const std::string& path) {
  const std::string text = TInputFile(path).ReadAll();
  std::vector<std::string> names;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t lineEnd = text.find_first_of("\r\n", pos);
    if (lineEnd == std::string::npos) lineEnd = text.size();
    std::size_t first = pos;
    std::size_t last = lineEnd;
    while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
    if (last > first) names.push_back(text.substr(first, last - first));
    pos = lineEnd + 1;
  }
  return names;
}

// The string IDs of a form's (or language file's) TDravik: the one named, or the only one.
std::vector<std::string> ReadFormNames(const std::string& path,
                                       const std::optional<std::string>& component) {
  TLoadedForm form(ComponentStreamOf(ReadInput(path), std::nullopt));
  std::vector<TDravik*> all = form.Dravik();
  TDravik* chosen = nullptr;
  for (TDravik* dravik : all)
    if (!chosen && (!component || SameText(dravik->Name(), *component))) chosen = dravik;
  if (!chosen && component) throw EComponentError(path + ": no TDravik named " + *component);
  if (!chosen) throw EComponentError(path + ": the form holds no TDravik");
  if (all.size() > 1 && !component)
    throw EUsage{path + " holds " + std::to_string(all.size()) +
                 " TDravik components; choose one with --component NAME"};
  std::vector<std::string> names;
  const TStringList& list = *chosen->LanguageManager()->Names();
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.Strings(i));
  return names;
}

void PrintEntries(TStandardOutput& out, std::string_view kind, const TSourceEntries& entries) {
  for (const TSourceEntry& entry : entries) {
    out << kind << '\t';
    out.Field(entry.Text) << '\t' << entry.Offset << '\n';
  }
}

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {"names", "form", "component", "by-component-name"}, {});
  line.ExpectPositionals(1, 1);
  const std::string& unitPath = line.Positionals()[0];
  const std::optional<std::string> namesPath = line.Value("names");
  const std::optional<std::string> formPath = line.Value("form");
  if (!namesPath && !formPath) throw EUsage{"missing --names FILE or --form FORM"};
  if (namesPath && formPath) throw EUsage{"give --names FILE or --form FORM, not both"};
  if (line.Has("component") && !formPath) throw EUsage{"--component needs --form FORM"};
  const std::string& idsPath = namesPath ? *namesPath : *formPath;
  if (unitPath == "-" && idsPath == "-")
    throw EUsage{"the unit and the string IDs cannot both come from standard input"};
  const std::optional<std::string> componentName = line.Value("by-component-name");
  if (componentName && componentName->empty())
    throw EUsage{"option '--by-component-name' needs a name"};

  const std::vector<std::string> names =
      namesPath ? ReadNames(*namesPath) : ReadFormNames(*formPath, line.Value("component"));
  TInputFile unit(unitPath);
  TDravikParser parser(componentName.value_or(""), unit.ReadAll(), names);
  if (!parser.Check(componentName.has_value()))
    throw EExit{2, unit.Name() + ": Syntax error in source code. The unit has no final \"end.\""};
  PrintEntries(out, "used", parser.UsedIDs());
  PrintEntries(out, "unknown", parser.UnknownIDs());
  PrintEntries(out, "invalid", parser.InvalidCalls());
  for (const std::string& id : parser.UnusedIDs()) {
    out << "unused\t";
    out.Field(id) << '\n';
  }
  return parser.UnknownIDs().empty() && parser.InvalidCalls().empty() ? 0 : 1;
}

}  // namespace

const TCommand CheckCommand{
    "check", "check the GetString calls of a unit against the defined string IDs",
    "Usage: dravik check UNIT (--names FILE | --form FORM [--component NAME])\n"
    "                    [--by-component-name NAME]\n"
    "\n"
    "Checks the GetString calls of a Pascal unit against the string IDs that its form's\n"
    "TDravik defines and prints one tab-separated line per finding, all 'used' lines first,\n"
    "then 'unknown', 'invalid' and 'unused', each list in source order:\n"
    "  used     ID       OFFSET   a call GetString('ID'); OFFSET is the byte offset of the\n"
    "                             literal's opening quote\n"
    "  unknown  ID       OFFSET   such a call whose ID is not among the defined IDs\n"
    "  invalid  EXCERPT  OFFSET   a call whose argument is not a single string literal\n"
    "                             (an expression, several arguments, an unterminated\n"
    "                             literal); EXCERPT is the call up to 15 bytes after its '('\n"
    "                             or to the end of its line, OFFSET the first token after '('\n"
    "  unused   ID                a defined ID that no call uses\n"
    "The ID of a call is its literal without the quotes and surrounding blanks, with '' read\n"
    "as '. IDs are compared ignoring letter case. Calls in comments and literals, and text\n"
    "after the unit's final \"end.\", do not count. Tab, line feed, carriage return and\n"
    "backslash in IDs and excerpts are written as \\t, \\n, \\r and \\\\, the other control\n"
    "characters and bytes that are not UTF-8 as \\xHH.\n"
    "\n"
    "Arguments:\n"
    "  UNIT                the unit's source file; \"-\" reads standard input. Any file\n"
    "                      that reads as a stream works (a pipe, /dev/stdin), up to 256 MiB\n"
    "\n"
    "Options:\n"
    "  --names FILE        the defined string IDs, one per line; blanks around an ID and\n"
    "                      empty lines are ignored; \"-\" reads standard input\n"
    "  --form FORM         take the string IDs from the named strings of the TDravik of a\n"
    "                      form file (binary, text form, or a .res/.lng language file)\n"
    "  --component NAME    with --form: the TDravik to use when the form holds several\n"
    "  --by-component-name NAME\n"
    "                      count only the calls made through the component named NAME,\n"
    "                      NAME.GetString(...) (letter case ignored). Without it every\n"
    "                      GetString(...) counts, except X.GetString(...) of other objects.\n"
    "  -h, --help          show this help\n"
    "\n"
    "Exit codes: 0 no unknown ID and no invalid call; 1 an unknown ID or an invalid call was\n"
    "found, or a file cannot be read, or the output cannot be written; 2 bad usage, or the\n"
    "unit has no final \"end.\", which is reported as \"UNIT: Syntax error in source code.\"\n"
    "with the cause.\n",
    Run};

}  // namespace dravik
