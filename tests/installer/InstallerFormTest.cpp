// The installer's window offscreen against a scratch folder and a scratch registry: which boxes
// the shipped files and the installed environments make available, how the boxes follow each
// other, and what a run does and says.
#include <gtest/gtest.h>

#include <QWidget>
#include <algorithm>
#include <filesystem>

#include "apps/installer/DravikInstallMain.h"
#include "apps/installer/InstallFiles.h"
#include "installer/FileSelect.h"
#include "library/FileTools.h"
#include "platform/core/inifiles/Registry.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/UiFixture.h"
#include "widgets/ButtonPanel.h"

using namespace dravik;
namespace fs = std::filesystem;

namespace {

const char* const kLocation[] = {"BtnD3Dir", "BtnD4Dir", "BtnD5Dir"};
const char* const kRegister[] = {"BtnD3", "BtnD4", "BtnD5"};

const TEnvironmentVersion& Version(int n) {
  return EnvironmentVersions()[n - 3];
}

class InstallWindow : public ::testing::Test {
 protected:
  InstallWindow() { UiApp(); }

  // The shipped folder: the run-time files of every version, the design package of the shipped
  // ones only, help and documents.
  void Ship(const std::vector<int>& versions) {
    fs::create_directories(Source);
    for (const TEnvironmentVersion& v : EnvironmentVersions())
      for (const std::string& file : v.Runtime) WriteFileBytes(Source + "/" + file, file);
    for (int n : versions) WriteFileBytes(Source + "/" + Version(n).Design.front(), "design");
    for (const auto* list : {&HelpFiles(), &DocumentFiles()})
      for (const std::string& file : *list) WriteFileBytes(Source + "/" + file, file);
  }

  // An environment of version n whose program is in Bin(n).
  void Detect(int n) {
    fs::create_directories(Bin(n));
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey("\\" + Version(n).DetectionKey, true));
    registry.WriteString(Version(n).DetectionValue, Bin(n) + "/studio");
    registry.CloseKey();
    registry.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKey("\\" + Version(n).KnownKey, true));
    registry.CloseKey();
  }

  std::string Bin(int n) const { return Dir.File("env" + std::to_string(n) + "/bin"); }
  std::string Package(int n) const { return Bin(n) + "/" + Version(n).Design.front(); }

  TDravikInstallForm& Start(const std::string& language = "English") {
    Form = MakeComponent<TDravikInstallForm>(nullptr);
    Form->Dravik()->SetLanguage(language);
    TInstallSetup setup;
    setup.SourceDir = Source;
    setup.WindowsDir = Windows;
    setup.Message = [this](TMsgDlgType, const std::string& text) { Messages.push_back(text); };
    Form->Start(setup);
    return *Form;
  }

  // Ticks or clears a box as a click does.
  void Click(const char* name, bool checked) {
    if (auto* radio = Form->Radio(name)) {
      Form->Radio("BtnInstall")->SetChecked(false);
      Form->Radio("BtnUninstall")->SetChecked(false);
      radio->SetChecked(true);
      Form->BtnInstallClick(radio);
      return;
    }
    Form->Box(name)->SetChecked(checked);
    Form->BtnClick(Form->Box(name));
  }

  bool ContinueEnabled() const {
    return static_cast<TButtonItem*>(Form->ButtonPanel()->Buttons()->Items(0))->Enabled();
  }

  std::vector<std::string> Values(const std::string& key) const {
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    TStringList names;
    if (registry.OpenKeyReadOnly("\\" + key)) registry.GetValueNames(names);
    std::vector<std::string> values;
    for (int i = 0; i < names.Count(); ++i) values.push_back(names.Strings(i));
    return values;
  }

  bool Said(const std::string& line) const {
    const auto& lines = Form->StatusLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  TTempDir Dir;
  TEnvironmentScope Registry{"DRAVIK_REGISTRY", Dir.File("registry.reg")};
  const std::string Source = Dir.File("source");
  const std::string Windows = Dir.File("windows");
  const std::string Target = Dir.File("target/Dravik");
  std::vector<std::string> Messages;
  TComponentPtr<TDravikInstallForm> Form;
};

}  // namespace

