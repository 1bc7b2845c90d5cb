// One language switch of a frame of 100 forms, each with a TDravik translating 100 string
// properties into three languages, beside the bare cost of assigning the same 10,000 values
// through the properties' own setters; and the switch of frames of 100, 400 and 1,600 forms of
// 10 properties each, which should grow with the number of forms, beside the bare setters on the
// same frames. The ratios are printed at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench/TimesReporter.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "runtime/Dravik.h"
#include "runtime/LanguageSwitch.h"

using namespace dravik;

namespace {

constexpr int kForms = 100;
constexpr int kControls = 50;  // two translated properties each
constexpr int kSmallFormControls = 5;
constexpr int kLanguages = 3;
const char* const kLanguageNames[kLanguages] = {"English", "Deutsch", "Francais"};

// A control whose accessors do what a control's do at least: the getters answer the text they
// hold, as the framework's controls do, and the setters skip an unchanged value, take the new one
// and note the change.
class TBenchControl : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TBenchControl, TComponent>("TBenchControl", "BenchSwitch")
            .Property("Caption", &TBenchControl::GetCaption, &TBenchControl::SetCaption)
            .Property("Hint", &TBenchControl::GetHint, &TBenchControl::SetHint)
            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }

  const std::string& GetCaption() const { return fCaption; }
  void SetCaption(const std::string& value) {
    if (value == fCaption) return;
    fCaption = value;
    ++fChanges;
  }
  const std::string& GetHint() const { return fHint; }
  void SetHint(const std::string& value) {
    if (value == fHint) return;
    fHint = value;
    ++fChanges;
  }

 private:
  std::string fCaption;
  std::string fHint;
  int fChanges = 0;
};

class TBenchForm : public TComponent {
 public:
  using TComponent::TComponent;
};

// The text of one property in one language, long enough to live outside the string object.
std::string Text(int form, int control, const char* property, int language) {
  return std::string(property) + " of control " + std::to_string(control) + " on form " +
         std::to_string(form) + " in " + kLanguageNames[language];
}

struct TFrameOfForms {
  std::vector<TComponentPtr<TBenchForm>> Forms;
  std::vector<TBenchControl*> Controls;         // kControls per form, form after form
  std::vector<std::string> Values[kLanguages];  // Caption and Hint per control, in that order
  TDravik* First = nullptr;

  TFrameOfForms(int forms, int controls) {
    setenv("LANG", "C", 1);
    for (int f = 0; f < forms; ++f) {
      auto form = MakeComponent<TBenchForm>(nullptr);
      form->SetName("Form" + std::to_string(f));
      auto* dravik = Create<TDravik>(form.get());
      dravik->SetName("Dravik");
      TLanguageManager* manager = dravik->LanguageManager();
      for (int l = 0; l < kLanguages; ++l) {
        TLanguageEntry* language = manager->Langs()->Add();
        language->Name = kLanguageNames[l];
        language->SubIndex = l;
      }
      for (int c = 0; c < controls; ++c) {
        auto* control = Create<TBenchControl>(form.get());
        control->SetName("Control" + std::to_string(c));
        control->SetCaption(Text(f, c, "Caption", 0));
        control->SetHint(Text(f, c, "Hint", 0));
        Controls.push_back(control);
        TMainEntry* entry = TMainEntry::CreateEx(manager->Comps(), control, control->Name(),
                                                 control->ClassName(), {stPubPropObject});
        for (const char* property : {"Caption", "Hint"}) {
          auto* prop = static_cast<TConsistentLangPropertyEntry*>(
              TPropertyEntry::CreateByRef(entry, TBenchControl::StaticClass().FindProp(property)));
          prop->SetCount(kLanguages);
          for (int l = 0; l < kLanguages; ++l) {
            Values[l].push_back(Text(f, c, property, l));
            if (l > 0) prop->SetLangValue(l, Variant(Values[l].back()));
          }
        }
      }
      if (!First) First = dravik;
      Forms.push_back(std::move(form));
    }
    First->SetLanguage(kLanguageNames[0]);
  }
  ~TFrameOfForms() {
    Forms.clear();
    FinalizeLanguageFrames();
  }
};

