#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/system/Exceptions.h"
#include "platform/ide/Registration.h"
#include "tests/core/StreamingClasses.h"

using namespace dravik;

namespace {

class TRecordingDesigner : public TFormDesigner {
 public:
  explicit TRecordingDesigner(TComponent* root) : fRoot(root) {}
  TComponent* Root() const override { return fRoot; }
  void Modified() override { ++Changes; }
  int Changes = 0;

 private:
  TComponent* fRoot;
};

class PropertyEditorTest : public testing::Test {
 protected:
  PropertyEditorTest() {
    root.SetName("Form1");
    widget = Create<TTestWidget>(&root);
    widget->SetName("Widget1");
    other = Create<TTestWidget>(&root);
    other->SetName("Widget2");
    Create<TTestRoot>(&root)->SetName("Module1");
  }

  std::unique_ptr<TPropertyEditor> Editor(const char* property) {
    return DefaultPropertyEditor(&designer, *widget, *widget->ClassType().FindProp(property));
  }
  std::vector<std::string> Values(const char* property) {
    std::vector<std::string> values;
    Editor(property)->GetValues([&](const std::string& value) { values.push_back(value); });
    return values;
  }

  TComponentPtr<TTestRoot> rootPtr = MakeComponent<TTestRoot>(nullptr);
  TTestRoot& root = *rootPtr;
  TRecordingDesigner designer{&root};
  TTestWidget* widget;
  TTestWidget* other;
};

// Each kind shows the value as text and takes it back; the designer hears of every change.
TEST_F(PropertyEditorTest, EachKindTakesItsTextBack) {
  struct {
    const char* property;
    const char* typed;
    const char* shown;
  } const cases[] = {
      {"Caption", "Hello", "Hello"},
      {"Count", "$1F", "31"},
      {"Count", " -7 ", "-7"},
      {"Big", "9000000000", "9000000000"},
      {"Letter", "A", "A"},
      {"Letter", "#9", "#9"},
      {"Enabled", "false", "False"},
      {"Color", "TCBLUE", "tcBlue"},
      {"Colors", "[tcBlue, tcRed]", "[tcRed,tcBlue]"},
      {"Colors", "[]", "[]"},
      {"Double", "2.5", "2.5"},
      {"Buddy", "widget2", "Widget2"},
      {"Buddy", "", ""},
      {"OnClick", "widgetclick", "WidgetClick"},
      {"OnClick", "", ""},
  };
  int changes = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.property) + " = " + c.typed);
    Editor(c.property)->SetValue(c.typed);
    EXPECT_EQ(Editor(c.property)->GetValue(), c.shown);
    EXPECT_EQ(designer.Changes, ++changes);
  }
}

TEST_F(PropertyEditorTest, TextsAPropertyCannotTakeAreRefusedAndChangeNothing) {
  widget->Tiny = 5;
  widget->Buddy = other;
  struct {
    const char* property;
    const char* typed;
  } const cases[] = {
      {"Count", "12abc"},         {"Tiny", "200"},  // outside the type's range
      {"Color", "tcPurple"},      {"Colors", "tcRed"}, {"Colors", "[tcRed,x]"}, {"Letter", "ab"},
      {"Double", "two"},          {"Buddy", "Nobody"}, {"Buddy", "Module1"},  // not a widget
      {"OnClick", "WidgetMoved"},                                             // other parameters
      {"OnClick", "Missing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.property) + " = " + c.typed);
    EXPECT_THROW(Editor(c.property)->SetValue(c.typed), Exception);
  }
  EXPECT_EQ(designer.Changes, 0);
  EXPECT_EQ(widget->Tiny, 5);
  EXPECT_EQ(widget->Buddy, other);
}

TEST_F(PropertyEditorTest, ValueListsOfferWhatTheTypeAndTheFormHave) {
  EXPECT_EQ(Values("Color"), (std::vector<std::string>{"tcRed", "tcGreen", "tcBlue"}));
  EXPECT_EQ(Values("Buddy"), (std::vector<std::string>{"Widget1", "Widget2"}));
  EXPECT_EQ(Values("Root"), (std::vector<std::string>{"Widget1", "Widget2", "Module1"}));
  EXPECT_EQ(Values("OnClick"), (std::vector<std::string>{"WidgetClick"}));
  EXPECT_TRUE(Values("Caption").empty());
  for (const char* listed : {"Color", "Buddy", "OnClick"})
    EXPECT_TRUE(Editor(listed)->GetAttributes() & paValueList) << listed;
}

TEST_F(PropertyEditorTest, OwnedObjectsShowTheirClassAndAreNotTyped) {
  auto font = Editor("Font");
  EXPECT_EQ(font->GetValue(), "(TTestFont)");
  EXPECT_TRUE(font->IsReadOnly());
  EXPECT_EQ(font->GetSubObject(), widget->GetFont());
  EXPECT_EQ(Editor("Lines")->GetValue(), "(TStringList)");
  EXPECT_FALSE(Editor("Caption")->IsReadOnly());
  EXPECT_EQ(Editor("Caption")->GetComponent(0), widget);
  EXPECT_EQ(Editor("Caption")->GetComponent(1), nullptr);
}

}  // namespace
