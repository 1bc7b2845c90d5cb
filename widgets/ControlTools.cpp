#include "widgets/ControlTools.h"

#include "platform/core/classes/ScopeExit.h"
#include "platform/ui/UiApplication.h"

#include "library/ComponentTools.h"

namespace dravik {

void ForEachControl(TControl* control, const std::function<void(TControl*)>& proc) {
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    for (int i = windowed->ControlCount() - 1; i >= 0; --i)
      ForEachControl(windowed->Controls(i), proc);
  }
  proc(control);
}

namespace {
bool HoldsControl(const TWinControl* parent, const TControl* control) {
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (parent->Controls(i) == control) return true;
  return false;
}
}  // namespace

TWinControl* FindParentWinControl(const TControl* control) {
  TComponent* form = nullptr;
  if (!control || !GetOwnerForm(control, form)) return nullptr;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* candidate = dynamic_cast<TWinControl*>(form->Components(i));
    if (candidate && HoldsControl(candidate, control)) return candidate;
  }
  auto* self = dynamic_cast<TWinControl*>(form);
  return self && HoldsControl(self, control) ? self : nullptr;
}

void DisabledProcessMessages() {
  TUiApplication* app = TUiApplication::Instance();
  TCustomForm* main = app ? app->MainForm() : nullptr;
  const bool wasEnabled = main && main->Enabled();
  if (wasEnabled) main->SetEnabled(false);
  const TScopeExit enableAgain([&] {
    if (wasEnabled) main->SetEnabled(true);
  });
  Application->ProcessMessages();
}

}  // namespace dravik
