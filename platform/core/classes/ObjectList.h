#pragma once
// An ordered list of objects. A list created as owner frees its items when they are removed
// and when the list is destroyed; a plain list only refers to them.

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

template <class T>
class TObjectList {
 public:
  explicit TObjectList(bool ownsObjects = true) : fOwnsObjects(ownsObjects) {}
  TObjectList(const TObjectList&) = delete;
  TObjectList& operator=(const TObjectList&) = delete;
  virtual ~TObjectList() { Clear(); }

  bool OwnsObjects() const { return fOwnsObjects; }
  int Count() const { return static_cast<int>(fItems.size()); }
  T* Items(int index) const { return fItems[CheckIndex(index)]; }
  T* First() const { return Items(0); }
  T* Last() const { return Items(Count() - 1); }
  int IndexOf(const T* item) const {
    auto it = std::find(fItems.begin(), fItems.end(), item);
    return it == fItems.end() ? -1 : static_cast<int>(it - fItems.begin());
  }

  int Add(T* item) {
    fItems.push_back(item);
    return Count() - 1;
  }
  void Insert(int index, T* item) {
    if (index < 0 || index > Count()) IndexError(index);
    fItems.insert(fItems.begin() + index, item);
  }
  // Removes the item (freeing it when the list owns it); answers its former index or -1.
  int Remove(T* item) {
    int index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
  }
  void Delete(int index) {
    T* item = fItems[CheckIndex(index)];
    fItems.erase(fItems.begin() + index);
    if (fOwnsObjects) delete item;
  }
  // Takes the item out without freeing it.
  T* Extract(T* item) {
    int index = IndexOf(item);
    if (index < 0) return nullptr;
    fItems.erase(fItems.begin() + index);
    return item;
  }
  void Clear() {
    while (!fItems.empty()) Delete(Count() - 1);
  }

  auto begin() const { return fItems.begin(); }
  auto end() const { return fItems.end(); }

 private:
  std::size_t CheckIndex(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
    return static_cast<std::size_t>(index);
  }
  [[noreturn]] static void IndexError(int index) {
    throw EListError(Format("List index out of bounds (%d)", {index}));
  }

  bool fOwnsObjects;
  std::vector<T*> fItems;
};

// The support library's name for the owning list of class instances.
template <class T>
using TCustomClassList = TObjectList<T>;

}  // namespace dravik
