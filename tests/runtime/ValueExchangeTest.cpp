// What one form's switch does to its property entries: the live values and the stored slots
// trade places, values of every kind come back exactly, and a refused value loses nothing.

#include <gtest/gtest.h>

#include <iterator>
#include <utility>
#include <vector>

#include "platform/core/typinfo/ClassBuilder.h"
#include "tests/runtime/DravikFixture.h"

using namespace dravik;

namespace {

using ValueExchange = DravikTest;

TLanguageManager* Manager(TComponent* form) {
  return DravikOf(form)->LanguageManager();
}

// A control whose caption, set to "Close", frees the component it names.
class TClosingControl : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TClosingControl, TComponent>("TClosingControl", "ValueExchangeTest")
            .Property("Caption", &TClosingControl::Caption, &TClosingControl::SetCaption)
            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value) {
    fCaption = value;
    if (value == "Close" && Closes) std::exchange(Closes, nullptr)->Free();
  }
  TComponent* Closes = nullptr;

 private:
  std::string fCaption;
};

}  // namespace

TEST_F(ValueExchange, TwoSwitchesRestoreEveryKindOfValueExactly) {
  auto form = MakeDravikForm("Hello");
  TTestControl* button = Control(form.get(), "Button1");
  button->Level = 2;
  button->Alignment = taCenter;
  button->Ratio = 0.1;
  SetLanguages(DravikOf(form.get()), {{"English", 0}, {"Deutsch", 1}});
  Translate(DravikOf(form.get()), button, "Caption", {Variant("Hello"), Variant("Hallo")});
  Translate(DravikOf(form.get()), button, "Level", {Variant(int32_t(2)), Variant(int32_t(5))});
  Translate(DravikOf(form.get()), button, "Alignment",
            {Variant("taCenter"), Variant("taRightJustify")});
  auto* ratio = Translate(DravikOf(form.get()), button, "Ratio", {Variant(0.1), Variant(2.5)});

  ASSERT_TRUE(Manager(form.get())->SetLanguageByIndex(1));
  EXPECT_EQ(button->Caption, "Hallo");
  EXPECT_EQ(button->Level, 5);
  EXPECT_EQ(button->Alignment, taRightJustify);
  EXPECT_EQ(button->Ratio, 2.5);
  EXPECT_EQ(ratio->GetLangValue(1).VarType(), varDouble) << "stored as the property gave it";

  ASSERT_TRUE(Manager(form.get())->SetLanguageByIndex(0));
  EXPECT_EQ(button->Caption, "Hello");
  EXPECT_EQ(button->Level, 2);
  EXPECT_EQ(button->Alignment, taCenter);
  EXPECT_EQ(button->Ratio, 0.1);
  EXPECT_FALSE(Manager(form.get())->SetLanguageByIndex(0)) << "already active";
}

// A language without a value of its own shows the empty value of the property's type, and the
// value that was live goes to the language that was active.
TEST_F(ValueExchange, ASlotWithoutValueGivesTheTypesEmptyValue) {
  auto form = MakeDravikForm("Hello");
  TTestControl* button = Control(form.get(), "Button1");
  button->Level = 3;
  button->Offset = -2;
  button->Alignment = taCenter;
  button->Anchors = {akRight};
  button->Ratio = 0.5;
  button->Accel = 'B';
  TDravik* dravik = DravikOf(form.get());
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  struct {
    const char* Property;
    Variant Live, Empty;
  } const cases[] = {
      {"Caption", Variant("Hello"), Variant("")},
      {"Level", Variant(int32_t(3)), Variant(int32_t(1))},  // the lowest of 1..5
      {"Offset", Variant(int32_t(-2)), Variant(int32_t(-10))},
      {"Alignment", Variant("taCenter"), Variant("taLeftJustify")},  // its default
      {"Anchors", Variant("[akRight]"), Variant("[akLeft,akTop]")},  // its default
      {"Ratio", Variant(0.5), Variant(0.0)},
      {"Accel", Variant(int32_t('B')), Variant(int32_t(0))},
  };
  std::vector<TInconsistentLangPropertyEntry*> entries;
  for (const auto& c : cases) {
    entries.push_back(Translate(dravik, button, c.Property, {c.Live, c.Live}));
    entries.back()->SetCount(1);
    entries.back()->SetCount(2);  // slot 1 without a value
    ASSERT_FALSE(entries.back()->HasLangValue(1));
  }

  ASSERT_TRUE(Manager(form.get())->SetLanguageByIndex(1));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(VarToStr(entries[i]->GetLangValue(0)), VarToStr(cases[i].Empty)) << cases[i].Property;
    EXPECT_EQ(VarToStr(entries[i]->GetLangValue(1)), VarToStr(cases[i].Live)) << cases[i].Property;
  }
  ASSERT_TRUE(Manager(form.get())->SetLanguageByIndex(0));
  EXPECT_EQ(button->Caption, "Hello");
  EXPECT_EQ(button->Level, 3);
  EXPECT_EQ(button->Offset, -2);
  EXPECT_EQ(button->Alignment, taCenter);
  EXPECT_EQ(button->Anchors, TAnchors{akRight});
  EXPECT_EQ(button->Ratio, 0.5);
  EXPECT_EQ(button->Accel, 'B');
}

