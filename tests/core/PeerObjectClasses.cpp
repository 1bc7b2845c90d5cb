#include "tests/core/PeerObjectClasses.h"

#include "platform/core/filer/Filer.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/streams/Stream.h"

namespace dravik {

namespace {

const TClassRegistration kControl(TPeerControl::StaticClass());
const TClassRegistration kPanel(TPeerPanel::StaticClass());
const TClassRegistration kRoot(TPeerRoot::StaticClass());
const TClassRegistration kExtras(TPeerExtras::StaticClass());

const TTypeInfo& StringKindType(TTypeKind kind, const char* name) {
  TTypeInfo type = TypeInfo<std::string>();
  type.Kind = kind;
  return MakeAliasType(type, name);
}

void OwnComponents(TComponent& component, const std::function<void(TComponent*)>& proc) {
  for (int i = 0; i < component.ComponentCount(); ++i) proc(component.Components(i));
}

}  // namespace

const TTypeInfo& ShortStringType() {
  static const TTypeInfo& type = StringKindType(tkString, "ShortString");
  return type;
}

const TTypeInfo& WideStringType() {
  static const TTypeInfo& type = StringKindType(tkWString, "WideString");
  return type;
}

const TTypeInfo& UnicodeStringType() {
  static const TTypeInfo& type = StringKindType(tkWString, "UnicodeString");
  return type;
}

const TTypeInfo& TypeInfoFor(TPeerEnum) {
  static const TTypeInfo& info = MakeEnumType("TPeerEnum", {"peAlpha", "peBeta", "peGamma"});
  return info;
}

const TClassRecord& TPeerSubItem::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TPeerSubItem, TCollectionItem>("TPeerSubItem", "PeerForms")
          .Property("Tag", &TPeerSubItem::Tag)
          .Property("Weight", &TPeerSubItem::Weight)
          .Build();
  return record;
}

TPeerItem::TPeerItem(TCollection* collection)
    : TCollectionItem(collection),
      fSubItems(std::make_unique<TCollection>(TPeerSubItem::StaticClass(), this)) {}

const TClassRecord& TPeerItem::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TPeerItem, TCollectionItem>("TPeerItem", "PeerForms")
          .Property("Caption", &TPeerItem::Caption)
          .Property("Value", &TPeerItem::Value)
          .Property("SubItems", &TPeerItem::GetSubItems, &TPeerItem::SetSubItems)
          .Build();
  return record;
}

const TClassRecord& TPeerFont::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TPeerFont, TPersistent>("TPeerFont", "PeerForms")
          .Property("Name", &TPeerFont::Name)
          .Property("Size", &TPeerFont::Size)
          .Property("Style", &TPeerFont::Style)
          .Build();
  return record;
}

void TPeerFont::Assign(const TPersistent* source) {
  if (auto* font = dynamic_cast<const TPeerFont*>(source)) {
    Name = font->Name;
    Size = font->Size;
    Style = font->Style;
    return;
  }
  TPersistent::Assign(source);
}

TPeerControl::TPeerControl(TComponent* owner)
    : TComponent(owner), fItems(std::make_unique<TCollection>(TPeerItem::StaticClass(), this)) {
  ObserveSiblings();  // its references (Buddy) are to siblings
}

const TClassRecord& TPeerControl::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TPeerControl, TComponent>("TPeerControl", "PeerForms")
          .Property("I8", &TPeerControl::I8)
          .Property("U8", &TPeerControl::U8)
          .Property("I16", &TPeerControl::I16)
          .Property("U16", &TPeerControl::U16)
          .Property("I32", &TPeerControl::I32)
          .Property("U32", &TPeerControl::U32)
          .Property("I64", &TPeerControl::I64)
          .Property("U64", &TPeerControl::U64)
          .Property("FSingleP", &TPeerControl::Single)
          .Property("FDoubleP", &TPeerControl::Double)
          .Property("FExtendedP", &TPeerControl::Extended)
          .Property("FCurrencyP", &TPeerControl::Currency)
          .Property("FDateP", &TPeerControl::Date)
          .Property("SStr", &TPeerControl::SStr)
          .TypeAs(ShortStringType())
          .Property("LStr", &TPeerControl::LStr)
          .TypeAs(MakeAliasType(TypeInfo<std::string>(), "AnsiString"))
          .Property("WStr", &TPeerControl::WStr)
          .TypeAs(WideStringType())
          .Property("UStr", &TPeerControl::UStr)
          .TypeAs(UnicodeStringType())
          .Property("Ch", &TPeerControl::Ch)
          .Property("Flag", &TPeerControl::Flag)
          .Property("Kind", &TPeerControl::Kind)
          .Property("Kinds", &TPeerControl::Kinds)
          .Property("Font", &TPeerControl::GetFont, &TPeerControl::SetFont)
          .Property("Items", &TPeerControl::GetItems, &TPeerControl::SetItems)
          .Property("Lines", &TPeerControl::GetLines, &TPeerControl::SetLines)
          .Property("Buddy", &TPeerControl::Buddy)
          .Event("OnClick", &TPeerControl::OnClick)
          .Build();
  return record;
}

void TPeerControl::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Data",
      [this](TStream& s) {
        Data.assign(static_cast<std::size_t>(s.Size()), '\0');
        s.ReadBuffer(Data.data(), s.Size());
      },
      [this](TStream& s) { s.WriteBuffer(Data.data(), static_cast<int64_t>(Data.size())); },
      !Data.empty());
}

void TPeerControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == Buddy) Buddy = nullptr;
}

