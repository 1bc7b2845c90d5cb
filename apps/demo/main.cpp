// dravik-demo: a small multilingual application made of form files. Its windows switch language
// at run time through a TDravik on each; with --screenshot-dir (or without a display) it shows
// every window in every language, saves one picture each and exits.
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "apps/ScreenshotFolder.h"
#include "apps/demo/DemoForms.h"
#include "platform/core/classes/Strings.h"
#include "platform/ui/UiApplication.h"
#include "runtime/Dravik.h"
#include "runtime/DravikSystem.h"
#include "runtime/LanguageSwitch.h"
#include "widgets/MyMsgForm.h"

using namespace dravik;

namespace {

struct TOptions {
  std::string Language;
  std::string ScreenshotDir;
};

const char kUsage[] =
    "Usage: dravik-demo [--language NAME] [--screenshot-dir DIR]\n"
    "\n"
    "A multilingual application of three windows made of form files. It starts in the user's\n"
    "language (LANG) when it knows it, else in the language its forms were stored in.\n"
    "\n"
    "  --language NAME       start in this language (English, Deutsch, Francais, ...)\n"
    "  --screenshot-dir DIR  show each window in every language, save DIR/WINDOW-LANGUAGE.png\n"
    "                        and exit; without a display this is the default, into the\n"
    "                        screenshots folder beside the build's bin folder, or of the\n"
    "                        current folder for an installed program\n";

bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && std::strcmp(platform, "offscreen") == 0) return false;
  return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || platform;
}

void Save(QWidget* window, const std::string& path) {
  if (!window->grab().save(QString::fromStdString(path))) throw EWriteError("Cannot write " + path);
}

// Saves a picture of form in every language of its TDravik.
void Photograph(TCustomForm* form, const std::string& name, const std::string& dir) {
  form->Show();
  auto* dravik = dynamic_cast<TDravik*>(form->FindComponent("Dravik"));
  TStringList languages;
  dravik->GetLanguages(languages);
  for (int i = 0; i < languages.Count(); ++i) {
    dravik->SetLanguage(languages.Strings(i));
    QCoreApplication::processEvents();
    Save(form->Widget(), dir + "/" + name + "-" + languages.Strings(i) + ".png");
  }
  form->Hide();
}

// Saves a picture of the message dialog the Greet button shows, in every language of the main
// form: the greeting is a named string of the main form, the caption and button the dialog's own.
void PhotographMessage(TMainForm* main, const std::string& dir) {
  TStringList languages;
  main->Dravik()->GetLanguages(languages);
  for (int i = 0; i < languages.Count(); ++i) {
    main->Dravik()->SetLanguage(languages.Strings(i));
    TComponentPtr<TMyMsgForm> dialog = MakeComponent<TMyMsgForm>(nullptr);
    TMsgDlgParams params;
    params.Text = main->Dravik()->GetString("Greeting");
    dialog->Prepare(params);
    dialog->Show();
    QCoreApplication::processEvents();
    Save(dialog->Widget(), dir + "/message-" + languages.Strings(i) + ".png");
  }
}

int Screenshots(TUiApplication& app, const std::string& dir) {
  if (!QDir().mkpath(QString::fromStdString(dir))) throw EWriteError("Cannot create " + dir);
  Photograph(app.MainForm(), "main", dir);
  PhotographMessage(static_cast<TMainForm*>(app.MainForm()), dir);
  Photograph(app.CreateForm<TDetailsForm>(), "details", dir);
  Photograph(app.CreateForm<TSettingsForm>(), "settings", dir);
  std::cout << "Screenshots of every window in every language: "
            << QFileInfo(QString::fromStdString(dir)).absoluteFilePath().toStdString() << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if ((arg == "--language" || arg == "--screenshot-dir") && i + 1 < argc) {
      (arg == "--language" ? options.Language : options.ScreenshotDir) = argv[++i];
    } else {
      std::cerr << "dravik-demo: unknown argument '" << arg << "' (see 'dravik-demo --help')\n";
      return 2;
    }
  }
  if (!HasDisplay()) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (options.ScreenshotDir.empty()) options.ScreenshotDir = DefaultScreenshotFolder(argv[0], "");
  }
  try {
    TUiApplication app(argc, argv);
    app->SetTitle("Dravik demo");
    if (!options.Language.empty()) DefineStartupLanguage(options.Language);
    auto* main = app.CreateForm<TMainForm>();
    if (!options.Language.empty() &&
        !CompareLanguages(options.Language, main->Dravik()->GetLanguage()))
      std::cerr << "dravik-demo: the windows have no language '" << options.Language
                << "'; they start in " << main->Dravik()->GetLanguage() << "\n";
    if (!options.ScreenshotDir.empty()) return Screenshots(app, options.ScreenshotDir);
    return app.Run();
  } catch (const Exception& e) {
    std::cerr << "dravik-demo: " << e.Message() << "\n";
    return 1;
  }
}
