#include "platform/core/forms/DataModule.h"

#include "platform/core/forms/Application.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {
const TClassRegistration kRegistered(TDataModule::StaticClass());
}

const TClassRecord& TDataModule::StaticClass() {
  static const TClassRecord& record = TClassBuilder<TDataModule, TComponent>("TDataModule", "Forms")
                                          .Event("OnCreate", &TDataModule::OnCreate)
                                          .Event("OnDestroy", &TDataModule::OnDestroy)
                                          .Build();
  return record;
}

TDataModule::TDataModule(TComponent* owner) : TComponent(owner) {}

void TDataModule::BeforeDestruction() {
  Destroying();
  try {
    OnDestroy(this);
  } catch (...) {
    HandleException(this);
  }
  TComponent::BeforeDestruction();
}

void TDataModule::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  if (root != this) return;
  for (int i = 0; i < ComponentCount(); ++i) proc(Components(i));
}

void TDataModule::Loaded() {
  TComponent::Loaded();
  try {
    OnCreate(this);
  } catch (...) {
    HandleException(this);
  }
}

}  // namespace dravik
