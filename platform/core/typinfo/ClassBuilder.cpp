#include "platform/core/typinfo/ClassBuilder.h"

#include <deque>

namespace dravik {

const TClassRecord& class_builder::KeepRecord(std::unique_ptr<TClassRecord> record) {
  static std::deque<std::unique_ptr<TClassRecord>> records;
  return *records.emplace_back(std::move(record));
}

}  // namespace dravik
