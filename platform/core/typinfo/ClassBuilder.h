#pragma once
// TClassBuilder: declares a class's published properties and methods next to the class, in
// plain C++ that reads like the property list of a form:
//
//   static const TClassRecord& record = TClassBuilder<TFont, TPersistent>("TFont", "Graphics")
//       .Property("Name", &TFont::GetName, &TFont::SetName)
//       .Property("Size", &TFont::GetSize, &TFont::SetSize).Default(8)
//       .Build();
//
// The value type of each property comes from its getter (or field), and its type information
// from TTypeInfoOf; TypeAs() names a type without a C++ type of its own (an alias or a subrange).

#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <type_traits>

#include "platform/core/system/Exceptions.h"
#include "platform/core/typinfo/ClassRecord.h"

namespace dravik {

namespace class_builder {

template <class V, class = void>
struct TValue;  // To/From the accessor category of V

template <class V>
struct TValue<V, std::enable_if_t<std::is_integral_v<V> || std::is_enum_v<V>>> {
  using Category = int64_t;
  static int64_t To(V v) { return static_cast<int64_t>(v); }
  static V From(int64_t v) {
    if constexpr (std::is_same_v<V, bool>) return v != 0;
    return static_cast<V>(v);
  }
};

template <class E, TFixedName Name>
struct TValue<TSet<E, Name>> {
  using Category = int64_t;
  static int64_t To(TSet<E, Name> v) { return v.Bits(); }
  static TSet<E, Name> From(int64_t v) { return TSet<E, Name>::FromBits(static_cast<uint32_t>(v)); }
};

template <class T>
struct TValue<T*, std::enable_if_t<std::is_base_of_v<TObject, T>>> {
  using Category = int64_t;
  static int64_t To(T* v) { return reinterpret_cast<intptr_t>(static_cast<TObject*>(v)); }
  static T* From(int64_t v) {
    return static_cast<T*>(reinterpret_cast<TObject*>(static_cast<intptr_t>(v)));
  }
};

template <class V>
struct TValue<V, std::enable_if_t<std::is_floating_point_v<V>>> {
  using Category = long double;
  static long double To(V v) { return v; }
  static V From(long double v) { return static_cast<V>(v); }
};

template <>
struct TValue<TCurrency> {
  using Category = long double;
  static long double To(TCurrency v) { return static_cast<long double>(v.Scaled) / 10000; }
  static TCurrency From(long double v) {
    TCurrency result;
    if (!FloatToCurrency(v, result)) throw EConvertError("Currency value out of range");
    return result;
  }
};

template <>
struct TValue<TDateTime> {
  using Category = long double;
  static long double To(TDateTime v) { return v.Value; }
  static TDateTime From(long double v) { return {static_cast<double>(v)}; }
};

// A Currency property also offers its exact scaled value through the ordinal accessor, so that
// streams copy it without a detour through floating point.
template <class V, class Read>
void BindScaledGetter(TPropInfo& prop, Read read) {
  if constexpr (std::is_same_v<V, TCurrency>)
    prop.Ordinal.Get = [read](TObject& o) -> int64_t { return read(o).Scaled; };
}
template <class V, class Write>
void BindScaledSetter(TPropInfo& prop, Write write) {
  if constexpr (std::is_same_v<V, TCurrency>)
    prop.Ordinal.Set = [write](TObject& o, int64_t v) { write(o, TCurrency{v}); };
}

template <>
struct TValue<std::string> {
  using Category = std::string;
  static std::string To(const std::string& v) { return v; }
  static const std::string& From(const std::string& v) { return v; }
};

template <TFixedName Name, class... Args>
struct TValue<TEvent<Name, Args...>> {
  using Category = TMethod;
  static TMethod To(const TEvent<Name, Args...>& v) { return v.Method(); }
  static TEvent<Name, Args...> From(TMethod v) { return TEvent<Name, Args...>(v); }
};

template <>
struct TValue<Variant> {
  using Category = Variant;
  static Variant To(const Variant& v) { return v; }
  static const Variant& From(const Variant& v) { return v; }
};

template <class C>
TAccessor<C>& AccessorOf(TPropInfo& prop) {
  if constexpr (std::is_same_v<C, int64_t>) return prop.Ordinal;
  if constexpr (std::is_same_v<C, long double>) return prop.Float;
  if constexpr (std::is_same_v<C, std::string>) return prop.String;
  if constexpr (std::is_same_v<C, TMethod>) return prop.Method;
  if constexpr (std::is_same_v<C, Variant>) return prop.VariantValue;
}

// Keeps every built record for the program's life, at a fixed address.
const TClassRecord& KeepRecord(std::unique_ptr<TClassRecord> record);

}  // namespace class_builder

template <class T, class Parent>
class TClassBuilder {
 public:
  TClassBuilder(std::string name, std::string unitName) {
    const TClassRecord* parent = nullptr;
    if constexpr (!std::is_void_v<Parent>) {
      static_assert(std::is_base_of_v<Parent, T>, "the parent must be a base class");
      parent = &Parent::StaticClass();
    }
    fRecord = std::make_unique<TClassRecord>(std::move(name), std::move(unitName), parent);
    TRecordInProgress<T>::Record = fRecord.get();
    // Classes that streams create (components, collection items) give their record a factory.
    if constexpr (requires(TClassRecord & record) { T::template DescribeFactory<T>(record); })
      T::template DescribeFactory<T>(*fRecord);
  }

