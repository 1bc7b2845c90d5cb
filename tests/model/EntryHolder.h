#pragma once
// A component that keeps an entry tree in its form, as a form's language data does.

#include <memory>

#include "model/ComponentExplorerTools.h"
#include "platform/core/classes/Component.h"

namespace dravik {

class TEntryHolder : public TComponent {
 public:
  explicit TEntryHolder(TComponent* owner)
      : TComponent(owner), fEntries(std::make_unique<TComponentEntries>(this, nullptr)) {}
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TComponentEntries* Entries() const { return fEntries.get(); }

 private:
  std::unique_ptr<TComponentEntries> fEntries;
};

}  // namespace dravik
