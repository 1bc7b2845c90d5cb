#pragma once
// A set of up to 32 enumeration values, as a published set property holds it.

#include <cstdint>
#include <initializer_list>

#include "platform/core/system/FixedName.h"

namespace dravik {

template <class E, TFixedName Name>
class TSet {
 public:
  using TElement = E;
  static constexpr const char* TypeName() { return Name.value; }

  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> elements) {
    for (E e : elements) Include(e);
  }
  static constexpr TSet FromBits(uint32_t bits) {
    TSet s;
    s.fBits = bits;
    return s;
  }

  constexpr uint32_t Bits() const { return fBits; }
  constexpr bool Contains(E e) const { return (fBits & Bit(e)) != 0; }
  constexpr bool Empty() const { return fBits == 0; }
  constexpr TSet& Include(E e) {
    fBits |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    fBits &= ~Bit(e);
    return *this;
  }
  constexpr TSet operator+(TSet o) const { return FromBits(fBits | o.fBits); }
  constexpr TSet operator-(TSet o) const { return FromBits(fBits & ~o.fBits); }
  constexpr TSet operator*(TSet o) const { return FromBits(fBits & o.fBits); }
  constexpr bool operator==(const TSet&) const = default;

 private:
  static constexpr uint32_t Bit(E e) { return uint32_t(1) << static_cast<unsigned>(e); }
  uint32_t fBits = 0;
};

}  // namespace dravik
