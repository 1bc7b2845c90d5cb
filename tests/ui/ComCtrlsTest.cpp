// Status bar panels and tool bar buttons on real widgets, and language switches that reach
// collection items.

#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>

#include "platform/ui/ComCtrls.h"
#include "tests/ui/ControlsWindow.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

using StatusBars = UiTest;
using ToolBars = UiTest;

std::string PanelText(TStatusBar* bar, int index) {
  QLabel* label = bar->PanelLabel(index);
  return label ? label->text().toStdString() : "<none>";
}

}  // namespace

TEST_F(StatusBars, PanelsShowTheirTextsAndWidths) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  form->Show();
  auto* bar = Find<TStatusBar>(form, "Status");
  ASSERT_EQ(bar->Panels()->Count(), 2);
  EXPECT_EQ(PanelText(bar, 0), "Ready");
  EXPECT_EQ(PanelText(bar, 1), "Line 1");
  EXPECT_EQ(bar->PanelLabel(0)->width(), 100);
  // The last panel takes the rest of the bar, also after the window grew.
  EXPECT_EQ(bar->PanelLabel(1)->geometry(), QRect(100, 0, 260, 19));
  form->SetWidth(400);
  EXPECT_EQ(bar->PanelLabel(1)->width(), 300);
  EXPECT_EQ(bar->Top(), form->ClientHeight() - 19);
  // Panels added, changed and deleted at run time.
  TStatusPanel* extra = bar->Panels()->Add();
  extra->SetText("INS");
  EXPECT_EQ(PanelText(bar, 2), "INS");
  EXPECT_EQ(bar->PanelLabel(1)->width(), 80);
  bar->Panels()->Items(0)->SetWidth(50);
  EXPECT_EQ(bar->PanelLabel(1)->x(), 50);
  bar->Panels()->Delete(0);
  EXPECT_EQ(PanelText(bar, 0), "Line 1");
  EXPECT_EQ(bar->PanelLabel(2), nullptr);
  bar->SetSimpleText("Loading");
  bar->SetSimplePanel(true);
  EXPECT_EQ(PanelText(bar, 0), "Loading");
  EXPECT_EQ(bar->PanelLabel(1), nullptr);
  form->Free();
}

TEST_F(StatusBars, ASwitchReachesThePanels) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  form->Show();
  auto* bar = Find<TStatusBar>(form, "Status");
  TDravik* dravik = AddDravik(form);
  Translate(dravik, bar, "Text", {"Ready", "Bereit"}, "Panels[0]");
  Translate(dravik, bar, "Text", {"Line 1", "Zeile 1"}, "Panels[1]");
  Translate(dravik, bar, "SimpleText", {"", "Lädt"});
  dravik->SetLanguage("Deutsch");
  EXPECT_EQ(PanelText(bar, 0), "Bereit");
  EXPECT_EQ(PanelText(bar, 1), "Zeile 1");
  EXPECT_EQ(bar->SimpleText(), "Lädt");
  dravik->SetLanguage("English");
  EXPECT_EQ(PanelText(bar, 0), "Ready");
  form->Free();
}

TEST_F(ToolBars, ButtonsLineUpFlatWithHints) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  form->Show();
  auto* tools = Find<TToolBar>(form, "Tools");
  EXPECT_EQ(tools->Top(), 0);  // aligned to the top of the client area, below the menu
  EXPECT_EQ(tools->Width(), 360);
  auto* newButton = Find<TToolButton>(form, "NewButton");
  auto* bold = Find<TToolButton>(form, "BoldButton");
  auto* widget = static_cast<QToolButton*>(newButton->Widget());
  EXPECT_TRUE(widget->autoRaise());
  EXPECT_EQ(widget->text().toStdString(), "New");
  EXPECT_EQ(widget->toolTip().toStdString(), "New file");  // the bar's ShowHint
  EXPECT_EQ(bold->Left(), 23 + 8);
  tools->SetButtonWidth(40);
  EXPECT_EQ(bold->Left(), 40 + 8);
  EXPECT_EQ(bold->Width(), 40);
  auto* boldWidget = static_cast<QToolButton*>(bold->Widget());
  boldWidget->click();
  EXPECT_TRUE(bold->Down());
  boldWidget->click();
  EXPECT_FALSE(bold->Down());
  tools->SetFlat(false);
  EXPECT_FALSE(widget->autoRaise());
  // A hidden button leaves its place to the next.
  newButton->SetVisible(false);
  tools->ArrangeButtons();
  EXPECT_EQ(Find<TToolButton>(form, "Sep1")->Left(), 0);
  form->Free();
}

TEST_F(ToolBars, ASwitchChangesTheHints) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  form->Show();
  TDravik* dravik = AddDravik(form);
  auto* newButton = Find<TToolButton>(form, "NewButton");
  Translate(dravik, newButton, "Hint", {"New file", "Neue Datei"});
  Translate(dravik, newButton, "Caption", {"New", "Neu"});
  dravik->SetLanguage("Deutsch");
  EXPECT_EQ(newButton->Widget()->toolTip().toStdString(), "Neue Datei");
  EXPECT_EQ(static_cast<QToolButton*>(newButton->Widget())->text().toStdString(), "Neu");
  form->Free();
}

