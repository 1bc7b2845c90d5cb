#pragma once
// The component entry tree: which properties of which objects of a form matter. A top-level
// entry stands for a component; below it, entries stand for objects reachable from it (a
// persistent sub-object, an item of a collection property, a string list), and each entry holds
// property entries that name a published property of its object, or a line of a string list.
// Only names, kinds, sub-types, indexes and component references are streamed; RefreshProps
// binds a loaded tree to the live objects and ValidateAndPack drops what no longer exists.

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/core/classes/Collection.h"
#include "platform/core/classes/Component.h"
#include "platform/core/system/Variant.h"
#include "platform/core/typinfo/Set.h"

namespace dravik {

class TClassInfo;
class TMainEntries;
class TMainEntry;
class TPropertyEntries;
class TPropertyEntry;
class TStrings;

enum TMainEntrySubTypeFlag { stPubPropObject, stCollectionObject, stTStringsObject, stNoValidate };
const TTypeInfo& TypeInfoFor(TMainEntrySubTypeFlag);
using TMainEntrySubType = TSet<TMainEntrySubTypeFlag, "TMainEntrySubType">;

class TBaseEntry : public TCollectionItem {
 public:
  explicit TBaseEntry(TCollection* collection) : TCollectionItem(collection) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  std::string DisplayName() const override { return Name + ":" + TypeName; }
  virtual TPersistent* GetParentObject() const = 0;
  // The number n of a name that ends with "[n]"; false and -1 otherwise.
  bool GetItemIndex(int& index) const;
  // Copies the entry into destination along the same path of entries (built where missing);
  // MoveItem then frees this entry. Both answer the entry in the destination, or null.
  TBaseEntry* CopyItem(TMainEntries* destination, bool deep = false);
  TBaseEntry* MoveItem(TMainEntries* destination, bool deep = false);

  std::string Name;
  std::string TypeName;
};

class TBaseEntries : public TCollection {
 public:
  using TAssignEvent = std::function<void(TBaseEntries* sender, const TPersistent* source)>;
  TBaseEntries(const TClassRecord& itemClass, TPersistent* owner) : TCollection(itemClass, owner) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  // The collection's assignment, then OnAssign.
  void Assign(const TPersistent* source) override;
  virtual TMainEntry* GetParentObject() const = 0;
  TAssignEvent OnAssign;
};

class TMainEntry : public TBaseEntry {
 public:
  explicit TMainEntry(TCollection* collection);
  ~TMainEntry() override;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  // A new entry in collection with its object, names and sub-type.
  static TMainEntry* CreateEx(TMainEntries* collection, TObject* object, const std::string& name,
                              const std::string& typeName, TMainEntrySubType subType);

  void Assign(const TPersistent* source) override;    // deep: with property entries and children
  virtual void AssignThis(const TMainEntry& source);  // object, names and sub-type only
  bool Compare(const TMainEntry& other) const;
  TPersistent* GetParentObject() const override;
  TMainEntries* GetParent() const;

  using TPropertyEntryProc =
      std::function<void(TMainEntry* entry, TPropertyEntry* property, bool& stop)>;
  // Property entries last to first, then each child last to first, depth first; false once the
  // callback stopped the walk.
  bool ForEachPropertyEntry(const TPropertyEntryProc& callback);
  // One line per property entry here and below ("Font.Name"), the entry as the line's object.
  void MoveSubItemsToStrings(bool namesOnly, TStrings& list, const std::string& prefix = "");
  virtual void RefreshProps();

  TObject* Object() const { return fObject; }
  void SetObject(TObject* object) { fObject = object; }
  TMainEntries* Items() const { return fItems.get(); }
  TPropertyEntries* Props() const { return fProps.get(); }
  void SetItems(TMainEntries* items);
  void SetProps(TPropertyEntries* props);
  TMainEntrySubType SubType() const { return fSubType; }
  void SetSubType(TMainEntrySubType subType) { fSubType = subType; }

 private:
  void BindProperties();
  bool SearchReaches(int index, std::string_view propName) const;
  static void BindChild(TMainEntry& child, TObject* value);

  TObject* fObject = nullptr;  // not owned
  std::unique_ptr<TPropertyEntries> fProps;
  std::unique_ptr<TMainEntries> fItems;
  TMainEntrySubType fSubType;
};

class TInternalController;

class TComponentEntry : public TMainEntry {
 public:
  explicit TComponentEntry(TCollection* collection);
  ~TComponentEntry() override;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TComponent* Ref() const { return static_cast<TComponent*>(Object()); }
  // Asks the component to tell the tree when it is freed, then refers to it.
  void SetRef(TComponent* component);
  void Assign(const TPersistent* source) override;
  void AssignThis(const TMainEntry& source) override;
  void RefreshProps() override;