TEST_F(InstallWindow, OnlyAShippedAndInstalledVersionGetsItsBoxesAndItsFiles) {
  struct TCase {
    std::vector<int> Shipped, Installed, Available;
  };
  const TCase cases[] = {{{3}, {3, 4, 5}, {3}}, {{3, 4}, {4}, {4}}, {{3}, {}, {}}, {{5}, {5}, {5}}};
  for (const TCase& c : cases) {
    fs::remove_all(Dir.Path());
    Ship(c.Shipped);
    for (int n : c.Installed) Detect(n);
    ASSERT_TRUE(Start().Ready());
    for (int n = 3; n <= 5; ++n) {
      const bool available =
          std::find(c.Available.begin(), c.Available.end(), n) != c.Available.end();
      for (const char* name : {kLocation[n - 3], kRegister[n - 3]}) {
        EXPECT_EQ(Form->Box(name)->Enabled(), available) << name;
        EXPECT_EQ(Form->Box(name)->Checked(), available) << name;
      }
      if (available) {
        EXPECT_EQ(Form->Box(kLocation[n - 3])->Hint(), Bin(n));
        EXPECT_EQ(Form->Box(kLocation[n - 3])->Caption(), ShortPath(Bin(n), 35));
      }
    }
    Form->FolderSelect()->SetText(Target);
    Form->Run();
    for (int n = 3; n <= 5; ++n) {
      const bool shipped = std::find(c.Shipped.begin(), c.Shipped.end(), n) != c.Shipped.end();
      for (const std::string& file : Version(n).Runtime) {
        EXPECT_EQ(fs::exists(Target + "/" + file), shipped) << file;
        EXPECT_EQ(fs::exists(Windows + "/" + file), shipped) << file;
      }
    }
    EXPECT_EQ(Messages, std::vector<std::string>{"Installation completed."});
    Messages.clear();
  }
}

TEST_F(InstallWindow, NothingShippedSaysSoAndIsNotReady) {
  Ship({});
  Detect(3);
  EXPECT_FALSE(Start().Ready());
  EXPECT_EQ(Messages, std::vector<std::string>{"No files to install found."});
}

TEST_F(InstallWindow, RegisterBoxesFollowTheLocationBoxesAndTheModeAndContinueAnyTarget) {
  Ship({3, 4});
  Detect(3);
  Detect(4);
  Start();
  struct TStep {
    const char* Box;
    bool Checked;
    bool D3Enabled, D3Checked, D4Enabled, Continue;
  };
  const TStep steps[] = {
      {"BtnD3", false, true, false, true, true},      // a choice of the user's
      {"BtnD3Dir", false, false, false, true, true},  // off with its location
      {"BtnD3Dir", true, true, false, true, true},    // back as the user left it
      {"BtnD3", true, true, true, true, true},
      {"BtnUninstall", true, false, false, false, true},
      {"BtnInstall", true, true, true, true, true},
      {"BtnFolder", false, true, true, true, true},
      {"BtnWindows", false, true, true, true, true},
      {"BtnD3Dir", false, false, false, true, true},
      {"BtnD4Dir", false, false, false, false, false},  // nothing left to install into
      {"BtnWindows", true, false, false, false, true},
  };
  for (const TStep& s : steps) {
    Click(s.Box, s.Checked);
    EXPECT_EQ(Form->Box("BtnD3")->Enabled(), s.D3Enabled) << s.Box;
    EXPECT_EQ(Form->Box("BtnD3")->Checked(), s.D3Checked) << s.Box;
    EXPECT_EQ(Form->Box("BtnD4")->Enabled(), s.D4Enabled) << s.Box;
    EXPECT_EQ(ContinueEnabled(), s.Continue) << s.Box;
  }
  EXPECT_EQ(Form->FolderSelect()->Enabled(), false);
}

TEST_F(InstallWindow, TheOwnFolderAsTargetGetsNothingAndNoFolderMessage) {
  Ship({3});
  std::string upper = Source;
  std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
  for (const std::string& folder : {Source, Source + "/", upper}) {
    Start();
    Click("BtnWindows", false);
    Form->FolderSelect()->SetText(folder);
    EXPECT_TRUE(Form->Run()) << folder;
    EXPECT_EQ(Form->StatusLines().size(), 4u) << folder;  // heading, blank, blank, finished
  }
}

TEST_F(InstallWindow, InstallRegistersThePackageInTheEnvironmentsFolderAndEnablesIt) {
  Ship({3});
  Detect(3);
  {
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKey("\\" + Version(3).DisabledKey, true));
    registry.WriteString(Package(3), "disabled before");
  }
  Start();
  Form->FolderSelect()->SetText(Target);
  EXPECT_TRUE(Form->Run());
  EXPECT_TRUE(Said("Package '" + Package(3) + "' registered to Delphi."));
  EXPECT_EQ(Values(Version(3).KnownKey), std::vector<std::string>{Package(3)});
  EXPECT_TRUE(Values(Version(3).DisabledKey).empty());
  for (const std::string& file : HelpFiles()) EXPECT_TRUE(fs::exists(Bin(3) + "/" + file));
}

