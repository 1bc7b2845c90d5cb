#include "runtime/ui/DravikModule.h"

#include "platform/core/classes/Strings.h"
#include "platform/core/forms/Application.h"
#include "platform/core/system/Designing.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "runtime/Dravik.h"
#include "runtime/LanguageSwitch.h"
#include "widgets/ConfigFile.h"
#include "widgets/MsgDlg.h"

namespace dravik {

namespace {

TComponentPtr<TDravikModule>& Module() {
  static TComponentPtr<TDravikModule> module;
  return module;
}

// The duplicate-drop question of the designer goes through the module's dialog.
const bool kQuestion = [] {
  SetServiceQuestion([](const std::string& name) {
    return ServiceMessage(name, mtConfirmation, {mbYes, mbNo}) == mrYes;
  });
  return true;
}();

}  // namespace

const TClassRecord& TDravikModule::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TDravikModule, TSuperDataModule>("TDravikModule", "DravikModule")
          .Method<&TDravikModule::DravikChange>("DravikChange")
          .Build();
  return record;
}
static const TClassRegistration kRegistration(TDravikModule::StaticClass());

void TDravikModule::AfterConstruction() {
  TSuperDataModule::AfterConstruction();
  std::string language;
  GetCurrentUserLanguage(language);
  TStringList known;
  Dravik()->GetLanguages(known);
  if (known.IndexOf(language) >= 0) Dravik()->SetLanguage(language);
  Config()->Load();
  fStarted = true;
}

TDravik* TDravikModule::Dravik() const {
  auto* dravik = dynamic_cast<TDravik*>(FindComponent("Dravik"));
  if (!dravik) throw EComponentError("The package's text module has no Dravik");
  return dravik;
}

TConfigFile* TDravikModule::Config() const {
  auto* config = dynamic_cast<TConfigFile*>(FindComponent("ConfigFile"));
  if (!config) throw EComponentError("The package's text module has no ConfigFile");
  return config;
}

void TDravikModule::SetLanguage(const std::string& name) {
  Dravik()->SetLanguage(name);
}

std::string TDravikModule::GetString(const std::string& id) const {
  return Dravik()->GetString(id);
}

void TDravikModule::DravikChange(TObject* sender) {
  // A switch while the store is busy is the store's own load.
  if (fStarted && Config()->Status() == isNone) Config()->Save();
  OnChange(sender);
}

TDravikModule* DravikModule() {
  if (!IsDesigning()) return nullptr;
  if (!Module()) Module() = MakeComponent<TDravikModule>(nullptr);
  return Module().get();
}

TDravikModule* ExistingDravikModule() {
  return Module().get();
}

void FreeDravikModule() {
  Module().reset();
}

int32_t ServiceMessage(const std::string& name, TMsgDlgType type, TMsgDlgButtons buttons) {
  TDravikModule* module = DravikModule();
  std::string text = name;
  if (module) {
    try {
      text = module->GetString(name);
    } catch (const EStringNotFound&) {
      // an unknown key is shown as it is
    }
  }
  return MsgEx(text, "", type, kPrivateDomain, 0, buttons);
}

bool ShowDravikHelp(int32_t context) {
  return Application && Application->HelpContext(context);
}

}  // namespace dravik
