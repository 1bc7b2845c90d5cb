// The expert on a host without a window: where its menu items go and under which names, that
// they go with it, and what it tells the developer when the current module does not allow a
// command.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "editor/DravikExpert.h"
#include "tests/editor/EditorFixture.h"

using namespace dravik;

namespace {

using DravikExpert = EditorTest;

TEST_F(DravikExpert, ItemsGoWhereAskedUnderConsecutiveNamesAndLeaveWithTheExpert) {
  for (const char* menu : {"File", "Tools", "Help"}) host->AddMenu(menu);
  auto expert = std::make_unique<TCustomExpert>();
  EXPECT_EQ(expert->GetName(), "CustomExpert");
  EXPECT_EQ(expert->GetIDString(), "Quelt.CustomExpert");
  // The item lands in menu Menu at Position; negative indices count from the end.
  struct TCase {
    int MenuIndex, ItemIndex;
    int Menu, Position;
  };
  const TCase cases[] = {
      {1, -1, 1, 0},    // appended to the second menu
      {1, -1, 1, 1},    // and again
      {1, -2, 1, 1},    // -2: before the last item
      {-1, 0, 2, 0},    // -1: the last menu
      {-3, -1, 1, 3},   // -3 of three menus: the second
      {7, 99, 2, 1},    // clamped to the last menu and its end
      {-9, -99, 0, 0},  // clamped to the first menu and its start
  };
  long previous = -1;
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.MenuIndex) + "/" + std::to_string(c.ItemIndex));
    const std::string name =
        expert->AddMenuItem(c.MenuIndex, c.ItemIndex, {}, mfEnabled | mfVisible, "", "item");
    ASSERT_TRUE(std::regex_match(name, std::regex("quelt_mi_[0-9A-F]{4}"))) << name;
    const long number = std::strtol(name.c_str() + 9, nullptr, 16);
    if (previous >= 0) {
      EXPECT_EQ(number, previous + 1);
    }
    previous = number;
    const auto& items = host->Menus()[c.Menu].Items;
    ASSERT_LT(static_cast<std::size_t>(c.Position), items.size());
    EXPECT_EQ(items[c.Position].Name, name);
    EXPECT_EQ(expert->GetMenuItem(name), &items[c.Position]);
  }
  host->GetMainMenu()->InsertItem(0, 0, TIdeMenuItem{"theirs", "Theirs", "", 6, {}});
  const std::string first = expert->MenuNames().front();
  expert->DelMenuItem(first);
  EXPECT_EQ(expert->GetMenuItem(first), nullptr);
  EXPECT_EQ(expert->MenuNames().size(), std::size(cases) - 1);
  expert.reset();
  EXPECT_EQ(host->Menus()[0].Items.size(), 1u) << "only the item of another stays";
  EXPECT_TRUE(host->Menus()[1].Items.empty());
  EXPECT_TRUE(host->Menus()[2].Items.empty());
}

TEST_F(DravikExpert, ACommandTheCurrentModuleDoesNotAllowSaysWhy) {
  WriteFileBytes(dir.File("Plain.pas"), "unit Plain;\r\ninterface\r\nimplementation\r\nend.\r\n");
  WriteFileBytes(dir.File("Lone.txt"), "object LoneForm: TForm\nend\n");
  struct TCase {
    const char* Current;  // the current module's file; null: none
    void (TDravikExpert::*Command)();
    const char* Message;
  };
  const TCase cases[] = {
      {nullptr, &TDravikExpert::ExecuteUnit, "Name of current file not available."},
      {"Lone.txt", &TDravikExpert::ExecuteForm, "Could not get module interface."},
      {"Plain.pas", &TDravikExpert::ExecuteForm, "Could not get form interface."},
  };
  TDravikExpert expert;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Message);
    host->OpenFolder(dir.Path());
    host->SetCurrentModule(c.Current ? host->IndexOfFile(dir.File(c.Current)) : -1);
    CaptureNextDialog();
    (expert.*c.Command)();
    EXPECT_EQ(dialogText, c.Message);
    EXPECT_TRUE(calls.empty()) << "no editor opens";
  }
}

}  // namespace
