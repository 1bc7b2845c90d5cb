#include "apps/dravik/EditWindow.h"

#include <QApplication>
#include <QDir>
#include <QWidget>
#include <cstdlib>
#include <optional>
#include <utility>

#include "apps/dravik/EditUsage.h"
#include "apps/dravik/FormFile.h"
#include "apps/dravik/StandardOutput.h"
#include "editor/DravikEditorForm.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/typinfo/ClassRecord.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiApplication.h"
#include "runtime/Dravik.h"
#include "runtime/LanguageManager.h"

namespace dravik {

namespace {

// The form's own class belongs to the program that owns the form, and a registered one would
// read its embedded layout rather than the file's: the file is read into a plain form.
TLoadedForm::TFindClass PlainFormForRoot() {
  return [root = true](const std::string& name) mutable -> const TClassRecord* {
    if (!std::exchange(root, false)) return nullptr;
    const TClassRecord* known = GetClass(name);
    return known && known->InheritsFrom(TCustomForm::StaticClass()) ? &TForm::StaticClass()
                                                                    : nullptr;
  };
}

// Qt's notes about the offscreen platform are not about the form edited.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

bool HasDisplay() {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
    if (const char* value = std::getenv(name); value && *value) return true;
  return false;
}

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {"unit", "screenshot-dir"}, {});
  line.ExpectPositionals(1, 1);
  const std::string& path = line.Positionals()[0];
  if (path == "-") throw EUsage{"the form is written back: give a file, not standard input"};
  const std::optional<std::string> unit = line.Value("unit");
  const std::optional<std::string> shots = line.Value("screenshot-dir");
  if (shots && shots->empty()) throw EUsage{"--screenshot-dir needs a folder"};
  if (shots) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QuietQt);
  } else if (!HasDisplay()) {
    throw EExit{1, "no display to show the editor on: use --screenshot-dir"};
  }
  static int argc = 1;
  static char name[] = "dravik-edit";
  static char* argv[] = {name, nullptr};
  TUiApplication app(argc, argv);

  if (!shots) {
    EditFormFile(path, unit, [](TDravikEditorForm& editor) { editor.ShowModal(); });
    return 0;
  }
  if (!QDir().mkpath(QString::fromStdString(*shots)))
    throw EExit{1, "cannot create the folder " + *shots};
  // The pictures are taken of a window that is never committed: nothing is written.
  EditFormFile(path, unit, [&](TDravikEditorForm& editor) {
    editor.Show();
    for (const char* language : {"English", "Deutsch"}) {
      editor.Dravik()->SetLanguage(language);
      QCoreApplication::processEvents();
      const std::string picture = *shots + "/edit-" + language + ".png";
      if (!editor.Widget()->grab().save(QString::fromStdString(picture)))
        throw EExit{1, "cannot write " + picture};
      out << picture << '\n';
    }
  });
  return 0;
}

}  // namespace

bool EditFormFile(const std::string& path, const std::optional<std::string>& unit,
                  const std::function<void(TDravikEditorForm& editor)>& show) {
  const std::string bytes = ReadInput(path);
  TLoadedForm form(ComponentStreamOf(bytes, std::nullopt), PlainFormForRoot());
  TDravik& dravik = form.FirstDravik();
  TLanguageManager& manager = *dravik.LanguageManager();
  manager.Init(cmInitAll);
  TComponentPtr<TDravikEditorForm> editor = MakeComponent<TDravikEditorForm>(nullptr);
  editor->Init(unit.value_or(""), manager.Owner(), &manager, &dravik);
  show(*editor);
  if (!editor->Accepted()) return false;
  SaveFileAtomically(path, RewriteFormFile(bytes, std::nullopt,
                                           [&form](const std::string&) { return form.Binary(); }));
  return true;
}

const TCommand EditWindowCommand{"edit", "open the language editor on a form file", kEditUsage,
                                 Run};

}  // namespace dravik
