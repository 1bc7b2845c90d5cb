#pragma once
// TCollection: an owned, ordered list of items of one item class, streamed as a list of the
// items' published properties. An owner that implements TCollectionOwner hears of every item
// added, extracted, deleted or changed, as item views need.

#include <string>
#include <type_traits>
#include <vector>

#include "platform/core/classes/Object.h"

namespace dravik {

class TCollection;
class TCollectionItem;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting, cnChanged };

// What a collection tells its owner: an item added (whole, in its place already), an item about
// to be extracted into another collection or deleted (whole, still in its place), or a change
// (item null: any item may have changed; one follows every removal). Changes wait while an
// update is open; additions and removals do not.
class TCollectionOwner {
 public:
  virtual void CollectionNotify(TCollection& collection, TCollectionItem* item,
                                TCollectionNotification action) = 0;

 protected:
  ~TCollectionOwner() = default;
};

// Lifecycle, as for components: TCollection::Add makes the whole item (from the item class's
// factory, given the collection), then puts it in and announces it. Free() announces the
// deletion while the whole item is still in its place, takes it out, then deletes it; the
// collection frees its items the same way.
class TCollectionItem : public TPersistent {
 public:
  // The collection the item is made for (derived items may look at it); it takes the item in
  // once the item is built.
  explicit TCollectionItem(TCollection*) {}
  void Free();

  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  // Gives T's record the factory TCollection::Add makes T with (TClassBuilder calls it). Items
  // are made with new, their destructor being the collection's to call.
  template <class T>
  static void DescribeFactory(TClassRecord& record) {
    if constexpr (!std::is_abstract_v<T> && requires(TCollection * c) { new T(c); })
      record.SetItemFactory([](TCollection* c) -> TCollectionItem* { return new T(c); });
  }

  TCollection* Collection() const { return fCollection; }
  // Moves the item into another collection (or out of any, when null).
  void SetCollection(TCollection* collection);
  int Index() const;
  void SetIndex(int index);
  int ID() const { return fID; }
  virtual std::string DisplayName() const;
  TPersistent* GetOwner() const override;
  std::string GetNamePath() const override;

 protected:
  // Only Free() deletes an item that is in a collection; deleting one directly is a fault that
  // stops the program.
  ~TCollectionItem() override;
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* fCollection = nullptr;
  int fID = 0;
};

class TCollection : public TPersistent {
 public:
  explicit TCollection(const TClassRecord& itemClass, TPersistent* owner = nullptr);
  ~TCollection() override;

  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  const TClassRecord& ItemClass() const { return *fItemClass; }
  int Count() const { return static_cast<int>(fItems.size()); }
  TCollectionItem* Items(int index) const;
  TCollectionItem* Add() { return Add(*fItemClass); }  // a new item of the item class, appended
  // A new item of the given class (one that derives from the item class), appended.
  TCollectionItem* Add(const TClassRecord& itemClass);
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  TCollectionItem* FindItemID(int id) const;
  void Move(int from, int to);

  void BeginUpdate() { ++fUpdateCount; }
  void EndUpdate();
  int UpdateCount() const { return fUpdateCount; }
  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override { return fOwner; }
  // The owner's path and the published property that holds the collection ("Button1.Items").
  std::string GetNamePath() const override;

 protected:
  // Called after a change; item is the changed item, or null when all may have changed. Tells
  // the owner unless overridden.
  virtual void Update(TCollectionItem* item);
  // Called for each item added, extracted or deleted; tells the owner unless overridden.
  virtual void Notify(TCollectionItem* item, TCollectionNotification action);
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item, TCollectionNotification action);
  void Unlist(TCollectionItem* item);
  void TellOwner(TCollectionItem* item, TCollectionNotification action);

  const TClassRecord* fItemClass;
  TPersistent* fOwner;
  std::vector<TCollectionItem*> fItems;  // owned
  int fNextID = 0;
  int fUpdateCount = 0;
};

}  // namespace dravik
