#pragma once
// A translators' text file as the import reads it: its sections in file order ("[Name]"), each
// with its lines as written, blank lines and ";" comments left out. Unlike a settings file, a
// line that is no key=value pair is kept, so that the import reports it instead of losing it.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

struct TLanguageSection {
  std::string Name;
  std::vector<std::string_view> Lines;  // into the file's text, valid while the file lives
};

class TLanguageFile {
 public:
  // EFOpenError naming the file when it cannot be read. Text that is not UTF-8 reads as
  // Windows-1252; a section named twice is one section.
  explicit TLanguageFile(const std::string& fileName);
  TLanguageFile(const TLanguageFile&) = delete;
  TLanguageFile& operator=(const TLanguageFile&) = delete;
  const std::vector<TLanguageSection>& Sections() const { return fSections; }
  // The section of that name, ignoring case; null when there is none.
  const TLanguageSection* Find(const std::string& name) const;

 private:
  std::string fText;
  std::deque<std::string> fDecoded;  // lines that were not UTF-8, as UTF-8
  std::vector<TLanguageSection> fSections;
};

}  // namespace dravik
