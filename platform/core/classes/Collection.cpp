#include "platform/core/classes/Collection.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/core/classes/StructureGeneration.h"
#include "platform/core/classes/UpdateScope.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

const TClassRecord& TCollectionItem::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TCollectionItem, TPersistent>("TCollectionItem", "Classes").Build();
  return record;
}

TCollectionItem::~TCollectionItem() {
  if (fCollection) {
    std::fprintf(stderr, "Item %s was destroyed without Free()\n", GetNamePath().c_str());
    std::abort();
  }
}

void TCollectionItem::Free() {
  try {
    if (fCollection) fCollection->RemoveItem(this, cnDeleting);
  } catch (...) {
    delete this;  // out of the collection all the same
    throw;
  }
  delete this;
}

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == fCollection) return;
  if (fCollection) fCollection->RemoveItem(this, cnExtracting);
  if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!fCollection) return -1;
  auto& items = fCollection->fItems;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
  StructureChanged();
  int current = Index();
  if (current >= 0 && current != index) fCollection->Move(current, index);
}

std::string TCollectionItem::DisplayName() const {
  return ClassName();
}

TPersistent* TCollectionItem::GetOwner() const {
  return fCollection;
}

std::string TCollectionItem::GetNamePath() const {
  if (!fCollection) return ClassName();
  return Format("%s[%d]", {fCollection->GetNamePath(), Index()});
}

void TCollectionItem::Changed(bool allItems) {
  if (fCollection && fCollection->fUpdateCount == 0) fCollection->Update(allItems ? nullptr : this);
}

const TClassRecord& TCollection::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TCollection, TPersistent>("TCollection", "Classes").Build();
  return record;
}

TCollection::TCollection(const TClassRecord& itemClass, TPersistent* owner)
    : fItemClass(&itemClass), fOwner(owner) {}

TCollection::~TCollection() {
  // The items go silently: the owner is usually being destroyed itself.
  fUpdateCount = 1;
  fOwner = nullptr;
  Clear();
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  return fItems[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::Add(const TClassRecord& itemClass) {
  const auto& factory = itemClass.ItemFactory();
  if (!factory) throw EListError(Format("Cannot create items of class %s", {itemClass.Name()}));
  TCollectionItem* item = factory(this);
  try {
    InsertItem(item);
  } catch (...) {
    delete item;  // refused: never announced, so taken out without a word
    throw;
  }
  return item;
}

TCollectionItem* TCollection::Insert(int index) {
  TCollectionItem* item = Add();
  item->SetIndex(index);
  return item;
}

void TCollection::Delete(int index) {
  Items(index)->Free();
}

void TCollection::Clear() {
  if (fItems.empty()) return;
  TUpdateScope update(*this);
  while (!fItems.empty()) fItems.back()->Free();
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* item : fItems)
    if (item->fID == id) return item;
  return nullptr;
}

void TCollection::Move(int from, int to) {
  StructureChanged();
  TCollectionItem* item = Items(from);
  to = std::clamp(to, 0, Count() - 1);
  fItems.erase(fItems.begin() + from);
  fItems.insert(fItems.begin() + to, item);
  Changed();
}

void TCollection::EndUpdate() {
  if (fUpdateCount > 0 && --fUpdateCount == 0) Changed();
}

void TCollection::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TCollection*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  TUpdateScope update(*this);
  Clear();
  for (TCollectionItem* item : other->fItems) Add()->Assign(item);
}

std::string TCollection::GetNamePath() const {
  if (!fOwner) return ClassName();
  for (const TPropInfo* prop : fOwner->ClassType().Props()) {
    if (prop->Kind() != tkClass || !prop->CanRead() || GetObjectProp(*fOwner, *prop) != this)
      continue;
    std::string ownerPath = fOwner->GetNamePath();
    return ownerPath.empty() ? prop->Name : ownerPath + "." + prop->Name;
  }
  return ClassName();
}

void TCollection::Update(TCollectionItem* item) {
  TellOwner(item, cnChanged);
}

void TCollection::Notify(TCollectionItem* item, TCollectionNotification action) {
  TellOwner(item, action);
}

void TCollection::TellOwner(TCollectionItem* item, TCollectionNotification action) {
  if (auto* owner = dynamic_cast<TCollectionOwner*>(fOwner))
    owner->CollectionNotify(*this, item, action);
}

void TCollection::Changed() {
  if (fUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
  StructureChanged();
  fItems.push_back(item);
  item->fCollection = this;
  item->fID = fNextID++;
  try {
    Notify(item, cnAdded);
  } catch (...) {
    Unlist(item);
    throw;
  }
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item, TCollectionNotification action) {
  StructureChanged();
  try {
    Notify(item, action);
  } catch (...) {
    Unlist(item);  // an item that goes must not stay listed, whatever the owner says
    throw;
  }
  Unlist(item);
  Changed();
}

void TCollection::Unlist(TCollectionItem* item) {
  // Searched from the end: collections are cleared last item first.
  if (auto it = std::find(fItems.rbegin(), fItems.rend(), item); it != fItems.rend())
    fItems.erase(std::next(it).base());
  item->fCollection = nullptr;
}

}  // namespace dravik
