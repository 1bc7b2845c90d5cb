// dravik-studio: the development-environment host. It registers itself where an installer looks
// for an environment, loads the design packages the registry lists and its own, and opens a
// project folder. With --screenshot-dir (or without a display) it shows each form of the folder
// in each of its own languages, saves one picture each and exits.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "apps/ScreenshotFolder.h"
#include "apps/studio/StudioForm.h"
#include "apps/studio/StudioRules.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/inifiles/Registry.h"
#include "platform/core/system/Exceptions.h"
#include "platform/ide/Registration.h"
#include "platform/ui/UiApplication.h"
#include "runtime/Dravik.h"
#include "runtime/DravikSystem.h"

using namespace dravik;

namespace {

struct TOptions {
  std::string Folder;
  std::string Language;
  std::string ScreenshotDir;
  bool Palette = false;
};

const char kUsage[] =
    "Usage: dravik-studio [FOLDER] [--language NAME] [--screenshot-dir DIR] [--palette]\n"
    "\n"
    "The development environment: the units and form files of FOLDER, the palette of the\n"
    "loaded design packages, a view of each form, its components' properties and editors.\n"
    "\n"
    "  --language NAME       the studio's own language (English, Deutsch)\n"
    "  --screenshot-dir DIR  show each form of FOLDER in each of the studio's languages, save\n"
    "                        DIR/FORM-LANGUAGE.png and exit; without a display this is the\n"
    "                        default, into screenshots/studio beside the build's bin folder,\n"
    "                        or of the current folder for an installed program\n"
    "  --palette             print the packages that loaded and the palette, then exit\n";

bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && std::strcmp(platform, "offscreen") == 0) return false;
  return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || platform;
}

// Qt's notes about the platform are not the studio's messages.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::cerr << message.toLocal8Bit().constData() << "\n";
}

// Answers 0 when the options were read, else the exit code.
int ReadOptions(int argc, char** argv, TOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return -1;
    }
    if (arg == "--palette") {
      options.Palette = true;
    } else if ((arg == "--language" || arg == "--screenshot-dir") && i + 1 < argc) {
      (arg == "--language" ? options.Language : options.ScreenshotDir) = argv[++i];
    } else if (!arg.starts_with("-") && options.Folder.empty()) {
      options.Folder = arg;
    } else {
      std::cerr << "dravik-studio: unknown argument '" << arg << "' (see 'dravik-studio --help')\n";
      return 2;
    }
  }
  return 0;
}

// The module's form and, for the inspector, its first TDravik or else the form itself.
void ShowModule(TStudioForm& studio, int module) {
  studio.SelectModule(module);
  TComponent* form = studio.CurrentForm();
  for (int i = 0; form && i < form->ComponentCount(); ++i)
    if (dynamic_cast<TDravik*>(form->Components(i))) {
      studio.SelectComponent(form->Components(i));
      studio.SelectProperty("Language");
      break;
    }
}

int Screenshots(TStudioForm& studio, const std::string& dir, const std::string& language) {
  if (!QDir().mkpath(QString::fromStdString(dir))) throw EWriteError("Cannot create " + dir);
  TStringList languages;
  if (language.empty())
    studio.Dravik()->GetLanguages(languages);
  else
    languages.Add(studio.Dravik()->GetLanguage());
  studio.Show();
  for (int l = 0; l < languages.Count(); ++l) {
    studio.Dravik()->SetLanguage(languages.Strings(l));
    for (int m = 0; m < static_cast<int>(studio.Host().Modules().size()); ++m) {
      if (studio.Host().Modules()[m].FormFile.empty()) continue;
      ShowModule(studio, m);
      QCoreApplication::processEvents();
      const std::string file =
          dir + "/" + studio.Host().Modules()[m].Name + "-" + languages.Strings(l) + ".png";
      if (!studio.Widget()->grab().save(QString::fromStdString(file)))
        throw EWriteError("Cannot write " + file);
    }
  }
  std::cout << "Screenshots of the studio on every form: "
            << QFileInfo(QString::fromStdString(dir)).absoluteFilePath().toStdString() << "\n";
  return 0;
}

// One line per loaded package, then one per palette page: its name and its classes.
void PrintPalette(TStudioForm& studio, const std::vector<std::string>& loaded) {
  for (const std::string& package : loaded) std::cout << "package\t" << package << "\n";
  for (const TDesignRegistry::TPalettePage& page : studio.Host().Registry().Pages()) {
    std::cout << "page\t" << page.Name;
    for (const TClassRecord* c : page.Classes) std::cout << "\t" << c->Name();
    std::cout << "\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (const int code = ReadOptions(argc, argv, options)) return code < 0 ? 0 : code;
  if (!HasDisplay()) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (options.ScreenshotDir.empty())
      options.ScreenshotDir = DefaultScreenshotFolder(argv[0], "studio");
  }
  qInstallMessageHandler(QuietQt);
  try {
    TUiApplication app(argc, argv);
    app->SetTitle("Dravik Studio");
    const std::string bin = QCoreApplication::applicationDirPath().toStdString();
    TRegistry registry;
    try {
      RegisterEnvironment(registry, QCoreApplication::applicationFilePath().toStdString());
    } catch (const Exception& e) {
      std::cerr << "dravik-studio: " << e.Message() << "\n";
    }
    auto* studio = app.CreateForm<TStudioForm>();
    if (!options.Language.empty()) {
      TStringList languages;
      studio->Dravik()->GetLanguages(languages);
      if (languages.IndexOf(options.Language) < 0) {
        std::cerr << "dravik-studio: unknown language '" << options.Language
                  << "' (English, Deutsch)\n";
        return 2;
      }
      studio->Dravik()->SetLanguage(options.Language);
    }
    const std::vector<std::string> loaded =
        studio->LoadPackages(StudioPackages(registry, bin + "/../lib/libQueltDravik30Design.so"));
    if (options.Palette) {
      PrintPalette(*studio, loaded);
      return 0;
    }
    if (!options.Folder.empty()) studio->OpenFolder(options.Folder);
    if (!options.ScreenshotDir.empty())
      return Screenshots(*studio, options.ScreenshotDir, options.Language);
    return app.Run();
  } catch (const Exception& e) {
    std::cerr << "dravik-studio: " << e.Message() << "\n";
    return 1;
  }
}
