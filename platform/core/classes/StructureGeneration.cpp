#include "platform/core/classes/StructureGeneration.h"

namespace dravik {

namespace {
uint64_t gGeneration = 1;  // 0 is "never bound" for those who remember it
}  // namespace

uint64_t StructureGeneration() {
  return gGeneration;
}

void StructureChanged() {
  ++gGeneration;
}

}  // namespace dravik
