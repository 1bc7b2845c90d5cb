#include <gtest/gtest.h>

#include <functional>

#include "platform/core/classes/Strings.h"
#include "platform/core/system/Exceptions.h"

using namespace dravik;

TEST(StringList, TextUsesCrLfAndSplitsAnyLineBreak) {
  TStringList list;
  list.SetText("one\r\ntwo\nthree\rfour\r\n");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Strings(2), "three");
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
  list.SetText("a\r\n\r\nb");
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Strings(1), "");
}

TEST(StringList, IndexOfAndNamesIgnoreCase) {
  TStringList list;
  list.Add("Caption=Hello");
  list.Add("Hint=Tip");
  EXPECT_EQ(list.IndexOf("HINT=TIP"), 1);
  EXPECT_EQ(list.IndexOf("missing"), -1);
  EXPECT_EQ(list.IndexOfName("caption"), 0);
  EXPECT_EQ(list.Values("HINT"), "Tip");
  list.SetValues("Hint", "");
  EXPECT_EQ(list.Count(), 1);
  list.SetValues("Font", "Arial");
  EXPECT_EQ(list.Strings(1), "Font=Arial");
}

TEST(StringList, SortedListsFindAndHandleDuplicates) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"pear", "Apple", "fig", "apple"}) list.Add(s);
  ASSERT_EQ(list.Count(), 3);  // "apple" ignored as a duplicate of "Apple"
  EXPECT_EQ(list.Strings(0), "Apple");
  int index;
  EXPECT_TRUE(list.Find("FIG", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("grape", index));
  EXPECT_EQ(index, 2);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
  list.SetDuplicates(dupError);
  EXPECT_THROW(list.Add("PEAR"), EStringListError);
  list.SetDuplicates(dupAccept);
  list.Add("PEAR");
  EXPECT_EQ(list.Count(), 4);
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
  TStringList list;
  list.Add("plain");
  list.Add("with blank");
  list.Add("say \"hi\"");
  list.Add("a,b");
  EXPECT_EQ(list.CommaText(), "plain,\"with blank\",\"say \"\"hi\"\"\",\"a,b\"");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_TRUE(back.Equals(list));
  back.SetCommaText("one two, three");
  EXPECT_EQ(back.Count(), 3);
}

TEST(StringList, ObjectsFollowTheirLinesAndOwnedOnesAreFreed) {
  struct TCounted : TObject {
    explicit TCounted(int& alive) : Alive(alive) { ++Alive; }
    ~TCounted() override { --Alive; }
    int& Alive;
  };
  int alive = 0;
  {
    TStringList list;
    list.SetOwnsObjects(true);
    list.AddObject("b", new TCounted(alive));
    list.AddObject("a", new TCounted(alive));
    TObject* a = list.Objects(1);
    list.Sort();
    EXPECT_EQ(list.Objects(0), a);
    list.Delete(1);
    EXPECT_EQ(alive, 1);
  }
  EXPECT_EQ(alive, 0);
}

TEST(StringList, ChangeEventsFireOncePerUpdate) {
  struct TListener : TObject {
    int Changes = 0;
    void Changed(TObject*) { ++Changes; }
  } listener;
  TStringList list;
  list.OnChange = TNotifyEvent::Of<&TListener::Changed>(&listener);
  list.Add("x");
  EXPECT_EQ(listener.Changes, 1);
  list.SetText("a\nb\nc");
  EXPECT_EQ(listener.Changes, 2);
  EXPECT_THROW(list.Strings(3), EStringListError);
}

namespace {

// Counts OnChange calls, and can fail them.
struct TChangeListener : TObject {
  void Changed(TObject*) {
    ++Calls;
    if (Fail) throw EAbort("listener failed");
  }
  int Calls = 0;
  bool Fail = false;
};

}  // namespace

TEST(StringList, AnExceptionInsideAnUpdateLeavesTheListUnlocked) {
  TStringList duplicates;
  duplicates.SetText("b\na\nb");
  const std::function<void(TStringList&)> failing[] = {
      [&](TStringList& list) { list.AddStrings(duplicates); },
      [&](TStringList& list) { list.Assign(&duplicates); },
      [](TStringList& list) { list.SetText("x\ny\nx"); },
      [](TStringList& list) { list.SetCommaText("x,y,x"); },
  };
  for (const auto& operation : failing) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(dupError);
    TChangeListener listener;
    list.OnChange = TNotifyEvent::Of<&TChangeListener::Changed>(&listener);
    EXPECT_THROW(operation(list), EStringListError);
    EXPECT_EQ(listener.Calls, 1) << "the update ends and tells of what changed before the error";
    list.Add("z");
    EXPECT_EQ(listener.Calls, 2) << "the list is no longer locked";

    // A listener that fails while the first error unwinds does not replace it.
    listener.Fail = true;
    EXPECT_THROW(operation(list), EStringListError);
    listener.Fail = false;
    list.Add("w");
    EXPECT_EQ(listener.Calls, 4);
  }
  TStringList list;
  TChangeListener listener;
  list.OnChange = TNotifyEvent::Of<&TChangeListener::Changed>(&listener);
  listener.Fail = true;
  EXPECT_THROW(list.SetText("a\nb"), EAbort) << "without another error, the listener's is raised";
  EXPECT_EQ(list.Count(), 2);
  listener.Fail = false;
  list.Add("c");
  EXPECT_EQ(listener.Calls, 2);
}
