#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/system/Designing.h"
#include "platform/core/system/Exceptions.h"
#include "platform/ide/ProjectHost.h"
#include "source/DesignInterfaceTools.h"
#include "tests/core/StreamingClasses.h"
#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

// A form "read" from a file: a root named after the file, written back as its name and caption.
class TFakeForm : public THostedForm {
 public:
  explicit TFakeForm(const std::string& fileName) {
    fRoot->SetName(std::filesystem::path(fileName).stem().string());
  }
  TComponent* Root() const override { return fRoot.get(); }
  std::string FileBytes() const override { return "form " + fRoot->Name(); }

 private:
  TComponentPtr<TTestRoot> fRoot = MakeComponent<TTestRoot>(nullptr);
};

class ProjectHostTest : public testing::Test {
 protected:
  ProjectHostTest() {
    WriteFileBytes(dir.File("Main.pas"), "unit Main;\r\nend.\r\n");
    WriteFileBytes(dir.File("Main.dfm"), "object Main: TForm\nend\n");
    WriteFileBytes(dir.File("Main.txt"), "object Main: TForm\nend\n");  // the .dfm is preferred
    WriteFileBytes(dir.File("Tools.pas"), "unit Tools;\nend.\n");
    WriteFileBytes(dir.File("About.lfm"), "object About: TForm\nend\n");
    WriteFileBytes(dir.File("Notes.txt"), "not a form\n");
    WriteFileBytes(dir.File("Panel.txt"), "  inherited Panel: TFrame\nend\n");
    host.OpenFolder(dir.Path());
  }

  int Module(const char* name) { return host.IndexOfFile(dir.File(name)); }

  TTempDir dir;
  std::vector<std::string> formsRead;
  TProjectHost host{[this](const std::string& fileName) {
    formsRead.push_back(std::filesystem::path(fileName).filename().string());
    return std::make_unique<TFakeForm>(fileName);
  }};
};

TEST_F(ProjectHostTest, UnitsAndFormsArePairedByName) {
  std::vector<std::string> listed;
  for (const TProjectModule& m : host.Modules())
    listed.push_back(m.Name + ":" + std::filesystem::path(m.UnitFile).filename().string() + ":" +
                     std::filesystem::path(m.FormFile).filename().string());
  EXPECT_EQ(listed, (std::vector<std::string>{"About::About.lfm", "Main:Main.pas:Main.dfm",
                                              "Panel::Panel.txt", "Tools:Tools.pas:"}));
  EXPECT_EQ(host.GetUnitCount(), 2);
  EXPECT_EQ(host.GetUnitName(1), dir.File("Tools.pas"));
  EXPECT_EQ(Module("Main.dfm"), Module("Main.pas"));
  EXPECT_EQ(Module("Notes.txt"), -1);
  EXPECT_TRUE(formsRead.empty()) << "forms are read when first asked for";
  EXPECT_EQ(host.Form(Module("Tools.pas")), nullptr);
  EXPECT_EQ(host.Form(Module("Main.pas"))->Name(), "Main");
  EXPECT_EQ(host.Form(Module("Main.pas")), host.Form(Module("Main.dfm")));
  EXPECT_EQ(formsRead, std::vector<std::string>{"Main.dfm"});
}

TEST_F(ProjectHostTest, TheHostIsTheEnvironmentWhileItLives) {
  EXPECT_TRUE(IsDesigning());
  EXPECT_EQ(ToolServices(), &host);
  EXPECT_EQ(DesignRegistry(), &host.Registry());
  EXPECT_EQ(host.GetModuleInterface(dir.File("Missing.pas")), nullptr);
  EXPECT_EQ(host.GetModuleInterface(dir.File("About.lfm"))->GetEditorInterface(), nullptr);
  EXPECT_EQ(host.GetModuleInterface(dir.File("Tools.pas"))->GetFormInterface(), nullptr);
  EXPECT_NE(host.GetFormModuleInterface("about"), nullptr);
  host.SetCurrentModule(Module("Tools.pas"));
  EXPECT_EQ(host.GetCurrentFile(), dir.File("Tools.pas"));
}

TEST(EditorBuffersWithoutHost, AnswerFalse) {
  ASSERT_EQ(ToolServices(), nullptr);
  std::string text = "untouched";
  EXPECT_FALSE(ReadSourceCode(false, "/tmp/Main.pas", text));
  EXPECT_FALSE(WriteSourceCode(false, "/tmp/Main.pas", "x"));
  EXPECT_FALSE(ReadSourceCode(true, "Main", text));
  EXPECT_EQ(text, "untouched");
}

