// A design package for the tests: one component on its own page.
#include "platform/core/classes/Component.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ide/Registration.h"

namespace dravik {
namespace {

class TPackagedWidget : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TPackagedWidget, TComponent>("TPackagedWidget", "TestPackage").Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

}  // namespace
}  // namespace dravik

extern "C" __attribute__((visibility("default"))) void DravikRegisterPackage() {
  dravik::RegisterComponents("Packaged", {&dravik::TPackagedWidget::StaticClass()});
}
