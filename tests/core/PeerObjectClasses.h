#pragma once
// The components of tests/peer/PeerForms.pas, declared for the framework with the same class
// names, published properties (in the same order, under the same type names) and stream
// behaviour, so that a form one side writes is the other side's form.

#include <memory>
#include <string>

#include "platform/core/classes/Collection.h"
#include "platform/core/classes/Component.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/typinfo/ClassBuilder.h"

namespace dravik {

enum TPeerEnum { peAlpha, peBeta, peGamma };
const TTypeInfo& TypeInfoFor(TPeerEnum);
using TPeerSet = TSet<TPeerEnum, "TPeerSet">;

class TPeerSubItem : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  std::string Tag;
  double Weight = 0;
};

class TPeerItem : public TCollectionItem {
 public:
  explicit TPeerItem(TCollection* collection);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TCollection* GetSubItems() const { return fSubItems.get(); }
  void SetSubItems(TCollection* items) { fSubItems->Assign(items); }
  std::string Caption;
  int32_t Value = 0;

 private:
  std::unique_ptr<TCollection> fSubItems;
};

class TPeerFont : public TPersistent {
 public:
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void Assign(const TPersistent* source) override;
  std::string Name;
  int32_t Size = 0;
  TPeerSet Style;
};

class TPeerControl : public TComponent {
 public:
  explicit TPeerControl(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void DefineProperties(TFiler& filer) override;
  void Notification(TComponent* component, TOperation operation) override;

  TPeerFont* GetFont() const { return fFont.get(); }
  void SetFont(TPeerFont* font) { fFont->Assign(font); }
  TCollection* GetItems() const { return fItems.get(); }
  void SetItems(TCollection* items) { fItems->Assign(items); }
  TStrings* GetLines() const { return fLines.get(); }
  void SetLines(TStrings* lines) { fLines->Assign(lines); }

  int8_t I8 = 0;
  uint8_t U8 = 0;
  int16_t I16 = 0;
  uint16_t U16 = 0;
  int32_t I32 = 0;
  uint32_t U32 = 0;
  int64_t I64 = 0;
  uint64_t U64 = 0;
  float Single = 0;
  double Double = 0;
  long double Extended = 0;
  TCurrency Currency;
  TDateTime Date;
  std::string SStr;
  std::string LStr;
  std::string WStr;
  std::string UStr;
  char Ch = 0;
  bool Flag = false;
  TPeerEnum Kind = peAlpha;
  TPeerSet Kinds;
  TComponent* Buddy = nullptr;
  TNotifyEvent OnClick;
  std::string Data;  // the binary property

 private:
  std::unique_ptr<TPeerFont> fFont = std::make_unique<TPeerFont>();
  std::unique_ptr<TCollection> fItems;
  std::unique_ptr<TStringList> fLines = std::make_unique<TStringList>();
};

// Its children are its own components, and they are read into it.
class TPeerPanel : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  TComponent* GetChildOwner() override { return this; }
  std::string Caption;
};

class TPeerRoot : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void ButtonClick(TObject*) {}
  std::string Caption;
};

// Variants of every kind the peer stores, and extra stream properties written with the float
// markers, Int64 and UTF-8.
class TPeerExtras : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void DefineProperties(TFiler& filer) override;

  Variant V1, V2, V3, V4, V5, V6, V7, V8;
  float Single = 0;
  TCurrency Currency;
  double Date = 0;
  int64_t Big = 0;
  std::string Utf8;
};

// The types the peer names that have no C++ type of their own: its string kinds.
const TTypeInfo& ShortStringType();
const TTypeInfo& WideStringType();
const TTypeInfo& UnicodeStringType();

// The form peer_write builds (BuildRoot), value for value: PeerRoot with Control1 (every kind of
// value) and Panel1, which holds Inner.
TComponentPtr<TPeerRoot> MakePeerForm();
// The values of TPeerExtras.Fill.
TComponentPtr<TPeerExtras> MakePeerExtras();

}  // namespace dravik
