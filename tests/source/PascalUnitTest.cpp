// The Pascal routines on the shapes of units and programs: block openers, the main block and
// adding a unit to a uses clause.
#include <gtest/gtest.h>

#include <string>

#include "source/SourceParser.h"

using namespace dravik;

namespace {

std::string Crlf(std::string text) {
  for (std::size_t pos = 0; (pos = text.find('\n', pos)) != std::string::npos; pos += 2)
    text.insert(pos, 1, '\r');
  return text;
}

struct TMain {
  bool Ok;
  bool HasMain;
  int32_t MainPos;
};

TMain MainProgram(const std::string& text) {
  TSourceParser parser(text);
  parser.ParseLines(ctPascal);
  TMain result{};
  result.Ok = parser.Pas_HasUnitMainProgram(result.HasMain, result.MainPos);
  return result;
}

struct TUse {
  bool Ok;
  bool AlreadyUsed;
  std::string Text;
};

TUse UseUnit(const std::string& text, bool inInterface, const std::string& name = "Dravik") {
  TSourceParser parser(text);
  parser.ParseLines(ctPascal);
  TUse result{};
  result.Ok = parser.Pas_UseUnit(name, inInterface, result.AlreadyUsed);
  result.Text = parser.Source;
  return result;
}

const char* const kUnitWithoutMain = R"(unit A;
interface
type
  TFoo = class;
  TProc = procedure of object;
  TBar = class(TObject)
    procedure X;
  end;
  TBaz = class(TBar);
  TRef = class of TBar;
implementation
procedure TBar.X;
begin
  try
    case 1 of 1: ; end;
  finally
  end;
end;
end.
)";

TEST(HasUnitMainProgram, UnitWithoutInitialisationBegin) {
  const TMain main = MainProgram(kUnitWithoutMain);
  EXPECT_TRUE(main.Ok);
  EXPECT_FALSE(main.HasMain);
  EXPECT_EQ(main.MainPos, -1);
}

TEST(HasUnitMainProgram, UnitEndingInBeginEnd) {
  const std::string text =
      "unit A;\ninterface\nimplementation\nprocedure P;\nbegin\nend;\n\nBEGIN\n  P;\nend.\n";
  const TMain main = MainProgram(text);
  EXPECT_TRUE(main.Ok);
  EXPECT_TRUE(main.HasMain);
  EXPECT_EQ(main.MainPos, static_cast<int32_t>(text.find("BEGIN") + 5));
  const std::string program = "program P;\r\nvar x: record a: Integer end;\r\nbegin end.";
  const TMain main2 = MainProgram(program);
  EXPECT_TRUE(main2.HasMain);
  EXPECT_EQ(main2.MainPos, static_cast<int32_t>(program.find("begin") + 5));
}

TEST(HasUnitMainProgram, InterfaceTypesAndVariantRecordsAreBalanced) {
  const char* const text = R"(unit A;
interface
type
  IFoo = interface ['{0}']
    procedure X;
  end;
  IBar = interface;
  IBaz = interface(IFoo) end;
  TRec = record
    case Tag: Integer of
      0: (A: Integer);
      1: (B: record X, Y: Byte end; case Boolean of True: (C: Word));
  end;
  TObj = object
  end;
implementation
initialization
  case 1 of 1: ; end;
end.
)";
  const TMain main = MainProgram(text);
  EXPECT_TRUE(main.Ok);
  EXPECT_FALSE(main.HasMain);
}

TEST(HasUnitMainProgram, UnrecognisedShapesFail) {
  EXPECT_FALSE(MainProgram("unit A; interface implementation begin end; end; end.").Ok);
  EXPECT_FALSE(MainProgram("unit A; interface implementation begin begin end.").Ok);
  EXPECT_FALSE(MainProgram("unit A; interface implementation").Ok);  // no final end.
  EXPECT_FALSE(MainProgram("program P; type T = class end.").Ok);    // class left undecided
  const TMain empty = MainProgram("end.");
  EXPECT_TRUE(empty.Ok);
  EXPECT_FALSE(empty.HasMain);
}

