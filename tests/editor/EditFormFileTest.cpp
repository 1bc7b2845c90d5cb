// dravik edit's window step: a committed edit is written back in the file's own kind, an
// uncommitted one leaves the file as it was.
#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "apps/dravik/EditWindow.h"
#include "apps/dravik/FormFile.h"
#include "editor/DravikEditorForm.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "tests/editor/EditorDriving.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

class EditFormFile : public UiTest {};

// The caption of the form's Title in a language, the form read as a plain form.
std::string TitleIn(const std::string& bytes, const std::string& language) {
  TLoadedForm form(ComponentStreamOf(bytes, std::nullopt),
                   [root = true](const std::string&) mutable -> const TClassRecord* {
                     return std::exchange(root, false) ? &TForm::StaticClass() : nullptr;
                   });
  form.SwitchLanguage(language);
  return FindOwned<TLabel>(form.Root(), "Title")->Caption();
}

TEST_F(EditFormFile, ACommitIsWrittenBackInTheFilesKindAndNothingElseIs) {
  TTempDir dir;
  TEnvironmentScope registry("DRAVIK_REGISTRY", dir.File("registry.reg"));
  TEnvironmentScope temp("TMPDIR", dir.Path());
  const std::string text = ReadFileBytes(std::string(DRAVIK_DEMO_FORMS) + "/TMainForm.txt");
  for (const bool binary : {false, true}) {
    for (const bool commit : {false, true}) {
      SCOPED_TRACE(std::string(binary ? "binary" : "text") + (commit ? ", committed" : ""));
      const std::string file = dir.File(binary ? "Main.dfm" : "Main.txt");
      const std::string before = binary ? TextToBinary(text) : text;
      WriteFileBytes(file, before);
      const bool written = dravik::EditFormFile(file, std::nullopt, [&](TDravikEditorForm& editor) {
        editor.Show();
        if (commit) TypeAndCommit(editor, "Title", "Caption", "Deutsch", "Neu");
      });
      EXPECT_EQ(written, commit);
      const std::string after = ReadFileBytes(file);
      if (!commit) {
        EXPECT_EQ(after, before);
        continue;
      }
      EXPECT_EQ(DetectFormFileKind(after), DetectFormFileKind(before));
      EXPECT_EQ(TitleIn(after, "Deutsch"), "Neu");
      EXPECT_EQ(TitleIn(after, "English"), "Multilingual forms without restart");
    }
  }
}

}  // namespace