// Each iteration moves a frame of forms of controls on to the next language, round the three.
void SwitchFrame(benchmark::State& state, int forms, int controls) {
  TFrameOfForms frame(forms, controls);
  int language = 0;
  for (auto _ : state) {
    language = (language + 1) % kLanguages;
    frame.First->SetLanguage(kLanguageNames[language]);
  }
  if (frame.Controls.back()->GetHint() != frame.Values[language].back())
    state.SkipWithError("the switch did not reach the last form");
  state.SetItemsProcessed(state.iterations() * forms * controls * 2);
}

// The same values through the setters themselves.
void AssignThroughSetters(benchmark::State& state, int forms, int controls) {
  TFrameOfForms frame(forms, controls);
  int language = 0;
  for (auto _ : state) {
    language = (language + 1) % kLanguages;
    const std::vector<std::string>& values = frame.Values[language];
    std::size_t v = 0;
    for (TBenchControl* control : frame.Controls) {
      control->SetCaption(values[v++]);
      control->SetHint(values[v++]);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * forms * controls * 2);
}

void BM_SwitchFrame(benchmark::State& state) {
  SwitchFrame(state, kForms, kControls);
}
BENCHMARK(BM_SwitchFrame)->Unit(benchmark::kMicrosecond);

void BM_AssignThroughSetters(benchmark::State& state) {
  AssignThroughSetters(state, kForms, kControls);
}
BENCHMARK(BM_AssignThroughSetters)->Unit(benchmark::kMicrosecond);

// Frames of more and more small forms: the cost per form should stay the same.
void BM_SwitchGrowth(benchmark::State& state) {
  SwitchFrame(state, static_cast<int>(state.range(0)), kSmallFormControls);
}
BENCHMARK(BM_SwitchGrowth)->Arg(100)->Arg(400)->Arg(1600)->Unit(benchmark::kMicrosecond);

// The same frames' values through the bare setters: how the memory the forms take grows beyond
// the caches, which no switch escapes.
void BM_AssignGrowth(benchmark::State& state) {
  AssignThroughSetters(state, static_cast<int>(state.range(0)), kSmallFormControls);
}
BENCHMARK(BM_AssignGrowth)->Arg(100)->Arg(400)->Arg(1600)->Unit(benchmark::kMicrosecond);

// After the table: how much the switch costs on top of the bare assignments, in CPU time.
void PrintRatios(const TBenchTimes& times) {
  const double change = CpuTime(times, "BM_SwitchFrame");
  const double bare = CpuTime(times, "BM_AssignThroughSetters");
  if (change > 0 && bare > 0)
    std::printf("switch / bare assignments (CPU time): %.2f (machinery %+.0f %%)\n", change / bare,
                100.0 * (change / bare - 1.0));
  auto growth = [&](const char* way, int from, int to) {
    const std::string name = std::string("BM_") + way + "Growth/";
    const double small = CpuTime(times, name + std::to_string(from));
    const double large = CpuTime(times, name + std::to_string(to));
    return small > 0 && large > 0 ? large / small : 0.0;
  };
  for (auto [from, to] : {std::pair{100, 400}, std::pair{400, 1600}}) {
    const double switched = growth("Switch", from, to);
    const double bare = growth("Assign", from, to);
    if (switched > 0)
      std::printf("switch of %d against %d forms (CPU time): %.2f times (linear: 4)\n", to, from,
                  switched);
    if (bare > 0)
      std::printf("bare setters of %d against %d forms (CPU time): %.2f times (linear: 4)\n", to,
                  from, bare);
    // The bare setters' growth is what the caches alone make of these frames on this machine.
    if (switched > 0 && bare > 0)
      std::printf("  switch's growth / bare setters' growth: %.2f\n", switched / bare);
  }
}

}  // namespace

int main(int argc, char** argv) {
  return RunComparison(argc, argv, PrintRatios);
}
