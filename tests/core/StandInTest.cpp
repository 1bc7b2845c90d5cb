// Stand-ins: forms of classes the program does not have read into components whose stored values
// are kept as read, offered through their class records, and written back byte for byte; known
// classes keep what they cannot place.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/core/classes/Collection.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/filer/KeptStreamData.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/StandIn.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"
#include "tests/core/StreamingClasses.h"

using namespace dravik;

namespace {

std::string ToBinary(const std::string& text) {
  TStringStream in(text), out;
  ObjectTextToBinary(in, out);
  return out.DataString();
}

std::string ToText(const std::string& binary) {
  TStringStream in(binary), out;
  ObjectBinaryToText(in, out);
  return out.DataString();
}

struct TRead {
  std::shared_ptr<TStandInClasses> Classes = std::make_shared<TStandInClasses>();
  TComponentPtr<TComponent> Root;
};

TRead Read(const std::string& binary) {
  TRead read;
  TStringStream stream(binary);
  TReader reader(stream);
  reader.SetStandIns(read.Classes);
  read.Root.reset(reader.ReadRootComponent(nullptr));
  return read;
}

std::string Write(TComponent* root) {
  TStringStream out;
  WriteComponent(out, root);
  return out.DataString();
}

const TPropInfo& Prop(const TObject& object, const char* name) {
  const TPropInfo* prop = object.ClassType().FindProp(name);
  if (!prop) throw Exception(std::string("no property ") + name);
  return *prop;
}

const std::string kForm =
    "object OrderForm: TOrderForm\n"
    "  Caption = 'Orders'\n"
    "  OnCreate = FormCreate\n"
    "  object Title: TLabel\n"
    "    Alignment = taCenter\n"
    "    Caption = 'Open orders'\n"
    "    Font.Height = -14\n"
    "    Font.Name = 'Sans'\n"
    "    Font.Style = [fsBold]\n"
    "    Ratio = 0.75\n"
    "    Level = 2.5s\n"
    "    Visible = False\n"
    "  end\n"
    "  object States: TListBox\n"
    "    Items.Strings = (\n"
    "      'new'\n"
    "      'paid')\n"
    "    FocusControl = Title\n"
    "  end\n"
    "  object Grid: TDBGrid\n"
    "    Columns = <\n"
    "      item\n"
    "        Title.Caption = 'Number'\n"
    "        Width = 80\n"
    "      end\n"
    "      item [4]\n"
    "        Title.Caption = 'Customer'\n"
    "      end>\n"
    "    Picture = {0001FF}\n"
    "    Points = (\n"
    "      1\n"
    "      2)\n"
    "  end\n"
    "  inherited Panel1: TPanel [2]\n"
    "    Caption = #39'Wide'#39#8364\n"
    "    inline Frame1: TFrame1\n"
    "      object OK: TButton\n"
    "        Caption = 'OK'\n"
    "      end\n"
    "    end\n"
    "  end\n"
    "end\n";

}  // namespace

TEST(StandIn, AFormOfUnknownClassesIsWrittenBackByteForByte) {
  const std::string binary = ToBinary(kForm);
  TRead read = Read(binary);
  EXPECT_EQ(read.Root->ClassName(), "TOrderForm");
  EXPECT_TRUE(read.Root->InheritsFrom(*read.Classes->FindComponentClass("TOrderForm")));
  EXPECT_EQ(read.Root->ClassType().Parent()->Name(), "TCustomForm");
  ASSERT_NE(read.Root->FindComponent("Panel1"), nullptr);
  // The inline frame owns what is read inside it.
  TComponent* frame = read.Root->FindComponent("Frame1");
  ASSERT_NE(frame, nullptr);
  EXPECT_NE(frame->FindComponent("OK"), nullptr);
  EXPECT_EQ(read.Root->FindComponent("OK"), nullptr);
  EXPECT_EQ(Write(read.Root.get()), binary);
  EXPECT_EQ(ToText(binary), kForm);
}

