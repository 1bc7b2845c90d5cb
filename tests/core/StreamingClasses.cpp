#include "tests/core/StreamingClasses.h"

#include "platform/core/filer/Filer.h"
#include "platform/core/streams/Stream.h"

namespace dravik {

namespace {
const TClassRegistration kWidget(TTestWidget::StaticClass());
const TClassRegistration kRoot(TTestRoot::StaticClass());
}  // namespace

const TTypeInfo& TypeInfoFor(TTestColor) {
  static const TTypeInfo& info = MakeEnumType("TTestColor", {"tcRed", "tcGreen", "tcBlue"});
  return info;
}

const TClassRecord& TTestFont::StaticClass() {
  static const TClassRecord& record = TClassBuilder<TTestFont, TPersistent>("TTestFont", "Tests")
                                          .Property("Name", &TTestFont::Name)
                                          .Property("Size", &TTestFont::Size)
                                          .Default(8)
                                          .Property("Style", &TTestFont::Style)
                                          .Default(0)
                                          .Build();
  return record;
}

void TTestFont::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TTestFont*>(source)) {
    Name = other->Name;
    Size = other->Size;
    Style = other->Style;
    return;
  }
  TPersistent::Assign(source);
}

TTestLine::TTestLine(TCollection* collection)
    : TCollectionItem(collection), fParts(std::make_unique<TCollection>(StaticClass(), this)) {}

const TClassRecord& TTestLine::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TTestLine, TCollectionItem>("TTestLine", "Tests")
          .Property("Caption", &TTestLine::Caption)
          .Property("Width", &TTestLine::Width)
          .Default(0)
          .Property("Parts", &TTestLine::GetParts)
          .Property("Target", &TTestLine::Target)
          .Build();
  return record;
}

TTestWidget::TTestWidget(TComponent* owner)
    : TComponent(owner), fColumns(std::make_unique<TCollection>(TTestLine::StaticClass(), this)) {
  ObserveSiblings();  // its references (Buddy) are to siblings
}

const TClassRecord& TTestWidget::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TTestWidget, TComponent>("TTestWidget", "Tests")
          .Property("Caption", &TTestWidget::Caption)
          .TypeAs(MakeAliasType(TypeInfo<std::string>(), "TCaption"))
          .Property("Hint", &TTestWidget::Hint)
          .Property("Tiny", &TTestWidget::Tiny)
          .Property("Small", &TTestWidget::Small)
          .Property("Count", &TTestWidget::Count)
          .Default(0)
          .Property("Unsigned", &TTestWidget::Unsigned)
          .Property("Big", &TTestWidget::Big)
          .Default(0)
          .Property("Letter", &TTestWidget::Letter)
          .Default(0)
          .Property("Enabled", &TTestWidget::Enabled)
          .Default(true)
          .Property("Color", &TTestWidget::Color)
          .Default(tcGreen)
          .Property("Colors", &TTestWidget::Colors)
          .Default(0)
          .Property("Single", &TTestWidget::Single)
          .Property("Double", &TTestWidget::Double)
          .Property("Extended", &TTestWidget::Extended)
          .Property("Money", &TTestWidget::Money)
          .Property("Font", &TTestWidget::GetFont)
          .Property("Lines", &TTestWidget::GetLines)
          .Property("Columns", &TTestWidget::GetColumns)
          .Property("Buddy", &TTestWidget::Buddy)
          .Property("Root", &TTestWidget::Root)
          .Event("OnClick", &TTestWidget::OnClick)
          .Build();
  return record;
}

void TTestWidget::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == Buddy) Buddy = nullptr;
  if (component == Root) Root = nullptr;
}

void TTestWidget::Loaded() {
  TComponent::Loaded();
  ++LoadedCalls;
}

void TTestWidget::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Blob",
      [this](TStream& s) {
        Blob.assign(static_cast<std::size_t>(s.Size()), '\0');
        s.ReadBuffer(Blob.data(), s.Size());
      },
      [this](TStream& s) { s.WriteBuffer(Blob.data(), static_cast<int64_t>(Blob.size())); },
      !Blob.empty());
}

const TClassRecord& TTestRoot::StaticClass() {
  static const TClassRecord& record = TClassBuilder<TTestRoot, TDataModule>("TTestRoot", "Tests")
                                          .Method<&TTestRoot::WidgetClick>("WidgetClick")
                                          .Method<&TTestRoot::WidgetMoved>("WidgetMoved")
                                          .Build();
  return record;
}

}  // namespace dravik
