#include "platform/core/classes/StructureGeneration.h"

namespace dravik {

namespace detail {
uint64_t gStructureGeneration = 1;  // 0 is "never bound" for those who remember it
}  // namespace detail

void StructureChanged() {
  ++detail::gStructureGeneration;
}

}  // namespace dravik
