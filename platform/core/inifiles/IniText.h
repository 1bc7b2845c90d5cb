#pragma once
// The content of an INI file as its lines: comments and blank lines stay where they are, sections
// and keys keep their file order. Names compare ignoring ASCII case. A section that appears twice
// is read as one (its later lines joined to the first); of two equal keys in a section the first
// is the one read and written.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

struct TIniDamage {
  int Line = 0;  // 1-based
  std::string Reason;
};

class TIniText {
 public:
  struct TLine {
    bool IsKey = false;
    std::string Key;
    std::string Text;  // the value of a key line; else the comment or blank line as read
  };
  struct TSection {
    std::string Name;
    std::vector<TLine> Lines;
  };

  // Lines that cannot be read are left out; the first of them is reported in damage.
  static TIniText Parse(std::string_view bytes, std::optional<TIniDamage>& damage);
  std::string Text() const;

  const std::vector<TSection>& Sections() const { return fSections; }
  const TSection* FindSection(std::string_view name) const;
  // The first value of key in section; null when there is none.
  const std::string* FindValue(std::string_view section, std::string_view key) const;
  // The key names of section, each once, in file order.
  std::vector<std::string> KeyNames(std::string_view section) const;

  // Changes the first value of key, or adds the key at the end of the section's keys (the
  // section at the end of the file).
  void Write(std::string_view section, std::string_view key, std::string_view value);
  // Removes every line of key in section.
  void DeleteKey(std::string_view section, std::string_view key);
  void EraseSection(std::string_view section);

 private:
  TSection* Find(std::string_view name);
  std::vector<std::string> fHead;  // comments and blank lines before the first section
  std::vector<TSection> fSections;
};

}  // namespace dravik
