#pragma once
// TDataModule: a root that holds non-visual components and streams them as its children.

#include "platform/core/classes/Component.h"

namespace dravik {

class TDataModule : public TComponent {
 public:
  explicit TDataModule(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void Loaded() override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;  // fired while the whole module and its components are alive

 protected:
  void BeforeDestruction() override;
};

}  // namespace dravik
