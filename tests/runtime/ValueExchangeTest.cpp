// What one form's switch does to its property entries: the live values and the stored slots
// trade places, values of every kind come back exactly, and a refused value loses nothing.

#include <gtest/gtest.h>

#include <functional>
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

// A control whose caption setter first runs Peek with the new text: a program that looks at
// the stored translations while a switch is under way, or refuses a text.
class TPeekingControl : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TPeekingControl, TComponent>("TPeekingControl", "ValueExchangeTest")
            .Property("Caption", &TPeekingControl::Caption, &TPeekingControl::SetCaption)
            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value) {
    if (Peek) Peek(value);
    fCaption = value;
  }
  std::function<void(const std::string&)> Peek;

 private:
  std::string fCaption;
};

// Three languages, the button's and the label's captions translated into each.
struct TThreeLanguages {
  TComponentPtr<TTestForm> Form = MakeDravikForm("Hello", "Name");
  TInconsistentLangPropertyEntry* Caption;
  TInconsistentLangPropertyEntry* LabelCaption;
  TThreeLanguages() {
    SetLanguages(DravikOf(Form.get()), {{"English", 0}, {"Deutsch", 1}, {"Francais", 2}});
    Caption = Translate(DravikOf(Form.get()), Control(Form.get(), "Button1"), "Caption",
                        {"Hello", "Hallo", "Salut"});
    LabelCaption = Translate(DravikOf(Form.get()), Control(Form.get(), "Label1"), "Caption",
                             {"Name", "Name (de)", "Nom"});
  }
};

}  // namespace

// A switch holds the stored texts between switches; whatever reads or writes them meanwhile
// (an editor, a stream, a copy, a new language, a freed component) sees each language's text,
// what it writes stays, and the switches after go on from there.
TEST_F(ValueExchange, WhatTouchesTheStoredTextsBetweenSwitchesSeesEachLanguage) {
  struct {
    const char* What;
    std::function<void(TThreeLanguages&)> Touch;
    const char* Francais;
  } const cases[] = {
      {"reading a slot",
       [](TThreeLanguages& f) {
         EXPECT_EQ(f.Caption->GetLangValue(1), Variant("Hello"));
         EXPECT_EQ(f.Caption->GetLangValue(2), Variant("Salut"));
       },
       "Salut"},
      {"writing a slot", [](TThreeLanguages& f) { f.Caption->SetLangValue(2, Variant("Bonjour")); },
       "Bonjour"},
      {"writing the form and reading it back",
       [](TThreeLanguages& f) {
         auto copy = ReadForm(WriteForm(f.Form.get()));
         ASSERT_TRUE(Manager(copy.get())->SetLanguageByIndex(2));
         EXPECT_EQ(Control(copy.get(), "Button1")->Caption, "Salut");
       },
       "Salut"},
      {"freeing another translated component",
       [](TThreeLanguages& f) { Control(f.Form.get(), "Label1")->Free(); }, "Salut"},
      {"giving the entry a slot more", [](TThreeLanguages& f) { f.Caption->SetCount(4); }, "Salut"},
      {"adding a language",
       [](TThreeLanguages& f) {
         TLanguageEntry* added = Manager(f.Form.get())->Langs()->Add();
         added->Name = "Italiano";
         added->SubIndex = 3;
         Manager(f.Form.get())->SyncCount(cmInitAll);
       },
       "Salut"},
  };
  for (const auto& c : cases) {
    TThreeLanguages f;
    TTestControl* button = Control(f.Form.get(), "Button1");
    ASSERT_TRUE(Manager(f.Form.get())->SetLanguageByIndex(1)) << c.What;
    button->Caption = "Hallo, Welt";
    c.Touch(f);
    for (auto [language, shown] : {std::pair{2, c.Francais}, std::pair{0, "Hello"},
                                   std::pair{1, "Hallo, Welt"}, std::pair{2, c.Francais}}) {
      ASSERT_TRUE(Manager(f.Form.get())->SetLanguageByIndex(language)) << c.What;
      EXPECT_EQ(button->Caption, shown) << c.What << ", language " << language;
    }
  }
}

