#pragma once
// Components that stand for a real form in the streaming tests: a root with owned children,
// sub-objects, collections with nested collections, a string list, references, events, and a
// property of every value kind.

#include <string>
#include <vector>

#include "platform/core/classes/Collection.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/forms/DataModule.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

enum TTestColor { tcRed, tcGreen, tcBlue };
const TTypeInfo& TypeInfoFor(TTestColor);
using TTestColors = TSet<TTestColor, "TTestColors">;

class TTestFont : public TPersistent {
 public:
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void Assign(const TPersistent* source) override;
  std::string Name = "Sans";
  int32_t Size = 8;
  TTestColors Style;
};

class TTestLine : public TCollectionItem {
 public:
  explicit TTestLine(TCollection* collection);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TCollection* GetParts() const { return fParts.get(); }
  std::string Caption;
  int32_t Width = 0;
  TComponent* Target = nullptr;

 private:
  std::unique_ptr<TCollection> fParts;
};

class TTestWidget : public TComponent {
 public:
  explicit TTestWidget(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

  TTestFont* GetFont() const { return fFont.get(); }
  TStrings* GetLines() const { return fLines.get(); }
  TCollection* GetColumns() const { return fColumns.get(); }
  void DefineProperties(TFiler& filer) override;

  std::string Caption;
  std::string Hint;
  int8_t Tiny = 0;
  int16_t Small = 0;
  int32_t Count = 0;
  uint32_t Unsigned = 0;
  int64_t Big = 0;
  char Letter = 0;
  bool Enabled = true;
  TTestColor Color = tcGreen;
  TTestColors Colors;
  float Single = 0;
  double Double = 0;
  long double Extended = 0;
  TCurrency Money;
  TTestWidget* Buddy = nullptr;
  TComponent* Root = nullptr;
  TNotifyEvent OnClick;
  std::string Blob;  // stored as a binary property
  int LoadedCalls = 0;

 private:
  std::unique_ptr<TTestFont> fFont = std::make_unique<TTestFont>();
  std::unique_ptr<TStringList> fLines = std::make_unique<TStringList>();
  std::unique_ptr<TCollection> fColumns;
};

class TTestRoot : public TDataModule {
 public:
  using TDataModule::TDataModule;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void WidgetClick(TObject*) { ++Clicks; }
  void WidgetMoved(TObject*, int32_t distance) { Clicks += distance; }
  int Clicks = 0;
};

}  // namespace dravik
