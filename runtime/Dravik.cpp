#include "runtime/Dravik.h"

#include <algorithm>
#include <vector>

#include "library/ComponentTools.h"
#include "platform/core/classes/ScopeExit.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/classes/UpdateScope.h"
#include "platform/core/forms/Application.h"
#include "platform/core/system/Debug.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "runtime/DravikSystem.h"
#include "runtime/LanguageSwitch.h"

namespace dravik {

namespace {

struct TDravikUnitState {
  TMethodList CreateNotifies;
  TServiceQuestion ServiceQuestion;
};

TDravikUnitState& UnitState() {
  static TDravikUnitState state;
  return state;
}

// Calls every method of list with dravik, last registered first; a failing listener is shown
// and the others are still called. A listener that an earlier one unregistered (or freed) is
// not called any more.
void SendNotify(const TMethodList& list, TDravik* dravik, TObject* sender) {
  std::vector<TMethod> methods;
  list.ForEach([&](const TMethodList::TEntry& entry) { methods.push_back(entry.Method); });
  for (auto it = methods.rbegin(); it != methods.rend(); ++it) {
    if (!list.Contains(*it)) continue;
    try {
      const TLangNotify notify(*it);
      notify(dravik);
    } catch (...) {
      HandleException(sender);
    }
  }
}

void Register(TMethodList& list, const TLangNotify& notify) {
  list.Remove(notify.Method());
  list.Add(notify.Method());
}

}  // namespace

void SetServiceQuestion(TServiceQuestion question) {
  UnitState().ServiceQuestion = std::move(question);
}

namespace {
int32_t gOwnerlessDepth = 0;
}  // namespace

TOwnerlessScope::TOwnerlessScope() {
  ++gOwnerlessDepth;
}

TOwnerlessScope::~TOwnerlessScope() {
  --gOwnerlessDepth;
}

const TClassRecord& TDravik::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TDravik, TComponent>("TDravik", "Dravik")
          .Property("Domain", &TDravik::GetDomain, &TDravik::SetDomain)
          .Property("Language", &TDravik::GetLanguage, &TDravik::SetLanguage)
          .Property("Languages", &TDravik::LanguagesPlaceholder, &TDravik::SetLanguagesPlaceholder)
          .NotStored()
          .Property("TopLevel", &TDravik::GetTopLevel, &TDravik::SetTopLevel)
          .Default(false)
          .Event("BeforeChange", &TDravik::BeforeChange)
          .Event("OnChange", &TDravik::OnChange)
          .Event("AfterChange", &TDravik::AfterChange)
          .Build();
  return record;
}
static const TClassRegistration kDravikRegistration(TDravik::StaticClass());

TDravik::TDravik(TComponent* owner) : TComponent(owner) {
  TDravikUnitState& state = UnitState();
  const bool designing = owner && owner->IsDesigning();
  if (designing && !owner->IsLoading() && state.ServiceQuestion) {
    for (int i = 0; i < owner->ComponentCount(); ++i) {
      TComponent* other = owner->Components(i);
      if (other != this && other->ClassName() == ClassName()) {
        if (!state.ServiceQuestion("ReallyAddFurtherComponent")) throw EAbort("");
        break;
      }
    }
  }
  fStripNameDigits = designing;
  if (!owner && gOwnerlessDepth == 0)
    throw Exception(Format("Component owner for %s required", {ClassName()}));
  fLanguageManager = std::make_unique<TLanguageManager>(owner, cmInconsistent, this, this);
}

void TDravik::AfterConstruction() {
  TComponent::AfterConstruction();
  RegisterLanguageNotify(fDomain, false, Handler());
  SendCreateNotify(this);
}

void TDravik::BeforeDestruction() {
  SendChangeNotify(nullptr);
  fChangeNotifies.reset();
  UnregisterLanguageNotify(Handler());
  fLanguageManager.reset();
  TComponent::BeforeDestruction();
}

bool TDravik::Reading() const {
  return ComponentState().Contains(csReading) || ComponentState().Contains(csLoading);
}

void TDravik::Guarded(const std::function<void()>& proc) {
  try {
    proc();
  } catch (...) {
    HandleException(this);
  }
}

// --- Properties --------------------------------------------------------------------------------

std::string TDravik::GetDomain() const {
  if (IsDesigning() && !fDomain.empty()) {
    std::string frame = GetFrameDomain(const_cast<TDravik*>(this)->Handler());
    if (SameText(frame, fDomain)) return frame;
  }
  return fDomain;
}

void TDravik::SetDomain(const std::string& value) {
  const std::string domain = Trim(value);
  if (IsDesigning() ? domain == fDomain : SameText(domain, fDomain)) return;
  const bool created = RegisterLanguageNotify(domain, fTopLevel, Handler());
  fDomain = domain;
  if (Reading()) return;
  const std::string active = GetLanguage();
  if (created && IsDesigning()) {
    SetGlobalLanguage(active, Handler());
    return;
  }
  const std::string frame = GetFrameLanguage(Handler());
  if (SameText(frame, active)) return;
  for (TActionMode action : {amBeforeChange, amSetLanguage, amChange, amAfterChange})
    SetLanguageNotify(this, frame, action);
}

std::string TDravik::GetLanguage() const {
  TLanguageEntries* langs = fLanguageManager->Langs();
  const int active = langs->IndexOfSubIndex(0);
  return active < 0 ? std::string() : langs->Items(active)->Name;
}

void TDravik::SetLanguage(const std::string& value) {
  if (Reading() && !fIsLoaded) {
    fPendingLanguage = Trim(value);
    return;
  }
  SetGlobalLanguage(value, Handler());
}

