#pragma once
// The content of an INI file as its lines. A change touches only the lines it is about: every
// other line keeps its bytes (its encoding, its line end, a comment after a section header), and
// a byte-order mark stays in front. Names compare ignoring ASCII case. A section that appears
// twice is read as one; of two equal keys in a section the first is the one read and written.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dravik {

struct TIniDamage {
  int Line = 0;  // 1-based
  std::string Reason;
};

struct TIniValue {
  std::string Section;  // as the section's first header spells it
  std::string Key;
  std::string Value;
};

class TIniText {
 public:
  // Lines that cannot be read are left out; the first of them is reported in damage. LF, CR LF
  // and CR all end a line.
  static TIniText Parse(std::string_view bytes, std::optional<TIniDamage>& damage);
  std::string Text() const;

  // The section names, each once, in file order.
  std::vector<std::string> SectionNames() const;
  bool HasSection(std::string_view section) const;
  // The first value of key in section; null when there is none.
  const std::string* FindValue(std::string_view section, std::string_view key) const;
  // The key names of section, each once, in file order.
  std::vector<std::string> KeyNames(std::string_view section) const;
  // Every value that counts, in file order.
  std::vector<TIniValue> Values() const;

  // Changes the first value of key, or adds the key behind the section's last key (the section
  // at the end of the file).
  void Write(std::string_view section, std::string_view key, std::string_view value);
  // Removes every line of key in section.
  void DeleteKey(std::string_view section, std::string_view key);
  void EraseSection(std::string_view section);

 private:
  struct TLine {
    enum TKind { Other, Section, Key };  // Other: a comment or a blank line
    TKind Kind = Other;
    std::string Name;   // of the section or the key, read as UTF-8
    std::string Value;  // of a key, read as UTF-8
    std::string Bytes;  // as the file holds them, without the line end
    std::string End;    // empty on a last line without one
  };

  // The line that starts the section each line belongs to (npos before the first section).
  std::vector<std::size_t> Owners() const;
  std::size_t FindKey(std::string_view section, std::string_view key) const;
  void Insert(std::size_t at, TLine line);
  void EraseLines(const std::vector<bool>& erased);
  void Changed() { fIndexed = false; }

  std::string fMark;        // the byte-order mark the file began with
  std::string fEnd = "\n";  // for new lines: the file's first line end
  std::vector<TLine> fLines;
  // The first line of each key, by section and key folded to upper case; made when first asked.
  mutable std::unordered_map<std::string, std::size_t> fIndex;
  mutable bool fIndexed = false;
};

}  // namespace dravik
