#include "platform/ui/ComCtrls.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <functional>

#include "platform/core/system/RtfToHtml.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/Graphics.h"

namespace dravik {

namespace {

const TClassRegistration kRegistrations[] = {
    TClassRegistration(TStatusBar::StaticClass()),  TClassRegistration(TToolBar::StaticClass()),
    TClassRegistration(TToolButton::StaticClass()), TClassRegistration(TListView::StaticClass()),
    TClassRegistration(TTreeView::StaticClass()),   TClassRegistration(TRichEdit::StaticClass()),
};

}  // namespace

// --- TStatusPanel, TStatusBar ------------------------------------------------------------------

const TClassRecord& TStatusPanel::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TStatusPanel, TCollectionItem>("TStatusPanel", "ComCtrls")
          .Property("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
          .Default(taLeftJustify)
          .Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
          .Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
          .Build();
  return record;
}

void TStatusPanel::Assign(const TPersistent* source) {
  if (auto* panel = dynamic_cast<const TStatusPanel*>(source)) {
    fText = panel->fText;
    fWidth = panel->fWidth;
    fAlignment = panel->fAlignment;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

// Each setter tells the bar through the collection, so a language switch reaches the widget.
void TStatusPanel::SetText(const std::string& value) {
  if (value == fText) return;
  fText = value;
  Changed(false);
}

void TStatusPanel::SetWidth(int32_t value) {
  if (value == fWidth) return;
  fWidth = value;
  Changed(false);
}

void TStatusPanel::SetAlignment(TAlignment value) {
  if (value == fAlignment) return;
  fAlignment = value;
  Changed(false);
}

const TClassRecord& TStatusPanels::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TStatusPanels, TCollection>("TStatusPanels", "ComCtrls").Build();
  return record;
}

const TClassRecord& TStatusBar::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TStatusBar, TWinControl>("TStatusBar", "ComCtrls")
          .Property("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels)
          .Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel)
          .Default(false)
          .Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
          .Build();
  return record;
}

TStatusBar::TStatusBar(TComponent* owner)
    : TWinControl(owner), fPanels(std::make_unique<TStatusPanels>(this)) {
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
}

QWidget* TStatusBar::CreateWidget(QWidget* parentWidget) {
  return new QWidget(parentWidget);
}

void TStatusBar::InitWidget() {
  TWinControl::InitWidget();
  PanelsToWidget();
}

// A panel is announced whole; a removal is followed by a change once the panel is out, and an
// update ends with one.
void TStatusBar::CollectionNotify(TCollection& collection, TCollectionItem*,
                                  TCollectionNotification action) {
  if ((action == cnAdded || action == cnChanged) && collection.UpdateCount() == 0) PanelsToWidget();
}

void TStatusBar::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  TWinControl::SetBounds(left, top, width, height);
  PanelsToWidget();
}

void TStatusBar::SetSimplePanel(bool value) {
  fSimplePanel = value;
  PanelsToWidget();
}

void TStatusBar::SetSimpleText(const std::string& value) {
  fSimpleText = value;
  PanelsToWidget();
}

void TStatusBar::PanelsToWidget() {
  QWidget* bar = Widget();
  if (!bar) return;
  const int count = fSimplePanel ? 1 : fPanels->Count();
  QList<QLabel*> labels = bar->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  while (labels.size() > count) delete labels.takeLast();
  while (labels.size() < count) {
    auto* label = new QLabel(bar);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextFormat(Qt::PlainText);
    label->show();
    labels.append(label);
  }
  int32_t x = 0;
  for (int i = 0; i < count; ++i) {
    QLabel* label = labels[i];
    if (fSimplePanel) {
      label->setText(QText(fSimpleText));
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      label->setGeometry(0, 0, Width(), Height());
      break;
    }
    const TStatusPanel* panel = fPanels->Items(i);
    label->setText(QText(panel->Text()));
    label->setAlignment(ToQtAlignment(panel->Alignment()));
    // The last panel takes what is left of the bar.
    const int32_t width = i + 1 == count ? std::max(0, Width() - x) : panel->Width();
    label->setGeometry(x, 0, width, Height());
    x += width;
  }
}

QLabel* TStatusBar::PanelLabel(int index) {
  if (!Widget()) return nullptr;
  QList<QLabel*> labels = Widget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  return index >= 0 && index < labels.size() ? labels[index] : nullptr;
}