// The property keeps its value, which belongs to no language once the languages swapped their
// slots: the entry answers the refused value for the new language and the old one's for the
// old, and a switch back puts everything where it was.
TEST_F(ValueExchange, ARefusedValueStaysWithItsLanguage) {
  auto form = MakeDravikForm("Hello");
  TTestControl* button = Control(form.get(), "Button1");
  SetLanguages(DravikOf(form.get()), {{"English", 0}, {"Deutsch", 1}, {"Francais", 2}});
  auto* level = Translate(DravikOf(form.get()), button, "Level",
                          {Variant(int32_t(1)), Variant("many"), Variant(int32_t(4))});
  Translate(DravikOf(form.get()), button, "Caption", {"Hello", "Hallo", "Salut"});

  try {
    Manager(form.get())->SetLanguageByIndex(1);
    FAIL() << "the property took 'many'";
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.Message().rfind("Button1.Level in language Deutsch: ", 0), 0u) << e.Message();
  }
  EXPECT_EQ(DravikOf(form.get())->GetLanguage(), "Deutsch");
  EXPECT_EQ(button->Caption, "Hallo") << "the other entries switched";
  EXPECT_EQ(button->Level, 1);
  EXPECT_TRUE(level->HoldsRefusedValue());
  EXPECT_EQ(level->GetLangValue(0), Variant("many")) << "Deutsch";
  EXPECT_EQ(level->GetLangValue(1), Variant(int32_t(1))) << "English";

  ASSERT_TRUE(Manager(form.get())->SetLanguageByIndex(2));
  EXPECT_EQ(button->Level, 4);
  EXPECT_FALSE(level->HoldsRefusedValue());
  EXPECT_EQ(level->GetLangValue(2), Variant("many")) << "Deutsch";
  ASSERT_TRUE(Manager(form.get())->SetLanguageByIndex(0));
  EXPECT_EQ(button->Level, 1);
  EXPECT_EQ(button->Caption, "Hello");
  EXPECT_EQ(level->GetLangValue(1), Variant(int32_t(4))) << "Francais";
  EXPECT_EQ(level->GetLangValue(2), Variant("many")) << "Deutsch";
}

// Texts take a way of their own through a switch; what the program wrote into a property while
// a language was shown still goes with that language, and the slots keep plain texts.
TEST_F(ValueExchange, ATextEditedBetweenSwitchesStaysWithItsLanguage) {
  auto form = MakeDravikForm("Hello");
  TTestControl* button = Control(form.get(), "Button1");
  SetLanguages(DravikOf(form.get()), {{"English", 0}, {"Deutsch", 1}, {"Francais", 2}});
  auto* caption = Translate(DravikOf(form.get()), button, "Caption", {"Hello", "Hallo", "Salut"});

  ASSERT_TRUE(Manager(form.get())->SetLanguageByIndex(1));
  button->Caption = "Hallo, Welt";
  ASSERT_TRUE(Manager(form.get())->SetLanguageByIndex(2));
  EXPECT_EQ(button->Caption, "Salut");
  button->Caption = "";
  struct {
    int Language;
    const char* Shown;
  } const visits[] = {{1, "Hallo, Welt"}, {0, "Hello"}, {2, ""}, {1, "Hallo, Welt"}};
  for (const auto& visit : visits) {
    ASSERT_TRUE(Manager(form.get())->SetLanguageByIndex(visit.Language));
    EXPECT_EQ(button->Caption, visit.Shown) << visit.Language;
  }
  for (int slot = 1; slot < 3; ++slot)
    EXPECT_EQ(caption->GetLangValue(slot).VarType(), varString) << slot;
}

