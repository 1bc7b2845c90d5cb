#include "runtime/TranslationFormats.h"

#include "platform/core/system/Exceptions.h"
#include "runtime/DravikSystem.h"
#include "runtime/LanguageManager.h"

namespace dravik {

std::string FileLanguage(const std::string& language) {
  const std::string code = LanguageCode(language);
  return code.empty() ? language : code;
}

TTranslationSet TranslationSetOf(const TLanguageManager& manager, const std::string& language) {
  const int target = manager.Langs()->IndexOfLanguage(language);
  if (target < 0) throw EConvertError("The form has no language " + language);
  const int active = manager.Langs()->IndexOfSubIndex(0);
  TTranslationSet set;
  set.SourceLanguage = active >= 0 ? manager.Langs()->Items(active)->Name : "";
  set.TargetLanguage = manager.Langs()->Items(target)->Name;
  const int slot = manager.Langs()->Items(target)->SubIndex;
  manager.ForEachExportKey(
      [&](const std::string& key, const std::string&, const TConsistentLangPropertyEntry& entry) {
        set.Units.push_back({key,
                             TLanguageManager::LanguageText(entry, 0),
                             TLanguageManager::LanguageText(entry, slot),
                             false,
                             {},
                             {}});
      });
  return set;
}

TImportSection LanguageFileSection(const TTranslationSet& set, const std::string& sectionName) {
  TImportSection section{"[" + sectionName + "]\r\n", {}, set.Skipped};
  for (const TTranslationUnit& unit : set.Units) {
    if (unit.Target.empty()) {
      ++section.Skipped["untranslated"];
    } else if (unit.Fuzzy) {
      ++section.Skipped["needs review"];
    } else if (!unit.Refused.empty()) {
      section.Refused.push_back(unit.Key + ": " + unit.Refused);
    } else if (unit.Key.empty() || unit.Key.find('=') != std::string::npos) {
      section.Refused.push_back(unit.Key + ": not a key of a form");
    } else if (unit.Target.find_first_of("\r\n") != std::string::npos) {
      section.Refused.push_back(unit.Key +
                                ": a translation with a line break, which a form cannot hold");
    } else {
      section.Text += unit.Key + "='" + unit.Target + "'\r\n";
    }
  }
  return section;
}

}  // namespace dravik
