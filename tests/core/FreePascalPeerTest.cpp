// Free Pascal's Classes unit is the peer of the stream format: these tests convert its streams
// with ours and let it read what we write. The peer programs are built from tests/peer.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/resources/ResourceFile.h"
#include "platform/core/streams/StringStream.h"
#include "tests/core/FreePascalPeerFixture.h"
#include "tests/core/StreamTestSupport.h"

using namespace dravik;

namespace {

// The streams the peer writes, made once for all tests.
class FreePascalPeer : public TFreePascalPeerTest {};

const char* const kStreams[] = {"all.bin", "extras.bin", "inherited.bin"};

TEST_F(FreePascalPeer, OurTextOfItsStreamsReadsBackToTheSameText) {
  for (const char* name : kStreams) {
    std::string text = ToText(Peer(name));
    EXPECT_EQ(ToText(ToBinary(text)), text) << name;
  }
}

// Through the peer's own reader and writer the stream we make from our text is the same form:
// it writes back exactly the stream it wrote first.
TEST_F(FreePascalPeer, ItReadsOurBinaryOfOurTextAsItsOwnForm) {
  for (const char* name : {"all.bin", "extras.bin"}) {
    std::string ours = ToBinary(ToText(Peer(name)));
    EXPECT_EQ(PeerRead("reread", ours), Peer(name)) << name;
  }
}

TEST_F(FreePascalPeer, OurBinaryDiffersFromItsOnlyInTheMarkersTheTextCannotKeep) {
  // The peer writes every wide string as vaUString; the text form reads them back as vaWString.
  std::string theirs = Peer("all.bin"), ours = ToBinary(ToText(theirs));
  ASSERT_EQ(ours.size(), theirs.size());
  int differences = 0;
  for (std::size_t i = 0; i < ours.size(); ++i) {
    if (ours[i] == theirs[i]) continue;
    ++differences;
    EXPECT_EQ(theirs[i], '\x15') << "at byte " << i;
    EXPECT_EQ(ours[i], '\x12') << "at byte " << i;
  }
  EXPECT_EQ(differences, 2) << "the two wide string properties";
  std::string inherited = Peer("inherited.bin");
  EXPECT_EQ(ToBinary(ToText(inherited)), inherited) << "flags and child positions are kept";
}

TEST_F(FreePascalPeer, ItsTextParsesToWhatOurTextParsesTo) {
  for (const char* name : {"all", "inherited"}) {
    std::string theirText = Peer(std::string(name) + ".txt");
    std::string ourText = ToText(Peer(std::string(name) + ".bin"));
    EXPECT_EQ(ToBinary(theirText), ToBinary(ourText)) << name;
  }
}

TEST_F(FreePascalPeer, ItPrintsOurBinaryAsItPrintsItsOwn) {
  for (const char* name : {"all", "inherited"}) {
    std::string ours = ToBinary(ToText(Peer(std::string(name) + ".bin")));
    EXPECT_EQ(PeerRead("bin2txt", ours), Peer(std::string(name) + ".txt")) << name;
  }
}

TEST_F(FreePascalPeer, ItReadsOurTextForm) {
  // Its parser reads our spellings (suffixed floats included) and makes the same form of them.
  for (const char* name : {"all.bin", "inherited.bin"}) {
    std::string binary = PeerRead("txt2bin", ToText(Peer(name)));
    EXPECT_EQ(PeerRead("bin2txt", binary), PeerRead("bin2txt", Peer(name))) << name;
  }
  // The kind suffixes are its own syntax too; it reads such floats as plain (vaExtended) ones.
  std::string extras = ToText(PeerRead("txt2bin", ToText(Peer("extras.bin"))));
  for (const char* line : {"  Single = -2.75\n", "  Date = -1.5\n", "  V4 = 45000.75\n"})
    EXPECT_NE(extras.find(line), std::string::npos) << line << " in\n" << extras;
}

TEST_F(FreePascalPeer, WeReadItsResourceFilesInBothLayouts) {
  TResourceFile res16;
  TStringStream in16(Peer("all.res"));
  res16.LoadFromStream(in16);
  EXPECT_EQ(res16.Layout, TResourceLayout::Res16);
  ASSERT_EQ(res16.Entries.size(), 1u);
  EXPECT_EQ(res16.Entries[0].Name.Name(), "PeerRoot") << "written under the name given";
  EXPECT_EQ(res16.Entries[0].Data, Peer("all.bin"));

  TResourceFile res32;
  TStringStream in32(Peer("all32.res"));
  res32.LoadFromStream(in32);
  EXPECT_EQ(res32.Layout, TResourceLayout::Res32);
  ASSERT_NE(res32.Find("peerroot"), nullptr);
  EXPECT_EQ(res32.Find("peerroot")->Data, Peer("all.bin"));
}

TEST_F(FreePascalPeer, ItReadsOurResourceFilesInBothLayouts) {
  TResourceFile file;
  TResourceEntry entry;
  entry.Name = TResourceId("PEERROOT");
  entry.Data = ToBinary(ToText(Peer("all.bin")));
  file.Entries.push_back(entry);
  TStringStream res16;
  file.SaveToStream(res16);
  EXPECT_EQ(PeerRead("res16", res16.DataString()), Peer("all.bin"));

  file.Layout = TResourceLayout::Res32;
  TStringStream res32;
  file.SaveToStream(res32);
  EXPECT_EQ(PeerRead("res32", res32.DataString(), "PEERROOT"), entry.Data);
}

}  // namespace