TEST_F(InstallWindow, UninstallDropsEveryShippedVersionsValueButBinFilesOnlyWhereChecked) {
  Ship({3, 4});
  Detect(3);
  Detect(4);
  Start();
  Form->FolderSelect()->SetText(Target);
  ASSERT_TRUE(Form->Run());
  ASSERT_EQ(Values(Version(4).KnownKey), std::vector<std::string>{Package(4)});
  Start();
  Click("BtnUninstall", true);
  Click("BtnD4Dir", false);
  Form->FolderSelect()->SetText(Target);
  EXPECT_TRUE(Form->Run());
  for (int n : {3, 4}) EXPECT_TRUE(Values(Version(n).KnownKey).empty()) << n;
  EXPECT_FALSE(fs::exists(Package(3)));
  EXPECT_TRUE(fs::exists(Package(4)));
  EXPECT_FALSE(fs::exists(Target));
  EXPECT_TRUE(fs::is_empty(Windows));
  EXPECT_EQ(Messages.back(), "Deinstallation completed.");
}

TEST_F(InstallWindow, AFolderThatCannotBeWrittenIsReportedAndTheRunGoesOn) {
  Ship({3});
  Detect(3);
  Start();
  Form->Box("BtnWindows")->SetHint("/proc/dravik");
  Form->FolderSelect()->SetText(Target);
  EXPECT_FALSE(Form->Run());
  for (const std::string& file : Version(3).Runtime)
    EXPECT_TRUE(Said("Error: File '" + file + "' could not be copied to '/proc/dravik'."));
  EXPECT_TRUE(Said("Package '" + Package(3) + "' registered to Delphi."));
  EXPECT_EQ(Form->StatusLines().back(), "Finished.");
  EXPECT_EQ(Messages, std::vector<std::string>{"An unknown installation error has occured."});
}

TEST_F(InstallWindow, StatusLinesInBothLanguages) {
  Ship({3});
  struct TCase {
    const char* Language;
    const char* Mode;
    std::vector<std::string> Lines;
    const char* Message;
  };
  const TCase cases[] = {
      {"English",
       "BtnInstall",
       {"Status of installation:", "", "Directory '" + Target + "' created.",
        "File 'libQueltDravik30.so' copied to '" + Target + "'."},
       "Installation completed."},
      {"Deutsch",
       "BtnUninstall",
       {"Status der Deinstallation:", "", "Datei '" + Target + "/libQueltDravik30.so' gelöscht."},
       "Deinstallation abgeschlossen."},
      {"Deutsch",
       "BtnUninstall",
       {"Status der Deinstallation:", "", "Fehler: Verzeichnis '" + Target + "' nicht gefunden."},
       "Ein unbekannter Installationsfehler ist aufgetreten."},
      {"English",
       "BtnInstall",
       {"Status of installation:", "", "Directory '" + Target + "' created."},
       "Installation completed."},
      {"Deutsch",
       "BtnInstall",
       {"Status der Installation:", "", "Verzeichnis '" + Target + "' existiert bereits.",
        "Datei 'libQueltDravik30.so' nach '" + Target + "' kopiert."},
       "Installation abgeschlossen."},
  };
  for (const TCase& c : cases) {
    Start(c.Language);
    Click(c.Mode, true);
    Click("BtnWindows", false);
    Form->FolderSelect()->SetText(Target);
    Form->Run();
    const std::vector<std::string>& lines = Form->StatusLines();
    ASSERT_GE(lines.size(), c.Lines.size() + 2) << c.Language;
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + c.Lines.size()), c.Lines);
    EXPECT_EQ(lines.back(), c.Language == std::string("English") ? "Finished." : "Abgeschlossen.");
    EXPECT_EQ(Messages.back(), c.Message);
  }
}

// Pictures under build/screenshots to look at; the run swaps the choices for its status.
TEST_F(InstallWindow, TheWindowBeforeAndAfterARunInBothLanguages) {
  Ship({3});
  Detect(3);
  const fs::path folder = fs::path(DRAVIK_BIN_DIR).parent_path() / "screenshots";
  fs::create_directories(folder);
  for (const std::string language : {"English", "Deutsch"}) {
    fs::remove_all(Target);
    Start(language);
    Form->FolderSelect()->SetText(Target);
    Form->Show();
    auto* panel = dynamic_cast<TControl*>(Form->FindComponent("MainPanel"));
    EXPECT_TRUE(panel->Widget()->isVisible());
    EXPECT_TRUE(Form->Widget()->grab().save(
        QString::fromStdString((folder / ("installer-" + language + "-before.png")).string())));
    Form->Run();
    EXPECT_FALSE(panel->Widget()->isVisible());
    EXPECT_FALSE(static_cast<TButtonItem*>(Form->ButtonPanel()->Buttons()->Items(0))->Visible());
    EXPECT_TRUE(static_cast<TButtonItem*>(Form->ButtonPanel()->Buttons()->Items(1))->Enabled());
    EXPECT_TRUE(Form->Widget()->grab().save(
        QString::fromStdString((folder / ("installer-" + language + "-after.png")).string())));
    Form->Hide();
  }
}
