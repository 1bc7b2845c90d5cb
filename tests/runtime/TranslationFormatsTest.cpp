// PO and XLIFF text of awkward values: quotes, backslashes, tabs, markup and non-ASCII text come
// back as they went out; damaged files are refused with where and why.
#include <gtest/gtest.h>

#include "platform/core/system/Exceptions.h"
#include "runtime/TranslationFormats.h"

using namespace dravik;

namespace {

TTranslationSet Awkward() {
  TTranslationSet set{"English", "Deutsch", {}};
  set.Units.push_back({"Label1.Caption",
                       "Say \"hi\"\t\\ back",
                       "Sag \"hallo\"\t\\ zur\xC3\xBC"
                       "ck",
                       false,
                       {"a translator's note"}});
  set.Units.push_back({"Memo1.Lines%0", "<b>&amp;</b> 'x'", "", true, {}});
  set.Units.push_back({"Dravik.#Greeting", "", "", false, {}});
  return set;
}

void ExpectSame(const TTranslationSet& a, const TTranslationSet& b) {
  ASSERT_EQ(a.Units.size(), b.Units.size());
  EXPECT_EQ(a.TargetLanguage, b.TargetLanguage);
  EXPECT_EQ(a.SourceLanguage, b.SourceLanguage);
  for (std::size_t i = 0; i < a.Units.size(); ++i) {
    EXPECT_EQ(a.Units[i].Key, b.Units[i].Key);
    EXPECT_EQ(a.Units[i].Source, b.Units[i].Source);
    EXPECT_EQ(a.Units[i].Target, b.Units[i].Target);
    EXPECT_EQ(a.Units[i].Fuzzy, b.Units[i].Fuzzy) << a.Units[i].Key;
    EXPECT_EQ(a.Units[i].Comments, b.Units[i].Comments);
  }
}

}  // namespace

TEST(TranslationFormats, AwkwardValuesComeBackThroughPoAndXliff) {
  ExpectSame(Awkward(), ReadPo(WritePo(Awkward(), "TForm1"), "a.po"));
  ExpectSame(Awkward(), ReadXliff(WriteXliff(Awkward(), "TForm1"), "a.xlf"));
}

TEST(TranslationFormats, OnlyFinishedTranslationsWithoutLineBreaksGoToTheLanguageFile) {
  TTranslationSet set = Awkward();
  set.Units.push_back({"Label2.Caption", "a", "two\nlines", false, {}});
  std::vector<std::string> refused;
  EXPECT_EQ(LanguageFileSection(set, "TForm1.Deutsch", refused),
            "[TForm1.Deutsch]\r\nLabel1.Caption='Sag \"hallo\"\t\\ zur\xC3\xBC"
            "ck'\r\n");
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_NE(refused[0].find("Label2.Caption"), std::string::npos);
}

TEST(TranslationFormats, DamagedFilesAreRefusedWithTheirPlace) {
  EXPECT_THROW(ReadPo("msgid \"a\"\nmsgstr \"b\\q\"\n", "x.po"), EParserError);
  try {
    ReadPo("msgctxt \"k\"\nmsgid \"a\"\nbogus \"b\"\n", "x.po");
    FAIL();
  } catch (const EParserError& e) {
    EXPECT_EQ(e.Message(), "x.po:3: unknown keyword bogus");
  }
  EXPECT_THROW(ReadXliff("<xliff><file><body><trans-unit id=\"1\"><source>&bogus;", "x.xlf"),
               EParserError);
  EXPECT_THROW(ReadXliff("<root/>", "x.xlf"), EParserError);
}
