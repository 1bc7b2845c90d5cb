#include <gtest/gtest.h>

#include <memory>

#include "model/ComponentExplorerTools.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"
#include "tests/model/EntryHolder.h"
#include "tests/model/FormFixture.h"

using namespace dravik;

namespace {

TComponentEntry* AddComponent(TComponentEntries& entries, TComponent* component) {
  auto* entry = static_cast<TComponentEntry*>(TMainEntry::CreateEx(
      &entries, component, component->Name(), component->ClassName(), {stPubPropObject}));
  return entry;
}

TMainEntry* AddChild(TMainEntry* parent, const std::string& name, TMainEntrySubType subType) {
  return TMainEntry::CreateEx(parent->Items(), nullptr, name, "", subType);
}

// Button1 with Caption, Hint, Font.Name, Items[1].Caption and the lines 0 and 2 of Lines.
TComponentEntry* DescribeButton(TComponentEntries& entries, TComponent* button) {
  TComponentEntry* entry = AddComponent(entries, button);
  TPropertyEntry::CreateEx(entry, "Caption", tkLString, "");
  TPropertyEntry::CreateEx(entry, "Hint", tkLString, "");
  TPropertyEntry::CreateEx(AddChild(entry, "Font", {stPubPropObject}), "Name", tkLString, "");
  TPropertyEntry::CreateEx(AddChild(entry, "Items[1]", {stPubPropObject, stCollectionObject}),
                           "Caption", tkLString, "");
  TMainEntry* lines = AddChild(entry, "Lines", {stTStringsObject});
  TPropertyEntry::CreateEx(lines, "Strings[0]", tkString, "");
  TPropertyEntry::CreateEx(lines, "Strings[2]", tkString, "");
  return entry;
}

std::vector<std::string> Lines(TMainEntries& entries, bool namesOnly) {
  TStringList list;
  entries.MoveSubItemsToStrings(namesOnly, list);
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Strings(i));
  return lines;
}

}  // namespace

TEST(EntryTree, InitBindsEveryKindOfEntryToTheLiveObjects) {
  auto form = MakeTestForm();
  auto* button = static_cast<TTestControl*>(form->FindComponent("Button1"));
  TComponentEntries entries(nullptr, nullptr);
  TComponentEntry* entry = DescribeButton(entries, button);
  entries.Init();
  EXPECT_EQ(entry->Props()->Items(0)->GetValue(), Variant("OK"));
  EXPECT_EQ(entry->Props()->Items(0)->TypeName, "TCaption");
  EXPECT_EQ(entry->Items()->Items(0)->Object(), button->GetFont());
  EXPECT_EQ(entry->Items()->Items(0)->Props()->Items(0)->GetValue(), Variant("MS Sans Serif"));
  EXPECT_EQ(entry->Items()->Items(1)->Props()->Items(0)->GetValue(), Variant("Second"));
  TMainEntry* lines = entry->Items()->Items(2);
  EXPECT_EQ(lines->Object(), button->GetLines());
  EXPECT_EQ(lines->Props()->Items(1)->TypeName, "String");
  EXPECT_EQ(lines->Props()->Items(1)->GetValue(), Variant("three"));
  lines->Props()->Items(1)->SetValue(Variant("drei"));
  EXPECT_EQ(button->GetLines()->Strings(2), "drei");
  entry->Props()->Items(1)->SetValue(Variant("Schliesst"));
  EXPECT_EQ(button->Hint, "Schliesst");
  EXPECT_EQ(Lines(entries, true),
            (std::vector<std::string>{"Caption", "Hint", "Font.Name", "Items[1].Caption",
                                      "Lines.Strings[0]", "Lines.Strings[2]"}));
  EXPECT_EQ(Lines(entries, false)[2], "Font.Name: TFontName");
}