// --- TToolBar, TToolButton ---------------------------------------------------------------------

const TTypeInfo& TypeInfoFor(TToolButtonStyle) {
  static const TTypeInfo& info = MakeEnumType(
      "TToolButtonStyle", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"});
  return info;
}

const TClassRecord& TToolBar::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TToolBar, TWinControl>("TToolBar", "ComCtrls")
          .Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight)
          .Default(22)
          .Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth)
          .Default(23)
          .Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat)
          .Default(true)
          .Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions)
          .Default(false)
          .Build();
  return record;
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
}

QWidget* TToolBar::CreateWidget(QWidget* parentWidget) {
  return new QWidget(parentWidget);
}

void TToolBar::Loaded() {
  TWinControl::Loaded();
  ArrangeButtons();
}

void TToolBar::ArrangeButtons() {
  if (IsLoading()) return;
  int32_t x = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    auto* button = dynamic_cast<TToolButton*>(Controls(i));
    if (!button || !button->Visible()) continue;
    const bool separator = button->Style() == tbsSeparator || button->Style() == tbsDivider;
    const int32_t width = separator ? 8 : fButtonWidth;
    button->SetBounds(x, 2, width, fButtonHeight);
    x += width;
  }
}

void TToolBar::SetButtonWidth(int32_t value) {
  fButtonWidth = value;
  ArrangeButtons();
}

void TToolBar::SetButtonHeight(int32_t value) {
  fButtonHeight = value;
  ArrangeButtons();
}

void TToolBar::SetFlat(bool value) {
  fFlat = value;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* button = dynamic_cast<QToolButton*>(Controls(i)->Widget()))
      button->setAutoRaise(value);
}

// Kept for form files: without image lists the buttons always show their captions.
void TToolBar::SetShowCaptions(bool value) {
  fShowCaptions = value;
}

const TClassRecord& TToolButton::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TToolButton, TControl>("TToolButton", "ComCtrls")
          .Property("Down", &TToolButton::Down, &TToolButton::SetDown)
          .Default(false)
          .Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex)
          .Default(-1)
          .Property("Style", &TToolButton::Style, &TToolButton::SetStyle)
          .Default(tbsButton)
          .Build();
  return record;
}

TToolButton::TToolButton(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 23, 22);
}

TToolBar* TToolButton::Bar() const {
  return dynamic_cast<TToolBar*>(Parent());
}

void TToolButton::SetParentComponent(TComponent* parent) {
  TControl::SetParentComponent(parent);
  if (TToolBar* bar = Bar()) bar->ArrangeButtons();
}

QWidget* TToolButton::CreateWidget(QWidget* parentWidget) {
  auto* button = new QToolButton(parentWidget);
  TToolBar* bar = Bar();
  button->setAutoRaise(!bar || bar->Flat());
  button->setCheckable(fStyle == tbsCheck);
  button->setChecked(fDown);
  // Without images the caption is what the button shows.
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  if (fStyle == tbsSeparator || fStyle == tbsDivider) button->setEnabled(false);
  QObject::connect(button, &QToolButton::clicked, [this](bool checked) {
    if (fStyle == tbsCheck) fDown = checked;
    Click();
  });
  return button;
}

void TToolButton::TextChanged() {
  auto* button = static_cast<QToolButton*>(Widget());
  if (!button) return;
  const bool separator = fStyle == tbsSeparator || fStyle == tbsDivider;
  button->setText(separator ? QString() : QText(Caption()));
}

void TToolButton::SetStyle(TToolButtonStyle value) {
  fStyle = value;
  if (auto* button = static_cast<QToolButton*>(Widget())) button->setCheckable(value == tbsCheck);
  TextChanged();
  if (TToolBar* bar = Bar()) bar->ArrangeButtons();
}

void TToolButton::SetDown(bool value) {
  fDown = value;
  if (auto* button = static_cast<QToolButton*>(Widget())) button->setChecked(value);
}

// --- TListColumn, TListItem, TListView ---------------------------------------------------------

