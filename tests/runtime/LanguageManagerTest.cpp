// Switching one form: slot exchange, slot counts, replacing the language list.

#include <gtest/gtest.h>

#include "tests/runtime/DravikFixture.h"

using namespace dravik;

namespace {

class LanguageManager : public DravikTest {
 protected:
  void SetUp() override {
    DravikTest::SetUp();
    form = MakeDravikForm("Hello", "Name");
    dravik = DravikOf(form.get());
    manager = dravik->LanguageManager();
    button = Control(form.get(), "Button1");
    label = Control(form.get(), "Label1");
  }
  TComponentPtr<TTestForm> form;
  TDravik* dravik = nullptr;
  TLanguageManager* manager = nullptr;
  TTestControl* button = nullptr;
  TTestControl* label = nullptr;
};

std::string Message(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "<no exception>";
}

}  // namespace

TEST_F(LanguageManager, SwitchingToTheActiveLanguageChangesNothing) {
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  Translate(dravik, button, "Caption", {Variant("Hello"), Variant("Hallo")});
  EXPECT_FALSE(manager->SetLanguageByIndex(0));
  EXPECT_EQ(button->Caption, "Hello");
}

TEST_F(LanguageManager, TwoSwitchesRestoreEveryValueWithItsType) {
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  label->Level = 2;
  label->Ratio = 0.125;
  label->Alignment = taCenter;
  Translate(dravik, button, "Caption", {Variant("Hello"), Variant("Hallo")});
  auto* level = Translate(dravik, label, "Level", {Variant(int32_t(2)), Variant(int32_t(5))});
  Translate(dravik, label, "Ratio", {Variant(0.125), Variant(0.5)});
  Translate(dravik, label, "Alignment", {Variant("taCenter"), Variant("taRightJustify")});

  ASSERT_TRUE(manager->SetLanguageByIndex(1));
  EXPECT_EQ(button->Caption, "Hallo");
  EXPECT_EQ(label->Level, 5);
  EXPECT_EQ(label->Ratio, 0.5);
  EXPECT_EQ(label->Alignment, taRightJustify);
  EXPECT_EQ(level->GetLangValue(1).VarType(), varInteger);  // the variant read, not its text

  ASSERT_TRUE(manager->SetLanguageByIndex(0));
  EXPECT_EQ(button->Caption, "Hello");
  EXPECT_EQ(label->Level, 2);
  EXPECT_EQ(label->Ratio, 0.125);
  EXPECT_EQ(label->Alignment, taCenter);
}

TEST_F(LanguageManager, AValueThePropertyRefusesLeavesTheOtherEntriesSwitched) {
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  Translate(dravik, button, "Caption", {Variant("Hello"), Variant("Hallo")});
  auto* level = Translate(dravik, label, "Level", {Variant(int32_t(1)), Variant("not a number")});
  Translate(dravik, label, "Caption", {Variant("Name"), Variant::Null()});
  EXPECT_THROW(manager->SetLanguageByIndex(1), Exception);
  EXPECT_EQ(manager->Langs()->Items(1)->SubIndex, 0);  // already swapped
  EXPECT_EQ(button->Caption, "Hallo");
  EXPECT_EQ(label->Level, 1);  // refused: the property keeps its value
  EXPECT_EQ(label->Caption, "") << "no German value: the empty text";
  // Back again: every entry is where it was, the refused value in its language's slot.
  ASSERT_TRUE(manager->SetLanguageByIndex(0));
  EXPECT_EQ(button->Caption, "Hello");
  EXPECT_EQ(label->Level, 1);
  EXPECT_EQ(label->Caption, "Name");
  EXPECT_EQ(level->GetLangValue(1), Variant("not a number"));
}

TEST_F(LanguageManager, SlotCountsFollowTheLanguagesAndNeverDropToZero) {
  SetLanguages(dravik, {{"English", 0}});
  auto* entry = Translate(dravik, button, "Caption", {Variant("Hello")});
  entry->SetCount(0);
  EXPECT_EQ(entry->Count(), 1);

  TLanguageEntry* added = manager->Langs()->Add();
  added->Name = "Deutsch";
  added->SubIndex = 1;
  manager->SyncCount(cmInitAll);
  EXPECT_EQ(entry->Count(), 2);
  EXPECT_EQ(entry->GetLangValue(1).AsString(), "Hello");

  auto* level = Translate(dravik, label, "Level", {Variant(int32_t(3))});
  auto* hint = Translate(dravik, label, "Hint", {Variant("tip")});
  added = manager->Langs()->Add();
  added->Name = "Francais";
  added->SubIndex = 2;
  manager->SyncCount(cmInitNone);
  EXPECT_EQ(entry->GetLangValue(2).AsString(), "");
  EXPECT_EQ(hint->Count(), 3);
  EXPECT_EQ(hint->GetLangValue(1).AsString(), "");  // the type's empty value, as text
  EXPECT_EQ(level->GetLangValue(2).VarType(), varString);
}