TEST(EntryTree, ValidationDropsWhatTheFormNoLongerHas) {
  auto form = MakeTestForm();
  auto* button = static_cast<TTestControl*>(form->FindComponent("Button1"));
  auto* label = form->FindComponent("Label1");
  TComponentEntries entries(nullptr, nullptr);
  TComponentEntry* entry = DescribeButton(entries, button);
  TPropertyEntry::CreateEx(entry, "Removed", tkLString, "");
  TPropertyEntry::CreateEx(entry, "Hint", tkInteger, "");  // the kind no longer matches
  TPropertyEntry::CreateEx(AddChild(entry, "Items[2]", {stPubPropObject, stCollectionObject}),
                           "Caption", tkLString, "");  // only two items
  TMainEntry* lines = entry->Items()->Items(2);
  TPropertyEntry::CreateEx(lines, "Strings[7]", tkString, "");  // only three lines
  TComponentEntry* gone = AddComponent(entries, label);
  TPropertyEntry::CreateEx(gone, "NoSuchProperty", tkLString, "");

  entries.RefreshProps();
  EXPECT_EQ(lines->Props()->Items(2)->Name, "Strings/7/");
  entries.ValidateAndPack();
  ASSERT_EQ(entries.Count(), 1);  // the label's entry had nothing left
  EXPECT_EQ(entry->Props()->Count(), 2);
  EXPECT_EQ(entry->Items()->Count(), 3);
  EXPECT_EQ(lines->Props()->Count(), 2);
  EXPECT_EQ(entry->Items()->IndexOfName("Items[2]"), -1);
}

TEST(EntryTree, EveryRefreshChecksTheBindingsItKeeps) {
  auto form = MakeTestForm();
  auto* button = static_cast<TTestControl*>(form->FindComponent("Button1"));
  auto* label = static_cast<TTestControl*>(form->FindComponent("Label1"));
  TComponentEntries entries(nullptr, nullptr);
  TComponentEntry* entry = AddComponent(entries, button);
  TPropertyEntry* caption = TPropertyEntry::CreateEx(entry, "Caption", tkLString, "");
  TPropertyEntry* hint = TPropertyEntry::CreateEx(entry, "Hint", tkLString, "");
  // Made from another class's property: its binding is not one of this object's properties.
  TPropertyEntry* foreign =
      TPropertyEntry::CreateByRef(entry, TFont::StaticClass().FindProp("Name"));
  TPropertyEntry* twice =
      TPropertyEntry::CreateByRef(entry, TTestControl::StaticClass().FindProp("Caption"));
  entries.RefreshProps();
  EXPECT_EQ(caption->PropInfo, TTestControl::StaticClass().FindProp("Caption"));
  EXPECT_EQ(foreign->PropInfo, TTestControl::StaticClass().FindProp("Name"));
  EXPECT_EQ(twice->PropInfo, nullptr) << "the first entry of a property takes it";

  hint->Name = "Caption";  // renamed in place: it now names a property bound before it
  caption->Name = "hint";
  entries.RefreshProps();
  EXPECT_EQ(caption->PropInfo, TTestControl::StaticClass().FindProp("Hint"));
  EXPECT_EQ(hint->PropInfo, TTestControl::StaticClass().FindProp("Caption"));
  caption->Kind = tkInteger;
  entries.RefreshProps();
  EXPECT_EQ(caption->PropInfo, nullptr) << "the kind no longer matches";

  entry->SetRef(label);  // another object of the same class: the same properties, its values
  entries.RefreshProps();
  EXPECT_EQ(hint->GetValue(), Variant("Name:"));
  entry->SetSubType({stNoValidate});
  entries.RefreshProps();
  EXPECT_EQ(hint->PropInfo, nullptr) << "not a published-property object any more";
}

TEST(EntryTree, EntriesFollowRenamingAndVanishWithTheirComponent) {
  auto form = MakeTestForm();
  auto* button = form->FindComponent("Button1");
  TComponentEntries entries(nullptr, nullptr);
  DescribeButton(entries, button);
  TPropertyEntry::CreateEx(AddComponent(entries, form.get()), "Tag", tkInteger, "");
  DescribeButton(entries, button);  // named twice, as a stored tree may name it
  button->SetName("OkButton");
  entries.Init();
  EXPECT_EQ(entries.Items(0)->Name, "OkButton");
  EXPECT_EQ(entries.Items(0)->TypeName, "TTestControl");
  button->Free();
  ASSERT_EQ(entries.Count(), 1);
  EXPECT_EQ(entries.Items(0)->Ref(), form.get());
  entries.Init();  // binds what is left, and nothing that is gone
}

