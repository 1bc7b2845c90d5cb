#pragma once
// TCollection: an owned, ordered list of items of one item class, streamed as a list of the
// items' published properties.

#include <string>
#include <vector>

#include "platform/core/classes/Object.h"

namespace dravik {

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;

  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

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
  TCollectionItem* Add();  // a new item of the item class, appended
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
  std::string GetNamePath() const override;
  // The published property of the owner that holds this collection, for the name path.
  void SetPropName(std::string name) { fPropName = std::move(name); }

 protected:
  // Called after a change; item is the changed item, or null when all may have changed.
  virtual void Update(TCollectionItem* item);
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);

  const TClassRecord* fItemClass;
  TPersistent* fOwner;
  std::string fPropName;
  std::vector<TCollectionItem*> fItems;  // owned
  int fNextID = 0;
  int fUpdateCount = 0;
};

}  // namespace dravik
