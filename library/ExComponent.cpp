#include "library/ExComponent.h"

#include "library/ComponentTools.h"
#include "platform/core/system/Designing.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

const TClassRecord& TExComponent::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TExComponent, TComponent>("TExComponent", "ExComponent").Build();
  return record;
}

TExComponent::TExComponent(TComponent* owner)
    : TComponent(owner), fFirstNaming(owner && owner->IsDesigning()) {}

void TExComponent::SetName(const std::string& name) {
  if (fFirstNaming && !IsLoading() && !ComponentState().Contains(csReading) && ModifyName()) {
    fFirstNaming = false;
    TComponent::SetName(FirstDesignerName(*this, name));
    return;
  }
  TComponent::SetName(name);
}

void TExComponent::Loaded() {
  TComponent::Loaded();
  fFirstNaming = false;
}

const TClassRecord& TUniComponent::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TUniComponent, TExComponent>("TUniComponent", "ExComponent").Build();
  return record;
}

// The class is compared once the object is whole: in a constructor it is always this base.
void TUniComponent::AfterConstruction() {
  TExComponent::AfterConstruction();
  TComponent* owner = Owner();
  if (!owner || !owner->IsDesigning()) return;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* other = owner->Components(i);
    if (other != this && other->ClassName() == ClassName())
      throw EComponentError("Component can only be placed on formular one time");
  }
}

}  // namespace dravik