TEST(StandIn, StoredValuesHaveTheKindsTheyImply) {
  TRead read = Read(ToBinary(kForm));
  TComponent* title = read.Root->FindComponent("Title");
  EXPECT_EQ(Prop(*title, "Caption").Kind(), tkLString);
  EXPECT_EQ(GetStrProp(*title, Prop(*title, "Caption")), "Open orders");
  EXPECT_EQ(Prop(*title, "Alignment").Kind(), tkEnumeration);
  EXPECT_EQ(GetEnumName(*Prop(*title, "Alignment").PropType,
                        GetOrdProp(*title, Prop(*title, "Alignment"))),
            "taCenter");
  EXPECT_EQ(Prop(*title, "Visible").PropType, &TypeInfo<bool>());
  EXPECT_EQ(GetOrdProp(*title, Prop(*title, "Visible")), 0);
  EXPECT_EQ(GetFloatProp(*title, Prop(*title, "Ratio")), 0.75L);
  EXPECT_EQ(Prop(*title, "Level").PropType, &TypeInfo<float>());
  // A nested object is a view on its owner's dotted values.
  const TPropInfo& font = Prop(*title, "Font");
  ASSERT_EQ(font.Kind(), tkClass);
  TObject* fontObject = GetObjectProp(*title, font);
  ASSERT_NE(fontObject, nullptr);
  EXPECT_EQ(GetOrdProp(*fontObject, Prop(*fontObject, "Height")), -14);
  EXPECT_EQ(GetStrProp(*fontObject, Prop(*fontObject, "Name")), "Sans");
  EXPECT_EQ(Prop(*fontObject, "Style").Kind(), tkSet);
  EXPECT_EQ(GetOrdProp(*fontObject, Prop(*fontObject, "Style")), 1);
  // A string list, a collection of items, references, events, binary data.
  TComponent* states = read.Root->FindComponent("States");
  auto* items = dynamic_cast<TStrings*>(GetObjectProp(*states, Prop(*states, "Items")));
  ASSERT_NE(items, nullptr);
  EXPECT_EQ(items->Count(), 2);
  EXPECT_EQ(items->Strings(1), "paid");
  EXPECT_EQ(Prop(*states, "FocusControl").Kind(), tkClass);
  EXPECT_EQ(GetObjectProp(*states, Prop(*states, "FocusControl")), title);
  EXPECT_EQ(Prop(*read.Root, "OnCreate").Kind(), tkMethod);
  EXPECT_EQ(GetStrProp(*read.Root, Prop(*read.Root, "OnCreate")), "FormCreate");
  TComponent* grid = read.Root->FindComponent("Grid");
  auto* columns = dynamic_cast<TCollection*>(GetObjectProp(*grid, Prop(*grid, "Columns")));
  ASSERT_NE(columns, nullptr);
  ASSERT_EQ(columns->Count(), 2);
  TCollectionItem* second = columns->Items(1);
  TObject* secondTitle = GetObjectProp(*second, Prop(*second, "Title"));
  EXPECT_EQ(GetStrProp(*secondTitle, Prop(*secondTitle, "Caption")), "Customer");
  EXPECT_EQ(GetStrProp(*grid, Prop(*grid, "Picture")), std::string("\x00\x01\xFF", 3));
  TComponent* panel = read.Root->FindComponent("Panel1");
  EXPECT_EQ(GetStrProp(*panel, Prop(*panel, "Caption")), "'Wide'\u20ac");
}

TEST(StandIn, ReadingTheSameClassTwiceExtendsOneRecord) {
  TRead read =
      Read(ToBinary("object F: TF\n"
                    "  object A: TKnob\n    Size = 1\n  end\n"
                    "  object B: TKnob\n    Color = clRed\n  end\n"
                    "end\n"));
  TComponent* a = read.Root->FindComponent("A");
  TComponent* b = read.Root->FindComponent("B");
  EXPECT_EQ(&a->ClassType(), &b->ClassType());
  EXPECT_NE(a->ClassType().FindProp("Color"), nullptr);
  EXPECT_NE(b->ClassType().FindProp("Size"), nullptr);
  EXPECT_EQ(GetOrdProp(*b, Prop(*b, "Size")), 0) << "a value the stream does not hold";
}

