#include "runtime/ui/LangComboBox.h"

#include "library/ComponentTools.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/classes/UpdateScope.h"
#include "platform/core/system/Debug.h"
#include "platform/core/system/Designing.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

const TClassRecord& TLangComboBox::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TLangComboBox, TComboBox>("TLangComboBox", "LangComboBox")
          .Property("AutoColor", &TLangComboBox::AutoColor, &TLangComboBox::SetAutoColor)
          .Default(true)
          .Property("Dravik", &TLangComboBox::Dravik, &TLangComboBox::SetDravik)
          .Build();
  return record;
}
static const TClassRegistration kLangComboBoxRegistration(TLangComboBox::StaticClass());

TLangComboBox::TLangComboBox(TComponent* owner) : TComboBox(owner), fEnabledColor(Color()) {
  SetStyle(csDropDownList);
  SetSorted(true);
  SetEnabled(false);
  // In the designer a TDravik dropped after the combo box binds it.
  if (dravik::IsDesigning()) {  // the process, not this component: not yet in its owner
    TDravik::RegisterCreateNotify(CreateListener());
    fListensForCreation = true;
    fStripNameDigits = true;
  }
}

void TLangComboBox::BeforeDestruction() {
  if (fListensForCreation) TDravik::UnregisterCreateNotify(CreateListener());
  UnregisterNotifications();
  TComboBox::BeforeDestruction();
}

void TLangComboBox::RegisterNotifications(TDravik* exclude) {
  UnregisterNotifications();
  if (!HandleAllocated()) return;
  TDravik* found = fDravik;
  TComponent* form = nullptr;
  if (!found && GetOwnerForm(this, form)) {
    for (int i = 0; i < form->ComponentCount() && !found; ++i) {
      auto* candidate = dynamic_cast<TDravik*>(form->Components(i));
      if (candidate && candidate != exclude && !candidate->IsDestroying()) found = candidate;
    }
    fDravik = found;
  }
  if (!found) return;
  found->FreeNotification(this);
  fBound = found;
  LangChange(found);
  found->RegisterChangeNotify(ChangeListener());
}

void TLangComboBox::UnregisterNotifications() {
  if (!fBound) return;
  fBound->UnregisterChangeNotify(ChangeListener());
  fBound = nullptr;
}

void TLangComboBox::ClearItems() {
  Items()->Clear();
  SetItemIndex(-1);
  SetEnabled(false);
}

void TLangComboBox::ReloadItems(TDravik* instance) {
  if (!HandleAllocated()) return;
  TStringList names;
  if (instance) instance->GetLanguages(names);
  {
    TUpdateScope update(*Items());
    Items()->Clear();
    for (int i = 0; i < names.Count(); ++i) Items()->Add(names.Strings(i));
  }
  SetEnabled(Items()->Count() > 0);
}

void TLangComboBox::LangChange(TDravik* instance) {
  if (!HandleAllocated()) return;
  if (instance && instance == fDravik) {
    ReloadItems(instance);
    SetItemIndex(Items()->IndexOf(instance->GetLanguage()));
  } else if (instance) {
    DebugMsg(Name() + ".LangChange: Invalid internal reference - critical error");
  } else {
    // The bound instance is going: another TDravik of the form takes over, if there is one.
    TDravik* going = fBound;
    fDravik = nullptr;
    if (going) going->RemoveFreeNotification(this);
    UnregisterNotifications();
    ClearItems();
    RegisterNotifications(going);
  }
}

void TLangComboBox::LangCreated(TDravik*) {
  if (!fBound && HandleAllocated()) RegisterNotifications();
}

void TLangComboBox::Change() {
  TComboBox::Change();
  if (ItemIndex() >= 0 && fBound) fBound->SetLanguage(Items()->Strings(ItemIndex()));
}

void TLangComboBox::InitWidget() {
  TComboBox::InitWidget();
  RegisterNotifications();
}

void TLangComboBox::SetName(const std::string& name) {
  if (fStripNameDigits && !IsLoading() && !ComponentState().Contains(csReading)) {
    fStripNameDigits = false;
    TComboBox::SetName(FirstDesignerName(*this, name));
    return;
  }
  TComboBox::SetName(name);
}

void TLangComboBox::Loaded() {
  fStripNameDigits = false;
  TComboBox::Loaded();
  if (fAutoColor) AdjustColor();
  if (fDravik && !fBound) RegisterNotifications();
}

void TLangComboBox::SetDravik(TDravik* value) {
  if (value == fDravik) return;
  UnregisterNotifications();
  if (fDravik) fDravik->RemoveFreeNotification(this);
  ClearItems();
  fDravik = value;
  if (value) {
    value->FreeNotification(this);
    RegisterNotifications();
  }
}

void TLangComboBox::Notification(TComponent* component, TOperation operation) {
  TComboBox::Notification(component, operation);
  if (operation != opRemove || !component || component != fDravik) return;
  const bool wasBound = fBound == fDravik;
  fDravik = nullptr;
  fBound = nullptr;
  ClearItems();
  if (wasBound && Owner() && Owner()->ComponentState().Contains(csDesigning) &&
      !Owner()->IsDestroying())
    RegisterNotifications(static_cast<TDravik*>(component));
}

void TLangComboBox::SetAutoColor(bool value) {
  if (value == fAutoColor) return;
  fAutoColor = value;
  if (value) AdjustColor();
}

void TLangComboBox::EnabledChanged() {
  TComboBox::EnabledChanged();
  if (fAutoColor && !IsLoading()) AdjustColor();
}

void TLangComboBox::AdjustColor() {
  if (Enabled() && Color() == fDisabledColor) SetColor(fEnabledColor);
  if (!Enabled() && Color() == fEnabledColor) SetColor(fDisabledColor);
}

}  // namespace dravik
