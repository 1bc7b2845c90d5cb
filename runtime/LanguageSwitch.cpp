#include "runtime/LanguageSwitch.h"

#include <memory>

#include "platform/core/classes/ScopeExit.h"
#include "platform/core/system/Debug.h"
#include "platform/core/system/Designing.h"
#include "platform/core/system/SysUtils.h"
#include "runtime/DravikSystem.h"

namespace dravik {

namespace {

struct TSwitchState {
  std::unique_ptr<TLanguageFrames> DefaultDomain;
  std::unique_ptr<TLanguageFrames> NamedDomain;
  int32_t Depth = 0;
};

TSwitchState& State() {
  static TSwitchState state;
  return state;
}

TSwitchState& Initialized() {
  TSwitchState& state = State();
  if (!state.DefaultDomain) InitializeLanguageFrames();
  return state;
}

}  // namespace

TLanguageFrames* DefaultDomainFrames() {
  return Initialized().DefaultDomain.get();
}

TLanguageFrames* NamedDomainFrames() {
  return Initialized().NamedDomain.get();
}

void InitializeLanguageFrames() {
  TSwitchState& state = State();
  if (state.DefaultDomain) return;
  state.DefaultDomain = std::make_unique<TLanguageFrames>();
  state.NamedDomain = std::make_unique<TLanguageFrames>();
  std::string english, original;
  if (!IsDesigning() && GetDefaultLanguage(english, original)) {
    state.DefaultDomain->DefineStartupLanguage(english, false);
    state.NamedDomain->DefineStartupLanguage(english, false);
  }
}

void FinalizeLanguageFrames() {
  TSwitchState& state = State();
  state.NamedDomain.reset();
  state.DefaultDomain.reset();
}

int32_t GlobalSwitchDepth() {
  return State().Depth;
}

void SetGlobalLanguage(const std::string& language, const TLanguageNotify& notify) {
  TSwitchState& state = Initialized();
  if (state.Depth != 0) throw Exception("SetGlobalLanguage cannot be called when still processing");
  std::string trimmed = Trim(language);
  if (!notify.Assigned() || trimmed.empty()) return;
  ++state.Depth;
  TScopeExit switched([&state] { --state.Depth; });
  if (state.DefaultDomain->SetLanguage(trimmed, notify)) return;
  if (state.NamedDomain->SetLanguage(trimmed, notify)) return;
  auto* sender = static_cast<TObject*>(notify.Method().Data);
  for (TActionMode action : {amBeforeChange, amSetLanguage, amChange, amAfterChange})
    notify(sender, trimmed, action);
}

void DefineStartupLanguage(const std::string& language) {
  TSwitchState& state = Initialized();
  if (state.DefaultDomain->CanDefineStartupLanguage() &&
      state.NamedDomain->CanDefineStartupLanguage()) {
    state.DefaultDomain->DefineStartupLanguage(language, true);
    state.NamedDomain->DefineStartupLanguage(language, true);
    DebugMsg(Format("DefineStartupLanguage: Startup language is '%s'", {language}));
  } else {
    DebugMsg(
        Format("DefineStartupLanguage: Startup language '%s' ignored - already defined or "
               "started",
               {language}));
  }
}

void GetCurrentUserLanguage(std::string& language) {
  std::string original;
  GetDefaultLanguage(language, original);
}

bool RegisterLanguageNotify(const std::string& domain, bool topLevel,
                            const TLanguageNotify& notify) {
  if (!notify.Assigned()) return false;
  TSwitchState& state = Initialized();
  if (Trim(domain).empty()) {
    state.NamedDomain->DelNotify(notify);
    return state.DefaultDomain->AddNotify(domain, topLevel, notify);
  }
  state.DefaultDomain->DelNotify(notify);
  return state.NamedDomain->AddNotify(domain, topLevel, notify);
}

void UnregisterLanguageNotify(const TLanguageNotify& notify) {
  TSwitchState& state = State();
  if (!state.DefaultDomain) return;
  state.DefaultDomain->DelNotify(notify);
  state.NamedDomain->DelNotify(notify);
}

std::string GetFrameDomain(const TLanguageNotify& notify) {
  TSwitchState& state = State();
  if (!state.DefaultDomain) return "";
  TLanguageFrame* frame;
  if (state.NamedDomain->GetFrame(frame, notify)) return frame->Name();
  if (state.DefaultDomain->GetFrame(frame, notify)) return frame->Name();
  return "";
}

std::string GetFrameLanguage(const TLanguageNotify& notify) {
  TSwitchState& state = State();
  if (!state.DefaultDomain) return "";
  std::string language;
  if (state.DefaultDomain->GetLanguage(language, notify)) return language;
  if (state.NamedDomain->GetLanguage(language, notify)) return language;
  return state.DefaultDomain->StartupLanguage();
}

}  // namespace dravik
