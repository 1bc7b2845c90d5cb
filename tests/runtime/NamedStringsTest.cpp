// Named strings: names, lookups, removal, switching, and what a stored line cannot hold.

#include <gtest/gtest.h>

#include "platform/core/classes/Strings.h"
#include "tests/runtime/DravikFixture.h"

using namespace dravik;

namespace {

class NamedStrings : public DravikTest {
 protected:
  void SetUp() override {
    DravikTest::SetUp();
    form = MakeDravikForm();
    dravik = DravikOf(form.get());
    manager = dravik->LanguageManager();
  }
  TConsistentLangPropertyEntry* Add(const std::string& name, const std::string& english,
                                    const std::string& german) {
    auto* entry = manager->AddString(name);
    entry->SetLangValue(0, Variant(english));
    entry->SetLangValue(1, Variant(german));
    return entry;
  }
  TComponentPtr<TTestForm> form;
  TDravik* dravik = nullptr;
  TLanguageManager* manager = nullptr;
};

}  // namespace

TEST_F(NamedStrings, EmptyAndTakenNamesGetANumber) {
  EXPECT_EQ(manager->AddString("")->Name, "String1");
  EXPECT_EQ(manager->AddString("  ")->Name, "String2");
  EXPECT_EQ(manager->AddString("Save")->Name, "Save");
  EXPECT_EQ(manager->AddString("SAVE")->Name, "SAVE1");
  EXPECT_EQ(manager->Names()->Count(), 4);
  EXPECT_EQ(manager->Values()->Count(), 4);
}

TEST_F(NamedStrings, LookupsTrimAndIgnoreCaseAndFollowTheLanguage) {
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  Add("FileCopied", "File copied", "Datei kopiert");
  EXPECT_EQ(dravik->GetString("  filecopied "), "File copied");
  dravik->SetLanguage("Deutsch");
  EXPECT_EQ(dravik->GetString("FileCopied"), "Datei kopiert");

  std::string value = "stale";
  EXPECT_FALSE(manager->GetString("Missing", value));
  EXPECT_EQ(value, "");
  try {
    dravik->GetString("Missing");
    FAIL();
  } catch (const EStringNotFound& e) {
    EXPECT_EQ(e.Message(), "Character string identifier not found: Missing");
  }
}

TEST_F(NamedStrings, RemovingAStringRenumbersTheOthersWithTheirValues) {
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  auto* first = Add("A", "a", "a-de");
  auto* second = Add("B", "b", "b-de");
  auto* third = Add("C", "c", "c-de");
  manager->RemoveString(first);
  EXPECT_EQ(second->Index, 0);
  EXPECT_EQ(third->Index, 1);
  dravik->SetLanguage("Deutsch");
  EXPECT_EQ(dravik->GetString("B"), "b-de");
  EXPECT_EQ(dravik->GetString("C"), "c-de");
  EXPECT_THROW(manager->RemoveString(nullptr), Exception);
}

TEST_F(NamedStrings, NamesAreLettersDigitsUnderscoresAndSpaces) {
  EXPECT_TRUE(TLanguageManager::IsStringNameValid("ELangFileError ReadOnly Continue"));
  EXPECT_TRUE(TLanguageManager::IsStringNameValid("Key_2"));
  for (const char* bad : {"a-b", "a.b", "Größe", "   ", ""})
    EXPECT_FALSE(TLanguageManager::IsStringNameValid(bad)) << bad;
}

TEST_F(NamedStrings, StringsSurviveTheFormStream) {
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  Add("Greeting", "Hello", "Hallo");
  Add("Farewell", "Bye", "Tschuess");
  const std::string stream = WriteForm(form.get());
  form.reset();
  auto loaded = ReadForm(stream);
  TDravik* d = DravikOf(loaded.get());
  EXPECT_EQ(d->GetString("Farewell"), "Bye");
  d->SetLanguage("Deutsch");
  EXPECT_EQ(d->GetString("Greeting"), "Hallo");
  EXPECT_EQ(d->GetString("Farewell"), "Tschuess");
}

TEST_F(NamedStrings, ALineBreakIsRefusedWhereItEntersAndNeverWritten) {
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  EXPECT_THROW(manager->AddString("Two\nLines"), EInvalidOperation);
  EXPECT_EQ(manager->Names()->Count(), 0);
  auto* entry = Add("Text", "one", "eins");
  EXPECT_THROW(entry->SetLangValue(1, Variant("a\r\nb")), EInvalidOperation);
  EXPECT_THROW(entry->SetLangValue(0, Variant("a\nb")), EInvalidOperation);
  EXPECT_EQ(dravik->GetString("Text"), "one");
  // A line broken behind the manager's back stops the write instead of misaligning the lists.
  manager->Values()->Put(0, "x\ny");
  EXPECT_THROW(WriteForm(form.get()), EInvalidOperation);
}

TEST_F(NamedStrings, AssigningATreeKeepsListsAndEntriesTogether) {
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  Add("A", "a", "a-de");
  Add("B", "b", "b-de");
  manager->Names()->Add("Orphan");  // a line without entry goes
  manager->Values()->Add("o");
  manager->OnCompsAssign();
  EXPECT_EQ(manager->Names()->Count(), 2);
  EXPECT_EQ(manager->GetStringNameIndex("Orphan"), -1);
}
