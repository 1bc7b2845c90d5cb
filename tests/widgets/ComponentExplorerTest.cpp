// The component explorer as a developer uses it: what the filter offers, moving properties,
// components and everything between the two trees, sorting, and the dialog's OK and Cancel.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <functional>

#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "tests/ui/UiFixture.h"
#include "widgets/ButtonPanel.h"
#include "widgets/ComponentExplorer.h"
#include "widgets/ComponentExplorerDialog.h"
#include "widgets/ComponentExplorerForm.h"

using namespace dravik;

namespace {

// The tree's lines, two blanks deeper per level.
std::vector<std::string> Lines(const TTreeView* view) {
  std::vector<std::string> lines;
  std::function<void(const TTreeNode*, int)> add = [&](const TTreeNode* node, int depth) {
    lines.push_back(std::string(2 * depth, ' ') + node->Text());
    for (int i = 0; i < node->Count(); ++i) add(node->Item(i), depth + 1);
  };
  for (int i = 0; i < view->TopCount(); ++i) add(view->TopItem(i), 0);
  return lines;
}

class ComponentExplorer : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    root = MakeComponent<TForm>(nullptr);
    root->SetName("Form1");
    root->SetCaption("Main");
    label = Add<TLabel>("Label1");
    label->SetCaption("Hello");
    button = Add<TButton>("Button1");
    button->SetCaption("");
    list = Add<TListBox>("ListBox1");
    for (const char* line : {"one", "", "three"}) list->Items()->Add(line);
    Add<TLabel>("")->SetCaption("no name");
  }
  void TearDown() override {
    explorer.reset();
    root.reset();
    UiTest::TearDown();
  }
  template <class T>
  T* Add(const std::string& name) {
    T* control = Create<T>(root.get());
    control->SetName(name);
    control->SetParent(root.get());
    return control;
  }
  TComponentExplorerForm* Open(TMainEntries* entries = nullptr) {
    explorer = MakeComponent<TComponentExplorerForm>(nullptr);
    explorer->Show();
    explorer->Widget()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(explorer->Widget()));
    explorer->Init(root.get(), entries);
    return explorer.get();
  }

  // Makes node at path (texts from the root node down) the chosen one, as a click does.
  static void Choose(TTreeView* view, const std::vector<std::string>& path) {
    QTreeWidgetItem* item = view->View()->topLevelItem(0);
    for (std::size_t i = 1; i < path.size() && item; ++i) {
      QTreeWidgetItem* next = nullptr;
      for (int c = 0; c < item->childCount(); ++c)
        if (item->child(c)->text(0).toStdString() == path[i]) next = item->child(c);
      item = next;
    }
    ASSERT_NE(item, nullptr) << path.back();
    view->View()->setCurrentItem(item);
  }
  TButton* Button(const char* name) const {
    return static_cast<TButton*>(explorer->FindComponent(name));
  }
  static void ClickBox(TCheckBox* box) {
    QTest::mouseClick(box->Widget(), Qt::LeftButton, {}, QPoint(8, box->Height() / 2));
  }
  static void Click(TButton* button) { QTest::mouseClick(button->Widget(), Qt::LeftButton); }
  std::string ValueLine(const char* name) const {
    return static_cast<TEdit*>(explorer->FindComponent(name))->Text();
  }

  TComponentPtr<TForm> root;
  TLabel* label = nullptr;
  TButton* button = nullptr;
  TListBox* list = nullptr;
  TComponentPtr<TComponentExplorerForm> explorer;
};

}  // namespace

using Lines_ = std::vector<std::string>;

TEST_F(ComponentExplorer, TheDefaultFilterOffersAssignedCaptionsHintsTextsAndLines) {
  Open();
  // No unnamed component, no empty caption, no empty line; the form after its components.
  EXPECT_EQ(Lines(explorer->TreeSource()),
            (Lines_{"Form1", "  Form1: TForm", "    Caption: TCaption", "  Label1: TLabel",
                    "    Caption: TCaption", "  ListBox1: TListBox", "    Items.Strings[0]: String",
                    "    Items.Strings[2]: String"}));
  EXPECT_TRUE(Lines(explorer->TreeDest()).empty());
  // The root node is chosen: nothing single to move, but everything.
  EXPECT_FALSE(Button("ButtonAdd")->Enabled());
  EXPECT_TRUE(Button("ButtonAddAll")->Enabled());
  EXPECT_FALSE(Button("ButtonRemoveAll")->Enabled());
  EXPECT_EQ(ValueLine("EditSourceValue"), "Form1");

  // Once the button has a caption, the next rebuild offers it.
  button->SetCaption("Go");
  explorer->RefreshTreeSource();
  EXPECT_EQ(Lines(explorer->TreeSource())[1], "  Button1: TButton");
  EXPECT_EQ(Lines(explorer->TreeSource())[2], "    Caption: TCaption");
}

