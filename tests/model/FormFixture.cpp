#include "tests/model/FormFixture.h"

namespace dravik {

namespace {
const TClassRegistration kControl(TTestControl::StaticClass());
const TClassRegistration kForm(TTestForm::StaticClass());
}  // namespace

const TTypeInfo& TypeInfoFor(TAlignment) {
  static const TTypeInfo& info =
      MakeEnumType("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
  return info;
}

const TTypeInfo& TypeInfoFor(TLayout) {
  static const TTypeInfo& info = MakeEnumType("TLayout", {"tlTop", "tlCenter", "tlBottom"});
  return info;
}

const TTypeInfo& TypeInfoFor(TAnchorKind) {
  static const TTypeInfo& info =
      MakeEnumType("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
  return info;
}

const TClassRecord& TCaptionItem::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TCaptionItem, TCollectionItem>("TCaptionItem", "TestControls")
          .Property("Caption", &TCaptionItem::Caption)
          .Build();
  return record;
}

TTestControl::TTestControl(TComponent* owner)
    : TComponent(owner), fItems(std::make_unique<TCollection>(TCaptionItem::StaticClass(), this)) {
  ObserveSiblings();  // its references (Buddy) are to siblings
}

const TClassRecord& TTestControl::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TTestControl, TComponent>("TTestControl", "TestControls")
          .Property("Caption", &TTestControl::Caption)
          .TypeAs(MakeAliasType(TypeInfo<std::string>(), "TCaption"))
          .Property("Hint", &TTestControl::Hint)
          .Property("Font", &TTestControl::GetFont, &TTestControl::SetFont)
          .Property("Items", &TTestControl::GetItems)
          .Property("Lines", &TTestControl::GetLines, &TTestControl::SetLines)
          .Property("Level", &TTestControl::Level)
          .TypeAs(MakeSubrangeType("TLevel", 1, 5))
          .Property("Offset", &TTestControl::Offset)
          .TypeAs(MakeSubrangeType("TOffset", -10, -1))
          .Property("Alignment", &TTestControl::Alignment)
          .Default(taLeftJustify)
          .Property("Layout", &TTestControl::Layout)
          .Property("Anchors", &TTestControl::Anchors)
          .Default(0b0011)
          .Property("Accel", &TTestControl::Accel)
          .Property("Ratio", &TTestControl::Ratio)
          .Property("Color", &TTestControl::Color)
          .Property("Buddy", &TTestControl::Buddy)
          .Event("OnClick", &TTestControl::OnClick)
          .Property("LineCount", &TTestControl::GetLineCount)
          .WriteOnly("Secret", &TTestControl::SetSecret, TypeInfo<std::string>())
          .Build();
  return record;
}

void TTestControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == Buddy) Buddy = nullptr;
}

const TClassRecord& TTestForm::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TTestForm, TDataModule>("TTestForm", "TestForms")
          .Method<&TTestForm::ButtonClick>("ButtonClick")
          .Method<&TTestForm::LevelChanged>("LevelChanged")
          .Build();
  return record;
}

TComponentPtr<TTestForm> MakeTestForm() {
  auto form = MakeComponent<TTestForm>(nullptr);
  form->SetName("Form1");
  auto* button = Create<TTestControl>(form.get());
  button->SetName("Button1");
  button->Caption = "OK";
  button->Hint = "Closes the window";
  static_cast<TCaptionItem*>(button->GetItems()->Add())->Caption = "First";
  static_cast<TCaptionItem*>(button->GetItems()->Add())->Caption = "Second";
  button->GetLines()->SetText("one\ntwo\nthree");
  auto* label = Create<TTestControl>(form.get());
  label->SetName("Label1");
  label->Caption = "Name:";
  label->Buddy = button;
  Create<TTestControl>(form.get());  // a component without a name
  return form;
}

}  // namespace dravik
