#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "model/ClassInfo.h"
#include "model/TypeTools.h"
#include "platform/core/system/SysUtils.h"
#include "tests/model/FormFixture.h"

using namespace dravik;

namespace {

// A TClassInfo over the object's whole list, with the named property selected.
std::unique_ptr<TClassInfo> Bound(TObject* object, const std::string& name) {
  auto info = std::make_unique<TClassInfo>(object);
  for (int i = 0; i < info->Count(); ++i) {
    info->Select(i);
    if (info->Name() == name) return info;
  }
  ADD_FAILURE() << "no property " << name;
  return info;
}

template <class F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const EObjectBrowseError& e) {
    return e.Message();
  }
  return "no error";
}

}  // namespace

TEST(ClassInfo, BindsTheWholeListAndSelectsByIndex) {
  auto control = MakeComponent<TTestControl>(nullptr);
  TClassInfo info(control.get());
  EXPECT_EQ(info.Count(), TTestControl::StaticClass().PropCount());
  EXPECT_EQ(info.SelectedIndex(), -1);
  EXPECT_EQ(ErrorOf([&] { info.GetValue(); }), "TClassInfo.GetValue: No property selected");
  EXPECT_TRUE(info.Select(2));
  EXPECT_EQ(info.Name(), "Caption");
  EXPECT_EQ(info.Typ(), "TCaption");
  EXPECT_EQ(info.UnitName(), "TestControls");
  EXPECT_EQ(ErrorOf([&] { info.Select(info.Count()); }), "TClassInfo.Select: Invalid Index");
  EXPECT_EQ(info.Name(), "Caption");  // the previous selection stays
  info.Done();
  EXPECT_EQ(info.Count(), 0);
  EXPECT_EQ(info.PropIndex(), -1);
}

TEST(ClassInfo, ObjectsWithoutTypeInformationHaveNoProperties) {
  TObject plain;
  TClassInfo info(&plain);
  EXPECT_EQ(info.Count(), 0);
  EXPECT_EQ(ErrorOf([&] { info.GetValue(); }), "TClassInfo.GetValue: No property selected");
  EXPECT_EQ(ErrorOf([&] { info.Select(0); }), "TClassInfo.Select: Invalid Index");
  EXPECT_EQ(GetUnitNameOfClass(&plain), "");
}

TEST(ClassInfo, ValuesInTheirTextForms) {
  auto control = MakeComponent<TTestControl>(nullptr);
  control->Alignment = taCenter;
  control->Anchors = {akLeft, akBottom};
  control->GetFont()->SetStyle({fsBold, fsItalic});
  EXPECT_EQ(Bound(control.get(), "Alignment")->GetValue(), Variant("taCenter"));
  EXPECT_EQ(Bound(control.get(), "Anchors")->GetValue(), Variant("[akLeft,akBottom]"));
  EXPECT_EQ(Bound(control->GetFont(), "Style")->GetValue(), Variant("[fsBold,fsItalic]"));
  EXPECT_EQ(Bound(control.get(), "Accel")->GetValue(), Variant(int32_t('A')));  // a code, not text
  Bound(control.get(), "Anchors")->SetValue(Variant("[akRight]"));
  EXPECT_EQ(control->Anchors, TAnchors{akRight});
  Bound(control.get(), "Layout")->SetValue(Variant("tlBottom"));
  EXPECT_EQ(control->Layout, tlBottom);
  EXPECT_THROW(Bound(control.get(), "Layout")->SetValue(Variant("tlLeft")), ETypeToolError);
  Bound(control.get(), "Ratio")->SetValue(Variant("0.25"));
  EXPECT_EQ(control->Ratio, 0.25);
  EXPECT_EQ(Bound(control.get(), "Level")->TypDef(), "");
  EXPECT_EQ(Bound(control.get(), "Layout")->TypDef(), "(tlTop,tlCenter,tlBottom)");
  EXPECT_EQ(Bound(control.get(), "Anchors")->TypDef(), "[akLeft,akTop,akRight,akBottom]");
}

