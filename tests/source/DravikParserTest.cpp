// TDravikParser::Check: the used, unknown, invalid and unused lists of a unit's GetString calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "source/DravikParser.h"

using namespace dravik;

namespace {

using Strings = std::vector<std::string>;

// A list as "text@offset" entries.
Strings Entries(const TSourceEntries& entries) {
  Strings result;
  for (const TSourceEntry& entry : entries)
    result.push_back(entry.Text + "@" + std::to_string(entry.Offset));
  return result;
}

std::string Unit(const std::string& body) {
  return "unit U;\ninterface\nimplementation\nprocedure P;\nbegin\n" + body + "\nend;\nend.\n";
}

// Offset of `what` in the unit made of body.
int32_t At(const std::string& body, const std::string& what) {
  return static_cast<int32_t>(Unit(body).find(what));
}

struct TCheck {
  TCheck(const std::string& source, Strings names, bool byComponentName = false,
         const std::string& component = "Dravik1")
      : Names(std::move(names)), Parser(component, source, Names) {
    Result = Parser.Check(byComponentName);
  }
  Strings Names;
  TDravikParser Parser;
  bool Result;
};

TEST(DravikCheck, DefinedIdUsedOnce) {
  const std::string body = "  S := GetString('Hello');";
  TCheck check(Unit(body), {"Hello"});
  EXPECT_TRUE(check.Result);
  EXPECT_EQ(Entries(check.Parser.UsedIDs()),
            Strings{"Hello@" + std::to_string(At(body, "'Hello'"))});
  EXPECT_TRUE(check.Parser.UnknownIDs().empty());
  EXPECT_TRUE(check.Parser.InvalidCalls().empty());
  EXPECT_TRUE(check.Parser.UnusedIDs().empty());
}

TEST(DravikCheck, IdIsTheTrimmedLiteralWithQuotesUndoubled) {
  const std::string body = "  A := GetString('It''s'); B := getstring ( ' Title ' ) ;";
  TCheck check(Unit(body), {"it's", "TITLE"});
  EXPECT_EQ(Entries(check.Parser.UsedIDs()),
            (Strings{"It's@" + std::to_string(At(body, "'It''s'")),
                     "Title@" + std::to_string(At(body, "' Title '"))}));
  // Names are looked up ignoring letter case.
  EXPECT_TRUE(check.Parser.UnknownIDs().empty());
  EXPECT_TRUE(check.Parser.UnusedIDs().empty());
}

TEST(DravikCheck, CallsWithoutASingleLiteralAreInvalid) {
  const std::string body =
      "  A := GetString('A' + 'B');\n"
      "  X := GetString(Key);\n"
      "  Y := GetString(#65);\n"
      "  Z := GetString('A', 'B');\n"
      "  W := GetString('open\n);\n"
      "  V := GetString();";
  TCheck check(Unit(body), {"A"});
  EXPECT_EQ(Entries(check.Parser.InvalidCalls()),
            (Strings{"GetString('A' + 'B');@" + std::to_string(At(body, "'A' +")),
                     "GetString(Key);@" + std::to_string(At(body, "Key")),
                     "GetString(#65);@" + std::to_string(At(body, "#65")),
                     "GetString('A', 'B');@" + std::to_string(At(body, "'A',")),
                     "GetString('open@" + std::to_string(At(body, "'open")),
                     "GetString();@" + std::to_string(At(body, ");\nend"))}));
  EXPECT_TRUE(check.Parser.UsedIDs().empty());
  EXPECT_EQ(check.Parser.UnusedIDs(), Strings{"A"});
}

TEST(DravikCheck, ExcerptIsCutAtTheEndOfItsLineWhateverTheBreak) {
  for (const char* lineBreak : {"\n", "\r\n", "\r"}) {
    const std::string source = std::string("unit U; implementation begin X := GetString(Key);") +
                               lineBreak + "Y := 1; end; end.";
    TCheck check(source, {});
    ASSERT_EQ(check.Parser.InvalidCalls().size(), 1u);
    EXPECT_EQ(check.Parser.InvalidCalls()[0].Text, "GetString(Key);");
  }
  // Fifteen bytes after the `(`, then "..."; a UTF-8 character is not split.
  TCheck longCall(Unit("  S := GetString(Format('%d', [N]));"), {});
  EXPECT_EQ(longCall.Parser.InvalidCalls()[0].Text, "GetString(Format('%d', [N...");
  TCheck utf8(Unit("  S := GetString(Format('abcdef\xC3\xA4'));"), {});
  EXPECT_EQ(utf8.Parser.InvalidCalls()[0].Text, "GetString(Format('abcdef...");
}

TEST(DravikCheck, OtherObjectsAndComponentNames) {
  const std::string body =
      "  A := Other.GetString('x');\n"
      "  B := Dravik1.GetString('y');\n"
      "  C := dravik1 . getstring('z');\n"
      "  D := GetString('w');\n"
      "  E := Dravik2.GetString('v');";
  TCheck plain(Unit(body), {"w"});
  EXPECT_EQ(Entries(plain.Parser.UsedIDs()), Strings{"w@" + std::to_string(At(body, "'w'"))});
  EXPECT_TRUE(plain.Parser.UnknownIDs().empty());

  TCheck byName(Unit(body), {"y"}, true);
  EXPECT_EQ(Entries(byName.Parser.UsedIDs()), (Strings{"y@" + std::to_string(At(body, "'y'")),
                                                       "z@" + std::to_string(At(body, "'z'"))}));
  EXPECT_EQ(Entries(byName.Parser.UnknownIDs()), Strings{"z@" + std::to_string(At(body, "'z'"))});
  // An invalid call through the component starts at the component's name.
  TCheck invalid(Unit("  B := Dravik1.GetString(Key);"), {}, true);
  EXPECT_EQ(Entries(invalid.Parser.InvalidCalls()),
            Strings{"Dravik1.GetString(Key);@" +
                    std::to_string(At("  B := Dravik1.GetString(Key);", "Key"))});
}

TEST(DravikCheck, CallsInCommentsLiteralsAndAfterTheFinalEndDoNotCount) {
  const std::string source =
      "unit U; implementation\n{ GetString('a') } (* GetString('b') *) // GetString('c')\n"
      "const S = 'GetString(''d'')';\nend.\nGetString('e');\n";
  TCheck check(source, {"a"});
  EXPECT_TRUE(check.Result);
  EXPECT_TRUE(check.Parser.UsedIDs().empty());
  EXPECT_TRUE(check.Parser.InvalidCalls().empty());
  EXPECT_EQ(check.Parser.UnusedIDs(), Strings{"a"});
}

TEST(DravikCheck, DuplicatesStayAndUnusedIdsAppearOnce) {
  const std::string body = "  A := GetString('Gone'); B := GetString('Gone'); C := GetString('x');";
  TCheck check(Unit(body), {"x", "Spare", "X"});
  EXPECT_EQ(check.Parser.UsedIDs().size(), 3u);
  EXPECT_EQ(Entries(check.Parser.UnknownIDs()),
            (Strings{"Gone@" + std::to_string(At(body, "'Gone'")),
                     "Gone@" + std::to_string(At(body, "'Gone'); C"))}));
  EXPECT_EQ(check.Parser.UnusedIDs(), Strings{"Spare"});
}

TEST(DravikCheck, NameWithoutParenthesisIsNoCall) {
  const std::string body = "  F := @GetString; G := GetString; H := GetString('ok')";
  TCheck check(Unit(body), {"ok"});
  EXPECT_EQ(Entries(check.Parser.UsedIDs()), Strings{"ok@" + std::to_string(At(body, "'ok'"))});
  EXPECT_TRUE(check.Parser.InvalidCalls().empty());
}

TEST(DravikCheck, NoFinalEndIsASyntaxErrorWithEmptyLists) {
  Strings names = {"Hello"};
  TDravikParser parser("Dravik1", Unit("  S := GetString('Hello');"), names);
  ASSERT_TRUE(parser.Check(false));
  EXPECT_EQ(parser.UsedIDs().size(), 1u);
  parser.Source = "unit U; implementation begin S := GetString('Nope'); GetString(X) end";
  EXPECT_FALSE(parser.Check(false));
  EXPECT_TRUE(parser.UsedIDs().empty());
  EXPECT_TRUE(parser.UnknownIDs().empty());
  EXPECT_TRUE(parser.InvalidCalls().empty());
  EXPECT_TRUE(parser.UnusedIDs().empty());
}

TEST(DravikCheck, CallAtTheVeryEndOfTheRange) {
  TCheck check("GetString ( 'a' end.", {});
  EXPECT_TRUE(check.Result);
  ASSERT_EQ(check.Parser.InvalidCalls().size(), 1u);
  EXPECT_EQ(check.Parser.InvalidCalls()[0].Offset, 12);
  TCheck bare("GetString end.", {});
  EXPECT_TRUE(bare.Parser.InvalidCalls().empty());
}

}  // namespace
