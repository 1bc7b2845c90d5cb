#pragma once
// TScopeExit: runs an action when the scope is left, by an exception too, so that a flag, a
// counter, a saved value or an open bracket is given back however the scope ends. SetForScope
// is the usual case: a variable holds a value for the scope, then its old one again.

#include <exception>
#include <utility>

namespace dravik {

template <class F>
class [[nodiscard]] TScopeExit {
 public:
  explicit TScopeExit(F action)
      : fAction(std::move(action)), fExceptions(std::uncaught_exceptions()) {}
  // A failure of the action travels on when the scope is left normally. While an exception
  // unwinds, one that the action raises is dropped: the first failure is the one reported.
  ~TScopeExit() noexcept(false) {
    if (std::uncaught_exceptions() == fExceptions) {
      fAction();
      return;
    }
    try {
      fAction();
    } catch (...) {
    }
  }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  F fAction;
  int fExceptions;
};

// Gives variable value until the scope is left, then the value it had.
template <class T, class U>
[[nodiscard]] auto SetForScope(T& variable, U&& value) {
  return TScopeExit([&variable, saved = std::exchange(variable, std::forward<U>(value))]() mutable {
    variable = std::move(saved);
  });
}

}  // namespace dravik
