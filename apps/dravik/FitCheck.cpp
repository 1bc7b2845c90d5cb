// dravik fit, as dravik-fit runs it: each form loaded with the visual controls, switched to
// each of its languages and measured.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

#include "apps/dravik/Command.h"
#include "apps/dravik/EachInput.h"
#include "apps/dravik/Escape.h"
#include "apps/dravik/FitCheck.h"
#include "apps/dravik/FitUsage.h"
#include "apps/dravik/FormFile.h"
#include "apps/dravik/StandardOutput.h"
#include "apps/dravik/TextFit.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/forms/Application.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassRecord.h"
#include "platform/ui/UiApplication.h"
#include "runtime/Dravik.h"

namespace dravik {

namespace {

// The form's own class belongs to the program that owns the form, and a registered one would
// read its embedded layout rather than the file's: the file is read into a plain form.
TLoadedForm::TFindClass PlainFormForRoot() {
  return [root = true](const std::string& name) mutable -> const TClassRecord* {
    if (!std::exchange(root, false)) return nullptr;
    const TClassRecord* known = GetClass(name);
    return !known || known->InheritsFrom(TCustomForm::StaticClass()) ? &TForm::StaticClass()
                                                                     : nullptr;
  };
}

// Qt's notes about the offscreen platform are not about the forms checked.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// The form's languages; one unnamed language when it has no TDravik.
std::vector<std::string> LanguagesOf(const TLoadedForm& form) {
  std::vector<TDravik*> all = form.Dravik();
  if (all.empty()) return {""};
  TStringList names;
  all.front()->GetLanguages(names);
  std::vector<std::string> languages;
  for (int i = 0; i < names.Count(); ++i) languages.push_back(names.Strings(i));
  return languages;
}

// Prints the misfits of one form file; answers how many there are. A switch that fails on a
// member is shown through the application; failures collects what was shown.
int CheckForm(const std::string& path, TStandardOutput& out, std::vector<std::string>& failures) {
  TLoadedForm form(ComponentStreamOf(ReadInput(path), std::nullopt), PlainFormForRoot());
  auto* window = dynamic_cast<TCustomForm*>(form.Root());
  if (!window) throw EReadError("the file holds no form but a " + form.Root()->ClassName());
  window->HandleNeeded();
  int count = 0;
  for (const std::string& language : LanguagesOf(form)) {
    failures.clear();
    if (!language.empty()) form.SwitchLanguage(language);
    if (!failures.empty())
      throw EConvertError(Format("switch to '%s' failed: %s", {language, failures.front()}));
    QCoreApplication::processEvents();
    for (const TMisfit& misfit : FindMisfits(*window)) {
      out.Field(path) << '\t';
      out.Field(misfit.Component) << '\t';
      out.Field(misfit.Property) << '\t';
      out.Field(language) << '\t' << misfit.Needed << '\t' << misfit.Available << '\n';
      ++count;
    }
  }
  return count;
}

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {}, {});
  line.ExpectPositionals(1, SIZE_MAX);
  // Measured the same wherever it runs: no display is needed or used.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietQt);
  int argc = 1;
  char name[] = "dravik-fit";
  char* argv[] = {name, nullptr};
  TUiApplication app(argc, argv);
  // Nobody sees a window here: what a switch would show in a dialog fails the form instead.
  std::vector<std::string> failures;
  Application->SetExceptionDisplay(
      [&](TObject*, const Exception& e) { failures.push_back(e.Message()); });
  int misfits = 0;
  const bool read = ForEachInput("fit", line.Positionals(), out, [&](const std::string& path) {
    misfits += CheckForm(path, out, failures);
  });
  return misfits == 0 && read ? 0 : 1;
}

}  // namespace

const TCommand FitCheckCommand{"fit", "check that every translated text fits its control",
                               kFitUsage, Run};

}  // namespace dravik
