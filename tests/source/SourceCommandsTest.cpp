// `dravik scan`, `dravik check` and `dravik multilingual` run as a user runs them, on units with
// CR LF, LF and mixed line breaks.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TestFiles.h"

using namespace dravik;
using namespace std::string_literals;

namespace {

const std::string kData = std::string(DRAVIK_TEST_DATA) + "/source/";

// Runs dravik through the shell with the arguments (already quoted for it) and, when given, the
// text on its standard input.
TRunResult Dravik(const std::string& args, const std::string* input = nullptr) {
  return RunProgram({"/bin/sh", "-c", std::string(DRAVIK_BIN_DIR) + "/dravik " + args},
                    input ? *input : "");
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t pos; (pos = text.find(separator, start)) != std::string::npos; start = pos + 1)
    parts.push_back(text.substr(start, pos - start));
  if (start < text.size()) parts.push_back(text.substr(start));
  return parts;
}

std::string Unescape(const std::string& field) {
  std::string result;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\' || i + 1 == field.size()) {
      result += field[i];
      continue;
    }
    const char c = field[++i];
    result += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
  }
  return result;
}

// Line (0-based) and column (1-based) of a byte offset, CR LF, LF and CR each ending a line.
std::pair<int, int> LineAndColumn(const std::string& text, std::size_t offset) {
  int line = 0;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
      ++line;
      lineStart = i + 1;
    }
  }
  return {line, static_cast<int>(offset - lineStart + 1)};
}

class ScanCommandTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ScanCommandTest, EveryBlockIsTheBytesOfTheFileAtItsPosition) {
  const std::string path = kData + GetParam();
  const std::string text = ReadFileBytes(path);
  const TRunResult run = Dravik("scan '" + path + "'");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  std::vector<std::string> kinds;
  for (const std::string& line : Split(run.Out, '\n')) {
    const std::vector<std::string> fields = Split(line, '\t');
    ASSERT_EQ(fields.size(), 6u) << line;
    kinds.push_back(fields[0]);
    const std::size_t offset = std::stoul(fields[1]);
    const std::size_t length = std::stoul(fields[2]);
    EXPECT_EQ(Unescape(fields[5]), text.substr(offset, length)) << line;
    const auto [lineNo, column] = LineAndColumn(text, offset);
    EXPECT_EQ(std::stoi(fields[3]), lineNo) << line;
    EXPECT_EQ(std::stoi(fields[4]), column) << line;
  }
  EXPECT_EQ(kinds, (std::vector<std::string>{"comment", "comment", "string", "comment", "string",
                                             "comment", "string", "string"}));
  // The literal with a doubled quote and the comment after a tab, as printed.
  EXPECT_NE(run.Out.find("\t'It''s a hint'\n"), std::string::npos);
  EXPECT_NE(run.Out.find("\t// the window's caption\n"), std::string::npos);
}

TEST_P(ScanCommandTest, MaskHasOneLetterPerByteAndKeepsTheLineBreaks) {
  const std::string path = kData + GetParam();
  const std::string text = ReadFileBytes(path);
  const TRunResult run = Dravik("scan --mask '" + path + "'");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  ASSERT_EQ(run.Out.size(), text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      ASSERT_EQ(run.Out[i], text[i]) << "at " << i;
    }
  }
  const std::size_t hint = text.find("'It''s a hint'");
  EXPECT_EQ(run.Out.substr(hint, 14), "[ssssssssssss]");
}

INSTANTIATE_TEST_SUITE_P(LineBreaks, ScanCommandTest,
                         ::testing::Values("MainForm.pas", "MainFormLf.pas", "MainFormMixed.pas"));

