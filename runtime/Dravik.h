#pragma once
// TDravik: the component that makes one form multilingual. It owns the form's language manager,
// joins a language frame by its Domain and TopLevel, aligns itself with the frame when loaded,
// and exchanges its form's values when the frame switches language.

#include <functional>
#include <memory>
#include <string>

#include "platform/core/classes/Component.h"
#include "platform/core/typinfo/MethodList.h"
#include "runtime/LanguageManager.h"
#include "runtime/LanguageNotify.h"

namespace dravik {

class TDravik;
class TStrings;

using TLangNotify = TEvent<"TLangNotify", TDravik* /*Dravik*/>;
// A function that answers a named string in the current language.
using TGetString = std::function<std::string(const std::string& id)>;
// Called with the active language after every switch of a unit-level instance.
using TUnitNotify = std::function<void(const std::string& language)>;
using EStringNotFound = ExceptionClass<"EStringNotFound", Exception>;

class TDravik : public TComponent {
 public:
  explicit TDravik(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  std::string GetDomain() const;
  void SetDomain(const std::string& value);
  std::string GetLanguage() const;
  void SetLanguage(const std::string& value);
  bool GetTopLevel() const { return fTopLevel; }
  void SetTopLevel(bool value);
  // The names of all languages, sorted.
  void GetLanguages(TStrings& list) const;
  // The named string in the active language; EStringNotFound when there is none.
  std::string GetString(const std::string& id) const;
  TLanguageManager* LanguageManager() const { return fLanguageManager.get(); }

  // The handler through which the frame runs the four phases on this instance.
  void SetLanguageNotify(TObject* sender, const std::string& language, TActionMode action);
  TLanguageNotify Handler() { return TLanguageNotify::Of<&TDravik::SetLanguageNotify>(this); }

  static void RegisterCreateNotify(const TLangNotify& notify);
  static void UnregisterCreateNotify(const TLangNotify& notify);
  static void SendCreateNotify(TDravik* dravik);
  void RegisterChangeNotify(const TLangNotify& notify);
  void UnregisterChangeNotify(const TLangNotify& notify);
  void SendChangeNotify(TDravik* dravik);

  TNotifyEvent BeforeChange;
  TNotifyEvent OnChange;
  TNotifyEvent AfterChange;

  void DefineProperties(TFiler& filer) override;
  void Loaded() override;
  void SetName(const std::string& name) override;

 protected:
  // Joins the default domain's frame and tells the create listeners.
  void AfterConstruction() override;
  // Tells the change listeners that the instance goes, leaves its frame, frees the manager.
  void BeforeDestruction() override;
  virtual void TriggerBeforeChange();
  virtual void TriggerOnChange();
  virtual void TriggerAfterChange();

 private:
  friend void InitDravik(const std::string&, TUnitNotify, TGetString&);
  // The design-time placeholder that opens the language list; holds nothing.
  TComponent* LanguagesPlaceholder() const { return nullptr; }
  void SetLanguagesPlaceholder(TComponent*) {}
  // Runs proc; an exception goes to the application's exception display.
  void Guarded(const std::function<void()>& proc);
  void SetLanguageDirect(const std::string& language);
  void AlignWithFrame(const std::string& frame);
  bool Reading() const;

  bool fStripNameDigits = false;
  std::unique_ptr<TMethodList> fChangeNotifies;
  bool fIsLoaded = false;
  int32_t fChangeLock = 0;
  std::string fPendingLanguage;
  std::unique_ptr<TLanguageManager> fLanguageManager;
  TUnitNotify fUnitNotify;
  std::string fDomain;
  bool fTopLevel = false;
};

// While one exists, a TDravik may be made without owner (the unit-level instances).
class TOwnerlessScope {
 public:
  TOwnerlessScope();
  ~TOwnerlessScope();
  TOwnerlessScope(const TOwnerlessScope&) = delete;
  TOwnerlessScope& operator=(const TOwnerlessScope&) = delete;
};

// Builds an owner-less instance from the module resource resName (a stored TDravik), keeps it
// until FinalizeDravikUnits, and answers its string function.
void InitDravik(const std::string& resName, TUnitNotify onChange, TGetString& getString);
// Frees the unit-level instances.
void FinalizeDravikUnits();

// Asks the user a yes/no question named by a package string; absent without the package's
// text module. The module installs it; null removes it.
using TServiceQuestion = std::function<bool(const std::string& stringName)>;
void SetServiceQuestion(TServiceQuestion question);

}  // namespace dravik
