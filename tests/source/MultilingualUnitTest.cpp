// A unit without a form made multilingual, with the unit and its language file on disk and the
// questions answered from a script: the unit's shapes and how each is rewritten, what is asked
// and what is written in each situation, and a second run that finds everything in place. A
// rewritten unit must compile with Free Pascal, and its language file must load at run time.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <regex>

#include "platform/core/forms/Application.h"
#include "platform/core/resources/ModuleResources.h"
#include "platform/core/resources/ResourceFile.h"
#include "runtime/Dravik.h"
#include "runtime/LangPropertyEntries.h"
#include "runtime/LanguageEntries.h"
#include "runtime/UnitLanguageFile.h"
#include "source/MultilingualUnit.h"
#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

namespace fs = std::filesystem;

std::string Crlf(const std::string& text) {
  return std::regex_replace(text, std::regex("\n"), "\r\n");
}

// What the language editor would do: two languages and one named string, committed.
bool AddGreeting(TDravik& dravik) {
  TLanguageManager& manager = *dravik.LanguageManager();
  for (const char* name : {"English", "Deutsch"}) {
    TLanguageEntry* language = manager.Langs()->Add();
    language->Name = name;
    language->SubIndex = manager.GetLangCount() - 1;
  }
  manager.SyncCount(cmInitAll);
  TConsistentLangPropertyEntry* greeting = manager.AddString("Greeting");
  greeting->SetLangValue(0, Variant("Hello"));
  greeting->SetLangValue(1, Variant("Hallo"));
  return true;
}

// The unit for Free Pascal's compiler that the rewritten units use.
constexpr const char* kDravikStub =
    "unit Dravik;\n\ninterface\n\ntype\n"
    "  TGetString = function(const ID: string): string;\n"
    "  TLangChange = procedure(const Language: string);\n\n"
    "procedure InitDravik(const ResName: string; OnChange: TLangChange;\n"
    "  var GetString: TGetString);\n\nimplementation\n\n"
    "procedure InitDravik(const ResName: string; OnChange: TLangChange;\n"
    "  var GetString: TGetString);\nbegin\nend;\n\nend.\n";

class MultilingualUnit : public ::testing::Test {
 protected:
  void TearDown() override { FinalizeDravikUnits(); }

  std::string Pas(const std::string& unit) const { return dir.File(unit + ".pas"); }
  std::string Lng(const std::string& unit) const { return dir.File(unit + ".lng"); }

  // The command on the files, answering from answers; a question beyond them fails the test.
  TUnitCommandResult Run(const std::string& unit) {
    TUnitCommandHost host;
    host.ReadSource = [](const std::string& name, std::string& text) {
      if (!fs::exists(name)) return false;
      text = ReadFileBytes(name);
      return true;
    };
    host.WriteSource = [](const std::string& name, const std::string& text) {
      WriteFileBytes(name, text);
      return true;
    };
    host.Ask = [this](const std::string& key, TUnitQuestion) {
      asked.push_back(key);
      if (answers.empty()) {
        ADD_FAILURE() << "unexpected question " << key;
        return TUnitAnswer::No;
      }
      const TUnitAnswer answer = answers.front();
      answers.pop_front();
      return answer;
    };
    host.Edit = [this](TDravik& dravik, const std::string& pasName) {
      EXPECT_EQ(pasName, Pas(fs::path(pasName).stem().string()));
      ++edits;
      return edit(dravik);
    };
    return ExecuteUnitCommand(Pas(unit), host);
  }

  // Compiles the unit with Free Pascal in its folder. The compiler takes the resource under
  // the name the directive gives (upper-case extension) and in the 32-bit layout only.
  void ExpectCompiles(const std::string& unit) {
    if (std::system("fpc -iV >/dev/null 2>&1") != 0) GTEST_SKIP() << "fpc not installed";
    WriteFileBytes(dir.File("Dravik.pas"), kDravikStub);
    TResourceFile resources;
    resources.LoadFromFile(Lng(unit));
    resources.Layout = TResourceLayout::Res32;
    resources.SaveToFile(dir.File(unit + ".LNG"));
    const std::string out = dir.File("out-" + unit);
    fs::create_directories(out);
    const TRunResult run = RunProgram({"/usr/bin/env", "fpc", "-Mdelphi", "-v0", "-Fu" + dir.Path(),
                                       "-FU" + out, "-FE" + out, Pas(unit)});
    EXPECT_EQ(run.ExitCode, 0) << unit << ":\n" << run.Out << run.Err;
  }

