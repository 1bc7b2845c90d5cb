#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "platform/core/forms/Application.h"
#include "platform/core/system/Debug.h"
#include "platform/core/system/Designing.h"
#include "runtime/LanguageSwitch.h"

using namespace dravik;

namespace {

const char* const kPhase[] = {"before", "set", "change", "after"};

// A frame member that writes every call it gets into a shared journal.
class TMember : public TObject {
 public:
  TMember(std::string name, std::vector<std::string>& journal)
      : Name(std::move(name)), Journal(journal) {}
  virtual TLanguageNotify Handler() { return TLanguageNotify::Of<&TMember::Notify>(this); }
  void Join(const std::string& domain = "", bool topLevel = false) {
    RegisterLanguageNotify(domain, topLevel, Handler());
  }
  void Switch(const std::string& language) { SetGlobalLanguage(language, Handler()); }

  void Notify(TObject* sender, const std::string& language, TActionMode action) {
    EXPECT_EQ(sender, this);
    Journal.push_back(Name + ":" + kPhase[action] + ":" + language);
    if (OnPhase) OnPhase(action);
  }

  std::string Name;
  std::vector<std::string>& Journal;
  std::function<void(TActionMode)> OnPhase;
};

// A member whose class has another base class before TObject.
struct TSecondBase {
  virtual ~TSecondBase() = default;
  int64_t Mark = 7;
};
class TMixedMember : public TSecondBase, public TMember {
 public:
  using TMember::TMember;
  TLanguageNotify Handler() override {
    return TLanguageNotify::Of<&TMixedMember::MixedNotify>(this);
  }
  void MixedNotify(TObject* sender, const std::string& language, TActionMode action) {
    Notify(sender, language, action);
  }
};

class LanguageFrames : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    setenv("LANG", "C", 1);
    FinalizeLanguageFrames();
    SetDebugSink([this](std::string_view line) { Trace.emplace_back(line); });
    Application->SetExceptionDisplay([this](TObject* sender, const Exception& e) {
      Shown.push_back({sender, e.Message()});
    });
  }
  void TearDown() override {
    FinalizeLanguageFrames();
    SetDebugSink({});
    SetDesigningHost(false);
    unsetenv("LANG");
  }

  TApplicationScope App;
  std::vector<std::string> Journal;
  std::vector<std::string> Trace;
  std::vector<std::pair<TObject*, std::string>> Shown;
};

}  // namespace

TEST_F(LanguageFrames, PhasesReachEveryMemberInLockstep) {
  TMember a("a", Journal), b("b", Journal), c("c", Journal);
  a.Join();
  b.Join();
  c.Join();
  b.Switch(" German ");
  EXPECT_EQ(Journal, (std::vector<std::string>{
                         "a:before:German", "b:before:German", "c:before:German", "a:set:German",
                         "b:set:German", "c:set:German", "a:change:German", "b:change:German",
                         "c:change:German", "a:after:German", "b:after:German", "c:after:German"}));
  EXPECT_EQ(GetFrameLanguage(c.Handler()), "German");
  EXPECT_EQ(GlobalSwitchDepth(), 0);
}

TEST_F(LanguageFrames, SwitchingToTheShownLanguageDoesNothing) {
  TMember a("a", Journal), b("b", Journal);
  a.Join();
  b.Join();
  a.Switch("English");
  Journal.clear();
  b.Switch("ENGLISH");
  a.Switch("   ");
  a.Switch("");
  EXPECT_TRUE(Journal.empty());
}

TEST_F(LanguageFrames, TopLevelOpensAFrameForItselfAndThoseAfterIt) {
  TMember first("first", Journal), second("second", Journal), third("third", Journal);
  first.Join();
  second.Join("", true);
  third.Join();
  EXPECT_EQ(DefaultDomainFrames()->Count(), 2);
  first.Switch("French");
  EXPECT_EQ(Journal.size(), 4u);
  Journal.clear();
  third.Switch("Dansk");
  ASSERT_EQ(Journal.size(), 8u);
  EXPECT_EQ(Journal[0], "second:before:Dansk");
  EXPECT_EQ(Journal[1], "third:before:Dansk");
  EXPECT_EQ(GetFrameLanguage(first.Handler()), "French");
}

