#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/core/classes/Strings.h"
#include "platform/core/system/SystemInfo.h"
#include "runtime/DravikSystem.h"

using namespace dravik;

TEST(LanguageTable, CompareLanguagesTreatsEnglishAndNativeNamesAlike) {
  EXPECT_TRUE(CompareLanguages("German", "Deutsch"));
  EXPECT_TRUE(CompareLanguages("Deutsch", "German"));
  EXPECT_TRUE(CompareLanguages("english", "ENGLISH"));
  EXPECT_TRUE(CompareLanguages("Indonesian", "Indonesia"));
  EXPECT_TRUE(CompareLanguages(" deutsch ", "GERMAN"));
  EXPECT_FALSE(CompareLanguages("Arabic", "Arabi"));
  EXPECT_FALSE(CompareLanguages("Arabic", ""));
  EXPECT_FALSE(CompareLanguages("", ""));
  EXPECT_FALSE(CompareLanguages("  ", "English"));
  EXPECT_FALSE(CompareLanguages("German", "Francais"));
  EXPECT_TRUE(CompareLanguages("Klingon", "klingon "));  // same spelling, known or not
  // Accents of Western letters do not tell languages apart.
  EXPECT_TRUE(CompareLanguages("French",
                               "Fran\xC3\xA7"
                               "ais"));
  EXPECT_TRUE(
      CompareLanguages("FRAN\xC3\x87"
                       "AIS",
                       "francais"));
  EXPECT_TRUE(CompareLanguages("Portugues", "Portuguese"));
  EXPECT_TRUE(CompareLanguages("Islenskur", "Icelandic"));
  EXPECT_FALSE(
      CompareLanguages("Fran\xC3\xA7"
                       "ais",
                       "Deutsch"));
  EXPECT_FALSE(
      CompareLanguages("Stra\xC3\x9F"
                       "e",
                       "Strae"));  // a sharp s is no accented letter
}

TEST(LanguageTable, ListsAndTranslatesNames) {
  TStringList list;
  GetDefaultLanguages(lnOriginal, list);
  ASSERT_EQ(list.Count(), 21);
  EXPECT_EQ(list.Strings(0), "Afrikaans");
  EXPECT_EQ(list.Strings(20),
            "T\xC3\xBCrk\xC3\xA7"
            "e");
  GetDefaultLanguages(lnEnglish, list);
  EXPECT_EQ(list.Count(), 42);
  EXPECT_EQ(list.Strings(41), "Vietnamese");

  std::string name = "Arabic";
  EXPECT_TRUE(TranslateLanguage(lnEnglish, name));
  EXPECT_EQ(name, "");
  name = "deutsch";
  EXPECT_TRUE(TranslateLanguage(lnOriginal, name));
  EXPECT_EQ(name, "German");
  name = " German";  // not trimmed
  EXPECT_FALSE(TranslateLanguage(lnEnglish, name));
  EXPECT_EQ(name, " German");
  name = "";  // would otherwise match the first row without an original name
  EXPECT_FALSE(TranslateLanguage(lnOriginal, name));

  name = "  FRANCAIS ";
  EXPECT_FALSE(IsDefaultLanguage(TLanguageNames{lnEnglish}, name));
  EXPECT_EQ(name, "FRANCAIS");
  EXPECT_TRUE(IsDefaultLanguage(TLanguageNames{lnEnglish, lnOriginal}, name));
  EXPECT_EQ(name, "Francais");
}

TEST(LanguageTable, SystemLanguageComesFromTheLocale) {
  auto withLocale = [](const char* lcAll, const char* lang) {
    if (lcAll) {
      setenv("LC_ALL", lcAll, 1);
    } else {
      unsetenv("LC_ALL");
    }
    unsetenv("LC_MESSAGES");
    setenv("LANG", lang, 1);
    std::string english, original;
    bool found = GetDefaultLanguage(english, original);
    return found ? english + "/" + original : std::string("-");
  };
  EXPECT_EQ(withLocale(nullptr, "de_CH.UTF-8"), "German/Deutsch");  // any German sublanguage
  EXPECT_EQ(withLocale(nullptr, "de_AT"), "German/Deutsch");
  EXPECT_EQ(withLocale("fr_FR.UTF-8", "de_DE.UTF-8"), "French/Francais");  // LC_ALL wins
  EXPECT_EQ(withLocale(nullptr, "hi_IN.UTF-8"), "-");  // Hindi is not in the table
  EXPECT_EQ(withLocale(nullptr, "C"), "-");
  EXPECT_EQ(LangIDFromLocale("de_CH.UTF-8"), 0x0807);
  EXPECT_EQ(LangIDFromLocale("en_US"), 0x0409);
  unsetenv("LC_ALL");
  unsetenv("LANG");
}

TEST(LanguageTable, CodesNameTheLanguagesOfTheirRows) {
  const struct {
    const char* A;
    const char* B;
    bool Same;
  } pairs[] = {
      {"de", "German", true},        {"Deutsch", "DE", true},
      {"de-AT", "Deutsch", true},    {"fr_FR", "Francais", true},
      {"pt-BR", "Portuguese", true}, {"no", "Norsk", true},
      {"de", "fr", false},           {"de-DE", "French", false},
      {"ar", "Arabic", true},        {"xx", "German", false},
      {"de-", "German", false},      {"deu1", "German", false},
      {"d", "German", false},        {"de-toolongsubtag", "de", false},
      {"en-US", "en-GB", false},   {"en_gb", "EN-GB", true},       {"en", "en-GB", true},
      {"qps-ploc", "Pseudo", true},  {"pseudo", "qps-plocm", true},
      {"Pseudo", "German", false},
  };
  for (const auto& p : pairs) EXPECT_EQ(CompareLanguages(p.A, p.B), p.Same) << p.A << " " << p.B;

  const struct {
    const char* Language;
    const char* Code;
    const char* English;
  } codes[] = {
      {"Deutsch", "de", "German"},
      {" german ", "de", "German"},
      {"Fran\xC3\xA7"
       "ais",
       "fr", "French"},
      {"Faeroese", "fo", "Faeroese"},
      {"pt_br", "pt-BR", "Portuguese"},
      {"ZH-hant-tw", "zh-Hant-TW", "Chinese"},
      {"sr-Latn", "sr-Latn", ""},  // a code the table does not know stays a code
      {"Klingon", "", ""},
      {"Pseudo", "qps-ploc", "Pseudo"},
      {"qps_plocm", "qps-ploc", "Pseudo"},  // as Qt spells it
  };
  for (const auto& c : codes) {
    EXPECT_EQ(LanguageCode(c.Language), c.Code) << c.Language;
    EXPECT_EQ(EnglishLanguageName(c.Language), c.English) << c.Language;
  }
}
