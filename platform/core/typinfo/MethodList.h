#pragma once
// An ordered list of method pointers, each with an integer parameter: the notification lists.

#include <cstdint>
#include <functional>
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
  // Removes the entry; answers its index and parameter, or -1 when absent.
  int Remove(const TMethod& method, int32_t* param = nullptr);
  void Delete(int index);
  void Clear() { fEntries.clear(); }
  // Calls back for each entry whose code is set, in list order.
  void ForEach(const std::function<void(const TEntry&)>& callback) const;

 private:
  std::vector<TEntry> fEntries;
};

}  // namespace dravik
