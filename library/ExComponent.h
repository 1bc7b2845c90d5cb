#pragma once
// Component bases of the library. TExComponent drops the number the form designer appends to
// a freshly dropped component's name; TUniComponent also allows one instance per form.

#include <string>

#include "platform/core/classes/Component.h"

namespace dravik {

class TExComponent : public TComponent {
 public:
  explicit TExComponent(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  void SetName(const std::string& name) override;
  void Loaded() override;

 protected:
  // Whether the first name may be shortened.
  virtual bool ModifyName() { return true; }

 private:
  bool fFirstNaming = false;
};

class TUniComponent : public TExComponent {
 public:
  using TExComponent::TExComponent;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

 protected:
  // In the designer, refuses a second component of the same class in the owner; Create then
  // frees it again.
  void AfterConstruction() override;
};

}  // namespace dravik
