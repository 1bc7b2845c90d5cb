#include "editor/DravikExpert.h"

#include <algorithm>
#include <cstdio>

#include "editor/DravikEditor.h"
#include "editor/DravikView.h"
#include "editor/PackageUnits.h"
#include "platform/core/forms/Application.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ide/Registration.h"
#include "platform/ui/Forms.h"
#include "runtime/Dravik.h"
#include "runtime/UnitLanguageFile.h"
#include "runtime/ui/DravikModule.h"
#include "source/DesignInterfaceTools.h"
#include "source/MultilingualUnit.h"

namespace dravik {

namespace {

// Numbers the menu items of every expert of the package while it is loaded.
int gMenuItemCounter = 0;
TDravikExpert* gExpert = nullptr;

int32_t Message(const std::string& key, TMsgDlgType type, TMsgDlgButtons buttons = {}) {
  return ServiceMessage(key, type, buttons);
}

// The environment's main menu; null without an environment or a menu.
TIMainMenu* MainMenu() {
  TIToolServices* services = ToolServices();
  return services ? services->GetMainMenu() : nullptr;
}

TUnitAnswer AskInDialog(const std::string& key, TUnitQuestion kind) {
  int32_t result = mrNone;
  switch (kind) {
    case TUnitQuestion::Report:
      Message(key, mtError);
      return TUnitAnswer::Yes;
    case TUnitQuestion::Confirm:
      result = Message(key, mtConfirmation, {mbYes, mbNo});
      break;
    case TUnitQuestion::Continue:
      result = Message(key, mtError, {mbYes, mbNo});
      break;
    case TUnitQuestion::Choose:
      result = Message(key, mtError, {mbYes, mbNo, mbCancel});
      break;
  }
  return result == mrYes  ? TUnitAnswer::Yes
         : result == mrNo ? TUnitAnswer::No
                          : TUnitAnswer::Cancel;
}

}  // namespace

std::string GetClassDesc(const std::string& className) {
  if (!className.empty() && (className[0] == 'T' || className[0] == 't'))
    return className.substr(1);
  return className;
}

const TClassRecord& TCustomExpert::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TCustomExpert, TObject>("TCustomExpert", "DravikExpert").Build();
  return record;
}

TCustomExpert::~TCustomExpert() {
  ClearMenuItems();
}

std::string TCustomExpert::GetName() {
  return GetClassDesc(ClassName());
}
std::string TCustomExpert::GetAuthor() {
  return "Quelt";
}
std::string TCustomExpert::GetComment() {
  return "Quelt Extension for Delphi";
}
std::string TCustomExpert::GetPage() {
  return "Quelt";
}
std::string TCustomExpert::GetGlyph() {
  return {};
}
TExpertStyle TCustomExpert::GetStyle() {
  return esStandard;
}
TExpertState TCustomExpert::GetState() {
  return esEnabled;
}
std::string TCustomExpert::GetIDString() {
  return "Quelt." + GetName();
}
std::string TCustomExpert::GetMenuText() {
  return GetName();
}
void TCustomExpert::Execute() {}

std::string TCustomExpert::AddMenuItem(int menuIndex, int itemIndex, std::function<void()> onClick,
                                       int flags, const std::string& shortCut,
                                       const std::string& caption) {
  TIMainMenu* menu = MainMenu();
  if (!menu || menu->MenuCount() == 0) return {};
  const int menus = menu->MenuCount();
  if (menuIndex < 0) menuIndex = menus + menuIndex + 1;
  menuIndex = std::clamp(menuIndex, 0, menus - 1);
  const int items = menu->ItemCount(menuIndex);
  if (itemIndex < 0) itemIndex = items + itemIndex + 1;
  itemIndex = std::clamp(itemIndex, 0, items);

  char name[16];
  std::snprintf(name, sizeof name, "quelt_mi_%04X", gMenuItemCounter++ & 0xFFFF);
  TIdeMenuItem item;
  item.Name = name;
  item.Caption = caption;
  item.ShortCut = shortCut;
  item.Flags = flags;
  item.OnClick = std::move(onClick);
  if (!menu->InsertItem(menuIndex, itemIndex, std::move(item))) return {};
  fMenuNames.push_back(name);
  return name;
}

TIdeMenuItem* TCustomExpert::GetMenuItem(const std::string& name) {
  TIMainMenu* menu = MainMenu();
  return menu ? menu->FindItem(name) : nullptr;
}

void TCustomExpert::DelMenuItem(const std::string& name) {
  if (TIMainMenu* menu = MainMenu()) menu->DeleteItem(name);
  std::erase_if(fMenuNames, [&](const std::string& listed) { return SameText(listed, name); });
}

void TCustomExpert::ClearMenuItems() {
  if (TIMainMenu* menu = MainMenu())
    for (const std::string& name : fMenuNames) menu->DeleteItem(name);
  fMenuNames.clear();
}

const TClassRecord& TDravikExpert::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TDravikExpert, TCustomExpert>("TDravikExpert", "DravikExpert").Build();
  return record;
}

