// The button panel's and the button's design-time verbs: each replaces the buttons by a set of
// command buttons or gives the panel one of two sizes, and tells the designer.
#include <gtest/gtest.h>

#include "editor/ButtonPanelReg.h"
#include "platform/ui/Forms.h"
#include "tests/editor/EditorFixture.h"
#include "widgets/ButtonPanel.h"

using namespace dravik;

namespace {

class ButtonPanelVerbs : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    form = MakeComponent<TForm>(nullptr);
    panel = Create<TButtonPanel>(form.get());  // with a host: OK and Cancel to start with
  }
  void TearDown() override {
    form.reset();
    EditorTest::TearDown();
  }
  // Each button as "caption:modal result", with "+" for the default and "-" for the cancel one.
  std::vector<std::string> Buttons() const {
    std::vector<std::string> shown;
    for (int i = 0; i < panel->Buttons()->Count(); ++i) {
      TButtonItem* item = panel->Items(i);
      shown.push_back(item->Caption() + ":" + std::to_string(item->ModalResult()) +
                      (item->Default() ? "+" : "") + (item->Cancel() ? "-" : ""));
    }
    return shown;
  }
  TComponentPtr<TForm> form;
  TButtonPanel* panel = nullptr;
  TCountingDesigner designer{nullptr};
};

using TTexts = std::vector<std::string>;

}  // namespace

TEST_F(ButtonPanelVerbs, EachSetReplacesAllButtons) {
  const struct {
    int Verb;
    const char* Name;
    TTexts Buttons;
  } cases[] = {
      {0, "OK", {"&OK:1+"}},
      {1, "OK, Cancel", {"&OK:1+", "&Cancel:2-"}},
      {2, "OK, Cancel, Help", {"&OK:1+", "&Cancel:2-", "&Help:0"}},
      {3, "Yes, No", {"&Yes:6+", "&No:7"}},
      {4, "Yes, No, Cancel", {"&Yes:6+", "&No:7", "&Cancel:2-"}},
  };
  TButtonPanelEditor editor(*panel, &designer);
  ASSERT_EQ(editor.GetVerbCount(), 7);
  for (const auto& c : cases) {
    designer.Changes = 0;
    EXPECT_EQ(editor.GetVerb(c.Verb), c.Name);
    editor.ExecuteVerb(c.Verb);
    EXPECT_EQ(Buttons(), c.Buttons) << c.Name;
    EXPECT_EQ(designer.Changes, 1);
  }
}

TEST_F(ButtonPanelVerbs, EachSizeSetsTheButtonsAndThePanel) {
  const struct {
    int Verb;
    const char* Name;
    int32_t DimX, DimY, Dist, Width, Height;
  } cases[] = {{6, "Small Buttons", 96, 28, 6, 102, 32}, {5, "Large Buttons", 128, 32, 8, 136, 40}};
  TButtonPanelEditor editor(*panel, &designer);
  for (const auto& c : cases) {
    designer.Changes = 0;
    EXPECT_EQ(editor.GetVerb(c.Verb), c.Name);
    editor.ExecuteVerb(c.Verb);
    EXPECT_EQ((std::vector<int32_t>{panel->ButtonDimX(), panel->ButtonDimY(), panel->ButtonDist(),
                                    panel->Width(), panel->Height()}),
              (std::vector<int32_t>{c.DimX, c.DimY, c.Dist, c.Width, c.Height}))
        << c.Name;
    EXPECT_EQ(designer.Changes, 1);
  }
}

TEST_F(ButtonPanelVerbs, AButtonBecomesACommandButton) {
  auto* button = Create<TButton>(form.get());
  const struct {
    const char* Verb;
    const char* Caption;
    int32_t Result;
    bool Default, Cancel;
  } cases[] = {{"OK", "&OK", mrOk, true, false},
               {"Cancel", "&Cancel", mrCancel, false, true},
               {"Help", "&Help", mrNone, false, false},
               {"Yes", "&Yes", mrYes, true, false},
               {"No", "&No", mrNo, false, false}};
  TButtonEditor editor(*button, &designer);
  ASSERT_EQ(editor.GetVerbCount(), 5);
  for (int i = 0; i < 5; ++i) {
    const auto& c = cases[i];
    EXPECT_EQ(editor.GetVerb(i), c.Verb);
    editor.ExecuteVerb(i);
    EXPECT_EQ(button->Caption(), c.Caption);
    EXPECT_EQ(button->ModalResult(), c.Result) << c.Verb;
    EXPECT_EQ(button->Default(), c.Default) << c.Verb;
    EXPECT_EQ(button->Cancel(), c.Cancel) << c.Verb;
  }
  EXPECT_EQ(designer.Changes, 5);
}
