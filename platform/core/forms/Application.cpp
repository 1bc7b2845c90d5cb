#include "platform/core/forms/Application.h"

#include <unistd.h>

#include <iostream>

#include "platform/core/classes/ScopeExit.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {

std::string ReadExeName() {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : "";
}

std::string BaseNameWithoutExtension(const std::string& path) {
  std::string name = path.substr(path.find_last_of('/') + 1);
  std::size_t dot = name.find_last_of('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

void ShowOnConsole(const Exception& e) {
  std::string message = e.Message();
  if (!message.empty() && message.back() != '.') message += '.';
  std::cerr << message << "\n";
}

// Passes the exception in flight to show; EAbort is silent, other exceptions become Exception.
template <class Show>
void ShowExceptionInFlight(Show show) {
  std::exception_ptr current = std::current_exception();
  if (!current) return;
  try {
    std::rethrow_exception(current);
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    show(e);
  } catch (const std::exception& e) {
    show(Exception(e.what()));
  }
}

}  // namespace

TApplication* Application = nullptr;

void HandleException(TObject* sender) {
  if (Application) {
    Application->HandleException(sender);
  } else {
    ShowExceptionInFlight(ShowOnConsole);
  }
}

TApplicationScope::TApplicationScope() : fApplication(MakeComponent<TApplication>(nullptr)) {}

const TClassRecord& TApplication::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TApplication, TComponent>("TApplication", "Forms").Build();
  return record;
}

TApplication::TApplication(TComponent* owner)
    : TComponent(owner), fTitle(BaseNameWithoutExtension(ReadExeName())) {}

std::string TApplication::ExeName() const {
  return ReadExeName();
}

void TApplication::AfterConstruction() {
  if (Application) throw EComponentError("The program has an application object already");
  TComponent::AfterConstruction();
  Application = this;
}

void TApplication::BeforeDestruction() {
  if (Application == this) Application = nullptr;
  TComponent::BeforeDestruction();
}

void TApplication::HandleException(TObject* sender) {
  ShowExceptionInFlight([&](const Exception& e) {
    if (OnException) {
      OnException(sender, e);
    } else {
      ShowException(e, sender);
    }
  });
}

// A display that fails, or that meets another exception while it shows one (a dialog whose own
// texts cannot load), falls back to stderr instead of showing itself again without end.
void TApplication::ShowException(const Exception& e, TObject* sender) {
  if (!fDisplay || fShowingException) {
    ShowOnConsole(e);
    return;
  }
  const auto showing = SetForScope(fShowingException, true);
  try {
    fDisplay(sender, e);
  } catch (...) {
    ShowOnConsole(e);
    ShowExceptionInFlight(ShowOnConsole);
  }
}

void TApplication::SetExceptionDisplay(TExceptionDisplay display) {
  fDisplay = std::move(display);
}

bool TApplication::HelpContext(int32_t context) {
  return !fHelpFile.empty() && fHelpViewer && fHelpViewer(fHelpFile, context);
}

namespace {
TApplication::TExceptionDisplay& InteractiveDisplay() {
  static TApplication::TExceptionDisplay display;
  return display;
}
}  // namespace

void SetInteractiveExceptionDisplay(TApplication::TExceptionDisplay display) {
  InteractiveDisplay() = std::move(display);
}

const TApplication::TExceptionDisplay& InteractiveExceptionDisplay() {
  return InteractiveDisplay();
}

void TApplication::ProcessMessages() {
  if (fProcessMessages) fProcessMessages();
}

}  // namespace dravik
