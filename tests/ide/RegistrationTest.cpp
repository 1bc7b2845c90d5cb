#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/core/system/Designing.h"
#include "platform/ide/Registration.h"
#include "tests/core/StreamingClasses.h"

using namespace dravik;

namespace {

class TDerivedWidget : public TTestWidget {
 public:
  using TTestWidget::TTestWidget;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TDerivedWidget, TTestWidget>("TDerivedWidget", "IdeTests").Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

class TUnlistedWidget : public TTestWidget {
 public:
  using TTestWidget::TTestWidget;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TUnlistedWidget, TTestWidget>("TUnlistedWidget", "IdeTests").Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

// An editor that says which registration made it.
template <int Tag>
class TTaggedEditor : public TComponentEditor {
 public:
  using TComponentEditor::TComponentEditor;
  int GetVerbCount() override { return 1; }
  std::string GetVerb(int) override { return "tag " + std::to_string(Tag); }
};

class TTaggedProperty : public TStringProperty {
 public:
  TTaggedProperty(TFormDesigner* designer, TComponent& component, const TPropInfo& prop,
                  std::string tag)
      : TStringProperty(designer, component, prop), Tag(std::move(tag)) {}
  std::string GetValue() override { return Tag; }
  std::string Tag;
};

TPropertyEditorFactory Tagged(std::string tag) {
  return [tag](TFormDesigner* designer, TComponent& component, const TPropInfo& prop) {
    return std::make_unique<TTaggedProperty>(designer, component, prop, tag);
  };
}

class TCountedExpert : public TIExpert {
 public:
  explicit TCountedExpert(int& alive) : fAlive(alive) { ++fAlive; }
  ~TCountedExpert() override { --fAlive; }
  std::string GetName() override { return "Counted"; }
  std::string GetAuthor() override { return {}; }
  std::string GetComment() override { return {}; }
  std::string GetPage() override { return {}; }
  std::string GetGlyph() override { return {}; }
  TExpertStyle GetStyle() override { return esAddIn; }
  TExpertState GetState() override { return esEnabled; }
  std::string GetIDString() override { return "Tests.Counted"; }
  std::string GetMenuText() override { return {}; }
  void Execute() override {}

 private:
  int& fAlive;
};

// Installs a registry for one test, as a host does.
class RegistrationTest : public testing::Test {
 protected:
  void SetUp() override { SetDesignRegistry(&registry); }
  void TearDown() override { SetDesignRegistry(nullptr); }

  std::string PropertyValue(TComponent& component, const char* name) {
    return registry.CreatePropertyEditor(nullptr, component, *component.ClassType().FindProp(name))
        ->GetValue();
  }

