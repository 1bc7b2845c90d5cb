#pragma once
// Components that stand for a real form in the model tests: a root with owned controls that have
// a caption, a hint, a font, a collection of captioned items and a string list; components
// without names; read-only and write-only properties; subranges; enumerations with and without
// defaults; sets; object and method properties.

#include <memory>
#include <string>

#include "platform/core/classes/Collection.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/forms/DataModule.h"
#include "platform/core/graphics/Font.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
const TTypeInfo& TypeInfoFor(TAlignment);
enum TLayout { tlTop, tlCenter, tlBottom };
const TTypeInfo& TypeInfoFor(TLayout);
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
const TTypeInfo& TypeInfoFor(TAnchorKind);
using TAnchors = TSet<TAnchorKind, "TAnchors">;

class TCaptionItem : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  std::string Caption;
};

class TTestControl : public TComponent {
 public:
  explicit TTestControl(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void Notification(TComponent* component, TOperation operation) override;

  TFont* GetFont() const { return fFont.get(); }
  void SetFont(TFont* font) { fFont->Assign(font); }
  TStrings* GetLines() const { return fLines.get(); }
  void SetLines(TStrings* lines) { fLines->Assign(lines); }
  TCollection* GetItems() const { return fItems.get(); }
  int32_t GetLineCount() const { return fLines->Count(); }
  void SetSecret(const std::string& secret) { Secret = secret; }

  std::string Caption;
  std::string Hint;
  int32_t Level = 1;    // 1..5
  int32_t Offset = -1;  // -10..-1
  TAlignment Alignment = taLeftJustify;
  TLayout Layout = tlTop;
  TAnchors Anchors = {akLeft, akTop};
  char Accel = 'A';
  double Ratio = 0;
  TColor Color = clBtnFace;
  TTestControl* Buddy = nullptr;
  TNotifyEvent OnClick;
  std::string Secret;

 private:
  std::unique_ptr<TFont> fFont = std::make_unique<TFont>();
  std::unique_ptr<TStringList> fLines = std::make_unique<TStringList>();
  std::unique_ptr<TCollection> fItems;
};

class TTestForm : public TDataModule {
 public:
  using TDataModule::TDataModule;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void ButtonClick(TObject*) {}
  void LevelChanged(TObject*, int32_t) {}
};

// A root Form1 with Button1 (caption, hint, font, two items, three lines), Label1 and an
// unnamed control.
TComponentPtr<TTestForm> MakeTestForm();

}  // namespace dravik
