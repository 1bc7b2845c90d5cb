#include "platform/core/classes/Component.h"

#include <algorithm>

#include "platform/core/filer/Reader.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

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

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!fFreeNotifies.empty()) {
    TComponent* other = fFreeNotifies.back();
    fFreeNotifies.pop_back();
    auto& theirs = other->fFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (fOwner) fOwner->RemoveComponent(this);
}

void TComponent::SetName(const std::string& name) {
  if (name == fName) return;
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
  if (!component->fName.empty()) fByName.emplace(component->fName, component);
}

void TComponent::Unindex(TComponent* component) {
  if (component->fName.empty()) return;
  auto it = fByName.find(std::string_view(component->fName));
  if (it != fByName.end() && it->second == component) fByName.erase(it);
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
  auto it = fByName.find(name);
  return it == fByName.end() ? nullptr : it->second;
}

void TComponent::InsertComponent(TComponent* component) {
  ValidateRename(component, "", component->fName);
  Insert(component);
  if (fState.Contains(csDesigning)) component->SetDesigning(true);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  Notification(component, opRemove);
  Remove(component);
}

void TComponent::Insert(TComponent* component) {
  fComponents.push_back(component);
  component->fOwner = this;
  Index(component);
}

void TComponent::Remove(TComponent* component) {
  Unindex(component);
  // The last is the usual one: owners free their components from the end.
  auto it = std::find(fComponents.rbegin(), fComponents.rend(), component);
  if (it != fComponents.rend()) fComponents.erase(std::next(it).base());
  component->fOwner = nullptr;
}

void TComponent::DestroyComponents() {
  while (!fComponents.empty()) {
    TComponent* last = fComponents.back();
    Remove(last);
    delete last;
  }
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
  if (std::find(fFreeNotifies.begin(), fFreeNotifies.end(), component) == fFreeNotifies.end()) {
    fFreeNotifies.push_back(component);
    component->FreeNotification(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  fFreeNotifies.erase(std::remove(fFreeNotifies.begin(), fFreeNotifies.end(), component),
                      fFreeNotifies.end());
}

void TComponent::Loaded() {
  fState.Exclude(csLoading);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // Last to first, by index: a component told may free others (or itself) meanwhile.
  for (std::size_t i = fComponents.size(); i-- > 0;)
    if (i < fComponents.size()) fComponents[i]->Notification(component, operation);
}

void TComponent::GetChildren(const std::function<void(TComponent*)>&, TComponent*) {}

void TComponent::ReadState(TReader& reader) {
  reader.ReadData(this);
}

void TComponent::WriteState(TWriter& writer) {
  writer.WriteData(this);
}

}  // namespace dravik
