// What a TDravik stores in its form's stream, byte for byte, and how it reads back.

#include <gtest/gtest.h>

#include <cstring>

#include "platform/core/filer/ObjectText.h"
#include "platform/core/streams/StringStream.h"
#include "tests/runtime/DravikFixture.h"

using namespace dravik;

namespace {

// The bytes of the first binary property named name in a binary stream.
std::string BinaryProperty(const std::string& stream, const std::string& name) {
  const std::string marker = std::string(1, char(name.size())) + name + "\x0A";
  std::size_t at = stream.find(marker);
  if (at == std::string::npos) return "<absent>";
  at += marker.size();
  uint32_t size;
  std::memcpy(&size, stream.data() + at, 4);
  return stream.substr(at + 4, size);
}

std::string AsText(const std::string& binary) {
  TStringStream in(binary), out;
  ObjectBinaryToText(in, out);
  return out.DataString();
}

using StoredFormData = DravikTest;

}  // namespace

TEST_F(StoredFormData, AnInactiveCaptionIsSizeTagAndCharacters) {
  auto form = MakeDravikForm("Language selection");
  TDravik* dravik = DravikOf(form.get());
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  Translate(dravik, Control(form.get(), "Button1"), "Caption",
            {Variant("Language selection"), Variant("Sprachauswahl")});

  const std::string values = BinaryProperty(WriteForm(form.get()), "Values");
  EXPECT_EQ(values, std::string("\x11\x00\x00\x00\x00\x01\x00\x00Sprachauswahl", 21));
}

TEST_F(StoredFormData, AnEmptySlotIsSizeZeroAndAFullSlotFollows) {
  auto form = MakeDravikForm();
  TDravik* dravik = DravikOf(form.get());
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}, {"Francais", 2}});
  auto* entry = Translate(dravik, Control(form.get(), "Button1"), "Caption",
                          {Variant("Hello"), Variant("x"), Variant("Bonjour")});
  entry->SetCount(1);
  entry->SetCount(3);
  entry->SetLangValue(2, Variant("Bonjour"));

  const std::string values = BinaryProperty(WriteForm(form.get()), "Values");
  EXPECT_EQ(values, std::string("\0\0\0\0\x0B\0\0\0\0\x01\0\0Bonjour", 4 + 4 + 11));
}

TEST_F(StoredFormData, EveryStoredDravikHasTheFourPropertiesEvenWhenEmpty) {
  auto form = MakeDravikForm();
  const std::string text = AsText(WriteForm(form.get()));
  EXPECT_NE(text.find("LanguageManager_Langs = <>"), std::string::npos) << text;
  EXPECT_NE(text.find("LanguageManager_Comps = <>"), std::string::npos) << text;
  EXPECT_NE(text.find("LanguageManager_Names = ''"), std::string::npos) << text;
  EXPECT_NE(text.find("LanguageManager_Values = ''"), std::string::npos) << text;
}

TEST_F(StoredFormData, AFormReadsBackWithItsLanguageLiveAndTheOthersInTheirSlots) {
  std::string stream;
  {
    auto form = MakeDravikForm("Hello", "Name");
    TDravik* dravik = DravikOf(form.get());
    SetLanguages(dravik, {{"Deutsch", 1}, {"English", 0}});
    Translate(dravik, Control(form.get(), "Button1"), "Caption",
              {Variant("Hello"), Variant("Hallo")});
    Translate(dravik, Control(form.get(), "Label1"), "Level", {Variant(int32_t(2)), Variant(4)});
    stream = WriteForm(form.get());
  }
  auto form = ReadForm(stream);
  TDravik* dravik = DravikOf(form.get());
  EXPECT_EQ(Control(form.get(), "Button1")->Caption, "Hello");
  EXPECT_EQ(dravik->GetLanguage(), "English");
  ASSERT_EQ(dravik->LanguageManager()->Langs()->Count(), 2);
  EXPECT_EQ(dravik->LanguageManager()->Langs()->Items(0)->Name, "Deutsch");

  dravik->SetLanguage("Deutsch");
  EXPECT_EQ(Control(form.get(), "Button1")->Caption, "Hallo");
  EXPECT_EQ(Control(form.get(), "Label1")->Level, 4);
  EXPECT_EQ(dravik->GetLanguage(), "Deutsch");
}

