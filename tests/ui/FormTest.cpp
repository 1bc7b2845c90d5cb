// Forms read from embedded form files, shown offscreen, switched between languages.

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <limits>

#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/StdCtrls.h"
#include "runtime/Dravik.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

class TTestWindow : public TForm {
 public:
  using TForm::TForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

const TClassRecord& TTestWindow::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TTestWindow, TForm>("TTestWindow", "TestWindows").Build();
  return record;
}
const TClassRegistration kTestWindow(TTestWindow::StaticClass());

template <class T>
T* Find(TComponent* form, const char* name) {
  return dynamic_cast<T*>(form->FindComponent(name));
}

using Forms = UiTest;

}  // namespace

TEST_F(Forms, AFormReadsItsFileAndItsWidgetsShowIt) {
  auto* form = UiApp().CreateForm<TTestWindow>();
  form->Show();
  EXPECT_EQ(form->Widget()->windowTitle().toStdString(), "Greetings");
  EXPECT_EQ(form->Width(), 300);
  auto* hello = Find<TLabel>(form, "Hello");
  ASSERT_NE(hello, nullptr);
  EXPECT_EQ(static_cast<QLabel*>(hello->Widget())->text().toStdString(), "Hello");
  EXPECT_EQ(hello->Parent(), Find<TPanel>(form, "Top"));
  auto* names = Find<TListBox>(form, "Names");
  EXPECT_EQ(static_cast<QListWidget*>(names->Widget())->item(1)->text().toStdString(), "Two");
  // Aligned to the top: the panel spans the client width.
  EXPECT_EQ(Find<TPanel>(form, "Top")->Width(), 300);
  form->Free();
}

TEST_F(Forms, ASwitchChangesWhatTheWidgetsDisplay) {
  auto* form = UiApp().CreateForm<TTestWindow>();
  form->Show();
  Find<TDravik>(form, "Dravik")->SetLanguage("Deutsch");
  EXPECT_EQ(static_cast<QLabel*>(Find<TLabel>(form, "Hello")->Widget())->text().toStdString(),
            "Hallo");
  auto* names = Find<TListBox>(form, "Names");
  EXPECT_EQ(static_cast<QListWidget*>(names->Widget())->item(1)->text().toStdString(), "Zwei");
  EXPECT_EQ(names->Hint(), "Liste");
  form->Free();
}

TEST_F(Forms, AnchorsFollowTheWindowsSize) {
  auto* form = UiApp().CreateForm<TTestWindow>();
  form->Show();
  auto* ok = Find<TButton>(form, "Ok");
  form->Widget()->resize(400, 260);
  QCoreApplication::processEvents();
  EXPECT_EQ(ok->Left(), 316);
  EXPECT_EQ(ok->Top(), 228);
  form->Free();
}

// Bounds and font heights at the integer's limits (a damaged form file) are brought within reach,
// so that layout, measuring and drawing never overflow.
TEST_F(Forms, ExtremeBoundsAndFontHeightsStayWithinReach) {
  auto* form = UiApp().CreateForm<TTestWindow>();
  auto* button = Create<TButton>(form);
  button->SetParent(form);
  for (const int32_t extreme :
       {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
    const int32_t reached = extreme < 0 ? -kMaxCoordinate : kMaxCoordinate;
    button->SetBounds(extreme, extreme, extreme, extreme);
    EXPECT_EQ(button->Left(), reached);
    EXPECT_EQ(button->Top(), reached);
    EXPECT_EQ(button->Width(), reached);
    EXPECT_EQ(button->Height(), reached);
    form->SetClientWidth(extreme);
    form->SetClientHeight(extreme);
    EXPECT_EQ(form->ClientWidth(), reached);
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) button->SetAlign(align);
    button->SetAlign(alNone);

    form->Font()->SetHeight(extreme);
    EXPECT_EQ(ToQFont(*form->Font()).pixelSize(), kMaxFontPixels);
    EXPECT_EQ(form->Font()->Size(), extreme < 0 ? 1610612736 : -1610612735);
    form->Font()->SetSize(extreme);
    EXPECT_EQ(form->Font()->Height(), extreme < 0 ? std::numeric_limits<int32_t>::max()
                                                  : -std::numeric_limits<int32_t>::max());
  }
  form->Free();
}

