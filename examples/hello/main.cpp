// hello: one window made of a form file, in English and German. The combo box switches the
// language; the Greet button shows a named string from code. With --screenshot-dir DIR (the
// default without a display, into ./screenshots) it pictures the window in each language and
// exits.
#include <QDir>
#include <QPixmap>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "HelloForm.h"

using namespace dravik;

namespace {

bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && std::strcmp(platform, "offscreen") == 0) return false;
  return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || platform;
}

// Switches the window to each of its languages, greets, and saves DIR/hello-LANGUAGE.png.
int Screenshots(THelloForm* form, const std::string& dir) {
  form->Show();
  TStringList languages;
  form->Dravik()->GetLanguages(languages);
  for (int i = 0; i < languages.Count(); ++i) {
    form->Dravik()->SetLanguage(languages.Strings(i));
    form->GreetClick(form);
    QCoreApplication::processEvents();
    const std::string path = dir + "/hello-" + languages.Strings(i) + ".png";
    if (!form->Widget()->grab().save(QString::fromStdString(path)))
      throw EWriteError("Cannot write " + path);
    std::cout << path << "\n";
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string screenshotDir;
  if (argc == 3 && std::strcmp(argv[1], "--screenshot-dir") == 0) {
    screenshotDir = argv[2];
  } else if (argc != 1) {
    std::cerr << "Usage: hello [--screenshot-dir DIR]\n";
    return 2;
  }
  if (!HasDisplay()) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (screenshotDir.empty()) screenshotDir = "screenshots";
  }
  try {
    TUiApplication app(argc, argv);
    auto* form = app.CreateForm<THelloForm>();
    if (!screenshotDir.empty()) {
      if (!QDir().mkpath(QString::fromStdString(screenshotDir)))
        throw EWriteError("Cannot create " + screenshotDir);
      return Screenshots(form, screenshotDir);
    }
    return app.Run();
  } catch (const Exception& e) {
    std::cerr << "hello: " << e.Message() << "\n";
    return 1;
  }
}
