#include "tests/editor/EditorFixture.h"

#include <filesystem>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "editor/DravikEditor.h"
#include "editor/DravikEditorForm.h"
#include "runtime/Dravik.h"
#include "runtime/ui/DravikModule.h"

namespace dravik {

void EditorTest::SetUp() {
  UiTest::SetUp();
  registry = std::make_unique<TEnvironmentScope>("DRAVIK_REGISTRY", dir.File("registry.reg"));
  host = std::make_unique<TProjectHost>([](const std::string&) { return nullptr; });
  DravikModule()->SetLanguage("English");
  SetDravikEditorWindow(
      [this](const std::string& fileName, TComponent* form, TLanguageManager&, TDravik& control) {
        calls.push_back({fileName, form, &control});
        return commit;
      });
}

void EditorTest::TearDown() {
  SetDravikEditorWindow(ShowDravikEditorForm);  // the real window again, for the tests after
  FreeDravikModule();
  host.reset();
  registry.reset();
  UiTest::TearDown();
}

void SaveScreenshot(QWidget* window, const std::string& name) {
  const std::filesystem::path folder =
      std::filesystem::path(DRAVIK_BIN_DIR).parent_path() / "screenshots";
  std::filesystem::create_directories(folder);
  QCoreApplication::processEvents();
  EXPECT_TRUE(window->grab().save(QString::fromStdString((folder / name).string())));
}

void EditorTest::WhenShown(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action = std::move(action)] {
    QWidget* window = QApplication::activeModalWidget();
    ASSERT_NE(window, nullptr);
    action(window);
  });
}

void EditorTest::WhenActive(QWidget* window, std::function<void()> action, int tries) {
  QTimer::singleShot(5, [=, action = std::move(action)]() mutable {
    if (QApplication::activeModalWidget() == window) return action();
    ASSERT_GT(tries, 0) << "the window did not come back";
    WhenActive(window, std::move(action), tries - 1);
  });
}

void EditorTest::CaptureNextDialog() {
  dialogTitle.clear();
  dialogText.clear();
  WhenShown([this](QWidget* window) {
    dialogTitle = window->windowTitle().toStdString();
    for (QLabel* label : window->findChildren<QLabel*>())
      if (label->text().size() > static_cast<int>(dialogText.size()))
        dialogText = label->text().toStdString();
    QTest::keyClick(window, Qt::Key_Return);
  });
}

}  // namespace dravik
