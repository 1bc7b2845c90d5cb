#pragma once
// What the design package's tests share: a host on an empty project (so registrations land and
// the package's text module exists), a form designer that counts its changes, a recording
// language editor window in place of the real one, and the texts of the next message box.

#include <functional>
#include <memory>
#include <string>

#include "platform/ide/ComponentEditor.h"
#include "platform/ide/ProjectHost.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/UiFixture.h"

namespace dravik {

class TForm;

class TCountingDesigner : public TFormDesigner {
 public:
  explicit TCountingDesigner(TComponent* root) : fRoot(root) {}
  TComponent* Root() const override { return fRoot; }
  void Modified() override { ++Changes; }
  int Changes = 0;

 private:
  TComponent* fRoot;
};

// What the language editor window was shown with.
struct TEditorCall {
  std::string FileName;
  TComponent* Form = nullptr;
  TDravik* Control = nullptr;
};

class EditorTest : public UiTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The title and text of the next modal window, which is then closed with Return.
  void CaptureNextDialog();

  TTempDir dir;
  std::unique_ptr<TEnvironmentScope> registry;
  std::unique_ptr<TProjectHost> host;
  std::vector<TEditorCall> calls;
  bool commit = false;  // what the recording window answers
  std::string dialogTitle, dialogText;
};

}  // namespace dravik
