// Qt Linguist files from outside: reading ends in the framework's exception or in a set that,
// written and read again, is written the same (or that the writer refuses with its exception).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/core/system/Exceptions.h"
#include "runtime/TranslationFormats.h"

using namespace dravik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TTranslationSet set;
  try {
    set = ReadTs(text, "fuzz.ts");
  } catch (const Exception&) {
    return 0;
  }
  (void)LanguageFileSection(set, "TForm1.Deutsch");
  std::string written;
  try {
    written = WriteTs(set, "TForm1");
  } catch (const EConvertError&) {
    return 0;  // a text XML cannot hold, refused by name
  }
  try {
    if (WriteTs(ReadTs(written, "again.ts"), "TForm1") != written) std::abort();
  } catch (const Exception& e) {
    std::fprintf(stderr, "our own .ts file is refused: %s\n", e.Message().c_str());
    std::abort();
  }
  return 0;
}
