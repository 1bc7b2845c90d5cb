#pragma once
// An ordered list of method pointers, each with an integer parameter: the notification lists.

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "platform/core/typinfo/Method.h"

namespace dravik {

class TMethodList {
 public:
  struct TEntry {
    TMethod Method;
    int32_t Param = 0;
  };

  int Count() const { return static_cast<int>(fEntries.size()); }
  const TEntry& Items(int index) const;
  int Add(const TMethod& method, int32_t param = 0);
  int IndexOf(const TMethod& method) const;  // compares code and data; -1 when absent
  // Whether the list holds method, without a walk through it.
  bool Contains(const TMethod& method) const { return fCounts.contains(method); }
  // Counts every change of the list: a walk whose callbacks left it as it was need not ask
  // whether each member is still there.
  uint64_t Changes() const { return fChanges; }
  // Removes the entry; answers its index and parameter, or -1 when absent.
  int Remove(const TMethod& method, int32_t* param = nullptr);
  void Delete(int index);
  void Clear() {
    fEntries.clear();
    fCounts.clear();
    ++fChanges;
  }
  // Calls back for each entry whose code is set, in list order.
  void ForEach(const std::function<void(const TEntry&)>& callback) const;

 private:
  struct THash {
    std::size_t operator()(const TMethod& method) const {
      const std::hash<const void*> hash;
      return hash(method.Code) ^ (hash(method.Data) * 0x9E3779B97F4A7C15u);
    }
  };
  std::vector<TEntry> fEntries;
  std::unordered_map<TMethod, int, THash> fCounts;  // how often each method is listed
  uint64_t fChanges = 0;
};

}  // namespace dravik
