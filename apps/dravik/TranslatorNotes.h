#pragma once
// What a translator's file says beyond the translations, kept beside the form ("FORM.notes") so
// that the next export gives it back: the notes on each entry and the translations still marked
// for review, which the form does not take.

#include <map>
#include <string>
#include <vector>

#include "runtime/TranslationFormats.h"

namespace dravik {

struct TTranslatorNote {
  std::vector<std::string> Comments;
  bool Fuzzy = false;
  std::string FuzzyText;  // the translation under review
};

// language (as the form names it) → key → note.
using TTranslatorNotes = std::map<std::string, std::map<std::string, TTranslatorNote>>;

std::string NotesPath(const std::string& formPath);
// Empty when the file does not exist.
TTranslatorNotes ReadNotes(const std::string& path);
// Removes the file when there is nothing to keep (and it is a file of notes).
void WriteNotes(const std::string& path, const TTranslatorNotes& notes);

// The language's notes on the set's units: comments, and a translation under review in place of
// the form's.
void AttachNotes(const TTranslatorNotes& notes, const std::string& language, TTranslationSet& set);
// The language's notes replaced by what the set holds.
void KeepNotes(TTranslatorNotes& notes, const std::string& language, const TTranslationSet& set);

}  // namespace dravik