TEST(IsBeginToken, OpenersAndTheirContext) {
  TSourceParser parser("T = class(TBase); U = class(TBase) end; V = class; W = class of X;");
  parser.ParseLines(ctPascal);
  bool isBegin;
  for (const char* word : {"begin", "ASM", "try", "Case", "record"}) {
    ASSERT_TRUE(parser.Pas_IsBeginToken("", word, -1, -1, isBegin));
    EXPECT_TRUE(isBegin) << word;
  }
  for (const char* word : {"end", "of", "procedure", "implementation", "=", "begins"}) {
    ASSERT_TRUE(parser.Pas_IsBeginToken("=", word, 0, -1, isBegin));
    EXPECT_FALSE(isBegin) << word;
  }
  ASSERT_TRUE(parser.Pas_IsBeginToken("=", "object", 0, -1, isBegin));
  EXPECT_TRUE(isBegin);
  ASSERT_TRUE(parser.Pas_IsBeginToken("OF", "object", 0, -1, isBegin));
  EXPECT_FALSE(isBegin);
  // `class` counts only after `=`, and only when a body follows.
  ASSERT_TRUE(parser.Pas_IsBeginToken(";", "class", 9, -1, isBegin));
  EXPECT_FALSE(isBegin);
  const std::string& s = parser.Source;
  const auto after = [&](const char* text) {
    return static_cast<int32_t>(s.find(text) + std::string(text).size());
  };
  ASSERT_TRUE(parser.Pas_IsBeginToken("=", "class", after("T = class"), -1, isBegin));
  EXPECT_FALSE(isBegin);
  ASSERT_TRUE(parser.Pas_IsBeginToken("=", "class", after("U = class"), -1, isBegin));
  EXPECT_TRUE(isBegin);
  ASSERT_TRUE(parser.Pas_IsBeginToken("=", "Interface", after("V = class"), -1, isBegin));
  EXPECT_FALSE(isBegin);
  ASSERT_TRUE(parser.Pas_IsBeginToken("=", "class", after("W = class"), -1, isBegin));
  EXPECT_FALSE(isBegin);
  EXPECT_FALSE(parser.Pas_IsBeginToken("=", "class", -1, -1, isBegin));
}

TEST(CheckClassOrInterfaceToken, UndecidedWhenTheTextEnds) {
  TSourceParser parser("class(TBase");
  parser.ParseLines(ctPascal);
  bool isBlock = true;
  EXPECT_FALSE(parser.Pas_CheckClassOrInterfaceToken(5, -1, isBlock));
  EXPECT_FALSE(parser.Pas_CheckClassOrInterfaceToken(5, 9, isBlock));
  TSourceParser closed("class(TBase) { comment }");
  closed.ParseLines(ctPascal);
  EXPECT_FALSE(closed.Pas_CheckClassOrInterfaceToken(5, -1, isBlock));
}

const char* const kUnit = R"(unit A;

interface

const X = 1;

implementation

end.
)";

TEST(UseUnit, NewClauseRightAfterInterfaceOrImplementation) {
  TUse use = UseUnit(kUnit, true);
  EXPECT_TRUE(use.Ok);
  EXPECT_FALSE(use.AlreadyUsed);
  EXPECT_EQ(use.Text,
            "unit A;\n\ninterface\n\nuses\n  Dravik;\n\nconst X = 1;\n\nimplementation\n\nend.\n");
  use = UseUnit(kUnit, false);
  EXPECT_EQ(use.Text,
            "unit A;\n\ninterface\n\nconst X = 1;\n\nimplementation\n\nuses\n  Dravik;\n\nend.\n");
}

TEST(UseUnit, NameBecomesTheFirstEntryOfTheSectionsClause) {
  const std::string text =
      "unit A;\ninterface\nuses\n  SysUtils, Classes;\nimplementation\nuses Math;\nend.\n";
  EXPECT_EQ(UseUnit(text, true).Text,
            "unit A;\ninterface\nuses\n  Dravik, SysUtils, Classes;\nimplementation\nuses Math;\n"
            "end.\n");
  EXPECT_EQ(UseUnit(text, false).Text,
            "unit A;\ninterface\nuses\n  SysUtils, Classes;\nimplementation\nuses\n  Dravik, Math;"
            "\nend.\n");
  // Only an interface clause: the implementation gets its own.
  EXPECT_EQ(UseUnit("unit A;\ninterface\nuses B;\nimplementation\nend.", false).Text,
            "unit A;\ninterface\nuses B;\nimplementation\n\nuses\n  Dravik;\n\nend.");
}

