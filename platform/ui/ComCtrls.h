#pragma once
// Common controls: the status bar with its panels, the tool bar with its buttons, the list
// view in report style and the tree view.

#include <memory>

#include "platform/core/classes/Collection.h"
#include "platform/ui/Controls.h"
#include "platform/ui/StdCtrls.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace dravik {

class TStatusPanel : public TCollectionItem {
 public:
  explicit TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void Assign(const TPersistent* source) override;
  const std::string& Text() const { return fText; }
  void SetText(const std::string& value);
  int32_t Width() const { return fWidth; }
  void SetWidth(int32_t value);
  TAlignment Alignment() const { return fAlignment; }
  void SetAlignment(TAlignment value);

 private:
  std::string fText;
  int32_t fWidth = 50;
  TAlignment fAlignment = taLeftJustify;
};

class TStatusPanels : public TCollection {
 public:
  explicit TStatusPanels(TPersistent* owner) : TCollection(TStatusPanel::StaticClass(), owner) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TStatusPanel* Items(int index) const {
    return static_cast<TStatusPanel*>(TCollection::Items(index));
  }
  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
};

// A bar of text panels along the bottom of its form; with SimplePanel one text fills it.
class TStatusBar : public TWinControl, public TCollectionOwner {
 public:
  explicit TStatusBar(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TStatusPanels* Panels() const { return fPanels.get(); }
  void SetPanels(TStatusPanels* panels) { fPanels->Assign(panels); }
  bool SimplePanel() const { return fSimplePanel; }
  void SetSimplePanel(bool value);
  const std::string& SimpleText() const { return fSimpleText; }
  void SetSimpleText(const std::string& value);
  void CollectionNotify(TCollection& collection, TCollectionItem* item,
                        TCollectionNotification action) override;
  // The label showing panel index (the simple text's with SimplePanel); null without window.
  QLabel* PanelLabel(int index);
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void InitWidget() override;

 private:
  // Makes one label per panel (or one for the simple text) and places them.
  void PanelsToWidget();
  std::unique_ptr<TStatusPanels> fPanels;
  bool fSimplePanel = false;
  std::string fSimpleText;
};

class TToolButton;

// A row of flat buttons along the top of its form.
class TToolBar : public TWinControl {
 public:
  explicit TToolBar(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  int32_t ButtonWidth() const { return fButtonWidth; }
  void SetButtonWidth(int32_t value);
  int32_t ButtonHeight() const { return fButtonHeight; }
  void SetButtonHeight(int32_t value);
  bool Flat() const { return fFlat; }
  void SetFlat(bool value);
  bool ShowCaptions() const { return fShowCaptions; }
  void SetShowCaptions(bool value);
  void Loaded() override;
  // Places the buttons side by side in child order.
  void ArrangeButtons();

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;

 private:
  int32_t fButtonWidth = 23;
  int32_t fButtonHeight = 22;
  bool fFlat = true;
  bool fShowCaptions = false;
};

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
const TTypeInfo& TypeInfoFor(TToolButtonStyle);

class TToolButton : public TControl {
 public:
  explicit TToolButton(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TToolButtonStyle Style() const { return fStyle; }
  void SetStyle(TToolButtonStyle value);
  bool Down() const { return fDown; }
  void SetDown(bool value);
  int32_t ImageIndex() const { return fImageIndex; }
  void SetImageIndex(int32_t value) { fImageIndex = value; }
  void SetParentComponent(TComponent* parent) override;

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void TextChanged() override;

 private:
  TToolBar* Bar() const;
  TToolButtonStyle fStyle = tbsButton;
  bool fDown = false;
  int32_t fImageIndex = -1;
};

class TListColumn : public TCollectionItem {
 public:
  explicit TListColumn(TCollection* collection) : TCollectionItem(collection) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void Assign(const TPersistent* source) override;
  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value);
  int32_t Width() const { return fWidth; }
  void SetWidth(int32_t value);

 private:
  std::string fCaption;
  int32_t fWidth = 50;
};

class TListColumns : public TCollection {
 public:
  explicit TListColumns(TPersistent* owner) : TCollection(TListColumn::StaticClass(), owner) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TListColumn* Items(int index) const {
    return static_cast<TListColumn*>(TCollection::Items(index));
  }
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
};

// A row of a list view: its caption in the first column, its sub-items in the next ones.
class TListItem : public TCollectionItem {
 public:
  explicit TListItem(TCollection* collection);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void Assign(const TPersistent* source) override;
  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value);
  TStrings* SubItems() const { return fSubItems.get(); }
  void SetSubItems(TStrings* value) { fSubItems->Assign(value); }

