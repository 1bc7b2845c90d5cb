#include "platform/ui/Menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <cctype>

#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/Graphics.h"

namespace dravik {

namespace {

const TClassRegistration kRegistrations[] = {
    TClassRegistration(TMenuItem::StaticClass()),
    TClassRegistration(TMainMenu::StaticClass()),
    TClassRegistration(TPopupMenu::StaticClass()),
};

struct TKeyName {
  int Code;
  const char* Name;
};

// Key codes that have a name of their own; letters and digits stand for themselves.
constexpr TKeyName kKeyNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
};

std::string KeyName(int code) {
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'))
    return std::string(1, static_cast<char>(code));
  if (code >= 0x70 && code <= 0x87) return "F" + std::to_string(code - 0x6F);
  for (const TKeyName& k : kKeyNames)
    if (k.Code == code) return k.Name;
  return {};
}

int KeyCode(const std::string& name) {
  if (name.size() == 1) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return c;
  }
  for (const TKeyName& k : kKeyNames)
    if (SameText(name, k.Name)) return k.Code;
  if (name.size() > 1 && (name[0] == 'F' || name[0] == 'f')) {
    const std::string digits = name.substr(1);
    if (digits.size() <= 2 && std::all_of(digits.begin(), digits.end(), ::isdigit)) {
      const int n = std::stoi(digits);
      if (n >= 1 && n <= 24) return 0x6F + n;
    }
  }
  return 0;
}

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  const std::string key = KeyName(shortCut & 0xFF);
  if (key.empty()) return {};
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + key;
}

TShortCut TextToShortCut(const std::string& text) {
  TShortCut modifiers = 0;
  std::string rest = text;
  for (;;) {
    const std::size_t plus = rest.find('+', 1);
    if (plus == std::string::npos) break;
    const std::string part = rest.substr(0, plus);
    if (SameText(part, "Shift")) {
      modifiers |= scShift;
    } else if (SameText(part, "Ctrl")) {
      modifiers |= scCtrl;
    } else if (SameText(part, "Alt")) {
      modifiers |= scAlt;
    } else {
      return 0;
    }
    rest = rest.substr(plus + 1);
  }
  const int code = KeyCode(rest);
  return code ? modifiers | code : 0;
}

// --- TMenuItem ---------------------------------------------------------------------------------

const TClassRecord& TMenuItem::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TMenuItem, TComponent>("TMenuItem", "Menus")
          .Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck)
          .Default(false)
          .Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
          .TypeAs(MakeAliasType(TypeInfo<std::string>(), "TCaption"))
          .Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
          .Default(false)
          .Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
          .Default(true)
          .Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex)
          .Default(0)
          .Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
          .Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem)
          .Default(false)
          .Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
          .TypeAs(MakeAliasType(TypeInfo<int32_t>(), "TShortCut"))
          .Default(0)
          .Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
          .Default(true)
          .Event("OnClick", &TMenuItem::OnClick)
          .Build();
  return record;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

void TMenuItem::BeforeDestruction() {
  if (fParent) fParent->Remove(this);
  for (TMenuItem* child : fItems) child->fParent = nullptr;
  fItems.clear();
  delete fSubMenu.data();
  delete fAction.data();
  TComponent::BeforeDestruction();
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->fParent) item = item->fParent;
  return item->fMenu;
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  if (item->fParent) item->fParent->Remove(item);
  index = std::clamp(index, 0, Count());
  fItems.insert(fItems.begin() + index, item);
  item->fParent = this;
  ChildrenChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(fItems.begin(), fItems.end(), item);
  if (it == fItems.end()) return;
  fItems.erase(it);
  item->fParent = nullptr;
  ChildrenChanged();
}

void TMenuItem::ChildrenChanged() {
  if (fContainer) {
    ShowChildren(fContainer);
  } else if (fAction) {
    UpdateAction();  // the first child gives the item its submenu
  }
}

TComponent* TMenuItem::GetParentComponent() const {
  if (fParent && fParent->fMenu) return fParent->fMenu;
  return fParent;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = dynamic_cast<TMenu*>(parent)) {
    menu->Items()->Add(this);
  } else if (auto* item = dynamic_cast<TMenuItem*>(parent)) {
    item->Add(this);
  }
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TMenuItem* child : fItems)
    if (child->Owner() == root) proc(child);
}

QAction* TMenuItem::Action() {
  if (!fAction) {
    fAction = new QAction();
    QObject::connect(fAction, &QAction::triggered, [this] { Click(); });
    UpdateAction();
  }
  return fAction;
}

void TMenuItem::UpdateAction() {
  if (!fAction) return;
  fAction->setSeparator(IsLine());
  // A separator's "-" is no label: styles would draw it beside the line.
  fAction->setText(IsLine() ? QString() : QText(fCaption));
  fAction->setToolTip(QText(fHint));
  fAction->setStatusTip(QText(fHint));
  fAction->setEnabled(fEnabled);
  fAction->setVisible(fVisible);
  fAction->setCheckable(fChecked || fAutoCheck || fRadioItem);
  fAction->setChecked(fChecked);
  fAction->setShortcut(QKeySequence(QText(ShortCutToText(fShortCut))));
  if (!fItems.empty() && !fSubMenu) {
    fSubMenu = new QMenu();
    fAction->setMenu(fSubMenu.data());
  }
  if (fSubMenu) ShowChildren(fSubMenu);
}

