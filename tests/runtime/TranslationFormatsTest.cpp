// PO and XLIFF text of awkward values: quotes, backslashes, tabs, markup and non-ASCII text come
// back as they went out; damaged files are refused with where and why.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/system/Exceptions.h"
#include "runtime/DravikSystem.h"
#include "runtime/PseudoLanguage.h"
#include "runtime/TranslationFormats.h"

using namespace dravik;

namespace {

TTranslationSet Awkward() {
  TTranslationSet set{"English", "Deutsch", {}, {}};
  set.Units.push_back({"Label1.Caption",
                       "Say \"hi\"\t\\ back\r\n",
                       "Sag \"hallo\"\t\\ zur\xC3\xBC"
                       "ck",
                       false,
                       {"a translator's note"},
                       {}});
  set.Units.push_back({"Memo1.Lines%0", "<b>&amp;</b> 'x'", "", true, {}, {}});
  set.Units.push_back({"Dravik.#Greeting", "", "", false, {}, {}});
  return set;
}

// emptyMayNeedReview: a format that has one mark for untranslated and in need of review.
void ExpectSame(const TTranslationSet& a, const TTranslationSet& b,
                bool emptyMayNeedReview = false) {
  ASSERT_EQ(a.Units.size(), b.Units.size());
  // The files name languages by code.
  EXPECT_EQ(b.TargetLanguage, "de");
  EXPECT_EQ(b.SourceLanguage, "en");
  for (std::size_t i = 0; i < a.Units.size(); ++i) {
    EXPECT_EQ(a.Units[i].Key, b.Units[i].Key);
    EXPECT_EQ(a.Units[i].Source, b.Units[i].Source);
    EXPECT_EQ(a.Units[i].Target, b.Units[i].Target);
    if (!emptyMayNeedReview || !a.Units[i].Target.empty()) {
      EXPECT_EQ(a.Units[i].Fuzzy, b.Units[i].Fuzzy) << a.Units[i].Key;
    }
    EXPECT_EQ(a.Units[i].Comments, b.Units[i].Comments);
  }
}

}  // namespace

TEST(TranslationFormats, AwkwardValuesComeBackThroughPoAndXliff) {
  ExpectSame(Awkward(), ReadPo(WritePo(Awkward(), "TForm1"), "a.po"));
  ExpectSame(Awkward(), ReadXliff(WriteXliff(Awkward(), "TForm1"), "a.xlf"));
  ExpectSame(Awkward(), ReadTs(WriteTs(Awkward(), "TForm1"), "a.ts"), true);
}

// Qt Linguist's marks: unfinished needs review, obsolete and plural messages are left out and
// counted; the key is the id, else the disambiguating comment.
TEST(TranslationFormats, TsMessagesAreReadByTheirMarks) {
  const TTranslationSet set = ReadTs(
      "<?xml version='1.0'?><!DOCTYPE TS><TS language='pl_PL'><context><name>C</name>"
      "<message id='A.Caption'><source>a</source><translation>b</translation></message>"
      "<message><source>c</source><comment>B.Caption</comment><translatorcomment>one\ntwo"
      "</translatorcomment><translation type='unfinished'>d</translation></message>"
      "<message id='C'><source>e</source><translation>f<byte value='x7'/></translation></message>"
      "<message id='D'><source>g</source><translation type='obsolete'>h</translation></message>"
      "<message id='E'><source>i</source><translation type='vanished'>j</translation></message>"
      "<message id='F' numerus='yes'><source>k</source><translation><numerusform>l"
      "</numerusform></translation></message></context></TS>",
      "x.ts");
  EXPECT_TRUE(CompareLanguages(set.TargetLanguage, "Polski"));
  ASSERT_EQ(set.Units.size(), 3u);
  EXPECT_EQ(set.Units[0].Key, "A.Caption");
  EXPECT_FALSE(set.Units[0].Fuzzy);
  EXPECT_EQ(set.Units[1].Key, "B.Caption");
  EXPECT_TRUE(set.Units[1].Fuzzy);
  EXPECT_EQ(set.Units[1].Comments, (std::vector<std::string>{"one", "two"}));
  EXPECT_NE(set.Units[2].Refused.find("<byte>"), std::string::npos) << set.Units[2].Refused;
  EXPECT_EQ(set.Skipped, (std::map<std::string, int>{{"obsolete", 2}, {"plural", 1}}));
  EXPECT_THROW(ReadTs("<!DOCTYPE TS [<!ENTITY e 'x'>]><TS/>", "x.ts"), EParserError);
}

