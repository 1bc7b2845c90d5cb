// TDravik: frames and domains, loading, events, listeners and failures.

#include <gtest/gtest.h>

#include "platform/core/classes/Strings.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/streams/StringStream.h"
#include "runtime/LanguageSwitch.h"
#include "tests/runtime/DravikFixture.h"

using namespace dravik;

namespace {

// A form in English and German (and French when asked) whose button says hello.
TComponentPtr<TTestForm> BilingualForm(bool french = false) {
  auto form = MakeDravikForm("Hello");
  TDravik* dravik = DravikOf(form.get());
  if (french) {
    SetLanguages(dravik, {{"English", 0}, {"German", 1}, {"French", 2}});
    Translate(dravik, Control(form.get(), "Button1"), "Caption",
              {Variant("Hello"), Variant("Hallo"), Variant("Salut")});
  } else {
    SetLanguages(dravik, {{"English", 0}, {"German", 1}});
    Translate(dravik, Control(form.get(), "Button1"), "Caption",
              {Variant("Hello"), Variant("Hallo")});
  }
  return form;
}

std::string Caption(const TComponentPtr<TTestForm>& form) {
  return Control(form.get(), "Button1")->Caption;
}

// Records the events of an instance in a shared journal.
class TRecorder : public TObject {
 public:
  TRecorder(std::string name, std::vector<std::string>& journal)
      : Name(std::move(name)), Journal(journal) {}
  void Attach(TDravik* dravik) {
    dravik->BeforeChange = TNotifyEvent::Of<&TRecorder::Before>(this);
    dravik->OnChange = TNotifyEvent::Of<&TRecorder::Change>(this);
    dravik->AfterChange = TNotifyEvent::Of<&TRecorder::After>(this);
  }
  void Before(TObject*) { Journal.push_back(Name + ":before"); }
  void Change(TObject*) {
    Journal.push_back(Name + ":change");
    if (OnChange) OnChange();
  }
  void After(TObject*) { Journal.push_back(Name + ":after"); }
  // A listener that takes the others off the list (OnUnregister says how).
  void Unregistering(TDravik* dravik) {
    if (!dravik) return;
    Journal.push_back(Name + ":unregistering");
    if (OnUnregister) OnUnregister();
  }
  std::function<void()> OnUnregister;
  void Created(TDravik* dravik) {
    Journal.push_back(Name + ":created");
    Attach(dravik);
  }
  void Listener(TDravik* dravik) {
    Journal.push_back(Name + ":listener:" + (dravik ? "on" : "nil"));
  }

  std::string Name;
  std::vector<std::string>& Journal;
  std::function<void()> OnChange;
};

}  // namespace

TEST_F(DravikTest, OneAssignmentSwitchesEveryFormOfTheFrameAndNativeNamesMatch) {
  auto first = BilingualForm();
  auto second = BilingualForm();
  DravikOf(first.get())->SetLanguage("Deutsch");  // the list says "German"
  EXPECT_EQ(Caption(first), "Hallo");
  EXPECT_EQ(Caption(second), "Hallo");
  EXPECT_EQ(DravikOf(second.get())->GetLanguage(), "German");
}

TEST_F(DravikTest, EventsRunInLockstepAcrossMembers) {
  std::vector<std::string> journal;
  TRecorder a("a", journal), b("b", journal);  // they outlive the forms, which tell them at the end
  auto first = BilingualForm();
  auto second = BilingualForm();
  a.Attach(DravikOf(first.get()));
  b.Attach(DravikOf(second.get()));
  DravikOf(first.get())->RegisterChangeNotify(TLangNotify::Of<&TRecorder::Listener>(&a));
  DravikOf(second.get())->SetLanguage("German");
  EXPECT_EQ(journal, (std::vector<std::string>{"a:before", "b:before", "a:listener:on", "a:change",
                                               "b:change", "a:after", "b:after"}));
}

