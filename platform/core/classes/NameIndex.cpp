#include "platform/core/classes/NameIndex.h"

#include <algorithm>

#include "platform/core/classes/Component.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

TComponent* TNameIndex::Find(std::string_view name) const {
  if (fCount == 0) return nullptr;
  uint32_t hash = TextHash(name);
  for (std::size_t i = Home(hash);; i = (i + 1) & (fSlots.size() - 1)) {
    const TSlot& slot = fSlots[i];
    if (!slot.Component) return nullptr;
    if (slot.Hash == hash && SameText(slot.Component->Name(), name)) return slot.Component;
  }
}

void TNameIndex::Add(TComponent* component) {
  if (2 * (fCount + 1) > fSlots.size()) {
    std::vector<TSlot> old(std::max<std::size_t>(8, 2 * fSlots.size()));
    old.swap(fSlots);
    for (const TSlot& slot : old)
      if (slot.Component) Place(slot);
  }
  Place({TextHash(component->Name()), component});
  ++fCount;
}

void TNameIndex::Place(TSlot slot) {
  std::size_t i = Home(slot.Hash);
  while (fSlots[i].Component) i = (i + 1) & (fSlots.size() - 1);
  fSlots[i] = slot;
}

void TNameIndex::Remove(TComponent* component) {
  if (fCount == 0) return;
  const std::size_t mask = fSlots.size() - 1;
  std::size_t hole = Home(TextHash(component->Name()));
  while (fSlots[hole].Component != component) {
    if (!fSlots[hole].Component) return;
    hole = (hole + 1) & mask;
  }
  // Moves back each later entry of the run that the hole would cut off from its home slot.
  for (std::size_t next = (hole + 1) & mask; fSlots[next].Component; next = (next + 1) & mask) {
    std::size_t home = Home(fSlots[next].Hash);
    bool reachable = hole <= next ? (home > hole && home <= next) : (home > hole || home <= next);
    if (reachable) continue;
    fSlots[hole] = fSlots[next];
    hole = next;
  }
  fSlots[hole] = TSlot{};
  --fCount;
}

}  // namespace dravik
