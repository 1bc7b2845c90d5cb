#include "runtime/LanguageFile.h"

#include "library/ComponentTools.h"
#include "platform/core/filer/StreamFormatEncoding.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

TLanguageFile::TLanguageFile(const std::string& fileName) : fText(LoadFromFile(fileName)) {
  TLanguageSection* current = nullptr;
  std::string_view rest = fText;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view raw = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    while (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    if (!IsValidUtf8(raw)) raw = fDecoded.emplace_back(EightBitToUtf8(raw));
    const std::string_view line = TrimView(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      const std::string name(line.substr(1, line.size() - 2));
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
