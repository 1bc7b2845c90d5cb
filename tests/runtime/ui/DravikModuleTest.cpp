// The package's text module: present only with a development-environment host, its messages in
// both languages, shown through the message dialog, and the designer's duplicate-drop question.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/core/classes/Strings.h"
#include "platform/core/inifiles/Registry.h"
#include "platform/core/system/Designing.h"
#include "runtime/Dravik.h"
#include "runtime/LanguageSwitch.h"
#include "runtime/ui/DravikModule.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

class DravikModuleTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    registry = std::make_unique<TEnvironmentScope>("DRAVIK_REGISTRY", dir.File("registry.reg"));
  }
  void TearDown() override {
    FreeDravikModule();
    SetDesigningHost(false);
    registry.reset();
    UiTest::TearDown();
  }
  // The text of the dialog that opens next, answered with key or by clicking button.
  static void Answer(std::string& text, Qt::Key key, const QString& button = {}) {
    QTimer::singleShot(0, [&text, key, button] {
      QWidget* window = QApplication::activeModalWidget();
      ASSERT_NE(window, nullptr);
      for (QLabel* label : window->findChildren<QLabel*>())
        if (!label->text().isEmpty()) text = label->text().toStdString();
      for (QPushButton* push : window->findChildren<QPushButton*>())
        if (!button.isEmpty() && push->text() == button) return push->click();
      QTest::keyClick(window, key);
    });
  }
  TTempDir dir;
  std::unique_ptr<TEnvironmentScope> registry;
};

}  // namespace

TEST_F(DravikModuleTest, ExistsOnlyWithAHostAndSpeaksBothLanguages) {
  EXPECT_EQ(DravikModule(), nullptr);
  SetDesigningHost(true);
  TDravikModule* module = DravikModule();
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(DravikModule(), module) << "one module";
  EXPECT_EQ(module->Dravik()->GetDomain(), ".Private Quelt Domain");
  EXPECT_EQ(module->Dravik()->LanguageManager()->Names()->Count(), 26);
  module->SetLanguage("English");
  EXPECT_EQ(module->GetString("EditLanguages"), "Edit Languages...");
  module->SetLanguage("Deutsch");
  EXPECT_EQ(module->GetString("ReallyAddFurtherComponent"),
            "M\xC3\xB6"
            "chten Sie wirklich eine weitere Dravik-Komponente hinzuf\xC3\xBC"
            "gen?");
}

TEST_F(DravikModuleTest, ServiceMessagesShowTheModulesTextOrTheKey) {
  std::string shown;
  Answer(shown, Qt::Key_Return);
  EXPECT_EQ(ServiceMessage("ENoFileName", mtError, {mbOK}), mrOk);
  EXPECT_EQ(shown, "ENoFileName") << "no host, no module: the key itself";
  SetDesigningHost(true);
  DravikModule()->SetLanguage("English");
  Answer(shown, Qt::Key_Return);
  ServiceMessage("ENoFileName", mtError, {mbOK});
  EXPECT_EQ(shown, "Name of current file not available.");
}

TEST_F(DravikModuleTest, TheDesignerAsksBeforeASecondDravikAndNoCancelsIt) {
  SetDesigningHost(true);
  DravikModule()->SetLanguage("English");
  TComponentPtr<TForm> form = MakeComponent<TForm>(nullptr);
  form->SetDesigning(true);  // as the designer holds it
  Create<TDravik>(form.get());
  std::string asked;
  Answer(asked, Qt::Key_Escape);  // No
  EXPECT_THROW(Create<TDravik>(form.get()), EAbort);
  EXPECT_EQ(asked, "Do you really want to add a further Dravik component?");
  asked.clear();
  Answer(asked, Qt::Key_Escape, "&Yes");
  EXPECT_NO_THROW(Create<TDravik>(form.get()));
  EXPECT_EQ(asked, "Do you really want to add a further Dravik component?");
  int count = 0;
  for (int i = 0; i < form->ComponentCount(); ++i)
    count += dynamic_cast<TDravik*>(form->Components(i)) != nullptr;
  EXPECT_EQ(count, 2);
}

// The choice lives in the designers' shared settings: a window of the package's domain that
// switches the language switches the module, which saves it, and the next module starts there.
TEST_F(DravikModuleTest, TheLanguageChosenInAWindowIsWhereTheNextModuleStarts) {
  SetDesigningHost(true);
  ASSERT_EQ(DravikModule()->Dravik()->GetLanguage(), "English");
  {
    TComponentPtr<TForm> window = MakeComponent<TForm>(nullptr);
    TDravik* dravik = AddDravik(window.get());
    dravik->SetDomain(kPrivateDomain);
    dravik->SetLanguage("Deutsch");
    EXPECT_EQ(DravikModule()->Dravik()->GetLanguage(), "Deutsch");
  }
  TRegistry saved(dir.File("registry.reg"));
  ASSERT_TRUE(saved.OpenKeyReadOnly("Software\\Quelt GbR\\Designers"));
  EXPECT_EQ(saved.ReadString("Global\\Dravik.Language"), "Deutsch");
  FreeDravikModule();
  FinalizeLanguageFrames();
  EXPECT_EQ(DravikModule()->Dravik()->GetLanguage(), "Deutsch");
  EXPECT_EQ(DravikModule()->GetString("About"), "Info...");
}
