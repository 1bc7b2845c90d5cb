#pragma once
// A number that changes whenever a component gains, loses or renames an owned component, or a
// collection gains, loses or moves an item. What binds to such members by name or position (the
// language data's entry tree) re-binds only when it changed since it last did. The lines of a
// string list are not counted: lists are made and dropped all the time, and an entry for a line
// that is gone reads and writes nothing.

#include <cstdint>

namespace dravik {

namespace detail {
// Read inline: a language switch asks once per property whether a setter changed the structure.
extern uint64_t gStructureGeneration;
}  // namespace detail

inline uint64_t StructureGeneration() {
  return detail::gStructureGeneration;
}
void StructureChanged();

}  // namespace dravik