TEST(ClassInfo, ReferencesToLiveComponentsRoundTripAsPointerWideHex) {
  auto form = MakeTestForm();
  auto* button = static_cast<TTestControl*>(form->FindComponent("Button1"));
  auto* label = static_cast<TTestControl*>(form->FindComponent("Label1"));
  auto buddy = Bound(label, "Buddy");
  std::string text = buddy->GetValue().AsString();
  ASSERT_EQ(text.size(), std::size_t(kPointerHexDigits + 1));
  EXPECT_EQ(text.back(), 'h');
  label->Buddy = nullptr;
  buddy->SetValue(Variant(text));
  EXPECT_EQ(label->Buddy, button);
  EXPECT_EQ(buddy->GetAsObject(), button);
  buddy->SetValue(Variant(std::string(kPointerHexDigits, '0') + "h"));
  EXPECT_EQ(label->Buddy, nullptr);
  // The root's own components at any depth, and a component's own sub-objects, are reachable.
  auto* nested = Create<TTestControl>(button);
  Bound(label, "Buddy")->SetAsInteger(reinterpret_cast<intptr_t>(nested));
  EXPECT_EQ(label->Buddy, nested);
  std::string font = Bound(button, "Font")->GetValue().AsString();
  Bound(button, "Font")->SetValue(Variant(font));  // what the property holds
  EXPECT_EQ(
      ErrorOf([&] { Bound(button, "Font")->SetValue(Variant(text)); }),
      "TClassInfo.SetValue: Object reference " + text + " names no live component of class TFont");

  TMethod method = MakeMethod<&TTestForm::ButtonClick>(form.get());
  auto click = Bound(button, "OnClick");
  click->SetAsMethod(method);
  std::string descriptor = click->GetValue().AsString();
  EXPECT_EQ(descriptor.size(), std::size_t(2 * kPointerHexDigits + 1));
  click->SetAsMethod({});
  click->SetValue(Variant(descriptor));
  EXPECT_EQ(button->OnClick.Method(), method);
  Bound(label, "OnClick")->SetValue(Variant(descriptor));  // the same handler for another event
  EXPECT_EQ(label->OnClick.Method(), method);
  click->SetValue(Variant(std::string(2 * kPointerHexDigits, '0') + "h"));
  EXPECT_FALSE(button->OnClick.Assigned());
  std::string upper = descriptor;
  upper.back() = 'H';
  EXPECT_EQ(ErrorOf([&] { click->SetValue(Variant(upper)); }),
            "TClassInfo.SetValue: Invalid method descriptor");
  EXPECT_EQ(ErrorOf([&] { click->GetAsObject(); }),
            "TClassInfo.GetAsObject: Property is not an object reference");
  EXPECT_EQ(ErrorOf([&] { buddy->GetAsMethod(); }),
            "TClassInfo.GetAsMethod: Property is not an method reference");
}

TEST(ClassInfo, ObjectReferencesFromDataMustNameALiveComponentOfTheRoot) {
  auto form = MakeTestForm(), other = MakeTestForm();
  auto* label = static_cast<TTestControl*>(form->FindComponent("Label1"));
  TComponent* button = label->Buddy;
  auto buddy = Bound(label, "Buddy");
  auto refused = [&](const std::string& hex) {
    return "TClassInfo.SetValue: Object reference " + hex +
           "h names no live component of class TTestControl";
  };
  std::string foreign = std::string(kPointerHexDigits - 8, '0') + "DEADBEEF";
  EXPECT_EQ(ErrorOf([&] { buddy->SetValue(Variant(foreign + "h")); }), refused(foreign));
  std::string otherForm =
      IntToHex(reinterpret_cast<uintptr_t>(other->FindComponent("Button1")), kPointerHexDigits);
  EXPECT_EQ(ErrorOf([&] { buddy->SetValue(Variant(otherForm + "h")); }), refused(otherForm));
  // Live, reachable, but no TTestControl: the root, and a sub-object that is no component.
  std::string root = IntToHex(reinterpret_cast<uintptr_t>(form.get()), kPointerHexDigits);
  EXPECT_EQ(ErrorOf([&] { buddy->SetValue(Variant(root + "h")); }), refused(root));
  TFont* font = static_cast<TTestControl*>(button)->GetFont();
  std::string fontHex = IntToHex(reinterpret_cast<uintptr_t>(font), kPointerHexDigits);
  EXPECT_EQ(ErrorOf([&] { buddy->SetValue(Variant(fontHex + "h")); }), refused(fontHex));
  EXPECT_EQ(label->Buddy, button) << "a refused value leaves the property as it was";

  // Numbers and raw bytes are data too.
  EXPECT_EQ(ErrorOf([&] { buddy->SetAsInteger(0xDEADBEEF); }),
            "TClassInfo.SetAsInteger: Object reference " + foreign +
                "h names no live component of class TTestControl");
  void* bytes = font;
  EXPECT_EQ(ErrorOf([&] { buddy->CopyFrom(&bytes, sizeof bytes); }),
            "TClassInfo.CopyFrom: Object reference " + fontHex +
                "h names no live component of class TTestControl");
  EXPECT_EQ(label->Buddy, button);
  // An object that belongs to no component reaches nothing but nil.
  auto loose = MakeComponent<TTestControl>(nullptr);
  EXPECT_EQ(ErrorOf([&] {
              Bound(button, "Buddy")->SetAsInteger(reinterpret_cast<intptr_t>(loose.get()));
            }),
            "TClassInfo.SetAsInteger: Object reference " +
                IntToHex(reinterpret_cast<uintptr_t>(loose.get()), kPointerHexDigits) +
                "h names no live component of class TTestControl");
}