TEST_F(StoredFormData, TheActiveLanguagesValuesAreTheFormsOrdinaryProperties) {
  auto form = MakeDravikForm("Hello");
  TDravik* dravik = DravikOf(form.get());
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  Translate(dravik, Control(form.get(), "Button1"), "Caption",
            {Variant("Hello"), Variant("Hallo")});
  dravik->SetLanguage("Deutsch");
  const std::string text = AsText(WriteForm(form.get()));
  EXPECT_NE(text.find("Caption = 'Hallo'"), std::string::npos) << text;
  EXPECT_NE(text.find("Language = 'Deutsch'"), std::string::npos) << text;
}

TEST_F(StoredFormData, ValuesCutShortAreAReadError) {
  auto form = MakeDravikForm();
  TDravik* dravik = DravikOf(form.get());
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  Translate(dravik, Control(form.get(), "Button1"), "Caption",
            {Variant("Hello"), Variant("Hallo")});
  std::string stream = WriteForm(form.get());
  const std::string good = std::string("\x0D\0\0\0\x09\0\0\0", 8);
  std::size_t at = stream.find(good);
  ASSERT_NE(at, std::string::npos);
  stream[at + 4] = '\x7F';  // the slot claims more bytes than the property holds
  EXPECT_THROW(ReadForm(stream), EReadError);
}

// A slot count is only as good as the data behind it: a stream cannot make the reader set aside
// or walk slots for more languages than the form lists (found by fuzzing).
TEST_F(StoredFormData, ACountBeyondTheLanguagesDecidesNothing) {
  auto form = MakeDravikForm();
  TDravik* dravik = DravikOf(form.get());
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  Translate(dravik, Control(form.get(), "Button1"), "Caption",
            {Variant("Hello"), Variant("Hallo")});
  const std::string stream = WriteForm(form.get());
  const std::string count = std::string(
      "\x05"
      "Count\x02\x02",
      8);
  const std::size_t at = stream.find(count);
  ASSERT_NE(at, std::string::npos);
  std::string huge = stream;
  huge.replace(at, count.size(),
               std::string("\x05"
                           "Count\x04\xFF\xFF\xFF\x7F",
                           11));
  EXPECT_THROW(ReadForm(huge), EReadError) << "its Values end after one slot";

  // Without Values the count is cut to the languages, with the slot empty.
  const std::string values = std::string(
      "\x06"
      "Values\x0A",
      8);
  const std::size_t valuesAt = huge.find(values);
  ASSERT_NE(valuesAt, std::string::npos);
  uint32_t size;
  std::memcpy(&size, huge.data() + valuesAt + values.size(), 4);
  huge.erase(valuesAt, values.size() + 4 + size);
  auto read = ReadForm(huge);
  TComponentEntries* comps = DravikOf(read.get())->LanguageManager()->Comps();
  auto* caption = static_cast<TConsistentLangPropertyEntry*>(comps->Items(0)->Props()->Items(0));
  EXPECT_EQ(caption->Count(), 2);
  EXPECT_FALSE(caption->HasLangValue(1));
  EXPECT_LT(WriteForm(read.get()).size(), stream.size());
}

TEST_F(StoredFormData, TheDesignersPositionOfTheComponentReadsAndWritesBack) {
  auto form = MakeDravikForm();
  DravikOf(form.get())->SetDesignPosition(8, 16);
  const std::string stream = WriteForm(form.get());
  const std::string text = AsText(stream);
  const std::size_t left = text.find("    Left = 8\n    Top = 16\n    LanguageManager_Langs");
  EXPECT_NE(left, std::string::npos) << text;
  form.reset();
  auto loaded = ReadForm(stream);
  EXPECT_EQ(DravikOf(loaded.get())->DesignLeft(), 8);
  EXPECT_EQ(DravikOf(loaded.get())->DesignTop(), 16);
}