  // A property read by getter and written by setter (member functions of T).
  template <class Getter, class Setter>
  TClassBuilder& Property(std::string name, Getter getter, Setter setter) {
    using V = std::decay_t<std::invoke_result_t<Getter, T&>>;
    TPropInfo& prop = Add<V>(std::move(name));
    BindGetter<V>(prop, getter);
    BindSetter<V>(prop, setter);
    return *this;
  }
  // A read-only property.
  template <class Getter>
  requires std::is_member_function_pointer_v<Getter> TClassBuilder& Property(std::string name,
                                                                             Getter getter) {
    using V = std::decay_t<std::invoke_result_t<Getter, T&>>;
    BindGetter<V>(Add<V>(std::move(name)), getter);
    return *this;
  }
  // A property that reads and writes a field directly.
  template <class V, class Owner>
  requires(!std::is_function_v<V>) TClassBuilder& Property(std::string name, V Owner::*field) {
    static_assert(std::is_base_of_v<Owner, T>, "the field must belong to the class");
    using Value = class_builder::TValue<V>;
    TPropInfo& prop = Add<V>(std::move(name));
    auto& accessor = class_builder::AccessorOf<typename Value::Category>(prop);
    accessor.Get = [field](TObject& o) { return Value::To(static_cast<T&>(o).*field); };
    accessor.Set = [field](TObject& o, const typename Value::Category& v) {
      static_cast<T&>(o).*field = Value::From(v);
    };
    if constexpr (std::is_same_v<V, std::string>) {
      prop.StringRef = [field](TObject& o) -> const std::string& {
        return static_cast<T&>(o).*field;
      };
      KeepMember(prop.Text.Getter, field);
      prop.Text.Ref = [](TObject& o, const TTextAccess& access) -> const std::string& {
        return static_cast<T&>(o).*Member<decltype(field)>(access.Getter);
      };
      KeepMember(prop.Text.Setter, field);
      prop.Text.Set = [](TObject& o, const std::string& v, const TTextAccess& access) {
        static_cast<T&>(o).*Member<decltype(field)>(access.Setter) = v;
      };
    }
    class_builder::BindScaledGetter<V>(prop,
                                       [field](TObject& o) { return static_cast<T&>(o).*field; });
    class_builder::BindScaledSetter<V>(prop,
                                       [field](TObject& o, V v) { static_cast<T&>(o).*field = v; });
    return *this;
  }
  // A property that can only be written.
  template <class Setter>
  TClassBuilder& WriteOnly(std::string name, Setter setter, const TTypeInfo& type) {
    TPropInfo& prop = fRecord->AddProperty(TPropInfo(std::move(name), type));
    fLast = &prop;
    BindSetter<SetterValue<Setter>>(prop, setter);
    return *this;
  }
  // An event: a field of a TEvent type.
  template <class V, class Owner>
  TClassBuilder& Event(std::string name, V Owner::*field) {
    return Property(std::move(name), field);
  }
  // A published method that form streams can name.
  template <auto Member>
  TClassBuilder& Method(std::string name) {
    fRecord->AddMethod(std::move(name), MethodCode<Member>(), TMethodThunk<Member>::Signature());
    return *this;
  }