TEST_F(ComponentExplorer, FilterBoxesNarrowAndWidenTheOffer) {
  Open();
  // Without "Assigned" the empty line and the empty caption are offered too.
  ClickBox(explorer->FilterBox(pfAssigned));
  EXPECT_FALSE(explorer->Settings()->PropFilter().Contains(pfAssigned));
  const Lines_ lines = Lines(explorer->TreeSource());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "  Button1: TButton"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "    Items.Strings[1]: String"), lines.end());
  // Without "Caption", "Hint" and "Strings" nothing of these components is left.
  ClickBox(explorer->FilterBox(pfCaption));
  ClickBox(explorer->FilterBox(pfHint));
  ClickBox(explorer->FilterBox(pfStrings));
  EXPECT_TRUE(Lines(explorer->TreeSource()).empty());
  EXPECT_FALSE(Button("ButtonAddAll")->Enabled());
}

TEST_F(ComponentExplorer, AllDisablesTheOtherNameBoxesAndTheEditAndOffersEveryProperty) {
  Open();
  ClickBox(explorer->FilterBox(pfAll));
  for (TPropFilterEnum e : {pfCaption, pfHint, pfStrings, pfText, pfUser})
    EXPECT_FALSE(explorer->FilterBox(e)->Enabled()) << e;
  EXPECT_FALSE(explorer->EditFilter()->Enabled());
  EXPECT_TRUE(explorer->FilterBox(pfAssigned)->Enabled());
  // Every assigned property: the width, but not the position 0.
  const Lines_ lines = Lines(explorer->TreeSource());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "    Width: Integer"), lines.end());
  EXPECT_EQ(std::find(lines.begin(), lines.end(), "    Left: Integer"), lines.end());
  ClickBox(explorer->FilterBox(pfAll));
  for (TPropFilterEnum e : {pfCaption, pfHint, pfStrings, pfText, pfUser})
    EXPECT_TRUE(explorer->FilterBox(e)->Enabled()) << e;
  EXPECT_TRUE(explorer->EditFilter()->Enabled());
  EXPECT_EQ(Lines(explorer->TreeSource()).size(), 8u);
}

TEST_F(ComponentExplorer, TheUserListIsAppliedWhenTheTimerFiresAfterTyping) {
  Open();
  ClickBox(explorer->FilterBox(pfUser));
  TEdit* edit = explorer->EditFilter();
  edit->Widget()->setFocus();
  QTest::keyClicks(edit->Widget(), "Width");
  EXPECT_EQ(explorer->Settings()->PropFilterText(), "Width");
  // Each key restarts the wait; until it ends the offer stays.
  EXPECT_TRUE(explorer->TimerRefresh()->Running());
  EXPECT_EQ(Lines(explorer->TreeSource()).size(), 8u);
  explorer->TimerRefresh()->SetInterval(10);
  QTest::qWait(100);
  EXPECT_FALSE(explorer->TimerRefresh()->Running());
  const Lines_ lines = Lines(explorer->TreeSource());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "    Width: Integer"), lines.end());
}

