// Free Pascal's Classes unit and the framework share the object model as well as the format: a
// form the peer writes reads into the mirror classes of its components with every value, and a
// form we write reads into the peer's components with every value.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/filer/Reader.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/resources/ComponentRes.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"
#include "tests/core/FreePascalPeerFixture.h"
#include "tests/core/PeerObjectClasses.h"
#include "tests/core/StreamTestSupport.h"

using namespace dravik;

namespace {

template <class T>
TComponentPtr<T> ReadForm(const std::string& bytes) {
  TStringStream in(bytes);
  TComponentPtr<TComponent> root(ReadComponent(in, nullptr));
  EXPECT_NE(dynamic_cast<T*>(root.get()), nullptr) << root->ClassName();
  return TComponentPtr<T>(dynamic_cast<T*>(root.release()));
}

std::string WriteForm(TComponent& root) {
  TStringStream out;
  WriteComponent(out, &root);
  return out.DataString();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The lines of a that b lacks, in a's order, each line counted as often as it occurs.
std::vector<std::string> LinesOnlyIn(const std::string& a, const std::string& b) {
  std::vector<std::string> rest = Lines(b), only;
  for (const std::string& line : Lines(a)) {
    auto found = std::find(rest.begin(), rest.end(), line);
    if (found == rest.end()) {
      only.push_back(line);
    } else {
      rest.erase(found);
    }
  }
  return only;
}

const std::string kLongString = std::string(300, 'x') + " Caf\u00e9 'q'";

// Every value peer_write.pas gives its form.
void ExpectPeerForm(TPeerRoot& root) {
  EXPECT_EQ(root.Name(), "PeerRoot");
  EXPECT_EQ(root.Caption, "Root 'form'");
  ASSERT_EQ(root.ComponentCount(), 2) << "Inner belongs to the panel";
  auto* c = dynamic_cast<TPeerControl*>(root.FindComponent("Control1"));
  auto* panel = dynamic_cast<TPeerPanel*>(root.FindComponent("Panel1"));
  ASSERT_NE(c, nullptr);
  ASSERT_NE(panel, nullptr);

  EXPECT_EQ(c->I8, -5);
  EXPECT_EQ(c->U8, 200);
  EXPECT_EQ(c->I16, -1234);
  EXPECT_EQ(c->U16, 60000);
  EXPECT_EQ(c->I32, -100000);
  EXPECT_EQ(c->U32, 4000000000u);
  EXPECT_EQ(c->I64, -9000000000);
  EXPECT_EQ(c->U64, 18000000000000000000u);
  EXPECT_EQ(c->Single, 1.5f);
  EXPECT_EQ(c->Double, 0.1);
  EXPECT_EQ(c->Extended, static_cast<long double>(1.0 / 3));
  EXPECT_EQ(c->Currency.Scaled, 123456);
  EXPECT_EQ(c->Date.Value, 45000.25);
  EXPECT_EQ(c->SStr, "It's short");
  EXPECT_EQ(c->LStr, kLongString) << "the 8-bit character is Windows-1252";
  EXPECT_EQ(c->WStr, "Gr\u00fc\u00dfe \u20ac");
  EXPECT_EQ(c->UStr, "smile \U0001F600 \u0416") << "a surrogate pair and a BMP character";
  EXPECT_EQ(c->Ch, 'Z');
  EXPECT_TRUE(c->Flag);
  EXPECT_EQ(c->Kind, peGamma);
  EXPECT_EQ(c->Kinds, (TPeerSet{peAlpha, peGamma}));
  EXPECT_EQ(c->GetFont()->Name, "Sans");
  EXPECT_EQ(c->GetFont()->Size, 9);
  EXPECT_EQ(c->GetFont()->Style, TPeerSet{peBeta});

  ASSERT_EQ(c->GetItems()->Count(), 2);
  auto* first = static_cast<TPeerItem*>(c->GetItems()->Items(0));
  auto* second = static_cast<TPeerItem*>(c->GetItems()->Items(1));
  EXPECT_EQ(first->Caption, "first");
  EXPECT_EQ(first->Value, 1);
  ASSERT_EQ(first->GetSubItems()->Count(), 2);
  auto* a = static_cast<TPeerSubItem*>(first->GetSubItems()->Items(0));
  auto* b = static_cast<TPeerSubItem*>(first->GetSubItems()->Items(1));
  EXPECT_EQ(a->Tag, "a");
  EXPECT_EQ(a->Weight, 2.5);
  EXPECT_EQ(b->Tag, "b\nc");
  EXPECT_EQ(b->Weight, -1E-300);
  EXPECT_EQ(second->Caption, "second");
  EXPECT_EQ(second->Value, 70000);
  EXPECT_EQ(second->GetSubItems()->Count(), 0);

  ASSERT_EQ(c->GetLines()->Count(), 4);
  EXPECT_EQ(c->GetLines()->Text(), "line one\r\n\r\ntab\tchar\r\nGr\u00fcn\r\n");
  ASSERT_EQ(c->Data.size(), 41u);
  for (std::size_t i = 0; i < c->Data.size(); ++i)
    EXPECT_EQ(static_cast<unsigned char>(c->Data[i]), (i * 7) & 0xFF) << "byte " << i;
  EXPECT_EQ(c->OnClick.Method(), MakeMethod<&TPeerRoot::ButtonClick>(&root));

  EXPECT_EQ(panel->Caption, "Panel");
  ASSERT_EQ(panel->ComponentCount(), 1);
  auto* inner = dynamic_cast<TPeerControl*>(panel->Components(0));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->Name(), "Inner");
  EXPECT_EQ(c->Buddy, inner) << "a reference into the panel";
  EXPECT_EQ(inner->Buddy, c);
  EXPECT_EQ(inner->U64, 0u);
  EXPECT_EQ(inner->Extended, 0) << "a zero float is not stored";
  EXPECT_EQ(inner->Ch, '\0');
  EXPECT_FALSE(inner->OnClick.Assigned());
  EXPECT_EQ(inner->GetItems()->Count(), 0);
  EXPECT_EQ(inner->GetLines()->Count(), 0);
  EXPECT_TRUE(inner->Data.empty());
}

class PeerObjects : public TFreePascalPeerTest {};

TEST_F(PeerObjects, WeReadItsFormIntoTheMirrorClasses) {
  TComponentPtr<TPeerRoot> root = ReadForm<TPeerRoot>(Peer("all.bin"));
  ExpectPeerForm(*root);
}

TEST_F(PeerObjects, WeReadItsFormFromItsResourceFiles) {
  for (const char* name : {"all.res", "all32.res"}) {
    SCOPED_TRACE(name);
    auto root = MakeComponent<TPeerRoot>(nullptr);
    TStringStream in(Peer(name));
    ASSERT_EQ(ReadComponentRes(in, root.get()), root.get());
    ExpectPeerForm(*root);
  }
  TComponentPtr<TComponent> created(ReadComponentResFile(PeerFile("all.res"), nullptr));
  auto* root = dynamic_cast<TPeerRoot*>(created.get());
  ASSERT_NE(root, nullptr);
  ExpectPeerForm(*root);
}

TEST_F(PeerObjects, WeReadItsVariantsAndExtraStreamProperties) {
  TComponentPtr<TPeerExtras> extras = ReadForm<TPeerExtras>(Peer("extras.bin"));
  EXPECT_EQ(extras->V1.VarType(), varNull);
  EXPECT_EQ(extras->V2, Variant(true));
  // The peer writes a single variant as an extended number.
  EXPECT_EQ(extras->V3.VarType(), varDouble);
  EXPECT_EQ(extras->V3.AsFloat(), 0.1f);
  EXPECT_EQ(extras->V4.VarType(), varDate);
  EXPECT_EQ(extras->V4.AsFloat(), 45000.75);
  EXPECT_EQ(extras->V5, Variant(-2.5E-10));
  EXPECT_EQ(extras->V6, Variant::OleStr("wide \u20ac"));
  EXPECT_EQ(extras->V7, Variant::OleStr("Zhe \u0416"));
  EXPECT_EQ(extras->V8, Variant(-5000000000.0)) << "variants have no Int64";
  EXPECT_EQ(extras->Single, -2.75f);
  EXPECT_EQ(extras->Currency.Scaled, INT64_MAX) << "the largest currency, to the last digit";
  EXPECT_EQ(extras->Date, -1.5);
  EXPECT_EQ(extras->Big, 7);
  EXPECT_EQ(extras->Utf8, "Gr\u00fc\u00dfe");
}

// The peer reads the form we write into its components and writes them again: its text of that
// stream is its text of its own form, but for the one value our UTF-8 strings change.
TEST_F(PeerObjects, ItReadsOurFormIntoItsClassesWithEveryValue) {
  TComponentPtr<TPeerRoot> form = MakePeerForm();
  std::string theirs = PeerRead("bin2txt", PeerRead("reread-typed", WriteForm(*form)));
  std::string own = Peer("all.txt");
  std::string utf8Line = "    LStr = '" + std::string(300, 'x') + " Caf'#195#169' ''q'''";
  std::string latinLine = "    LStr = '" + std::string(300, 'x') + " Caf'#233' ''q'''";
  EXPECT_EQ(LinesOnlyIn(theirs, own), std::vector<std::string>{utf8Line}) << theirs;
  EXPECT_EQ(LinesOnlyIn(own, theirs), std::vector<std::string>{latinLine});
}

// Our stream keeps the type of each float property, where the peer writes all of them as
// extended numbers; and the peer stores a zero currency that has no default, where we store no
// zero float. Everything else is the same value in the same form (a long string wraps in pieces
// of 64 characters, of which only the last differs).
TEST_F(PeerObjects, OurFormDiffersFromItsOnlyInFloatTypesAndEightBitText) {
  TComponentPtr<TPeerRoot> form = MakePeerForm();
  std::string ours = ToText(WriteForm(*form)), theirs = ToText(Peer("all.bin"));
  std::string x44(44, 'x');
  EXPECT_EQ(LinesOnlyIn(ours, theirs),
            (std::vector<std::string>{"    FSingleP = 1.5s", "    FCurrencyP = 12.3456c",
                                      "    FDateP = 45000.25d",
                                      "      '" + x44 + " Caf\u00e9 '#39'q'#39"}))
      << ours;
  EXPECT_EQ(LinesOnlyIn(theirs, ours),
            (std::vector<std::string>{
                "    FSingleP = 1.5", "    FCurrencyP = 12.3456", "    FDateP = 45000.25",
                "      '" + x44 + " Caf'#233' '#39'q'#39", "      FCurrencyP = 0.0"}));
}

TEST_F(PeerObjects, OurFormReadsBackAsWeWroteIt) {
  TComponentPtr<TPeerRoot> form = MakePeerForm();
  TComponentPtr<TPeerRoot> copy = ReadForm<TPeerRoot>(WriteForm(*form));
  ExpectPeerForm(*copy);
  EXPECT_EQ(WriteForm(*copy), WriteForm(*form));
}

// Variants and extra stream properties come back from the peer as it wrote them itself, but for
// the Int64 variant, which our variants hold as a double.
TEST_F(PeerObjects, ItReadsOurVariantsAndExtraStreamProperties) {
  TComponentPtr<TPeerExtras> extras = MakePeerExtras();
  std::string theirs = PeerRead("reread", WriteForm(*extras));
  EXPECT_EQ(LinesOnlyIn(ToText(theirs), ToText(Peer("extras.bin"))),
            std::vector<std::string>{"  V8 = -5E9"});
  TComponentPtr<TPeerExtras> back = ReadForm<TPeerExtras>(theirs);
  EXPECT_EQ(back->Currency.Scaled, INT64_MAX);
  EXPECT_EQ(back->V8, Variant(-5000000000.0));
}

// A QWord property takes its whole range: from the peer's Int64 of the same bits, and from the
// QWord marker that the text form makes of numbers above Int64's range.
TEST(PeerQWord, QWordPropertiesTakeEveryValueOfTheirRange) {
  std::string text =
      "object Control: TPeerControl\n"
      "  U64 = 18446744073709551615\n"
      "  U32 = 4294967295\n"
      "end\n";
  TComponentPtr<TPeerControl> control = ReadForm<TPeerControl>(ToBinary(text));
  EXPECT_EQ(control->U64, UINT64_MAX);
  EXPECT_EQ(control->U32, UINT32_MAX);
  EXPECT_NE(ToText(WriteForm(*control)).find("  U64 = -1\n"), std::string::npos)
      << "written as the peer writes it: the same bits as an Int64";

  std::string signedTooBig = "object Control: TPeerControl\n  I64 = 9223372036854775808\nend\n";
  EXPECT_THROW(ReadForm<TPeerControl>(ToBinary(signedTooBig)), EReadError);
}

}  // namespace
