#pragma once
// The package's own texts: the messages of its design-time windows and tools are named strings
// of one data module, in English and German, shown through the library's message dialog. The
// module exists exactly while a development-environment host is present, and keeps the user's
// choice of language in the designers' shared settings.

#include <cstdint>
#include <string>

#include "widgets/MsgDlgRules.h"
#include "widgets/SuperForm.h"

namespace dravik {

class TConfigFile;
class TDravik;

class TDravikModule : public TSuperDataModule {
 public:
  using TSuperDataModule::TSuperDataModule;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TDravik* Dravik() const;
  // The store of the chosen language: section "Global" of the designers' registry key.
  TConfigFile* Config() const;
  void SetLanguage(const std::string& name);
  std::string GetString(const std::string& id) const;
  // The instance's OnChange: saves the new language, then calls OnChange with the sender.
  void DravikChange(TObject* sender);
  TNotifyEvent OnChange;

 protected:
  // Starts in the user's language, then in the saved choice.
  void AfterConstruction() override;

 private:
  bool fStarted = false;  // the saved choice is loaded: later changes are saved
};

inline constexpr const char* kPrivateDomain = ".Private Quelt Domain";

// The module while a development-environment host is present (made on first use); else null.
TDravikModule* DravikModule();
// The module when it is there; never makes it (for those that go after it may have gone).
TDravikModule* ExistingDravikModule();
// Frees the module (the host goes, or a test ends).
void FreeDravikModule();

// The package's message dialog for the module's named string name (name itself without the
// module), in the package's own language domain; answers the modal result.
int32_t ServiceMessage(const std::string& name, TMsgDlgType type, TMsgDlgButtons buttons);
// Opens the application's help at context; false when there is no help to open.
bool ShowDravikHelp(int32_t context);

}  // namespace dravik