void TMenuItem::ShowChildren(QWidget* container) {
  fContainer = container;
  for (QAction* action : container->actions()) container->removeAction(action);
  for (TMenuItem* child : fItems) container->addAction(child->Action());
}

void TMenuItem::SetCaption(const std::string& value) {
  fCaption = value;
  UpdateAction();
}

void TMenuItem::SetChecked(bool value) {
  if (value && fRadioItem) UncheckGroup();
  fChecked = value;
  UpdateAction();
}

// Checking a radio item unchecks the radio items of its group beside it.
void TMenuItem::UncheckGroup() {
  if (!fParent || IsLoading()) return;
  for (TMenuItem* sibling : fParent->fItems) {
    if (sibling == this || !sibling->fRadioItem || sibling->fGroupIndex != fGroupIndex) continue;
    sibling->fChecked = false;
    sibling->UpdateAction();
  }
}

void TMenuItem::SetAutoCheck(bool value) {
  fAutoCheck = value;
  UpdateAction();
}

void TMenuItem::SetRadioItem(bool value) {
  fRadioItem = value;
  UpdateAction();
}

void TMenuItem::SetEnabled(bool value) {
  fEnabled = value;
  UpdateAction();
}

void TMenuItem::SetVisible(bool value) {
  fVisible = value;
  UpdateAction();
}

void TMenuItem::SetHint(const std::string& value) {
  fHint = value;
  UpdateAction();
}

void TMenuItem::SetShortCut(TShortCut value) {
  fShortCut = value;
  UpdateAction();
}

void TMenuItem::Click() {
  if (!fEnabled) return;
  if (fAutoCheck) SetChecked(fRadioItem || !fChecked);
  // Qt toggles a checkable action by itself; the property decides what it shows.
  if (fAction) fAction->setChecked(fChecked);
  OnClick(this);
}

// --- TMenu -------------------------------------------------------------------------------------

const TClassRecord& TMenu::StaticClass() {
  static const TClassRecord& record = TClassBuilder<TMenu, TComponent>("TMenu", "Menus").Build();
  return record;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), fItems(MakeComponent<TMenuItem>(nullptr)) {
  fItems->fMenu = this;
}

void TMenu::BeforeDestruction() {
  fItems.reset();
  TComponent::BeforeDestruction();
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  fItems->GetChildren(proc, root);
}

TMenuItem* TMenu::FindItem(TShortCut shortCut) const {
  std::vector<TMenuItem*> pending{fItems.get()};
  while (!pending.empty()) {
    TMenuItem* item = pending.back();
    pending.pop_back();
    if (shortCut && item->ShortCut() == shortCut) return item;
    for (int i = item->Count() - 1; i >= 0; --i) pending.push_back(item->Items(i));
  }
  return nullptr;
}

// --- TMainMenu, TPopupMenu ---------------------------------------------------------------------

const TClassRecord& TMainMenu::StaticClass() {
  static const TClassRecord& record = TClassBuilder<TMainMenu, TMenu>("TMainMenu", "Menus").Build();
  return record;
}

QMenuBar* TMainMenu::MenuBar(QWidget* window) {
  if (!fBar) {
    fBar = new QMenuBar(window);
    fBar->setNativeMenuBar(false);
    ShowItemsIn(fBar);
  } else if (fBar->parentWidget() != window) {
    fBar->setParent(window);
  }
  return fBar;
}

int32_t TMainMenu::BarHeight() {
  static const int32_t height = [] {
    QMenuBar bar;
    bar.setNativeMenuBar(false);
    bar.addAction(QStringLiteral("File"));
    return static_cast<int32_t>(bar.sizeHint().height());
  }();
  return height;
}

void TMainMenu::BeforeDestruction() {
  delete fBar.data();
  TMenu::BeforeDestruction();
}

const TClassRecord& TPopupMenu::StaticClass() {
  static const TClassRecord& record = TClassBuilder<TPopupMenu, TMenu>("TPopupMenu", "Menus")
                                          .Event("OnPopup", &TPopupMenu::OnPopup)
                                          .Build();
  return record;
}

QMenu* TPopupMenu::Menu() {
  if (!fMenuWidget) {
    fMenuWidget = new QMenu();
    ShowItemsIn(fMenuWidget);
  }
  return fMenuWidget;
}

void TPopupMenu::Popup(int32_t x, int32_t y) {
  OnPopup(this);
  Menu()->popup(QPoint(x, y));
}

void TPopupMenu::BeforeDestruction() {
  delete fMenuWidget.data();
  TMenu::BeforeDestruction();
}

}  // namespace dravik
