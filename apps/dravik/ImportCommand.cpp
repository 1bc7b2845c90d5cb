// dravik import: a language file, PO, XLIFF or .ts file read into a form, written to OUT.

#include "apps/dravik/Command.h"
#include "apps/dravik/FormFile.h"
#include "apps/dravik/InputFile.h"
#include "apps/dravik/StandardOutput.h"
#include "apps/dravik/Tool.h"
#include "apps/dravik/TranslatorNotes.h"
#include "library/ComponentTools.h"
#include "library/FileTools.h"
#include "model/ComponentExplorer.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "runtime/Dravik.h"
#include "runtime/DravikSystem.h"
#include "runtime/LanguageFile.h"
#include "runtime/TranslationFormats.h"

namespace dravik {

namespace {

TImportMode ModeOf(const std::optional<std::string>& mode) {
  if (!mode || *mode == "add-all") return imAddAll;
  if (*mode == "clear") return imClearExisting;
  if (*mode == "add-new") return imAddNotExisting;
  throw EUsage{"--mode takes clear, add-all or add-new, not '" + *mode + "'"};
}

// "caption,hint,user:Width+Height,assigned" as the explorer's filter.
void ReadFilter(const std::string& list, TCESettings& settings) {
  TPropFilter filter;
  for (std::size_t start = 0; start <= list.size();) {
    const std::size_t end = std::min(list.find(',', start), list.size());
    const std::string item = Trim(list.substr(start, end - start));
    start = end + 1;
    if (item == "caption")
      filter.Include(pfCaption);
    else if (item == "hint")
      filter.Include(pfHint);
    else if (item == "strings")
      filter.Include(pfStrings);
    else if (item == "text")
      filter.Include(pfText);
    else if (item == "all")
      filter.Include(pfAll);
    else if (item == "assigned")
      filter.Include(pfAssigned);
    else if (item.rfind("user:", 0) == 0) {
      filter.Include(pfUser);
      std::string names = item.substr(5);
      for (char& c : names)
        if (c == '+') c = ' ';
      settings.SetPropFilterText(names);
    } else {
      throw EUsage{"unknown filter '" + item + "'"};
    }
  }
  settings.SetPropFilter(filter);
}

void PrintLines(TStandardOutput& out, const char* kind, const TStrings& lines) {
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string& entry = lines.Strings(i);  // "[section]=line"
    const std::size_t close = entry.find("]=");
    out << kind << '\t';
    out.Field(close == std::string::npos ? "" : entry.substr(1, close - 1)) << '\t';
    out.Field(close == std::string::npos ? entry : entry.substr(close + 2)) << '\n';
  }
}

// The name the form gives the language (a name or code), else the table's English name, else the
// text as given: the name of the language the import adds.
std::string LanguageNameIn(const TLanguageManager& manager, const std::string& language) {
  if (const int index = manager.Langs()->IndexOfLanguage(language); index >= 0)
    return manager.Langs()->Items(index)->Name;
  const std::string english = EnglishLanguageName(language);
  return english.empty() ? Trim(language) : english;
}

// The file's section ("CLASS=LANGUAGE") that a chosen one names, its language by name or code;
// the choice as it stands when the file has none.
std::string SectionIn(const TStrings& available, const std::string& chosen) {
  const std::size_t eq = chosen.find('=');
  for (int i = 0; i < available.Count(); ++i) {
    const std::string& section = available.Strings(i);
    const std::size_t at = section.find('=');
    if (eq == std::string::npos || at == std::string::npos) continue;
    if (SameText(section.substr(0, at), chosen.substr(0, eq)) &&
        CompareLanguages(section.substr(at + 1), chosen.substr(eq + 1)))
      return section;
  }
  return chosen;
}

// Every text of the manager by language and key.
std::map<std::string, std::string> TextsOf(const TLanguageManager& manager) {
  std::map<std::string, std::string> texts;
  for (int l = 0; l < manager.GetLangCount(); ++l) {
    const TLanguageEntry* language = manager.Langs()->Items(l);
    manager.ForEachExportKey([&](const std::string& key, const std::string&,
                                 const TConsistentLangPropertyEntry& e) {
      texts[language->Name + "\n" + key] = TLanguageManager::LanguageText(e, language->SubIndex);
    });
  }
  return texts;
}

// The lines of the chosen sections ("CLASS=LANGUAGE") of a language file.
int LinesIn(const std::string& fileName, const TStrings& sections) {
  const TLanguageFile file(fileName);
  int lines = 0;
  for (int i = 0; i < sections.Count(); ++i) {
    std::string name = sections.Strings(i);
    if (const std::size_t eq = name.find('='); eq != std::string::npos) name[eq] = '.';
    if (const TLanguageSection* section = file.Find(name))
      lines += static_cast<int>(section->Lines.size());
  }
  return lines;
}

// "imported 3, unchanged 1, skipped 2 (untranslated 2), rejected 0": lines that changed the form,
// lines it already held, entries left out by reason, and lines nothing took.
std::string Summary(int imported, int unchanged, const std::map<std::string, int>& skipped,
                    int rejected) {
  int skippedCount = 0;
  std::string reasons;
  for (const auto& [reason, count] : skipped) {
    skippedCount += count;
    reasons += (reasons.empty() ? "" : ", ") + reason + " " + std::to_string(count);
  }
  return "imported " + std::to_string(imported) + ", unchanged " + std::to_string(unchanged) +
         ", skipped " + std::to_string(skippedCount) +
         (reasons.empty() ? "" : " (" + reasons + ")") + ", rejected " + std::to_string(rejected);
}

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {"mode", "section", "filter", "po", "xliff", "ts"}, {"init-all"});
  line.ExpectPositionals(3, 3);
  const std::string& formPath = line.Positionals()[0];
  const std::string& inPath = line.Positionals()[1];
  const std::string& outPath = line.Positionals()[2];
  const std::optional<std::string> po = line.Value("po"), xliff = line.Value("xliff"),
                                   ts = line.Value("ts");
  if (po.has_value() + xliff.has_value() + ts.has_value() > 1)
    throw EUsage{"--po, --xliff and --ts exclude each other"};
  if ((po || xliff || ts) && (line.Has("mode") || line.Has("section")))
    throw EUsage{"--po, --xliff and --ts import one language: --mode and --section do not apply"};
  const TImportMode mode = ModeOf(line.Value("mode"));
  TCESettings settings;
  if (auto filter = line.Value("filter")) ReadFilter(*filter, settings);
  if (inPath == "-") throw EUsage{"IN must be a file"};

  const TInputPath in(inPath);
  std::optional<TTranslationSet> set;
  const std::string language = po ? *po : xliff ? *xliff : ts ? *ts : "";
  if (po || xliff || ts) {
    const std::string bytes = LoadFromFile(in.Name());
    set = po ? ReadPo(bytes, inPath) : xliff ? ReadXliff(bytes, inPath) : ReadTs(bytes, inPath);
    if (!set->TargetLanguage.empty() && !CompareLanguages(set->TargetLanguage, language))
      throw EExit{1, inPath + ": the file holds language '" + set->TargetLanguage + "', not '" +
                         language + "'"};
  }
  TStringList adjusted, rejected;
  std::vector<std::string> refused;
  std::map<std::string, int> skipped;
  TTemporaryFile converted;
  std::string output;
  int changed = 0, offered = 0;
  std::string formLanguage;  // the form's name of the language of a PO, XLIFF or .ts file
  try {
    output = RewriteFormFile(ReadInput(formPath), std::nullopt, [&](const std::string& binary) {
      TLoadedForm form(binary);
      TLanguageManager& manager = *form.FirstDravik().LanguageManager();
      std::string fileName = in.Name();
      TStringList sections;
      if (set) {
        formLanguage = LanguageNameIn(manager, language);
        const std::string section = form.Root()->ClassName() + "." + formLanguage;
        TImportSection imported = LanguageFileSection(*set, section);
        SaveFileAtomically(converted.Create(), imported.Text);
        refused = std::move(imported.Refused);
        skipped = std::move(imported.Skipped);
        fileName = converted.Name();
        TLanguageManager::GetAvailLangSections(fileName, sections);
      } else if (line.Has("section")) {
        TStringList available;
        TLanguageManager::GetAvailLangSections(in.Name(), available);
        for (const std::string& section : line.Values("section"))
          sections.Add(SectionIn(available, section));
      } else {
        TLanguageManager::GetAvailLangSections(in.Name(), sections);
      }
      const std::map<std::string, std::string> before = TextsOf(manager);
      offered = LinesIn(fileName, sections);
      manager.ImportLanguages(fileName, line.Has("filter") ? &settings : nullptr,
                              set ? imAddAll : mode, line.Has("init-all"), sections, &adjusted,
                              &rejected);
      for (const auto& [key, text] : TextsOf(manager)) {
        const auto was = before.find(key);
        if (was == before.end() || was->second != text) ++changed;
      }
      return form.Binary();
    });
  } catch (Exception& e) {
    e.SetMessage(InputName(formPath) + ": " + e.Message());
    throw;
  }
  WriteOutput(out, outPath, output);
  if (outPath != "-") {
    TTranslatorNotes notes = formPath == "-" ? TTranslatorNotes() : ReadNotes(NotesPath(formPath));
    if (set) KeepNotes(notes, formLanguage, *set);
    WriteNotes(NotesPath(outPath), notes);
  }
  const int taken = std::max(0, offered - rejected.Count());
  const std::string summary = Summary(std::min(changed, taken), taken - std::min(changed, taken),
                                      skipped, rejected.Count() + int(refused.size()));
  if (outPath == "-") ReportLine(summary);
  if (outPath != "-") {
    PrintLines(out, "adjusted", adjusted);
    PrintLines(out, "rejected", rejected);
    for (const std::string& reason : refused) {
      out << "rejected\t";
      out.Field(language) << '\t';
      out.Field(reason) << '\n';
    }
    out << std::string_view(summary) << '\n';
  }
  return rejected.Count() == 0 && refused.empty() ? 0 : 1;
}

}  // namespace