TEST_F(DravikTest, AMemberWithoutTheLanguageKeepsItsValuesQuietly) {
  auto first = BilingualForm(true);
  auto second = BilingualForm(false);
  DravikOf(first.get())->SetLanguage("French");
  EXPECT_EQ(Caption(first), "Salut");
  EXPECT_EQ(Caption(second), "Hello");
  EXPECT_TRUE(Shown.empty());
  ASSERT_FALSE(Trace.empty());
  EXPECT_NE(Trace.back().find("Language 'French' of form TTestForm not found"), std::string::npos)
      << Trace.back();
}

TEST_F(DravikTest, NamedDomainsAndTopLevelMakeSeparateFrames) {
  auto first = BilingualForm();
  auto second = BilingualForm();
  DravikOf(second.get())->SetDomain(" Tools ");
  EXPECT_EQ(DravikOf(second.get())->GetDomain(), "Tools");
  DravikOf(first.get())->SetLanguage("German");
  EXPECT_EQ(Caption(first), "Hallo");
  EXPECT_EQ(Caption(second), "Hello");
  DravikOf(second.get())->SetLanguage("German");
  DravikOf(second.get())->SetLanguage("English");
  EXPECT_EQ(Caption(first), "Hallo");

  // Joining the default domain again aligns it with that frame at once.
  DravikOf(second.get())->SetDomain("");
  EXPECT_EQ(Caption(second), "Hallo");
}

TEST_F(DravikTest, TopLevelReadFromAStreamOpensAFrameForItsForm) {
  auto first = BilingualForm();
  std::string stream;
  {
    auto designed = BilingualForm();
    designed->SetDesigning(true);
    DravikOf(designed.get())->SetTopLevel(true);
    stream = WriteForm(designed.get());
    designed.reset();
  }
  FinalizeLanguageFrames();
  auto main = BilingualForm();
  auto own = ReadForm(stream);
  auto after = BilingualForm();  // joins the last frame: the top-level one
  DravikOf(main.get())->SetLanguage("German");
  EXPECT_EQ(Caption(main), "Hallo");
  EXPECT_EQ(Caption(own), "Hello");
  EXPECT_EQ(Caption(after), "Hello");
  DravikOf(own.get())->SetLanguage("German");
  EXPECT_EQ(Caption(after), "Hallo");
  first.reset();
}

TEST_F(DravikTest, TopLevelCannotChangeAtRunTime) {
  auto form = BilingualForm();
  try {
    DravikOf(form.get())->SetTopLevel(true);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TDravik.TopLevel can only be changed at designing time");
  }
}

TEST_F(DravikTest, SwitchingFromAnOnChangeHandlerIsRefusedAndShown) {
  std::vector<std::string> journal;
  auto form = BilingualForm();
  TRecorder recorder("a", journal);
  recorder.Attach(DravikOf(form.get()));
  recorder.OnChange = [&] { DravikOf(form.get())->SetLanguage("English"); };
  DravikOf(form.get())->SetLanguage("German");
  EXPECT_EQ(Caption(form), "Hallo");
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0], "SetGlobalLanguage cannot be called when still processing");
}

TEST_F(DravikTest, LoadingAlignsWithTheFrameAndFiresTheEventsOnce) {
  auto first = BilingualForm();
  const std::string stream = WriteForm(first.get());
  DravikOf(first.get())->SetLanguage("German");

  std::vector<std::string> journal;
  TRecorder recorder("loaded", journal);
  auto loaded = MakeComponent<TTestForm>(nullptr);
  // The recorder hears of the new instance and attaches its events before the read.
  TDravik::RegisterCreateNotify(TLangNotify::Of<&TRecorder::Created>(&recorder));
  {
    TStringStream in(stream);
    ReadComponent(in, loaded.get());
  }
  TDravik::UnregisterCreateNotify(TLangNotify::Of<&TRecorder::Created>(&recorder));
  EXPECT_EQ(Caption(loaded), "Hallo");
  EXPECT_EQ(journal, (std::vector<std::string>{"loaded:created", "loaded:before", "loaded:change",
                                               "loaded:after"}));
}