 private:
  TInternalController* fController;
};

class TPropertyEntry : public TBaseEntry {
 public:
  explicit TPropertyEntry(TCollection* collection) : TBaseEntry(collection) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  static TPropertyEntry* CreateEx(TMainEntry* entry, const std::string& name, TTypeKind kind,
                                  const std::string& typeName);
  static TPropertyEntry* CreateByRef(TMainEntry* entry, const TPropInfo* prop);

  void Assign(const TPersistent* source) override;
  bool Compare(const TPropertyEntry& other) const;
  TPersistent* GetParentObject() const override;
  TPropertyEntries* GetParent() const;
  TMainEntry* ParentEntry() const;
  // prefix + "Name: Type", or prefix + "Name[Index]: Type" for a line.
  virtual std::string GetDescriptor(const std::string& prefix) const;
  // A TClassInfo bound to the property of the parent entry's object; the caller owns it.
  bool GetClassInfo(std::unique_ptr<TClassInfo>& info) const;
  // The value, Null when the entry is not bound; writes to an unbound entry are ignored.
  Variant GetValue() const;
  void SetValue(const Variant& value);
  // Assigns value and answers the value it replaced: GetValue, then SetValue.
  Variant ExchangeValue(const Variant& value);
  std::string GetTypDef() const;
  bool GetIndexStored() const { return Index >= 0; }

  TTypeKind Kind = tkUnknown;
  int32_t Index = -1;  // the line, for an entry that stands for a line of a string list
  const TPropInfo* PropInfo = nullptr;  // not streamed

 private:
  TObject* BoundObject() const;  // the object whose property the entry stands for, or null
  TStrings* Lines() const;
  int LineNumber() const;
};

class TMainEntries : public TBaseEntries {
 public:
  TMainEntries(TPersistent* owner, const TClassRecord* propEntryClass);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TMainEntry* Items(int index) const { return static_cast<TMainEntry*>(TCollection::Items(index)); }
  const TClassRecord* PropEntryClass() const { return fPropEntryClass; }
  bool AssignMode() const { return fAssignMode; }
  void SetAssignMode(bool mode) { fAssignMode = mode; }
  void Assign(const TPersistent* source) override;
  TMainEntry* GetParentObject() const override;
  TMainEntry* GetParent() const { return GetParentObject(); }

  TMainEntry* FindItem(const TMainEntry& entry) const;
  int IndexOfName(std::string_view name) const;
  bool ForEachPropertyEntry(const TMainEntry::TPropertyEntryProc& callback);
  void MoveSubItemsToStrings(bool namesOnly, TStrings& list, const std::string& prefix = "");
  void RefreshProps();
  void ValidateAndPack();
  void Init();  // RefreshProps, then ValidateAndPack: after loading, before use
  void RemoveEqualPropertyEntries(const TMainEntries& other);

 protected:
  TMainEntries(const TClassRecord& itemClass, TPersistent* owner,
               const TClassRecord* propEntryClass);

 private:
  const TClassRecord* fPropEntryClass;
  bool fAssignMode = true;
};

// Removes the entries of a top-level component the moment the component is freed: every one,
// since a stored tree may name a component more than once.
class TInternalController : public TComponent {
 public:
  explicit TInternalController(TMainEntries* entries) : TComponent(nullptr), fEntries(entries) {}
  // An entry's reference moves from one component to another (either may be null).
  void Refer(TComponent* from, TComponent* to);
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TMainEntries* fEntries;
  // How many entries refer to each component: a freed component's entries are searched from
  // the end only until all are found, so freeing a form's components one by one stays linear.
  std::unordered_map<TComponent*, int> fReferences;
};

class TComponentEntries : public TMainEntries {
 public:
  TComponentEntries(TPersistent* owner, const TClassRecord* propEntryClass);
  ~TComponentEntries() override;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TComponentEntry* Items(int index) const {
    return static_cast<TComponentEntry*>(TCollection::Items(index));
  }
  TInternalController* Controller() const { return fController.get(); }

 private:
  TComponentPtr<TInternalController> fController;
};

class TPropertyEntries : public TBaseEntries {
 public:
  TPropertyEntries(TMainEntry* owner, const TClassRecord* itemClass);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TPropertyEntry* Items(int index) const {
    return static_cast<TPropertyEntry*>(TCollection::Items(index));
  }
  TMainEntry* GetParentObject() const override { return fOwner; }
  TMainEntry* GetParent() const { return fOwner; }
  TPropertyEntry* FindItem(const TPropertyEntry& entry) const;
  int IndexOfProp(std::string_view name) const;
  void ValidatePublishedProperties();  // frees every entry without property information
  void ValidateTStrings();             // frees every entry that does not stand for a line

 private:
  TMainEntry* fOwner;
};

}  // namespace dravik
