// Language files from outside imported into a form whose TDravik translates texts and values of
// other kinds: every language the form then has must switch without a failure, and the form
// written and read again must give each language the values it had.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "library/FileTools.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/forms/Application.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"
#include "runtime/Dravik.h"
#include "runtime/LanguageSwitch.h"
#include "tests/model/FormFixture.h"

using namespace dravik;

namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
}

void Translate(TDravik& dravik, TComponent& component, const std::string& property,
               const std::vector<Variant>& values) {
  TComponentEntries* comps = dravik.LanguageManager()->Comps();
  TMainEntry* owner = nullptr;
  for (int i = 0; i < comps->Count(); ++i)
    if (comps->Items(i)->Ref() == &component) owner = comps->Items(i);
  if (!owner)
    owner = TMainEntry::CreateEx(comps, &component, component.Name(), component.ClassName(),
                                 {stPubPropObject});
  auto* entry = static_cast<TConsistentLangPropertyEntry*>(
      TPropertyEntry::CreateByRef(owner, component.ClassType().FindProp(property)));
  entry->SetCount(static_cast<int32_t>(values.size()));
  for (int i = 0; i < static_cast<int>(values.size()); ++i) entry->SetLangValue(i, values[i]);
}

// A form with a TDravik in English and German that translates a caption, an integer of a range,
// an enumeration, a set and a float.
TComponentPtr<TTestForm> MakeForm() {
  auto form = MakeTestForm();
  auto* dravik = Create<TDravik>(form.get());
  dravik->SetName("Dravik");
  TLanguageEntries* langs = dravik->LanguageManager()->Langs();
  for (const char* name : {"English", "Deutsch"}) {
    TLanguageEntry* language = langs->Add();
    language->Name = name;
    language->SubIndex = langs->Count() - 1;
  }
  auto& button = *form->FindComponent("Button1");
  Translate(*dravik, button, "Caption", {Variant("OK"), Variant("Gut")});
  Translate(*dravik, button, "Level", {Variant(int32_t(2)), Variant(int32_t(4))});
  Translate(*dravik, button, "Alignment", {Variant("taCenter"), Variant("taRightJustify")});
  Translate(*dravik, button, "Anchors", {Variant("[akLeft,akTop]"), Variant("[akRight]")});
  Translate(*dravik, *form->FindComponent("Label1"), "Ratio", {Variant(0.5), Variant(1.5)});
  return form;
}

TDravik& DravikOf(TComponent& form) {
  return *dynamic_cast<TDravik*>(form.FindComponent("Dravik"));
}

// Every language's value of every entry, by language and entry.
std::map<std::string, std::string> Values(const TLanguageManager& manager) {
  std::map<std::string, std::string> values;
  manager.ForEachExportKey(
      [&](const std::string& key, const std::string&, const TConsistentLangPropertyEntry& entry) {
        for (int l = 0; l < manager.GetLangCount(); ++l) {
          const TLanguageEntry* language = manager.Langs()->Items(l);
          values[language->Name + "\t" + key] =
              TLanguageManager::LanguageText(entry, language->SubIndex);
        }
      });
  return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TApplicationScope application;
  static std::vector<std::string> shown;
  static const bool recording = [] {
    application->SetExceptionDisplay(
        [](TObject*, const Exception& e) { shown.push_back(e.Message()); });
    return true;
  }();
  (void)recording;
  if (size < 1) return 0;
  const bool initAll = data[0] & 1;
  const TImportMode mode = (data[0] >> 1) % 3 == 0   ? imAddAll
                           : (data[0] >> 1) % 3 == 1 ? imAddNotExisting
                                                     : imClearExisting;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  FinalizeLanguageFrames();
  DefineStartupLanguage("");
  shown.clear();

  std::string stream;
  std::map<std::string, std::string> before;
  {
    auto form = MakeForm();
    TLanguageManager& manager = *DravikOf(*form).LanguageManager();
    TTemporaryFile file;
    SaveFileAtomically(file.Create(), bytes);
    TStringList sections, adjusted, rejected;
    TLanguageManager::GetAvailLangSections(file.Name(), sections);
    try {
      manager.ImportLanguages(file.Name(), nullptr, mode, initAll, sections, &adjusted, &rejected);
    } catch (const Exception&) {
      return 0;
    }
    // Through every language and back: what the import took fits where it goes.
    const int active = manager.Langs()->IndexOfSubIndex(0);
    for (int l = 0; l < manager.GetLangCount(); ++l) {
      try {
        manager.SetLanguageByIndex(l);
      } catch (const Exception& e) {
        Fail("switch to " + manager.Langs()->Items(l)->Name + ": " + e.Message());
      }
    }
    if (active >= 0) manager.SetLanguageByIndex(active);
    before = Values(manager);
    try {
      TStringStream output;
      WriteComponent(output, form.get());
      stream = output.DataString();
    } catch (const Exception&) {
      return 0;  // a value the stream cannot hold is refused when it is written
    }
  }
  FinalizeLanguageFrames();
  DefineStartupLanguage("");
  auto again = MakeComponent<TTestForm>(nullptr);
  shown.clear();
  try {
    TStringStream input(stream);
    ReadComponent(input, again.get());
  } catch (const Exception& e) {
    Fail("the form written is refused: " + e.Message());
  }
  if (!shown.empty()) Fail("reading the form written showed: " + shown.front());
  if (Values(*DravikOf(*again).LanguageManager()) != before) Fail("values changed in the stream");
  return 0;
}
