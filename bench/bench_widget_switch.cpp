// One language switch of a frame of 100 shown forms with 100 labels each, on real Qt widgets,
// done three ways in the same run: TDravik's SetLanguage on one form (the whole frame follows);
// the way a Qt application retranslates (a QTranslator made by lrelease from the same texts, put
// in place of the previous one, then a retranslateUi per form that asks
// QCoreApplication::translate for every label's text); and bare setText calls with the texts
// ready as QStrings. Every switch goes between Deutsch and Francais, so every text changes; the
// labels keep their size (no AutoSize), as the other two ways do not resize them. A fourth run
// switches labels that resize to their text, the default of a label. The retranslateUi calls are
// made directly: the LanguageChange events that make them in an application are left out, in the
// Qt way's favour. The ratios are printed at the end.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/TimesReporter.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiApplication.h"
#include "runtime/Dravik.h"
#include "runtime/LanguageSwitch.h"

using namespace dravik;

namespace {

constexpr int kForms = 100;
constexpr int kLabels = 100;
constexpr int kLanguages = 3;
const char* const kLanguageNames[kLanguages] = {"English", "Deutsch", "Francais"};
// The two languages every switch goes between: both are translations, so the Qt way looks up.
constexpr int kFirst = 1;
constexpr int kSecond = 2;

std::string Text(int form, int label, int language) {
  return "Caption of label " + std::to_string(label) + " on form " + std::to_string(form) + " in " +
         kLanguageNames[language];
}

std::string FormName(int form) {
  return "Form" + std::to_string(form);
}

struct TWidgetFrame {
  std::vector<TComponentPtr<TForm>> Forms;
  std::vector<TLabel*> Labels;  // kLabels per form, form after form
  TDravik* First = nullptr;

  explicit TWidgetFrame(bool autoSize) {
    for (int f = 0; f < kForms; ++f) {
      auto form = MakeComponent<TForm>(nullptr);
      form->SetName(FormName(f));
      form->SetBounds(0, 0, 640, 20 * kLabels + 20);
      auto* dravik = Create<TDravik>(form.get());
      dravik->SetName("Dravik");
      TLanguageManager* manager = dravik->LanguageManager();
      for (int l = 0; l < kLanguages; ++l) {
        TLanguageEntry* language = manager->Langs()->Add();
        language->Name = kLanguageNames[l];
        language->SubIndex = l;
      }
      manager->SyncCount(cmInitAll);
      const TPropInfo* caption = TLabel::StaticClass().FindProp("Caption");
      for (int c = 0; c < kLabels; ++c) {
        auto* label = Create<TLabel>(form.get());
        label->SetName("Label" + std::to_string(c));
        label->SetParent(form.get());
        label->SetAutoSize(autoSize);
        label->SetBounds(8, 4 + 20 * c, 600, 18);
        Labels.push_back(label);
        TMainEntry* entry = TMainEntry::CreateEx(manager->Comps(), label, label->Name(),
                                                 label->ClassName(), {stPubPropObject});
        auto* prop = static_cast<TInconsistentLangPropertyEntry*>(
            TPropertyEntry::CreateByRef(entry, caption));
        prop->SetCount(kLanguages);
        for (int l = 0; l < kLanguages; ++l) prop->SetLangValue(l, Variant(Text(f, c, l)));
      }
      form->Show();
      if (!First) First = dravik;
      Forms.push_back(std::move(form));
    }
    QCoreApplication::processEvents();
    First->SetLanguage(kLanguageNames[kFirst]);
    QCoreApplication::processEvents();
  }
  ~TWidgetFrame() {
    Forms.clear();
    FinalizeLanguageFrames();
  }
  QLabel* Widget(int form, int label) const {
    return static_cast<QLabel*>(Labels[static_cast<std::size_t>(form * kLabels + label)]->Widget());
  }
};

// Every timed switch leaves repaints and layout requests behind; they are handled untimed, the
// same for every way, so that no way pays for another's.
void Settle(benchmark::State& state) {
  state.PauseTiming();
  QCoreApplication::processEvents();
  state.ResumeTiming();
}

int Next(int language) {
  return language == kFirst ? kSecond : kFirst;
}

// One switch the TDravik way; a function of its own, so that a profile can single it out from
// the frame's first switch, which binds the entries.
[[gnu::noinline]] void SwitchDravik(TDravik& dravik, const char* language) {
  dravik.SetLanguage(language);
}

void SwitchWithDravik(benchmark::State& state, bool autoSize) {
  TWidgetFrame frame(autoSize);
  int language = kFirst;
  for (auto _ : state) {
    language = Next(language);
    SwitchDravik(*frame.First, kLanguageNames[language]);
    Settle(state);
  }
  if (frame.Widget(kForms - 1, kLabels - 1)->text().toStdString() !=
      Text(kForms - 1, kLabels - 1, language))
    state.SkipWithError("the switch did not reach the last label");
  state.SetItemsProcessed(state.iterations() * kForms * kLabels);
}

void BM_Dravik(benchmark::State& state) {
  SwitchWithDravik(state, false);
}
BENCHMARK(BM_Dravik)->Unit(benchmark::kMicrosecond);

// The translation files, made once: a .ts per language written from the same texts, compiled by
// lrelease into a temporary folder.
class TTranslations {
 public:
  TTranslations() {
    if (!fDir.isValid()) throw std::runtime_error("no temporary folder for the translations");
    for (int l : {kFirst, kSecond}) {
      const QString ts = fDir.filePath(QStringLiteral("bench_%1.ts").arg(l));
      WriteTs(ts, l);
      const std::string command = std::string(DRAVIK_LRELEASE) + " -silent '" + ts.toStdString() +
                                  "' -qm '" + QmFile(l).toStdString() + "'";
      if (std::system(command.c_str()) != 0) throw std::runtime_error("lrelease failed");
    }
  }
  QString QmFile(int language) const {
    return fDir.filePath(QStringLiteral("bench_%1.qm").arg(language));
  }