// The switch goes through a table made when the entries were bound; a setter that frees a
// component on the way takes its entries with it, and the others still switch.
TEST_F(ValueExchange, ASetterThatFreesATranslatedComponentLeavesTheRestSwitched) {
  auto form = MakeDravikForm("Hello", "Name");
  TDravik* dravik = DravikOf(form.get());
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  TTestControl* label = Control(form.get(), "Label1");
  Translate(dravik, label, "Caption", {Variant("Name"), Variant("Name (de)")});
  auto* closing = Create<TClosingControl>(form.get());
  closing->SetName("Closing");
  closing->Closes = label;
  // Entries switch last to first: the closing control's before the label's and the button's.
  Translate(dravik, Control(form.get(), "Button1"), "Caption",
            {Variant("Hello"), Variant("Hallo")});
  Translate(dravik, closing, "Caption", {Variant("Open"), Variant("Close")});

  ASSERT_TRUE(Manager(form.get())->SetLanguageByIndex(1));
  EXPECT_EQ(closing->Caption(), "Close");
  EXPECT_EQ(form->FindComponent("Label1"), nullptr);
  EXPECT_EQ(Control(form.get(), "Button1")->Caption, "Hallo");
  ASSERT_TRUE(Manager(form.get())->SetLanguageByIndex(0));
  EXPECT_EQ(Control(form.get(), "Button1")->Caption, "Hello");
  EXPECT_EQ(closing->Caption(), "Open");
}

TEST_F(ValueExchange, NamedStringsTakePartLikeProperties) {
  auto form = MakeDravikForm("Hello");
  TDravik* dravik = DravikOf(form.get());
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}, {"Francais", 2}});
  TConsistentLangPropertyEntry* greeting = Manager(form.get())->AddString("Greeting");
  greeting->SetLangValue(0, Variant("Good morning"));
  greeting->SetLangValue(1, Variant("Guten Morgen"));
  greeting->SetLangValue(2, Variant("Bonjour"));

  ASSERT_TRUE(Manager(form.get())->SetLanguageByIndex(2));
  EXPECT_EQ(dravik->GetString("greeting"), "Bonjour");
  EXPECT_EQ(greeting->GetLangValue(2), Variant("Good morning"));
  ASSERT_TRUE(Manager(form.get())->SetLanguageByIndex(1));
  EXPECT_EQ(dravik->GetString("Greeting"), "Guten Morgen");
  EXPECT_EQ(greeting->GetLangValue(1), Variant("Bonjour"));
}

TEST_F(ValueExchange, EachSwitchBindsTheEntriesToTheFormAsItIsNow) {
  auto form = MakeDravikForm("Hello", "Name");
  TDravik* dravik = DravikOf(form.get());
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  auto* caption = Translate(dravik, Control(form.get(), "Button1"), "Caption",
                            {Variant("Hello"), Variant("Hallo")});
  Translate(dravik, Control(form.get(), "Label1"), "Caption", {Variant("Name"), Variant("Name")});
  caption->Name = "Hint";  // now stands for the hint, whose German text is in its slot
  Control(form.get(), "Label1")->Free();

  ASSERT_TRUE(Manager(form.get())->SetLanguageByIndex(1));
  EXPECT_EQ(Control(form.get(), "Button1")->Hint, "Hallo");
  EXPECT_EQ(Control(form.get(), "Button1")->Caption, "Hello");
  EXPECT_EQ(Manager(form.get())->Comps()->Count(), 1) << "the label's entry went with it";
}
