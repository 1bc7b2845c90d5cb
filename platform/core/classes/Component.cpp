#include "platform/core/classes/Component.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <utility>

#include "platform/core/classes/ScopeExit.h"
#include "platform/core/classes/StructureGeneration.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {

// Links are found from the end: components are usually freed in the reverse order of creation.
bool DropLink(std::vector<TComponent*>& links, TComponent* component) {
  auto it = std::find(links.rbegin(), links.rend(), component);
  if (it == links.rend()) return false;
  links.erase(std::next(it).base());
  return true;
}

// Runs each step whatever the ones before did, keeping the first failure to pass on at the end:
// a component that goes must leave every list it is in, or the others keep reading it.
class TFirstFailure {
 public:
  template <class F>
  void Run(F&& step) {
    try {
      step();
    } catch (...) {
      if (!fFirst) fFirst = std::current_exception();
    }
  }
  void Rethrow() {
    if (fFirst) std::rethrow_exception(std::exchange(fFirst, nullptr));
  }

 private:
  std::exception_ptr fFirst;
};

}  // namespace

const TTypeInfo& TypeInfoFor(TComponentStateFlag) {
  static const TTypeInfo& info =
      MakeEnumType("TComponentStateFlag", {"csLoading", "csReading", "csWriting", "csDestroying",
                                           "csDesigning", "csAncestor", "csUpdating", "csFixups"});
  return info;
}

const TClassRecord& TComponent::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TComponent, TPersistent>("TComponent", "Classes")
          .Property("Name", &TComponent::Name, &TComponent::SetName)
          .NotStored()
          .Property("Tag", &TComponent::Tag, &TComponent::SetTag)
          .Default(0)
          .Build();
  return record;
}

TComponent::TComponent(TComponent* owner) : fCreateOwner(owner) {}

TComponent::~TComponent() {
  // A constructor that threw ends here while its exception is in flight; anything else that
  // ends here skipped BeforeDestruction, and the overrides that should have run are gone.
  if (!fFreeing && (fConstructed || std::uncaught_exceptions() == 0)) {
    std::fprintf(stderr, "Component '%s' was destroyed without Free()\n", fName.c_str());
    std::abort();
  }
  // What is left after a constructor that threw created owned components or links. Its own
  // exception is the one in flight; one raised here has nowhere to go.
  try {
    TComponent::BeforeDestruction();
  } catch (...) {
  }
}

void TComponent::AfterConstruction() {
  fConstructed = true;
  TComponent* owner = std::exchange(fCreateOwner, nullptr);
  if (owner) owner->InsertComponent(this);
}

void TComponent::BeforeDestruction() {
  Destroying();
  // The live list, the last first, each link taken out on both sides before the other is told:
  // one freed meanwhile has left the list, one linked meanwhile is told too. The other drops its
  // link when told, and finds it gone in its own short list without searching this long one,
  // so freeing a component with many links stays linear.
  TFirstFailure failure;
  while (!fFreeNotifies.empty()) {
    TComponent* other = fFreeNotifies.back();
    fFreeNotifies.pop_back();
    DropLink(other->fFreeNotifies, this);
    failure.Run([&] { other->Notification(this, opRemove); });
  }
  failure.Run([&] { DestroyComponents(); });
  if (fOwner) failure.Run([&] { fOwner->RemoveComponent(this); });
  failure.Rethrow();
}

void TComponent::Free() {
  if (fFreeing) return;
  fFreeing = true;
  TScopeExit deleteAfterwards([this] { delete this; });
  BeforeDestruction();
}

void TComponent::SetName(const std::string& name) {
  if (name == fName) return;
  StructureChanged();
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError(Format("'%s' is not a valid component name", {name}));
  if (fOwner) {
    fOwner->ValidateRename(this, fName, name);
  } else {
    ValidateRename(nullptr, fName, name);
  }
  if (fOwner) fOwner->Unindex(this);
  fName = name;
  if (fOwner) fOwner->Index(this);
}

void TComponent::Index(TComponent* component) {
  if (!component->fName.empty()) fByName.Add(component);
}

void TComponent::Unindex(TComponent* component) {
  if (!component->fName.empty()) fByName.Remove(component);
}

