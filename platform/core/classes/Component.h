#pragma once
// TComponent: an object with an owner, a name unique among its owner's components, the ordered
// list of the components it owns (and frees), removal notifications and the component state.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/core/classes/Object.h"
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

class TComponent : public TPersistent {
 public:
  // The owner (may be null) takes the new component into its list and frees it with itself.
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

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

  // Asks for Notification(component, opRemove) when component is destroyed (and the reverse).
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Called on every component of a form once the whole form has been read.
  virtual void Loaded();
  // Tells this component and the components it owns of an insertion or removal.
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
  virtual void WriteState(TWriter& writer);

 protected:
  friend class TReader;
  friend class TWriter;
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

  struct TNameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return TextHash(name); }
  };
  struct TNameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
  };

  TComponent* fOwner = nullptr;
  std::string fName;
  // The named owned components by name, so that lookups and the uniqueness check of a form
  // with many components stay cheap.
  std::unordered_map<std::string, TComponent*, TNameHash, TNameEqual> fByName;
  int32_t fTag = 0;
  std::vector<TComponent*> fComponents;  // owned; freed by DestroyComponents
  std::vector<TComponent*> fFreeNotifies;
  TComponentState fState;
};

}  // namespace dravik
