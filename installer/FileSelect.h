#pragma once
// TFileSelect: a history box whose "..." button picks a folder (TBrowseFolder) or a file (the
// open or save dialog), starting from the text in the box.

#include <string>

#include "widgets/MRUComboBox.h"

namespace dravik {

enum TFileSelectMode { mDirectory, mFileOpen, mFileSave };
const TTypeInfo& TypeInfoFor(TFileSelectMode);

class TCommonDialog;

class TFileSelect : public TCustomMRUComboBox {
 public:
  explicit TFileSelect(TComponent* owner);
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }

  const std::string& FileFilter() const { return fFileFilter; }
  void SetFileFilter(const std::string& value) { fFileFilter = value; }
  const std::string& FileName() const { return Text(); }
  void SetFileName(const std::string& value) { SetText(value); }
  TFileSelectMode Mode() const { return fMode; }
  void SetMode(TFileSelectMode value) { fMode = value; }
  // The dialog the button shows, while it shows; null otherwise.
  TCommonDialog* ActiveDialog() const { return fActive; }

 protected:
  void ButtonClick() override;

 private:
  std::string fFileFilter = "All files (*.*)|*.*";
  TFileSelectMode fMode = mDirectory;
  TCommonDialog* fActive = nullptr;
};

}  // namespace dravik