void TDravik::SetTopLevel(bool value) {
  if (value == fTopLevel) return;
  if (!IsDesigning() && !Reading())
    throw Exception(ClassName() + ".TopLevel can only be changed at designing time");
  if (Reading() && !IsDesigning() && fDomain.empty()) {
    RegisterLanguageNotify("", value, Handler());
    if (Owner()) {
      ForEachComponent(Owner(), [this](TComponent* component) {
        auto* other = dynamic_cast<TDravik*>(component);
        if (other && other != this && other->fDomain.empty())
          RegisterLanguageNotify("", other->fTopLevel, other->Handler());
      });
    }
  }
  fTopLevel = value;
}

void TDravik::GetLanguages(TStrings& list) const {
  std::vector<std::string> names;
  TLanguageEntries* langs = fLanguageManager->Langs();
  for (int i = 0; i < langs->Count(); ++i) names.push_back(langs->Items(i)->Name);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  TUpdateScope update(list);
  list.Clear();
  for (const std::string& name : names) list.Add(name);
}

std::string TDravik::GetString(const std::string& id) const {
  std::string value;
  if (!fLanguageManager->GetString(id, value))
    throw EStringNotFound("Character string identifier not found: " + id);
  return value;
}

void TDravik::SetName(const std::string& name) {
  if (fStripNameDigits && !Reading()) {
    fStripNameDigits = false;
    TComponent::SetName(FirstDesignerName(*this, name));
    return;
  }
  TComponent::SetName(name);
}

// --- The switch --------------------------------------------------------------------------------

void TDravik::SetLanguageNotify(TObject*, const std::string& language, TActionMode action) {
  if (TrimView(language).empty()) return;
  const bool silent = IsLoading() || fChangeLock > 0;
  switch (action) {
    case amBeforeChange:
      if (!silent) TriggerBeforeChange();
      break;
    case amSetLanguage:
      SetLanguageDirect(language);
      break;
    case amChange:
      if (!silent) TriggerOnChange();
      break;
    case amAfterChange:
      if (!silent) TriggerAfterChange();
      break;
  }
}

void TDravik::SetLanguageDirect(const std::string& language) {
  // The entry of that very name first: "en-GB" must not find an "English" listed before it.
  if (const int index = fLanguageManager->Langs()->IndexOfLanguage(language); index >= 0) {
    fLanguageManager->SetLanguageByIndex(index);
    return;
  }
  if (fLanguageManager->HasFormOwner())
    throw ELanguageNotFound(Format("Language '%s' of form %s not found",
                                   {language, fLanguageManager->Owner()->ClassName()}));
  throw ELanguageNotFound(Format("Language '%s' of a multilingual unit not found", {language}));
}

void TDravik::TriggerBeforeChange() {
  Guarded([this] { BeforeChange(this); });
}

void TDravik::TriggerOnChange() {
  SendChangeNotify(this);
  Guarded([this] { OnChange(this); });
  if (fUnitNotify) Guarded([this] { fUnitNotify(GetLanguage()); });
}

void TDravik::TriggerAfterChange() {
  Guarded([this] { AfterChange(this); });
}

// --- Notification lists ------------------------------------------------------------------------

void TDravik::RegisterCreateNotify(const TLangNotify& notify) {
  Register(UnitState().CreateNotifies, notify);
}

void TDravik::UnregisterCreateNotify(const TLangNotify& notify) {
  UnitState().CreateNotifies.Remove(notify.Method());
}

void TDravik::SendCreateNotify(TDravik* dravik) {
  SendNotify(UnitState().CreateNotifies, dravik, dravik);
}

void TDravik::RegisterChangeNotify(const TLangNotify& notify) {
  if (!fChangeNotifies) fChangeNotifies = std::make_unique<TMethodList>();
  Register(*fChangeNotifies, notify);
}

void TDravik::UnregisterChangeNotify(const TLangNotify& notify) {
  if (fChangeNotifies) fChangeNotifies->Remove(notify.Method());
}

void TDravik::SendChangeNotify(TDravik* dravik) {
  if (fChangeNotifies) SendNotify(*fChangeNotifies, dravik, this);
}

// --- Streaming ---------------------------------------------------------------------------------

void TDravik::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  fLanguageManager->DefineProperties(filer, "LanguageManager_");
}

// A form that lacks its frame's language (a start-up language taken from the system that the
// form was not translated into) keeps the language it was stored in, as a member that lacks the
// language of a switch does: traced, not shown, and the form still loads in full.
void TDravik::AlignWithFrame(const std::string& frame) {
  try {
    SetLanguageNotify(this, frame, amSetLanguage);
  } catch (const ELanguageNotFound& e) {
    DebugMsg(Format("%s: %s.Loaded: %s", {ClassName(), Name(), e.Message()}));
  }
}

void TDravik::Loaded() {
  TComponent::Loaded();
  bool aligned = false;
  try {
    fStripNameDigits = false;
    fLanguageManager->Init(cmInitAll);
    fIsLoaded = true;
    {
      ++fChangeLock;
      TScopeExit unlock([this] { --fChangeLock; });
      const std::string frame = GetFrameLanguage(Handler());
      if (!frame.empty()) {
        AlignWithFrame(frame);
      } else {
        if (fPendingLanguage.empty()) fPendingLanguage = GetLanguage();
        SetGlobalLanguage(fPendingLanguage, Handler());
      }
    }
    aligned = true;
  } catch (const std::exception& e) {
    HandleException(this);
    DebugMsg(Format("%s: %s.Loaded: %s", {ClassName(), Name(), e.what()}));
  }
  if (!aligned) return;
  TriggerBeforeChange();
  TriggerOnChange();
  TriggerAfterChange();
}

}  // namespace dravik
