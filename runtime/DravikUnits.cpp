// Unit-level instances: a TDravik without owner for a code unit, read from the unit's embedded
// language file and kept until the runtime is finalised.

#include <memory>
#include <vector>

#include "platform/core/resources/ComponentRes.h"
#include "runtime/Dravik.h"

namespace dravik {

namespace {

std::vector<TComponentPtr<TDravik>>& UnitInstances() {
  static std::vector<TComponentPtr<TDravik>> instances;
  return instances;
}

}  // namespace

void InitDravik(const std::string& resName, TUnitNotify onChange, TGetString& getString) {
  TComponentPtr<TDravik> instance;
  {
    TOwnerlessScope ownerless;
    instance = MakeComponent<TDravik>(nullptr);
  }
  TDravik* dravik = instance.get();
  UnitInstances().push_back(std::move(instance));
  dravik->fUnitNotify = std::move(onChange);
  getString = [dravik](const std::string& id) { return dravik->GetString(id); };
  ReadComponentResource(resName, dravik);
}

void FinalizeDravikUnits() {
  auto& instances = UnitInstances();
  while (!instances.empty()) instances.pop_back();
}

}  // namespace dravik