void TComponent::ValidateRename(TComponent* component, const std::string& oldName,
                                const std::string& newName) {
  if (!component || newName.empty() || SameText(oldName, newName)) return;
  TComponent* existing = FindComponent(newName);
  if (existing && existing != component)
    throw EComponentError(Format("A component named %s already exists", {newName}));
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  return fComponents[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!fOwner) return -1;
  auto& siblings = fOwner->fComponents;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TComponent::SetComponentIndex(int index) {
  if (!fOwner) return;
  auto& siblings = fOwner->fComponents;
  int count = static_cast<int>(siblings.size());
  index = std::clamp(index, 0, count - 1);
  int current = ComponentIndex();
  if (current == index) return;
  siblings.erase(siblings.begin() + current);
  siblings.insert(siblings.begin() + index, this);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  return fByName.Find(name);
}

void TComponent::InsertComponent(TComponent* component) {
  ValidateRename(component, "", component->fName);
  // A component has one owner: listed twice, it would be freed twice.
  if (component->fOwner) component->fOwner->RemoveComponent(component);
  Insert(component);
  if (fState.Contains(csDesigning)) component->SetDesigning(true);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (component->fOwner != this) return;  // not one of ours: its owner still lists it
  TFirstFailure failure;
  failure.Run([&] { Notification(component, opRemove); });
  Remove(component);
  failure.Rethrow();
}

void TComponent::Insert(TComponent* component) {
  StructureChanged();
  fComponents.push_back(component);
  component->fOwner = this;
  if (component->fObservesSiblings) fObservers.push_back(component);
  Index(component);
}

void TComponent::Remove(TComponent* component) {
  StructureChanged();
  Unindex(component);
  // The last is the usual one: owners free their components from the end.
  auto it = std::find(fComponents.rbegin(), fComponents.rend(), component);
  if (it != fComponents.rend()) fComponents.erase(std::next(it).base());
  if (component->fObservesSiblings)
    fObservers.erase(std::remove(fObservers.begin(), fObservers.end(), component),
                     fObservers.end());
  component->fOwner = nullptr;
}

void TComponent::DestroyComponents() {
  TFirstFailure failure;
  while (!fComponents.empty()) {
    TComponent* last = fComponents.back();
    Remove(last);
    failure.Run([&] { last->Free(); });
  }
  failure.Rethrow();
}

void TComponent::Destroying() {
  if (fState.Contains(csDestroying)) return;
  fState.Include(csDestroying);
  for (TComponent* c : fComponents) c->Destroying();
}

void TComponent::SetDesigning(bool value, bool setChildren) {
  if (value) {
    fState.Include(csDesigning);
  } else {
    fState.Exclude(csDesigning);
  }
  if (setChildren)
    for (TComponent* c : fComponents) c->SetDesigning(value, true);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  // Links are symmetric, so the shorter list tells whether the two are linked.
  bool shorter = fFreeNotifies.size() <= component->fFreeNotifies.size();
  const auto& links = shorter ? fFreeNotifies : component->fFreeNotifies;
  if (std::find(links.begin(), links.end(), shorter ? component : this) != links.end()) return;
  fFreeNotifies.push_back(component);
  component->fFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  // Links are symmetric: absent from the shorter list, the two are not linked.
  bool shorter = fFreeNotifies.size() <= component->fFreeNotifies.size();
  if (!DropLink(shorter ? fFreeNotifies : component->fFreeNotifies, shorter ? component : this))
    return;
  DropLink(shorter ? component->fFreeNotifies : fFreeNotifies, shorter ? this : component);
}

void TComponent::ObserveSiblings(bool value) {
  if (value == fObservesSiblings) return;
  fObservesSiblings = value;
  if (!fOwner) return;
  auto& observers = fOwner->fObservers;
  if (value) {
    observers.push_back(this);
  } else {
    observers.erase(std::remove(observers.begin(), observers.end(), this), observers.end());
  }
}

void TComponent::Loaded() {
  fState.Exclude(csLoading);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // Last to first, by index: an observer told may free others (or itself) meanwhile. One that
  // fails stops none of the others from hearing it.
  TFirstFailure failure;
  for (std::size_t i = fObservers.size(); i-- > 0;)
    if (i < fObservers.size())
      failure.Run([&] { fObservers[i]->Notification(component, operation); });
  failure.Rethrow();
}

void TComponent::GetChildren(const std::function<void(TComponent*)>&, TComponent*) {}

void TComponent::ReadState(TReader& reader) {
  reader.ReadData(this);
}

void TComponent::DefineProperties(TFiler& filer) {
  TPersistent::DefineProperties(filer);
  filer.DefineProperty(
      "Left", [this](TReader& reader) { fDesignLeft = reader.ReadInteger(); },
      [this](TWriter& writer) { writer.WriteInteger(fDesignLeft); }, fDesignLeft != 0);
  filer.DefineProperty(
      "Top", [this](TReader& reader) { fDesignTop = reader.ReadInteger(); },
      [this](TWriter& writer) { writer.WriteInteger(fDesignTop); }, fDesignTop != 0);
}

void TComponent::WriteState(TWriter& writer) {
  writer.WriteData(this);
}

}  // namespace dravik
