#include "library/ComponentTools.h"

#include "platform/core/classes/Component.h"
#include "platform/core/forms/Application.h"
#include "platform/core/streams/MemoryStream.h"

namespace dravik {

void ForEachComponent(TComponent* root, const std::function<void(TComponent*)>& proc) {
  if (!root) return;
  for (int i = root->ComponentCount() - 1; i >= 0; --i)
    if (i < root->ComponentCount()) ForEachComponent(root->Components(i), proc);
  proc(root);
}

bool IsForm(const TComponent* component) {
  for (const TClassRecord* c = component ? &component->ClassType() : nullptr; c; c = c->Parent())
    if (c->Name() == "TCustomForm") return true;
  return false;
}

bool GetOwnerForm(const TComponent* component, TComponent*& form) {
  form = nullptr;
  for (TComponent* owner = component ? component->Owner() : nullptr; owner;
       owner = owner->Owner()) {
    if (IsForm(owner)) {
      form = owner;
      return true;
    }
  }
  return false;
}

std::string FirstDesignerName(const TComponent& component, const std::string& proposed) {
  std::string shortened = proposed;
  while (!shortened.empty() && shortened.back() >= '0' && shortened.back() <= '9')
    shortened.pop_back();
  if (shortened.empty()) return proposed;
  const TComponent* owner = component.Owner();
  const TComponent* holder = owner ? owner->FindComponent(shortened) : nullptr;
  return holder && holder != &component ? proposed : shortened;
}

void Error(const std::string& text) {
  throw Exception(text);
}

void CriticalError() {
  throw ECriticalError("Critical error");
}

void CaseError() {
  throw ECaseError("Case value not handled");
}

std::string LoadFromFile(const std::string& fileName) {
  TMemoryStream stream;
  stream.LoadFromFile(fileName);
  return std::string(static_cast<const char*>(stream.Memory()),
                     static_cast<std::size_t>(stream.Size()));
}

void SaveToFile(const std::string& fileName, const void* bytes, int64_t count) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes, count);
  stream.SaveToFile(fileName);
}

std::string GetExeName() {
  return Application ? Application->ExeName() : std::string();
}

}  // namespace dravik