const TClassRecord& TPeerPanel::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TPeerPanel, TComponent>("TPeerPanel", "PeerForms")
          .Property("Caption", &TPeerPanel::Caption)
          .Build();
  return record;
}

void TPeerPanel::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  OwnComponents(*this, proc);
}

const TClassRecord& TPeerRoot::StaticClass() {
  static const TClassRecord& record = TClassBuilder<TPeerRoot, TComponent>("TPeerRoot", "PeerForms")
                                          .Property("Caption", &TPeerRoot::Caption)
                                          .Method<&TPeerRoot::ButtonClick>("ButtonClick")
                                          .Build();
  return record;
}

void TPeerRoot::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  OwnComponents(*this, proc);
}

const TClassRecord& TPeerExtras::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TPeerExtras, TComponent>("TPeerExtras", "PeerForms")
          .Property("V1", &TPeerExtras::V1)
          .Property("V2", &TPeerExtras::V2)
          .Property("V3", &TPeerExtras::V3)
          .Property("V4", &TPeerExtras::V4)
          .Property("V5", &TPeerExtras::V5)
          .Property("V6", &TPeerExtras::V6)
          .Property("V7", &TPeerExtras::V7)
          .Property("V8", &TPeerExtras::V8)
          .Build();
  return record;
}

void TPeerExtras::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  // The currency goes through a variant, which keeps its scaled integer exactly.
  filer.DefineProperty(
      "Single", [this](TReader& r) { Single = static_cast<float>(r.ReadFloat()); },
      [this](TWriter& w) { w.WriteSingle(Single); }, true);
  filer.DefineProperty(
      "Currency", [this](TReader& r) { Currency = r.ReadVariant().AsCurrency(); },
      [this](TWriter& w) { w.WriteCurrency(Currency); }, true);
  filer.DefineProperty(
      "Date", [this](TReader& r) { Date = static_cast<double>(r.ReadFloat()); },
      [this](TWriter& w) { w.WriteDate(Date); }, true);
  filer.DefineProperty(
      "Big", [this](TReader& r) { Big = r.ReadInt64(); },
      [this](TWriter& w) { w.WriteInteger(Big); }, true);
  filer.DefineProperty(
      "Utf8", [this](TReader& r) { Utf8 = r.ReadString(); },
      [this](TWriter& w) { w.WriteString(Utf8); }, true);
}

TComponentPtr<TPeerRoot> MakePeerForm() {
  auto root = MakeComponent<TPeerRoot>(nullptr);
  root->SetName("PeerRoot");
  root->Caption = "Root 'form'";
  auto* c = Create<TPeerControl>(root.get());
  c->SetName("Control1");
  c->I8 = -5;
  c->U8 = 200;
  c->I16 = -1234;
  c->U16 = 60000;
  c->I32 = -100000;
  c->U32 = 4000000000u;
  c->I64 = -9000000000;
  c->U64 = 18000000000000000000u;
  c->Single = 1.5f;
  c->Double = 0.1;
  c->Extended = 1.0 / 3;  // the peer's constant 1/3 is folded in double precision
  c->Currency = {123456};
  c->Date = {45000.25};
  c->SStr = "It's short";
  c->LStr = std::string(300, 'x') + " Caf\u00e9 'q'";
  c->WStr = "Gr\u00fc\u00dfe \u20ac";
  c->UStr = "smile \U0001F600 \u0416";
  c->Ch = 'Z';
  c->Flag = true;
  c->Kind = peGamma;
  c->Kinds = {peAlpha, peGamma};
  c->GetFont()->Name = "Sans";
  c->GetFont()->Size = 9;
  c->GetFont()->Style = {peBeta};
  auto* item = static_cast<TPeerItem*>(c->GetItems()->Add());
  item->Caption = "first";
  item->Value = 1;
  auto* sub = static_cast<TPeerSubItem*>(item->GetSubItems()->Add());
  sub->Tag = "a";
  sub->Weight = 2.5;
  sub = static_cast<TPeerSubItem*>(item->GetSubItems()->Add());
  sub->Tag = "b\nc";
  sub->Weight = -1E-300;
  item = static_cast<TPeerItem*>(c->GetItems()->Add());
  item->Caption = "second";
  item->Value = 70000;
  for (const char* line : {"line one", "", "tab\tchar", "Gr\u00fcn"}) c->GetLines()->Add(line);
  for (int i = 0; i <= 40; ++i) c->Data += static_cast<char>(i * 7);
  c->OnClick = TNotifyEvent::Of<&TPeerRoot::ButtonClick>(root.get());
  auto* panel = Create<TPeerPanel>(root.get());
  panel->SetName("Panel1");
  panel->Caption = "Panel";
  auto* inner = Create<TPeerControl>(panel);
  inner->SetName("Inner");
  inner->Buddy = c;
  inner->Extended = -0.0L;
  c->Buddy = inner;
  return root;
}

TComponentPtr<TPeerExtras> MakePeerExtras() {
  auto extras = MakeComponent<TPeerExtras>(nullptr);
  extras->SetName("Extras");
  extras->V1 = Variant::Null();
  extras->V2 = true;
  extras->V3 = 0.1f;
  extras->V4 = Variant::Date(45000.75);
  extras->V5 = -2.5E-10;
  extras->V6 = Variant::OleStr("wide \u20ac");
  extras->V7 = Variant::OleStr("Zhe \u0416");
  extras->V8 = -5000000000.0;  // variants have no Int64: the nearest is a double
  extras->Single = -2.75f;
  extras->Currency = {INT64_MAX};
  extras->Date = -1.5;
  extras->Big = 7;
  extras->Utf8 = "Gr\u00fc\u00dfe";
  return extras;
}

}  // namespace dravik
