// Traversal of the control tree and the windowed control that holds a control.

#include <QTimer>

#include "platform/ui/StdCtrls.h"
#include "tests/ui/UiFixture.h"
#include "widgets/ControlTools.h"

using namespace dravik;

namespace {

using ControlTools = UiTest;

template <class T>
T* Make(TComponent* owner, TWinControl* parent, const char* name) {
  T* control = Create<T>(owner);
  control->SetName(name);
  control->SetParent(parent);
  return control;
}

}  // namespace

TEST_F(ControlTools, ForEachControlVisitsChildrenLastToFirstEachWindowedChildAfterItsOwn) {
  auto form = MakeComponent<TForm>(nullptr);
  form->SetName("Form");
  auto* a = Make<TLabel>(form.get(), form.get(), "A");
  auto* panel = Make<TPanel>(form.get(), form.get(), "Panel");
  Make<TButton>(form.get(), panel, "B");
  Make<TLabel>(form.get(), panel, "C");
  Make<TEdit>(form.get(), form.get(), "D");
  (void)a;
  std::vector<std::string> order;
  ForEachControl(form.get(), [&](TControl* c) { order.push_back(c->Name()); });
  EXPECT_EQ(order, (std::vector<std::string>{"D", "C", "B", "Panel", "A", "Form"}));
  order.clear();
  ForEachControl(a, [&](TControl* c) { order.push_back(c->Name()); });
  EXPECT_EQ(order, (std::vector<std::string>{"A"}));
}

TEST_F(ControlTools, FindParentWinControlAnswersTheHolderWithinTheOwningForm) {
  auto form = MakeComponent<TForm>(nullptr);
  auto* panel = Make<TPanel>(form.get(), form.get(), "Panel");
  auto* inPanel = Make<TLabel>(form.get(), panel, "InPanel");
  auto* onForm = Make<TLabel>(form.get(), form.get(), "OnForm");
  auto* loose = Make<TLabel>(form.get(), nullptr, "Loose");
  EXPECT_EQ(FindParentWinControl(inPanel), panel);
  EXPECT_EQ(FindParentWinControl(onForm), form.get());
  EXPECT_EQ(FindParentWinControl(loose), nullptr);
  // A control whose parent lies on another form is not found through its own form.
  auto other = MakeComponent<TForm>(nullptr);
  auto* foreign = Make<TLabel>(form.get(), other.get(), "Foreign");
  EXPECT_EQ(FindParentWinControl(foreign), nullptr);
  foreign->Free();
  // Without an owning form there is nothing to search.
  auto ownerless = MakeComponent<TLabel>(nullptr);
  EXPECT_EQ(FindParentWinControl(ownerless.get()), nullptr);
}

TEST_F(ControlTools, DisabledProcessMessagesTakesNoInputAndGivesTheMainFormBack) {
  auto form = MakeComponent<TForm>(nullptr);
  TCustomForm* previous = UiApp().MainForm();
  UiApp().SetMainForm(form.get());
  form->Show();
  std::vector<bool> enabledWhileProcessing;
  auto process = [&] {
    QTimer::singleShot(0, [&] { enabledWhileProcessing.push_back(form->Enabled()); });
    DisabledProcessMessages();
  };
  process();
  EXPECT_TRUE(form->Enabled());
  form->SetEnabled(false);
  process();
  EXPECT_FALSE(form->Enabled()) << "a main form disabled before stays so";
  EXPECT_EQ(enabledWhileProcessing, (std::vector<bool>{false, false}));
  UiApp().SetMainForm(previous);
}