TEST(EntryTree, ItemIndexesAndDescriptors) {
  TComponentEntries entries(nullptr, nullptr);
  TMainEntry* entry = TMainEntry::CreateEx(&entries, nullptr, "[5]", "", {});
  int index;
  EXPECT_TRUE(entry->GetItemIndex(index));
  EXPECT_EQ(index, 5);
  EXPECT_EQ(entry->DisplayName(), "[5]:");
  for (const char* name : {"Items[]", "Items[x]", "[]", "Items", "Items[3]x"}) {
    entry->Name = name;
    EXPECT_FALSE(entry->GetItemIndex(index)) << name;
    EXPECT_EQ(index, -1);
  }
  TPropertyEntry* line = TPropertyEntry::CreateEx(entry, "Strings", tkString, "String");
  line->Index = 3;
  EXPECT_EQ(line->GetDescriptor("Lines."), "Lines.Strings[3]: String");
}

TEST(EntryTree, CopiesBuildThePathInAnEmptyTree) {
  auto form = MakeTestForm();
  auto* button = form->FindComponent("Button1");
  TComponentEntries source(nullptr, nullptr), target(nullptr, nullptr);
  TComponentEntry* entry = DescribeButton(source, button);
  source.Init();
  TPropertyEntry* fontName = entry->Items()->Items(0)->Props()->Items(0);

  auto* copy = static_cast<TPropertyEntry*>(fontName->CopyItem(&target));
  ASSERT_NE(copy, nullptr);
  ASSERT_EQ(target.Count(), 1);
  EXPECT_EQ(target.Items(0)->Ref(), button);
  EXPECT_EQ(target.Items(0)->Props()->Count(), 0);  // the path carries no other properties
  ASSERT_EQ(target.Items(0)->Items()->Count(), 1);
  TMainEntry* font = target.Items(0)->Items()->Items(0);
  EXPECT_EQ(font->Name, "Font");
  EXPECT_EQ(font->Object(), static_cast<TTestControl*>(button)->GetFont());
  EXPECT_EQ(copy->ParentEntry(), font);
  EXPECT_EQ(copy->GetValue(), Variant("MS Sans Serif"));

  // A second copy along the same path reuses it; a shallow copy of a main entry has no content.
  entry->Props()->Items(0)->CopyItem(&target);
  EXPECT_EQ(target.Count(), 1);
  EXPECT_EQ(target.Items(0)->Props()->Count(), 1);
  TComponentEntries shallow(nullptr, nullptr), deep(nullptr, nullptr);
  entry->CopyItem(&shallow, false);
  entry->CopyItem(&deep, true);
  EXPECT_EQ(shallow.Items(0)->Props()->Count(), 0);
  EXPECT_EQ(Lines(deep, true), Lines(source, true));
  // Moving takes the entry out of its tree.
  entry->Items()->Items(1)->MoveItem(&shallow, true);
  EXPECT_EQ(source.Items(0)->Items()->Count(), 2);
  EXPECT_EQ(Lines(shallow, true), (std::vector<std::string>{"Items[1].Caption"}));
}

TEST(EntryTree, WalksStopsAndRemovesWhatAnotherTreeHolds) {
  auto form = MakeTestForm();
  auto* button = form->FindComponent("Button1");
  TComponentEntries entries(nullptr, nullptr), other(nullptr, nullptr);
  DescribeButton(entries, button);
  entries.Init();
  std::vector<std::string> visited;
  entries.ForEachPropertyEntry([&](TMainEntry* main, TPropertyEntry* prop, bool&) {
    visited.push_back(main->Name + "/" + prop->Name);
  });
  EXPECT_EQ(visited,
            (std::vector<std::string>{"Button1/Hint", "Button1/Caption", "Lines/Strings[2]",
                                      "Lines/Strings[0]", "Items[1]/Caption", "Font/Name"}));
  int calls = 0;
  EXPECT_FALSE(entries.ForEachPropertyEntry(
      [&](TMainEntry*, TPropertyEntry*, bool& stop) { stop = ++calls == 3; }));
  EXPECT_EQ(calls, 3);

  other.Assign(&entries);
  other.Items(0)->Items()->Items(0)->Props()->Items(0)->Name = "Other";
  entries.RemoveEqualPropertyEntries(other);
  EXPECT_EQ(Lines(entries, true), (std::vector<std::string>{"Font.Name"}));
}