namespace {

void NotAMethod(void*, TObject*) {}

std::string Descriptor(const void* code, const void* data) {
  return IntToHex(reinterpret_cast<uintptr_t>(code), kPointerHexDigits) +
         IntToHex(reinterpret_cast<uintptr_t>(data), kPointerHexDigits) + "h";
}

}  // namespace

TEST(ClassInfo, MethodDescriptorsFromDataMustNameAFittingPublishedMethod) {
  auto form = MakeTestForm(), other = MakeTestForm();
  auto* button = static_cast<TTestControl*>(form->FindComponent("Button1"));
  auto click = Bound(button, "OnClick");
  void* handler = MethodCode<&TTestForm::ButtonClick>();
  auto refused = [](const std::string& descriptor) {
    return "TClassInfo.SetValue: Method descriptor " + descriptor +
           " names no published method of a live component";
  };
  void* foreign = reinterpret_cast<void*>(uintptr_t(0xDEADBEEF));
  for (const std::string& descriptor :
       {Descriptor(handler, foreign), Descriptor(handler, other.get()),
        Descriptor(handler, button),  // a live component without that method
        Descriptor(reinterpret_cast<void*>(&NotAMethod), form.get()),
        Descriptor(foreign, form.get()), Descriptor(nullptr, form.get())})
    EXPECT_EQ(ErrorOf([&] { click->SetValue(Variant(descriptor)); }), refused(descriptor));
  EXPECT_EQ(
      ErrorOf([&] {
        click->SetValue(Variant(Descriptor(MethodCode<&TTestForm::LevelChanged>(), form.get())));
      }),
      "TClassInfo.SetValue: Method LevelChanged does not fit event OnClick");
  EXPECT_FALSE(button->OnClick.Assigned()) << "a refused value leaves the event as it was";

  void* bytes[2] = {handler, foreign};
  EXPECT_EQ(ErrorOf([&] { click->CopyFrom(bytes, sizeof bytes); }),
            "TClassInfo.CopyFrom: Method descriptor " + Descriptor(handler, foreign) +
                " names no published method of a live component");
  bytes[1] = form.get();
  click->CopyFrom(bytes, sizeof bytes);
  EXPECT_EQ(button->OnClick.Method(), MakeMethod<&TTestForm::ButtonClick>(form.get()));
}

TEST(ClassInfo, AccessModesAreChecked) {
  auto control = MakeComponent<TTestControl>(nullptr);
  control->GetLines()->SetText("a\nb");
  auto count = Bound(control.get(), "LineCount");
  EXPECT_EQ(count->GetValue(), Variant(2));
  EXPECT_TRUE(count->Mode().Contains(pmRead));
  EXPECT_FALSE(count->Mode().Contains(pmWrite));
  EXPECT_EQ(ErrorOf([&] { count->SetValue(Variant(3)); }),
            "TClassInfo.SetValue: Method for read or write access not available");
  auto secret = Bound(control.get(), "Secret");
  secret->SetValue(Variant("hidden"));
  EXPECT_EQ(control->Secret, "hidden");
  EXPECT_EQ(ErrorOf([&] { secret->GetValue(); }),
            "TClassInfo.GetValue: Method for read or write access not available");
  EXPECT_EQ(ErrorOf([&] { Bound(control.get(), "Caption")->GetAsInteger(); }),
            "TClassInfo.GetAsInteger: Type cannot be handled");
}

