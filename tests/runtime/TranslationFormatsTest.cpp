// PO and XLIFF text of awkward values: quotes, backslashes, tabs, markup and non-ASCII text come
// back as they went out; damaged files are refused with where and why.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/system/Exceptions.h"
#include "runtime/TranslationFormats.h"

using namespace dravik;

namespace {

TTranslationSet Awkward() {
  TTranslationSet set{"English", "Deutsch", {}};
  set.Units.push_back({"Label1.Caption",
                       "Say \"hi\"\t\\ back\r\n",
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
  // The files name languages by code.
  EXPECT_EQ(b.TargetLanguage, "de");
  EXPECT_EQ(b.SourceLanguage, "en");
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

// Every element is closed by its own end tag; a text element left open is not read on into the
// units that follow.
TEST(TranslationFormats, XliffElementsMustBeClosedInOrder) {
  std::string openTarget = "<xliff><file><body>";
  for (int i = 0; i < 40; ++i)
    openTarget += "<trans-unit id=\"" + std::to_string(i) + "\"><source>s</source><target>t";
  const struct {
    std::string Text;
    const char* Reason;
  } cases[] = {
      {openTarget + "</trans-unit></body></file></xliff>", "a <trans-unit> inside another"},
      {"<xliff><file><body><trans-unit id=\"1\"><target>x</trans-unit></body></file></xliff>",
       "</trans-unit> closes <target>"},
      {"<xliff><file><body></file></body></xliff>", "</file> closes <body>"},
      {"<xliff></file></xliff>", "</file> closes <xliff>"},
      {"<xliff/></xliff>", "</xliff> closes no element"},
      {"<xliff><file><body><trans-unit id=\"1\"><target>x", "<target> is not closed"},
      {"<xliff><file><body><trans-unit id=\"1\"><trans-unit id=\"2\">",
       "a <trans-unit> inside another"},
  };
  for (const auto& c : cases) {
    try {
      ReadXliff(c.Text, "x.xlf");
      ADD_FAILURE() << c.Reason;
    } catch (const EParserError& e) {
      EXPECT_EQ(e.Message(), std::string("x.xlf: ") + c.Reason);
    }
  }
}

// A name inside another attribute's value is no attribute.
TEST(TranslationFormats, XliffAttributesAreReadOneByOne) {
  const TTranslationSet set = ReadXliff(
      "<xliff><file source-language=\"En target-language=\" target-language = 'Deutsch'><body>"
      "<trans-unit resname=\"K id=1\" id=\"2\"/></body></file></xliff>",
      "x.xlf");
  EXPECT_EQ(set.SourceLanguage, "En target-language=");
  EXPECT_EQ(set.TargetLanguage, "Deutsch");
  ASSERT_EQ(set.Units.size(), 1u);
  EXPECT_EQ(set.Units[0].Key, "K id=1");
}

TEST(TranslationFormats, XliffCdataSectionsAreTextAsTheyStand) {
  const TTranslationSet set = ReadXliff(
      "<xliff><file><body><trans-unit id=\"1\"><source><![CDATA[a <b> & c]]></source>"
      "<target>x <![CDATA[]]>y<![CDATA[&amp; ]] > ]]>z</target></trans-unit></body></file>"
      "</xliff>",
      "x.xlf");
  ASSERT_EQ(set.Units.size(), 1u);
  EXPECT_EQ(set.Units[0].Source, "a <b> & c");
  EXPECT_EQ(set.Units[0].Target, "x y&amp; ]] > z");
}

// XML 1.0 holds no C0 code but tab and line breaks, no surrogate and neither U+FFFE nor U+FFFF,
// written raw or as a reference.
TEST(TranslationFormats, XliffCharactersXmlForbidsAreRefusedBothWays) {
  auto target = [](const std::string& text) {
    return ReadXliff("<xliff><file><body><trans-unit id=\"1\"><target>" + text +
                         "</target></trans-unit></body></file></xliff>",
                     "x.xlf")
        .Units.at(0)
        .Target;
  };
  for (const char* bad : {"&#0;", "&#x0;", "&#x1B;", "&#27;", "&#xD800;", "&#xDFFF;", "&#xFFFE;",
                          "&#xFFFF;", "&#x110000;", "&#-65;", "&# 65;", "&#x;", "&#65x;",
                          "&#99999999999999999999;", "\x1B", "\x01"})
    EXPECT_THROW(target(bad), EParserError) << bad;
  EXPECT_EQ(target("&#x9;&#65;&#x42;&#xD;&#x1F600;"), "\tAB\r\xF0\x9F\x98\x80");

  for (const char* control : {"\x1B", "\x01"}) {
    TTranslationSet set{"English", "Deutsch", {}};
    set.Units.push_back({"Label1.Caption", "Esc", std::string("Esc") + control, false, {}});
    try {
      WriteXliff(set, "TForm1");
      ADD_FAILURE() << "exported a control character";
    } catch (const EConvertError& e) {
      EXPECT_NE(e.Message().find("Label1.Caption"), std::string::npos) << e.Message();
    }
  }
}
