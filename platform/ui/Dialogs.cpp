#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <cmath>

#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/Graphics.h"

namespace dravik {

namespace {

const TClassRegistration kRegistrations[] = {
    TClassRegistration(TOpenDialog::StaticClass()),
    TClassRegistration(TSaveDialog::StaticClass()),
    TClassRegistration(TFontDialog::StaticClass()),
};

}  // namespace

const TClassRecord& TCommonDialog::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TCommonDialog, TComponent>("TCommonDialog", "Dialogs").Build();
  return record;
}

bool TCommonDialog::Run(QDialog* dialog, const std::function<void()>& accept) {
  std::unique_ptr<QDialog> owned(dialog);
  fDialog = dialog;
  const bool accepted = dialog->exec() == QDialog::Accepted;
  fDialog.clear();
  if (accepted) accept();
  return accepted;
}

QStringList FilterToQt(const std::string& filter) {
  const QStringList parts = QText(filter).split(QLatin1Char('|'));
  QStringList result;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) pattern = pattern.trimmed();
    patterns.removeAll(QString());
    if (patterns.isEmpty()) continue;
    // Qt reads the patterns from the parentheses; the description must not hold its own.
    QString description = parts[i].trimmed();
    description.replace(QLatin1Char('('), QLatin1Char('['))
        .replace(QLatin1Char(')'), QLatin1Char(']'));
    result << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                  QLatin1Char(')');
  }
  return result;
}

// --- TOpenDialog, TSaveDialog ------------------------------------------------------------------

const TClassRecord& TOpenDialog::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TOpenDialog, TCommonDialog>("TOpenDialog", "Dialogs")
          .Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
          .Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
          .Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
          .Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex)
          .Default(1)
          .Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
          .Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
          .Build();
  return record;
}

bool TOpenDialog::Execute() {
  auto* dialog = new QFileDialog();
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  // Whether to replace a chosen file is the caller's question, asked in its own language.
  dialog->setOption(QFileDialog::DontConfirmOverwrite);
  dialog->setAcceptMode(Saving() ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(Saving() ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!fTitle.empty()) dialog->setWindowTitle(QText(fTitle));
  if (!fInitialDir.empty()) dialog->setDirectory(QText(fInitialDir));
  if (!fDefaultExt.empty()) dialog->setDefaultSuffix(QText(fDefaultExt));
  const QStringList filters = FilterToQt(fFilter);
  if (!filters.isEmpty()) {
    dialog->setNameFilters(filters);
    if (fFilterIndex >= 1 && fFilterIndex <= filters.size())
      dialog->selectNameFilter(filters[fFilterIndex - 1]);
  }
  if (!fFileName.empty()) dialog->selectFile(QText(fFileName));
  return Run(dialog, [this, dialog, filters] {
    const QStringList files = dialog->selectedFiles();
    if (!files.isEmpty()) fFileName = files.first().toStdString();
    const qsizetype index = filters.indexOf(dialog->selectedNameFilter());
    if (index >= 0) fFilterIndex = static_cast<int32_t>(index + 1);
  });
}

const TClassRecord& TSaveDialog::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TSaveDialog, TOpenDialog>("TSaveDialog", "Dialogs").Build();
  return record;
}

// --- TFontDialog -------------------------------------------------------------------------------

const TClassRecord& TFontDialog::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TFontDialog, TCommonDialog>("TFontDialog", "Dialogs")
          .Property("Font", &TFontDialog::Font, &TFontDialog::SetFont)
          .Build();
  return record;
}

TFontDialog::TFontDialog(TComponent* owner)
    : TCommonDialog(owner), fFont(std::make_unique<TFont>()) {}

bool TFontDialog::Execute() {
  auto* dialog = new QFontDialog(ToQFont(*fFont));
  dialog->setOption(QFontDialog::DontUseNativeDialog);
  return Run(dialog, [this, dialog] {
    const QFont chosen = dialog->selectedFont();
    TFontStyles style;
    if (chosen.bold()) style.Include(fsBold);
    if (chosen.italic()) style.Include(fsItalic);
    if (chosen.underline()) style.Include(fsUnderline);
    if (chosen.strikeOut()) style.Include(fsStrikeOut);
    fFont->SetName(chosen.family().toStdString());
    if (chosen.pixelSize() > 0) {
      fFont->SetHeight(-chosen.pixelSize());
    } else {
      fFont->SetSize(static_cast<int32_t>(std::lround(chosen.pointSizeF())));
    }
    fFont->SetStyle(style);
  });
}

void Beep() {
  QApplication::beep();
}

}  // namespace dravik
