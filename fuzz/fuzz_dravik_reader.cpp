// Form streams with a TDravik from outside: reading into a form must end in the framework's
// exception or in a form whose TDravik components switch language and which writes a stream
// that reads back.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/core/filer/Reader.h"
#include "platform/core/forms/Application.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"
#include "runtime/Dravik.h"
#include "runtime/LanguageSwitch.h"
#include "tests/model/FormFixture.h"

using namespace dravik;

namespace {

// Switches every TDravik of the form to the language listed after its active one.
void SwitchOnce(TComponent& form) {
  for (int i = 0; i < form.ComponentCount(); ++i) {
    auto* dravik = dynamic_cast<TDravik*>(form.Components(i));
    if (!dravik) continue;
    TLanguageEntries* langs = dravik->LanguageManager()->Langs();
    if (langs->Count() == 0) continue;
    const int active = langs->IndexOfSubIndex(0);
    dravik->SetLanguage(langs->Items((active + 1) % langs->Count())->Name);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TApplicationScope application;
  static const bool quiet = [] {
    application->SetExceptionDisplay([](TObject*, const Exception&) {});
    unsetenv("LC_ALL");  // no start-up language from the machine running the fuzzer
    unsetenv("LC_MESSAGES");
    setenv("LANG", "C", 1);
    return true;
  }();
  (void)quiet;
  TStringStream input(std::string(reinterpret_cast<const char*>(data), size));
  auto form = MakeComponent<TTestForm>(nullptr);
  std::string written;
  try {
    ReadComponent(input, form.get());
    SwitchOnce(*form);
    TStringStream output;
    WriteComponent(output, form.get());
    written = output.DataString();
  } catch (const Exception&) {
    written.clear();
  }
  if (!written.empty()) {
    TStringStream again(written);
    auto copy = MakeComponent<TTestForm>(nullptr);
    ReadComponent(again, copy.get());  // what we wrote must read: an exception ends the run
  }
  form.reset();
  FinalizeLanguageFrames();  // each input starts with no frame and no language shown
  return 0;
}
