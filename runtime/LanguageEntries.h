#pragma once
// The language list of one form: its languages in display order, each with the index of its
// value slot. The language whose slot is 0 is the active one: its values are the live ones.

#include <string>
#include <string_view>

#include "platform/core/classes/Collection.h"

namespace dravik {

class TLanguageEntry : public TCollectionItem {
 public:
  explicit TLanguageEntry(TCollection* collection) : TCollectionItem(collection) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void Assign(const TPersistent* source) override;

  bool IsActive() const { return SubIndex == 0; }
  // Leaves this entry the only marked one of its collection.
  void Mark();

  bool Marked = false;  // not stored
  std::string Name;
  std::string Hint;
  int32_t SubIndex = -1;  // -1 until a slot is assigned
};

class TLanguageEntries : public TCollection {
 public:
  explicit TLanguageEntries(TPersistent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TLanguageEntry* Items(int index) const {
    return static_cast<TLanguageEntry*>(TCollection::Items(index));
  }
  TLanguageEntry* Add() { return static_cast<TLanguageEntry*>(TCollection::Add()); }
  // The first entry named name (trimmed, ignoring case); -1 when none.
  int IndexOfName(std::string_view name) const;
  // The entry of the language a name or code denotes ("de" and "Deutsch" find "German"): the
  // entry of that very name first, then one of the same code, else the first the language table
  // makes equal; -1 when none.
  int IndexOfLanguage(const std::string& language) const;
  // The first entry with the given slot; -1 when none.
  int IndexOfSubIndex(int32_t subIndex) const;
};

}  // namespace dravik
