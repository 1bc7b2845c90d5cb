#include <gtest/gtest.h>

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
  delete first;
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