// A frame whose language the form was never translated into (a start-up language taken from the
// system) leaves the form in the language it was stored in: traced, not shown, loaded in full.
TEST_F(DravikTest, LoadingAFormThatLacksTheFramesLanguageKeepsItsStoredOneQuietly) {
  auto french = BilingualForm(true);
  DravikOf(french.get())->SetLanguage("French");
  auto stored = BilingualForm(false);
  const std::string stream = WriteForm(stored.get());
  stored.reset();

  std::vector<std::string> journal;
  TRecorder recorder("x", journal);
  TDravik::RegisterCreateNotify(TLangNotify::Of<&TRecorder::Created>(&recorder));
  auto form = ReadForm(stream);
  TDravik::UnregisterCreateNotify(TLangNotify::Of<&TRecorder::Created>(&recorder));
  EXPECT_EQ(journal, (std::vector<std::string>{"x:created", "x:before", "x:change", "x:after"}));
  EXPECT_EQ(Caption(form), "Hello");
  EXPECT_EQ(DravikOf(form.get())->GetLanguage(), "English");
  EXPECT_TRUE(Shown.empty());
  ASSERT_FALSE(Trace.empty());
  EXPECT_EQ(Trace.back(), "TDravik: Dravik.Loaded: Language 'French' of form TTestForm not found");
}

TEST_F(DravikTest, LanguageReadFromTheStreamWaitsForLoaded) {
  auto form = BilingualForm();
  DravikOf(form.get())->SetLanguage("German");
  const std::string stream = WriteForm(form.get());
  form.reset();
  FinalizeLanguageFrames();
  // No frame yet: the first form loaded defines the frame's language from its stored one.
  auto loaded = ReadForm(stream);
  EXPECT_EQ(Caption(loaded), "Hallo");
  EXPECT_EQ(GetFrameLanguage(DravikOf(loaded.get())->Handler()), "German");
}

TEST_F(DravikTest, AnInstanceNeedsAnOwner) {
  try {
    TDravik orphan(nullptr);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Component owner for TDravik required");
  }
}

TEST_F(DravikTest, ListenersHearOfTheEndAndFailuresAreShownNotPassedOn) {
  std::vector<std::string> journal;
  TRecorder a("a", journal);
  auto form = BilingualForm();
  DravikOf(form.get())->RegisterChangeNotify(TLangNotify::Of<&TRecorder::Listener>(&a));
  DravikOf(form.get())->OnChange = TNotifyEvent::Of<&TRecorder::Change>(&a);
  a.OnChange = [] { throw Exception("handler failed"); };
  DravikOf(form.get())->SetLanguage("German");
  EXPECT_EQ(Caption(form), "Hallo");
  EXPECT_EQ(Shown, (std::vector<std::string>{"handler failed"}));
  form.reset();
  EXPECT_EQ(journal.back(), "a:listener:nil");
}

TEST_F(DravikTest, GetLanguagesListsTheNamesSorted) {
  auto form = BilingualForm(true);
  TStringList list;
  DravikOf(form.get())->GetLanguages(list);
  EXPECT_EQ(list.CommaText(), "English,French,German");
}

TEST_F(DravikTest, InTheDesignerASecondInstanceIsAskedForAndTheNumberDropped) {
  auto form = BilingualForm();
  form->SetDesigning(true);
  std::vector<std::string> asked;
  bool answer = false;
  SetServiceQuestion([&](const std::string& key) {
    asked.push_back(key);
    return answer;
  });
  EXPECT_THROW(Create<TDravik>(form.get()), EAbort);
  EXPECT_EQ(form->ComponentCount(), 3);
  answer = true;
  auto* second = Create<TDravik>(form.get());
  second->SetName("Dravik12");  // the designer's proposal; "Dravik" is taken
  EXPECT_EQ(second->Name(), "Dravik12");
  EXPECT_EQ(asked,
            (std::vector<std::string>{"ReallyAddFurtherComponent", "ReallyAddFurtherComponent"}));
  SetServiceQuestion(nullptr);

  auto other = MakeComponent<TTestForm>(nullptr);
  other->SetDesigning(true);
  auto* dropped = Create<TDravik>(other.get());
  dropped->SetName("Dravik1");
  EXPECT_EQ(dropped->Name(), "Dravik");
  dropped->SetName("Dravik2");
  EXPECT_EQ(dropped->Name(), "Dravik2");
}