namespace {

using ListViews = UiTest;
using TreeViews = UiTest;

std::string Cell(QTreeWidget* view, int row, int column) {
  QTreeWidgetItem* item = view->topLevelItem(row);
  return item ? item->text(column).toStdString() : "<none>";
}

// Counts change events.
class TChanges : public TObject {
 public:
  void Changed(TObject*) { ++Count; }
  int Count = 0;
};

}  // namespace

TEST_F(ListViews, ColumnsAndRowsFromTheFormFile) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  form->Show();
  auto* files = Find<TListView>(form, "Files");
  QTreeWidget* view = files->View();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->columnCount(), 2);
  EXPECT_EQ(view->headerItem()->text(1).toStdString(), "Size");
  EXPECT_EQ(view->columnWidth(0), 120);
  EXPECT_EQ(Cell(view, 1, 0), "notes.txt");
  EXPECT_EQ(Cell(view, 1, 1), "3 KB");
  // Rows added and changed from code, and a sub-item beyond the columns left out.
  TListItem* row = files->Items()->Add();
  row->SetCaption("todo.txt");
  row->SubItems()->Add("1 KB");
  row->SubItems()->Add("hidden");
  EXPECT_EQ(Cell(files->View(), 2, 1), "1 KB");
  EXPECT_EQ(files->View()->topLevelItemCount(), 3);
  files->Items()->Delete(0);
  EXPECT_EQ(Cell(files->View(), 0, 0), "notes.txt");
  EXPECT_EQ(files->View()->topLevelItemCount(), 2);
  form->Free();
}

TEST_F(ListViews, TheUsersChoiceComesBack) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  form->Show();
  auto* files = Find<TListView>(form, "Files");
  TChanges changes;
  files->OnChange = TNotifyEvent::Of<&TChanges::Changed>(&changes);
  QTreeWidget* view = files->View();
  view->setCurrentItem(view->topLevelItem(1));
  EXPECT_EQ(files->ItemIndex(), 1);
  EXPECT_EQ(changes.Count, 1);
  files->SetItemIndex(0);  // from code: no change event
  EXPECT_EQ(view->currentItem(), view->topLevelItem(0));
  EXPECT_EQ(changes.Count, 1);
  form->Free();
}

TEST_F(ListViews, ASwitchReachesColumnsAndRows) {
  auto* form = UiApp().CreateForm<TControlsWindow>();
  form->Show();
  auto* files = Find<TListView>(form, "Files");
  TDravik* dravik = AddDravik(form);
  Translate(dravik, files, "Caption", {"Size", "Größe"}, "Columns[1]");
  Translate(dravik, files, "Caption", {"readme.txt", "liesmich.txt"}, "Items[0]");
  dravik->SetLanguage("Deutsch");
  EXPECT_EQ(files->View()->headerItem()->text(1).toStdString(), "Größe");
  EXPECT_EQ(Cell(files->View(), 0, 0), "liesmich.txt");
  dravik->SetLanguage("English");
  EXPECT_EQ(files->View()->headerItem()->text(1).toStdString(), "Size");
  form->Free();
}

TEST_F(TreeViews, NodesFromCodeAndTheChosenNode) {
  auto tree = MakeComponent<TTreeView>(nullptr);
  tree->HandleNeeded();
  TTreeNode* fruit = tree->AddChild(nullptr, "Fruit");
  TTreeNode* apple = tree->AddChild(fruit, "Apple");
  tree->AddChild(fruit, "Pear");
  tree->AddChild(nullptr, "Bread");
  QTreeWidget* view = tree->View();
  ASSERT_EQ(view->topLevelItemCount(), 2);
  EXPECT_EQ(view->topLevelItem(0)->child(1)->text(0).toStdString(), "Pear");
  view->topLevelItem(0)->setExpanded(true);
  TChanges changes;
  tree->OnChange = TNotifyEvent::Of<&TChanges::Changed>(&changes);
  view->setCurrentItem(view->topLevelItem(0)->child(0));
  EXPECT_EQ(tree->Selected(), apple);
  EXPECT_EQ(changes.Count, 1);
  // A change of text keeps the open branch and the choice.
  apple->SetText("Green apple");
  EXPECT_EQ(view->currentItem()->text(0).toStdString(), "Green apple");
  EXPECT_TRUE(view->topLevelItem(0)->isExpanded());
  EXPECT_EQ(apple->Index(), 0);
  // Deleting a branch drops a choice inside it.
  tree->Delete(fruit);
  EXPECT_EQ(tree->Selected(), nullptr);
  EXPECT_EQ(tree->TopCount(), 1);
  EXPECT_EQ(view->topLevelItem(0)->text(0).toStdString(), "Bread");
}
