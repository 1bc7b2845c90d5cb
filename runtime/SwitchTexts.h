#pragma once
// The stored texts of a form's text entries, lent to its language switch. Column s holds slot s
// of every lent entry, row after row, so that a switch reads them in order instead of entry by
// entry. Column 0 holds the text the switch last gave each live property: an edit made to the
// property since is found by comparing with it, where otherwise every live text would be copied
// on every switch. An entry takes its row back (a copy: a setter under way may hold one of the
// texts) before it touches its slots, and the row is not lent again before the next switch.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/typinfo/TypInfo.h"

namespace dravik {

class TInconsistentLangPropertyEntry;

class TSwitchTexts {
 public:
  TSwitchTexts(int32_t slotCount, std::size_t rows)
      : fSlots(slotCount),
        fRowCount(rows),
        fTexts(static_cast<std::size_t>(slotCount) * rows),
        fRows(rows) {}
  TSwitchTexts(const TSwitchTexts&) = delete;
  TSwitchTexts& operator=(const TSwitchTexts&) = delete;

  int32_t Slots() const { return fSlots; }
  std::string& Text(int32_t slot, std::size_t row) {
    return fTexts[static_cast<std::size_t>(slot) * fRowCount + row];
  }
  bool IsLent(std::size_t row) const { return fRows[row].Access != nullptr; }
  // The entry whose texts row holds or held; null once it is gone.
  TInconsistentLangPropertyEntry* Entry(std::size_t row) const { return fRows[row].Entry; }
  // The row's texts are in place: the switch gives them to object's property through access.
  void Lend(std::size_t row, TInconsistentLangPropertyEntry& entry, TObject& object,
            const TTextAccess& access) {
    fRows[row] = {&object, &access, &entry};
  }
  // The entry took the row's texts back; the row stays its own.
  void Return(std::size_t row) {
    fRows[row].Access = nullptr;
    ++fReturned;
  }
  // The entry went, or was lent elsewhere.
  void Forget(std::size_t row) { fRows[row] = {}; }
  // Rows returned since the last ForgetReturned: a switch lends those again.
  std::size_t Returned() const { return fReturned; }
  void ForgetReturned() { fReturned = 0; }

  // Makes slot's text the live one of a lent row and keeps the live text as slot's. When the
  // setter refuses the text, nothing has moved and the exception passes on.
  void Exchange(std::size_t row, int32_t slot) {
    const TRow& lent = fRows[row];
    std::string& shown = Text(0, row);
    const std::string& live = lent.Access->Ref(*lent.Object, *lent.Access);
    if (live != shown) shown = live;  // edited since the last switch
    std::string& incoming = Text(slot, row);
    lent.Access->Set(*lent.Object, incoming, *lent.Access);
    if (lent.Access)
      shown.swap(incoming);
    else
      TakenBackBySetter(row, slot);
  }
  // Exchanges the lent rows from row on, up to the first row not lent, end or until bound()
  // turns false; row is left at the first row not exchanged. An exception leaves row at the
  // row whose setter raised it, with nothing of that row moved.
  template <class Bound>
  void ExchangeRun(std::size_t& row, std::size_t end, int32_t slot, Bound&& bound) {
    if (end > fRowCount) end = fRowCount;
    for (; row < end && fRows[row].Access && bound(); ++row) Exchange(row, slot);
  }

 private:
  // The setter read or wrote its own entry's slots, which took the row back with the incoming
  // text in slot: the slot takes the text the property showed before.
  void TakenBackBySetter(std::size_t row, int32_t slot);

  struct TRow {
    TObject* Object = nullptr;
    const TTextAccess* Access = nullptr;  // null while the row is not lent
    TInconsistentLangPropertyEntry* Entry = nullptr;
  };
  const int32_t fSlots;
  const std::size_t fRowCount;
  std::vector<std::string> fTexts;  // slot after slot, each a column of rows
  std::vector<TRow> fRows;
  std::size_t fReturned = 0;
};

}  // namespace dravik