 private:
  static void WriteTs(const QString& path, int language) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
      throw std::runtime_error("cannot write " + path.toStdString());
    QTextStream out(&file);
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
        << "<TS version=\"2.1\" language=\"" << kLanguageNames[language] << "\">\n";
    for (int f = 0; f < kForms; ++f) {
      out << "<context>\n  <name>" << FormName(f).c_str() << "</name>\n";
      for (int c = 0; c < kLabels; ++c)
        out << "  <message>\n    <source>" << Text(f, c, 0).c_str()
            << "</source>\n    <translation>" << Text(f, c, language).c_str()
            << "</translation>\n  </message>\n";
      out << "</context>\n";
    }
    out << "</TS>\n";
  }
  QTemporaryDir fDir;
};

// What uic writes for a form: its retranslateUi asks for each text by the form's context and the
// source text, as string literals.
struct TRetranslatedForm {
  std::string Context;
  std::vector<std::string> Sources;
  std::vector<QLabel*> Labels;

  void RetranslateUi() const {
    const char* context = Context.c_str();
    for (std::size_t c = 0; c < Labels.size(); ++c)
      Labels[c]->setText(QCoreApplication::translate(context, Sources[c].c_str()));
  }
};

// One switch the Qt way; a function of its own, so that a profile can single it out.
[[gnu::noinline]] void SwitchTranslator(QTranslator& from, QTranslator& to,
                                        const std::vector<TRetranslatedForm>& forms) {
  QCoreApplication::removeTranslator(&from);
  QCoreApplication::installTranslator(&to);
  for (const TRetranslatedForm& form : forms) form.RetranslateUi();
}

void BM_QtTranslator(benchmark::State& state) {
  TWidgetFrame frame(false);
  const TTranslations translations;
  QTranslator translators[kLanguages];
  for (int l : {kFirst, kSecond})
    if (!translators[l].load(translations.QmFile(l)))
      return state.SkipWithError("a translation file did not load");
  std::vector<TRetranslatedForm> forms(kForms);
  for (int f = 0; f < kForms; ++f) {
    forms[f].Context = FormName(f);
    for (int c = 0; c < kLabels; ++c) {
      forms[f].Sources.push_back(Text(f, c, 0));
      forms[f].Labels.push_back(frame.Widget(f, c));
    }
  }
  int language = kFirst;
  QCoreApplication::installTranslator(&translators[language]);
  for (auto _ : state) {
    SwitchTranslator(translators[language], translators[Next(language)], forms);
    language = Next(language);
    Settle(state);
  }
  QCoreApplication::removeTranslator(&translators[language]);
  if (frame.Widget(kForms - 1, kLabels - 1)->text().toStdString() !=
      Text(kForms - 1, kLabels - 1, language))
    state.SkipWithError("the translation did not reach the last label");
  state.SetItemsProcessed(state.iterations() * kForms * kLabels);
}
BENCHMARK(BM_QtTranslator)->Unit(benchmark::kMicrosecond);

[[gnu::noinline]] void SetTexts(const std::vector<QLabel*>& labels,
                                const std::vector<QString>& values) {
  for (std::size_t i = 0; i < labels.size(); ++i) labels[i]->setText(values[i]);
}

void BM_BareSetText(benchmark::State& state) {
  TWidgetFrame frame(false);
  std::vector<QString> texts[kLanguages];
  std::vector<QLabel*> labels;
  for (int f = 0; f < kForms; ++f)
    for (int c = 0; c < kLabels; ++c) {
      labels.push_back(frame.Widget(f, c));
      for (int l : {kFirst, kSecond}) texts[l].push_back(QString::fromStdString(Text(f, c, l)));
    }
  int language = kFirst;
  for (auto _ : state) {
    language = Next(language);
    SetTexts(labels, texts[language]);
    Settle(state);
  }
  if (labels.back()->text() != texts[language].back())
    state.SkipWithError("the texts did not reach the last label");
  state.SetItemsProcessed(state.iterations() * kForms * kLabels);
}
BENCHMARK(BM_BareSetText)->Unit(benchmark::kMicrosecond);

// Labels that take the size of their text measure it again at every switch.
void BM_DravikAutoSize(benchmark::State& state) {
  SwitchWithDravik(state, true);
}
BENCHMARK(BM_DravikAutoSize)->Unit(benchmark::kMicrosecond);

// After the table: TDravik's switch against the other two ways in CPU time.
void PrintRatios(const TBenchTimes& times) {
  const double perSwitch = 1e3 / (kForms * kLabels);  // us per switch to ns per label
  const double dravik = CpuTime(times, "BM_Dravik");
  const double qt = CpuTime(times, "BM_QtTranslator");
  const double bare = CpuTime(times, "BM_BareSetText");
  const double autoSize = CpuTime(times, "BM_DravikAutoSize");
  if (dravik > 0 && qt > 0)
    std::printf("TDravik / Qt way (CPU time): %.2f  (%.0f ns against %.0f ns per label)\n",
                dravik / qt, dravik * perSwitch, qt * perSwitch);
  if (dravik > 0 && bare > 0)
    std::printf("TDravik / bare setText (CPU time): %.2f  (%.0f ns against %.0f ns per label)\n",
                dravik / bare, dravik * perSwitch, bare * perSwitch);
  if (autoSize > 0 && bare > 0)
    std::printf("TDravik with auto-sized labels / bare setText (CPU time): %.2f\n",
                autoSize / bare);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("LANG", "C", 1);
  TUiApplication app(argc, argv);
  return RunComparison(argc, argv, PrintRatios);
}
