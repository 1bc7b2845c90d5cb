#include <gtest/gtest.h>

#include "platform/core/classes/Component.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/typinfo/ClassBuilder.h"

using namespace dravik;

namespace {

enum TShape { shCircle, shSquare, shTriangle };
const TTypeInfo& TypeInfoFor(TShape) {
  static const TTypeInfo& info = MakeEnumType("TShape", {"shCircle", "shSquare", "shTriangle"});
  return info;
}
using TShapes = TSet<TShape, "TShapes">;

// Registered by a static constructor, in no set order with the library's own registrations.
class TEarly : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record = TClassBuilder<TEarly, TComponent>("TEarly", "Widgets")
                                            .Property("Shape", &TEarly::Shape)
                                            .Property("Size", &TEarly::Size)
                                            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TShape Shape = shCircle;
  int32_t Size = 0;
};
const TClassRegistration kEarly(TEarly::StaticClass());

class TWidget : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  const std::string& GetCaption() const { return fCaption; }
  void SetCaption(const std::string& v) { fCaption = v; }
  int32_t Level() const { return fLevel; }
  void Click(TObject*) { ++fClicks; }

  std::string fCaption;
  int32_t fLevel = 3;
  TShape fShape = shSquare;
  TShapes fShapes;
  double fRatio = 0;
  TWidget* fBuddy = nullptr;
  TNotifyEvent fOnClick;
  int fClicks = 0;
};

const TClassRecord& TWidget::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TWidget, TComponent>("TWidget", "Widgets")
          .Property("Caption", &TWidget::GetCaption, &TWidget::SetCaption)
          .TypeAs(MakeAliasType(TypeInfo<std::string>(), "TCaption"))
          .Property("Level", &TWidget::Level)
          .Property("Shape", &TWidget::fShape)
          .Default(shSquare)
          .Property("Shapes", &TWidget::fShapes)
          .Property("Ratio", &TWidget::fRatio)
          .Property("Buddy", &TWidget::fBuddy)
          .Event("OnClick", &TWidget::fOnClick)
          .Method<&TWidget::Click>("Click")
          .Build();
  return record;
}

}  // namespace

TEST(TypeInfo, PropertiesComeInheritedFirstInDeclarationOrder) {
  const TClassRecord& c = TWidget::StaticClass();
  std::vector<std::string> names;
  for (const TPropInfo* p : c.Props()) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Caption", "Level", "Shape", "Shapes",
                                             "Ratio", "Buddy", "OnClick"}));
  for (int i = 0; i < c.PropCount(); ++i) EXPECT_EQ(c.Prop(i).NameIndex, i);
  EXPECT_EQ(c.Parent(), &TComponent::StaticClass());
  EXPECT_EQ(c.UnitName(), "Widgets");
  EXPECT_TRUE(c.InheritsFrom(TPersistent::StaticClass()));
}

TEST(TypeInfo, FindsPropertiesByNameIgnoringCase) {
  const TClassRecord& c = TWidget::StaticClass();
  ASSERT_NE(c.FindProp("caption"), nullptr);
  EXPECT_EQ(c.FindProp("CAPTION")->PropType->Name, "TCaption");
  EXPECT_EQ(c.FindProp("caption")->Kind(), tkLString);
  EXPECT_EQ(c.FindProp("TAG")->Kind(), tkInteger);
  EXPECT_EQ(c.FindProp("Missing"), nullptr);
  EXPECT_EQ(c.FindProp(""), nullptr);
}

