#pragma once
// What the library's components share: depth-first traversal of owned components, the form
// that owns a component, the standard error functions and whole-file helpers.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/core/system/Exceptions.h"

namespace dravik {

class TComponent;

using ECriticalError = ExceptionClass<"ECriticalError", Exception>;
using ECaseError = ExceptionClass<"ECaseError", Exception>;

// Every component root owns, directly or not, then root: owned components last to first, each
// after its own owned components.
void ForEachComponent(TComponent* root, const std::function<void(TComponent*)>& proc);
// The first form up the owner chain of component (not the component itself); false and null
// when there is none. A form is an instance of a class that descends from TCustomForm.
bool GetOwnerForm(const TComponent* component, TComponent*& form);
bool IsForm(const TComponent* component);

// The name the designer proposes for a component just dropped on a form, without its trailing
// digits ("Dravik1" becomes "Dravik"), unless that leaves nothing or another component of the
// owner has it already.
std::string FirstDesignerName(const TComponent& component, const std::string& proposed);

[[noreturn]] void Error(const std::string& text);
[[noreturn]] void CriticalError();
[[noreturn]] void CaseError();

// The whole file as bytes; EFOpenError naming the file when it cannot be read.
std::string LoadFromFile(const std::string& fileName);
// Creates or replaces the file with count bytes, atomically.
void SaveToFile(const std::string& fileName, const void* bytes, int64_t count);
// The running program's own path.
std::string GetExeName();

}  // namespace dravik