TEST_F(ComponentExplorer, EnterChecksTheUserBoxAndLeavingTheEditApplies) {
  Open();
  TEdit* edit = explorer->EditFilter();
  edit->Widget()->setFocus();
  // The box is unchecked: typing alone starts no timer.
  QTest::keyClicks(edit->Widget(), "Width");
  EXPECT_FALSE(explorer->TimerRefresh()->Running());
  QTest::keyClick(edit->Widget(), Qt::Key_Return);
  EXPECT_TRUE(explorer->FilterBox(pfUser)->Checked());
  EXPECT_TRUE(explorer->Settings()->PropFilter().Contains(pfUser));
  Lines_ lines = Lines(explorer->TreeSource());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "    Width: Integer"), lines.end());
  EXPECT_EQ(std::find(lines.begin(), lines.end(), "    Height: Integer"), lines.end());
  // A second word, then the focus goes elsewhere: applied at once, the timer stopped.
  QTest::keyClicks(edit->Widget(), " Height");
  EXPECT_TRUE(explorer->TimerRefresh()->Running());
  explorer->TreeSource()->Widget()->setFocus();
  EXPECT_FALSE(explorer->TimerRefresh()->Running());
  lines = Lines(explorer->TreeSource());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "    Height: Integer"), lines.end());
}

TEST_F(ComponentExplorer, APropertyMovesRightAndBackAndItsComponentGoesWithItsLastProperty) {
  Open();
  Choose(explorer->TreeSource(), {"Form1", "Label1: TLabel", "Caption: TCaption"});
  EXPECT_EQ(ValueLine("EditSourceValue"), "Caption = Hello");
  ASSERT_TRUE(Button("ButtonAdd")->Enabled());
  Click(Button("ButtonAdd"));
  EXPECT_EQ(Lines(explorer->TreeDest()),
            (Lines_{"Form1", "  Label1: TLabel", "    Caption: TCaption"}));
  // Label1 had nothing else: its node left with its last property.
  EXPECT_EQ(Lines(explorer->TreeSource()).size(), 6u);
  EXPECT_TRUE(Button("ButtonRemoveAll")->Enabled());
  // Not offered again after a rebuild either.
  explorer->RefreshTreeSource();
  EXPECT_EQ(Lines(explorer->TreeSource()).size(), 6u);

  Choose(explorer->TreeDest(), {"Form1", "Label1: TLabel", "Caption: TCaption"});
  EXPECT_EQ(ValueLine("EditDestValue"), "Caption = Hello");
  Click(Button("ButtonRemove"));
  EXPECT_TRUE(Lines(explorer->TreeDest()).size() <= 1u);
  EXPECT_FALSE(Button("ButtonRemoveAll")->Enabled());
  EXPECT_EQ(Lines(explorer->TreeSource())[3], "  Label1: TLabel");
  EXPECT_EQ(Lines(explorer->TreeSource())[4], "    Caption: TCaption");
}

TEST_F(ComponentExplorer, ADoubleClickOnAnOfferedPropertyAddsIt) {
  Open();
  Choose(explorer->TreeSource(), {"Form1", "ListBox1: TListBox", "Items.Strings[2]: String"});
  EXPECT_EQ(ValueLine("EditSourceValue"), "Strings[2] = three");
  explorer->TreeSourceDblClick(explorer->TreeSource());
  EXPECT_EQ(Lines(explorer->TreeDest()),
            (Lines_{"Form1", "  ListBox1: TListBox", "    Items.Strings[2]: String"}));
  // The line's sibling joins the same component node, in order.
  Choose(explorer->TreeSource(), {"Form1", "ListBox1: TListBox", "Items.Strings[0]: String"});
  Click(Button("ButtonAdd"));
  EXPECT_EQ(Lines(explorer->TreeDest()),
            (Lines_{"Form1", "  ListBox1: TListBox", "    Items.Strings[0]: String",
                    "    Items.Strings[2]: String"}));
}

TEST_F(ComponentExplorer, ComponentsAndEverythingMoveBothWays) {
  Open();
  const Lines_ offered = Lines(explorer->TreeSource());
  Choose(explorer->TreeSource(), {"Form1", "ListBox1: TListBox"});
  Click(Button("ButtonAdd"));
  EXPECT_EQ(Lines(explorer->TreeDest()),
            (Lines_{"Form1", "  ListBox1: TListBox", "    Items.Strings[0]: String",
                    "    Items.Strings[2]: String"}));
  Click(Button("ButtonAddAll"));
  EXPECT_TRUE(Lines(explorer->TreeSource()).size() <= 1u);
  EXPECT_FALSE(Button("ButtonAddAll")->Enabled());
  Lines_ all = offered;
  EXPECT_EQ(Lines(explorer->TreeDest()), all);
  Click(Button("ButtonRemoveAll"));
  EXPECT_EQ(Lines(explorer->TreeSource()), offered);
  EXPECT_FALSE(Button("ButtonRemoveAll")->Enabled());
  EXPECT_EQ(explorer->DestEntries()->Count(), 0);
}

