// The demo's main window on a real X server (Xvfb, not the offscreen platform): a user opens the
// language combo box with the mouse, picks a language with the keyboard, and every text follows.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <filesystem>
#include <map>
#include <memory>

#include "apps/demo/DemoForms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiApplication.h"
#include "runtime/Dravik.h"
#include "runtime/ui/LangComboBox.h"

using namespace dravik;

namespace {

// An X server of the test's own, on a display it picks itself.
class XvfbServer : public testing::Environment {
 public:
  void SetUp() override {
    // A display nobody uses: no lock file, no socket.
    int display = 90;
    while (display < 200 && (std::filesystem::exists(LockFile(display)) ||
                             std::filesystem::exists(SocketFile(display))))
      ++display;
    const std::string name = ":" + std::to_string(display);
    fPid = fork();
    ASSERT_GE(fPid, 0);
    if (fPid == 0) {
      execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    // The server accepts clients once its socket is there.
    bool started = false;
    for (int i = 0; i < 400 && !started; ++i) {
      started = std::filesystem::exists(SocketFile(display));
      if (!started) usleep(50000);
      if (waitpid(fPid, nullptr, WNOHANG) == fPid) break;
    }
    ASSERT_TRUE(started) << "Xvfb did not start on " << name << " (is xvfb installed?)";
    setenv("DISPLAY", name.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
  }
  static std::string LockFile(int display) { return "/tmp/.X" + std::to_string(display) + "-lock"; }
  static std::string SocketFile(int display) {
    return "/tmp/.X11-unix/X" + std::to_string(display);
  }
  void TearDown() override {
    if (fPid <= 0) return;
    kill(fPid, SIGTERM);
    waitpid(fPid, nullptr, 0);
  }

 private:
  pid_t fPid = -1;
};

[[maybe_unused]] testing::Environment* const kServer =
    testing::AddGlobalTestEnvironment(new XvfbServer);

template <class T>
T* Find(TComponent* form, const char* name) {
  auto* found = dynamic_cast<T*>(form->FindComponent(name));
  if (!found) throw Exception(std::string("no ") + name);
  return found;
}

std::string Text(TControl* control) {
  return static_cast<QLabel*>(control->Widget())->text().toStdString();
}

}  // namespace

TEST(DemoUnderXvfb, TheLanguageComboBoxSwitchesTheWindowWithMouseAndKeyboard) {
  setenv("LANG", "C", 1);  // starts in the language the forms were stored in
  int argc = 1;
  char name[] = "dravik-demo";
  char* argv[] = {name, nullptr};
  TUiApplication app(argc, argv);
  ASSERT_EQ(QGuiApplication::platformName().toStdString(), "xcb");
  auto* main = app.CreateForm<TMainForm>();
  main->Show();
  QWidget* window = main->Widget();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  // Keys go to the active window; without a window manager the test makes it active itself.
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  auto* languages = Find<TLangComboBox>(main, "Languages");
  auto* combo = static_cast<QComboBox*>(languages->Widget());
  ASSERT_EQ(combo->currentText().toStdString(), "English");
  EXPECT_EQ(Text(Find<TLabel>(main, "LanguageLabel")), "Language:");

  const std::map<std::string, std::string> label = {{"English", "Language:"},
                                                    {"Deutsch", "Sprache:"},
                                                    {"Fran\xC3\xA7"
                                                     "ais",
                                                     "Langue :"}};
  const std::map<std::string, std::string> fileMenu = {{"English", "&File"},
                                                       {"Deutsch", "&Datei"},
                                                       {"Fran\xC3\xA7"
                                                        "ais",
                                                        "&Fichier"}};
  ASSERT_EQ(combo->count(), 3);

  // The mouse opens the list, the keyboard picks the next language and confirms it.
  const std::string picked = combo->itemText(combo->currentIndex() + 1).toStdString();
  QTest::mouseClick(combo, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([combo] { return combo->view()->isVisible(); }, 5000))
      << "the list did not open";
  QTest::keyClick(combo->view(), Qt::Key_Down);
  QTest::keyClick(combo->view(), Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return main->Dravik()->GetLanguage() == picked; }, 5000))
      << "still " << main->Dravik()->GetLanguage();
  EXPECT_EQ(Text(Find<TLabel>(main, "LanguageLabel")), label.at(picked));
  const QList<QAction*> menus = window->findChild<QMenuBar*>()->actions();
  ASSERT_FALSE(menus.isEmpty());
  EXPECT_EQ(menus.front()->text().toStdString(), fileMenu.at(picked));

  // With the list closed, the arrow key alone goes back to English.
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Up);
  ASSERT_TRUE(QTest::qWaitFor([&] { return main->Dravik()->GetLanguage() == "English"; }, 5000));
  EXPECT_EQ(Text(Find<TLabel>(main, "LanguageLabel")), "Language:");
  EXPECT_EQ(window->windowTitle().toStdString(), "Dravik demo");

  // What the X server shows is a real picture of the window.
  const QPixmap shot = window->screen()->grabWindow(window->winId());
  EXPECT_GE(shot.width(), main->Width());
  EXPECT_TRUE(shot.save("demo-under-xvfb.png"));
}
