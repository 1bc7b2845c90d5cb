#include "platform/core/inifiles/IniText.h"

#include <algorithm>

#include "platform/core/inifiles/TextLines.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

bool IsBlankOrComment(std::string_view trimmed) {
  return trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#';
}

bool IsBlank(const TIniText::TLine& line) {
  return !line.IsKey && Trim(line.Text).empty();
}

}  // namespace

TIniText TIniText::Parse(std::string_view bytes, std::optional<TIniDamage>& damage) {
  TIniText text;
  damage.reset();
  TSection* current = nullptr;
  const std::vector<std::string> lines = SplitTextLines(bytes);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    auto fail = [&](const char* reason) {
      if (!damage) damage = TIniDamage{static_cast<int>(i + 1), reason};
    };
    if (line.find('\0') != std::string::npos) {
      fail("the line holds a NUL byte");
      continue;
    }
    const std::string trimmed = Trim(line);
    if (IsBlankOrComment(trimmed)) {
      if (current) {
        current->Lines.push_back({false, "", line});
      } else {
        text.fHead.push_back(line);
      }
    } else if (trimmed.front() == '[') {
      const std::size_t close = trimmed.find(']');
      if (close == std::string::npos) {
        fail("a section name without its closing ']'");
        current = nullptr;  // its keys have no section to go to
        continue;
      }
      const std::string name = Trim(std::string_view(trimmed).substr(1, close - 1));
      current = text.Find(name);
      if (!current) current = &text.fSections.emplace_back(TSection{name, {}});
    } else if (const std::size_t equals = line.find('='); equals != std::string::npos) {
      std::string key = Trim(std::string_view(line).substr(0, equals));
      if (key.empty()) {
        fail("a value without a key name");
      } else if (!current) {
        fail("a key outside of any section");
      } else {
        current->Lines.push_back({true, std::move(key), line.substr(equals + 1)});
      }
    } else {
      fail("neither a section, a key nor a comment");
    }
  }
  return text;
}

std::string TIniText::Text() const {
  std::string out;
  for (const std::string& line : fHead) out += line + "\n";
  for (const TSection& section : fSections) {
    out += "[" + section.Name + "]\n";
    for (const TLine& line : section.Lines)
      out += line.IsKey ? line.Key + "=" + line.Text + "\n" : line.Text + "\n";
  }
  return out;
}

TIniText::TSection* TIniText::Find(std::string_view name) {
  for (TSection& section : fSections)
    if (SameText(section.Name, name)) return &section;
  return nullptr;
}

const TIniText::TSection* TIniText::FindSection(std::string_view name) const {
  return const_cast<TIniText*>(this)->Find(name);
}

const std::string* TIniText::FindValue(std::string_view section, std::string_view key) const {
  if (const TSection* found = FindSection(section))
    for (const TLine& line : found->Lines)
      if (line.IsKey && SameText(line.Key, key)) return &line.Text;
  return nullptr;
}

std::vector<std::string> TIniText::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  if (const TSection* found = FindSection(section))
    for (const TLine& line : found->Lines)
      if (line.IsKey && std::none_of(names.begin(), names.end(), [&](const std::string& name) {
            return SameText(name, line.Key);
          }))
        names.push_back(line.Key);
  return names;
}

void TIniText::Write(std::string_view section, std::string_view key, std::string_view value) {
  TSection* target = Find(section);
  if (!target) {
    // A blank line between sections, as people write them.
    if (!fSections.empty() && !fSections.back().Lines.empty() &&
        !IsBlank(fSections.back().Lines.back()))
      fSections.back().Lines.push_back({false, "", ""});
    target = &fSections.emplace_back(TSection{std::string(section), {}});
  }
  std::size_t after = 0;  // behind the last key line, so trailing blank lines stay trailing
  for (std::size_t i = 0; i < target->Lines.size(); ++i) {
    TLine& line = target->Lines[i];
    if (!line.IsKey) continue;
    if (SameText(line.Key, key)) {
      line.Text = value;
      return;
    }
    after = i + 1;
  }
  if (after == 0)
    while (after < target->Lines.size() && !IsBlank(target->Lines[after])) ++after;
  target->Lines.insert(target->Lines.begin() + static_cast<std::ptrdiff_t>(after),
                       TLine{true, std::string(key), std::string(value)});
}

void TIniText::DeleteKey(std::string_view section, std::string_view key) {
  if (TSection* found = Find(section))
    std::erase_if(found->Lines,
                  [&](const TLine& line) { return line.IsKey && SameText(line.Key, key); });
}

void TIniText::EraseSection(std::string_view section) {
  std::erase_if(fSections, [&](const TSection& s) { return SameText(s.Name, section); });
}

}  // namespace dravik