TEST_F(ComponentExplorer, WhatTheFilterRefusesDoesNotComeBack) {
  Open();
  Click(Button("ButtonAddAll"));
  // Captions are no longer wanted: removing everything brings back only the lines.
  ClickBox(explorer->FilterBox(pfCaption));
  Click(Button("ButtonRemoveAll"));
  EXPECT_EQ(Lines(explorer->TreeSource()),
            (Lines_{"Form1", "  ListBox1: TListBox", "    Items.Strings[0]: String",
                    "    Items.Strings[2]: String"}));
  // Wanted again, they are offered again: they were not selected.
  ClickBox(explorer->FilterBox(pfCaption));
  EXPECT_EQ(Lines(explorer->TreeSource()).size(), 8u);
}

TEST_F(ComponentExplorer, TheSortButtonsOrderComponentsByNameOrType) {
  list->SetName("AList");
  Open();
  Choose(explorer->TreeSource(), {"Form1", "Label1: TLabel"});
  Click(Button("ButtonAdd"));
  auto* byType = static_cast<TRadioButton*>(explorer->FindComponent("RadioCompType"));
  QTest::mouseClick(byType->Widget(), Qt::LeftButton, {}, QPoint(8, byType->Height() / 2));
  EXPECT_FALSE(explorer->Settings()->SortByCompName());
  EXPECT_EQ(Lines(explorer->TreeSource()),
            (Lines_{"Form1", "  TForm, Form1", "    Caption: TCaption", "  TListBox, AList",
                    "    Items.Strings[0]: String", "    Items.Strings[2]: String"}));
  EXPECT_EQ(Lines(explorer->TreeDest())[1], "  TLabel, Label1");
  auto* byName = static_cast<TRadioButton*>(explorer->FindComponent("RadioCompName"));
  QTest::mouseClick(byName->Widget(), Qt::LeftButton, {}, QPoint(8, byName->Height() / 2));
  EXPECT_TRUE(explorer->Settings()->SortByCompName());
  EXPECT_EQ(Lines(explorer->TreeSource())[1], "  AList: TListBox");
  EXPECT_EQ(Lines(explorer->TreeDest())[1], "  Label1: TLabel");
}

TEST_F(ComponentExplorer, OnlyNodesWithAnEntryCollapse) {
  Open();
  QTreeWidget* view = explorer->TreeSource()->View();
  QTreeWidgetItem* rootItem = view->topLevelItem(0);
  ASSERT_TRUE(rootItem->isExpanded());
  view->collapseItem(rootItem);
  EXPECT_TRUE(rootItem->isExpanded());
  QTreeWidgetItem* component = rootItem->child(0);
  view->expandItem(component);
  view->collapseItem(component);
  EXPECT_FALSE(component->isExpanded());
}

TEST_F(ComponentExplorer, TheCallersSelectionIsShownAndWrittenBack) {
  TComponentEntries entries(nullptr, nullptr);
  TMainEntry* entry = TMainEntry::CreateEx(&entries, label, "Label1", "TLabel", {stPubPropObject});
  TPropertyEntry::CreateByRef(entry, label->ClassType().FindProp("Caption"));
  Open(&entries);
  EXPECT_EQ(Lines(explorer->TreeDest()),
            (Lines_{"Form1", "  Label1: TLabel", "    Caption: TCaption"}));
  EXPECT_EQ(Lines(explorer->TreeSource()).size(), 6u);
  Click(Button("ButtonAddAll"));
  // Nothing leaves the window before GetParam.
  EXPECT_EQ(entries.Count(), 1);
  explorer->GetParam();
  EXPECT_EQ(entries.Count(), 3);
  TStringList names;
  entries.MoveSubItemsToStrings(true, names);
  EXPECT_EQ(names.Count(), 4);
}

