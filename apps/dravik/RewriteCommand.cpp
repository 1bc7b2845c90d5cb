// dravik rewrite: a form file read into components and written back in its own kind.

#include "apps/dravik/Command.h"
#include "apps/dravik/FormFile.h"
#include "apps/dravik/StandardOutput.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {"language", "resource"}, {});
  line.ExpectPositionals(2, 2);
  const std::optional<std::string> language = line.Value("language");
  if (language && language->empty()) throw EUsage{"--language needs a language name"};
  const std::string& inPath = line.Positionals()[0];
  const std::string& outPath = line.Positionals()[1];

  std::string output;
  try {
    output =
        RewriteFormFile(ReadInput(inPath), line.Value("resource"), [&](const std::string& binary) {
          TLoadedForm form(binary);
          if (language) form.SwitchLanguage(*language);
          return form.Binary();
        });
  } catch (Exception& e) {
    e.SetMessage(InputName(inPath) + ": " + e.Message());
    throw;
  }
  WriteOutput(out, outPath, output);
  return 0;
}

}  // namespace

const TCommand RewriteCommand{
    "rewrite", "read a form file into components and write it back, optionally switched",
    "Usage: dravik rewrite [--language NAME] [--resource NAME] IN OUT\n"
    "\n"
    "Reads a form file into components and writes it back in the same kind: a binary form\n"
    "stream, its text form, or a resource file (.res, .lng), whose other resources are kept.\n"
    "Components of classes this program does not know are read as stand-ins that keep every\n"
    "value as it is stored, as are properties a known class does not publish, so a file\n"
    "rewritten without a change keeps its bytes (a text form comes back in the canonical\n"
    "layout).\n"
    "\n"
    "Arguments:\n"
    "  IN               the form file; the kind is found from its bytes; \"-\" reads standard\n"
    "                   input\n"
    "  OUT              the result; \"-\" writes standard output. A file is written beside OUT\n"
    "                   and renamed into place, so a failure leaves OUT untouched\n"
    "\n"
    "Options:\n"
    "  --language NAME  first switch the file's TDravik components to language NAME: the\n"
    "                   form's properties then hold that language and the language that was\n"
    "                   active goes into the stored slots, so the file's design language\n"
    "                   changes; fails when a TDravik of the file does not have NAME\n"
    "  --resource NAME  when IN is a resource file holding several component streams: which\n"
    "                   one to rewrite\n"
    "\n"
    "Exit codes: 0 success; 1 unreadable input or unknown language (one line on stderr);\n"
    "2 bad usage.\n",
    Run};

}  // namespace dravik
