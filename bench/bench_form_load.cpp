// Loading and showing a form of 1,000 controls (labels, buttons, edits and check boxes in four
// panels): from its text form file through the framework's reader, against Qt's QUiLoader on a
// .ui file of the same widget classes, geometry and texts, in the same run. Both files are
// written from one description at start-up. A third run reads the same form from its binary
// stream, the form an application may embed instead. The ratios are printed at the end.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QUiLoader>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/TimesReporter.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/streams/StringStream.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiApplication.h"

using namespace dravik;

namespace {

constexpr int kPanels = 4;
constexpr int kControlsPerPanel = 250;
constexpr int kColumns = 10;
constexpr int kCellWidth = 96, kCellHeight = 26, kControlWidth = 90, kControlHeight = 22;
constexpr int kPanelWidth = kColumns * kCellWidth + 8;
constexpr int kPanelHeight = kControlsPerPanel / kColumns * kCellHeight + 8;

struct TControlKind {
  const char* Class;    // the framework's class
  const char* QtClass;  // the widget it makes
  const char* Name;
  const char* TextProperty;  // in the form file; the .ui has "text" for all
};
const TControlKind kKinds[] = {{"TLabel", "QLabel", "Label", "Caption"},
                               {"TButton", "QPushButton", "Button", "Caption"},
                               {"TEdit", "QLineEdit", "Edit", "Text"},
                               {"TCheckBox", "QCheckBox", "CheckBox", "Caption"}};

struct TControlDescription {
  const TControlKind* Kind;
  std::string Name, Text;
  int Left, Top;
};

struct TPanelDescription {
  std::string Name;
  int Left, Top;
  std::vector<TControlDescription> Controls;
};

// The one description both files are written from.
std::vector<TPanelDescription> Describe() {
  std::vector<TPanelDescription> panels;
  int number = 0;
  for (int p = 0; p < kPanels; ++p) {
    TPanelDescription panel{"Panel" + std::to_string(p + 1),
                            8 + (p % 2) * (kPanelWidth + 8),
                            8 + (p / 2) * (kPanelHeight + 8),
                            {}};
    for (int i = 0; i < kControlsPerPanel; ++i, ++number) {
      const TControlKind& kind = kKinds[number % 4];
      const std::string name = kind.Name + std::to_string(number + 1);
      panel.Controls.push_back({&kind, name, name + " of the form", 4 + (i % kColumns) * kCellWidth,
                                4 + (i / kColumns) * kCellHeight});
    }
    panels.push_back(std::move(panel));
  }
  return panels;
}

constexpr int kFormWidth = 2 * kPanelWidth + 24;
constexpr int kFormHeight = 2 * kPanelHeight + 24;

// Labels keep the size given, as the .ui's do.
std::string FormText(const std::vector<TPanelDescription>& panels) {
  std::string text = "object BenchForm: TForm\n  Left = 0\n  Top = 0\n  Caption = 'Form load'\n";
  text += "  ClientHeight = " + std::to_string(kFormHeight) + "\n";
  text += "  ClientWidth = " + std::to_string(kFormWidth) + "\n";
  for (const TPanelDescription& panel : panels) {
    text += "  object " + panel.Name + ": TPanel\n";
    text += "    Left = " + std::to_string(panel.Left) +
            "\n    Top = " + std::to_string(panel.Top) +
            "\n    Width = " + std::to_string(kPanelWidth) +
            "\n    Height = " + std::to_string(kPanelHeight) + "\n";
    for (const TControlDescription& control : panel.Controls) {
      text += "    object " + control.Name + ": " + control.Kind->Class + "\n";
      text += "      Left = " + std::to_string(control.Left) +
              "\n      Top = " + std::to_string(control.Top) +
              "\n      Width = " + std::to_string(kControlWidth) +
              "\n      Height = " + std::to_string(kControlHeight) + "\n";
      if (std::string(control.Kind->Class) == "TLabel") text += "      AutoSize = False\n";
      text += "      " + std::string(control.Kind->TextProperty) + " = '" + control.Text + "'\n";
      text += "    end\n";
    }
    text += "  end\n";
  }
  return text + "end\n";
}

std::string Geometry(int left, int top, int width, int height) {
  return "<property name=\"geometry\"><rect><x>" + std::to_string(left) + "</x><y>" +
         std::to_string(top) + "</y><width>" + std::to_string(width) + "</width><height>" +
         std::to_string(height) + "</height></rect></property>\n";
}

// A form's default font is MS Sans Serif of 11 pixels, which the framework shows in Liberation
// Sans; the .ui names the same family at the same size.
std::string UiText(const std::vector<TPanelDescription>& panels) {
  std::string ui =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n<class>BenchForm</class>\n"
      "<widget class=\"QWidget\" name=\"BenchForm\">\n" +
      Geometry(0, 0, kFormWidth, kFormHeight) +
      "<property name=\"windowTitle\"><string>Form load</string></property>\n"
      "<property name=\"font\"><font><family>Liberation Sans</family><pointsize>8</pointsize>"
      "</font></property>\n";
  for (const TPanelDescription& panel : panels) {
    ui += "<widget class=\"QFrame\" name=\"" + panel.Name + "\">\n" +
          Geometry(panel.Left, panel.Top, kPanelWidth, kPanelHeight) +
          "<property name=\"frameShape\"><enum>QFrame::Panel</enum></property>\n"
          "<property name=\"frameShadow\"><enum>QFrame::Raised</enum></property>\n";
    for (const TControlDescription& control : panel.Controls)
      ui += "<widget class=\"" + std::string(control.Kind->QtClass) + "\" name=\"" + control.Name +
            "\">\n" + Geometry(control.Left, control.Top, kControlWidth, kControlHeight) +
            "<property name=\"text\"><string>" + control.Text + "</string></property>\n</widget>\n";
    ui += "</widget>\n";
  }
  return ui + "</widget>\n</ui>\n";
}

struct TInputs {
  std::string Text;
  std::string Binary;
  QByteArray Ui;
  TInputs() {
    const std::vector<TPanelDescription> panels = Describe();
    Text = FormText(panels);
    TStringStream text(Text), binary;
    ObjectTextToBinary(text, binary);
    Binary = binary.DataString();
    Ui = QByteArray::fromStdString(UiText(panels));
  }
};

const TInputs& Inputs() {
  static const TInputs inputs;
  return inputs;
}

int CountWidgets(const QWidget& window) {
  return static_cast<int>(window.findChildren<QWidget*>().size());
}

// Freeing a window and handling what its showing left behind are not part of loading it.
template <class F>
void Untimed(benchmark::State& state, F&& work) {
  state.PauseTiming();
  work();
  QCoreApplication::processEvents();
  state.ResumeTiming();
}

// The timed work of each way is a function of its own, so that a profile can single it out.
[[gnu::noinline]] TComponentPtr<TForm> ShowFormFile(const std::string& data, bool isText) {
  auto form = MakeComponent<TForm>(nullptr);
  if (isText) {
    TStringStream text(data), binary;
    ObjectTextToBinary(text, binary);
    binary.SetPosition(0);
    ReadComponent(binary, form.get());
  } else {
    TStringStream binary(data);
    ReadComponent(binary, form.get());
  }
  form->Show();
  return form;
}

[[gnu::noinline]] std::unique_ptr<QWidget> ShowUiFile(QUiLoader& loader, QByteArray data) {
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  std::unique_ptr<QWidget> window(loader.load(&buffer));
  if (window) window->show();
  return window;
}

void LoadFormStream(benchmark::State& state, const std::string& data, bool isText) {
  int widgets = 0;
  for (auto _ : state) {
    TComponentPtr<TForm> form = ShowFormFile(data, isText);
    Untimed(state, [&] {
      widgets = CountWidgets(*form->Widget());
      form.reset();
    });
  }
  state.counters["widgets"] = widgets;
}

void BM_FormFileText(benchmark::State& state) {
  LoadFormStream(state, Inputs().Text, true);
}
BENCHMARK(BM_FormFileText)->Unit(benchmark::kMillisecond);

void BM_QUiLoader(benchmark::State& state) {
  QUiLoader loader;
  int widgets = 0;
  for (auto _ : state) {
    std::unique_ptr<QWidget> window = ShowUiFile(loader, Inputs().Ui);
    if (!window) return state.SkipWithError(loader.errorString().toStdString().c_str());
    Untimed(state, [&] {
      widgets = CountWidgets(*window);
      window.reset();
    });
  }
  state.counters["widgets"] = widgets;
}
BENCHMARK(BM_QUiLoader)->Unit(benchmark::kMillisecond);

void BM_FormFileBinary(benchmark::State& state) {
  LoadFormStream(state, Inputs().Binary, false);
}
BENCHMARK(BM_FormFileBinary)->Unit(benchmark::kMillisecond);

// After the table: the form files against QUiLoader in CPU time.
void PrintRatios(const TBenchTimes& times) {
  const double text = CpuTime(times, "BM_FormFileText");
  const double ui = CpuTime(times, "BM_QUiLoader");
  const double binary = CpuTime(times, "BM_FormFileBinary");
  if (text > 0 && ui > 0)
    std::printf("text form file / QUiLoader (CPU time): %.2f  (%.1f ms against %.1f ms)\n",
                text / ui, text, ui);
  if (binary > 0 && ui > 0)
    std::printf("binary form stream / QUiLoader (CPU time): %.2f  (%.1f ms)\n", binary / ui,
                binary);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  TUiApplication app(argc, argv);
  return RunComparison(argc, argv, PrintRatios);
}