// Answers a form's close query as told and counts the questions.
class TCloseGate : public TObject {
 public:
  void Query(TObject*, bool& canClose) {
    ++Asked;
    canClose = Allow;
  }
  void FreeOnClose(TObject*, TCloseAction& action) { action = caFree; }
  void CountClose(TObject*, TCloseAction& action) {
    ++Closed;
    if (!Allow) action = caNone;
  }
  bool Allow = false;
  int Asked = 0, Closed = 0;
};

// Tells whether the component it is linked to is gone.
class TWatch : public TComponent {
 public:
  using TComponent::TComponent;
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove) Gone = true;
  }
  bool Gone = false;
};

TEST_F(Forms, AModalFormEndsWithItsButtonsResult) {
  auto* form = UiApp().CreateForm<TTestWindow>();
  auto* ok = Find<TButton>(form, "Ok");
  QTimer::singleShot(0, [ok] { static_cast<QPushButton*>(ok->Widget())->click(); });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_FALSE(form->Visible());
  form->Free();
}

// A button's result ends a modal form only as closing would: OnClose is told and may refuse.
TEST_F(Forms, AModalResultEndsTheFormThroughOnClose) {
  auto* form = UiApp().CreateForm<TTestWindow>();
  TCloseGate gate;
  form->OnClose = TCloseEvent::Of<&TCloseGate::CountClose>(&gate);
  auto* button = Find<TButton>(form, "Ok");
  auto ok = [button] { return static_cast<QPushButton*>(button->Widget()); };
  QTimer::singleShot(0, [ok, form, &gate] {
    ok()->click();  // refused
    QTimer::singleShot(0, [ok, form, &gate] {
      EXPECT_TRUE(form->Visible());
      gate.Allow = true;
      ok()->click();
    });
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(gate.Closed, 2);
  EXPECT_FALSE(form->Visible());
  form->Free();
}

TEST_F(Forms, ClosingAsksTheCloseQueryFirst) {
  auto* form = UiApp().CreateForm<TTestWindow>();
  TCloseGate gate;
  form->OnCloseQuery = TCloseQueryEvent::Of<&TCloseGate::Query>(&gate);
  form->Show();
  form->Widget()->close();  // the window's close box
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(gate.Asked, 1);
  gate.Allow = true;
  form->Close();
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(gate.Asked, 2);
  form->Free();
}

TEST_F(Forms, AFormClosedToBeFreedGoesOnceCloseIsDone) {
  for (bool shown : {false, true}) {
    SCOPED_TRACE(shown ? "shown" : "never shown");
    auto* form = UiApp().CreateForm<TTestWindow>();
    TCloseGate gate;
    form->OnClose = TCloseEvent::Of<&TCloseGate::FreeOnClose>(&gate);
    auto watch = MakeComponent<TWatch>(nullptr);
    watch->FreeNotification(form);
    if (shown) form->Show();
    form->Close();
    EXPECT_FALSE(watch->Gone);
    QCoreApplication::processEvents();
    EXPECT_TRUE(watch->Gone);
  }
}

// The application holds its main form only while it lives: a main form freed by its own close
// ends Run and is no longer the main form.
TEST_F(Forms, TheApplicationForgetsAMainFormThatIsFreed) {
  auto* form = UiApp().CreateForm<TTestWindow>();
  UiApp().SetMainForm(form);
  TCloseGate gate;
  form->OnClose = TCloseEvent::Of<&TCloseGate::FreeOnClose>(&gate);
  QTimer::singleShot(0, [form] { form->Close(); });
  EXPECT_EQ(UiApp().Run(), 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(UiApp().MainForm(), nullptr);
}

TEST_F(Forms, AControlsWidgetGoesWhenItLeavesItsParentAndItsChildrensGoWithIt) {
  auto* form = UiApp().CreateForm<TTestWindow>();
  form->Show();
  auto* top = Find<TPanel>(form, "Top");
  auto* hello = Find<TLabel>(form, "Hello");
  ASSERT_TRUE(hello->HandleAllocated());
  top->SetParent(nullptr);
  EXPECT_FALSE(top->HandleAllocated());
  EXPECT_FALSE(hello->HandleAllocated()) << "deleted by Qt with its parent's widget";
  EXPECT_EQ(hello->Parent(), top);
  top->SetParent(form);
  ASSERT_TRUE(hello->HandleAllocated());
  EXPECT_EQ(static_cast<QLabel*>(hello->Widget())->text().toStdString(), "Hello");
  form->Free();
}
