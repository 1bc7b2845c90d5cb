#include "platform/core/inifiles/IniText.h"

#include <unordered_set>

#include "platform/core/filer/StreamFormatEncoding.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlankOrComment(std::string_view trimmed) {
  return trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#';
}

std::string Folded(std::string_view section, std::string_view key) {
  std::string folded = UpperCase(section);
  folded += '\0';
  folded += UpperCase(key);
  return folded;
}

}  // namespace

TIniText TIniText::Parse(std::string_view bytes, std::optional<TIniDamage>& damage) {
  TIniText text;
  damage.reset();
  if (bytes.starts_with(kByteOrderMark)) {
    text.fMark = kByteOrderMark;
    bytes.remove_prefix(kByteOrderMark.size());
  }
  bool inSection = false;
  bool endFound = false;
  for (int number = 1; !bytes.empty(); ++number) {
    TLine line;
    const std::size_t end = bytes.find_first_of("\r\n");
    line.Bytes = bytes.substr(0, end);
    if (end != std::string_view::npos) {
      const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
      line.End = bytes.substr(end, crlf ? 2 : 1);
      if (!endFound) text.fEnd = line.End;
      endFound = true;
      bytes.remove_prefix(end + line.End.size());
    } else {
      bytes = {};
    }
    auto fail = [&](const char* reason) {
      if (!damage) damage = TIniDamage{number, reason};
    };
    if (line.Bytes.find('\0') != std::string::npos) {
      fail("the line holds a NUL byte");
      continue;
    }
    const std::string decoded = EightBitToUtf8(line.Bytes);
    const std::string trimmed = Trim(decoded);
    if (IsBlankOrComment(trimmed)) {
      text.fLines.push_back(std::move(line));
    } else if (trimmed.front() == '[') {
      // What follows the "]" (a comment) stays on the line and is no part of the name.
      const std::size_t close = trimmed.find(']');
      if (close == std::string::npos) {
        fail("a section name without its closing ']'");
        inSection = false;  // its keys have no section to go to
        continue;
      }
      line.Kind = TLine::Section;
      line.Name = Trim(std::string_view(trimmed).substr(1, close - 1));
      text.fLines.push_back(std::move(line));
      inSection = true;
    } else if (const std::size_t equals = decoded.find('='); equals != std::string::npos) {
      std::string key = Trim(std::string_view(decoded).substr(0, equals));
      if (key.empty()) {
        fail("a value without a key name");
      } else if (!inSection) {
        fail("a key outside of any section");
      } else {
        line.Kind = TLine::Key;
        line.Name = std::move(key);
        line.Value = decoded.substr(equals + 1);
        text.fLines.push_back(std::move(line));
      }
    } else {
      fail("neither a section, a key nor a comment");
    }
  }
  return text;
}

std::string TIniText::Text() const {
  std::string out = fMark;
  for (const TLine& line : fLines) out += line.Bytes + line.End;
  return out;
}

std::vector<std::size_t> TIniText::Owners() const {
  std::vector<std::size_t> owners(fLines.size(), std::string::npos);
  std::size_t owner = std::string::npos;
  for (std::size_t i = 0; i < fLines.size(); ++i) {
    if (fLines[i].Kind == TLine::Section) owner = i;
    owners[i] = owner;
  }
  return owners;
}

std::size_t TIniText::FindKey(std::string_view section, std::string_view key) const {
  if (!fIndexed) {
    fIndex.clear();
    const std::string* name = nullptr;
    for (std::size_t i = 0; i < fLines.size(); ++i) {
      const TLine& line = fLines[i];
      if (line.Kind == TLine::Section) name = &line.Name;
      if (line.Kind == TLine::Key) fIndex.try_emplace(Folded(*name, line.Name), i);
    }
    fIndexed = true;
  }
  const auto found = fIndex.find(Folded(section, key));
  return found == fIndex.end() ? std::string::npos : found->second;
}

std::vector<std::string> TIniText::SectionNames() const {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  for (const TLine& line : fLines)
    if (line.Kind == TLine::Section && seen.insert(UpperCase(line.Name)).second)
      names.push_back(line.Name);
  return names;
}

bool TIniText::HasSection(std::string_view section) const {
  for (const TLine& line : fLines)
    if (line.Kind == TLine::Section && SameText(line.Name, section)) return true;
  return false;
}

const std::string* TIniText::FindValue(std::string_view section, std::string_view key) const {
  const std::size_t line = FindKey(section, key);
  return line == std::string::npos ? nullptr : &fLines[line].Value;
}

