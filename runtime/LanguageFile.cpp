#include "runtime/LanguageFile.h"

#include "library/ComponentTools.h"
#include "platform/core/inifiles/TextLines.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

TLanguageFile::TLanguageFile(const std::string& fileName) {
  TLanguageSection* current = nullptr;
  for (const std::string& raw : SplitTextLines(LoadFromFile(fileName))) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      const std::string name = line.substr(1, line.size() - 2);
      current = const_cast<TLanguageSection*>(Find(name));
      if (!current) current = &fSections.emplace_back(TLanguageSection{name, {}});
      continue;
    }
    if (current) current->Lines.push_back(raw);
  }
}

const TLanguageSection* TLanguageFile::Find(const std::string& name) const {
  for (const TLanguageSection& section : fSections)
    if (SameText(section.Name, name)) return &section;
  return nullptr;
}

}  // namespace dravik
