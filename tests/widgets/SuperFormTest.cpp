// The form base: the window state text in both directions, tracking sizes, a show asked for
// by the form file held back until the form is read, and the form file a derived class needs.

#include <QCoreApplication>

#include "platform/core/typinfo/ClassBuilder.h"
#include "tests/ui/UiFixture.h"
#include "widgets/SuperForm.h"

using namespace dravik;

namespace {

template <class Self, class Base>
class TNamed : public Base {
 public:
  using Base::Base;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<Self, Base>(Self::kName, "TestWindows").Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

// Its file asks for a show and names Created as OnCreate, which runs before the show.
class TShownAtOnce : public TSuperForm {
 public:
  using TSuperForm::TSuperForm;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TShownAtOnce, TSuperForm>("TShownAtOnce", "TestWindows")
            .Method<&TShownAtOnce::Created>("Created")
            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void Created(TObject*) {
    VisibleWhenCreated = Visible();
    PublishedVisibleWhenCreated = GetOrdProp(*this, *ClassType().FindProp("Visible")) != 0;
  }
  bool VisibleWhenCreated = true;
  bool PublishedVisibleWhenCreated = false;
};
class TWithoutFile : public TNamed<TWithoutFile, TSuperForm> {
 public:
  using TNamed::TNamed;
  static constexpr const char* kName = "TWithoutFile";
};
class TSettingsModule : public TNamed<TSettingsModule, TSuperDataModule> {
 public:
  using TNamed::TNamed;
  static constexpr const char* kName = "TSettingsModule";
};
class TModuleWithoutFile : public TNamed<TModuleWithoutFile, TSuperDataModule> {
 public:
  using TNamed::TNamed;
  static constexpr const char* kName = "TModuleWithoutFile";
};
const TClassRegistration kShownAtOnce(TShownAtOnce::StaticClass());

using SuperForm = UiTest;

void Settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

}  // namespace

TEST_F(SuperForm, AMaximisedFormGivesItsNormalBoundsAndComesBackMaximised) {
  auto form = MakeComponent<TSuperForm>(nullptr);
  EXPECT_EQ(form->Position(), poScreenCenter);
  form->SetPosition(poDesigned);
  form->SetBounds(10, 20, 300, 200);
  form->Show();
  form->SetWindowState(wsMaximized);
  Settle();
  EXPECT_EQ(form->GetWindowStateData(), "(10 20 300 200 2)");

  auto again = MakeComponent<TSuperForm>(nullptr);
  again->SetWindowStateData(form->GetWindowStateData());
  EXPECT_EQ(again->Position(), poDesigned);
  EXPECT_EQ(again->WindowState(), wsMaximized);
  again->Show();
  Settle();
  again->SetWindowState(wsNormal);
  Settle();
  EXPECT_EQ(again->GetWindowStateData(), "(10 20 300 200 0)");
  EXPECT_EQ(again->Width(), 300);
  EXPECT_EQ(again->Height(), 200);
}

TEST_F(SuperForm, ADialogStyleFormTakesThePositionOnly) {
  auto form = MakeComponent<TSuperForm>(nullptr);
  form->SetBorderStyle(bsDialog);
  form->SetBounds(0, 0, 250, 150);
  form->SetWindowStateData("(30 40 600 500 2)");
  EXPECT_EQ(form->Left(), 30);
  EXPECT_EQ(form->Top(), 40);
  EXPECT_EQ(form->Width(), 250);
  EXPECT_EQ(form->Height(), 150);
  EXPECT_EQ(form->WindowState(), wsNormal);
}

TEST_F(SuperForm, AnUnknownWindowStateKeepsTheCurrentOne) {
  auto form = MakeComponent<TSuperForm>(nullptr);
  form->SetWindowStateData("(10 20 300 200 7)");
  EXPECT_EQ(form->GetWindowStateData(), "(10 20 300 200 0)");
  EXPECT_EQ(form->WindowState(), wsNormal);
}

TEST_F(SuperForm, TextsThatDoNotParseChangeNothing) {
  auto form = MakeComponent<TSuperForm>(nullptr);
  form->SetBounds(1, 2, 303, 204);
  const std::string before = form->GetWindowStateData();
  for (const char* text : {"", "10 20 300 200 0", "(10 20 300 200)", "(10 x 300 200 0)", "("}) {
    form->SetWindowStateData(text);
    EXPECT_EQ(form->GetWindowStateData(), before) << text;
  }
  EXPECT_EQ(form->Position(), poScreenCenter);
}

TEST_F(SuperForm, AShowAskedForByTheFormFileWaitsUntilTheFormIsRead) {
  auto form = MakeComponent<TShownAtOnce>(nullptr);
  EXPECT_FALSE(form->VisibleWhenCreated);
  EXPECT_TRUE(form->PublishedVisibleWhenCreated) << "the published Visible tells of the show";
  EXPECT_TRUE(form->Visible());
  ASSERT_NE(form->Widget(), nullptr);
  EXPECT_TRUE(form->Widget()->isVisible());
  ASSERT_NE(form->FindComponent("Note"), nullptr);
  EXPECT_EQ(form->Left(), 40);
  EXPECT_TRUE(form->AutoScroll());
  // The tracking size from the file limits the window.
  EXPECT_EQ(form->Widget()->minimumSize(), QSize(150, 80));
  form->SizeMinTrack()->SetEnabled(false);
  EXPECT_EQ(form->Widget()->minimumSize(), QSize(0, 0));
  form->SizeMaxTrack()->SetSizeX(400);
  form->SizeMaxTrack()->SetSizeY(300);
  form->SizeMaxTrack()->SetEnabled(true);
  EXPECT_EQ(form->Widget()->maximumSize(), QSize(400, 300));
}

TEST_F(SuperForm, ADerivedClassWithoutFormFileIsRefused) {
  EXPECT_THROW(MakeComponent<TWithoutFile>(nullptr), EResNotFound);
  EXPECT_THROW(MakeComponent<TModuleWithoutFile>(nullptr), EResNotFound);
  auto module = MakeComponent<TSettingsModule>(nullptr);
  EXPECT_NE(module->FindComponent("Timer"), nullptr);
  EXPECT_NO_THROW(MakeComponent<TSuperDataModule>(nullptr));
}

namespace {
// Lowers nothing, raises the minimum height: what a handler of OnGetMinMaxInfo may do.
struct TLimitsHandler : TObject {
  void Heard(TObject*, TMinMaxRecord& limits) {
    Asked.push_back({limits.MinTrackSizeX, limits.MaxTrackSizeX});
    limits.MinTrackSizeY = 90;
  }
  std::vector<std::pair<int32_t, int32_t>> Asked;
};
}  // namespace

// The tracking sizes reach the window through OnGetMinMaxInfo, which may change them.
TEST_F(SuperForm, OnGetMinMaxInfoHasTheLastWordOnTheLimits) {
  auto form = MakeComponent<TSuperForm>(nullptr);
  TLimitsHandler handler;
  form->OnGetMinMaxInfo = TMinMaxInfoNotify::Of<&TLimitsHandler::Heard>(&handler);
  form->Show();
  form->SizeMaxTrack()->SetSizeX(500);
  form->SizeMaxTrack()->SetSizeY(400);
  form->SizeMaxTrack()->SetEnabled(true);
  EXPECT_EQ(form->Widget()->minimumSize(), QSize(0, 90));
  EXPECT_EQ(form->Widget()->maximumSize(), QSize(500, 400));
  ASSERT_FALSE(handler.Asked.empty());
  EXPECT_EQ(handler.Asked.back(), (std::pair<int32_t, int32_t>{0, 500}));
}