const TClassRecord& TListColumn::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TListColumn, TCollectionItem>("TListColumn", "ComCtrls")
          .Property("Caption", &TListColumn::Caption, &TListColumn::SetCaption)
          .TypeAs(MakeAliasType(TypeInfo<std::string>(), "TCaption"))
          .Property("Width", &TListColumn::Width, &TListColumn::SetWidth)
          .Build();
  return record;
}

void TListColumn::Assign(const TPersistent* source) {
  if (auto* column = dynamic_cast<const TListColumn*>(source)) {
    fCaption = column->fCaption;
    fWidth = column->fWidth;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

void TListColumn::SetCaption(const std::string& value) {
  if (value == fCaption) return;
  fCaption = value;
  Changed(false);
}

void TListColumn::SetWidth(int32_t value) {
  if (value == fWidth) return;
  fWidth = value;
  Changed(false);
}

const TClassRecord& TListColumns::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TListColumns, TCollection>("TListColumns", "ComCtrls").Build();
  return record;
}

const TClassRecord& TListItem::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TListItem, TCollectionItem>("TListItem", "ComCtrls")
          .Property("Caption", &TListItem::Caption, &TListItem::SetCaption)
          .Property("SubItems", &TListItem::SubItems, &TListItem::SetSubItems)
          .Build();
  return record;
}

TListItem::TListItem(TCollection* collection)
    : TCollectionItem(collection), fSubItems(std::make_unique<TStringList>()) {
  fSubItems->OnChange = TNotifyEvent::Of<&TListItem::SubItemsChanged>(this);
}

void TListItem::Assign(const TPersistent* source) {
  if (auto* item = dynamic_cast<const TListItem*>(source)) {
    fCaption = item->fCaption;
    fSubItems->Assign(item->fSubItems.get());
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

void TListItem::SetCaption(const std::string& value) {
  if (value == fCaption) return;
  fCaption = value;
  Changed(false);
}

const TClassRecord& TListItems::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TListItems, TCollection>("TListItems", "ComCtrls").Build();
  return record;
}

const TTypeInfo& TypeInfoFor(TViewStyle) {
  static const TTypeInfo& info =
      MakeEnumType("TViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"});
  return info;
}

