#include "tests/ui/UiFixture.h"

#include <cstdlib>

#include "runtime/LanguageSwitch.h"

namespace dravik {

TUiApplication& UiApp() {
  static int argc = 1;
  static char name[] = "test_ui";
  static char* argv[] = {name, nullptr};
  static TUiApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return new TUiApplication(argc, argv);  // lives to the end of the program
  }();
  return *app;
}

void UiTest::SetUp() {
  setenv("LANG", "C", 1);
  UiApp();
  FinalizeLanguageFrames();
  Application->SetExceptionDisplay(
      [this](TObject*, const Exception& e) { Shown.push_back(e.Message()); });
}

void UiTest::TearDown() {
  Application->SetExceptionDisplay({});
  FinalizeLanguageFrames();
}

}  // namespace dravik
