#pragma once
// TUpdateScope: BeginUpdate when made, EndUpdate when the scope is left, by an exception too, so
// that a failure never leaves a string list or a collection locked.

#include <exception>

namespace dravik {

template <class T>
class TUpdateScope {
 public:
  explicit TUpdateScope(T& target) : fTarget(target), fExceptions(std::uncaught_exceptions()) {
    fTarget.BeginUpdate();
  }
  // EndUpdate tells the observers of the change. While an exception unwinds, one that an
  // observer raises is dropped: the first failure is the one reported.
  ~TUpdateScope() noexcept(false) {
    if (std::uncaught_exceptions() == fExceptions) {
      fTarget.EndUpdate();
      return;
    }
    try {
      fTarget.EndUpdate();
    } catch (...) {
    }
  }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

 private:
  T& fTarget;
  int fExceptions;
};

}  // namespace dravik
