#pragma once
// The named components of an owner by name, ignoring ASCII case: open addressing over the hash
// of the folded name, so that the uniqueness check and the lookups of a form with many
// components stay cheap, touch little memory and allocate nothing per component.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace dravik {

class TComponent;

class TNameIndex {
 public:
  TComponent* Find(std::string_view name) const;  // null when absent
  // The component's name is not empty and no other listed component has it.
  void Add(TComponent* component);
  void Remove(TComponent* component);  // by its current name; nothing happens when absent

 private:
  struct TSlot {
    uint32_t Hash = 0;
    TComponent* Component = nullptr;
  };
  std::size_t Home(uint32_t hash) const { return hash & (fSlots.size() - 1); }
  void Place(TSlot slot);

  std::vector<TSlot> fSlots;  // a power of two, at most half full
  std::size_t fCount = 0;
};

}  // namespace dravik