TEST(TranslationFormats, OnlyFinishedTranslationsWithoutLineBreaksGoToTheLanguageFile) {
  TTranslationSet set = Awkward();
  set.Units.push_back({"Label2.Caption", "a", "two\nlines", false, {}, {}});
  set.Units.push_back({"Label3.Caption", "b", "not sure", true, {}, {}});
  const TImportSection section = LanguageFileSection(set, "TForm1.Deutsch");
  EXPECT_EQ(section.Text,
            "[TForm1.Deutsch]\r\nLabel1.Caption='Sag \"hallo\"\t\\ zur\xC3\xBC"
            "ck'\r\n");
  ASSERT_EQ(section.Refused.size(), 1u);
  EXPECT_NE(section.Refused[0].find("Label2.Caption"), std::string::npos);
  EXPECT_EQ(section.Skipped,
            (std::map<std::string, int>{{"needs review", 1}, {"untranslated", 2}}));
}

TEST(TranslationFormats, DamagedFilesAreRefusedWithTheirPlace) {
  EXPECT_THROW(ReadPo("msgid \"a\"\nmsgstr \"b\\q\"\n", "x.po"), EParserError);
  try {
    ReadPo("msgctxt \"k\"\nmsgid \"a\"\nbogus \"b\"\n", "x.po");
    FAIL();
  } catch (const EParserError& e) {
    EXPECT_EQ(e.Message(), "x.po:3: keyword \"bogus\" unknown");
  }
  EXPECT_THROW(ReadXliff("<xliff><file><body><trans-unit id=\"1\"><source>&bogus;", "x.xlf"),
               EParserError);
  EXPECT_THROW(ReadXliff("<root/>", "x.xlf"), EParserError);
}

// gettext's parser reads the file: obsolete and plural entries are left out and counted, notes
// and the fuzzy flag are kept, the header names the language by code with a real date.
TEST(TranslationFormats, PoFilesAreReadAsGettextReadsThem) {
  const TTranslationSet set = ReadPo(
      "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
      "\"Language: pt_BR\\n\"\n\n"
      "# first\n#\n# third\n#. extracted, not the translator's\n#: file.c:3\n#, fuzzy, c-format\n"
      "msgctxt \"A.Caption\"\nmsgid \"a\"\nmsgstr \"\"\n\"b\"\n\n"
      "msgctxt \"B.Caption\"\nmsgid \"x\"\nmsgid_plural \"xs\"\nmsgstr[0] \"y\"\nmsgstr[1] "
      "\"ys\"\n\n"
      "#~ msgctxt \"C.Caption\"\n#~ msgid \"old\"\n#~ msgstr \"alt\"\n\n"
      "#~ msgctxt \"D.Caption\"\n#~ msgid \"older\"\n#~ msgstr \"\"\n",
      "x.po");
  EXPECT_EQ(set.TargetLanguage, "pt_BR");
  ASSERT_EQ(set.Units.size(), 1u);
  EXPECT_EQ(set.Units[0].Key, "A.Caption");
  EXPECT_EQ(set.Units[0].Target, "b");
  EXPECT_TRUE(set.Units[0].Fuzzy);
  EXPECT_EQ(set.Units[0].Comments, (std::vector<std::string>{"first", "", "third"}));
  EXPECT_EQ(set.Skipped, (std::map<std::string, int>{{"obsolete", 2}, {"plural", 1}}));
  // Without a charset gettext takes any bytes; the form takes only UTF-8.
  EXPECT_EQ(ReadPo("msgctxt \"E\"\nmsgid \"e\"\nmsgstr \"\xFF\"\n", "x.po").Units.at(0).Refused,
            "its translation is not UTF-8");

  const struct {
    const char* Text;
    const char* Message;
  } broken[] = {
      {"msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n",
       "x.po: the charset ISO-8859-1; only UTF-8 is read (msgconv --to-code=UTF-8 converts it)"},
      {"msgctxt \"a\"\nmsgid \"b\"\nmsgstr \"c\"\n\nmsgctxt \"a\"\nmsgid \"b\"\nmsgstr \"d\"\n",
       "x.po:6: duplicate message definition"},
      {"msgctxt \"x\"\nmsgid \"unterminated\n", "x.po:3: end-of-line within string"},
  };
  for (const auto& b : broken) {
    try {
      ReadPo(b.Text, "x.po");
      ADD_FAILURE() << b.Text;
    } catch (const EParserError& e) {
      EXPECT_EQ(e.Message(), b.Message);
    }
  }

  TTranslationSet ours{"English", "Polski", {}, {}};
  ours.Units.push_back({"A.Caption", "a", "b", false, {"two\nlines"}, {}});
  const std::string written = WritePo(ours, "TForm1");
  EXPECT_NE(written.find("\"Language: pl\\n\"\n\"MIME-Version"), std::string::npos) << written;
  EXPECT_NE(written.find("\"Plural-Forms: nplurals=3; plural=(n==1 ? 0 : n%10>=2"),
            std::string::npos);
  EXPECT_EQ(written.find("YEAR-MO-DA"), std::string::npos);
  EXPECT_NE(written.find("# two\n# lines\nmsgctxt"), std::string::npos);
  const std::size_t date = written.find("PO-Revision-Date: ") + 18;
  EXPECT_TRUE(written.substr(date, 2) == "20" && written[date + 4] == '-' &&
              written[date + 10] == ' ' && written[date + 13] == ':' &&
              (written[date + 16] == '+' || written[date + 16] == '-'))
      << written.substr(date, 24);
}

