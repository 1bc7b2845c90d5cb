// The language editor on a form of many translated properties in five languages: rebuilding
// its grid, and one commit of the working copy back to the component (without the backup, which
// is the export's own cost). Items per second show how each grows with the number of entries.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "editor/DravikEditorForm.h"
#include "platform/core/forms/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiApplication.h"
#include "runtime/Dravik.h"
#include "runtime/LangPropertyEntries.h"
#include "runtime/LanguageManager.h"

using namespace dravik;

namespace {

constexpr const char* kLanguages[] = {"English", "Deutsch", "Français", "Español", "Italiano"};

// A form of n labels whose captions are translated into five languages, and the editor on it.
struct TEditorOnForm {
  TComponentPtr<TForm> Form;
  TDravik* Dravik = nullptr;
  TComponentPtr<TDravikEditorForm> Editor;

  explicit TEditorOnForm(int n) {
    Form = MakeComponent<TForm>(nullptr);
    Form->SetName("Form1");
    Dravik = Create<TDravik>(Form.get());
    Dravik->SetName("Dravik");
    TLanguageManager* manager = Dravik->LanguageManager();
    for (int i = 0; i < 5; ++i) {
      TLanguageEntry* language = manager->Langs()->Add();
      language->Name = kLanguages[i];
      language->SubIndex = i;
    }
    TComponentEntries* comps = manager->Comps();
    for (int i = 0; i < n; ++i) {
      auto* label = Create<TLabel>(Form.get());
      label->SetName("Label" + std::to_string(i + 1));
      TMainEntry* owner =
          TMainEntry::CreateEx(comps, label, label->Name(), "TLabel", {stPubPropObject});
      auto* entry = static_cast<TConsistentLangPropertyEntry*>(
          TPropertyEntry::CreateByRef(owner, label->ClassType().FindProp("Caption")));
      entry->SetCount(5);
      for (int slot = 0; slot < 5; ++slot)
        entry->SetLangValue(slot, Variant(std::string(kLanguages[slot]) + " " + std::to_string(i)));
    }
    manager->Init(cmInitAll);
    Editor = MakeComponent<TDravikEditorForm>(nullptr);
    Editor->Item("ItemAutoBackup")->SetChecked(false);
    Editor->Init("", Form.get(), manager, Dravik);
  }
};

void BM_RefreshGrid(benchmark::State& state) {
  TEditorOnForm editor(static_cast<int>(state.range(0)));
  for (auto _ : state) editor.Editor->RefreshGrid();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RefreshGrid)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_Commit(benchmark::State& state) {
  TEditorOnForm editor(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    editor.Editor->SetDataModified();
    editor.Editor->Commit();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Commit)->Arg(1000)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The editor's settings and log go to a scratch folder, not the user's.
  char scratch[] = "/tmp/bench_editor-XXXXXX";
  if (!mkdtemp(scratch)) return 1;
  setenv("DRAVIK_REGISTRY", (std::string(scratch) + "/registry.reg").c_str(), 1);
  setenv("TMPDIR", scratch, 1);
  {
    TUiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
  }
  std::filesystem::remove_all(scratch);
  return 0;
}