TEST_F(ProjectHostTest, EditorBuffersSeeUnsavedEditsAndReplaceThem) {
  const int main = Module("Main.pas");
  const std::string mainFile = dir.File("Main.pas");
  std::string text;
  ASSERT_TRUE(ReadSourceCode(false, mainFile, text));
  EXPECT_EQ(text, "unit Main;\r\nend.") << "one final CR LF goes";

  host.SetUnitText(main, "unit Main;\r\n{ edited }\r\nend.\r\n\r\n");
  ASSERT_TRUE(ReadSourceCode(true, "Main", text));
  EXPECT_EQ(text, "unit Main;\r\n{ edited }\r\nend.\r\n") << "only one final CR LF goes";

  int changed = -1;
  host.OnBufferChanged = [&](int module) { changed = module; };
  // A long text crosses the reader's chunks.
  const std::string written = "unit Main;\r\n" + std::string(10000, 'x') + "\r\nend.";
  ASSERT_TRUE(WriteSourceCode(false, mainFile, written));
  EXPECT_EQ(host.UnitText(main), written);
  EXPECT_EQ(changed, main);
  EXPECT_TRUE(host.UnitModified(main));
  EXPECT_EQ(ReadFileBytes(mainFile), "unit Main;\r\nend.\r\n") << "the file waits for Save";
  ASSERT_TRUE(ReadSourceCode(false, mainFile, text));
  EXPECT_EQ(text, written);

  ASSERT_TRUE(WriteSourceCode(false, mainFile, ""));
  EXPECT_EQ(host.UnitText(main), "");
  EXPECT_FALSE(WriteSourceCode(false, dir.File("About.lfm"), "no unit"));
  EXPECT_FALSE(ReadSourceCode(false, dir.File("Missing.pas"), text));
}

TEST_F(ProjectHostTest, AWriterKeepsWhatItDidNotReach) {
  const int tools = Module("Tools.pas");
  {
    auto writer =
        host.GetModuleInterface(dir.File("Tools.pas"))->GetEditorInterface()->CreateWriter();
    EXPECT_TRUE(writer->CopyTo(5));
    EXPECT_TRUE(writer->DeleteTo(10));
    EXPECT_TRUE(writer->Insert("Helpers"));
    EXPECT_FALSE(writer->CopyTo(3)) << "a writer goes front to back";
    EXPECT_FALSE(writer->DeleteTo(1000));
  }
  EXPECT_EQ(host.UnitText(tools), "unit Helpers;\nend.\n");
  {  // A writer that changes nothing leaves the unit unchanged.
    auto writer =
        host.GetModuleInterface(dir.File("Main.pas"))->GetEditorInterface()->CreateWriter();
    writer->CopyTo(4);
  }
  EXPECT_FALSE(host.UnitModified(Module("Main.pas")));
}

TEST_F(ProjectHostTest, SaveWritesWhatChangedAndKeepsWhatFailed) {
  const int main = Module("Main.pas");
  const int about = Module("About.lfm");
  host.SetUnitText(main, "unit Main; { saved }\r\nend.\r\n");
  host.Form(about);
  host.GetFormModuleInterface("About")->GetFormInterface()->MarkModified();
  host.Form(Module("Panel.txt"));  // read, not changed: not written
  EXPECT_TRUE(host.Modified());
  EXPECT_TRUE(host.Save().empty());
  EXPECT_FALSE(host.Modified());
  EXPECT_EQ(ReadFileBytes(dir.File("Main.pas")), "unit Main; { saved }\r\nend.\r\n");
  EXPECT_EQ(ReadFileBytes(dir.File("About.lfm")), "form About");
  EXPECT_EQ(ReadFileBytes(dir.File("Panel.txt")), "  inherited Panel: TFrame\nend\n");

  // A unit that cannot be written is reported in one line and stays changed.
  host.SetUnitText(Module("Tools.pas"), "unit Tools; { new }\nend.\n");
  std::filesystem::remove(dir.File("Tools.pas"));
  std::filesystem::create_directory(dir.File("Tools.pas"));
  const std::vector<std::string> failures = host.Save();
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("Tools.pas"), std::string::npos) << failures[0];
  EXPECT_TRUE(host.UnitModified(Module("Tools.pas")));
}

TEST_F(ProjectHostTest, MenuItemsAreInsertedFoundRenamedAndDeleted) {
  host.AddMenu("File");
  host.AddMenu("Tools");
  int menuChanges = 0;
  host.OnMenuChanged = [&] { ++menuChanges; };
  TIMainMenu& menu = *host.GetMainMenu();
  EXPECT_TRUE(menu.InsertItem(1, -1, {"first", "First", "", mfEnabled | mfVisible, nullptr}));
  EXPECT_TRUE(menu.InsertItem(1, 99, {"last", "Last", "Shift+F9", mfVisible, nullptr}));
  EXPECT_TRUE(menu.InsertItem(1, 0, {"front", "Front", "", mfVisible, nullptr}));
  EXPECT_FALSE(menu.InsertItem(2, 0, {"none", "None", "", mfVisible, nullptr}));
  EXPECT_EQ(menu.ItemCount(1), 3);
  menu.SetItemCaption("LAST", "Renamed");
  EXPECT_EQ(menu.FindItem("last")->Caption, "Renamed");
  EXPECT_TRUE(menu.DeleteItem("front"));
  EXPECT_FALSE(menu.DeleteItem("front"));
  std::vector<std::string> names;
  for (const TIdeMenuItem& item : host.Menus()[1].Items) names.push_back(item.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"first", "last"}));
  EXPECT_EQ(menuChanges, 5);
}

}  // namespace