TEST(ScanCommand, CodeTypeDetectedOrChosen) {
  const std::string c = kData + "Sample.c";
  const TRunResult detected = Dravik("scan '" + c + "'");
  ASSERT_EQ(detected.ExitCode, 0) << detected.Err;
  const std::vector<std::string> lines = Split(detected.Out, '\n');
  ASSERT_EQ(lines.size(), 3u) << detected.Out;
  EXPECT_EQ(lines[0], "comment\t19\t33\t1\t1\t/* a \"comment\"\\n   on two lines */");
  EXPECT_EQ(lines[1],
            "string\t79\t19\t4\t10\t"
            R"("it's \\"quoted\\"\\n")");
  EXPECT_EQ(lines[2], "comment\t101\t7\t4\t32\t// done");
  // Read as Pascal, the same text is one brace comment from the `{` of main on.
  const TRunResult pascal = Dravik("scan --type=pascal '" + c + "'");
  EXPECT_EQ(pascal.ExitCode, 0);
  EXPECT_EQ(pascal.Out.substr(0, pascal.Out.find('\t', 12)), "comment\t68\t54") << pascal.Out;
  // Undetected text is read as Pascal, from standard input too.
  const std::string input = "{ header } x := '/*';";
  const TRunResult stdinRun = Dravik("scan -", &input);
  EXPECT_EQ(stdinRun.Out, "comment\t0\t10\t0\t1\t{ header }\nstring\t16\t4\t0\t17\t'/*'\n");
}

TEST(ScanCommand, BadUsageAndUnreadableFiles) {
  const TRunResult badType = Dravik("scan --type basic '" + kData + "Sample.c'");
  EXPECT_EQ(badType.ExitCode, 2);
  EXPECT_NE(badType.Err.find("unknown code type 'basic'"), std::string::npos) << badType.Err;
  EXPECT_EQ(Dravik("scan").ExitCode, 2);
  EXPECT_EQ(Dravik("scan a b").ExitCode, 2);
  const TRunResult missing = Dravik("scan '" + kData + "Missing.pas'");
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_NE(missing.Err.find("Cannot open file"), std::string::npos) << missing.Err;
  EXPECT_EQ(Dravik("scan '" + kData + "'").ExitCode, 1);  // a folder
}

TEST(CheckCommand, ListsInSourceOrderAndFailsOnUnknownOrInvalid) {
  for (const char* file : {"MainForm.pas", "MainFormLf.pas", "MainFormMixed.pas"}) {
    SCOPED_TRACE(file);
    const std::string text = ReadFileBytes(kData + file);
    const auto at = [&](const char* what) { return std::to_string(text.find(what)); };
    const TRunResult run =
        Dravik("check '" + kData + file + "' --names '" + kData + "MainForm.names'");
    EXPECT_EQ(run.ExitCode, 1) << run.Err;
    EXPECT_EQ(run.Out, "used\tIt's a hint\t" + at("'It''s") + "\n" +              //
                           "used\tMissing\t" + at("'Missing'") + "\n" +           //
                           "unknown\tMissing\t" + at("'Missing'") + "\n" +        //
                           "invalid\tGetString(Key));\t" + at("Key));") + "\n" +  //
                           "unused\tTitle\nunused\tError\nunused\tUnused\n");

    const TRunResult byName = Dravik("check '" + kData + file + "' --names '" + kData +
                                     "MainForm.names' --by-component-name dravik1");
    EXPECT_EQ(byName.ExitCode, 1);
    EXPECT_EQ(byName.Out, "used\tTitle\t" + at("'Title'") + "\n" +
                              "invalid\tDravik1.GetString('Error' + Key))...\t" + at("'Error'") +
                              "\n" + "unused\tIt's a hint\nunused\tError\nunused\tUnused\n");
  }
}

TEST(CheckCommand, ExitCodes) {
  const std::string unit = "'" + kData + "MainFormLf.pas'";
  const TRunResult good =
      Dravik("check " + unit + " --names '" + kData + "Good.names' --by-component-name Nobody");
  EXPECT_EQ(good.ExitCode, 0) << good.Out;
  EXPECT_EQ(good.Out, "unused\tIt's a hint\nunused\tMissing\n");
  const TRunResult noEnd =
      Dravik("check '" + kData + "NoEnd.pas' --names '" + kData + "Good.names'");
  EXPECT_EQ(noEnd.ExitCode, 2);
  EXPECT_EQ(noEnd.Out, "");
  EXPECT_NE(noEnd.Err.find("Syntax error in source code."), std::string::npos) << noEnd.Err;
  EXPECT_EQ(Dravik("check " + unit).ExitCode, 2);  // --names is required
  EXPECT_EQ(Dravik("check - --names - < " + unit).ExitCode, 2);
  EXPECT_EQ(Dravik("check " + unit + " --names '" + kData + "Missing.names'").ExitCode, 1);
  // Names from standard input.
  const std::string names = "It's a hint\nMissing";
  const TRunResult fromStdin = Dravik("check " + unit + " --names -", &names);
  EXPECT_EQ(fromStdin.ExitCode, 1);
  EXPECT_EQ(fromStdin.Out.find("unknown"), std::string::npos) << fromStdin.Out;
}

TEST(Commands, HelpExplainsEveryOption) {
  const TRunResult scan = Dravik("scan --help");
  EXPECT_EQ(scan.ExitCode, 0);
  for (const char* word : {"--mask", "--type", "UNIT", "OFFSET", "LENGTH", "LINE", "COLUMN"})
    EXPECT_NE(scan.Out.find(word), std::string::npos) << word;
  const TRunResult check = Dravik("check --help");
  EXPECT_EQ(check.ExitCode, 0);
  for (const char* word : {"--names", "--by-component-name", "used", "unknown", "invalid", "unused",
                           "Syntax error in source code."})
    EXPECT_NE(check.Out.find(word), std::string::npos) << word;
  const TRunResult overview = Dravik("--help");
  EXPECT_NE(overview.Out.find("scan"), std::string::npos);
  EXPECT_NE(overview.Out.find("check"), std::string::npos);
}

}  // namespace

