#pragma once
// The common dialogs: open and save a file, choose a font. Execute shows the dialog modally
// and answers whether the user accepted it; the choice is then in the properties.

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

#include "platform/core/classes/Component.h"
#include "platform/core/graphics/Font.h"

namespace dravik {

class TCommonDialog : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  virtual bool Execute() = 0;
  // The dialog while Execute shows it; null otherwise.
  QDialog* Dialog() const { return fDialog.data(); }

 protected:
  // Shows dialog modally; when accepted, takes the choice with accept before the dialog goes.
  bool Run(QDialog* dialog, const std::function<void()>& accept);

 private:
  QPointer<QDialog> fDialog;
};

// "Text files|*.txt|All|*.*" as Qt's name filters ("Text files (*.txt)", "All (*.*)"); a
// description without patterns is left out, and patterns split at ';' as the original does.
QStringList FilterToQt(const std::string& filter);

class TOpenDialog : public TCommonDialog {
 public:
  using TCommonDialog::TCommonDialog;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  const std::string& FileName() const { return fFileName; }
  void SetFileName(const std::string& value) { fFileName = value; }
  const std::string& Filter() const { return fFilter; }
  void SetFilter(const std::string& value) { fFilter = value; }
  // The chosen filter, counted from 1.
  int32_t FilterIndex() const { return fFilterIndex; }
  void SetFilterIndex(int32_t value) { fFilterIndex = value; }
  const std::string& Title() const { return fTitle; }
  void SetTitle(const std::string& value) { fTitle = value; }
  const std::string& InitialDir() const { return fInitialDir; }
  void SetInitialDir(const std::string& value) { fInitialDir = value; }
  const std::string& DefaultExt() const { return fDefaultExt; }
  void SetDefaultExt(const std::string& value) { fDefaultExt = value; }
  bool Execute() override;

 protected:
  virtual bool Saving() const { return false; }

 private:
  std::string fFileName;
  std::string fFilter;
  int32_t fFilterIndex = 1;
  std::string fTitle;
  std::string fInitialDir;
  std::string fDefaultExt;
};

class TSaveDialog : public TOpenDialog {
 public:
  using TOpenDialog::TOpenDialog;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

 protected:
  bool Saving() const override { return true; }
};

class TFontDialog : public TCommonDialog {
 public:
  explicit TFontDialog(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TFont* Font() const { return fFont.get(); }
  void SetFont(TFont* value) { fFont->Assign(value); }
  bool Execute() override;

 private:
  std::unique_ptr<TFont> fFont;
};

// Sounds the system's bell.
void Beep();

}  // namespace dravik
