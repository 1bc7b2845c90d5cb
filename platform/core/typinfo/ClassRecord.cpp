#include "platform/core/typinfo/ClassRecord.h"

#include <algorithm>

#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

TClassRecord::TClassRecord(std::string name, std::string unitName, const TClassRecord* parent)
    : fName(std::move(name)), fUnitName(std::move(unitName)), fParent(parent) {
  fTypeInfo.Kind = tkClass;
  fTypeInfo.Name = fName;
  fTypeInfo.ClassType = this;
  if (parent) {
    fHasTypeInfo = parent->fHasTypeInfo;
    fProps = parent->fProps;
  }
}

bool TClassRecord::InheritsFrom(const TClassRecord& other) const {
  for (const TClassRecord* c = this; c; c = c->fParent)
    if (c == &other) return true;
  return false;
}

const TPropInfo* TClassRecord::FindProp(std::string_view name) const {
  if (fByName.empty()) return nullptr;
  uint32_t hash = TextHash(name);
  std::size_t mask = fByName.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const TSlot& slot = fByName[i];
    if (!slot.Prop) return nullptr;
    if (slot.Hash == hash && SameText(slot.Prop->Name, name)) return slot.Prop;
  }
}

const TClassRecord::TMethodEntry* TClassRecord::FindMethod(std::string_view name) const {
  for (const TClassRecord* c = this; c; c = c->fParent)
    for (const TMethodEntry& m : c->fMethods)
      if (SameText(m.Name, name)) return &m;
  return nullptr;
}

void* TClassRecord::MethodAddress(std::string_view name) const {
  const TMethodEntry* method = FindMethod(name);
  return method ? method->Code : nullptr;
}

const TClassRecord::TMethodEntry* TClassRecord::FindMethodByCode(const void* code) const {
  for (const TClassRecord* c = this; c; c = c->fParent)
    for (const TMethodEntry& m : c->fMethods)
      if (m.Code == code) return &m;
  return nullptr;
}

std::string TClassRecord::MethodName(void* code) const {
  const TMethodEntry* method = FindMethodByCode(code);
  return method ? method->Name : "";
}

TPropInfo& TClassRecord::AddProperty(TPropInfo prop) {
  auto& owned = fOwnProps.emplace_back(std::make_unique<TPropInfo>(std::move(prop)));
  for (std::size_t i = 0; i < fProps.size(); ++i)
    if (SameText(fProps[i]->Name, owned->Name)) {
      owned->NameIndex = static_cast<int32_t>(i);
      fProps[i] = owned.get();
      return *owned;
    }
  owned->NameIndex = static_cast<int32_t>(fProps.size());
  fProps.push_back(owned.get());
  return *owned;
}

void TClassRecord::AddMethod(std::string name, void* code, TMethodSignature signature) {
  fMethods.push_back({std::move(name), code, signature});
}

void TClassRecord::Seal() {
  std::size_t size = 4;
  while (size < 2 * fProps.size()) size *= 2;  // at most half full: probes stay short
  fByName.assign(size, TSlot{});
  for (const TPropInfo* prop : fProps) {
    uint32_t hash = TextHash(prop->Name);
    std::size_t i = hash & (size - 1);
    while (fByName[i].Prop) i = (i + 1) & (size - 1);
    fByName[i] = {hash, prop};
  }
}

namespace {

std::vector<const TClassRecord*>& Registry() {
  static std::vector<const TClassRecord*> classes;
  return classes;
}

}  // namespace

void RegisterClass(const TClassRecord& record) {
  const TClassRecord* known = GetClass(record.Name());
  if (known == &record) return;
  if (known) throw EFilerError(Format("A class named %s already exists", {record.Name()}));
  Registry().push_back(&record);
}

void UnregisterClass(const TClassRecord& record) {
  auto& classes = Registry();
  classes.erase(std::remove(classes.begin(), classes.end(), &record), classes.end());
}

const TClassRecord* GetClass(std::string_view name) {
  for (const TClassRecord* c : Registry())
    if (SameText(c->Name(), name)) return c;
  return nullptr;
}

const TClassRecord& FindClass(std::string_view name) {
  if (const TClassRecord* c = GetClass(name)) return *c;
  throw EClassNotFound(Format("Class %s not found", {name}));
}

std::vector<const TClassRecord*> RegisteredClasses() {
  return Registry();
}

}  // namespace dravik
