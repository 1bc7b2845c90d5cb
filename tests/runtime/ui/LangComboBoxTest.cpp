// The language combo box on real forms: it binds, lists, switches the frame on the user's
// choice, follows switches made elsewhere and rebinds when its TDravik goes.

#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <cstring>

#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Designing.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "runtime/ui/LangComboBox.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

class TLangWindow : public TForm {
 public:
  using TForm::TForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TLangComboBox* Choice() const { return dynamic_cast<TLangComboBox*>(FindComponent("Choice")); }
  TDravik* Dravik() const { return dynamic_cast<TDravik*>(FindComponent("Dravik")); }
  TDravik* Spare() const { return dynamic_cast<TDravik*>(FindComponent("Spare")); }
  std::string Greeting() const {
    auto* label = dynamic_cast<TControl*>(FindComponent("Greeting"));
    return static_cast<QLabel*>(label->Widget())->text().toStdString();
  }
};

const TClassRecord& TLangWindow::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TLangWindow, TForm>("TLangWindow", "TestWindows").Build();
  return record;
}
const TClassRegistration kLangWindow(TLangWindow::StaticClass());

std::vector<std::string> Listed(TLangComboBox* box) {
  std::vector<std::string> items;
  for (int i = 0; i < box->ComboWidget()->count(); ++i)
    items.push_back(box->ComboWidget()->itemText(i).toStdString());
  return items;
}

std::string Selected(TLangComboBox* box) {
  return box->ComboWidget()->currentText().toStdString();
}

using LangComboBox = UiTest;

}  // namespace

TEST_F(LangComboBox, BindsToTheFormsFirstDravikWhenShownAndListsItsLanguagesSorted) {
  auto* form = UiApp().CreateForm<TLangWindow>();
  EXPECT_EQ(form->Choice()->Bound(), nullptr);  // no window yet
  form->Show();
  TLangComboBox* box = form->Choice();
  EXPECT_EQ(box->Bound(), form->Dravik());
  EXPECT_EQ(box->Dravik(), form->Dravik());
  EXPECT_EQ(Listed(box), (std::vector<std::string>{"Deutsch", "English"}));
  EXPECT_EQ(Selected(box), "English");
  EXPECT_TRUE(box->ComboWidget()->isEnabled());
  EXPECT_FALSE(box->ComboWidget()->isEditable());
  EXPECT_EQ(box->Color(), clWindow);
  form->Free();
}

TEST_F(LangComboBox, TheUsersChoiceSwitchesEveryFormOfTheFrame) {
  auto* first = UiApp().CreateForm<TLangWindow>();
  auto owned = MakeComponent<TLangWindow>(nullptr);  // a form of the same class needs no other name
  TLangWindow* second = owned.get();
  first->Show();
  second->Show();
  QComboBox* combo = first->Choice()->ComboWidget();
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Up);  // English -> Deutsch, as the user picks it
  EXPECT_EQ(first->Dravik()->GetLanguage(), "Deutsch");
  EXPECT_EQ(first->Greeting(), "Hallo");
  EXPECT_EQ(second->Greeting(), "Hallo");
  EXPECT_EQ(Selected(second->Choice()), "Deutsch");
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(second->Greeting(), "Hello");
  EXPECT_EQ(Selected(second->Choice()), "English");
  first->Free();
}

TEST_F(LangComboBox, FollowsASwitchMadeFromCodeOnAnotherForm) {
  auto* first = UiApp().CreateForm<TLangWindow>();
  auto owned = MakeComponent<TLangWindow>(nullptr);  // a form of the same class needs no other name
  TLangWindow* second = owned.get();
  first->Show();
  second->Show();
  second->Dravik()->SetLanguage("Deutsch");
  EXPECT_EQ(Selected(first->Choice()), "Deutsch");
  EXPECT_EQ(first->Choice()->ItemIndex(), 0);
  first->Free();
}

