#include "runtime/SwitchTexts.h"

#include "runtime/LangPropertyEntries.h"

namespace dravik {

void TSwitchTexts::TakenBackBySetter(std::size_t row, int32_t slot) {
  TInconsistentLangPropertyEntry* entry = fRows[row].Entry;
  if (entry && slot < entry->Count()) entry->SetLangValue(slot, Variant(std::move(Text(0, row))));
}

}  // namespace dravik
