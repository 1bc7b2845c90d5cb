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

// Holds the main form through a free notification, so that the application never reads a
// main form that is gone.
class TUiApplication::TMainFormLink : public TComponent {
 public:
  using TComponent::TComponent;
  TCustomForm* Form = nullptr;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == Form) Form = nullptr;
  }
};

TCustomForm* TUiApplication::MainForm() const {
  return fMainFormLink ? fMainFormLink->Form : nullptr;
}

void TUiApplication::SetMainForm(TCustomForm* form) {
  TMainFormLink& link = *fMainFormLink;
  if (link.Form) link.Form->RemoveFreeNotification(&link);
  link.Form = form;
  if (form) form->FreeNotification(&link);
}

TUiApplication::TUiApplication(int& argc, char** argv)
    : fQt(std::make_unique<QApplication>(argc, argv)) {
  fApplication.emplace();
  fMainFormLink = MakeComponent<TMainFormLink>(nullptr);
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
  SetMainForm(nullptr);
  fApplication.reset();  // frees the forms it owns while Qt still stands
  fMainFormLink.reset();
  fQt.reset();
}

int TUiApplication::Run() {
  if (!MainForm()) return 0;
  MainForm()->Show();
  QEventLoop loop;
  while (MainForm() && MainForm()->Visible())
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