const TCommand ImportCommand{
    "import", "read translations into a form (language file, PO, XLIFF, .ts)",
    "Usage: dravik import [OPTIONS] FORM IN OUT\n"
    "       dravik import --po LANGUAGE FORM IN.po OUT\n"
    "       dravik import --xliff LANGUAGE FORM IN.xlf OUT\n"
    "       dravik import --ts LANGUAGE FORM IN.ts OUT\n"
    "\n"
    "Reads the translations of IN into the form's TDravik and writes the form, in its own kind,\n"
    "to OUT (\"-\" for standard output). Only properties of the form's components can take\n"
    "a value (with --filter: only those the filter admits). Prints one line for each line of\n"
    "IN that was taken only as the Caption of a collection item (adjusted) and for each that\n"
    "nothing took (rejected): kind, section, line, tab-separated; then a summary line:\n"
    "\"imported N, unchanged N, skipped N (REASON N, ...), rejected N\" (on standard error\n"
    "when OUT is \"-\"). Skipped are the entries of a PO, XLIFF or .ts file that are "
    "untranslated,\n"
    "need review, are obsolete or plural. When the import fails the form is not written.\n"
    "\n"
    "The translator's notes and the translations that need review, which the form does not\n"
    "take, are kept beside OUT in OUT.notes (with those FORM.notes holds for other languages),\n"
    "so that the next export gives them back.\n"
    "\n"
    "Options:\n"
    "  --mode clear|add-all|add-new  clear: the form keeps only what IN brings; add-all (the\n"
    "                       default): IN's values replace the form's; add-new: the form's\n"
    "                       values stay, IN adds what is missing\n"
    "  --section CLASS=LANGUAGE  a section to import (as 'dravik sections' lists them, the\n"
    "                       language by name or code); may be given more than once; all\n"
    "                       sections without it\n"
    "  --init-all           a property new to the form gets the active language's text in\n"
    "                       every language IN does not give\n"
    "  --filter LIST        the properties admitted, comma-separated: caption, hint, strings,\n"
    "                       text, user:NAME+NAME, all, assigned (only non-empty ones)\n"
    "  --po LANGUAGE        IN is a gettext PO file of LANGUAGE: msgctxt names the property,\n"
    "                       msgstr is its text; fuzzy and untranslated entries are skipped\n"
    "  --xliff LANGUAGE     IN is an XLIFF 1.2 or 1.1 file of LANGUAGE: resname, else the\n"
    "                       gettext context, else id names the property, target is its text\n"
    "                       when approved or not marked as needing review; a target with\n"
    "                       inline codes is rejected\n"
    "  --ts LANGUAGE        IN is a Qt Linguist file of LANGUAGE: the message's id, else its\n"
    "                       comment names the property; unfinished translations are skipped\n"
    "\n"
    "LANGUAGE is a name (\"Deutsch\", \"German\") or a code (\"de\", \"de-DE\"). A PO, XLIFF or "
    ".ts\n"
    "file that names its own language must name LANGUAGE, or nothing is imported.\n"
    "\n"
    "Exit codes: 0 success, nothing rejected; 1 a line was rejected, or the form, IN or OUT\n"
    "could not be read or written; 2 bad usage.\n",
    Run};

}  // namespace dravik
