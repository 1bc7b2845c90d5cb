#pragma once
// A string literal usable as a template argument, so a type can carry its original name.

#include <cstddef>

namespace dravik {

template <std::size_t N>
struct TFixedName {
  constexpr TFixedName(const char (&text)[N]) {
    for (std::size_t i = 0; i < N; ++i) value[i] = text[i];
  }
  char value[N];
};

}  // namespace dravik