TEST_F(DravikTest, AListenerUnregisteredByAnEarlierOneIsNotCalled) {
  std::vector<std::string> journal;
  TRecorder first("first", journal), second("second", journal);
  auto form = BilingualForm();
  TDravik* dravik = DravikOf(form.get());
  dravik->RegisterChangeNotify(TLangNotify::Of<&TRecorder::Listener>(&first));
  dravik->RegisterChangeNotify(TLangNotify::Of<&TRecorder::Listener>(&second));
  // The last registered is called first and takes the other one off the list.
  dravik->UnregisterChangeNotify(TLangNotify::Of<&TRecorder::Listener>(&second));
  dravik->RegisterChangeNotify(TLangNotify::Of<&TRecorder::Unregistering>(&second));
  second.OnUnregister = [&] {
    dravik->UnregisterChangeNotify(TLangNotify::Of<&TRecorder::Listener>(&first));
  };
  dravik->OnChange = TNotifyEvent::Of<&TRecorder::Change>(&second);
  dravik->SetLanguage("German");
  EXPECT_EQ(journal, (std::vector<std::string>{"second:unregistering", "second:change"}));
  form.reset();
}

// Codes name languages too, but a form's own name for a language comes first, and regional
// variants stay apart.
TEST_F(DravikTest, ASwitchByCodeFindsTheFormsOwnNameFirst) {
  auto form = MakeDravikForm();
  TDravik* dravik = DravikOf(form.get());
  SetLanguages(dravik, {{"English", 0}, {"en-US", 1}, {"en-GB", 2}, {"Deutsch", 3}});
  for (const auto& [asked, found] : std::vector<std::pair<std::string, std::string>>{
           {"en-GB", "en-GB"}, {"en_us", "en-US"}, {"de", "Deutsch"}, {"en", "English"}}) {
    dravik->SetLanguage(asked);
    EXPECT_EQ(dravik->GetLanguage(), found) << asked;
  }
}

// Switches skip binding the entry tree again while nothing it binds to changed; an item put in
// front of a collection is such a change, and the entry for Items[0] then stands for the new item.
TEST_F(DravikTest, ASwitchAfterACollectionChangedBindsThePositionsAgain) {
  auto form = MakeDravikForm();
  TDravik* dravik = DravikOf(form.get());
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
  TTestControl* button = Control(form.get(), "Button1");
  auto* first = static_cast<TCaptionItem*>(button->GetItems()->Add());
  first->Caption = "First";
  TComponentEntries* comps = dravik->LanguageManager()->Comps();
  TMainEntry* owner =
      TMainEntry::CreateEx(comps, button, "Button1", "TTestControl", {stPubPropObject});
  TMainEntry* item = TMainEntry::CreateEx(owner->Items(), nullptr, "Items[0]", "TCaptionItem",
                                          {stPubPropObject, stCollectionObject});
  comps->RefreshProps();
  auto* entry = static_cast<TInconsistentLangPropertyEntry*>(
      TPropertyEntry::CreateByRef(item, TCaptionItem::StaticClass().FindProp("Caption")));
  entry->SetCount(2);
  entry->SetLangValue(1, "Erstes");
  dravik->SetLanguage("Deutsch");
  EXPECT_EQ(first->Caption, "Erstes");
  dravik->SetLanguage("English");
  EXPECT_EQ(first->Caption, "First");

  auto* added = static_cast<TCaptionItem*>(button->GetItems()->Add());
  added->Caption = "Added";
  added->SetIndex(0);
  dravik->SetLanguage("Deutsch");
  EXPECT_EQ(added->Caption, "Erstes");
  EXPECT_EQ(first->Caption, "First");
}
