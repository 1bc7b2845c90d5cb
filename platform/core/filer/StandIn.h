#pragma once
// Stand-ins: objects of the classes a stream names that the program does not have
// (StandInClasses.h). A stand-in keeps each stored property as it was read (the value's marker
// and bytes), in its order, and answers for it through the typed accessors of its class record;
// a value changed through them is encoded again, with the same marker where it fits. Nested
// objects (Font) are views on their owner's values, collections hold stand-in items, string
// lists keep each line's bytes. Written back unchanged, a stand-in gives the bytes it was read
// from.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/classes/Collection.h"
#include "platform/core/classes/Component.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/filer/StandInClasses.h"

namespace dravik {

class TReader;
class TStandInObject;

// One stored property of a stand-in.
struct TStandInValue {
  std::string Path;                     // as the stream names it
  TStandInProp* Info = nullptr;         // null: kept without typed access
  std::string Raw;                      // the value's marker and bytes (not for Object below)
  std::unique_ptr<TPersistent> Object;  // a collection or a string list
  bool Added = false;                   // set through a property, not read
};

// The stored properties of one stand-in, component or collection item.
class TStandInValues {
 public:
  TStandInValues(TStandInClasses& classes, TComponent* component)
      : fClasses(&classes), fComponent(component) {}
  ~TStandInValues();
  TStandInValues(const TStandInValues&) = delete;
  TStandInValues& operator=(const TStandInValues&) = delete;

  TStandInClasses& Classes() const { return *fClasses; }
  // The component the values belong to (an item's: its collection's).
  TComponent* Component() const { return fComponent; }
  const std::vector<TStandInValue>& Values() const { return fValues; }

  // Reads properties up to the end of the list (not consuming it) for an object of record.
  void ReadProperties(TReader& reader, TClassRecord& record, int depth);
  // Appends each property's name and value bytes, as the stream holds them.
  void AppendProperties(std::string& out) const;
  // The bytes of a value (Raw, or the collection or string list).
  static std::string ValueBytes(const TStandInValue& value);

  // Typed access through the stand-in's properties.
  int64_t GetOrdinal(const TStandInProp& prop);
  void SetOrdinal(const TStandInProp& prop, int64_t value);
  long double GetFloat(const TStandInProp& prop);
  void SetFloat(const TStandInProp& prop, long double value);
  std::string GetString(const TStandInProp& prop);
  void SetString(const TStandInProp& prop, const std::string& value);
  Variant GetVariant(const TStandInProp& prop);
  void SetVariant(const TStandInProp& prop, const Variant& value);
  // The nested object's view (made on first use), the collection or the string list; null for
  // a collection or string list the stream did not hold.
  TPersistent* GetObject(const TStandInProp& prop);

 private:
  TStandInValue* Find(const TStandInProp& prop);
  // Stores value bytes for prop. placeholder: the bytes stand for "not stored", so a value
  // added through a property goes again, and an absent one stays absent.
  void Store(const TStandInProp& prop, std::string raw, bool placeholder);
  void Remove(const TStandInProp& prop);
  void ReadCollection(TReader& reader, TStandInValue& value, TStandInProp* prop, int depth);

  TStandInClasses* fClasses;
  TComponent* fComponent;
  std::vector<TStandInValue> fValues;
  std::vector<std::unique_ptr<TStandInObject>> fViews;
};

// The objects that keep stand-in values; the accessors of stand-in properties reach the values
// through it.
class TStandInHolder {
 public:
  virtual TStandInValues& StandInValues() = 0;
  // The record of the object's class, which language data may extend.
  virtual TClassRecord& StandInClass() = 0;

 protected:
  ~TStandInHolder() = default;
};

// A component of a class the program does not have. Final: the language switch knows it by its
// exact type.
class TStandIn final : public TComponent, public TStandInHolder {
 public:
  TStandIn(TComponent* owner, TClassRecord& record, std::shared_ptr<TStandInClasses> classes);
  const TClassRecord& ClassType() const override { return fRecord; }
  TStandInValues& StandInValues() override { return fValues; }
  TClassRecord& StandInClass() override { return fRecord; }

  void ReadState(TReader& reader) override;
  void DefineProperties(TFiler& filer) override;
  // The children in the order they were read.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  // An inline frame owns its children, as the names inside it are its own.
  TComponent* GetChildOwner() override;
  TComponent* GetParentComponent() const override { return fParent; }
  // Takes a component read inside this one as its next child.
  void AddChild(TComponent* child);
  void Notification(TComponent* component, TOperation operation) override;

 protected:
  void BeforeDestruction() override;

 private:
  void RemoveChild(TComponent* child);

  TClassRecord& fRecord;
  std::shared_ptr<TStandInClasses> fClasses;
  TStandInValues fValues;
  TStandIn* fParent = nullptr;
  std::vector<TComponent*> fChildren;
};

// An item of a collection held by a stand-in.
class TStandInItem : public TCollectionItem, public TStandInHolder {
 public:
  explicit TStandInItem(TCollection* collection);
  const TClassRecord& ClassType() const override;
  TStandInValues& StandInValues() override { return fValues; }
  TClassRecord& StandInClass() override;

  std::string IndexBytes;  // the item's order index as stored, marker first; empty without

 private:
  TStandInValues fValues;
};

// A collection held by a stand-in.
class TStandInCollection : public TCollection {
 public:
  TStandInCollection(TClassRecord& itemClass, TStandInClasses& classes, TComponent* component);
  TStandInClasses& Classes() const { return *fClasses; }
  TComponent* Component() const { return fComponent; }
  TClassRecord& StandInItemClass() const { return *fItemClass; }
  std::string Bytes() const;  // vaCollection and the items, as a stream holds them

 private:
  TClassRecord* fItemClass;
  TStandInClasses* fClasses;
  TComponent* fComponent;
};

// A nested object of a stand-in (Font): a view on the owner's values stored under its path.
class TStandInObject : public TPersistent, public TStandInHolder {
 public:
  TStandInObject(TStandInValues& values, const TStandInProp& prop) : fValues(values), fProp(prop) {}
  const TClassRecord& ClassType() const override { return *fProp.Record; }
  TStandInValues& StandInValues() override { return fValues; }
  TClassRecord& StandInClass() override { return *fProp.Record; }
  const TStandInProp& Prop() const { return fProp; }

 private:
  TStandInValues& fValues;
  const TStandInProp& fProp;
};

// A string list held by a stand-in (Items.Strings). Lines that keep the text they were read
// with are written with their bytes as read.
class TStandInStrings : public TStringList {
 public:
  // From a list's bytes (vaList, string values, vaNull).
  explicit TStandInStrings(std::string_view listBytes);
  std::string Bytes() const;

 private:
  std::vector<std::string> fReadText;
  std::vector<std::string> fReadBytes;
};

// Whether bytes hold a list of string values only (vaList ... vaNull).
bool IsStringListValue(std::string_view bytes);

}  // namespace dravik
