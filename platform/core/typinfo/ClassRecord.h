#pragma once
// The run-time description of a class: name, parent, unit, published properties in a stable
// order (inherited ones first), published methods and the factory the reader creates it with.
// Records are built by TClassBuilder for compiled classes, or at run time for classes that a
// form file describes and the program does not know.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/typinfo/TypInfo.h"

namespace dravik {

class TComponent;
class TCollection;
class TCollectionItem;

class TClassRecord {
 public:
  struct TMethodEntry {
    std::string Name;
    void* Code;
    TMethodSignature Signature;
  };
  // Makes the component through Create<T>, so that it is whole before its owner hears of it.
  using TComponentFactory = std::function<TComponent*(TComponent* owner)>;
  using TItemFactory = std::function<TCollectionItem*(TCollection* collection)>;

  TClassRecord(std::string name, std::string unitName, const TClassRecord* parent);
  TClassRecord(const TClassRecord&) = delete;
  TClassRecord& operator=(const TClassRecord&) = delete;

  const std::string& Name() const { return fName; }
  const std::string& UnitName() const { return fUnitName; }
  const TClassRecord* Parent() const { return fParent; }
  // The class's own type information, or null for a class without published information.
  const TTypeInfo* ClassInfo() const { return fHasTypeInfo ? &fTypeInfo : nullptr; }
  const TTypeInfo& TypeInfo() const { return fTypeInfo; }
  bool InheritsFrom(const TClassRecord& other) const;

  // All published properties, ancestors' first, each at its NameIndex.
  int PropCount() const { return static_cast<int>(fProps.size()); }
  const TPropInfo& Prop(int index) const { return *fProps[static_cast<std::size_t>(index)]; }
  const std::vector<const TPropInfo*>& Props() const { return fProps; }
  // Finds a property by name ignoring case, in constant time and without allocating; null when
  // absent.
  const TPropInfo* FindProp(std::string_view name) const;

  // The published method of that name, ancestors searched too; null when absent.
  const TMethodEntry* FindMethod(std::string_view name) const;
  // The methods this class publishes itself, without its ancestors'.
  const std::vector<TMethodEntry>& Methods() const { return fMethods; }
  // The published method with that code, ancestors searched too; null when absent.
  const TMethodEntry* FindMethodByCode(const void* code) const;
  void* MethodAddress(std::string_view name) const;  // its code, or null
  std::string MethodName(void* code) const;          // empty when absent

  const TComponentFactory& ComponentFactory() const { return fComponentFactory; }
  const TItemFactory& ItemFactory() const { return fItemFactory; }

  // Building: used by TClassBuilder and by readers of described classes.
  void SetHasTypeInfo(bool value) { fHasTypeInfo = value; }
  TPropInfo& AddProperty(TPropInfo prop);  // replaces an inherited property of the same name
  void AddMethod(std::string name, void* code, TMethodSignature signature);
  void SetComponentFactory(TComponentFactory factory) { fComponentFactory = std::move(factory); }
  void SetItemFactory(TItemFactory factory) { fItemFactory = std::move(factory); }
  void Seal();  // builds the name index; call once all properties are added

 private:
  std::string fName;
  std::string fUnitName;
  const TClassRecord* fParent;
  bool fHasTypeInfo = true;
  TTypeInfo fTypeInfo;
  std::vector<std::unique_ptr<TPropInfo>> fOwnProps;
  std::vector<const TPropInfo*> fProps;
  struct TSlot {
    uint32_t Hash = 0;
    const TPropInfo* Prop = nullptr;
  };
  std::vector<TSlot> fByName;  // open addressing over the case-folded name hash
  std::vector<TMethodEntry> fMethods;
  TComponentFactory fComponentFactory;
  TItemFactory fItemFactory;
};

// The process-wide list of classes the reader can create by name.
void RegisterClass(const TClassRecord& record);
void UnregisterClass(const TClassRecord& record);
const TClassRecord* GetClass(std::string_view name);   // null when not registered
const TClassRecord& FindClass(std::string_view name);  // EClassNotFound when not registered
std::vector<const TClassRecord*> RegisteredClasses();  // in registration order

// The record of T while its builder runs, so that T may publish references to itself.
template <class T>
struct TRecordInProgress {
  static inline const TClassRecord* Record = nullptr;
};

}  // namespace dravik
