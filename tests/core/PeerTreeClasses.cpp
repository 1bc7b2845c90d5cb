#include "tests/core/PeerTreeClasses.h"

namespace dravik {

namespace {
const TClassRegistration kButton(TPeerButton::StaticClass());
}  // namespace

TPeerButton::TPeerButton(TComponent* owner)
    : TComponent(owner), fItems(std::make_unique<TCollection>(TPeerItem::StaticClass(), this)) {}

const TClassRecord& TPeerButton::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TPeerButton, TComponent>("TPeerButton", "PeerTree")
          .Property("Caption", &TPeerButton::Caption)
          .Property("Hint", &TPeerButton::Hint)
          .Property("Font", &TPeerButton::GetFont, &TPeerButton::SetFont)
          .Property("Items", &TPeerButton::GetItems, &TPeerButton::SetItems)
          .Property("Lines", &TPeerButton::GetLines, &TPeerButton::SetLines)
          .Build();
  return record;
}

}  // namespace dravik