TEST(StandIn, ChangedValuesAreEncodedAgainWithTheirMarker) {
  TRead read = Read(ToBinary(kForm));
  TComponent* title = read.Root->FindComponent("Title");
  SetStrProp(*title, Prop(*title, "Caption"), "Offene Aufträge");
  SetOrdProp(*title, Prop(*title, "Alignment"),
             read.Classes->EnumIndex(*read.Classes->Find(&Prop(*title, "Alignment"))->Type,
                                     "taRightJustify"));
  SetOrdProp(*title, Prop(*title, "Visible"), 1);
  SetFloatProp(*title, Prop(*title, "Level"), 0.5L);
  TObject* font = GetObjectProp(*title, Prop(*title, "Font"));
  SetOrdProp(*font, Prop(*font, "Height"), 300);  // vaInt8 no longer holds it
  TComponent* panel = read.Root->FindComponent("Panel1");
  SetStrProp(*panel, Prop(*panel, "Caption"), "Zürich €");
  TComponent* states = read.Root->FindComponent("States");
  static_cast<TStrings*>(GetObjectProp(*states, Prop(*states, "Items")))->Put(0, "neu");
  SetOrdProp(*states, Prop(*states, "FocusControl"),
             reinterpret_cast<intptr_t>(static_cast<TObject*>(panel)));
  const std::string text = ToText(Write(read.Root.get()));
  EXPECT_NE(text.find("    Alignment = taRightJustify\n    Caption = 'Offene Aufträge'\n"
                      "    Font.Height = 300\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("    Level = 0.5s\n    Visible = True\n"), std::string::npos) << text;
  EXPECT_NE(text.find("      'neu'\n      'paid')\n    FocusControl = Panel1\n"), std::string::npos)
      << text;
  // The panel's caption was a wide string and stays one.
  EXPECT_NE(Write(read.Root.get()).find(std::string("\x12\x08\x00\x00\x00Z\x00\xFC\x00", 9)),
            std::string::npos);
}

TEST(StandIn, ValuesAddedThroughPropertiesGoWhereTheClassPutsThemAndCanGoAgain) {
  const std::string binary = ToBinary(
      "object F: TF\n"
      "  object A: TKnob\n    Size = 1\n    Hint = 'a'\n    Color = clRed\n  end\n"
      "  object B: TKnob\n    Size = 2\n    Color = clBlue\n  end\n"
      "end\n");
  TRead read = Read(binary);
  TComponent* b = read.Root->FindComponent("B");
  SetStrProp(*b, Prop(*b, "Hint"), "b");
  EXPECT_NE(ToText(Write(read.Root.get())).find("Size = 2\n    Hint = 'b'\n    Color = clBlue"),
            std::string::npos);
  SetStrProp(*b, Prop(*b, "Hint"), "");
  EXPECT_EQ(Write(read.Root.get()), binary);
  // An integer absent from the stream reads 0; set and set back to 0, it is absent again.
  TComponent* a = read.Root->FindComponent("A");
  TStandInProp* described = read.Classes->DescribeProperty(
      dynamic_cast<TStandInHolder&>(*a).StandInClass(), "Width", tkInteger);
  ASSERT_NE(described, nullptr);
  const TPropInfo* width = described->Prop;
  SetOrdProp(*a, *width, 5);
  SetOrdProp(*a, *width, 0);
  EXPECT_EQ(Write(read.Root.get()), binary);
}

TEST(StandIn, AKnownClassKeepsWhatItDoesNotPublishInItsPlace) {
  // TTestWidget publishes Caption, Font, Buddy, OnClick... but not Width, Depth or Font.Quality; a
  // reference to a component the form does not have and a handler the root lacks are kept too.
  const std::string text =
      "object F: TTestRoot\n"
      "  object W: TTestWidget\n"
      "    Width = 8\n"
      "    Caption = 'x'\n"
      "    Depth = 16\n"
      "    Tiny = 0\n"
      "    Small = 0\n"
      "    Unsigned = 0\n"
      "    Font.Name = 'Sans'\n"
      "    Font.Quality = fqDraft\n"
      "    Columns = <>\n"
      "    Buddy = Nowhere\n"
      "    OnClick = NoSuchHandler\n"
      "  end\n"
      "  object K: TKnob\n"
      "    Size = 1\n"
      "  end\n"
      "end\n";
  const std::string binary = ToBinary(text);
  auto root = MakeComponent<TTestRoot>(nullptr);
  TStringStream stream(binary);
  TReader reader(stream);
  reader.SetStandIns(std::make_shared<TStandInClasses>());
  reader.ReadRootComponent(root.get());
  auto* widget = dynamic_cast<TTestWidget*>(root->FindComponent("W"));
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->Caption, "x");
  ASSERT_NE(widget->KeptStreamData(), nullptr);
  EXPECT_EQ(widget->KeptStreamData()->Properties.size(), 5u);
  EXPECT_EQ(root->FindComponent("K")->ClassName(), "TKnob");
  EXPECT_EQ(Write(root.get()), binary);
  // Without stand-ins the same stream is refused, as before.
  auto plain = MakeComponent<TTestRoot>(nullptr);
  EXPECT_THROW(ReadComponent(*std::make_unique<TStringStream>(binary), plain.get()), EReadError);
}

TEST(StandIn, AStandInNeverHidesAMalformedStream) {
  const std::string binary = ToBinary(kForm);
  for (std::size_t cut : {std::size_t(5), binary.size() / 2, binary.size() - 1}) {
    EXPECT_THROW(Read(binary.substr(0, cut)), EReadError) << cut;
  }
  std::string badMarker = binary;
  badMarker[badMarker.find("Orders") - 2] = 0x7F;  // the marker of the root's caption
  EXPECT_THROW(Read(badMarker), EReadError);
  std::string deep =
      "TPF0\x02TF\x01"
      "F";
  for (int i = 0; i < 300; ++i) deep += std::string("\x01P\x0E\x01", 4);
  EXPECT_THROW(Read(deep), EReadError);
}
