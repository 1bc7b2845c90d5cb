#pragma once
// The application object's non-visual part: the program's name, title and help file, the
// exception display and the message-processing hook that the user interface layer fills in.
// A program makes it with a TApplicationScope in main; before and after, Application is null and
// HandleException writes to stderr.

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

#include "platform/core/classes/Component.h"

namespace dravik {

class Exception;

class TApplication : public TComponent {
 public:
  // Shows one exception to the user; the console default writes it to stderr.
  using TExceptionDisplay = std::function<void(TObject* sender, const Exception& e)>;
  using TExceptionEvent = std::function<void(TObject* sender, const Exception& e)>;

  explicit TApplication(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  std::string ExeName() const;  // the full path of the running program
  const std::string& Title() const { return fTitle; }
  void SetTitle(const std::string& title) { fTitle = title; }
  const std::string& HelpFile() const { return fHelpFile; }
  void SetHelpFile(const std::string& file) { fHelpFile = file; }

  // Call inside a catch block: shows the exception in flight (EAbort stays silent), through
  // OnException when it is set, else through the display.
  void HandleException(TObject* sender);
  void ShowException(const Exception& e, TObject* sender = nullptr);
  // Replaces the display (the user interface and tests do); an empty function restores stderr.
  void SetExceptionDisplay(TExceptionDisplay display);
  TExceptionEvent OnException;

  // Opens the help file's topic for context through the help viewer; false when there is no help
  // file or no viewer.
  bool HelpContext(int32_t context);
  void SetHelpViewer(std::function<bool(const std::string& file, int32_t context)> viewer) {
    fHelpViewer = std::move(viewer);
  }

  // Lets the user interface handle pending events; does nothing without one.
  void ProcessMessages();
  void SetProcessMessagesHook(std::function<void()> hook) { fProcessMessages = std::move(hook); }

 protected:
  // The application object becomes Application while it lives; there is one at a time.
  void AfterConstruction() override;
  void BeforeDestruction() override;

 private:
  std::string fTitle;
  std::string fHelpFile;
  TExceptionDisplay fDisplay;
  bool fShowingException = false;
  std::function<void()> fProcessMessages;
  std::function<bool(const std::string&, int32_t)> fHelpViewer;
};

// The display a program with windows gives its application object: the library's message dialog
// puts itself here, the visual application takes it from here. Empty until then.
void SetInteractiveExceptionDisplay(TApplication::TExceptionDisplay display);
const TApplication::TExceptionDisplay& InteractiveExceptionDisplay();

// The one application object of the program while it exists, otherwise null.
extern TApplication* Application;

// Call inside a catch block: shows the exception in flight through Application, or on stderr when
// there is no application object (EAbort stays silent either way).
void HandleException(TObject* sender);

// The application object for the life of a scope. A program declares one at the top of main (a
// program with a user interface right after its QApplication), so that the application object
// is created after what it stands on and freed before it.
class TApplicationScope {
 public:
  TApplicationScope();
  TApplicationScope(const TApplicationScope&) = delete;
  TApplicationScope& operator=(const TApplicationScope&) = delete;
  TApplication* Get() const { return fApplication.get(); }
  TApplication* operator->() const { return fApplication.get(); }

 private:
  TComponentPtr<TApplication> fApplication;
};

}  // namespace dravik