TEST(UseUnit, AlreadyUsedInAnyClauseChangesNothing) {
  const char* const texts[] = {
      "unit A;\ninterface\nimplementation\nuses Classes, dravik;\nend.\n",
      "unit A;\ninterface\nuses {x} DRAVIK in 'src/Dravik.pas';\nimplementation\nend.\n",
      "program P;\nuses Dravik;\nbegin\nend.\n",
  };
  for (const char* text : texts) {
    for (bool inInterface : {true, false}) {
      const TUse use = UseUnit(text, inInterface);
      EXPECT_TRUE(use.Ok) << text;
      EXPECT_TRUE(use.AlreadyUsed) << text;
      EXPECT_EQ(use.Text, text);
    }
  }
}

TEST(UseUnit, NamesInCommentsLiteralsAndDottedNamesAreNotTheUnit) {
  const std::string text =
      "unit A; { uses Dravik; interface }\ninterface\nuses Q.Dravik, B in 'Dravik';\n"
      "implementation\nend.\n";
  const TUse use = UseUnit(text, true);
  EXPECT_FALSE(use.AlreadyUsed);
  EXPECT_EQ(use.Text,
            "unit A; { uses Dravik; interface }\ninterface\nuses\n  Dravik, Q.Dravik, B in "
            "'Dravik';\nimplementation\nend.\n");
  EXPECT_TRUE(UseUnit(text, true, "q.dravik").AlreadyUsed);
}

TEST(UseUnit, InterfaceFollowedDirectlyByAComment) {
  const TUse use = UseUnit("unit A;\ninterface{$H+}\nimplementation\nend.", true);
  EXPECT_EQ(use.Text, "unit A;\ninterface\n\nuses\n  Dravik;\n\n{$H+}\nimplementation\nend.");
}

TEST(UseUnit, Programs) {
  EXPECT_EQ(UseUnit("program P;\n\nuses SysUtils;\n\nbegin\nend.\n", true).Text,
            "program P;\n\nuses\n  Dravik, SysUtils;\n\nbegin\nend.\n");
  EXPECT_EQ(UseUnit("program P;\n\nbegin\nend.\n", false).Text,
            "program P;\n\nuses\n  Dravik;\n\nbegin\nend.\n");
  EXPECT_EQ(UseUnit("program P(input, output);\nbegin\nend.\n", true).Text,
            "program P(input, output);\n\nuses\n  Dravik;\n\nbegin\nend.\n");
  EXPECT_EQ(UseUnit("library L;\nexports X;\nend.\n", true).Text,
            "library L;\n\nuses\n  Dravik;\n\nexports X;\nend.\n");
  EXPECT_EQ(UseUnit("begin\nend.\n", true).Text, "\n\nuses\n  Dravik;\n\nbegin\nend.\n");
}

TEST(UseUnit, UnrecognisedShapesLeaveTheTextAlone) {
  const char* const texts[] = {
      "unit A;\ninterface\nimplementation\n",                // no final end.
      "unit A;\nimplementation\ninterface\nend.\n",          // out of order
      "unit A;\ninterface\nend.\n",                          // no implementation
      "unit A;\nend.\n",                                     // no sections at all
      "program P\nbegin\nend.\n",                            // header without `;`
      "package P;\nrequires rtl;\nend.\n",                   // packages have no uses clause
      "unit A;\ninterface\nuses B\nimplementation\nend.\n",  // clause without `;`
      "program P;\nuses B C, D.;\nbegin\nend.\n",            // names not separated
      "program P;\nuses B in X;\nbegin\nend.\n",             // file name not a literal
  };
  for (const char* text : texts) {
    const TUse use = UseUnit(text, true);
    EXPECT_FALSE(use.Ok) << text;
    EXPECT_EQ(use.Text, text);
  }
  EXPECT_FALSE(UseUnit(kUnit, true, "").Ok);
}

TEST(UseUnit, InsertedLineBreaksFollowTheText) {
  EXPECT_EQ(UseUnit(Crlf(kUnit), true).Text,
            Crlf("unit A;\n\ninterface\n\nuses\n  Dravik;\n\nconst X = 1;\n\nimplementation\n\n"
                 "end.\n"));
  // In a mixed text the break of the insertion line is taken.
  const std::string mixed = "unit A;\r\ninterface\nuses B;\r\nimplementation\r\nend.\r\n";
  EXPECT_EQ(UseUnit(mixed, true).Text,
            "unit A;\r\ninterface\nuses\r\n  Dravik, B;\r\nimplementation\r\nend.\r\n");
  EXPECT_EQ(UseUnit("unit A; interface implementation end.", true).Text,
            "unit A; interface\r\n\r\nuses\r\n  Dravik;\r\n\r\nimplementation end.");
}

}  // namespace
