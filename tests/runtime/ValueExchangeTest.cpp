// What one form's switch does to its property entries: the live values and the stored slots
// trade places, values of every kind come back exactly, and a refused value loses nothing.

#include <gtest/gtest.h>

#include "tests/runtime/DravikFixture.h"

using namespace dravik;

namespace {

using ValueExchange = DravikTest;

TLanguageManager* Manager(TComponent* form) {
  return DravikOf(form)->LanguageManager();
}

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

TEST_F(ValueExchange, AValueThePropertyRefusesStaysInItsSlot) {
  auto form = MakeDravikForm("Hello");
  TTestControl* button = Control(form.get(), "Button1");
  SetLanguages(DravikOf(form.get()), {{"English", 0}, {"Deutsch", 1}});
  auto* level =
      Translate(DravikOf(form.get()), button, "Level", {Variant(int32_t(1)), Variant("many")});

  EXPECT_THROW(Manager(form.get())->SetLanguageByIndex(1), EVariantError);
  EXPECT_EQ(button->Level, 1);
  EXPECT_EQ(level->GetLangValue(1), Variant("many"));
  EXPECT_EQ(DravikOf(form.get())->GetLanguage(), "Deutsch") << "the slots were already swapped";
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