const TClassRecord& TListView::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TListView, TWinControl>("TListView", "ComCtrls")
          .Property("Columns", &TListView::Columns, &TListView::SetColumns)
          .Property("Items", &TListView::Items, &TListView::SetItems)
          .Property("ItemIndex", &TListView::ItemIndex, &TListView::SetItemIndex)
          .Default(-1)
          .Property("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect)
          .Default(false)
          .Property("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle)
          .Default(vsIcon)
          .Event("OnChange", &TListView::OnChange)
          .Event("OnColumnClick", &TListView::OnColumnClick)
          .Build();
  return record;
}

TListView::TListView(TComponent* owner)
    : TWinControl(owner),
      fColumns(std::make_unique<TListColumns>(this)),
      fItems(std::make_unique<TListItems>(this)) {
  SetBounds(0, 0, 250, 150);
  SetColor(clWindow);
}

QWidget* TListView::CreateWidget(QWidget* parentWidget) {
  auto* view = new QTreeWidget(parentWidget);
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->header()->setStretchLastSection(false);
  view->header()->setSectionsClickable(true);
  QObject::connect(view, &QTreeWidget::currentItemChanged, [this, view](QTreeWidgetItem* item) {
    if (fUpdatingWidget) return;
    fItemIndex = item ? view->indexOfTopLevelItem(item) : -1;
    OnChange(this);
  });
  QObject::connect(view->header(), &QHeaderView::sectionClicked, [this](int section) {
    if (section < fColumns->Count()) OnColumnClick(this, fColumns->Items(section));
  });
  QObject::connect(view->header(), &QHeaderView::sectionResized,
                   [this](int section, int, int width) {
                     if (!fUpdatingWidget && section < fColumns->Count())
                       fColumns->Items(section)->SetWidth(width);
                   });
  return view;
}

void TListView::InitWidget() {
  TWinControl::InitWidget();
  ContentsToWidget();
}

// As with the status bar: the view follows each item added and each change.
void TListView::CollectionNotify(TCollection& collection, TCollectionItem*,
                                 TCollectionNotification action) {
  if ((action == cnAdded || action == cnChanged) && collection.UpdateCount() == 0)
    ContentsToWidget();
}

QTreeWidget* TListView::View() {
  return static_cast<QTreeWidget*>(Widget());
}

void TListView::ContentsToWidget() {
  auto* view = static_cast<QTreeWidget*>(Widget());
  if (!view) return;
  fUpdatingWidget = true;
  const int columns = std::max(1, fColumns->Count());
  view->setColumnCount(columns);
  view->setHeaderHidden(fColumns->Count() == 0);
  QStringList headers;
  for (int i = 0; i < fColumns->Count(); ++i) {
    headers << QText(fColumns->Items(i)->Caption());
    view->setColumnWidth(i, fColumns->Items(i)->Width());
  }
  view->setHeaderLabels(headers);
  view->setSelectionBehavior(fRowSelect ? QAbstractItemView::SelectRows
                                        : QAbstractItemView::SelectItems);
  // Rows are reused, so a change of one text does not rebuild the view.
  while (view->topLevelItemCount() > fItems->Count())
    delete view->takeTopLevelItem(view->topLevelItemCount() - 1);
  while (view->topLevelItemCount() < fItems->Count()) view->addTopLevelItem(new QTreeWidgetItem);
  for (int row = 0; row < fItems->Count(); ++row) {
    const TListItem* item = fItems->Items(row);
    QTreeWidgetItem* widgetItem = view->topLevelItem(row);
    widgetItem->setText(0, QText(item->Caption()));
    for (int column = 1; column < columns; ++column) {
      const int sub = column - 1;
      widgetItem->setText(column, sub < item->SubItems()->Count()
                                      ? QText(item->SubItems()->Strings(sub))
                                      : QString());
    }
  }
  view->setCurrentItem(fItemIndex >= 0 && fItemIndex < view->topLevelItemCount()
                           ? view->topLevelItem(fItemIndex)
                           : nullptr);
  fUpdatingWidget = false;
}

void TListView::SetItemIndex(int32_t value) {
  fItemIndex = value;
  if (auto* view = static_cast<QTreeWidget*>(Widget())) {
    fUpdatingWidget = true;
    view->setCurrentItem(value >= 0 && value < view->topLevelItemCount() ? view->topLevelItem(value)
                                                                         : nullptr);
    fUpdatingWidget = false;
  }
}

// --- TTreeNode, TTreeView ----------------------------------------------------------------------

namespace {

TTreeNode* NodeOf(const QTreeWidgetItem* item) {
  return reinterpret_cast<TTreeNode*>(item->data(0, Qt::UserRole).value<quintptr>());
}

}  // namespace

void TTreeNode::SetText(const std::string& value) {
  fText = value;
  fView->NodesToWidget();
}

int TTreeNode::Index() const {
  if (!fParent) return -1;
  for (int i = 0; i < fParent->Count(); ++i)
    if (fParent->Item(i) == this) return i;
  return -1;
}

void TTreeNode::SetExpanded(bool value) {
  if (value == fExpanded) return;
  fExpanded = value;
  fView->ExpandedToWidget(this);
}

void TTreeNode::Expand(bool recurse) {
  SetExpanded(true);
  if (recurse)
    for (const auto& child : fChildren) child->Expand(true);
}

void TTreeNode::AlphaSort() {
  std::stable_sort(fChildren.begin(), fChildren.end(), [](const auto& a, const auto& b) {
    return CompareText(a->fText, b->fText) < 0;
  });
  fView->NodesToWidget();
}

const TClassRecord& TTreeView::StaticClass() {
  static const TClassRecord& record = TClassBuilder<TTreeView, TWinControl>("TTreeView", "ComCtrls")
                                          .Event("OnChange", &TTreeView::OnChange)
                                          .Event("OnCollapsing", &TTreeView::OnCollapsing)
                                          .Event("OnDblClick", &TTreeView::OnDblClick)
                                          .Build();
  return record;
}

TTreeView::TTreeView(TComponent* owner)
    : TWinControl(owner), fRoot(new TTreeNode(this, nullptr, {})) {
  SetBounds(0, 0, 121, 97);
  SetColor(clWindow);
}

TTreeNode* TTreeView::AddChild(TTreeNode* parent, const std::string& text) {
  TTreeNode* under = parent ? parent : fRoot.get();
  under->fChildren.push_back(std::unique_ptr<TTreeNode>(new TTreeNode(this, under, text)));
  NodesToWidget();
  return under->fChildren.back().get();
}

void TTreeView::Delete(TTreeNode* node) {
  if (!node || !node->fParent) return;
  for (const TTreeNode* n = fSelected; n; n = n->fParent)
    if (n == node) fSelected = nullptr;
  auto& siblings = node->fParent->fChildren;
  siblings.erase(siblings.begin() + node->Index());
  NodesToWidget();
}

void TTreeView::Clear() {
  fSelected = nullptr;
  fRoot->fChildren.clear();
  NodesToWidget();
}

QTreeWidget* TTreeView::View() const {
  return static_cast<QTreeWidget*>(Widget());
}

QWidget* TTreeView::CreateWidget(QWidget* parentWidget) {
  auto* view = new QTreeWidget(parentWidget);
  view->setHeaderHidden(true);
  QObject::connect(view, &QTreeWidget::currentItemChanged, [this](QTreeWidgetItem* item) {
    if (fUpdatingWidget) return;
    fSelected = item ? NodeOf(item) : nullptr;
    OnChange(this);
  });
  QObject::connect(view, &QTreeWidget::itemExpanded,
                   [this](QTreeWidgetItem* item) { ExpandedFromWidget(item, true); });
  QObject::connect(view, &QTreeWidget::itemCollapsed,
                   [this](QTreeWidgetItem* item) { ExpandedFromWidget(item, false); });
  QObject::connect(view, &QTreeWidget::itemDoubleClicked,
                   [this](QTreeWidgetItem*, int) { OnDblClick(this); });
  return view;
}

// The widget tells of a change the user made; a refused collapse opens the item again.
void TTreeView::ExpandedFromWidget(QTreeWidgetItem* item, bool expanded) {
  if (fUpdatingWidget) return;
  TTreeNode* node = NodeOf(item);
  if (!expanded) {
    bool allow = true;
    OnCollapsing(this, node, allow);
    if (!allow) {
      fUpdatingWidget = true;
      item->setExpanded(true);
      fUpdatingWidget = false;
      return;
    }
  }
  node->fExpanded = expanded;
}

void TTreeView::ExpandedToWidget(const TTreeNode* node) {
  QTreeWidget* view = View();
  if (!view || fUpdateCount > 0) return;
  for (QTreeWidgetItemIterator it(view); *it; ++it)
    if (NodeOf(*it) == node) {
      fUpdatingWidget = true;
      (*it)->setExpanded(node->fExpanded);
      fUpdatingWidget = false;
      return;
    }
}

void TTreeView::EndUpdate() {
  if (fUpdateCount > 0 && --fUpdateCount == 0) NodesToWidget();
}

void TTreeView::InitWidget() {
  TWinControl::InitWidget();
  NodesToWidget();
}

void TTreeView::SetSelected(TTreeNode* node) {
  fSelected = node;
  NodesToWidget();
}

// Trees made from code are small: the view is rebuilt on each change (once per update bracket).
void TTreeView::NodesToWidget() {
  QTreeWidget* view = View();
  if (!view || fUpdateCount > 0) return;
  fUpdatingWidget = true;
  view->clear();
  QTreeWidgetItem* current = nullptr;
  std::function<void(const TTreeNode&, QTreeWidgetItem*)> add = [&](const TTreeNode& node,
                                                                    QTreeWidgetItem* parent) {
    for (const auto& child : node.fChildren) {
      auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(view);
      item->setText(0, QText(child->fText));
      item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(child.get())));
      if (child.get() == fSelected) current = item;
      add(*child, item);
      item->setExpanded(child->fExpanded);
    }
  };
  add(*fRoot, nullptr);
  view->setCurrentItem(current);
  fUpdatingWidget = false;
}

// --- TRichEdit --------------------------------------------------------------------------------

const TClassRecord& TRichEdit::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TRichEdit, TMemo>("TRichEdit", "ComCtrls").Build();
  return record;
}

TRichEdit::TRichEdit(TComponent* owner) : TMemo(owner) {
  SetRichText(true);
  SetReadOnly(true);
}

std::string TRichEdit::AsHtml(const std::string& text) const {
  if (text.rfind("{\\rtf", 0) == 0) return RtfToHtml(text);
  return TMemo::AsHtml(text);
}

}  // namespace dravik
