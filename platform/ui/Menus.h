#pragma once
// Menus: items are components owned by the form and children of their menu or parent item; a
// main menu shows in its form's menu bar, a popup menu where a control asks for it. Each item
// keeps a Qt action (and a Qt menu once it has children) made when the menu is first shown.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <string>
#include <vector>

#include "platform/core/classes/Component.h"
#include "platform/core/typinfo/Method.h"

namespace dravik {

class TMenu;

// A key with its modifiers, as form files store it: the key code in the low byte.
using TShortCut = int32_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// "Ctrl+S", "Shift+F5", "Del"; empty for 0.
std::string ShortCutToText(TShortCut shortCut);
// The inverse; 0 for a text that names no key.
TShortCut TextToShortCut(const std::string& text);

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value);
  bool Checked() const { return fChecked; }
  void SetChecked(bool value);
  bool AutoCheck() const { return fAutoCheck; }
  void SetAutoCheck(bool value);
  bool RadioItem() const { return fRadioItem; }
  void SetRadioItem(bool value);
  int32_t GroupIndex() const { return fGroupIndex; }
  void SetGroupIndex(int32_t value) { fGroupIndex = value; }
  bool Enabled() const { return fEnabled; }
  void SetEnabled(bool value);
  bool Visible() const { return fVisible; }
  void SetVisible(bool value);
  const std::string& Hint() const { return fHint; }
  void SetHint(const std::string& value);
  TShortCut ShortCut() const { return fShortCut; }
  void SetShortCut(TShortCut value);
  bool IsLine() const { return fCaption == "-"; }

  int Count() const { return static_cast<int>(fItems.size()); }
  TMenuItem* Items(int index) const { return fItems.at(static_cast<std::size_t>(index)); }
  TMenuItem* Parent() const { return fParent; }
  // The menu this item belongs to, through its parents.
  TMenu* GetParentMenu() const;
  void Add(TMenuItem* item) { Insert(Count(), item); }
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);

  TNotifyEvent OnClick;
  virtual void Click();

  // The item's action, made on first use with its submenu.
  QAction* Action();
  QMenu* SubMenu() const { return fSubMenu.data(); }

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

 protected:
  void BeforeDestruction() override;

 private:
  friend class TMenu;
  void UpdateAction();
  // Shows the children's actions in container (the submenu, or the menu's bar or popup).
  void ShowChildren(QWidget* container);
  void ChildrenChanged();
  void UncheckGroup();

  std::string fCaption;
  std::string fHint;
  bool fChecked = false;
  bool fAutoCheck = false;
  bool fRadioItem = false;
  int32_t fGroupIndex = 0;
  bool fEnabled = true;
  bool fVisible = true;
  TShortCut fShortCut = 0;
  TMenuItem* fParent = nullptr;
  TMenu* fMenu = nullptr;          // set on a menu's root item only
  std::vector<TMenuItem*> fItems;  // not owned: the form owns them
  QPointer<QAction> fAction;       // owned
  QPointer<QMenu> fSubMenu;        // owned
  QPointer<QWidget> fContainer;    // where the children show
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  // The invisible root whose children are the menu's top items.
  TMenuItem* Items() const { return fItems.get(); }
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  // Finds an item of the menu by its shortcut.
  TMenuItem* FindItem(TShortCut shortCut) const;

 protected:
  void BeforeDestruction() override;
  void ShowItemsIn(QWidget* container) { fItems->ShowChildren(container); }

 private:
  TComponentPtr<TMenuItem> fItems;
};

class TMainMenu : public TMenu {
 public:
  using TMenu::TMenu;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  // The bar under window, made on first use; the menu owns it.
  QMenuBar* MenuBar(QWidget* window);
  QMenuBar* MenuBar() const { return fBar.data(); }
  // The height a menu bar takes from its form.
  static int32_t BarHeight();

 protected:
  void BeforeDestruction() override;

 private:
  QPointer<QMenuBar> fBar;
};

class TPopupMenu : public TMenu {
 public:
  using TMenu::TMenu;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  // Opens the menu at the screen position and returns at once.
  void Popup(int32_t x, int32_t y);
  // The menu's window, made on first use; the menu owns it.
  QMenu* Menu();
  TNotifyEvent OnPopup;

 protected:
  void BeforeDestruction() override;

 private:
  QPointer<QMenu> fMenuWidget;
};

}  // namespace dravik
