#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "platform/core/resources/ResourceFile.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"
#include "tests/core/StreamTestSupport.h"

using namespace dravik;

namespace {

TResourceEntry Entry(TResourceId type, TResourceId name, std::string data) {
  TResourceEntry entry;
  entry.Type = std::move(type);
  entry.Name = std::move(name);
  entry.Data = std::move(data);
  return entry;
}

TResourceFile ReadBack(const TResourceFile& file) {
  TStringStream stream;
  file.SaveToStream(stream);
  stream.SetPosition(0);
  TResourceFile back;
  back.LoadFromStream(stream);
  return back;
}

std::string Saved(const TResourceFile& file) {
  TStringStream stream;
  file.SaveToStream(stream);
  return stream.DataString();
}

TResourceFile SampleFile(TResourceLayout layout) {
  TResourceFile file;
  file.Layout = layout;
  file.Entries.push_back(Entry(TResourceId(RT_RCDATA), TResourceId("TFORM1"), "TPF0 odd size"));
  file.Entries.push_back(Entry(TResourceId(uint16_t{6}), TResourceId(uint16_t{42}), ""));
  file.Entries.push_back(Entry(TResourceId("MYTYPE"),
                               TResourceId("Gr\xC3\xBC\xC3\x9F"
                                           "e"),
                               std::string(5, '\0')));
  file.Entries.back().LanguageId = 0x0407;
  file.Entries.back().MemoryFlags = 0x0030;
  return file;
}

TEST(ResourceFile, BothLayoutsReadBackWhatWasWritten) {
  for (TResourceLayout layout : {TResourceLayout::Res16, TResourceLayout::Res32}) {
    TResourceFile file = SampleFile(layout);
    TResourceFile back = ReadBack(file);
    EXPECT_EQ(back.Layout, layout);
    ASSERT_EQ(back.Entries.size(), file.Entries.size());
    for (std::size_t i = 0; i < file.Entries.size(); ++i) {
      EXPECT_EQ(back.Entries[i].Type, file.Entries[i].Type);
      EXPECT_EQ(back.Entries[i].Name.ToString(), file.Entries[i].Name.ToString());
      EXPECT_EQ(back.Entries[i].Data, file.Entries[i].Data);
      EXPECT_EQ(back.Entries[i].MemoryFlags, file.Entries[i].MemoryFlags);
    }
    if (layout == TResourceLayout::Res32) {
      EXPECT_EQ(back.Entries[2].LanguageId, 0x0407);
    }
  }
}

TEST(ResourceFile, TheSixteenBitHeaderIsWhatWriteComponentResWrites) {
  TStringStream stream;
  WriteResourceHeader16(stream, TResourceId("TFORM1"), 0x01020304);
  EXPECT_EQ(stream.DataString(), std::string("\xFF\x0A\0TFORM1\0\x30\x10\x04\x03\x02\x01", 16));
}

TEST(ResourceFile, TheThirtyTwoBitLayoutAlignsHeadersAndData) {
  TResourceFile file;
  file.Layout = TResourceLayout::Res32;
  file.Entries.push_back(Entry(TResourceId(RT_RCDATA), TResourceId("ABC"), "xyz"));
  std::string bytes = Saved(file);
  // The empty entry, then: sizes, type ordinal, "ABC" and its zero in UTF-16 (8 bytes, aligned),
  // 16 bytes of fields, 3 bytes of data and one byte of padding.
  ASSERT_EQ(bytes.size(), 32u + 8 + 4 + 8 + 16 + 4);
  EXPECT_EQ(bytes.substr(32, 8), std::string("\x03\0\0\0\x24\0\0\0", 8));
  EXPECT_EQ(bytes.substr(40, 12), std::string("\xFF\xFF\x0A\0A\0B\0C\0\0\0", 12));
  EXPECT_EQ(bytes.substr(68), std::string("xyz\0", 4));
}

TEST(ResourceFile, FindsStringNamesIgnoringCaseAndType) {
  TResourceFile file = SampleFile(TResourceLayout::Res16);
  ASSERT_NE(file.Find("tform1"), nullptr);
  EXPECT_EQ(file.Find("tform1")->Data, "TPF0 odd size");
  EXPECT_EQ(file.Find("GR\xC3\xBC\xC3\x9F"
                      "E"),
            nullptr)
      << "a resource of another type";
  EXPECT_NE(file.Find("gr\xC3\xBC\xC3\x9F"
                      "e",
                      TResourceId("mytype")),
            nullptr);
  EXPECT_EQ(file.Find("42", TResourceId(uint16_t{6})), nullptr) << "ordinals have no name";
}

TEST(ResourceFile, NamesTheLayoutCannotHoldAreRefused) {
  TResourceFile file;
  file.Entries.push_back(Entry(TResourceId(RT_RCDATA), TResourceId(std::string("A\0B", 3)), ""));
  EXPECT_THROW(Saved(file), EWriteError);
  file.Layout = TResourceLayout::Res32;
  EXPECT_THROW(Saved(file), EWriteError);
}

std::string LoadError(const std::string& bytes) {
  TStringStream stream(bytes);
  TResourceFile file;
  try {
    file.LoadFromStream(stream);
  } catch (const EInvalidImage& e) {
    return e.Message();
  }
  return "no error";
}

// A cut file either fails or holds whole resources only: never a resource with cut data.
TEST(ResourceFile, ATruncatedFileNeverYieldsCutData) {
  for (TResourceLayout layout : {TResourceLayout::Res16, TResourceLayout::Res32}) {
    TResourceFile original = SampleFile(layout);
    std::string bytes = Saved(original);
    int failures = 0;
    for (std::size_t length = 0; length < bytes.size(); ++length) {
      TStringStream stream(bytes.substr(0, length));
      TResourceFile file;
      try {
        file.LoadFromStream(stream);
      } catch (const EInvalidImage&) {
        ++failures;
        continue;
      }
      ASSERT_LE(file.Entries.size(), original.Entries.size());
      for (std::size_t i = 0; i < file.Entries.size(); ++i)
        EXPECT_EQ(file.Entries[i].Data, original.Entries[i].Data)
            << "cut to " << length << " bytes";
    }
    EXPECT_GT(failures, static_cast<int>(bytes.size()) * 3 / 4);
  }
}

TEST(ResourceFile, MalformedFilesNameTheProblemAndTheOffset) {
  EXPECT_EQ(LoadError("TPF0"), "Invalid resource file: no resource header at byte offset 0");
  EXPECT_EQ(LoadError(std::string("\xFF\x0A\0A\0\x30\x10\x10\0\0\0abc", 14)),
            "Invalid resource file: resource data of 16 bytes runs past the end of the file at "
            "byte offset 11");
  std::string header32(32, '\0');
  header32.replace(4, 12, std::string("\x20\0\0\0\xFF\xFF\0\0\xFF\xFF\0\0", 12));
  EXPECT_EQ(LoadError(header32 + std::string("\0\0\0\0\x10\0\0\0", 8)),
            "Invalid resource file: header size 16 is too small at byte offset 32");
}

TEST(ResourceFile, ReadsWhatAResourceCompilerWrites) {
  std::string compiler = "/usr/bin/llvm-rc";
  if (::access(compiler.c_str(), X_OK) != 0) GTEST_SKIP() << "no llvm-rc on this machine";
  TTempDir dir;
  WriteFileBytes(dir.File("form.bin"), "TPF0 a form\n");
  WriteFileBytes(dir.File("forms.rc"), "TFORM1 RCDATA \"form.bin\"\n7 RCDATA { \"seven\" }\n");
  TRunResult run = RunProgram({compiler, "/FO", dir.File("forms.res"), dir.File("forms.rc")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  TResourceFile file;
  file.LoadFromFile(dir.File("forms.res"));
  EXPECT_EQ(file.Layout, TResourceLayout::Res32);
  ASSERT_EQ(file.Entries.size(), 2u);
  ASSERT_NE(file.Find("tform1"), nullptr);
  EXPECT_EQ(file.Find("tform1")->Data, "TPF0 a form\n");
  EXPECT_EQ(file.Entries[1].Name, TResourceId(uint16_t{7}));
  EXPECT_EQ(file.Entries[1].Data, "seven");
}

}  // namespace
