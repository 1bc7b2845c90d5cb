#include "platform/core/typinfo/MethodList.h"

#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

const TMethodList::TEntry& TMethodList::Items(int index) const {
  if (index < 0 || index >= Count())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  return fEntries[static_cast<std::size_t>(index)];
}

int TMethodList::Add(const TMethod& method, int32_t param) {
  fEntries.push_back({method, param});
  ++fCounts[method];
  ++fChanges;
  return Count() - 1;
}

int TMethodList::IndexOf(const TMethod& method) const {
  if (!Contains(method)) return -1;
  for (std::size_t i = 0; i < fEntries.size(); ++i)
    if (fEntries[i].Method == method) return static_cast<int>(i);
  return -1;
}

int TMethodList::Remove(const TMethod& method, int32_t* param) {
  int index = IndexOf(method);
  if (index < 0) return -1;
  if (param) *param = fEntries[static_cast<std::size_t>(index)].Param;
  Delete(index);
  return index;
}

void TMethodList::Delete(int index) {
  const TMethod method = Items(index).Method;
  fEntries.erase(fEntries.begin() + index);
  if (auto counted = fCounts.find(method); --counted->second == 0) fCounts.erase(counted);
  ++fChanges;
}

void TMethodList::ForEach(const std::function<void(const TEntry&)>& callback) const {
  // A copy, so that a callback may change the list without disturbing the walk.
  std::vector<TEntry> snapshot = fEntries;
  for (const TEntry& entry : snapshot)
    if (entry.Method.Code) callback(entry);
}

}  // namespace dravik