std::vector<std::string> TIniText::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  bool inside = false;
  for (const TLine& line : fLines) {
    if (line.Kind == TLine::Section) inside = SameText(line.Name, section);
    if (inside && line.Kind == TLine::Key && seen.insert(UpperCase(line.Name)).second)
      names.push_back(line.Name);
  }
  return names;
}

std::vector<TIniValue> TIniText::Values() const {
  std::vector<TIniValue> values;
  // A repeated section's keys follow its first header's spelling and place.
  std::unordered_map<std::string, std::size_t> sections;  // first header by folded name
  std::vector<std::vector<std::size_t>> keys;             // key lines by first header
  std::size_t current = 0;
  for (std::size_t i = 0; i < fLines.size(); ++i) {
    const TLine& line = fLines[i];
    if (line.Kind == TLine::Section) {
      const auto [found, added] = sections.try_emplace(UpperCase(line.Name), keys.size());
      if (added) keys.push_back({i});
      current = found->second;
    } else if (line.Kind == TLine::Key && FindKey(fLines[keys[current][0]].Name, line.Name) == i) {
      keys[current].push_back(i);
    }
  }
  for (const std::vector<std::size_t>& section : keys)
    for (std::size_t k = 1; k < section.size(); ++k)
      values.push_back(
          {fLines[section[0]].Name, fLines[section[k]].Name, fLines[section[k]].Value});
  return values;
}

void TIniText::Insert(std::size_t at, TLine line) {
  // The line before a new one ends as the file's lines do, even when it was the last.
  if (at > 0 && fLines[at - 1].End.empty()) fLines[at - 1].End = fEnd;
  line.End = fEnd;
  fLines.insert(fLines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
  Changed();
}

void TIniText::Write(std::string_view section, std::string_view key, std::string_view value) {
  if (const std::size_t found = FindKey(section, key); found != std::string::npos) {
    TLine& line = fLines[found];
    // The key keeps its spelling and what stands around its "=" where that is UTF-8 already.
    const std::string_view head = std::string_view(line.Bytes).substr(0, line.Bytes.find('=') + 1);
    line.Bytes = (IsValidUtf8(head) ? std::string(head) : line.Name + "=") + std::string(value);
    line.Value = value;
    return;
  }
  TLine added{TLine::Key, std::string(key), std::string(value),
              std::string(key) + "=" + std::string(value), ""};
  const std::vector<std::size_t> owners = Owners();
  std::size_t first = std::string::npos, lastKey = std::string::npos;
  for (std::size_t i = 0; i < fLines.size(); ++i) {
    if (owners[i] == std::string::npos || !SameText(fLines[owners[i]].Name, section)) continue;
    if (first == std::string::npos) first = i;
    if (fLines[i].Kind == TLine::Key) lastKey = i;
  }
  if (lastKey != std::string::npos) return Insert(lastKey + 1, std::move(added));
  if (first != std::string::npos) {
    // Behind the comments that open the section, before a blank line that ends it.
    std::size_t at = first + 1;
    while (at < fLines.size() && fLines[at].Kind == TLine::Other && !Trim(fLines[at].Bytes).empty())
      ++at;
    return Insert(at, std::move(added));
  }
  // A blank line between sections, as people write them.
  if (!fLines.empty() && fLines.back().Kind != TLine::Section &&
      owners.back() != std::string::npos && !Trim(fLines.back().Bytes).empty())
    Insert(fLines.size(), TLine{});
  Insert(fLines.size(),
         TLine{TLine::Section, std::string(section), "", "[" + std::string(section) + "]", ""});
  Insert(fLines.size(), std::move(added));
}

void TIniText::DeleteKey(std::string_view section, std::string_view key) {
  const std::vector<std::size_t> owners = Owners();
  std::vector<bool> erased(fLines.size());
  for (std::size_t i = 0; i < fLines.size(); ++i)
    erased[i] = fLines[i].Kind == TLine::Key && SameText(fLines[i].Name, key) &&
                SameText(fLines[owners[i]].Name, section);
  EraseLines(erased);
}

void TIniText::EraseSection(std::string_view section) {
  const std::vector<std::size_t> owners = Owners();
  std::vector<bool> erased(fLines.size());
  for (std::size_t i = 0; i < fLines.size(); ++i)
    erased[i] = owners[i] != std::string::npos && SameText(fLines[owners[i]].Name, section);
  EraseLines(erased);
}

void TIniText::EraseLines(const std::vector<bool>& erased) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < fLines.size(); ++i)
    if (!erased[i]) {
      if (kept != i) fLines[kept] = std::move(fLines[i]);
      ++kept;
    }
  fLines.resize(kept);
  Changed();
}

}  // namespace dravik