  // Modifiers of the property declared last.
  TClassBuilder& Default(int32_t value) {
    fLast->Default = value;
    return *this;
  }
  TClassBuilder& NotStored() {
    fLast->Stored = false;
    return *this;
  }
  TClassBuilder& Stored(bool (T::*isStored)() const) {
    fLast->StoredFunction = [isStored](TObject& o) { return (static_cast<T&>(o).*isStored)(); };
    return *this;
  }
  TClassBuilder& Index(int32_t index) {
    fLast->Index = index;
    return *this;
  }
  TClassBuilder& TypeAs(const TTypeInfo& type) {
    fLast->PropType = &type;
    return *this;
  }

  TClassBuilder& NoTypeInfo() {
    fRecord->SetHasTypeInfo(false);
    return *this;
  }
  TClassBuilder& WithTypeInfo() {
    fRecord->SetHasTypeInfo(true);
    return *this;
  }

  const TClassRecord& Build() {
    TRecordInProgress<T>::Record = nullptr;
    fRecord->Seal();
    return class_builder::KeepRecord(std::move(fRecord));
  }

 private:
  template <class Setter>
  struct SetterTraits;
  template <class Arg, class Owner>
  struct SetterTraits<void (Owner::*)(Arg)> {
    using Value = std::decay_t<Arg>;
  };
  template <class Setter>
  using SetterValue = typename SetterTraits<Setter>::Value;

  template <class V>
  TPropInfo& Add(std::string name) {
    TPropInfo& prop = fRecord->AddProperty(TPropInfo(std::move(name), TypeInfo<V>()));
    fLast = &prop;
    return prop;
  }

  template <class V, class Getter>
  static void BindGetter(TPropInfo& prop, Getter getter) {
    using Value = class_builder::TValue<V>;
    class_builder::AccessorOf<typename Value::Category>(prop).Get = [getter](TObject& o) {
      return Value::To(std::invoke(getter, static_cast<T&>(o)));
    };
    class_builder::BindScaledGetter<V>(
        prop, [getter](TObject& o) { return V(std::invoke(getter, static_cast<T&>(o))); });
    if constexpr (std::is_same_v<V, std::string> &&
                  std::is_reference_v<std::invoke_result_t<Getter, T&>>) {
      prop.StringRef = [getter](TObject& o) -> const std::string& {
        return std::invoke(getter, static_cast<T&>(o));
      };
      if constexpr (std::is_member_pointer_v<Getter>) {
        KeepMember(prop.Text.Getter, getter);
        prop.Text.Ref = [](TObject& o, const TTextAccess& access) -> const std::string& {
          return std::invoke(Member<Getter>(access.Getter), static_cast<T&>(o));
        };
      }
    }
  }

  template <class V, class Setter>
  static void BindSetter(TPropInfo& prop, Setter setter) {
    using Value = class_builder::TValue<V>;
    class_builder::AccessorOf<typename Value::Category>(prop).Set =
        [setter](TObject& o, const typename Value::Category& v) {
          std::invoke(setter, static_cast<T&>(o), Value::From(v));
        };
    class_builder::BindScaledSetter<V>(
        prop, [setter](TObject& o, V v) { std::invoke(setter, static_cast<T&>(o), v); });
    if constexpr (std::is_same_v<V, std::string> && std::is_member_pointer_v<Setter>) {
      KeepMember(prop.Text.Setter, setter);
      prop.Text.Set = [](TObject& o, const std::string& v, const TTextAccess& access) {
        std::invoke(Member<Setter>(access.Setter), static_cast<T&>(o), v);
      };
    }
  }

  // A member pointer kept as bytes in a TTextAccess, and taken back by the type it had.
  template <class M>
  static void KeepMember(unsigned char (&bytes)[16], M member) {
    static_assert(sizeof(M) <= sizeof bytes && std::is_trivially_copyable_v<M>);
    std::memcpy(bytes, &member, sizeof member);
  }
  template <class M>
  static M Member(const unsigned char (&bytes)[16]) {
    M member;
    std::memcpy(&member, bytes, sizeof member);
    return member;
  }

  std::unique_ptr<TClassRecord> fRecord;
  TPropInfo* fLast = nullptr;
};

}  // namespace dravik
