#include "tests/model/EntryHolder.h"

#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

namespace {
const TClassRegistration kHolder(TEntryHolder::StaticClass());
}

const TClassRecord& TEntryHolder::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TEntryHolder, TComponent>("TEntryHolder", "Tests")
          .Property("Entries", &TEntryHolder::Entries)
          .Build();
  return record;
}

}  // namespace dravik