TEST_F(ComponentExplorer, AnEmbeddedExplorerFollowsItsSettingsAtOnce) {
  auto host = MakeComponent<TForm>(nullptr);
  auto* embedded = Create<TComponentExplorer>(host.get());
  embedded->SetParent(host.get());
  embedded->SetAlign(alClient);
  host->SetClientWidth(635);
  host->SetClientHeight(324);
  host->Show();
  TComponentExplorerForm* window = embedded->Form();
  // Before Init a change sets the controls only.
  embedded->Settings()->SetPropFilter({pfCaption});
  EXPECT_FALSE(window->FilterBox(pfStrings)->Checked());
  EXPECT_TRUE(window->TreeSource()->TopCount() == 0);
  embedded->Init(root.get(), nullptr);
  // Without "Assigned" the empty captions are offered too.
  EXPECT_EQ(Lines(window->TreeSource()),
            (Lines_{"Form1", "  Button1: TButton", "    Caption: TCaption", "  Form1: TForm",
                    "    Caption: TCaption", "  Label1: TLabel", "    Caption: TCaption",
                    "  ListBox1: TListBox", "    Caption: TCaption"}));
  embedded->Settings()->SetPropFilter({pfStrings, pfAssigned});
  EXPECT_TRUE(window->FilterBox(pfStrings)->Checked());
  EXPECT_EQ(Lines(window->TreeSource()),
            (Lines_{"Form1", "  ListBox1: TListBox", "    Items.Strings[0]: String",
                    "    Items.Strings[2]: String"}));
  embedded->Settings()->SetSortByCompName(false);
  EXPECT_TRUE(static_cast<TRadioButton*>(window->FindComponent("RadioCompType"))->Checked());
  EXPECT_EQ(Lines(window->TreeSource())[1], "  TListBox, ListBox1");
  // The panel flags hide their panels.
  embedded->Settings()->SetPropFilterVisible(false);
  EXPECT_FALSE(window->FindComponent("PanelFilter") &&
               static_cast<TControl*>(window->FindComponent("PanelFilter"))->Visible());
}

namespace {

using ExplorerDialog = ComponentExplorer;

// Runs action once the dialog that is about to open is on screen.
void WhenShown(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr) << "no dialog is open";
    action(modal);
  });
}

TButton* PanelButton(TComponentExplorerDialog& dialog, int index) {
  return dialog.Form()->ButtonPanel()->Items(index)->Button();
}

TComponentExplorerForm* Window(TComponentExplorerDialog& dialog) {
  return dialog.Form()->Explorer()->Form();
}

std::string ScreenshotPath(const std::string& name) {
  const std::filesystem::path folder =
      std::filesystem::path(DRAVIK_BIN_DIR).parent_path() / "screenshots";
  std::filesystem::create_directories(folder);
  return (folder / name).string();
}

}  // namespace

TEST_F(ExplorerDialog, OkReplacesTheEntriesAndKeepsTheSettings) {
  auto dialog = MakeComponent<TComponentExplorerDialog>(nullptr);
  TComponentEntries entries(nullptr, nullptr);
  WhenShown([&](QWidget* window) {
    EXPECT_EQ(window->windowTitle().toStdString(), "Select Components and Properties");
    EXPECT_FALSE(dialog->Form()->HelpButton()->Visible());
    EXPECT_EQ(dialog->Form()->ClientWidth(), 635);
    TComponentExplorerForm* explorerWindow = Window(*dialog);
    Choose(explorerWindow->TreeSource(), {"Form1", "Label1: TLabel"});
    QTest::mouseClick(static_cast<TButton*>(explorerWindow->FindComponent("ButtonAdd"))->Widget(),
                      Qt::LeftButton);
    ClickBox(explorerWindow->FilterBox(pfHint));
    QTest::mouseClick(PanelButton(*dialog, 0)->Widget(), Qt::LeftButton);
  });
  EXPECT_TRUE(dialog->ExecuteEx(root.get(), &entries, nullptr));
  EXPECT_EQ(dialog->Form(), nullptr);
  ASSERT_EQ(entries.Count(), 1);
  EXPECT_EQ(entries.Items(0)->Ref(), label);
  EXPECT_FALSE(dialog->Settings()->PropFilter().Contains(pfHint));
}

