// Main and popup menus read from a form file: the Qt menus they build, clicks, check and radio
// items, shortcuts, and a language switch that reaches the menu texts.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/streams/StringStream.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "tests/ui/ControlsWindow.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

using Menus = UiTest;

// A separator is "-"; one that carries a text too (which styles draw as a label) adds it.
std::vector<std::string> Texts(QWidget* container) {
  std::vector<std::string> texts;
  for (QAction* action : container->actions())
    texts.push_back((action->isSeparator() ? "-" : "") + action->text().toStdString());
  return texts;
}

// Counts the clicks of menu items.
class TClicks : public TObject {
 public:
  void Clicked(TObject* sender) { Senders.push_back(sender); }
  std::vector<TObject*> Senders;
};

}  // namespace

TEST_F(Menus, TheFormFileBuildsTheMenuTreeAndTheBar) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  form->Show();
  auto* menu = Find<TMainMenu>(form, "MainMenu1");
  ASSERT_EQ(form->Menu(), menu);
  auto* file = Find<TMenuItem>(form, "File1");
  EXPECT_EQ(file->Parent(), menu->Items());
  EXPECT_EQ(file->GetParentMenu(), menu);
  EXPECT_EQ(Find<TMenuItem>(form, "Open1")->Parent(), file);
  EXPECT_EQ(Texts(menu->MenuBar()), (std::vector<std::string>{"&File", "&View"}));
  EXPECT_EQ(Texts(file->SubMenu()), (std::vector<std::string>{"&Open...", "&Save", "-", "E&xit"}));
  QAction* open = Find<TMenuItem>(form, "Open1")->Action();
  EXPECT_EQ(open->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
  EXPECT_EQ(open->statusTip().toStdString(), "Opens a file");
  // The bar sits above the client area, which keeps the size the form file gave it.
  EXPECT_EQ(form->ClientHeight(), 240);
  EXPECT_EQ(form->Height(), 240 + TMainMenu::BarHeight());
  EXPECT_EQ(form->ClientWidget()->geometry().top(), TMainMenu::BarHeight());
  EXPECT_EQ(menu->MenuBar()->geometry().height(), TMainMenu::BarHeight());
  EXPECT_EQ(menu->FindItem(TextToShortCut("Ctrl+S")), Find<TMenuItem>(form, "Save1"));
  form->Free();
}

TEST_F(Menus, ShortCutsReadAndPrintAsText) {
  EXPECT_EQ(ShortCutToText(16467), "Ctrl+S");
  EXPECT_EQ(ShortCutToText(scShift | scCtrl | 0x74), "Shift+Ctrl+F5");
  EXPECT_EQ(ShortCutToText(0x2E), "Del");
  EXPECT_EQ(ShortCutToText(0), "");
  EXPECT_EQ(TextToShortCut("ctrl+s"), scCtrl | 'S');
  EXPECT_EQ(TextToShortCut("Alt+F12"), scAlt | 0x7B);
  for (const char* bad : {"", "Ctrl+", "Ctrl+Foo", "Hyper+S", "F0", "F99", "+"})
    EXPECT_EQ(TextToShortCut(bad), 0) << bad;
  // Every key with a name comes back from its text with every combination of modifiers.
  int named = 0;
  for (TShortCut key = 1; key < 256; ++key) {
    for (TShortCut mods : {0, scShift, scCtrl, scAlt, scShift | scCtrl | scAlt}) {
      const std::string text = ShortCutToText(key | mods);
      if (text.empty()) continue;
      ++named;
      EXPECT_EQ(TextToShortCut(text), key | mods) << text;
    }
  }
  EXPECT_GT(named, 5 * 60);
}