TEST_F(LanguageFrames, NamedDomainsShareOneFrameIgnoringCase) {
  TMember a("a", Journal), b("b", Journal), plain("plain", Journal);
  a.Join("Tools");
  b.Join(" tools ", true);  // TopLevel does not split a named domain
  plain.Join();
  EXPECT_EQ(NamedDomainFrames()->Count(), 1);
  EXPECT_EQ(GetFrameDomain(a.Handler()), "tools");  // the latest spelling
  a.Switch("Italiano");
  EXPECT_EQ(Journal.size(), 8u);
  EXPECT_EQ(GetFrameLanguage(plain.Handler()), "");
  // Moving to the default domain leaves the named frame, which dies with its last member.
  a.Join();
  b.Join();
  EXPECT_EQ(NamedDomainFrames()->Count(), 0);
  EXPECT_EQ(DefaultDomainFrames()->Items(0)->Notifies().Count(), 3);
}

TEST_F(LanguageFrames, ASwitchInsideASwitchIsRefusedAndShown) {
  TMember a("a", Journal), b("b", Journal);
  a.Join();
  b.Join();
  a.OnPhase = [&](TActionMode action) {
    if (action == amChange) a.Switch("Deutsch");
  };
  b.Switch("English");
  EXPECT_EQ(Journal.size(), 8u);  // the nested call changed nothing
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0].first, &a);
  EXPECT_EQ(Shown[0].second, "SetGlobalLanguage cannot be called when still processing");
  EXPECT_NE(std::find(Trace.begin(), Trace.end(),
                      "SetLanguageAction error: SetGlobalLanguage cannot be called when still "
                      "processing"),
            Trace.end());
  EXPECT_EQ(GlobalSwitchDepth(), 0);
  EXPECT_THROW(
      {
        a.OnPhase = nullptr;
        TMember outside("outside", Journal);
        outside.OnPhase = [&](TActionMode) { outside.Switch("Polski"); };
        outside.Switch("Polish");  // no frame: called directly, errors propagate
      },
      Exception);
}

TEST_F(LanguageFrames, AMissingLanguageIsTracedButNotShown) {
  TMember a("a", Journal), b("b", Journal);
  a.Join();
  b.Join();
  a.OnPhase = [](TActionMode action) {
    if (action == amSetLanguage) throw ELanguageNotFound("Language 'Thai' of form A not found");
  };
  b.Switch("Thai");
  EXPECT_TRUE(Shown.empty());
  EXPECT_EQ(Trace.back(), "SetLanguageAction error: Language 'Thai' of form A not found");
  EXPECT_EQ(Journal.size(), 8u);
  EXPECT_EQ(GetFrameLanguage(a.Handler()), "Thai");
}

TEST_F(LanguageFrames, NewFramesStartInTheLanguageLastShown) {
  {
    TMember a("a", Journal);
    a.Join();
    a.Switch("Svenska");
    UnregisterLanguageNotify(a.Handler());
  }
  EXPECT_EQ(DefaultDomainFrames()->Count(), 0);
  TMember b("b", Journal);
  b.Join();
  EXPECT_EQ(GetFrameLanguage(b.Handler()), "Svenska");
  DefineStartupLanguage("Suomi");  // refused once a frame has lived
  EXPECT_EQ(Trace.back(),
            "DefineStartupLanguage: Startup language 'Suomi' ignored - already defined or started");
}