TEST_F(ExplorerDialog, CancelChangesNeitherTheEntriesNorTheSettings) {
  auto dialog = MakeComponent<TComponentExplorerDialog>(nullptr);
  dialog->SetHelpContext(42);
  TComponentEntries entries(nullptr, nullptr);
  TMainEntry* entry = TMainEntry::CreateEx(&entries, label, "Label1", "TLabel", {stPubPropObject});
  TPropertyEntry::CreateByRef(entry, label->ClassType().FindProp("Caption"));
  WhenShown([&](QWidget*) {
    EXPECT_TRUE(dialog->Form()->HelpButton()->Visible());
    TComponentExplorerForm* explorerWindow = Window(*dialog);
    QTest::mouseClick(
        static_cast<TButton*>(explorerWindow->FindComponent("ButtonRemoveAll"))->Widget(),
        Qt::LeftButton);
    ClickBox(explorerWindow->FilterBox(pfAll));
    QTest::mouseClick(PanelButton(*dialog, 1)->Widget(), Qt::LeftButton);
  });
  EXPECT_FALSE(dialog->ExecuteEx(root.get(), &entries, nullptr));
  ASSERT_EQ(entries.Count(), 1);
  EXPECT_EQ(entries.Items(0)->Props()->Count(), 1);
  EXPECT_FALSE(dialog->Settings()->PropFilter().Contains(pfAll));
}

TEST_F(ExplorerDialog, Screenshots) {
  Open();
  Choose(explorer->TreeSource(), {"Form1", "ListBox1: TListBox"});
  Click(Button("ButtonAdd"));
  Choose(explorer->TreeSource(), {"Form1", "Label1: TLabel", "Caption: TCaption"});
  ASSERT_TRUE(
      explorer->Widget()->grab().save(QString::fromStdString(ScreenshotPath("explorer.png"))));
  auto dialog = MakeComponent<TComponentExplorerDialog>(nullptr);
  dialog->SetHelpContext(1);
  TComponentEntries entries(nullptr, nullptr);
  WhenShown([&](QWidget* window) {
    Choose(Window(*dialog)->TreeSource(), {"Form1", "Form1: TForm", "Caption: TCaption"});
    EXPECT_TRUE(window->grab().save(QString::fromStdString(ScreenshotPath("explorer_dialog.png"))));
    dialog->Form()->SetModalResult(mrCancel);
  });
  dialog->ExecuteEx(root.get(), &entries, nullptr);
}

// The windows carry their own TDravik in the package's private domain: a switch of that domain
// reaches every open explorer window and the dialog with its buttons, and back again.
TEST_F(ExplorerDialog, TheWindowsFollowThePackagesLanguage) {
  Open();
  auto* language = static_cast<TDravik*>(explorer->FindComponent("Dravik"));
  ASSERT_NE(language, nullptr);
  auto dialog = MakeComponent<TComponentExplorerDialog>(nullptr);
  dialog->SetHelpContext(1);
  TComponentEntries entries(nullptr, nullptr);
  WhenShown([&](QWidget* window) {
    language->SetLanguage("Deutsch");
    EXPECT_EQ(explorer->Caption(), "Komponenten-Explorer");
    EXPECT_EQ(window->windowTitle().toStdString(), "Komponenten und Eigenschaften w\xC3\xA4hlen");
    EXPECT_EQ(PanelButton(*dialog, 0)->Caption(), "&OK");
    EXPECT_EQ(PanelButton(*dialog, 1)->Caption(), "&Abbrechen");
    EXPECT_EQ(PanelButton(*dialog, 2)->Caption(), "&Hilfe");
    TComponentExplorerForm* inside = Window(*dialog);
    EXPECT_EQ(static_cast<TButton*>(inside->FindComponent("ButtonAdd"))->Caption(), "&Hinzu >");
    EXPECT_EQ(static_cast<TGroupBox*>(inside->FindComponent("GroupFilter"))->Caption(),
              "Eigenschaftsfilter");
    EXPECT_TRUE(
        window->grab().save(QString::fromStdString(ScreenshotPath("explorer_dialog-Deutsch.png"))));
    language->SetLanguage("English");
    EXPECT_EQ(PanelButton(*dialog, 1)->Caption(), "&Cancel");
    EXPECT_EQ(window->windowTitle().toStdString(), "Select Components and Properties");
    dialog->Form()->SetModalResult(mrCancel);
  });
  dialog->ExecuteEx(root.get(), &entries, nullptr);
}