namespace {

TEST(ScanCommand, ControlCharactersOfTheSourceAreEscaped) {
  const std::string unit = "unit U;\n{ \x1B]0;title\x07 }\nx := '\0\x1B[2J\xC2\x9B\x7F\xFF'"s +
                           " + 'Gr\xC3\xB6\xC3\x9F" + "e\\';\n";
  const TRunResult run = Dravik("scan -", &unit);
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "comment\t8\t14\t1\t1\t{ \\x1B]0;title\\x07 }\n"
            "string\t28\t11\t2\t6\t'\\x00\\x1B[2J\\xC2\\x9B\\x7F\\xFF'\n"
            "string\t42\t10\t2\t20\t'Gr\xC3\xB6\xC3\x9F"
            "e\\\\'\n");
}

TEST(CheckCommand, ControlCharactersInIDsAndExcerptsAreEscaped) {
  const std::string unit = "unit U; begin GetString('a\x1B[31m'); GetString(\0\x1B + 1); end."s;
  const TRunResult run = Dravik("check - --names /dev/null", &unit);
  EXPECT_EQ(run.ExitCode, 1) << run.Err;
  EXPECT_EQ(run.Out,
            "used\ta\\x1B[31m\t24\n"
            "unknown\ta\\x1B[31m\t24\n"
            "invalid\tGetString(\\x00\\x1B + 1); end....\t48\n");
}

TEST(CheckCommand, ASyntaxErrorNamesTheFileAndTheCause) {
  const TRunResult run = Dravik("check '" + kData + "NoEnd.pas' --names /dev/null");
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_EQ(run.Err,
            "dravik check: " + kData +
                "NoEnd.pas: Syntax error in source code. The unit has no final \"end.\"\n");
  const std::string unit = "unit U; begin end";
  EXPECT_EQ(Dravik("check - --names /dev/null", &unit).Err,
            "dravik check: standard input: Syntax error in source code. The unit has no final "
            "\"end.\"\n");
}

// Each excerpt ends 15 bytes after its '(' or at the end of its line, however long the line.
TEST(CheckCommand, ExcerptsOnALongLineOfCalls) {
  constexpr int kCalls = 20000;
  std::string unit = "unit U; begin ";
  const std::size_t first = unit.size();
  for (int i = 0; i < kCalls; ++i) unit += "GetString(x);";
  unit += "\nend.\n";
  const TRunResult run = Dravik("check - --names /dev/null", &unit);
  EXPECT_EQ(run.ExitCode, 1) << run.Err;
  const std::vector<std::string> lines = Split(run.Out, '\n');
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kCalls));
  EXPECT_EQ(lines.front(), "invalid\tGetString(x);GetString(x)...\t" + std::to_string(first + 10));
  EXPECT_EQ(lines[kCalls - 2], "invalid\tGetString(x);GetString(x)...\t" +
                                   std::to_string(first + 13 * (kCalls - 2) + 10));
  EXPECT_EQ(lines.back(),
            "invalid\tGetString(x);\t" + std::to_string(first + 13 * (kCalls - 1) + 10));
}