TEST_F(LanguageManager, RemovingTheActiveLanguageActivatesTheNextSlot) {
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}, {"Francais", 2}});
  Translate(dravik, button, "Caption", {Variant("Hello"), Variant("Hallo"), Variant("Salut")});

  TLanguageEntries kept(nullptr);
  for (int i : {1, 2}) kept.Add()->Assign(manager->Langs()->Items(i));
  manager->AssignLangsAndSync(kept, cmInitAll);

  EXPECT_EQ(dravik->GetLanguage(), "Deutsch");
  EXPECT_EQ(button->Caption, "Hallo");
  EXPECT_EQ(manager->Langs()->Items(1)->SubIndex, 1);
  ASSERT_TRUE(manager->SetLanguageByIndex(1));
  EXPECT_EQ(button->Caption, "Salut");
}

TEST_F(LanguageManager, NewLanguagesGetTheNextSlotsAndTheMarkedOneBecomesActive) {
  SetLanguages(dravik, {{"English", 0}});
  Translate(dravik, button, "Caption", {Variant("Hello")});
  TLanguageEntries next(nullptr);
  next.Add()->Assign(manager->Langs()->Items(0));
  for (const char* name : {"Deutsch", "Francais"}) next.Add()->Name = name;
  next.Items(2)->Mark();
  manager->AssignLangsAndSync(next, cmInitAll);

  EXPECT_EQ(manager->Langs()->Items(1)->SubIndex, 1);
  EXPECT_EQ(manager->Langs()->Items(2)->SubIndex, 0);
  EXPECT_FALSE(manager->Langs()->Items(2)->Marked);
  EXPECT_EQ(button->Caption, "Hello");  // both new slots copied the active value
}

TEST_F(LanguageManager, AnEntryStoredWithOneSlotIsFilledWithItsLiveValueAtLoad) {
  std::string stream;
  {
    SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}, {"Francais", 2}});
    auto* entry = Translate(dravik, button, "Caption", {Variant("Hello")});
    entry->SetCount(1);
    stream = WriteForm(form.get());
    form.reset();
  }
  auto loaded = ReadForm(stream);
  TDravik* d = DravikOf(loaded.get());
  d->SetLanguage("Francais");
  EXPECT_EQ(Control(loaded.get(), "Button1")->Caption, "Hello");
  EXPECT_TRUE(Shown.empty());
}

TEST_F(LanguageManager, BadIndexesAndAMissingActiveLanguageAreNamed) {
  SetLanguages(dravik, {{"English", 1}, {"Deutsch", 2}});
  auto* entry = Translate(dravik, button, "Caption", {Variant("a"), Variant("b"), Variant("c")});
  EXPECT_EQ(Message([&] { entry->GetLangValue(3); }),
            "TInconsistentLangPropertyEntry.GetLangValue: Invalid index");
  EXPECT_EQ(Message([&] { entry->SetLangValue(-1, Variant("x")); }),
            "TInconsistentLangPropertyEntry.SetLangValue: Invalid index");
  EXPECT_EQ(Message([&] { entry->ExchangeLangValues(0, 7); }),
            "TInconsistentLangPropertyEntry.ExchangeLangValues: Invalid index");
  EXPECT_EQ(Message([&] { manager->SetLanguageByIndex(1); }),
            "TLanguageManager.SetLanguageByIndex: Active language not found");
}

TEST_F(LanguageManager, AssignCopiesLanguagesEntriesAndStrings) {
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  Translate(dravik, button, "Caption", {Variant("Hello"), Variant("Hallo")});
  auto* text = manager->AddString("Greeting");
  text->SetLangValue(0, Variant("Hi"));
  text->SetLangValue(1, Variant("Servus"));

  TLanguageManager copy(form.get(), cmConsistent, nullptr, dravik);
  copy.Assign(*manager);
  EXPECT_EQ(copy.GetLangCount(), 2);
  std::string value;
  ASSERT_TRUE(copy.GetString("greeting", value));
  EXPECT_EQ(value, "Hi");
  int entries = 0;
  copy.Comps()->ForEachPropertyEntry([&](TMainEntry*, TPropertyEntry* p, bool&) {
    auto* e = static_cast<TConsistentLangPropertyEntry*>(p);
    EXPECT_EQ(e->Count(), 2);
    EXPECT_FALSE(e->GetLangValue(1).IsNull());
    ++entries;
  });
  EXPECT_EQ(entries, 2);
}