TEST_F(Menus, ClicksCheckAndRadioItems) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  form->Show();
  TClicks clicks;
  auto* small = Find<TMenuItem>(form, "Small1");
  auto* large = Find<TMenuItem>(form, "Large1");
  auto* grid = Find<TMenuItem>(form, "Grid1");
  auto* exit = Find<TMenuItem>(form, "Exit1");
  for (TMenuItem* item : {large, grid, exit})
    item->OnClick = TNotifyEvent::Of<&TClicks::Clicked>(&clicks);
  Find<TMenuItem>(form, "View1")->Action();  // the submenu with its actions
  EXPECT_TRUE(small->Action()->isChecked());
  large->SetChecked(true);  // a radio item unchecks its group
  EXPECT_FALSE(small->Checked());
  EXPECT_FALSE(small->Action()->isChecked());
  EXPECT_TRUE(large->Action()->isChecked());
  // Without AutoCheck a click leaves Checked alone, whatever Qt did to the action.
  large->Action()->trigger();
  EXPECT_TRUE(large->Checked());
  EXPECT_TRUE(large->Action()->isChecked());
  grid->Action()->trigger();
  EXPECT_TRUE(grid->Checked());
  grid->Action()->trigger();
  EXPECT_FALSE(grid->Checked());
  EXPECT_FALSE(grid->Action()->isChecked());
  exit->SetEnabled(false);
  EXPECT_FALSE(exit->Action()->isEnabled());
  exit->Click();
  EXPECT_EQ(clicks.Senders, (std::vector<TObject*>{large, grid, grid}));
  form->Free();
}

TEST_F(Menus, ASwitchChangesTheMenuTexts) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  form->Show();
  TDravik* dravik = AddDravik(form);
  auto* file = Find<TMenuItem>(form, "File1");
  auto* open = Find<TMenuItem>(form, "Open1");
  Translate(dravik, file, "Caption", {"&File", "&Datei"});
  Translate(dravik, open, "Caption", {"&Open...", "Ö&ffnen..."});
  Translate(dravik, open, "Hint", {"Opens a file", "Öffnet eine Datei"});
  Translate(dravik, Find<TMenuItem>(form, "Copy1"), "Caption", {"Copy", "Kopieren"});
  auto* popup = Find<TPopupMenu>(form, "Popup1");
  QMenu* popupWidget = popup->Menu();
  dravik->SetLanguage("Deutsch");
  EXPECT_EQ(Texts(Find<TMainMenu>(form, "MainMenu1")->MenuBar()),
            (std::vector<std::string>{"&Datei", "&View"}));
  EXPECT_EQ(Texts(file->SubMenu())[0], "Ö&ffnen...");
  EXPECT_EQ(open->Action()->statusTip().toStdString(), "Öffnet eine Datei");
  EXPECT_EQ(Texts(popupWidget), (std::vector<std::string>{"Kopieren"}));
  dravik->SetLanguage("English");
  EXPECT_EQ(Texts(file->SubMenu())[0], "&Open...");
  form->Free();
}

TEST_F(Menus, ItemsAreWrittenUnderTheirMenu) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  TStringStream binary, text;
  WriteComponent(binary, form);
  binary.SetPosition(0);
  ObjectBinaryToText(binary, text);
  const std::string written = text.DataString();
  EXPECT_NE(written.find("  object MainMenu1: TMainMenu\n    object File1: TMenuItem\n"),
            std::string::npos)
      << written;
  EXPECT_NE(written.find("      object Open1: TMenuItem\n"), std::string::npos);
  EXPECT_NE(written.find("ShortCut = 16463"), std::string::npos);
  EXPECT_NE(written.find("Menu = MainMenu1"), std::string::npos);
  EXPECT_NE(written.find("PopupMenu = Popup1"), std::string::npos);
  form->Free();
}

TEST_F(Menus, FreedItemsAndMenusLeaveNoReferences) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  form->Show();
  auto* file = Find<TMenuItem>(form, "File1");
  Find<TMenuItem>(form, "Save1")->Free();
  EXPECT_EQ(file->Count(), 3);
  EXPECT_EQ(Texts(file->SubMenu()), (std::vector<std::string>{"&Open...", "-", "E&xit"}));
  auto* names = Find<TListBox>(form, "Names");
  EXPECT_EQ(names->Widget()->contextMenuPolicy(), Qt::CustomContextMenu);
  Find<TPopupMenu>(form, "Popup1")->Free();
  EXPECT_EQ(names->PopupMenu(), nullptr);
  EXPECT_EQ(names->Widget()->contextMenuPolicy(), Qt::DefaultContextMenu);
  // The menu goes with its items' parent links; the items stay, owned by the form.
  Find<TMainMenu>(form, "MainMenu1")->Free();
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_EQ(file->Parent(), nullptr);
  EXPECT_EQ(form->ClientWidget()->geometry().top(), 0);
  form->Free();
}