TEST_F(LangComboBox, RebindsToTheNextDravikWhenItsOwnIsDestroyed) {
  auto* form = UiApp().CreateForm<TLangWindow>();
  form->Show();
  TLangComboBox* box = form->Choice();
  TDravik* spare = form->Spare();
  form->Dravik()->Free();
  EXPECT_EQ(box->Bound(), spare);
  EXPECT_EQ(box->Dravik(), spare);
  EXPECT_EQ(Listed(box), (std::vector<std::string>{"English", "Italiano"}));
  EXPECT_EQ(Selected(box), "English");
  // The last one going leaves the box empty and disabled.
  spare->Free();
  EXPECT_EQ(box->Bound(), nullptr);
  EXPECT_EQ(box->ComboWidget()->count(), 0);
  EXPECT_FALSE(box->ComboWidget()->isEnabled());
  form->Free();
}

TEST_F(LangComboBox, FollowsAnInstanceGivenExplicitlyAndDropsItWhenItGoes) {
  auto* form = UiApp().CreateForm<TLangWindow>();
  auto owned = MakeComponent<TLangWindow>(nullptr);
  TLangWindow* other = owned.get();
  form->Show();
  TLangComboBox* box = form->Choice();
  box->SetDravik(other->Spare());
  EXPECT_EQ(box->Bound(), other->Spare());
  EXPECT_EQ(Listed(box), (std::vector<std::string>{"English", "Italiano"}));
  owned.reset();
  EXPECT_EQ(box->Dravik(), form->Dravik());  // the form's own takes over
  EXPECT_EQ(Listed(box), (std::vector<std::string>{"Deutsch", "English"}));
  form->Free();
}

TEST_F(LangComboBox, OnAFormWithoutDravikStaysEmptyDisabledAndGrey) {
  auto* form = UiApp().CreateForm<TForm>();
  auto* box = Create<TLangComboBox>(form);
  box->SetParent(form);
  form->Show();
  EXPECT_EQ(box->Bound(), nullptr);
  EXPECT_EQ(box->ComboWidget()->count(), 0);
  EXPECT_FALSE(box->ComboWidget()->isEnabled());
  EXPECT_EQ(box->Color(), clBtnFace);
  box->SetEnabled(true);
  EXPECT_EQ(box->Color(), clWindow);
  form->Free();
}

TEST_F(LangComboBox, KeepsAnExplicitColourThroughEnablingAndDisabling) {
  auto* form = UiApp().CreateForm<TLangWindow>();
  form->Show();
  TLangComboBox* box = form->Choice();
  box->SetColor(clYellow);
  box->SetEnabled(false);
  EXPECT_EQ(box->Color(), clYellow);
  box->SetEnabled(true);
  EXPECT_EQ(box->Color(), clYellow);
  box->SetAutoColor(false);
  box->SetColor(clWindow);
  box->SetEnabled(false);
  EXPECT_EQ(box->Color(), clWindow);  // without AutoColor nothing changes
  form->Free();
}

TEST_F(LangComboBox, InTheDesignerATDravikDroppedLaterBindsIt) {
  SetDesigningHost(true);
  auto form = MakeComponent<TForm>(nullptr);
  auto* box = Create<TLangComboBox>(form.get());
  box->SetParent(form.get());
  form->Show();
  EXPECT_EQ(box->Bound(), nullptr);
  auto* dropped = Create<TDravik>(form.get());
  SetDesigningHost(false);
  EXPECT_EQ(box->Bound(), dropped);
  EXPECT_EQ(box->Dravik(), dropped);
}

