// The dravik convert command, run as a program.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/core/resources/ResourceFile.h"
#include "platform/core/streams/StringStream.h"
#include "tests/core/StreamTestSupport.h"

using namespace dravik;

namespace {

const std::string kDravik = DRAVIK_BIN_DIR "/dravik";
const std::string kText =
    "object Form1: TForm1\n  Caption = 'Gr\xC3\xBC\xC3\x9F"
    "e'\n  Tag = 7\nend\n";

TRunResult Convert(std::vector<std::string> args, const std::string& input = "") {
  args.insert(args.begin(), {kDravik, "convert"});
  return RunProgram(args, input);
}

std::string ResourceFileOf(std::vector<std::pair<std::string, std::string>> resources,
                           TResourceLayout layout) {
  TResourceFile file;
  file.Layout = layout;
  for (auto& [name, data] : resources) {
    TResourceEntry entry;
    entry.Name = TResourceId(name);
    entry.Data = data;
    file.Entries.push_back(entry);
  }
  TStringStream stream;
  file.SaveToStream(stream);
  return stream.DataString();
}

TEST(ConvertCommand, ConvertsFilesBothWays) {
  TTempDir dir;
  WriteFileBytes(dir.File("form.txt"), kText);
  TRunResult run = Convert({"--to", "binary", dir.File("form.txt"), dir.File("form.bin")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(ReadFileBytes(dir.File("form.bin")), ToBinary(kText));
  run = Convert({"--to=text", dir.File("form.bin"), dir.File("back.txt")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(ReadFileBytes(dir.File("back.txt")), kText);
  EXPECT_TRUE(run.Out.empty() && run.Err.empty()) << "silent on success";
}

TEST(ConvertCommand, DashMeansStandardInputAndOutput) {
  TRunResult run = Convert({"--to", "binary", "-", "-"}, kText);
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, ToBinary(kText));
  run = Convert({"--to", "text", "-", "-"}, "  object Form1: TForm1 Tag = 7 end");
  EXPECT_EQ(run.Out, "object Form1: TForm1\n  Tag = 7\nend\n")
      << "text comes out in the canonical layout";
}

TEST(ConvertCommand, ReadsAndWritesResourceFiles) {
  std::string binary = ToBinary(kText);
  for (TResourceLayout layout : {TResourceLayout::Res16, TResourceLayout::Res32}) {
    TRunResult run =
        Convert({"--to", "text", "-", "-"}, ResourceFileOf({{"TFORM1", binary}}, layout));
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Out, kText);
  }
  TRunResult run = Convert({"--to", "binary", "--res", "{GUID-NAME}", "-", "-"}, kText);
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, ResourceFileOf({{"{GUID-NAME}", binary}}, TResourceLayout::Res16));
  run = Convert({"--to", "binary", "--res", "X", "--res32", "-", "-"}, kText);
  EXPECT_EQ(run.Out, ResourceFileOf({{"X", binary}}, TResourceLayout::Res32));
  run = Convert({"--to", "binary", "-", "-"},
                ResourceFileOf({{"TFORM1", binary}}, TResourceLayout::Res16));
  EXPECT_EQ(run.Out, binary) << "a resource file gives its plain stream";
}

TEST(ConvertCommand, ChoosesAmongSeveralResourcesByName) {
  std::string a = ToBinary("object A: TA\nend\n"), b = ToBinary("object B: TB\nend\n");
  std::string res = ResourceFileOf({{"FIRST", a}, {"NOTAFORM", "plain data"}, {"SECOND", b}},
                                   TResourceLayout::Res32);
  TRunResult run = Convert({"--to", "text", "-", "-"}, res);
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_NE(
      run.Err.find("holds 2 component streams (FIRST, SECOND); choose one with --resource NAME"),
      std::string::npos)
      << run.Err;
  run = Convert({"--to", "text", "--resource", "second", "-", "-"}, res);
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "object B: TB\nend\n");
  run = Convert({"--to", "text", "--resource", "NOTAFORM", "-", "-"}, res);
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Err.find("holds no component stream"), std::string::npos) << run.Err;
}

TEST(ConvertCommand, BadInputIsOneLineWithTheLocationAndLeavesTheOutputAlone) {
  TTempDir dir;
  WriteFileBytes(dir.File("out"), "previous");
  struct TCase {
    std::string Input;
    std::string Message;
    bool AsText = true;  // fails converted to text too (data after the end does not)
  };
  std::string binary = ToBinary(kText);
  for (const TCase& c :
       {TCase{"object A: TA\n  X = \n",
              "standard input: Property value expected but end of file found on line 3"},
        TCase{binary.substr(0, 30), "standard input: Unexpected end of stream at byte offset 30"},
        TCase{binary + "xx",
              "Data after the end of the root component at byte offset " +
                  std::to_string(binary.size()),
              false},
        TCase{"object A: TA\nend\nend\n", "Text after the end of the root object on line 3"},
        TCase{std::string("\xFF\x0A\0N\0\x30\x10\x40\0\0\0TPF0", 15), "runs past the end"}})
    for (const char* to : {"binary", "text"}) {
      if (!c.AsText && *to == 't') continue;
      TRunResult run = Convert({"--to", to, "-", dir.File("out")}, c.Input);
      EXPECT_EQ(run.ExitCode, 1) << to;
      EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
      EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
      EXPECT_EQ(ReadFileBytes(dir.File("out")), "previous") << to;
    }
  TRunResult run = Convert({"--to", "text", dir.File("missing"), "-"});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Err.find("missing"), std::string::npos) << run.Err;
}

TEST(ConvertCommand, BadUsageExitsWithTwo) {
  for (std::vector<std::string> args : {std::vector<std::string>{"-", "-"},
                                        {"--to", "xml", "-", "-"},
                                        {"--to", "text", "--res", "X", "-", "-"},
                                        {"--to", "binary", "--res32", "-", "-"},
                                        {"--to", "text", "-"},
                                        {"--to", "text", "--bogus", "-", "-"}}) {
    TRunResult run = Convert(args, kText);
    EXPECT_EQ(run.ExitCode, 2) << args[0] << " " << args[1];
    EXPECT_NE(run.Err.find("--help"), std::string::npos) << run.Err;
  }
  TRunResult help = Convert({"--help"});
  EXPECT_EQ(help.ExitCode, 0);
  for (const char* option : {"--to", "--resource", "--res ", "--res32", "\"-\""})
    EXPECT_NE(help.Out.find(option), std::string::npos) << option;
}

}  // namespace
