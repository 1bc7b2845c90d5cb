#include "apps/dravik/TranslatorNotes.h"

#include <filesystem>

#include "platform/core/streams/AtomicFile.h"
#include "runtime/DravikSystem.h"
#include "runtime/LanguageFile.h"

namespace dravik {

namespace {

// One line per comment line ("note KEY=text") and per translation under review ("fuzzy
// KEY=text"), in a section per language. Keys hold no "=", which translators' files refuse.
constexpr std::string_view kNote = "note ", kFuzzy = "fuzzy ";

void AddLines(std::vector<std::string>& lines, const std::string& text) {
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    std::string line = text.substr(at, end - at);
    std::erase(line, '\r');
    lines.push_back(std::move(line));
    at = end + 1;
  }
}

// Whether the file exists and holds nothing but sections of notes.
bool IsNotesFile(const std::string& path) {
  if (!std::filesystem::exists(path)) return false;
  const TLanguageFile file(path);
  for (const TLanguageSection& section : file.Sections())
    for (std::string_view line : section.Lines)
      if (line.substr(0, kNote.size()) != kNote && line.substr(0, kFuzzy.size()) != kFuzzy)
        return false;
  return !file.Sections().empty();
}

}  // namespace

std::string NotesPath(const std::string& formPath) {
  return formPath + ".notes";
}

TTranslatorNotes ReadNotes(const std::string& path) {
  TTranslatorNotes notes;
  if (!std::filesystem::exists(path)) return notes;
  const TLanguageFile file(path);
  for (const TLanguageSection& section : file.Sections())
    for (std::string_view line : section.Lines) {
      const bool note = line.substr(0, kNote.size()) == kNote;
      const bool fuzzy = line.substr(0, kFuzzy.size()) == kFuzzy;
      const std::size_t eq = line.find('=');
      if ((!note && !fuzzy) || eq == std::string_view::npos) continue;
      const std::size_t start = note ? kNote.size() : kFuzzy.size();
      TTranslatorNote& entry = notes[section.Name][std::string(line.substr(start, eq - start))];
      if (note) {
        entry.Comments.emplace_back(line.substr(eq + 1));
      } else {
        entry.Fuzzy = true;
        entry.FuzzyText = line.substr(eq + 1);
      }
    }
  return notes;
}

void WriteNotes(const std::string& path, const TTranslatorNotes& notes) {
  std::string text;
  for (const auto& [language, keys] : notes) {
    if (keys.empty()) continue;
    text += "[" + language + "]\r\n";
    for (const auto& [key, note] : keys) {
      for (const std::string& comment : note.Comments)
        text += std::string(kNote) + key + "=" + comment + "\r\n";
      if (note.Fuzzy) text += std::string(kFuzzy) + key + "=" + note.FuzzyText + "\r\n";
    }
  }
  if (text.empty()) {
    // Only a file of notes goes; one of another kind under that name stays.
    if (!IsNotesFile(path)) return;
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return;
  }
  SaveFileAtomically(path, text);
}

void AttachNotes(const TTranslatorNotes& notes, const std::string& language, TTranslationSet& set) {
  for (const auto& [name, keys] : notes) {
    if (!CompareLanguages(name, language)) continue;
    for (TTranslationUnit& unit : set.Units) {
      const auto note = keys.find(unit.Key);
      if (note == keys.end()) continue;
      unit.Comments = note->second.Comments;
      if (note->second.Fuzzy) {
        unit.Fuzzy = true;
        if (!note->second.FuzzyText.empty()) unit.Target = note->second.FuzzyText;
      }
    }
  }
}

void KeepNotes(TTranslatorNotes& notes, const std::string& language, const TTranslationSet& set) {
  for (auto it = notes.begin(); it != notes.end();)
    it = CompareLanguages(it->first, language) ? notes.erase(it) : std::next(it);
  std::map<std::string, TTranslatorNote>& keys = notes[language];
  for (const TTranslationUnit& unit : set.Units) {
    if (unit.Key.empty() || unit.Key.find('=') != std::string::npos) continue;
    TTranslatorNote note;
    for (const std::string& comment : unit.Comments) AddLines(note.Comments, comment);
    // A translation under review with a line break cannot be kept in a line; its mark can.
    note.Fuzzy = unit.Fuzzy && !unit.Target.empty();
    if (note.Fuzzy && unit.Target.find_first_of("\r\n") == std::string::npos)
      note.FuzzyText = unit.Target;
    if (!note.Comments.empty() || note.Fuzzy) keys[unit.Key] = std::move(note);
  }
}

}  // namespace dravik