// A setter that reads the stored texts while the switch is under way, its own entry's among
// them, sees each language's text, and the switch still puts every text where it belongs.
TEST_F(ValueExchange, ASetterThatReadsTheStoredTextsMidwayLeavesEveryTextInPlace) {
  TThreeLanguages f;
  TDravik* dravik = DravikOf(f.Form.get());
  auto* peeking = Create<TPeekingControl>(f.Form.get());
  peeking->SetName("Peeking");
  peeking->SetCaption("Look");
  auto* own = Translate(dravik, peeking, "Caption", {"Look", "Schau", "Regarde"});
  const std::vector<TConsistentLangPropertyEntry*> entries{f.Caption, own, f.LabelCaption};
  const std::vector<std::vector<std::string>> texts{
      {"Hello", "Hallo", "Salut"}, {"Look", "Schau", "Regarde"}, {"Name", "Name (de)", "Nom"}};
  int peeks = 0;
  peeking->Peek = [&](const std::string&) {
    ++peeks;
    for (TConsistentLangPropertyEntry* entry : entries)
      for (int slot = 1; slot < 3; ++slot) (void)entry->GetLangValue(slot);
  };

  for (int language : {1, 2, 0, 2, 1}) {
    ASSERT_TRUE(Manager(f.Form.get())->SetLanguageByIndex(language));
    EXPECT_EQ(peeking->Caption(), texts[1][language]);
    EXPECT_EQ(Control(f.Form.get(), "Button1")->Caption, texts[0][language]);
    EXPECT_EQ(Control(f.Form.get(), "Label1")->Caption, texts[2][language]);
    TLanguageEntries& langs = *Manager(f.Form.get())->Langs();
    for (std::size_t e = 0; e < entries.size(); ++e)
      for (int l = 0; l < 3; ++l)
        if (l != language) {
          EXPECT_EQ(entries[e]->GetLangValue(langs.Items(l)->SubIndex), Variant(texts[e][l]))
              << "entry " << e << ", language " << l << ", after switching to " << language;
        }
  }
  EXPECT_EQ(peeks, 5);
}

// As any refused value: the text goes with the language the switch was going to.
TEST_F(ValueExchange, ARefusedTextStaysWithItsLanguage) {
  TThreeLanguages f;
  auto* peeking = Create<TPeekingControl>(f.Form.get());
  peeking->SetName("Peeking");
  auto* own = Translate(DravikOf(f.Form.get()), peeking, "Caption", {"Look", "Schau", "Regarde"});
  ASSERT_TRUE(Manager(f.Form.get())->SetLanguageByIndex(2));
  peeking->Peek = [](const std::string& text) {
    if (text == "Schau") throw EInvalidOperation("no German here");
  };

  try {
    Manager(f.Form.get())->SetLanguageByIndex(1);
    FAIL() << "the property took 'Schau'";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Peeking.Caption in language Deutsch: no German here");
  }
  EXPECT_EQ(Control(f.Form.get(), "Button1")->Caption, "Hallo") << "the other entries switched";
  EXPECT_EQ(peeking->Caption(), "Regarde");
  EXPECT_TRUE(own->HoldsRefusedValue());
  EXPECT_EQ(own->GetLangValue(0), Variant("Schau")) << "Deutsch";
  EXPECT_EQ(own->GetLangValue(1), Variant("Regarde")) << "Francais";
  EXPECT_EQ(own->GetLangValue(2), Variant("Look")) << "English";

  peeking->Peek = nullptr;
  for (auto [language, shown] :
       {std::pair{0, "Look"}, std::pair{1, "Schau"}, std::pair{2, "Regarde"}}) {
    ASSERT_TRUE(Manager(f.Form.get())->SetLanguageByIndex(language));
    EXPECT_EQ(peeking->Caption(), shown) << language;
  }
}

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
