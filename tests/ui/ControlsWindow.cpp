#include "tests/ui/ControlsWindow.h"

#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

const TClassRecord& TControlsWindow::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TControlsWindow, TForm>("TControlsWindow", "TestWindows").Build();
  return record;
}

static const TClassRegistration kControlsWindow(TControlsWindow::StaticClass());

}  // namespace dravik