TEST(TypeInfo, AccessorsReadAndWriteThroughTheProperty) {
  auto w = MakeComponent<TWidget>(nullptr);
  const TClassRecord& c = TWidget::StaticClass();
  SetStrProp(*w, *c.FindProp("Caption"), "Hello");
  EXPECT_EQ(w->fCaption, "Hello");
  const TPropInfo& level = *c.FindProp("Level");
  EXPECT_TRUE(level.CanRead());
  EXPECT_FALSE(level.CanWrite());
  EXPECT_EQ(GetOrdProp(*w, level), 3);
  EXPECT_THROW(SetOrdProp(*w, level, 4), EPropertyError);

  const TPropInfo& shapes = *c.FindProp("Shapes");
  EXPECT_EQ(shapes.Kind(), tkSet);
  EXPECT_EQ(shapes.PropType->CompType->Name, "TShape");
  SetOrdProp(*w, shapes, 0b101);
  EXPECT_TRUE(w->fShapes.Contains(shCircle) && w->fShapes.Contains(shTriangle));
  EXPECT_EQ(c.FindProp("Shape")->Default, shSquare);
  EXPECT_EQ(GetEnumName(*c.FindProp("Shape")->PropType, 2), "shTriangle");
  EXPECT_EQ(GetEnumValue(*c.FindProp("Shape")->PropType, "SHCIRCLE"), 0);
  EXPECT_EQ(GetEnumValue(*c.FindProp("Shape")->PropType, "shHexagon"), -1);

  auto buddy = MakeComponent<TWidget>(nullptr);
  SetOrdProp(*w, *c.FindProp("Buddy"), reinterpret_cast<intptr_t>(buddy.get()));
  EXPECT_EQ(w->fBuddy, buddy.get());
  EXPECT_EQ(GetObjectProp(*w, *c.FindProp("Buddy")), buddy.get());
  SetFloatProp(*w, *c.FindProp("Ratio"), 0.5L);
  EXPECT_EQ(w->fRatio, 0.5);

  // A text property's plain accessors reach the same member as the others.
  const TTextAccess& text = c.FindProp("Caption")->Text;
  ASSERT_TRUE(text.Ref && text.Set);
  text.Set(*w, "Plain", text);
  EXPECT_EQ(w->fCaption, "Plain");
  EXPECT_EQ(&text.Ref(*w, text), &w->fCaption);
  EXPECT_EQ(level.Text.Ref, nullptr);
  EXPECT_EQ(level.Text.Set, nullptr);
}

TEST(TypeInfo, PublishedMethodsAreFoundByNameAndCompareEqual) {
  auto w = MakeComponent<TWidget>(nullptr);
  const TClassRecord& c = TWidget::StaticClass();
  void* code = c.MethodAddress("click");
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(c.MethodName(code), "Click");
  TMethod method{code, w.get()};
  EXPECT_EQ(method, MakeMethod<&TWidget::Click>(w.get()));
  SetMethodProp(*w, *c.FindProp("OnClick"), method);
  w->fOnClick(w.get());
  EXPECT_EQ(w->fClicks, 1);
  EXPECT_EQ(GetMethodProp(*w, *c.FindProp("OnClick")), method);
  EXPECT_EQ(c.FindProp("OnClick")->PropType->Name, "TNotifyEvent");
}

TEST(TypeInfo, ClassesWithoutTypeInfoAndRuntimeRecords) {
  EXPECT_EQ(TObject::StaticClass().ClassInfo(), nullptr);
  EXPECT_NE(TPersistent::StaticClass().ClassInfo(), nullptr);

  // A class described at run time, as a reader of unknown form files builds one.
  TClassRecord described("TDescribed", "Unknown", &TComponent::StaticClass());
  std::string storage;
  TPropInfo caption("Caption", TypeInfo<std::string>());
  caption.String.Get = [&](TObject&) { return storage; };
  caption.String.Set = [&](TObject&, std::string v) { storage = std::move(v); };
  described.AddProperty(std::move(caption));
  described.Seal();
  auto any = MakeComponent<TComponent>(nullptr);
  SetStrProp(*any, *described.FindProp("caption"), "dynamic");
  EXPECT_EQ(storage, "dynamic");
  EXPECT_EQ(described.PropCount(), TComponent::StaticClass().PropCount() + 1);
}

TEST(TypeInfo, RegistriesAreReadyForRegistrationsBeforeMain) {
  EXPECT_EQ(GetClass("TEarly"), &TEarly::StaticClass());
  EXPECT_NE(GetClass("TStringList"), nullptr);  // the library's own, registered the same way
  const TClassRecord& early = TEarly::StaticClass();
  EXPECT_EQ(early.FindProp("Size")->PropType, &TypeInfo<int32_t>());
  EXPECT_EQ(early.FindProp("Shape")->PropType, &TypeInfo<TShape>());
  EXPECT_EQ(early.FindProp("Tag"), TComponent::StaticClass().FindProp("Tag"));
}

TEST(TypeInfo, ClassRegistryFindsByNameAndRejectsUnknown) {
  static const TClassRegistration registration(TWidget::StaticClass());
  EXPECT_EQ(GetClass("twidget"), &TWidget::StaticClass());
  EXPECT_EQ(GetClass("TNothing"), nullptr);
  try {
    FindClass("TNothing");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TNothing not found");
  }
  TComponent* made = TWidget::StaticClass().ComponentFactory()(nullptr);
  EXPECT_EQ(made->ClassName(), "TWidget");
  made->Free();
}