TEST(EntryTree, ComponentEntriesOnlyReferToComponents) {
  TComponentEntries entries(nullptr, nullptr);
  TMainEntries plain(nullptr, nullptr);
  TFont font;
  TMainEntry* entry = TMainEntry::CreateEx(&plain, &font, "Font", "TFont", {stPubPropObject});
  try {
    entries.Add()->Assign(entry);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TComponentEntry.Assign failed. Type of Ref is not TComponent");
  }
}

TEST(EntryTree, TheTreeTravelsInTheFormStream) {
  auto form = MakeTestForm();
  auto* holder = Create<TEntryHolder>(form.get());
  holder->SetName("Holder");
  DescribeButton(*holder->Entries(), form->FindComponent("Button1"));
  AddComponent(*holder->Entries(), form.get())->Props();
  TPropertyEntry::CreateEx(holder->Entries()->Items(1), "Tag", tkInteger, "");
  holder->Entries()->Init();

  TStringStream binary;
  WriteComponent(binary, form.get());
  TStringStream in(binary.DataString()), text;
  ObjectBinaryToText(in, text);
  EXPECT_NE(text.DataString().find("Ref = Button1"), std::string::npos);
  EXPECT_NE(text.DataString().find("Ref = Owner"), std::string::npos);
  EXPECT_NE(text.DataString().find("SubType = [stPubPropObject, stCollectionObject]"),
            std::string::npos);
  EXPECT_NE(text.DataString().find("Kind = tkLString"), std::string::npos);
  TStringStream textIn(text.DataString()), again;
  ObjectTextToBinary(textIn, again);
  EXPECT_EQ(again.DataString(), binary.DataString());

  TStringStream readBack(binary.DataString());
  TComponentPtr<TComponent> copy(ReadComponent(readBack, nullptr));
  auto* copyHolder = static_cast<TEntryHolder*>(copy->FindComponent("Holder"));
  TComponentEntries& loaded = *copyHolder->Entries();
  loaded.Init();
  ASSERT_EQ(loaded.Count(), 2);
  EXPECT_EQ(loaded.Items(0)->Ref(), copy->FindComponent("Button1"));
  EXPECT_EQ(loaded.Items(0)->Name, "Button1");  // not stored: refreshed from the reference
  EXPECT_EQ(loaded.Items(1)->Ref(), copy.get());
  EXPECT_EQ(Lines(loaded, true), Lines(*holder->Entries(), true));
  EXPECT_EQ(loaded.Items(0)->Items()->Items(2)->Props()->Items(1)->GetValue(), Variant("three"));
}

TEST(EntryTree, KindsStoredUnderFreePascalsNamesBindToo) {
  auto form = MakeTestForm();
  auto* holder = Create<TEntryHolder>(form.get());
  holder->SetName("Holder");
  TPropertyEntry::CreateEx(AddComponent(*holder->Entries(), form->FindComponent("Button1")),
                           "Caption", tkLString, "");
  TStringStream binary;
  WriteComponent(binary, form.get());
  TStringStream in(binary.DataString()), text;
  ObjectBinaryToText(in, text);
  std::string source = text.DataString();
  std::size_t at = source.find("Kind = tkLString");
  ASSERT_NE(at, std::string::npos);
  source.replace(at, 16, "Kind = tkAString");  // as Free Pascal names an AnsiString

  TStringStream textIn(source), again;
  ObjectTextToBinary(textIn, again);
  TStringStream readBack(again.DataString());
  TComponentPtr<TComponent> copy(ReadComponent(readBack, nullptr));
  TComponentEntries& loaded = *static_cast<TEntryHolder*>(copy->FindComponent("Holder"))->Entries();
  loaded.Init();
  ASSERT_EQ(loaded.Count(), 1);
  TPropertyEntry* caption = loaded.Items(0)->Props()->Items(0);
  EXPECT_EQ(caption->Kind, tkLString);
  EXPECT_EQ(caption->GetValue(), Variant("OK"));
}