  TApplicationScope app;
  TTempDir dir;
  std::deque<TUnitAnswer> answers;
  std::vector<std::string> asked;
  int edits = 0;
  std::function<bool(TDravik&)> edit = [](TDravik&) { return false; };
};

// Each shape of unit: where the call, the declarations and the unit name go, in the unit's own
// line breaks; the result compiles, and its language file loads by the ID the call carries.
TEST_F(MultilingualUnit, EachShapeOfUnitIsRewrittenToLoadItsLanguageFile) {
  const std::string declarations =
      "{$R *.LNG}\n\nvar\n  GetString:TGetString;\n\n"
      "procedure LangChange(const Language:string);\nbegin\nend;\n\n";
  const std::string call = "  InitDravik('{ID}',LangChange,GetString);\n";
  struct TCase {
    const char* Unit;
    std::string Source;
    std::string Expected;  // {ID} stands for the new resource ID; empty: left as it was
    bool CrLf;
  };
  const TCase cases[] = {
      {"Main",
       "unit Main;\n\ninterface\n\nimplementation\n\nuses SysUtils;\n\nvar Started: Boolean;\n\n"
       "begin\n  Started := True;\nend.\n",
       "unit Main;\n\ninterface\n\nuses\n  Dravik;\n\nimplementation\n\nuses SysUtils;\n\n" +
           declarations + "var Started: Boolean;\n\nbegin\n" + call + "Started := True;\nend.\n",
       true},
      {"Init",
       "unit Init;\n\ninterface\n\nuses\n  Classes;\n\nvar\n  Names: TStringList;\n\n"
       "implementation\n\ninitialization\n  Names := TStringList.Create;\nfinalization\n"
       "  Names.Free;\nend.\n",
       "unit Init;\n\ninterface\n\nuses\n  Dravik, Classes;\n\nvar\n  Names: TStringList;\n\n"
       "implementation\n\n" +
           declarations + "initialization\n" + call +
           "  Names := TStringList.Create;\nfinalization\n  Names.Free;\nend.\n",
       true},
      {"Plain",
       "unit Plain;\n\ninterface\n\nfunction Twice(X: Integer): Integer;\n\nimplementation\n\n"
       "function Twice(X: Integer): Integer;\nbegin\n  Result := 2 * X;\nend;\n\nend.\n",
       "unit Plain;\n\ninterface\n\nuses\n  Dravik;\n\nfunction Twice(X: Integer): Integer;\n\n"
       "implementation\n\n" +
           declarations +
           "function Twice(X: Integer): Integer;\nbegin\n  Result := 2 * X;\nend;\n\n"
           "initialization\n" +
           call + "\nend.\n",
       true},
      {"Listed",
       "unit Listed;\n\ninterface\n\nuses Dravik, SysUtils;\n\nimplementation\n\nuses Classes;\n\n"
       "end.\n",
       "unit Listed;\n\ninterface\n\nuses Dravik, SysUtils;\n\nimplementation\n\nuses "
       "Classes;\n\n" +
           declarations + "initialization\n" + call + "\nend.\n",
       false},
      {"Unended", "unit Unended;\n\ninterface\n\nimplementation\n\nprocedure P;\nbegin\nend;\n", "",
       true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Unit);
    const std::string source = c.CrLf ? Crlf(c.Source) : c.Source;
    WriteFileBytes(Pas(c.Unit), source);
    asked.clear();
    answers = {TUnitAnswer::Yes, TUnitAnswer::Yes};
    edit = AddGreeting;
    const TUnitCommandResult result = Run(c.Unit);

    EXPECT_TRUE(result.Finished);
    EXPECT_TRUE(std::regex_match(result.ResID, std::regex("\\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-"
                                                          "[0-9A-F]{12}\\}")))
        << result.ResID;
    const std::vector<std::string> questions =
        c.Expected.empty()
            ? std::vector<std::string>{"CreateMultilingualUnit", "ESyntaxError Continue"}
            : std::vector<std::string>{"CreateMultilingualUnit"};
    EXPECT_EQ(asked, questions);
    std::string expected = c.Expected.empty() ? source : c.CrLf ? Crlf(c.Expected) : c.Expected;
    expected = std::regex_replace(expected, std::regex("\\{ID\\}"), result.ResID);
    EXPECT_EQ(ReadFileBytes(Pas(c.Unit)), expected);
    EXPECT_EQ(result.SourceWritten, !c.Expected.empty());
    EXPECT_EQ(result.UnitLoadsFile, !c.Expected.empty());

    // The unit's resource, bound into a program, gives the strings by that ID.
    ASSERT_TRUE(result.LanguageFileWritten);
    // The registry keeps a view: the bytes live as long as the program.
    static std::deque<std::string> bound;
    RegisterModuleResource(result.ResID, bound.emplace_back(ReadFileBytes(Lng(c.Unit))));
    TGetString getString;
    InitDravik(result.ResID, nullptr, getString);
    EXPECT_EQ(getString("Greeting"), "Hello");
    if (!c.Expected.empty()) ExpectCompiles(c.Unit);
  }
}

