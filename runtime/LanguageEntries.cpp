#include "runtime/LanguageEntries.h"

#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "runtime/DravikSystem.h"

namespace dravik {

const TClassRecord& TLanguageEntry::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TLanguageEntry, TCollectionItem>("TLanguageEntry", "Dravik")
          .Property("Name", &TLanguageEntry::Name)
          .Property("Hint", &TLanguageEntry::Hint)
          .Property("SubIndex", &TLanguageEntry::SubIndex)
          .Build();
  return record;
}

void TLanguageEntry::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TLanguageEntry*>(source)) {
    Marked = other->Marked;
    Name = other->Name;
    Hint = other->Hint;
    SubIndex = other->SubIndex;
    return;
  }
  TCollectionItem::Assign(source);
}

void TLanguageEntry::Mark() {
  if (TCollection* languages = Collection())
    for (int i = 0; i < languages->Count(); ++i)
      static_cast<TLanguageEntry*>(languages->Items(i))->Marked = false;
  Marked = true;
}

const TClassRecord& TLanguageEntries::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TLanguageEntries, TCollection>("TLanguageEntries", "Dravik").Build();
  return record;
}

TLanguageEntries::TLanguageEntries(TPersistent* owner)
    : TCollection(TLanguageEntry::StaticClass(), owner) {}

int TLanguageEntries::IndexOfName(std::string_view name) const {
  const std::string_view wanted = TrimView(name);
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->Name, wanted)) return i;
  return -1;
}

int TLanguageEntries::IndexOfLanguage(const std::string& language) const {
  if (const int index = IndexOfName(language); index >= 0) return index;
  const std::string code = LanguageCode(language);  // "en_us" finds "en-US" before "English"
  for (int i = 0; i < Count() && !code.empty(); ++i)
    if (LanguageCode(Items(i)->Name) == code) return i;
  for (int i = 0; i < Count(); ++i)
    if (CompareLanguages(Items(i)->Name, language)) return i;
  return -1;
}

int TLanguageEntries::IndexOfSubIndex(int32_t subIndex) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->SubIndex == subIndex) return i;
  return -1;
}

}  // namespace dravik