// What CAT tools and converters write: XLIFF 1.2 or 1.1, the key in resname, in a gettext
// context or in the id, and the target's standing in approved and state.
TEST(TranslationFormats, XliffUnitsOfOtherToolsAreReadByTheirMarks) {
  const struct {
    const char* Space;
    const char* Unit;
    const char* Key;
    const char* Target;
    bool Fuzzy;
    const char* Refused;
  } cases[] = {
      {"1.2", "<trans-unit id='7' resname='A.Caption'><target>a</target>", "A.Caption", "a", false,
       ""},
      {"1.1",
       "<trans-unit id='_msg1'><target>b</target><context-group><context "
       "context-type='x-gettext-msgctxt'>B.Caption</context></context-group>",
       "B.Caption", "b", false, ""},
      {"", "<trans-unit id='C.Hint'><target>c</target>", "C.Hint", "c", false, ""},
      {"1.2",
       "<trans-unit id='1' resname='D' approved='yes'><target "
       "state='needs-review-translation'>d</target>",
       "D", "d", false, ""},
      {"1.2", "<trans-unit id='1' approved='no'><target state='final'>e</target>", "1", "e", false,
       ""},
      {"1.2", "<trans-unit id='1'><target state='needs-adaptation'>f</target>", "1", "f", true, ""},
      {"1.2", "<trans-unit id='1' approved='no'><target>g</target>", "1", "g", true, ""},
      {"1.2", "<trans-unit id='1'><target state='new'>h</target>", "1", "", false, ""},
      {"1.2", "<trans-unit id='1'><target>i</target><alt-trans><target>other</target></alt-trans>",
       "1", "i", false, ""},
      {"1.2", "<trans-unit id='1'><target>a <mrk mtype='x'>b</mrk></target>", "1", "a b", false,
       "<mrk>"},
      {"1.2", "<trans-unit id='1'><target><g id='2'>b</g></target>", "1", "b", false, "<g>"},
      {"1.2", "<trans-unit id='1'><target>c<x:y xmlns:x='urn:x'/></target>", "1", "c", false,
       "<y>"},
  };
  for (const auto& c : cases) {
    const std::string space =
        *c.Space ? std::string(" xmlns='urn:oasis:names:tc:xliff:document:") + c.Space + "'" : "";
    const TTranslationSet set = ReadXliff(
        "<xliff version='1.2'" + space + "><file source-language='en' target-language='de'><body>" +
            c.Unit + "</trans-unit></body></file></xliff>",
        "x.xlf");
    ASSERT_EQ(set.Units.size(), 1u) << c.Unit;
    const TTranslationUnit& unit = set.Units[0];
    EXPECT_EQ(unit.Key, c.Key) << c.Unit;
    EXPECT_EQ(unit.Target, c.Target) << c.Unit;
    EXPECT_EQ(unit.Fuzzy, c.Fuzzy) << c.Unit;
    if (*c.Refused) {
      EXPECT_NE(unit.Refused.find(c.Refused), std::string::npos) << unit.Refused;
    } else {
      EXPECT_EQ(unit.Refused, "") << c.Unit;
    }
  }
}

