#include "platform/core/forms/Application.h"

#include <unistd.h>

#include <iostream>

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

TApplication gApplication(nullptr);

}  // namespace

TApplication* Application = &gApplication;

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

void TApplication::HandleException(TObject* sender) {
  std::exception_ptr current = std::current_exception();
  if (!current) return;
  try {
    std::rethrow_exception(current);
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    if (OnException) {
      OnException(sender, e);
    } else {
      ShowException(e, sender);
    }
  } catch (const std::exception& e) {
    Exception wrapped(e.what());
    if (OnException) {
      OnException(sender, wrapped);
    } else {
      ShowException(wrapped, sender);
    }
  }
}

void TApplication::ShowException(const Exception& e, TObject* sender) {
  if (fDisplay) {
    fDisplay(sender, e);
    return;
  }
  std::string message = e.Message();
  if (!message.empty() && message.back() != '.') message += '.';
  std::cerr << message << "\n";
}

void TApplication::SetExceptionDisplay(TExceptionDisplay display) {
  fDisplay = std::move(display);
}

void TApplication::ProcessMessages() {
  if (fProcessMessages) fProcessMessages();
}

}  // namespace dravik
