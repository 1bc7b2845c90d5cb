// dravik status: how far the translation of each language of a form has come.

#include <cstdio>

#include "apps/dravik/Command.h"
#include "apps/dravik/EachInput.h"
#include "apps/dravik/FormFile.h"
#include "apps/dravik/StandardOutput.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "runtime/Dravik.h"
#include "runtime/DravikSystem.h"

namespace dravik {

namespace {

struct TProgress {
  int Translated = 0, Empty = 0, Same = 0;
  double Share() const {
    const int total = Translated + Empty + Same;
    return total == 0 ? 100.0 : 100.0 * Translated / total;
  }
};

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {"min"}, {"pseudo"});
  line.ExpectPositionals(1, SIZE_MAX);
  double minimum = -1;
  if (auto min = line.Value("min")) {
    char* end = nullptr;
    minimum = std::strtod(min->c_str(), &end);
    if (min->empty() || *end || !(minimum >= 0 && minimum <= 100))  // NaN passes no test
      throw EUsage{"--min takes a percentage from 0 to 100"};
  }
  bool below = false;
  const bool read = ForEachInput("status", line.Positionals(), out, [&](const std::string& path) {
    const TLoadedForm form(ComponentStreamOf(ReadInput(path), std::nullopt));
    const TLanguageManager& manager = *form.FirstDravik().LanguageManager();
    for (int l = 0; l < manager.GetLangCount(); ++l) {
      const TLanguageEntry* language = manager.Langs()->Items(l);
      if (language->IsActive()) continue;
      if (IsPseudoLanguage(language->Name) && !line.Has("pseudo")) continue;
      TProgress progress;
      manager.ForEachExportKey(
          [&](const std::string&, const std::string&, const TConsistentLangPropertyEntry& e) {
            const std::string source = TLanguageManager::LanguageText(e, 0);
            const std::string target = TLanguageManager::LanguageText(e, language->SubIndex);
            if (target.empty() && !source.empty()) {
              ++progress.Empty;
            } else if (target == source && !source.empty()) {
              ++progress.Same;
            } else {
              ++progress.Translated;
            }
          });
      char share[16];
      std::snprintf(share, sizeof share, "%.1f%%", progress.Share());
      out.Field(path) << '\t';
      out.Field(language->Name) << '\t' << progress.Translated << '\t' << progress.Empty << '\t'
                                << progress.Same << '\t' << std::string_view(share) << '\n';
      below = below || progress.Share() < minimum;
    }
  });
  return below || !read ? 1 : 0;
}

}  // namespace

const TCommand StatusCommand{
    "status", "how much of each language of a form is translated",
    "Usage: dravik status [--min PERCENT] [--pseudo] FORM...\n"
    "\n"
    "For each form and each language but the active one, prints one tab-separated line:\n"
    "form, language, entries translated, entries empty, entries still equal to the active\n"
    "language's text, and the share translated. Properties and named strings count alike;\n"
    "an entry whose active text is empty counts as translated.\n"
    "\n"
    "  --min PERCENT  exit with 1 when a language is below PERCENT, so a build can hold its\n"
    "                 translations to a level\n"
    "  --pseudo       report the pseudo-language of 'dravik pseudo' too\n"
    "\n"
    "A form that cannot be read or has no TDravik is one line on standard error; the other\n"
    "forms are still reported.\n"
    "\n"
    "Exit codes: 0 success; 1 a language below --min, or a form that cannot be read or has no\n"
    "TDravik; 2 bad usage.\n",
    Run};

}  // namespace dravik