  TDesignRegistry registry;
};

TEST(RegistrationWithoutHost, ChangesNothing) {
  ASSERT_EQ(DesignRegistry(), nullptr);
  EXPECT_FALSE(IsDesigning());
  int alive = 0;
  RegisterComponents("Tests", {&TUnlistedWidget::StaticClass()});
  RegisterComponentEditor(TTestWidget::StaticClass(), ComponentEditorFactory<TTaggedEditor<1>>());
  RegisterPropertyEditor(TypeInfo<std::string>(), nullptr, "", Tagged("any"));
  RegisterCustomModule(TTestRoot::StaticClass());
  RegisterLibraryExpert(std::make_unique<TCountedExpert>(alive));
  EXPECT_EQ(alive, 0) << "the expert is freed at once";
  EXPECT_EQ(GetClass("TUnlistedWidget"), nullptr) << "streaming does not learn the class";

  // A registry installed afterwards starts empty.
  TDesignRegistry registry;
  EXPECT_TRUE(registry.Pages().empty());
  EXPECT_TRUE(registry.CustomModules().empty());
  auto rootPtr = MakeComponent<TTestRoot>(nullptr);
  TTestRoot& root = *rootPtr;
  auto* widget = Create<TTestWidget>(&root);
  EXPECT_EQ(registry.CreateComponentEditor(*widget, nullptr)->GetVerbCount(), 0);
}

TEST_F(RegistrationTest, PalettePagesKeepTheirOrderAndAClassHasOnePage) {
  RegisterComponents("Standard", {&TTestWidget::StaticClass()});
  RegisterComponents("Extra", {&TDerivedWidget::StaticClass()});
  RegisterComponents("standard", {&TDerivedWidget::StaticClass()});
  ASSERT_EQ(registry.Pages().size(), 2u);
  EXPECT_EQ(registry.Pages()[0].Name, "Standard");
  EXPECT_EQ(registry.Pages()[0].Classes,
            (std::vector<const TClassRecord*>{&TTestWidget::StaticClass(),
                                              &TDerivedWidget::StaticClass()}));
  EXPECT_TRUE(registry.Pages()[1].Classes.empty());
  EXPECT_EQ(GetClass("TDerivedWidget"), &TDerivedWidget::StaticClass());
}

TEST_F(RegistrationTest, TheNearestComponentEditorWinsAndTheLaterAmongEquals) {
  auto rootPtr = MakeComponent<TTestRoot>(nullptr);
  TTestRoot& root = *rootPtr;
  auto* plain = Create<TTestWidget>(&root);
  auto* derived = Create<TDerivedWidget>(&root);
  RegisterComponentEditor(TTestWidget::StaticClass(), ComponentEditorFactory<TTaggedEditor<1>>());
  RegisterComponentEditor(TDerivedWidget::StaticClass(),
                          ComponentEditorFactory<TTaggedEditor<2>>());
  RegisterComponentEditor(TTestWidget::StaticClass(), ComponentEditorFactory<TTaggedEditor<3>>());
  EXPECT_EQ(registry.CreateComponentEditor(*plain, nullptr)->GetVerb(0), "tag 3");
  EXPECT_EQ(registry.CreateComponentEditor(*derived, nullptr)->GetVerb(0), "tag 2");
  EXPECT_EQ(registry.CreateComponentEditor(root, nullptr)->GetVerbCount(), 0);
}

TEST_F(RegistrationTest, TheMostSpecificPropertyEditorWins) {
  auto rootPtr = MakeComponent<TTestRoot>(nullptr);
  TTestRoot& root = *rootPtr;
  auto* plain = Create<TTestWidget>(&root);
  auto* derived = Create<TDerivedWidget>(&root);
  const TTypeInfo& text = TypeInfo<std::string>();
  plain->Caption = "own caption";
  // Registered from the most specific to the least, so the order does not decide.
  RegisterPropertyEditor(text, &TDerivedWidget::StaticClass(), "Hint", Tagged("derived hint"));
  RegisterPropertyEditor(text, &TTestWidget::StaticClass(), "Hint", Tagged("widget hint"));
  RegisterPropertyEditor(text, nullptr, "Hint", Tagged("any hint"));
  RegisterPropertyEditor(text, &TDerivedWidget::StaticClass(), "", Tagged("derived text"));
  RegisterPropertyEditor(text, nullptr, "", Tagged("any text"));
  RegisterPropertyEditor(*TTestWidget::StaticClass().ClassInfo(), nullptr, "",
                         Tagged("any widget reference"));
  RegisterPropertyEditor(*TComponent::StaticClass().ClassInfo(), nullptr, "",
                         Tagged("any component reference"));
  struct {
    TComponent* component;
    const char* property;
    const char* editor;
  } const cases[] = {
      {derived, "Hint", "derived hint"},
      {plain, "Hint", "widget hint"},
      {&root, "Name", "any text"},
      {derived, "Name", "derived text"},
      {plain, "Caption", "own caption"},           // a type of its own: no registration applies
      {plain, "Buddy", "any widget reference"},    // the property's own class type
      {plain, "Root", "any component reference"},  // the widget type does not apply
  };
  for (const auto& c : cases)
    EXPECT_EQ(PropertyValue(*c.component, c.property), c.editor) << c.property;

  // Among equals the later registration wins.
  RegisterPropertyEditor(text, nullptr, "", Tagged("later text"));
  EXPECT_EQ(PropertyValue(*plain, "Name"), "later text");
}

TEST_F(RegistrationTest, CustomModulesAndExpertsAreKept) {
  int alive = 0;
  RegisterCustomModule(TTestRoot::StaticClass());
  RegisterCustomModule(TTestRoot::StaticClass());
  RegisterLibraryExpert(std::make_unique<TCountedExpert>(alive));
  EXPECT_EQ(registry.CustomModules().size(), 1u);
  EXPECT_TRUE(registry.IsCustomModule(TTestRoot::StaticClass()));
  ASSERT_EQ(registry.Experts().size(), 1u);
  EXPECT_EQ(alive, 1);
  registry.FreeExperts();
  EXPECT_EQ(alive, 0);
}

}  // namespace
