// DravikInstall run as an administrator runs it: the shipped folder installed and uninstalled
// without the window, the studio loading the installed package in between.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "tests/support/TestFiles.h"

using namespace dravik;
namespace fs = std::filesystem;

namespace {

const std::string kPackageDir = DRAVIK_BIN_DIR "/../package";
const std::string kInstall = kPackageDir + "/DravikInstall";
const std::string kStudio = DRAVIK_BIN_DIR "/dravik-studio";

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

TEST(InstallProgram, TheStudioLoadsTheInstalledPackageUntilItIsUninstalled) {
  TTempDir dir;
  TEnvironmentScope registry("DRAVIK_REGISTRY", dir.File("registry.reg"));
  // An environment installed elsewhere than this build: its program folder gets the package.
  const std::string bin = dir.File("studio/bin");
  fs::create_directories(bin);
  WriteFileBytes(dir.File("registry.reg"),
                 "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Borland\\Delphi\\3.0]\n"
                 "\"Delphi 3\"=\"" +
                     bin + "/dravik-studio\"\n");
  const std::string installed = "package\t" + bin + "/libQueltDravik30Design.so\n";
  const std::string own = "package\t" DRAVIK_BIN_DIR "/../lib/libQueltDravik30Design.so\n";
  const std::vector<std::string> where = {"--folder", dir.File("Dravik"), "--windows-dir",
                                          dir.File("lib")};
  auto run = [&](const char* mode) {
    std::vector<std::string> argv = {kInstall, mode};
    argv.insert(argv.end(), where.begin(), where.end());
    return RunProgram(argv);
  };

  TRunResult palette = RunProgram({kStudio, "--palette"});  // makes its package list
  ASSERT_EQ(palette.ExitCode, 0) << palette.Err;
  EXPECT_TRUE(Has(palette.Out, own)) << palette.Out;

  TRunResult unregistered = RunProgram({kInstall, "--install", "--no-register", "--folder",
                                        dir.File("Dravik"), "--windows-dir", dir.File("lib")});
  ASSERT_EQ(unregistered.ExitCode, 0) << unregistered.Out << unregistered.Err;
  EXPECT_FALSE(Has(unregistered.Out, "registered")) << unregistered.Out;
  EXPECT_TRUE(Has(RunProgram({kStudio, "--palette"}).Out, own));

  TRunResult install = run("--install");
  ASSERT_EQ(install.ExitCode, 0) << install.Out << install.Err;
  EXPECT_TRUE(Has(install.Out, "Package '" + bin + "/libQueltDravik30Design.so' registered"))
      << install.Out;
  for (const char* file : {"libQueltDravik30.so", "libQueltDravik30Design.so", "dravik",
                           "dravik-demo", "DravikInstall", "README.md"})
    EXPECT_TRUE(fs::exists(dir.File("Dravik/") + file)) << file;
  palette = RunProgram({kStudio, "--palette"});
  EXPECT_EQ(palette.Out.find("package\t"), palette.Out.find(installed)) << palette.Out;
  EXPECT_FALSE(Has(palette.Out, own)) << palette.Out;
  EXPECT_TRUE(Has(palette.Out, "page\tQueltTools\tTDravik\tTLangComboBox")) << palette.Out;

  TRunResult uninstall = run("--uninstall");
  ASSERT_EQ(uninstall.ExitCode, 0) << uninstall.Out << uninstall.Err;
  palette = RunProgram({kStudio, "--palette"});
  EXPECT_FALSE(Has(palette.Out, installed)) << palette.Out;
  EXPECT_TRUE(Has(palette.Out, own)) << palette.Out;
  EXPECT_FALSE(fs::exists(dir.File("Dravik")));
  EXPECT_TRUE(fs::is_empty(dir.File("lib")));
  EXPECT_TRUE(fs::is_empty(bin));
}

// A user's own read-only file is replaced on install and removed on uninstall.
TEST(InstallProgram, ReadOnlyFilesOfTheUserAreReplacedAndRemoved) {
  TTempDir dir;
  ::chmod(dir.Path().c_str(), 0777);
  TEnvironmentScope registry("DRAVIK_REGISTRY", dir.File("registry.reg"));
  const std::string target = dir.File("Dravik");
  const std::string readme = target + "/README.md";
  EXPECT_EQ(RunUnprivileged([&] {
              fs::create_directory(target);
              WriteFileBytes(readme, "an old copy");
              ::chmod(readme.c_str(), 0444);
              const std::vector<std::string> where = {"--folder", target, "--windows-dir",
                                                      dir.File("lib")};
              std::vector<std::string> argv = {kInstall, "--install"};
              argv.insert(argv.end(), where.begin(), where.end());
              if (RunProgram(argv).ExitCode != 0) return 1;
              if (ReadFileBytes(readme) != ReadFileBytes(kPackageDir + "/README.md")) return 2;
              ::chmod(readme.c_str(), 0444);
              argv[1] = "--uninstall";
              if (RunProgram(argv).ExitCode != 0) return 3;
              return fs::exists(target) ? 4 : 0;
            }),
            0);
}

TEST(InstallProgram, BadUsageIsTwoAndAFailedRunOrNothingToInstallIsOne) {
  TTempDir dir;
  TEnvironmentScope registry("DRAVIK_REGISTRY", dir.File("registry.reg"));
  fs::create_directories(dir.File("empty"));
  struct TCase {
    std::vector<std::string> Args;
    int ExitCode;
    std::string Said;
  };
  const TCase cases[] = {
      {{"--help"}, 0, "Usage: DravikInstall"},
      {{"--install"}, 2, "--install needs --folder DIR"},
      {{"--bogus"}, 2, "unknown argument '--bogus'"},
      {{}, 2, "no display for the window"},
      {{"--install", "--folder", dir.File("x"), "--source", dir.File("empty")},
       1,
       "No files to install found."},
      {{"--install", "--folder", "/proc/dravik", "--windows-dir", dir.File("lib")},
       1,
       "Error: Directory '/proc/dravik' could not be created."},
      {{"--uninstall", "--folder", dir.File("x"), "--windows-dir", dir.File("lib"), "--language",
        "Deutsch"},
       1,
       "Fehler: Verzeichnis '" + dir.File("x") + "' nicht gefunden."},
  };
  for (const TCase& c : cases) {
    std::vector<std::string> argv = {kInstall};
    argv.insert(argv.end(), c.Args.begin(), c.Args.end());
    TRunResult run = RunProgram(argv);
    EXPECT_EQ(run.ExitCode, c.ExitCode) << argv.back();
    EXPECT_TRUE(Has(run.Out + run.Err, c.Said)) << run.Out << run.Err;
  }
}

// The language is the designers' shared setting: the next run, and the studio, speak it too.
TEST(InstallProgram, TheLanguageChosenLastIsKept) {
  TTempDir dir;
  TEnvironmentScope registry("DRAVIK_REGISTRY", dir.File("registry.reg"));
  const std::vector<std::string> argv = {kInstall,         "--uninstall",   "--folder",
                                         dir.File("none"), "--windows-dir", dir.File("lib")};
  std::vector<std::string> german = argv;
  german.insert(german.end(), {"--language", "Deutsch"});
  EXPECT_TRUE(Has(RunProgram(german).Out, "Status der Deinstallation:"));
  EXPECT_TRUE(Has(RunProgram(argv).Out, "Status der Deinstallation:"));
  EXPECT_TRUE(Has(ReadFileBytes(dir.File("registry.reg")),
                  "[HKEY_CURRENT_USER\\Software\\Quelt GbR\\Designers]\n"
                  "\"Global\\\\Dravik.Language\"=\"Deutsch\""));
}
