// dravik export: a form's language data as a language file, a PO, XLIFF or .ts file.

#include "apps/dravik/Command.h"
#include "apps/dravik/FormFile.h"
#include "apps/dravik/StandardOutput.h"
#include "apps/dravik/TranslatorNotes.h"
#include "platform/core/system/Exceptions.h"
#include "runtime/Dravik.h"
#include "runtime/DravikSystem.h"
#include "runtime/TranslationFormats.h"

namespace dravik {

namespace {

// The language file without the sections of the pseudo-language ("[Class.Pseudo]" up to the next
// section).
std::string WithoutPseudoLanguage(const std::string& text) {
  std::string out;
  bool pseudo = false;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find("\r\n", at), text.size());
    const std::string_view row(text.data() + at, end - at);
    if (!row.empty() && row.front() == '[' && row.back() == ']') {
      const std::size_t dot = row.find('.');
      pseudo = dot != std::string_view::npos &&
               IsPseudoLanguage(std::string(row.substr(dot + 1, row.size() - dot - 2)));
    }
    if (!pseudo) out.append(text, at, std::min(end + 2, text.size()) - at);
    at = end + 2;
  }
  return out;
}

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {"po", "xliff", "ts"}, {"pseudo"});
  line.ExpectPositionals(2, 2);
  if (line.Has("po") + line.Has("xliff") + line.Has("ts") > 1)
    throw EUsage{"--po, --xliff and --ts exclude each other"};
  const std::string& formPath = line.Positionals()[0];
  const std::string& outPath = line.Positionals()[1];
  std::string text;
  try {
    const TLoadedForm form(ComponentStreamOf(ReadInput(formPath), std::nullopt));
    const TLanguageManager& manager = *form.FirstDravik().LanguageManager();
    const std::optional<std::string> language = line.Has("po")      ? line.Value("po")
                                                : line.Has("xliff") ? line.Value("xliff")
                                                                    : line.Value("ts");
    if (language) {
      TTranslationSet set = TranslationSetOf(manager, *language);
      if (formPath != "-") AttachNotes(ReadNotes(NotesPath(formPath)), *language, set);
      const std::string original = form.Root()->ClassName();
      text = line.Has("po")      ? WritePo(set, original)
             : line.Has("xliff") ? WriteXliff(set, original)
                                 : WriteTs(set, original);
    } else {
      text = manager.ExportText();
      if (!line.Has("pseudo")) text = WithoutPseudoLanguage(text);
    }
  } catch (Exception& e) {
    e.SetMessage(InputName(formPath) + ": " + e.Message());
    throw;
  }
  WriteOutput(out, outPath, text);
  return 0;
}

}  // namespace

const TCommand ExportCommand{
    "export", "write a form's translations for translators (language file, PO, XLIFF, .ts)",
    "Usage: dravik export [--pseudo | --po LANGUAGE | --xliff LANGUAGE | --ts LANGUAGE] FORM OUT\n"
    "\n"
    "Writes the language data of the form's TDravik for translators.\n"
    "\n"
    "Without an option: the language file, one section per language, \"[Class.Language]\",\n"
    "with one line per translated property (\"Button1.Caption='OK'\") and named string\n"
    "(\"Dravik.#Greeting='Hello'\"). A value with a line break cannot be written in it and is\n"
    "refused (nothing is written). The pseudo-language of 'dravik pseudo' is left out unless\n"
    "--pseudo is given.\n"
    "\n"
    "  --po LANGUAGE     a gettext PO file for LANGUAGE: msgctxt is the key of the language\n"
    "                    file, msgid the text in the form's active language, msgstr the text\n"
    "                    in LANGUAGE (empty when untranslated)\n"
    "  --xliff LANGUAGE  an XLIFF 1.2 file for LANGUAGE: one trans-unit per key (id and\n"
    "                    resname), source and target as above, approved when translated\n"
    "  --ts LANGUAGE     a Qt Linguist file for LANGUAGE: one context named after the form,\n"
    "                    one message per key (id and comment), source and translation as\n"
    "                    above, unfinished when untranslated\n"
    "\n"
    "LANGUAGE is a name (\"Deutsch\", \"German\") or a code (\"de\"); the files name their\n"
    "languages by code.\n"
    "\n"
    "The notes and the translations under review that an import of such a file kept beside\n"
    "the form (FORM.notes) come back in it.\n"
    "\n"
    "FORM is a form file of any kind (\"-\" reads standard input); OUT \"-\" writes standard\n"
    "output, a file is replaced atomically.\n"
    "\n"
    "Exit codes: 0 success; 1 unreadable form, no TDravik, unknown language or a value with a\n"
    "line break; 2 bad usage.\n",
    Run};

}  // namespace dravik
