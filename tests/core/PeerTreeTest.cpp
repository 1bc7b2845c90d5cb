// A component entry tree that Free Pascal stores in a form, with classes of the same published
// properties, loads and binds to our objects; what our classes do not have is dropped.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/filer/Reader.h"
#include "platform/core/streams/StringStream.h"
#include "tests/core/PeerTreeClasses.h"
#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

const std::string kPeerTree = DRAVIK_PEER_DIR "/peer_tree";

// Each property entry as "path: type = value".
std::vector<std::string> Values(TMainEntries& entries) {
  TStringList list;
  entries.MoveSubItemsToStrings(false, list);
  std::vector<std::string> values;
  for (int i = 0; i < list.Count(); ++i) {
    auto* entry = static_cast<TPropertyEntry*>(list.Objects(i));
    values.push_back(list.Strings(i) + " = " + entry->GetValue().AsString());
  }
  return values;
}

class PeerTree : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    TTempDir dir;
    TRunResult run = RunProgram({kPeerTree, dir.Path()});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    fStream = new std::string(ReadFileBytes(dir.File("tree.bin")));
  }
  static void TearDownTestSuite() {
    delete fStream;
    fStream = nullptr;
  }

  void SetUp() override {
    TStringStream in(*fStream);
    fForm.reset(dynamic_cast<TPeerRoot*>(ReadComponent(in, nullptr)));
    ASSERT_NE(fForm, nullptr);
    fButton = dynamic_cast<TPeerButton*>(fForm->FindComponent("Button1"));
    auto* holder = dynamic_cast<TEntryHolder*>(fForm->FindComponent("Holder"));
    ASSERT_NE(fButton, nullptr);
    ASSERT_NE(holder, nullptr);
    fEntries = holder->Entries();
  }

  static std::string* fStream;
  TComponentPtr<TPeerRoot> fForm;
  TPeerButton* fButton = nullptr;
  TComponentEntries* fEntries = nullptr;
};

std::string* PeerTree::fStream = nullptr;

TEST_F(PeerTree, EveryEntryBindsToOurObjects) {
  fEntries->Init();
  ASSERT_EQ(fEntries->Count(), 2);
  TComponentEntry* button = fEntries->Items(0);
  EXPECT_EQ(button->Ref(), fButton);
  EXPECT_EQ(button->Name, "Button1") << "not stored: taken from the reference";
  EXPECT_EQ(button->TypeName, "TPeerButton");
  EXPECT_EQ(fEntries->Items(1)->Ref(), fForm.get()) << "stored as Owner";

  ASSERT_EQ(button->Items()->Count(), 3);
  EXPECT_EQ(button->Items()->Items(0)->Object(), fButton->GetFont());
  EXPECT_EQ(button->Items()->Items(1)->Object(), fButton->GetItems()->Items(1));
  EXPECT_EQ(button->Items()->Items(2)->Object(), fButton->GetLines());
  fEntries->ForEachPropertyEntry([](TMainEntry* main, TPropertyEntry* prop, bool&) {
    if (!main->SubType().Contains(stPubPropObject)) return;  // lines have no property
    ASSERT_NE(prop->PropInfo, nullptr) << main->Name << "." << prop->Name;
    EXPECT_EQ(prop->PropInfo, main->Object()->ClassType().FindProp(prop->Name));
  });

  EXPECT_EQ(
      Values(*fEntries),
      (std::vector<std::string>{
          "Caption: string = OK", "Hint: string = Closes the window", "Font.Name: string = Sans",
          "Font.Size: Integer = 9", "Font.Style: TPeerSet = [peBeta]",
          "Items[1].Caption: string = second", "Items[1].Value: Integer = 70000",
          "Lines.Strings[0]: String = one", "Lines.Strings[2]: String = three",
          "Lines.Second[1]:  = two", "Caption: string = Tree form"}));

  // The entries write through to the objects.
  button->Props()->Items(0)->SetValue(Variant("Abbrechen"));
  button->Items()->Items(2)->Props()->Items(2)->SetValue(Variant("zwei"));
  EXPECT_EQ(fButton->Caption, "Abbrechen");
  EXPECT_EQ(fButton->GetLines()->Strings(1), "zwei");
}

TEST_F(PeerTree, WhatOurClassesLackStaysUnboundAndIsDropped) {
  fEntries->RefreshProps();
  TComponentEntry* button = fEntries->Items(0);
  ASSERT_EQ(button->Props()->Count(), 4);
  EXPECT_EQ(button->Props()->Items(2)->Name, "Shortcut");
  EXPECT_EQ(button->Props()->Items(2)->PropInfo, nullptr) << "only the peer's class has it";
  EXPECT_EQ(button->Props()->Items(3)->PropInfo, nullptr) << "Hint is no integer";
  TMainEntry* beyond = button->Items()->Items(2);
  EXPECT_EQ(beyond->Name, "Items[5]");
  EXPECT_EQ(beyond->Object(), nullptr) << "there are two items";
  TPropertyEntries& lines = *button->Items()->Items(3)->Props();
  EXPECT_EQ(lines.Items(3)->Name, "Strings/9/") << "there are three lines";

  fEntries->ValidateAndPack();
  EXPECT_EQ(button->Props()->Count(), 2);
  EXPECT_EQ(button->Props()->IndexOfProp("Shortcut"), -1);
  EXPECT_EQ(button->Items()->IndexOfName("Items[5]"), -1);
  EXPECT_EQ(button->Items()->Count(), 3);
  EXPECT_EQ(lines.Count(), 3);
  EXPECT_EQ(lines.IndexOfProp("Strings/9/"), -1);
}

}  // namespace
