#include "tests/editor/EditorFixture.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "editor/DravikEditor.h"
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
  SetDravikEditorWindow({});
  FreeDravikModule();
  host.reset();
  registry.reset();
  UiTest::TearDown();
}

void EditorTest::CaptureNextDialog() {
  QTimer::singleShot(0, [this] {
    QWidget* window = QApplication::activeModalWidget();
    ASSERT_NE(window, nullptr);
    dialogTitle = window->windowTitle().toStdString();
    for (QLabel* label : window->findChildren<QLabel*>())
      if (label->text().size() > static_cast<int>(dialogText.size()))
        dialogText = label->text().toStdString();
    QTest::keyClick(window, Qt::Key_Return);
  });
}

}  // namespace dravik