// The unit command from the terminal: each run's exit code, output and files, in order on one
// folder; a refusal is one line.
TEST(MultilingualCommand, RunsOnTheFilesAndRefusesInOneLine) {
  TTempDir dir;
  const std::string unit = dir.File("Unit1.pas"), lng = dir.File("Unit1.lng");
  WriteFileBytes(unit, "unit Unit1;\r\ninterface\r\nimplementation\r\nend.\r\n");
  const auto run = [&](const std::string& args, const std::string& input) {
    return Dravik("multilingual " + args + " '" + unit + "'", &input);
  };

  // Declined on the terminal: nothing is written.
  TRunResult declined = run("", "n\n");
  EXPECT_EQ(declined.ExitCode, 1);
  EXPECT_EQ(declined.Err,
            "Do you want to create a multilingual source code document? [y/n] "
            "dravik multilingual: stopped: " +
                unit + " was not made multilingual\n");
  EXPECT_FALSE(std::filesystem::exists(lng));

  TRunResult made = run("--yes", "");
  ASSERT_EQ(made.ExitCode, 0) << made.Err;
  EXPECT_EQ(made.Err, "");
  const std::string text = ReadFileBytes(unit);
  const std::size_t call = text.find("InitDravik('{");
  ASSERT_NE(call, std::string::npos) << text;
  const std::string id = text.substr(call + 12, 38);
  EXPECT_EQ(made.Out, unit + ": rewritten to load " + lng + "\n" + lng + ": written\n" + unit +
                          ": multilingual, resource " + id + " in " + lng + "\n");
  const std::string languageFile = ReadFileBytes(lng);
  EXPECT_NE(languageFile.find(id), std::string::npos);

  // Again: found, nothing asked, nothing changed.
  TRunResult again = run("", "");
  EXPECT_EQ(again.ExitCode, 0) << again.Err;
  EXPECT_EQ(again.Out, unit + ": multilingual, resource " + id + " in " + lng + "\n");
  EXPECT_EQ(again.Err, "");
  EXPECT_EQ(ReadFileBytes(unit), text);
  EXPECT_EQ(ReadFileBytes(lng), languageFile);

  // A language file that is no resource file.
  WriteFileBytes(lng, "garbage");
  TRunResult unreadable = run("--yes", "");
  EXPECT_EQ(unreadable.ExitCode, 1);
  EXPECT_EQ(unreadable.Err, "dravik multilingual: Error reading language file (*.lng)\n");
  EXPECT_EQ(unreadable.Out, "");

  // A unit that cannot be rewritten, going on: the file is written, the unit said to be left.
  const std::string unended = dir.File("Unended.pas");
  WriteFileBytes(unended, "unit Unended;\ninterface\nimplementation\n");
  const std::string unendedLng = dir.File("Unended.lng");
  TRunResult left = Dravik("multilingual --yes '" + unended + "'");
  EXPECT_EQ(left.ExitCode, 0) << left.Err;
  EXPECT_EQ(left.Err, "Syntax error in source code. Continue? yes\n");
  EXPECT_EQ(left.Out, unendedLng + ": written\n" + unended + ": left as it was; it does not load " +
                          unendedLng + "\n");
  EXPECT_EQ(ReadFileBytes(unended), "unit Unended;\ninterface\nimplementation\n");

  TRunResult missing = Dravik("multilingual '" + dir.File("None.pas") + "'");
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_EQ(missing.Err, "dravik multilingual: no unit " + dir.File("None.pas") + "\n");
  EXPECT_EQ(Dravik("multilingual").ExitCode, 2);
}

}  // namespace
