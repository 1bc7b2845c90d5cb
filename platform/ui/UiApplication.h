#pragma once
// The application's visual part: the Qt application under the application object, the main
// form, the event loop, the screen cursor.

#include <QApplication>
#include <memory>
#include <optional>

#include "platform/core/forms/Application.h"
#include "platform/ui/Cursors.h"
#include "platform/ui/Forms.h"

namespace dravik {

class TUiApplication {
 public:
  // Makes the Qt application, then the application object; pending events are processed by
  // Application->ProcessMessages from then on.
  TUiApplication(int& argc, char** argv);
  ~TUiApplication();
  TUiApplication(const TUiApplication&) = delete;
  TUiApplication& operator=(const TUiApplication&) = delete;
  TApplication* operator->() const { return Application; }

  // A form the application owns; the first one made becomes the main form.
  template <class T>
  T* CreateForm() {
    T* form = Create<T>(Application);
    if (!MainForm()) SetMainForm(form);
    return form;
  }
  // Null once the main form is freed, however that happens (a close with caFree).
  TCustomForm* MainForm() const;
  void SetMainForm(TCustomForm* form);
  // The program's one visual application while it lives; null before and after.
  static TUiApplication* Instance();
  // Shows the main form and processes events until it is closed or freed.
  int Run();

 private:
  class TMainFormLink;
  std::unique_ptr<QApplication> fQt;
  std::optional<TApplicationScope> fApplication;
  TComponentPtr<TMainFormLink> fMainFormLink;
};

// The cursor over every window, as the original Screen.Cursor: crHourGlass while work runs.
void SetScreenCursor(TCursor cursor);
TCursor ScreenCursor();

}  // namespace dravik