 private:
  void SubItemsChanged(TObject*) { Changed(false); }
  std::string fCaption;
  std::unique_ptr<TStringList> fSubItems;
};

class TListItems : public TCollection {
 public:
  explicit TListItems(TPersistent* owner) : TCollection(TListItem::StaticClass(), owner) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TListItem* Items(int index) const { return static_cast<TListItem*>(TCollection::Items(index)); }
  TListItem* Add() { return static_cast<TListItem*>(TCollection::Add()); }
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
const TTypeInfo& TypeInfoFor(TViewStyle);

using TLVColumnClickEvent =
    TEvent<"TLVColumnClickEvent", TObject* /*Sender*/, TListColumn* /*Column*/>;

// A list of rows under column headers (every view style shows as the report).
class TListView : public TWinControl, public TCollectionOwner {
 public:
  explicit TListView(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TListColumns* Columns() const { return fColumns.get(); }
  void SetColumns(TListColumns* value) { fColumns->Assign(value); }
  TListItems* Items() const { return fItems.get(); }
  void SetItems(TListItems* value) { fItems->Assign(value); }
  TViewStyle ViewStyle() const { return fViewStyle; }
  void SetViewStyle(TViewStyle value) { fViewStyle = value; }
  bool RowSelect() const { return fRowSelect; }
  void SetRowSelect(bool value) { fRowSelect = value; }
  // The selected row, -1 for none; the user's choice comes back here.
  int32_t ItemIndex() const { return fItemIndex; }
  void SetItemIndex(int32_t value);
  TNotifyEvent OnChange;
  // A click on a column's header; a column the user sizes keeps its new width.
  TLVColumnClickEvent OnColumnClick;
  void CollectionNotify(TCollection& collection, TCollectionItem* item,
                        TCollectionNotification action) override;
  // The Qt view; null without window.
  QTreeWidget* View();

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void InitWidget() override;
  TColor DefaultColor() const override { return clWindow; }

 private:
  void ContentsToWidget();
  std::unique_ptr<TListColumns> fColumns;
  std::unique_ptr<TListItems> fItems;
  TViewStyle fViewStyle = vsIcon;
  bool fRowSelect = false;
  int32_t fItemIndex = -1;
  bool fUpdatingWidget = false;
};

class TTreeView;

// A node of a tree view; the view owns its nodes, which are made from code.
class TTreeNode {
 public:
  const std::string& Text() const { return fText; }
  void SetText(const std::string& value);
  // The node above; null for a top node.
  TTreeNode* Parent() const { return fParent && fParent->fParent ? fParent : nullptr; }
  int Count() const { return static_cast<int>(fChildren.size()); }
  TTreeNode* Item(int index) const { return fChildren.at(static_cast<std::size_t>(index)).get(); }
  int Index() const;
  // The object the node stands for; not owned.
  TObject* Data() const { return fData; }
  void SetData(TObject* data) { fData = data; }
  bool Expanded() const { return fExpanded; }
  void SetExpanded(bool value);
  // Opens the node, and with recurse every node below it.
  void Expand(bool recurse);
  // Orders the children by their text, ignoring case.
  void AlphaSort();

 private:
  friend class TTreeView;
  TTreeNode(TTreeView* view, TTreeNode* parent, std::string text)
      : fView(view), fParent(parent), fText(std::move(text)) {}
  TTreeView* fView;
  TTreeNode* fParent;
  std::string fText;
  TObject* fData = nullptr;
  bool fExpanded = false;
  std::vector<std::unique_ptr<TTreeNode>> fChildren;
};

using TTVCollapsingEvent =
    TEvent<"TTVCollapsingEvent", TObject* /*Sender*/, TTreeNode* /*Node*/, bool& /*AllowCollapse*/>;

class TTreeView : public TWinControl {
 public:
  explicit TTreeView(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  // Appends a node under parent (a top node for null).
  TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
  void Delete(TTreeNode* node);
  void Clear();
  int TopCount() const { return fRoot->Count(); }
  TTreeNode* TopItem(int index) const { return fRoot->Item(index); }
  // The node the user chose, null for none.
  TTreeNode* Selected() const { return fSelected; }
  void SetSelected(TTreeNode* node);
  // Changes between these reach the widget once, when the last bracket closes.
  void BeginUpdate() { ++fUpdateCount; }
  void EndUpdate();
  TNotifyEvent OnChange;
  TTVCollapsingEvent OnCollapsing;
  TNotifyEvent OnDblClick;
  QTreeWidget* View() const;

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void InitWidget() override;
  TColor DefaultColor() const override { return clWindow; }

 private:
  friend class TTreeNode;
  void NodesToWidget();
  void ExpandedToWidget(const TTreeNode* node);
  void ExpandedFromWidget(QTreeWidgetItem* item, bool expanded);
  std::unique_ptr<TTreeNode> fRoot;
  TTreeNode* fSelected = nullptr;
  bool fUpdatingWidget = false;
  int fUpdateCount = 0;
};

// A read-only memo that shows its lines formatted: HTML, or RTF as RtfToHtml reads it.
class TRichEdit : public TMemo {
 public:
  explicit TRichEdit(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

 protected:
  std::string AsHtml(const std::string& text) const override;
};

}  // namespace dravik
