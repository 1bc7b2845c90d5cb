// What the explorer offers of a form: the filter's names, empty values with and without
// pfAssigned, lines of string lists, unnamed components and the order of the entries.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/ComponentExplorer.h"
#include "platform/core/classes/Strings.h"
#include "tests/model/FormFixture.h"

using namespace dravik;

namespace {

// Every offered property as "Entry.Path", in tree order.
std::vector<std::string> Offered(TComponent* root, TCESettings& settings) {
  TMainEntries entries(nullptr, &TPropertyEntry::StaticClass());
  TPropVisibility visibility(settings);
  AddRootToMainEntries(root, entries, settings, visibility.AsFilter());
  entries.ValidateAndPack();
  std::vector<std::string> offered;
  for (int i = 0; i < entries.Count(); ++i) {
    TStringList paths;
    entries.Items(i)->MoveSubItemsToStrings(true, paths);
    for (int p = 0; p < paths.Count(); ++p)
      offered.push_back(entries.Items(i)->Name + "." + paths.Strings(p));
  }
  return offered;
}

}  // namespace

TEST(ComponentExplorer, TheDefaultFilterOffersTextsThatAreNotEmpty) {
  auto form = MakeTestForm();
  TCESettings settings;
  auto* label = static_cast<TTestControl*>(form->FindComponent("Label1"));
  label->Caption = "";
  std::vector<std::string> offered = Offered(form.get(), settings);
  EXPECT_EQ(offered,
            (std::vector<std::string>{"Button1.Caption", "Button1.Hint", "Button1.Lines.Strings[0]",
                                      "Button1.Lines.Strings[1]", "Button1.Lines.Strings[2]"}));
  label->Caption = "Name:";
  offered = Offered(form.get(), settings);
  EXPECT_NE(std::find(offered.begin(), offered.end(), "Label1.Caption"), offered.end());
}

TEST(ComponentExplorer, EmptyLinesAreLeftOutOnlyWithAssigned) {
  auto form = MakeTestForm();
  auto* button = static_cast<TTestControl*>(form->FindComponent("Button1"));
  button->GetLines()->SetText("one\n\nthree");
  TCESettings settings;
  settings.SetPropFilter({pfStrings, pfAssigned});
  EXPECT_EQ(Offered(form.get(), settings),
            (std::vector<std::string>{"Button1.Lines.Strings[0]", "Button1.Lines.Strings[2]"}));
  settings.SetPropFilter({pfStrings});
  EXPECT_EQ(Offered(form.get(), settings).size(), 3u);
}

TEST(ComponentExplorer, UserNamesAllKindsAndTheOrderOfComponents) {
  auto form = MakeTestForm();
  TCESettings settings;
  settings.SetPropFilter({pfUser});
  settings.SetPropFilterText("level  alignment");
  const std::vector<std::string> user = Offered(form.get(), settings);
  EXPECT_NE(std::find(user.begin(), user.end(), "Button1.Level"), user.end());
  EXPECT_NE(std::find(user.begin(), user.end(), "Label1.Alignment"), user.end());
  EXPECT_EQ(std::find(user.begin(), user.end(), "Button1.Caption"), user.end());

  settings.SetPropFilter({pfAll});
  const std::vector<std::string> all = Offered(form.get(), settings);
  EXPECT_NE(std::find(all.begin(), all.end(), "Button1.Font.Name"), all.end());
  EXPECT_EQ(std::find(all.begin(), all.end(), "Button1.OnClick"), all.end()) << "no events";
  EXPECT_EQ(std::find(all.begin(), all.end(), "Button1.Secret"), all.end()) << "write-only";
  for (const std::string& path : all) EXPECT_NE(path.substr(0, 1), ".") << "unnamed component";
  EXPECT_EQ(all.back().substr(0, 6), "Form1.") << "the root comes last";

  settings.SetTypeKinds(TTypeKinds{tkLString});
  for (const std::string& path : Offered(form.get(), settings))
    EXPECT_TRUE(path.find("Level") == std::string::npos) << path;
}
