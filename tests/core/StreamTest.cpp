#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/core/streams/FileStream.h"
#include "platform/core/streams/MemoryStream.h"
#include "platform/core/streams/ResourceStream.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"
#include "tests/core/StreamTestSupport.h"

using namespace dravik;

namespace {

std::string ReadAll(TStream& stream) {
  std::string bytes(static_cast<std::size_t>(stream.Size() - stream.Position()), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  return bytes;
}

TEST(MemoryStream, WritesGrowAndReadsStopAtTheEnd) {
  TMemoryStream stream;
  stream.WriteBuffer("abcdef", 6);
  EXPECT_EQ(stream.Size(), 6);
  EXPECT_EQ(stream.Position(), 6);
  stream.SetPosition(2);
  stream.WriteBuffer("XY", 2);
  stream.SetPosition(0);
  char buffer[10] = {};
  EXPECT_EQ(stream.Read(buffer, 10), 6);
  EXPECT_EQ(std::string(buffer, 6), "abXYef");
  EXPECT_EQ(stream.Read(buffer, 10), 0);
}

TEST(MemoryStream, WritingBeyondTheEndFillsTheGapWithZeros) {
  TMemoryStream stream;
  stream.WriteBuffer("ab", 2);
  stream.SetSize(1000);  // grows the block; shrinking must not leave stale bytes behind
  stream.SetSize(1);
  stream.Seek(3, soFromEnd);
  stream.WriteBuffer("z", 1);
  EXPECT_EQ(std::string(stream.Memory(), 5), std::string("a\0\0\0z", 5));
}

TEST(MemoryStream, SetSizeMovesAPositionBeyondTheEndBack) {
  TMemoryStream stream;
  stream.WriteBuffer("abcdef", 6);
  stream.SetSize(3);
  EXPECT_EQ(stream.Position(), 3);
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(stream.Position(), 0);
}

TEST(MemoryStream, SeekKnowsItsOriginsAndRejectsPositionsBeforeTheBeginning) {
  TMemoryStream stream;
  stream.WriteBuffer("0123456789", 10);
  EXPECT_EQ(stream.Seek(-3, soFromEnd), 7);
  EXPECT_EQ(stream.Seek(-2, soFromCurrent), 5);
  EXPECT_EQ(stream.Seek(20, soFromBeginning), 20);
  EXPECT_THROW(stream.Seek(-1, soFromBeginning), EStreamError);
  EXPECT_THROW(stream.Seek(INT64_MAX, soFromCurrent), EStreamError);
  EXPECT_EQ(stream.Position(), 20) << "a failed seek keeps the position";
}

TEST(Stream, ReadBufferAndWriteBufferFailWithTheFrameworkTexts) {
  TMemoryStream stream;
  stream.WriteBuffer("abc", 3);
  stream.SetPosition(1);
  char buffer[4];
  try {
    stream.ReadBuffer(buffer, 4);
    FAIL() << "reading past the end succeeded";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  TResourceStream resource("GREETING");
  try {
    resource.WriteBuffer("x", 1);
    FAIL() << "writing a resource succeeded";
  } catch (const EStreamError& e) {
    EXPECT_NE(e.Message().find("read-only"), std::string::npos);
  }
}

TEST(Stream, CopyFromCopiesACountOrAllOfTheSource) {
  TStringStream source("0123456789");
  TMemoryStream target;
  source.SetPosition(4);
  EXPECT_EQ(target.CopyFrom(source, 3), 3);
  EXPECT_EQ(std::string(target.Memory(), 3), "456");
  EXPECT_EQ(target.CopyFrom(source, 0), 10) << "count 0 copies the whole source";
  EXPECT_EQ(std::string(target.Memory(), 13), "4560123456789");
  source.SetPosition(8);
  EXPECT_THROW(target.CopyFrom(source, 5), EReadError);
}

TEST(Stream, CopyFromMovesLargeDataInPieces) {
  std::string big(300000, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 131 % 251);
  TStringStream source(big);
  TMemoryStream target;
  target.CopyFrom(source, 0);
  target.SetPosition(0);
  EXPECT_EQ(ReadAll(target), big);
}

TEST(StringStream, OverwritesAndExtendsItsString) {
  TStringStream stream("hello");
  stream.Seek(3, soFromBeginning);
  stream.WriteBuffer("p me", 4);
  EXPECT_EQ(stream.DataString(), "help me");
  stream.SetSize(4);
  EXPECT_EQ(stream.DataString(), "help");
  EXPECT_EQ(stream.Position(), 4);
}

TEST(FileStream, CreatesWritesAndReadsBack) {
  TTempDir dir;
  std::string path = dir.File("data.bin");
  {
    TFileStream file(path, fmCreate);
    file.WriteBuffer("abcdef", 6);
    file.SetSize(4);
  }
  {
    TFileStream file(path, fmOpenReadWrite);
    EXPECT_EQ(file.Size(), 4);
    file.Seek(0, soFromEnd);
    file.WriteBuffer("XY", 2);
  }
  TFileStream file(path, fmOpenRead | fmShareDenyWrite);
  EXPECT_EQ(ReadAll(file), "abcdXY");
  EXPECT_THROW(file.WriteBuffer("x", 1), EWriteError) << "opened for reading only";
}

TEST(FileStream, FailuresNameTheFileAndTheReason) {
  TTempDir dir;
  std::string missing = dir.File("missing.bin");
  try {
    TFileStream file(missing, fmOpenRead);
    FAIL() << "opened a missing file";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + missing + ": No such file or directory");
  }
  std::string nowhere = dir.File("no/such/folder.bin");
  try {
    TFileStream file(nowhere, fmCreate);
    FAIL() << "created a file in a missing folder";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + nowhere + ": No such file or directory");
  }
  EXPECT_THROW(TFileStream(dir.Path(), fmOpenRead), EFOpenError) << "a folder is no file";
}

TEST(MemoryStream, SavesToAndLoadsFromFiles) {
  TTempDir dir;
  TMemoryStream stream;
  stream.WriteBuffer("payload\0with zero", 17);
  stream.SaveToFile(dir.File("saved"));
  TMemoryStream loaded;
  loaded.WriteBuffer("old content that is longer", 26);
  loaded.LoadFromFile(dir.File("saved"));
  EXPECT_EQ(loaded.Size(), 17);
  EXPECT_EQ(loaded.Position(), 0);
  EXPECT_EQ(std::string(loaded.Memory(), 17), std::string("payload\0with zero", 17));
}

}  // namespace
