// XLIFF files from outside: reading ends in the framework's exception or in units that a file
// written from them gives back unchanged (or that the writer refuses with its exception).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/core/system/Exceptions.h"
#include "runtime/TranslationFormats.h"

using namespace dravik;

namespace {

bool Same(const TTranslationUnit& a, const TTranslationUnit& b) {
  // A unit without a name is read back by its number.
  return (a.Key.empty() || a.Key == b.Key) && a.Source == b.Source && a.Target == b.Target &&
         a.Fuzzy == b.Fuzzy && a.Comments == b.Comments;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TTranslationSet set;
  try {
    set = ReadXliff(text, "fuzz.xlf");
  } catch (const Exception&) {
    return 0;
  }
  (void)LanguageFileSection(set, "TForm1.Deutsch");
  std::string written;
  try {
    written = WriteXliff(set, "TForm1");
  } catch (const EConvertError&) {
    return 0;  // a text XML cannot hold, refused by name
  }
  TTranslationSet again;
  try {
    again = ReadXliff(written, "again.xlf");
  } catch (const Exception& e) {
    std::fprintf(stderr, "our own XLIFF is refused: %s\n", e.Message().c_str());
    std::abort();
  }
  // Languages come back as the files name them: by code where the table knows one.
  if (again.Units.size() != set.Units.size() ||
      again.SourceLanguage != FileLanguage(set.SourceLanguage) ||
      again.TargetLanguage != FileLanguage(set.TargetLanguage))
    std::abort();
  for (std::size_t i = 0; i < set.Units.size(); ++i)
    if (!Same(set.Units[i], again.Units[i])) std::abort();
  return 0;
}