// Run again on its own result, the command finds the file and the ID (also with blanks around
// it in the call), asks nothing, and changes nothing.
TEST_F(MultilingualUnit, ASecondRunFindsTheLanguageFileAndChangesNothing) {
  WriteFileBytes(Pas("Again"), Crlf("unit Again;\ninterface\nimplementation\nend.\n"));
  answers = {TUnitAnswer::Yes};
  const std::string id = Run("Again").ResID;
  ASSERT_FALSE(id.empty());
  WriteFileBytes(Pas("Again"),
                 std::regex_replace(ReadFileBytes(Pas("Again")), std::regex("'\\{"), "' {"));
  WriteFileBytes(Pas("Again"),
                 std::regex_replace(ReadFileBytes(Pas("Again")), std::regex("\\}'"), "}  '"));
  const std::string unit = ReadFileBytes(Pas("Again"));
  ASSERT_NE(unit.find("InitDravik(' " + id + "  ',"), std::string::npos) << unit;
  const std::string lng = ReadFileBytes(Lng("Again"));
  asked.clear();

  const TUnitCommandResult second = Run("Again");
  EXPECT_TRUE(second.Finished);
  EXPECT_EQ(second.ResID, id);
  EXPECT_TRUE(second.UnitLoadsFile);
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(edits, 2) << "the editor opens on the file's data";
  EXPECT_FALSE(second.SourceWritten || second.LanguageFileWritten);
  EXPECT_EQ(ReadFileBytes(Pas("Again")), unit);
  EXPECT_EQ(ReadFileBytes(Lng("Again")), lng);
}