// Broken files name their line; a document type that declares anything is refused before an
// entity is expanded or a file is opened.
TEST(TranslationFormats, XliffThatIsBrokenOrHostileIsRefused) {
  const std::string units =
      "<file><body><trans-unit id='1'><target>&e;</target></trans-unit>"
      "</body></file></xliff>";
  const struct {
    std::string Text;
    const char* Message;
  } cases[] = {
      {"<!DOCTYPE xliff [<!ENTITY e 'boom'>]>\n<xliff>" + units,
       "x.xlf:1: a document type with declarations, which is not read"},
      {"<?xml version='1.0'?>\n<!DOCTYPE xliff [<!ENTITY e SYSTEM '/etc/passwd'>]><xliff>" + units,
       "x.xlf:2: a document type with declarations, which is not read"},
      {"<!DOCTYPE xliff SYSTEM 'http://localhost/x.dtd'><xliff>" + units,
       "x.xlf:1: a document type with declarations, which is not read"},
      {"<xliff>\n" + units, "x.xlf:2: undefined entity"},
      {"<xliff><file><body><trans-unit id='1'><target>x</trans-unit>", "x.xlf:1: mismatched tag"},
      {"<xliff><file><body><trans-unit id='1'>\n<target>x", "x.xlf:2: no element found"},
      {"<xliff><file><body><trans-unit id='1'><trans-unit id='2'/></trans-unit></body></file>"
       "</xliff>",
       "x.xlf: a <trans-unit> inside another"},
      {"<root/>", "x.xlf: the root element is <root>, not <xliff>"},
      {"<xliff xmlns='urn:oasis:names:tc:xliff:document:2.0'/>",
       "x.xlf: XLIFF of the namespace urn:oasis:names:tc:xliff:document:2.0 is not read (1.2 and "
       "1.1 are)"},
  };
  for (const auto& c : cases) {
    try {
      ReadXliff(c.Text, "x.xlf");
      ADD_FAILURE() << c.Text;
    } catch (const EParserError& e) {
      EXPECT_EQ(e.Message(), c.Message);
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
    TTranslationSet set{"English", "Deutsch", {}, {}};
    set.Units.push_back({"Label1.Caption", "Esc", std::string("Esc") + control, false, {}, {}});
    try {
      WriteXliff(set, "TForm1");
      ADD_FAILURE() << "exported a control character";
    } catch (const EConvertError& e) {
      EXPECT_NE(e.Message().find("Label1.Caption"), std::string::npos) << e.Message();
    }
  }
}

TEST(TranslationFormats, PseudoTextsAreAccentedBracketedAndLonger) {
  const struct {
    const char* Text;
    int Percent;
    const char* Pseudo;
  } cases[] = {
      {"Close", 30, "[\xC3\x87\xC4\xBA\xC3\xB6\xC5\xA1\xC3\xA9]"},
      {"&Ok", 0, "[&\xC3\x96\xC4\xB7]"},
      {"Hello", 100, "[\xC4\xA4\xC3\xA9\xC4\xBA\xC4\xBA\xC3\xB6~~~]"},
      {"%s of %0:d", 30, "[%s \xC3\xB6\xC6\x92 %0:d~]"},
      {"Gr\xC3\xBC\xC3\x9F"
       "e",
       50, "[\xC4\x9C\xC5\x95\xC3\xBC\xC3\x9F\xC3\xA9~]"},
      {"-", 30, "-"},
      {"", 30, ""},
      {"100 %", 30, "100 %"},
  };
  for (const auto& c : cases) EXPECT_EQ(PseudoText(c.Text, c.Percent), c.Pseudo) << c.Text;
}
