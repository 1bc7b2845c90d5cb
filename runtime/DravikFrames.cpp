#include "runtime/DravikFrames.h"

#include "platform/core/classes/ScopeExit.h"
#include "platform/core/forms/Application.h"
#include "platform/core/system/Debug.h"
#include "platform/core/system/Designing.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

const TTypeInfo& TypeInfoFor(TActionMode) {
  static const TTypeInfo& info =
      MakeEnumType("TActionMode", {"amBeforeChange", "amSetLanguage", "amChange", "amAfterChange"});
  return info;
}

TLanguageFrame::TLanguageFrame(TLanguageFrames* owner, const std::string& name)
    : fOwner(owner), fName(Trim(name)) {
  if (!IsDesigning())
    fLanguage = owner->Count() > 0 ? owner->Last()->fLanguage : owner->StartupLanguage();
  owner->Add(this);
}

TLanguageFrame::~TLanguageFrame() {
  if (fOwner) fOwner->FrameDestroyed(*this);
}

bool TLanguageFrame::Exists(const TLanguageNotify& notify) const {
  return fNotifies.Contains(notify.Method());
}

void TLanguageFrame::AddNotify(const TLanguageNotify& notify) {
  if (!Exists(notify)) fNotifies.Add(notify.Method());
}

bool TLanguageFrame::DelNotify(const TLanguageNotify& notify) {
  return fNotifies.Remove(notify.Method()) >= 0;
}

bool TLanguageFrame::SetLanguage(const std::string& language, const TLanguageNotify& notify) {
  if (!SetLanguageAction(language, amBeforeChange, notify)) return false;
  SetLanguageAction(language, amSetLanguage, notify);
  SetLanguageAction(language, amChange, notify);
  SetLanguageAction(language, amAfterChange, notify);
  return true;
}

bool TLanguageFrame::SetLanguageAction(const std::string& language, TActionMode action,
                                       const TLanguageNotify& notify) {
  if (!Exists(notify)) return false;
  if (action == amBeforeChange && SameText(language, fLanguage)) return false;
  if (action == amSetLanguage) fLanguage = language;
  ++fBusy;
  TScopeExit done([this] { --fBusy; });
  const uint64_t members = fNotifies.Changes();
  fNotifies.ForEach([&](const TMethodList::TEntry& entry) {
    // A member that left the frame during this phase (its form was freed) is not called.
    if (fNotifies.Changes() != members && !fNotifies.Contains(entry.Method)) return;
    TLanguageNotify member(entry.Method);
    auto* sender = static_cast<TObject*>(entry.Method.Data);
    try {
      member(sender, language, action);
    } catch (const Exception& e) {
      DebugMsg("SetLanguageAction error: " + e.Message());
      if (!dynamic_cast<const ELanguageNotFound*>(&e)) HandleException(sender);
    } catch (const std::exception& e) {
      DebugMsg(std::string("SetLanguageAction error: ") + e.what());
      HandleException(sender);
    }
  });
  return true;
}

TLanguageFrames::~TLanguageFrames() {
  Clear();
  fRetired.clear();
}

bool TLanguageFrames::DefineStartupLanguage(const std::string& language, bool fix) {
  if (!CanDefineStartupLanguage()) return false;
  fStartupLanguage = Trim(language);
  if (fix) fStartupFixed = true;
  return true;
}

void TLanguageFrames::FrameDestroyed(const TLanguageFrame& frame) {
  fStartupLanguage = frame.Language();
  fStartupFixed = true;
}

bool TLanguageFrames::AddNotify(const std::string& domain, bool newFrame,
                                const TLanguageNotify& notify) {
  DelNotify(notify);
  std::string name = Trim(domain);
  bool created = false;
  TLanguageFrame* target = nullptr;
  if (!name.empty()) {
    for (TLanguageFrame* frame : *this)
      if (SameText(frame->Name(), name)) target = frame;
    if (target) {
      target->SetName(name);
    } else {
      target = new TLanguageFrame(this, name);
      created = true;
    }
  } else {
    if (newFrame || Count() == 0) {
      new TLanguageFrame(this, "");
      created = true;
    }
    target = Last();
  }
  target->AddNotify(notify);
  return created;
}

bool TLanguageFrames::DelNotify(const TLanguageNotify& notify) {
  bool found = false;
  for (int i = Count() - 1; i >= 0; --i) {
    TLanguageFrame* frame = Items(i);
    if (!frame->DelNotify(notify)) continue;
    found = true;
    if (!frame->Empty()) continue;
    if (frame->Busy()) {
      // Still inside its own switch: leave the list now, free it when the switch is over.
      Extract(frame);
      fRetired.emplace_back(frame);
      FrameDestroyed(*frame);
      frame->fOwner = nullptr;
    } else {
      Delete(i);
    }
  }
  return found;
}

bool TLanguageFrames::SetLanguage(const std::string& language, const TLanguageNotify& notify) {
  TLanguageFrame* frame;
  if (!GetFrame(frame, notify)) return false;
  frame->SetLanguage(language, notify);
  if (!frame->Busy()) std::erase_if(fRetired, [](const auto& f) { return !f->Busy(); });
  return true;
}

bool TLanguageFrames::GetLanguage(std::string& language, const TLanguageNotify& notify) const {
  TLanguageFrame* frame;
  if (!GetFrame(frame, notify)) return false;
  language = frame->Language();
  return true;
}

bool TLanguageFrames::GetFrame(TLanguageFrame*& frame, const TLanguageNotify& notify) const {
  for (TLanguageFrame* f : *this)
    if (f->Exists(notify)) {
      frame = f;
      return true;
    }
  frame = nullptr;
  return false;
}

}  // namespace dravik
