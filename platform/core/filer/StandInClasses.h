#pragma once
// Classes described at run time for the classes a stream names that the program does not have.
// Objects of them, stand-ins, keep every stored value as it was read and offer it through their
// published properties, so that the entry tree binds to them and a stream read and written again
// keeps every byte. One record per class name, extended as a stream shows more properties; each
// property has the kind its stored value implies. A TReader given a TStandInClasses makes the
// stand-ins; the records live as long as the stand-ins made with them.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/core/filer/StreamFormat.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassRecord.h"

namespace dravik {

class TComponent;

// What a stand-in property holds.
enum class TStandInKind : uint8_t {
  Value,       // a number, string, identifier, set, boolean or variant
  Binary,      // a block of bytes
  List,        // a list of values
  Object,      // a nested object whose properties are stored by dotted names (Font.Name)
  Collection,  // a collection of items
  Strings,     // a string list (Items.Strings)
  Reference,   // a component of the form, by name
  Event,       // an event handler, by method name
};

struct TStandInProp {
  TPropInfo* Prop = nullptr;
  TStandInKind Kind = TStandInKind::Value;
  // Object: the nested object's class; Collection: the class of its items.
  TClassRecord* Record = nullptr;
  // The property's own enumeration or set type (its names grow as they are met), or null.
  TTypeInfo* Type = nullptr;
  const TStandInProp* Parent = nullptr;  // the Object property whose record holds this one
  bool Confirmed = false;                // its kind was named by an entry of language data
};

class TStandInClasses {
 public:
  TStandInClasses();
  ~TStandInClasses();
  TStandInClasses(const TStandInClasses&) = delete;
  TStandInClasses& operator=(const TStandInClasses&) = delete;

  // The record of a component class, made on first use: the top object of a stream descends
  // from a form-like class, the others from TComponent. Its factory makes a TStandIn that
  // shares owner with this context.
  TClassRecord& ComponentClass(const std::string& name, bool root,
                               const std::shared_ptr<TStandInClasses>& self);
  const TClassRecord* FindComponentClass(std::string_view name) const;

  // The stand-in property name of record for a value read with this marker (Value, Binary and
  // List kinds), or of the given kind (Object, Collection, Strings). Null when the record has
  // the name with a kind that cannot hold it: the value is then kept without typed access.
  TStandInProp* ValueProperty(TClassRecord& record, std::string_view name, TValueType marker);
  TStandInProp* Property(TClassRecord& record, std::string_view name, TStandInKind kind);
  // The stand-in information of a property, or null for a property of a compiled class.
  TStandInProp* Find(const TPropInfo* prop) const;

  // The property as an entry of language data names it: added with that type kind when
  // missing, retyped once when it was guessed from a stored value. Null when the record has it
  // with another kind already named by an entry, or the kind has no stand-in form.
  TStandInProp* DescribeProperty(TClassRecord& record, std::string_view name, TTypeKind kind);
  // Adds an identifier to an enumeration or set property's names, so a value from another
  // language is known when it is assigned.
  void LearnIdentifier(TStandInProp& prop, std::string_view ident);

  // Once the whole stream is read: identifier properties whose every value names a component
  // of root become component references.
  void ResolveIdentifiers(TComponent& root);

  // The value of ident in an enumeration type of these stand-ins, added to the type's names
  // when it is new: index 0 is the empty name, which stands for a value the stream did not store.
  int64_t EnumIndex(TTypeInfo& type, std::string_view ident);

 private:
  struct TNameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return TextHash(name); }
  };
  struct TNameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
  };

  TClassRecord& MakeRecord(const std::string& name, const TClassRecord* parent);
  TStandInProp* Add(TClassRecord& record, std::string_view name, TStandInKind kind,
                    const TTypeInfo& type);
  TTypeInfo& MakeEnumType(const std::string& name);
  TTypeInfo& MakeSetType(const std::string& name);
  void SetType(TStandInProp& prop, TTypeKind kind);

  std::vector<std::unique_ptr<TClassRecord>> fRecords;
  std::unordered_map<std::string, TClassRecord*, TNameHash, TNameEqual> fComponentClasses;
  std::deque<TStandInProp> fProps;
  std::unordered_map<const TPropInfo*, TStandInProp*> fByProp;
  std::unordered_map<const TClassRecord*, const TStandInProp*> fRecordOwner;  // nested records
  std::deque<TTypeInfo> fTypes;
  std::vector<TStandInProp*> fIdentProps;  // identifier properties not yet resolved
  // The values of the names of each enumeration type EnumIndex was asked about: a stream that
  // names many components as identifiers does not search them one by one.
  struct TEnumIndex {
    std::unordered_map<std::string, int64_t, TNameHash, TNameEqual> Names;
    std::size_t Indexed = 0;  // how many of the type's names are in Names
  };
  std::unordered_map<const TTypeInfo*, TEnumIndex> fEnumIndex;
};

}  // namespace dravik
