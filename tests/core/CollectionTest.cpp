#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/core/classes/Collection.h"
#include "platform/core/classes/Component.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/typinfo/ClassBuilder.h"

using namespace dravik;

namespace {

class TColumn : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void Assign(const TPersistent* source) override {
    if (auto* other = dynamic_cast<const TColumn*>(source)) {
      Title = other->Title;
      return;
    }
    TCollectionItem::Assign(source);
  }
  void SetTitle(const std::string& title) {
    Title = title;
    Changed(false);
  }
  std::string Title;
};

const TClassRecord& TColumn::StaticClass() {
  static const TClassRecord& record = TClassBuilder<TColumn, TCollectionItem>("TColumn", "Grids")
                                          .Property("Title", &TColumn::Title)
                                          .Build();
  return record;
}

class TCountingCollection : public TCollection {
 public:
  TCountingCollection() : TCollection(TColumn::StaticClass()) {}
  int Updates = 0;

 protected:
  void Update(TCollectionItem*) override { ++Updates; }
};

// An item view: it owns a collection and hears of each change to it.
class TColumnView : public TComponent, public TCollectionOwner {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TCollection* GetColumns() const { return fColumns.get(); }

  void CollectionNotify(TCollection& collection, TCollectionItem* item,
                        TCollectionNotification action) override {
    EXPECT_EQ(&collection, fColumns.get());
    static const char* const kNames[] = {"added", "extracting", "deleting", "changed"};
    // The item's class tells whether it is whole when it is announced.
    Heard.push_back(
        std::string(kNames[action]) + " " +
        (item ? item->ClassName() + " " + std::to_string(item->Index()) : std::string("all")));
  }
  std::vector<std::string> Heard;

 private:
  std::unique_ptr<TCollection> fColumns =
      std::make_unique<TCollection>(TColumn::StaticClass(), this);
};

const TClassRecord& TColumnView::StaticClass() {
  static const TClassRecord& record = TClassBuilder<TColumnView, TComponent>("TColumnView", "Grids")
                                          .Property("Columns", &TColumnView::GetColumns)
                                          .Build();
  return record;
}

using TLines = std::vector<std::string>;

}  // namespace

TEST(Collection, ItemsAreCreatedFromTheItemClassAndOwned) {
  TCountingCollection columns;
  auto* first = static_cast<TColumn*>(columns.Add());
  auto* second = static_cast<TColumn*>(columns.Add());
  EXPECT_EQ(first->ClassName(), "TColumn");
  EXPECT_EQ(second->Index(), 1);
  EXPECT_EQ(second->ID(), 1);
  second->SetIndex(0);
  EXPECT_EQ(columns.Items(0), second);
  EXPECT_EQ(columns.FindItemID(0), first);
  first->Free();
  EXPECT_EQ(columns.Count(), 1);
  EXPECT_THROW(columns.Items(1), EListError);
}

TEST(Collection, UpdatesAreBatchedAndItemsMoveBetweenCollections) {
  TCountingCollection a, b;
  a.BeginUpdate();
  a.Add();
  a.Add();
  EXPECT_EQ(a.Updates, 0);
  a.EndUpdate();
  EXPECT_EQ(a.Updates, 1);
  TCollectionItem* moved = a.Items(0);
  moved->SetCollection(&b);
  EXPECT_EQ(a.Count(), 1);
  EXPECT_EQ(b.Items(0), moved);
  EXPECT_EQ(moved->Collection(), &b);
}

TEST(Collection, AssignCopiesItems) {
  TCountingCollection source, copy;
  static_cast<TColumn*>(source.Add())->Title = "Name";
  static_cast<TColumn*>(source.Add())->Title = "Size";
  copy.Add();
  copy.Assign(&source);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(static_cast<TColumn*>(copy.Items(1))->Title, "Size");
  TStringList notACollection;
  EXPECT_THROW(copy.Assign(&notACollection), EConvertError);
}

TEST(Collection, AnExceptionInsideAnUpdateLeavesTheCollectionUnlocked) {
  TCountingCollection copy;
  TCollection plain(TCollectionItem::StaticClass());
  plain.Add();
  EXPECT_THROW(copy.Assign(&plain), EConvertError);  // a column cannot take a plain item
  EXPECT_EQ(copy.UpdateCount(), 0);
  EXPECT_EQ(copy.Updates, 1) << "the update ends and tells of what changed before the error";
  copy.Add();
  EXPECT_EQ(copy.Updates, 2);
}

TEST(Collection, TheOwnerHearsOfWholeItemsAddedDeletedAndChanged) {
  auto view = MakeComponent<TColumnView>(nullptr);
  TCollection& columns = *view->GetColumns();
  static_cast<TColumn*>(columns.Add());
  auto* size = static_cast<TColumn*>(columns.Add());
  EXPECT_EQ(view->Heard,
            (TLines{"added TColumn 0", "changed all", "added TColumn 1", "changed all"}));
  view->Heard.clear();
  size->SetTitle("Size");
  size->SetIndex(0);
  columns.Delete(1);
  EXPECT_EQ(view->Heard,
            (TLines{"changed TColumn 1", "changed all", "deleting TColumn 1", "changed all"}));

  view->Heard.clear();
  columns.BeginUpdate();
  columns.Add();
  size->SetTitle("Bytes");
  columns.EndUpdate();
  EXPECT_EQ(view->Heard, (TLines{"added TColumn 1", "changed all"}))
      << "changes wait for the update";

  view->Heard.clear();
  TCountingCollection elsewhere;
  size->SetCollection(&elsewhere);
  EXPECT_EQ(view->Heard, (TLines{"extracting TColumn 0", "changed all"}));
  view->Heard.clear();
  columns.Clear();
  EXPECT_EQ(view->Heard, (TLines{"deleting TColumn 0", "changed all"}));
}

TEST(Collection, NamePathsFollowTheOwnersProperty) {
  auto view = MakeComponent<TColumnView>(nullptr);
  view->SetName("View1");
  TCollectionItem* column = view->GetColumns()->Add();
  EXPECT_EQ(view->GetColumns()->GetNamePath(), "View1.Columns");
  EXPECT_EQ(column->GetNamePath(), "View1.Columns[0]");
  TCountingCollection loose;
  EXPECT_EQ(loose.Add()->GetNamePath(), "TCollection[0]");
}

TEST(CollectionDeathTest, DeletingAListedItemStopsTheProgram) {
  EXPECT_DEATH(
      {
        TCountingCollection columns;
        TColumn* column = static_cast<TColumn*>(columns.Add());
        delete column;
      },
      "Item TCollection\\[0\\] was destroyed without Free");
}
