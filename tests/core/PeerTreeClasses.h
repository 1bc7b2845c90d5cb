#pragma once
// The framework's side of tests/peer/PeerTree.pas: the button whose properties the peer's entry
// tree names (all but Shortcut, which only the peer declares).

#include <memory>
#include <string>

#include "model/ComponentExplorerTools.h"
#include "tests/core/PeerObjectClasses.h"
#include "tests/model/EntryHolder.h"

namespace dravik {

class TPeerButton : public TComponent {
 public:
  explicit TPeerButton(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  TPeerFont* GetFont() const { return fFont.get(); }
  void SetFont(TPeerFont* font) { fFont->Assign(font); }
  TCollection* GetItems() const { return fItems.get(); }
  void SetItems(TCollection* items) { fItems->Assign(items); }
  TStrings* GetLines() const { return fLines.get(); }
  void SetLines(TStrings* lines) { fLines->Assign(lines); }

  std::string Caption;
  std::string Hint;

 private:
  std::unique_ptr<TPeerFont> fFont = std::make_unique<TPeerFont>();
  std::unique_ptr<TCollection> fItems;
  std::unique_ptr<TStringList> fLines = std::make_unique<TStringList>();
};

}  // namespace dravik
