#include "platform/ui/UiApplication.h"

#include <QCursor>
#include <QDesktopServices>
#include <QEventLoop>
#include <QUrl>

namespace dravik {

namespace {
TCursor gCursor = crDefault;
TUiApplication* gInstance = nullptr;
}  // namespace

TUiApplication* TUiApplication::Instance() {
  return gInstance;
}

TUiApplication::TUiApplication(int& argc, char** argv)
    : fQt(std::make_unique<QApplication>(argc, argv)) {
  fApplication.emplace();
  Application->SetProcessMessagesHook([] { QCoreApplication::processEvents(); });
  Application->SetExceptionDisplay(InteractiveExceptionDisplay());
  // The help file is opened by the desktop's viewer for its type; it has no topics to go to.
  Application->SetHelpViewer([](const std::string& file, int32_t) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file)));
  });
  gInstance = this;
}

TUiApplication::~TUiApplication() {
  gInstance = nullptr;
  fMainForm = nullptr;
  fApplication.reset();  // frees the forms it owns while Qt still stands
  fQt.reset();
}

int TUiApplication::Run() {
  if (!fMainForm) return 0;
  fMainForm->Show();
  QEventLoop loop;
  while (fMainForm->Visible())
    loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::EventLoopExec);
  return 0;
}

void SetScreenCursor(TCursor cursor) {
  if (cursor == gCursor) return;
  if (gCursor != crDefault) QApplication::restoreOverrideCursor();
  gCursor = cursor;
  if (cursor != crDefault) QApplication::setOverrideCursor(QCursor(ToQtCursorShape(cursor)));
}

TCursor ScreenCursor() {
  return gCursor;
}

}  // namespace dravik
