// dravik show: the language data of a form file as tab-separated lines.

#include "apps/dravik/Command.h"
#include "apps/dravik/FormFile.h"
#include "apps/dravik/StandardOutput.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/system/Exceptions.h"
#include "runtime/Dravik.h"

namespace dravik {

namespace {

// The slot of each language, in list order.
std::vector<int32_t> SlotsInListOrder(const TLanguageManager& manager) {
  std::vector<int32_t> slots;
  for (int i = 0; i < manager.GetLangCount(); ++i)
    slots.push_back(manager.Langs()->Items(i)->SubIndex);
  return slots;
}

void PrintValues(TStandardOutput& out, const TConsistentLangPropertyEntry& entry,
                 const std::vector<int32_t>& slots) {
  for (int32_t slot : slots) {
    out << '\t';
    if (slot >= 0 && slot < entry.Count()) out.Field(VarToStr(entry.GetLangValue(slot)));
  }
  out << '\n';
}

// The property entries below entry in tree order, with their path below the component.
void PrintProperties(TStandardOutput& out, const TLanguageManager& manager,
                     const std::string& owner, TMainEntry& entry, const std::string& prefix,
                     const std::vector<int32_t>& slots) {
  for (int i = 0; i < entry.Props()->Count(); ++i) {
    auto* prop = dynamic_cast<TConsistentLangPropertyEntry*>(entry.Props()->Items(i));
    if (!prop || manager.IsStringEntry(*prop)) continue;
    out << "property\t";
    out.Field(owner) << '\t';
    out.Field(prefix + prop->Name);
    PrintValues(out, *prop, slots);
  }
  for (int i = 0; i < entry.Items()->Count(); ++i) {
    TMainEntry* child = entry.Items()->Items(i);
    PrintProperties(out, manager, owner, *child, prefix + child->Name + ".", slots);
  }
}

void PrintDravik(TStandardOutput& out, TDravik& dravik, const TComponent* root) {
  TLanguageManager& manager = *dravik.LanguageManager();
  const std::vector<int32_t> slots = SlotsInListOrder(manager);
  for (int i = 0; i < manager.GetLangCount(); ++i) {
    const TLanguageEntry* language = manager.Langs()->Items(i);
    out << "language\t";
    out.Field(language->Name) << '\t' << language->SubIndex;
    if (language->IsActive()) out << "\tactive";
    out << '\n';
  }
  TComponentEntries* comps = manager.Comps();
  for (int i = 0; i < comps->Count(); ++i) {
    TComponentEntry* entry = comps->Items(i);
    const TComponent* component = entry->Ref();
    std::string owner = component ? component->Name() : entry->Name;
    if (component == root && owner.empty()) owner = root->Name();
    PrintProperties(out, manager, owner, *entry, "", slots);
  }
  TMainEntry* strings = manager.GetStringInterface(false);
  for (int line = 0; line < manager.Names()->Count(); ++line) {
    out << "string\t";
    out.Field(manager.Names()->Strings(line));
    TConsistentLangPropertyEntry* found = nullptr;
    for (int i = 0; strings && i < strings->Props()->Count() && !found; ++i) {
      auto* entry = dynamic_cast<TConsistentLangPropertyEntry*>(strings->Props()->Items(i));
      if (entry && entry->Index == line) found = entry;
    }
    if (found) {
      PrintValues(out, *found, slots);
    } else {
      out << '\n';
    }
  }
}

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {"resource"}, {});
  line.ExpectPositionals(1, 1);
  const std::string& path = line.Positionals()[0];
  try {
    TLoadedForm form(ComponentStreamOf(ReadInput(path), line.Value("resource")));
    const std::vector<TDravik*> all = form.Dravik();
    for (TDravik* dravik : all) {
      if (all.size() > 1) {
        out << "component\t";
        out.Field(dravik->Name()) << '\n';
      }
      PrintDravik(out, *dravik, form.Root());
    }
  } catch (Exception& e) {
    e.SetMessage((path == "-" ? std::string("standard input") : path) + ": " + e.Message());
    throw;
  }
  return 0;
}

}  // namespace

const TCommand ShowCommand{
    "show", "print the language data of a form or language file",
    "Usage: dravik show [--resource NAME] FILE\n"
    "\n"
    "Prints the language data that the TDravik components of a form file hold, one\n"
    "tab-separated line per item, as the file stores it (the user's language does not matter):\n"
    "  language  NAME  SUBINDEX  [active]     each language in list order; the active one is\n"
    "                                         the language whose values the form's properties "
    "hold\n"
    "  property  COMPONENT  PATH  VALUE...    each translated property in tree order: the\n"
    "                                         component (the root by its own name), the path of\n"
    "                                         the property below it (Font.Name, "
    "Buttons[0].Caption,\n"
    "                                         Items.Strings[3]) and its value in each language,\n"
    "                                         in language list order\n"
    "  string    NAME  VALUE...               each named string, in the stored order\n"
    "  component NAME                         before the lines of each TDravik, when the file\n"
    "                                         holds several\n"
    "Tabs, line breaks, backslashes and other control characters in values are written as\n"
    "\\t, \\n, \\r, \\\\ and \\xNN. Text stored in 8 bits that is not UTF-8 is read as\n"
    "Windows-1252.\n"
    "\n"
    "Arguments:\n"
    "  FILE             a binary form stream, its text form, or a resource file (.res, .lng);\n"
    "                   the kind is found from the content; \"-\" reads standard input\n"
    "\n"
    "Options:\n"
    "  --resource NAME  when FILE is a resource file with several component streams: which one\n"
    "\n"
    "Exit codes: 0 success; 1 unreadable input (one line on stderr); 2 bad usage.\n",
    Run};

}  // namespace dravik
