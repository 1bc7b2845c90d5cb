#pragma once
// TUpdateScope: BeginUpdate when made, EndUpdate when the scope is left, by an exception too, so
// that a failure never leaves a string list or a collection locked.

#include "platform/core/classes/ScopeExit.h"

namespace dravik {

template <class T>
struct TEndUpdate {
  T* Target;
  void operator()() const { Target->EndUpdate(); }
};

// EndUpdate tells the observers of the change; one that fails while an exception unwinds is
// dropped, as TScopeExit has it, so the first failure is the one reported.
template <class T>
class TUpdateScope : TScopeExit<TEndUpdate<T>> {
 public:
  explicit TUpdateScope(T& target)
      : TScopeExit<TEndUpdate<T>>((target.BeginUpdate(), TEndUpdate<T>{&target})) {}
};

}  // namespace dravik
