#pragma once
// TComponent: an object with an owner, a name unique among its owner's components, the ordered
// list of the components it owns (and frees), removal notifications and the component state.
//
// Lifecycle: Create<T>(owner, ...) constructs the whole object, then AfterConstruction inserts it
// into its owner. Free() runs BeforeDestruction while the whole object is still alive, then
// deletes it; owners, the reader and TComponentPtr all free through it. A component is never
// deleted, nor kept on the stack.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/core/classes/NameIndex.h"
#include "platform/core/classes/Object.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/Set.h"

namespace dravik {

class TReader;
class TWriter;

enum TComponentStateFlag {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
};
using TComponentState = TSet<TComponentStateFlag, "TComponentState">;
const TTypeInfo& TypeInfoFor(TComponentStateFlag);

enum TOperation { opInsert, opRemove };

class TComponent;
template <class T, class... Args>
T* Create(Args&&... args);

class TComponent : public TPersistent {
 public:
  // The owner (may be null) takes the component into its list once it is constructed (see
  // Create), and frees it with itself.
  explicit TComponent(TComponent* owner);

  // Runs BeforeDestruction, then deletes the component. A second call while the first runs
  // does nothing.
  void Free();

  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  // Gives T's record the factory the reader creates T with (TClassBuilder calls it).
  template <class T>
  static void DescribeFactory(TClassRecord& record);

  TComponent* Owner() const { return fOwner; }
  TPersistent* GetOwner() const override { return fOwner; }
  const std::string& Name() const { return fName; }
  // An empty name, or an identifier not used by another component of the same owner.
  virtual void SetName(const std::string& name);
  int32_t Tag() const { return fTag; }
  void SetTag(int32_t tag) { fTag = tag; }
  std::string GetNamePath() const override { return fName; }

  int ComponentCount() const { return static_cast<int>(fComponents.size()); }
  TComponent* Components(int index) const;
  int ComponentIndex() const;
  void SetComponentIndex(int index);
  TComponent* FindComponent(std::string_view name) const;  // ignores case; null when absent
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();

  TComponentState ComponentState() const { return fState; }
  bool IsLoading() const { return fState.Contains(csLoading); }
  bool IsDesigning() const { return fState.Contains(csDesigning); }
  bool IsDestroying() const { return fState.Contains(csDestroying); }
  void Destroying();
  void SetDesigning(bool value, bool setChildren = true);

  // Links this component and component both ways: each hears Notification(other, opRemove) when
  // the other is freed. Components that keep a reference to another one link to it.
  void FreeNotification(TComponent* component);
  // Removes the link both ways.
  void RemoveFreeNotification(TComponent* component);
  // Asks to hear, through Notification, of every component inserted into or removed from the
  // owner. Only those that ask are told, so that filling an owner stays linear.
  void ObserveSiblings(bool value = true);

  // Called on every component of a form once the whole form has been read.
  virtual void Loaded();
  // Hears of an insertion into or removal from this component (the owner hears of all of its
  // own), or of the removal of a linked component; passes it on to the owned components that
  // observe their siblings. The default also drops a link to a removed component.
  virtual void Notification(TComponent* component, TOperation operation);

  // The components written as children of this one when root is written.
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
  // The owner of the children read for this component; null means the root.
  virtual TComponent* GetChildOwner() { return nullptr; }
  // The parent the children read for this component get (controls sit in their parents).
  virtual TComponent* GetChildParent() { return this; }
  virtual void SetParentComponent(TComponent*) {}
  virtual TComponent* GetParentComponent() const { return nullptr; }
  bool HasParent() const { return GetParentComponent() != nullptr; }
  virtual void ReadState(TReader& reader);
  // The designer's position of a component without a window of its own ("Left", "Top"), kept
  // so that form files read and write back with it.
  void DefineProperties(TFiler& filer) override;
  int32_t DesignLeft() const { return fDesignLeft; }
  int32_t DesignTop() const { return fDesignTop; }
  void SetDesignPosition(int32_t left, int32_t top) {
    fDesignLeft = left;
    fDesignTop = top;
  }
  virtual void WriteState(TWriter& writer);

 protected:
  template <class T, class... Args>
  friend T* Create(Args&&... args);
  friend class TReader;
  friend class TWriter;

  // Only Free() deletes a component; deleting one directly is a fault that stops the program.
  ~TComponent() override;
  // Runs once the whole object is constructed: inserts it into its owner.
  virtual void AfterConstruction();
  // Runs while the whole object is still alive: csDestroying, free notifications, the owned
  // components freed (the last first), removal from the owner. Overrides do their own work
  // first (an event handler may still use the object), then call this. A step that fails (a
  // notification that throws) stops none of the others; the first failure is raised at the end.
  virtual void BeforeDestruction();
  void Include(TComponentStateFlag flag) { fState.Include(flag); }
  void Exclude(TComponentStateFlag flag) { fState.Exclude(flag); }
  // Checks a new name before it is taken: valid identifier, unique within the owner.
  virtual void ValidateRename(TComponent* component, const std::string& oldName,
                              const std::string& newName);

 private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void Index(TComponent* component);
  void Unindex(TComponent* component);

  TComponent* fCreateOwner = nullptr;  // until AfterConstruction inserts the component
  TComponent* fOwner = nullptr;
  std::string fName;
  TNameIndex fByName;  // the named owned components
  int32_t fTag = 0;
  std::vector<TComponent*> fComponents;    // owned; freed by DestroyComponents
  std::vector<TComponent*> fObservers;     // the owned components that observe their siblings
  std::vector<TComponent*> fFreeNotifies;  // links: each linked component lists this one too
  TComponentState fState;
  int32_t fDesignLeft = 0;
  int32_t fDesignTop = 0;
  bool fObservesSiblings = false;
  bool fConstructed = false;
  bool fFreeing = false;
};

// Creates a component: constructs T from args (its owner among them, usually the first), then
// inserts it into that owner. Create<TButton>(form) is a button that form owns and frees.
template <class T, class... Args>
T* Create(Args&&... args) {
  static_assert(std::is_base_of_v<TComponent, T>, "Create makes components");
  T* component = new T(std::forward<Args>(args)...);
  TComponent* base = component;
  try {
    base->AfterConstruction();
  } catch (...) {
    base->Free();
    throw;
  }
  return component;
}

template <class T>
void TComponent::DescribeFactory(TClassRecord& record) {
  if constexpr (!std::is_abstract_v<T> && std::is_constructible_v<T, TComponent*>)
    record.SetComponentFactory([](TComponent* owner) -> TComponent* { return Create<T>(owner); });
}

// Frees a component that has no owner to do it (or that goes before its owner).
struct TComponentDeleter {
  void operator()(TComponent* component) const { component->Free(); }
};
template <class T>
using TComponentPtr = std::unique_ptr<T, TComponentDeleter>;

// The component of owner named name, as a T: what a window needs of its own form file.
// EComponentError naming the owner's class and the name when the file lacks it.
template <class T>
T* FindOwned(const TComponent* owner, std::string_view name) {
  auto* found = dynamic_cast<T*>(owner->FindComponent(name));
  if (!found) throw EComponentError(Format("%s has no %s", {owner->ClassName(), name}));
  return found;
}

// Create for a component that the caller holds: MakeComponent<TForm>(nullptr).
template <class T, class... Args>
TComponentPtr<T> MakeComponent(Args&&... args) {
  return TComponentPtr<T>(Create<T>(std::forward<Args>(args)...));
}

}  // namespace dravik
