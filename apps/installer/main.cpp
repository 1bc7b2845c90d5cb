// DravikInstall: installs the files shipped beside it and registers the design package with the
// environments found in the registry. With --install or --uninstall it does one run without the
// window, prints the status lines and exits 1 when a step failed.
#include <QCoreApplication>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "apps/installer/DravikInstallMain.h"
#include "apps/installer/InstallFiles.h"
#include "installer/FileSelect.h"
#include "library/FileTools.h"
#include "platform/core/system/Exceptions.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiApplication.h"
#include "runtime/Dravik.h"

using namespace dravik;

namespace {

const char kUsage[] =
    "Usage: DravikInstall [--install|--uninstall --folder DIR [--no-register]]\n"
    "                     [--source DIR] [--windows-dir DIR] [--language NAME]\n"
    "\n"
    "Installs the files shipped beside this program into a folder, the run-time libraries into\n"
    "the shared library folder and the environment's program folder, and registers the design\n"
    "package with the environment. Without --install or --uninstall it shows its window.\n"
    "\n"
    "  --install, --uninstall  one run without the window; the status lines go to standard\n"
    "                          output, the exit code is 1 when a step failed\n"
    "  --folder DIR            the installation folder\n"
    "  --no-register           install without registering the design package\n"
    "  --source DIR            where the shipped files are (default: this program's folder)\n"
    "  --windows-dir DIR       the shared library folder (default: DRAVIK_WINDOWS_DIR, else\n"
    "                          ~/.local/lib)\n"
    "  --language NAME         English or Deutsch (default: the language saved last)\n";

struct TOptions {
  std::string Mode;  // empty: the window
  std::string Folder, Source, WindowsDir, Language;
  bool Register = true;
};

// Answers 0 when the options were read, else the exit code (-1: help).
int ReadOptions(int argc, char** argv, TOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    std::string* value = arg == "--folder"        ? &options.Folder
                         : arg == "--source"      ? &options.Source
                         : arg == "--windows-dir" ? &options.WindowsDir
                         : arg == "--language"    ? &options.Language
                                                  : nullptr;
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return -1;
    } else if ((arg == "--install" || arg == "--uninstall") && options.Mode.empty()) {
      options.Mode = arg;
    } else if (arg == "--no-register") {
      options.Register = false;
    } else if (value && i + 1 < argc) {
      *value = argv[++i];
    } else {
      std::cerr << "DravikInstall: unknown argument '" << arg << "' (see 'DravikInstall --help')\n";
      return 2;
    }
  }
  if (!options.Mode.empty() && options.Folder.empty()) {
    std::cerr << "DravikInstall: " << options.Mode << " needs --folder DIR\n";
    return 2;
  }
  return 0;
}

bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && std::strcmp(platform, "offscreen") == 0) return false;
  return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || platform;
}

// The window's choices as the options give them.
void Choose(TDravikInstallForm& form, const TOptions& options) {
  const bool installing = options.Mode == "--install";
  form.Radio("BtnInstall")->SetChecked(installing);
  form.Radio("BtnUninstall")->SetChecked(!installing);
  form.BtnInstallClick(nullptr);
  form.FolderSelect()->SetText(options.Folder);
  form.BtnClick(nullptr);
  for (const char* name : {"BtnD3", "BtnD4", "BtnD5"})
    if (!options.Register) form.Box(name)->SetChecked(false);
}

// Qt's notes about the platform are not the installer's messages.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::cerr << message.toLocal8Bit().constData() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (const int code = ReadOptions(argc, argv, options)) return code < 0 ? 0 : code;
  const bool silent = !options.Mode.empty();
  if (!silent && !HasDisplay()) {
    std::cerr << "DravikInstall: no display for the window; use --install or --uninstall\n";
    return 2;
  }
  if (silent) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietQt);
  try {
    TUiApplication app(argc, argv);
    app->SetTitle("Setup");
    auto* form = app.CreateForm<TDravikInstallForm>();
    if (!options.Language.empty()) form->Dravik()->SetLanguage(options.Language);
    TInstallSetup setup;
    setup.SourceDir = options.Source.empty() ? GetApplicationDir() : options.Source;
    setup.WindowsDir = options.WindowsDir.empty() ? DefaultWindowsDir() : options.WindowsDir;
    if (silent) {
      setup.Message = [](TMsgDlgType type, const std::string& text) {
        if (type == mtError) std::cerr << "DravikInstall: " << text << "\n";
      };
      setup.Status = [](const std::string& line) { std::cout << line << "\n"; };
    }
    if (!form->Start(std::move(setup))) return 1;
    if (silent) {
      Choose(*form, options);
      return form->Run() ? 0 : 1;
    }
    form->Show();
    return app.Run();
  } catch (const Exception& e) {
    std::cerr << "DravikInstall: " << e.Message() << "\n";
    return 1;
  }
}
