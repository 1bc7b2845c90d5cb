#pragma once
// Method pointers: an object and the address of one of its methods, comparable and storable.
// Code is the address of a thunk made once per member function, so two pointers to the same
// method of the same object compare equal and a class can publish its methods by name. Data is
// always the object's TObject*, whatever the layout of its class (a second base class may come
// first), so streams, senders and text forms read it back as TObject* and the thunk casts it to
// the method's class.

#include <type_traits>

#include "platform/core/system/FixedName.h"

namespace dravik {

class TObject;

struct TMethod {
  void* Code = nullptr;
  void* Data = nullptr;  // the object, as TObject*
  bool operator==(const TMethod&) const = default;
  bool Assigned() const { return Code != nullptr; }
};

// One tag per parameter list, so that a method named in a stream is only bound to an event
// whose handlers take the same parameters.
using TMethodSignature = const void*;
template <class... Args>
TMethodSignature SignatureOf() {
  static const char tag = 0;
  return &tag;
}

template <auto Member>
struct TMethodThunk;

template <class T, class... Args, void (T::*Member)(Args...)>
struct TMethodThunk<Member> {
  using TClass = T;
  static TMethodSignature Signature() { return SignatureOf<Args...>(); }
  static void Call(void* self, Args... args) {
    (static_cast<T*>(static_cast<TObject*>(self))->*Member)(args...);
  }
};

// The code address that stands for Member in every method pointer.
template <auto Member>
void* MethodCode() {
  return reinterpret_cast<void*>(&TMethodThunk<Member>::Call);
}

// The method pointer of Member bound to object.
template <auto Member>
TMethod MakeMethod(typename TMethodThunk<Member>::TClass* object) {
  return TMethod{MethodCode<Member>(), static_cast<void*>(static_cast<TObject*>(object))};
}

// A typed event property value; Name is the event type's name in the type information.
template <TFixedName Name, class... Args>
class TEvent {
 public:
  using TThunk = void (*)(void*, Args...);
  static constexpr const char* TypeName() { return Name.value; }
  static TMethodSignature Signature() { return SignatureOf<Args...>(); }

  TEvent() = default;
  explicit TEvent(TMethod method) : fMethod(method) {}
  template <auto Member>
  static TEvent Of(typename TMethodThunk<Member>::TClass* object) {
    static_assert(std::is_same_v<decltype(&TMethodThunk<Member>::Call), TThunk>,
                  "the method's parameters do not match the event type");
    return TEvent(MakeMethod<Member>(object));
  }

  const TMethod& Method() const { return fMethod; }
  bool Assigned() const { return fMethod.Assigned(); }
  void operator()(Args... args) const {
    if (fMethod.Code) reinterpret_cast<TThunk>(fMethod.Code)(fMethod.Data, args...);
  }
  bool operator==(const TEvent&) const = default;

 private:
  TMethod fMethod;
};

using TNotifyEvent = TEvent<"TNotifyEvent", TObject*>;

}  // namespace dravik
