// Language files and PO files from outside, imported into a form with a TDravik: the import
// ends in the framework's exception or in a form whose data exports and imports again cleanly.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "library/FileTools.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/forms/Application.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/system/Exceptions.h"
#include "runtime/Dravik.h"
#include "runtime/TranslationFormats.h"
#include "tests/model/FormFixture.h"

using namespace dravik;

namespace {

void ImportInto(TTestForm& form, const std::string& file) {
  auto* dravik = dynamic_cast<TDravik*>(form.FindComponent("Dravik"));
  TLanguageManager& manager = *dravik->LanguageManager();
  TStringList sections, adjusted, rejected;
  TLanguageManager::GetAvailLangSections(file, sections);
  manager.ImportLanguages(file, nullptr, imAddAll, true, sections, &adjusted, &rejected);
  // What the form now holds must go out and come back without a line lost.
  TTemporaryFile again;
  try {
    manager.ExportLanguages(again.Create());
    TLanguageManager::GetAvailLangSections(again.Name(), sections);
    manager.ImportLanguages(again.Name(), nullptr, imClearExisting, false, sections, &adjusted,
                            &rejected);
    if (rejected.Count() > 0) abort();
  } catch (const EConvertError&) {
    // a value with a line break cannot be exported; refused, not written broken
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TApplicationScope application;
  static const bool quiet = [] {
    application->SetExceptionDisplay([](TObject*, const Exception&) {});
    return true;
  }();
  (void)quiet;
  if (size < 1) return 0;
  const bool po = data[0] & 1;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  auto form = MakeTestForm();
  Create<TDravik>(form.get())->SetName("Dravik");
  TTemporaryFile temporary;
  const std::string& file = temporary.Create();
  try {
    if (po) {
      const TTranslationSet set = ReadPo(bytes, "fuzz.po");
      SaveFileAtomically(file, LanguageFileSection(set, "TTestForm.Deutsch").Text);
    } else {
      SaveFileAtomically(file, bytes);
    }
    ImportInto(*form, file);
  } catch (const Exception&) {
  }
  return 0;
}