TEST(ClassInfo, DefaultsAndEmptyValuesFollowTheRange) {
  auto control = MakeComponent<TTestControl>(nullptr);
  EXPECT_EQ(Bound(control.get(), "Level")->EmptyValue(), Variant(1));
  EXPECT_EQ(Bound(control.get(), "Offset")->EmptyValue(), Variant(-10));
  EXPECT_EQ(Bound(control.get(), "Layout")->EmptyValue(), Variant(0));
  EXPECT_EQ(Bound(control.get(), "Alignment")->EmptyValue(), Variant(int32_t(taLeftJustify)));
  EXPECT_EQ(Bound(control.get(), "Anchors")->EmptyValue(), Variant(0b0011));
  EXPECT_EQ(Bound(control.get(), "Caption")->EmptyValue(), Variant(""));
  EXPECT_EQ(Bound(control.get(), "Buddy")->EmptyValue(), Variant(NoDefault));
  EXPECT_EQ(Bound(control.get(), "Alignment")->Default(), Variant("taLeftJustify"));
  EXPECT_EQ(Bound(control.get(), "Anchors")->Default(), Variant("[akLeft,akTop]"));
  EXPECT_EQ(Bound(control.get(), "Layout")->Default(), Variant(NoDefault));
  EXPECT_EQ(Bound(control.get(), "Accel")->FormatValue('x'), Variant("x"));
}

TEST(ClassInfo, RawCopiesHaveTheSizesOfTheirKinds) {
  auto control = MakeComponent<TTestControl>(nullptr);
  control->Caption = "abc";
  auto caption = Bound(control.get(), "Caption");
  EXPECT_EQ(caption->Size(), 3);
  char text[4] = {};
  EXPECT_EQ(ErrorOf([&] { caption->CopyTo(text, 4); }),
            "TClassInfo.CopyTo: Invalid number of bytes to copy");
  caption->CopyTo(text, 3);
  EXPECT_STREQ(text, "abc");
  caption->CopyFrom("wxyz", 2);
  EXPECT_EQ(control->Caption, "wx");
  caption->CopyFrom("", 0);
  EXPECT_EQ(control->Caption, "");

  auto ratio = Bound(control.get(), "Ratio");
  EXPECT_EQ(ratio->Size(), 10);
  control->Ratio = 2.5;
  unsigned char extended[10];
  ratio->CopyTo(extended, 10);
  control->Ratio = 0;
  ratio->CopyFrom(extended, 10);
  EXPECT_EQ(control->Ratio, 2.5);
  EXPECT_EQ(ErrorOf([&] { ratio->CopyFrom(extended, 8); }),
            "TClassInfo.CopyFrom: Invalid size of float. Internal error");

  auto level = Bound(control.get(), "Level");
  EXPECT_EQ(level->Size(), 4);
  int32_t four = 4;
  level->CopyFrom(&four, 4);
  EXPECT_EQ(control->Level, 4);
  EXPECT_EQ(ErrorOf([&] { level->CopyFrom(&four, 2); }),
            "TClassInfo.CopyFrom: Invalid size of ordinal. Internal error");
  EXPECT_EQ(ErrorOf([&] { Bound(control.get(), "Accel")->CopyFrom("ab", 2); }),
            "TClassInfo.CopyFrom: Invalid size of character. Internal error");
  EXPECT_EQ(Bound(control.get(), "OnClick")->Size(), int(2 * sizeof(void*)));
  EXPECT_EQ(ErrorOf([&] { Bound(control.get(), "OnClick")->CopyFrom(&four, 4); }),
            "TClassInfo.CopyFrom: Invalid size of method reference. Internal error");
}

TEST(ClassInfo, BindingToOnePropertySelectsIt) {
  auto control = MakeComponent<TTestControl>(nullptr);
  control->Hint = "tip";
  TClassInfo info(control.get(), TTestControl::StaticClass().FindProp("Hint"));
  EXPECT_EQ(info.Count(), 1);
  EXPECT_EQ(info.SelectedIndex(), 0);
  EXPECT_EQ(info.GetAsString(), "tip");
  EXPECT_STREQ(info.GetAsPChar(), "tip");
  EXPECT_TRUE(info.IsString());
  EXPECT_FALSE(info.IsOrdinal());
}
