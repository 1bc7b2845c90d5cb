#pragma once
// Language frames: groups of members that always show the same language. A switch requested on
// one member runs on every member of its frame, in four phases, each phase reaching every
// member before the next begins.

#include <memory>
#include <string>
#include <vector>

#include "platform/core/classes/ObjectList.h"
#include "platform/core/typinfo/MethodList.h"
#include "runtime/LanguageNotify.h"

namespace dravik {

class TLanguageFrames;

class TLanguageFrame {
 public:
  // Appends the new frame to owner; outside the design environment it starts in the language of
  // the list's previous last frame, or in the list's start-up language.
  TLanguageFrame(TLanguageFrames* owner, const std::string& name);
  // Hands its language on to the list as the start-up language and fixes it.
  ~TLanguageFrame();
  TLanguageFrame(const TLanguageFrame&) = delete;
  TLanguageFrame& operator=(const TLanguageFrame&) = delete;

  TLanguageFrames* Owner() const { return fOwner; }
  const TMethodList& Notifies() const { return fNotifies; }
  const std::string& Name() const { return fName; }
  void SetName(const std::string& name) { fName = name; }
  const std::string& Language() const { return fLanguage; }
  bool Hidden() const { return !fName.empty() && fName[0] == '.'; }
  bool Empty() const { return fNotifies.Count() == 0; }
  bool Exists(const TLanguageNotify& notify) const;

  void AddNotify(const TLanguageNotify& notify);
  bool DelNotify(const TLanguageNotify& notify);
  // Runs the four phases; false when the frame already shows the language (nothing happens).
  bool SetLanguage(const std::string& language, const TLanguageNotify& notify);
  bool SetLanguageAction(const std::string& language, TActionMode action,
                         const TLanguageNotify& notify);
  bool Busy() const { return fBusy > 0; }

 private:
  friend class TLanguageFrames;
  TLanguageFrames* fOwner;  // null once the frame has left its list
  TMethodList fNotifies;
  std::string fName;
  std::string fLanguage;
  int fBusy = 0;
};

class TLanguageFrames : public TCustomClassList<TLanguageFrame> {
 public:
  TLanguageFrames() : TCustomClassList<TLanguageFrame>(true) {}
  ~TLanguageFrames() override;

  const std::string& StartupLanguage() const { return fStartupLanguage; }
  bool StartupFixed() const { return fStartupFixed; }
  bool CanDefineStartupLanguage() const { return !fStartupFixed && Count() == 0; }
  bool DefineStartupLanguage(const std::string& language, bool fix);

  // Moves notify into the frame of domain (a new one when newFrame, for the default domain);
  // true when a frame was created.
  bool AddNotify(const std::string& domain, bool newFrame, const TLanguageNotify& notify);
  bool DelNotify(const TLanguageNotify& notify);
  bool SetLanguage(const std::string& language, const TLanguageNotify& notify);
  bool GetLanguage(std::string& language, const TLanguageNotify& notify) const;
  bool GetFrame(TLanguageFrame*& frame, const TLanguageNotify& notify) const;

 private:
  friend class TLanguageFrame;
  void FrameDestroyed(const TLanguageFrame& frame);

  std::string fStartupLanguage;
  bool fStartupFixed = false;
  // Frames left empty while they were still switching; freed when the switch is over.
  std::vector<std::unique_ptr<TLanguageFrame>> fRetired;
};

}  // namespace dravik