TDravikExpert::TDravikExpert() {
  constexpr int kFlags = mfEnabled | mfVisible;
  AddMenuItem(
      1, -1, [this] { ExecuteHandler(); }, kFlags, "", "-");
  FormItemName = AddMenuItem(
      1, -1, [this] { ExecuteForm(); }, kFlags, "", "Form");
  UnitItemName = AddMenuItem(
      1, -1, [this] { ExecuteUnit(); }, kFlags, "Shift+F9", "Unit");
  AutoItemName = AddMenuItem(
      1, -1, [this] { ExecuteAuto(); }, kFlags, "Shift+F11", "Auto");
  ReportItemName = AddMenuItem(
      1, -1, [this] { ExecuteReport(); }, kFlags, "", "Report");
  LangChange();
  if (TDravikModule* module = DravikModule())
    module->OnChange = TNotifyEvent::Of<&TDravikExpert::ModuleChange>(this);
}

TDravikExpert::~TDravikExpert() {
  if (TDravikModule* module = ExistingDravikModule();
      module && module->OnChange == TNotifyEvent::Of<&TDravikExpert::ModuleChange>(this))
    module->OnChange = {};
  if (gExpert == this) gExpert = nullptr;
}

std::string TDravikExpert::GetGlyph() {
  return "#32512";
}

void TDravikExpert::LangChange() {
  TDravikModule* module = DravikModule();
  TIMainMenu* menu = MainMenu();
  if (!module || !menu) return;
  const std::pair<const std::string*, const char*> items[] = {
      {&FormItemName, "Multilingual Form"},
      {&UnitItemName, "Multilingual Unit"},
      {&AutoItemName, "Multilingual Form Unit"},
      {&ReportItemName, "Dravik Report"}};
  for (const auto& [name, key] : items) {
    std::string caption;
    try {
      caption = module->GetString(key);
    } catch (const EStringNotFound&) {
      // the item keeps its caption
    }
    if (!caption.empty()) menu->SetItemCaption(*name, caption);
  }
}

void TDravikExpert::ModuleChange(TObject*) {
  LangChange();
}

bool TDravikExpert::GetModuleInterface(std::string& fileName,
                                       std::unique_ptr<TIModuleInterface>& module) {
  fileName.clear();
  module.reset();
  if (!DravikModule()) return false;
  TIToolServices* services = ToolServices();
  if (!services) {
    Message("ENoDesignInterface", mtError);
    return false;
  }
  fileName = Trim(services->GetCurrentFile());
  if (fileName.empty()) {
    Message("ENoFileName", mtError);
    return false;
  }
  module = services->GetModuleInterface(UnitFileWithExtension(fileName, ".pas"));
  if (!module) {
    Message("ENoModuleInterface", mtError);
    return false;
  }
  return true;
}

void TDravikExpert::ExecuteForm() {
  std::string fileName;
  std::unique_ptr<TIModuleInterface> module;
  if (!GetModuleInterface(fileName, module)) return;
  std::unique_ptr<TIFormInterface> form = module->GetFormInterface();
  if (!form) {
    Message("ENoFormInterface", mtError);
    return;
  }
  form->ShowForm();
  if (Application) Application->ProcessMessages();
  TComponent* root = form->GetFormComponent();
  if (!root) {
    Message("ENoFormComponent", mtError);
    return;
  }
  TComponent* dravik = nullptr;
  for (int i = 0; i < root->ComponentCount() && !dravik; ++i)
    if (root->Components(i)->ClassName() == "TDravik") dravik = root->Components(i);
  if (!dravik && Message("CreateMultilingualForm", mtConfirmation, {mbYes, mbNo}) == mrYes) {
    dravik = form->CreateComponent("TDravik", 32, 8, 8, 8);
    if (!dravik) Message("EAddComponentFailed", mtError);
  }
  if (dravik && ExecuteDravikEditor("", dynamic_cast<TDravik*>(dravik))) form->MarkModified();
}

void TDravikExpert::ExecuteUnit() {
  std::string fileName;
  std::unique_ptr<TIModuleInterface> module;
  if (!GetModuleInterface(fileName, module)) return;
  TUnitCommandHost host;
  host.ReadSource = [](const std::string& pasName, std::string& text) {
    return ReadSourceCode(false, pasName, text);
  };
  host.WriteSource = [](const std::string& pasName, const std::string& text) {
    return WriteSourceCode(false, pasName, text);
  };
  host.Ask = AskInDialog;
  host.Edit = [](TDravik& dravik, const std::string& pasName) {
    return ExecuteDravikEditor(pasName, &dravik);
  };
  ExecuteUnitCommand(fileName, host);
}

void TDravikExpert::ExecuteAuto() {
  std::string fileName;
  std::unique_ptr<TIModuleInterface> module;
  if (!GetModuleInterface(fileName, module)) return;
  if (module->GetFormInterface())
    ExecuteForm();
  else
    ExecuteUnit();
}

void TDravikExpert::ExecuteReport() {
  ShowDravikViewForm();
}

// The package's one expert, made while its text module exists; the environment owns it.
void RegisterDravikExpertUnit() {
  if (gExpert || !DravikModule()) return;
  auto expert = std::make_unique<TDravikExpert>();
  gExpert = expert.get();
  RegisterLibraryExpert(std::move(expert));
}

}  // namespace dravik
