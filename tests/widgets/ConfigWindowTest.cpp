// A window whose column widths, font, check boxes, caption and window state are kept by its
// configuration store come back after it was closed, from a file and from the registry.
#include <QCoreApplication>
#include <cstdlib>

#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/UiFixture.h"
#include "widgets/ConfigFile.h"
#include "widgets/SuperForm.h"

using namespace dravik;

namespace {

class TConfigWindow : public TSuperForm {
 public:
  using TSuperForm::TSuperForm;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TConfigWindow, TSuperForm>("TConfigWindow", "TestWindows").Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  template <class T>
  T* Find(const std::string& name) const {
    return static_cast<T*>(FindComponent(name));
  }
  TListView* Files() const { return Find<TListView>("Files"); }
  TControl* Note() const { return Find<TControl>("Note"); }
  TCheckBox* Recursive() const { return Find<TCheckBox>("Recursive"); }
  TCheckBox* Hidden() const { return Find<TCheckBox>("Hidden"); }
  TConfigFile* Store() const { return Find<TConfigFile>("ConfigFile"); }
};
const TClassRegistration kConfigWindow(TConfigWindow::StaticClass());

void Settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

class ConfigWindow : public UiTest, public ::testing::WithParamInterface<TConfigMode> {
 protected:
  TComponentPtr<TConfigWindow> Open() {
    auto window = MakeComponent<TConfigWindow>(nullptr);
    TConfigFile* store = window->Store();
    store->SetMode(GetParam());
    store->SetFileName(dir.File("window.cfg"));
    store->SetRegistryRoot(rkCurrentUser);
    store->SetRegistryPath("Software\\Quelt GbR\\ConfigWindow");
    store->Load();
    return window;
  }

  TTempDir dir;
  TEnvironmentScope registry{"DRAVIK_REGISTRY", dir.File("registry.reg")};
};

}  // namespace

TEST_P(ConfigWindow, ItsSettingsSurviveClosingAndOpeningAgain) {
  std::string state;
  {
    auto window = Open();
    EXPECT_NE(window->Store()->LastError(), "");  // nothing stored yet
    EXPECT_TRUE(window->Store()->SaveSuperFormState());
    window->Show();
    Settle();
    window->Files()->Columns()->Items(0)->SetWidth(150);
    window->Files()->Columns()->Items(2)->SetWidth(95);
    window->Note()->Font()->SetSize(14);
    window->Note()->Font()->SetStyle({fsBold, fsItalic});
    window->Recursive()->SetChecked(true);
    window->Hidden()->SetChecked(false);
    window->SetCaption("Renamed");
    window->SetBounds(60, 70, 420, 260);
    window->SetWindowState(wsMaximized);
    Settle();
    state = window->GetWindowStateData();
    EXPECT_EQ(state, "(60 70 420 260 2)");
    window->Store()->Save();  // what an owner form does when it closes
    EXPECT_EQ(window->Store()->LastError(), "");
  }

  auto again = Open();
  EXPECT_EQ(again->Store()->LastError(), "");
  EXPECT_EQ(again->Files()->Columns()->Items(0)->Width(), 150);
  EXPECT_EQ(again->Files()->Columns()->Items(1)->Width(), 50);  // not kept
  EXPECT_EQ(again->Files()->Columns()->Items(2)->Width(), 95);
  EXPECT_EQ(again->Note()->Font()->Size(), 14);
  EXPECT_EQ(again->Note()->Font()->Style(), TFontStyles({fsBold, fsItalic}));
  EXPECT_TRUE(again->Recursive()->Checked());
  EXPECT_FALSE(again->Hidden()->Checked());
  EXPECT_EQ(again->Caption(), "Renamed");
  EXPECT_EQ(again->WindowState(), wsMaximized);
  again->Show();
  Settle();
  again->SetWindowState(wsNormal);
  Settle();
  EXPECT_EQ(again->GetWindowStateData(), "(60 70 420 260 0)");
  // One component's settings alone leave the window where it is.
  again->SetBounds(1, 2, 330, 240);
  again->Files()->Columns()->Items(0)->SetWidth(10);
  again->Store()->LoadComponentState(again->Files());
  Settle();
  EXPECT_EQ(again->Files()->Columns()->Items(0)->Width(), 150);
  EXPECT_EQ(again->GetWindowStateData(), "(1 2 330 240 0)");

  if (GetParam() == cmFile) {
    const std::string text = ReadFileBytes(dir.File("window.cfg"));
    for (const char* line :
         {"[TConfigWindow]\nConfigWindow=(60 70 420 260 2)\nFiles.Columns[0].Width=150\n",
          "\nConfigWindow.Caption=Renamed\n"})
      EXPECT_NE(text.find(line), std::string::npos) << text;
    EXPECT_NE(text.find("Recursive.Checked=True" + std::string(49 - 17 - 1 - 4, ' ') + ";("),
              std::string::npos)
        << text;
  } else {
    TRegistry reg(dir.File("registry.reg"));
    reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Quelt GbR\\ConfigWindow"));
    EXPECT_EQ(reg.ReadString("TConfigWindow\\ConfigWindow"), "(60 70 420 260 2)");
    EXPECT_EQ(reg.ReadString("TConfigWindow\\Files.Columns[2].Width"), "95");
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, ConfigWindow, ::testing::Values(cmFile, cmRegistry),
                         [](const auto& info) {
                           return std::string(info.param == cmFile ? "File" : "Registry");
                         });