TEST_F(LanguageFrames, StartupLanguageFromTheSystemOrTheApplication) {
  FinalizeLanguageFrames();
  setenv("LANG", "de_CH.UTF-8", 1);
  TMember a("a", Journal);
  a.Join();
  EXPECT_EQ(GetFrameLanguage(a.Handler()), "German");
  UnregisterLanguageNotify(a.Handler());

  FinalizeLanguageFrames();
  DefineStartupLanguage("Nederlands");
  EXPECT_EQ(Trace.back(), "DefineStartupLanguage: Startup language is 'Nederlands'");
  TMember b("b", Journal);
  b.Join("Named");
  EXPECT_EQ(GetFrameLanguage(b.Handler()), "Nederlands");
  TMember c("c", Journal);
  c.Join();
  DefineStartupLanguage("English");  // after the first instance: changes nothing, raises nothing
  EXPECT_EQ(GetFrameLanguage(c.Handler()), "Nederlands");
}

TEST_F(LanguageFrames, FramesInTheDesignEnvironmentStartEmpty) {
  FinalizeLanguageFrames();
  setenv("LANG", "de_DE.UTF-8", 1);
  SetDesigningHost(true);
  TMember a("a", Journal);
  a.Join();
  EXPECT_EQ(GetFrameLanguage(a.Handler()), "");
  EXPECT_EQ(DefaultDomainFrames()->StartupLanguage(), "");
}

TEST_F(LanguageFrames, AMemberLeavingDuringASwitchIsNotCalledAgain) {
  auto a = std::make_unique<TMember>("a", Journal);
  TMember b("b", Journal);
  b.Join("Solo");
  a->Join("Solo");
  // b's form closes while handling the change: a leaves, its frame survives the switch.
  b.OnPhase = [&](TActionMode action) {
    if (action == amChange && a) {
      UnregisterLanguageNotify(a->Handler());
      a.reset();
      UnregisterLanguageNotify(b.Handler());  // the frame is now empty, yet still switching
    }
  };
  b.Switch("Magyar");
  EXPECT_EQ(Journal, (std::vector<std::string>{"b:before:Magyar", "a:before:Magyar", "b:set:Magyar",
                                               "a:set:Magyar", "b:change:Magyar"}));
  EXPECT_EQ(NamedDomainFrames()->Count(), 0);
  EXPECT_EQ(NamedDomainFrames()->StartupLanguage(), "Magyar");
}

TEST_F(LanguageFrames, RegistrationTellsWhenAFrameIsBornAndHidesPrivateDomains) {
  TMember a("a", Journal), b("b", Journal), c("c", Journal);
  EXPECT_TRUE(RegisterLanguageNotify("", false, a.Handler()));  // the first frame of the list
  EXPECT_FALSE(RegisterLanguageNotify("", false, b.Handler()));
  EXPECT_TRUE(RegisterLanguageNotify(".Private Quelt Domain", false, c.Handler()));
  EXPECT_FALSE(RegisterLanguageNotify("", false, TLanguageNotify()));  // no code: nothing
  TLanguageFrame* frame;
  ASSERT_TRUE(NamedDomainFrames()->GetFrame(frame, c.Handler()));
  EXPECT_TRUE(frame->Hidden());
  EXPECT_FALSE(DefaultDomainFrames()->Items(0)->Hidden());
  EXPECT_EQ(GetFrameDomain(c.Handler()), ".Private Quelt Domain");
  EXPECT_EQ(GetFrameDomain(a.Handler()), "");
  // A handler is in at most one frame: joining another domain leaves the first.
  EXPECT_FALSE(RegisterLanguageNotify(".private quelt domain", false, a.Handler()));
  EXPECT_FALSE(DefaultDomainFrames()->Items(0)->Exists(a.Handler()));
  EXPECT_EQ(frame->Notifies().Count(), 2);
}

TEST_F(LanguageFrames, MembersOfAClassWithASecondBaseAreCalledAsThemselves) {
  TMixedMember a("a", Journal);
  TMember b("b", Journal);
  a.Join();
  b.Join();
  b.Switch("German");
  EXPECT_EQ(Journal.size(), 8u);
  Journal.clear();
  a.Switch("French");  // the member that asks is not in a frame of its own
  EXPECT_EQ(Journal.size(), 8u);
  EXPECT_EQ(a.Mark, 7);
}