// Each question where it is put, what the answers lead to, and what is written then.
TEST_F(MultilingualUnit, EachQuestionAndWhatItsAnswerLeadsTo) {
  using A = TUnitAnswer;
  constexpr const char* kPlain = "unit Q;\r\ninterface\r\nimplementation\r\nend.\r\n";
  constexpr const char* kBound =
      "unit Q;\r\ninterface\r\nuses Dravik;\r\nimplementation\r\n"
      "initialization\r\n  InitDravik('{OLD}',LangChange,GetString);\r\nend.\r\n";
  enum TLng { NoFile, Writable, ReadOnly, Garbage };
  struct TCase {
    const char* Name;
    const char* Source;  // null: no unit file
    TLng File;
    std::deque<A> Answers;
    bool Commit;  // the editor's answer
    std::vector<std::string> Asked;
    int Edits;
    bool SourceWritten, LngWritten;
    const char* SavedResID = nullptr;  // the resource name the file has afterwards, if checked
  };
  const TCase cases[] = {
      {"declined", kPlain, NoFile, {A::No}, true, {"CreateMultilingualUnit"}, 0, false, false},
      {"unit unreadable, going on",
       nullptr,
       NoFile,
       {A::Yes, A::Yes, A::Yes},
       false,
       {"ESourceReadError", "CreateMultilingualUnit", "ESyntaxError Continue"},
       1,
       false,
       true},
      {"unit unreadable, stopped",
       nullptr,
       NoFile,
       {A::No},
       true,
       {"ESourceReadError"},
       0,
       false,
       false},
      {"syntax error, stopped",
       "unit Q;\r\nimplementation\r\n",
       NoFile,
       {A::Yes, A::No},
       true,
       {"CreateMultilingualUnit", "ESyntaxError Continue"},
       0,
       false,
       false},
      {"read-only file: editor reopened while it stays read-only",
       kBound,
       ReadOnly,
       {A::Yes, A::Yes, A::No},
       true,
       {"ELangFileError ReadOnly Continue", "ESaveError ReadOnly Reopen",
        "ESaveError ReadOnly Reopen"},
       2,
       false,
       false},
      {"read-only file declined",
       kBound,
       ReadOnly,
       {A::No},
       true,
       {"ELangFileError ReadOnly Continue"},
       0,
       false,
       false},
      {"read-only file, statement missing: no restoring",
       kPlain,
       ReadOnly,
       {A::Yes, A::Yes, A::Yes},
       false,
       {"ELangFileError ReadOnly Continue", "EStatementNotFound Restore",
        "ERestoreError ReadOnly Continue"},
       1,
       false,
       false},
      {"statement missing, cancelled",
       kPlain,
       Writable,
       {A::Cancel},
       true,
       {"EStatementNotFound Restore"},
       0,
       false,
       false},
      {"statement missing, not restored, not committed",
       kPlain,
       Writable,
       {A::No},
       false,
       {"EStatementNotFound Restore"},
       1,
       false,
       false},
      // The file keeps its resource's name rather than losing it to an empty one.
      {"statement missing, not restored, committed",
       kPlain,
       Writable,
       {A::No},
       true,
       {"EStatementNotFound Restore"},
       1,
       false,
       true,
       "{OLD}"},
      // Restored lines carry a new ID, under which the data is saved even without a commit.
      {"statement missing, restored",
       kPlain,
       Writable,
       {A::Yes},
       false,
       {"EStatementNotFound Restore"},
       1,
       true,
       true,
       "new"},
      {"language file unreadable",
       kBound,
       Garbage,
       {A::Yes},
       true,
       {"EReadError"},
       0,
       false,
       false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    for (const char* file : {"Q.pas", "Q.lng"}) fs::remove(dir.File(file));
    if (c.Source) WriteFileBytes(Pas("Q"), c.Source);
    if (c.File == Garbage) WriteFileBytes(Lng("Q"), "not a resource file");
    if (c.File == Writable || c.File == ReadOnly) {
      TComponentPtr<TDravik> data = MakeComponent<TDravik>(app.Get());
      AddGreeting(*data);
      WriteUnitLanguageFile(Lng("Q"), "{OLD}", *data);
    }
    if (c.File == ReadOnly) ::chmod(Lng("Q").c_str(), 0444);
    const std::string unitBefore = c.Source ? ReadFileBytes(Pas("Q")) : "";
    const std::string lngBefore = fs::exists(Lng("Q")) ? ReadFileBytes(Lng("Q")) : "";
    answers = c.Answers;
    asked.clear();
    edits = 0;
    // A commit changes the data, so that a file written anew differs from the old one.
    edit = [&c](TDravik& dravik) {
      TLanguageManager& manager = *dravik.LanguageManager();
      if (c.Commit && manager.IsUniqueStringName("Edited")) manager.AddString("Edited");
      return c.Commit;
    };

    const TUnitCommandResult result = Run("Q");
    EXPECT_EQ(asked, c.Asked);
    EXPECT_TRUE(answers.empty()) << "an answer was not asked for";
    EXPECT_EQ(edits, c.Edits);
    EXPECT_EQ(result.SourceWritten, c.SourceWritten);
    EXPECT_EQ(c.Source && ReadFileBytes(Pas("Q")) != unitBefore, c.SourceWritten);
    EXPECT_EQ(result.LanguageFileWritten, c.LngWritten);
    const std::string lngAfter = fs::exists(Lng("Q")) ? ReadFileBytes(Lng("Q")) : "";
    EXPECT_EQ(lngAfter != lngBefore, c.LngWritten);
    if (c.SavedResID) {
      TResourceFile saved;
      saved.LoadFromFile(Lng("Q"));
      ASSERT_EQ(saved.Entries.size(), 1u);
      const bool renamed = std::string(c.SavedResID) == "new";
      EXPECT_EQ(saved.Entries[0].Name.Name(), renamed ? result.ResID : c.SavedResID);
      // The unit's call names the resource the file holds.
      EXPECT_EQ(
          ReadFileBytes(Pas("Q")).find("InitDravik('" + result.ResID + "'") != std::string::npos,
          renamed);
    }
    if (c.File == ReadOnly) ::chmod(Lng("Q").c_str(), 0644);
  }
}

}  // namespace