namespace {

// A form whose file sets every member of the combo box away from its default and hands its
// events to published methods.
class TBoxWindow : public TForm {
 public:
  using TForm::TForm;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void BoxKeyDown(TObject*, uint16_t& key, TShiftState shift) {
    Heard.push_back("down " + std::to_string(key) + (shift.Contains(ssShift) ? " shift" : ""));
  }
  void BoxKeyPress(TObject*, char& key) { Heard.push_back(std::string("press ") + key); }
  void BoxKeyUp(TObject*, uint16_t& key, TShiftState) {
    Heard.push_back("up " + std::to_string(key));
  }
  void BoxNotify(TObject*) { Heard.push_back("notify"); }
  void BoxDragDrop(TObject*, TObject*, int32_t, int32_t) {}
  std::vector<std::string> Heard;
};

const TClassRecord& TBoxWindow::StaticClass() {
  using T = TBoxWindow;
  static const TClassRecord& record = TClassBuilder<T, TForm>("TBoxWindow", "TestWindows")
                                          .Method<&T::BoxKeyDown>("BoxKeyDown")
                                          .Method<&T::BoxKeyPress>("BoxKeyPress")
                                          .Method<&T::BoxKeyUp>("BoxKeyUp")
                                          .Method<&T::BoxNotify>("BoxNotify")
                                          .Method<&T::BoxDragDrop>("BoxDragDrop")
                                          .Build();
  return record;
}

const char kBoxWindow[] =
    "object BoxWindow: TBoxWindow\n"
    "  object Box: TLangComboBox\n"
    "    Ctl3D = False\n"
    "    DragCursor = crHandPoint\n"
    "    DragMode = dmAutomatic\n"
    "    DropDownCount = 12\n"
    "    ImeMode = imClose\n"
    "    ImeName = 'Latin'\n"
    "    ItemHeight = 20\n"
    "    MaxLength = 5\n"
    "    ParentCtl3D = False\n"
    "    TabStop = False\n"
    "    OnDragDrop = BoxDragDrop\n"
    "    OnDropDown = BoxNotify\n"
    "    OnKeyDown = BoxKeyDown\n"
    "    OnKeyPress = BoxKeyPress\n"
    "    OnKeyUp = BoxKeyUp\n"
    "  end\n"
    "end\n";

}  // namespace

// A form file written elsewhere for the combo box reads into its properties and events, is
// written back as it was, and the events the widget can tell of reach their handlers.
TEST_F(LangComboBox, EveryPublishedMemberReadsWritesAndActs) {
  auto form = MakeComponent<TBoxWindow>(nullptr);
  ReadFormText(kBoxWindow, form.get());
  auto* box = dynamic_cast<TLangComboBox*>(form->FindComponent("Box"));
  ASSERT_NE(box, nullptr);
  box->SetParent(form.get());

  TStringStream written, back;
  WriteComponent(written, form.get());
  written.SetPosition(0);
  ObjectBinaryToText(written, back);
  const std::string members(std::strstr(kBoxWindow, "    Ctl3D"), std::strstr(kBoxWindow, "  end"));
  EXPECT_NE(back.DataString().find(members), std::string::npos) << back.DataString();

  form->Show();
  box->SetEnabled(true);  // it has no languages to list, but keys reach only an enabled box
  QComboBox* combo = box->ComboWidget();
  EXPECT_EQ(combo->maxVisibleItems(), 12);
  EXPECT_EQ(combo->focusPolicy(), Qt::ClickFocus);
  QTest::keyClick(combo, Qt::Key_A);
  QTest::keyClick(combo, Qt::Key_End, Qt::ShiftModifier);
  combo->showPopup();
  combo->hidePopup();
  EXPECT_EQ(form->Heard, (std::vector<std::string>{"down 65", "press a", "up 65", "down 16 shift",
                                                   "down 35 shift", "up 35", "up 16", "notify"}));
}

TEST_F(LangComboBox, InTheDesignerItsFirstNameLosesItsDigits) {
  SetDesigningHost(true);
  auto form = MakeComponent<TForm>(nullptr);
  auto* first = Create<TLangComboBox>(form.get());
  first->SetName("LangComboBox1");
  auto* second = Create<TLangComboBox>(form.get());
  second->SetName("LangComboBox2");  // the short name is taken
  SetDesigningHost(false);
  EXPECT_EQ(first->Name(), "LangComboBox");
  EXPECT_EQ(second->Name(), "LangComboBox2");
  first->SetName("Choice7");  // later names stay as given
  EXPECT_EQ(first->Name(), "Choice7");
}
