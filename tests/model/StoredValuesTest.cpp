// Property values that a form file carries as text and that reach TClassInfo::SetValue once the
// form is loaded, as stored language data does: a crafted file must not plant a pointer.
#include <gtest/gtest.h>

#include <memory>

#include "model/ClassInfo.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/Writer.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/SysUtils.h"
#include "tests/model/FormFixture.h"

using namespace dravik;

namespace {

// Keeps "Component.Property=text" lines in its form and writes each value to its owner's
// component once the form is loaded.
class TValueStore : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass();
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TStrings* GetValues() const { return fValues.get(); }
  void SetValues(TStrings* values) { fValues->Assign(values); }

  void Loaded() override {
    TComponent::Loaded();
    for (int i = 0; i < fValues->Count(); ++i) {
      std::string path = fValues->Names(i);
      std::size_t dot = path.find('.');
      TComponent* target = Owner()->FindComponent(path.substr(0, dot));
      const TPropInfo* prop = target->ClassType().FindProp(path.substr(dot + 1));
      TClassInfo(target, prop).SetValue(Variant(fValues->Values(path)));
    }
  }

 private:
  std::unique_ptr<TStringList> fValues = std::make_unique<TStringList>();
};

const TClassRecord& TValueStore::StaticClass() {
  static const TClassRecord& record =
      TClassBuilder<TValueStore, TComponent>("TValueStore", "TestForms")
          .Property("Values", &TValueStore::GetValues, &TValueStore::SetValues)
          .Build();
  return record;
}

const TClassRegistration kStore(TValueStore::StaticClass());

std::string Hex(const void* p) {
  return IntToHex(reinterpret_cast<uintptr_t>(p), kPointerHexDigits);
}

// Form1 with Button1, and Label1 whose buddy is Button1, and a store holding one value.
std::string FormText(const std::string& storedValue) {
  return "object Form1: TTestForm\n"
         "  object Button1: TTestControl\n"
         "  end\n"
         "  object Label1: TTestControl\n"
         "    Buddy = Button1\n"
         "    OnClick = ButtonClick\n"
         "  end\n"
         "  object Store: TValueStore\n"
         "    Values.Strings = (\n"
         "      '" +
         storedValue +
         "')\n"
         "  end\n"
         "end\n";
}

// Reads the text form into a new Form1; the error message when the read fails.
std::string ReadForm(const std::string& text, TComponentPtr<TTestForm>& form) {
  TStringStream in(text), binary;
  ObjectTextToBinary(in, binary);
  binary.SetPosition(0);
  form = MakeComponent<TTestForm>(nullptr);
  try {
    ReadComponent(binary, form.get());
  } catch (const EObjectBrowseError& e) {
    return e.Message();
  }
  return "";
}

TTestControl* Control(TComponent* form, const char* name) {
  return static_cast<TTestControl*>(form->FindComponent(name));
}

}  // namespace

TEST(StoredValues, AFormFileNamingAForeignPointerIsRefused) {
  std::string foreign = std::string(kPointerHexDigits - 8, '0') + "DEADBEEF";
  TComponentPtr<TTestForm> form;
  EXPECT_EQ(ReadForm(FormText("Label1.Buddy=" + foreign + "h"), form),
            "TClassInfo.SetValue: Object reference " + foreign +
                "h names no live component of class TTestControl");
  TTestControl* label = Control(form.get(), "Label1");
  EXPECT_EQ(label->Buddy, form->FindComponent("Button1")) << "the form's own reference stays";

  // A component that is alive, but in another form.
  auto elsewhere = MakeTestForm();
  std::string other = Hex(elsewhere->FindComponent("Button1"));
  EXPECT_EQ(ReadForm(FormText("Label1.Buddy=" + other + "h"), form),
            "TClassInfo.SetValue: Object reference " + other +
                "h names no live component of class TTestControl");
}

TEST(StoredValues, AFormFileNamingAForeignCodeAddressIsRefused) {
  auto elsewhere = MakeTestForm();
  void* code = MethodCode<&TTestForm::ButtonClick>();
  for (const std::string& descriptor :
       {Hex(code) + Hex(elsewhere.get()) + "h",  // a real handler of another form
        std::string(kPointerHexDigits - 8, '0') + "DEADBEEF" + Hex(elsewhere.get()) + "h"}) {
    TComponentPtr<TTestForm> form;
    EXPECT_EQ(ReadForm(FormText("Label1.OnClick=" + descriptor), form),
              "TClassInfo.SetValue: Method descriptor " + descriptor +
                  " names no published method of a live component");
    EXPECT_EQ(Control(form.get(), "Label1")->OnClick.Method(),
              MakeMethod<&TTestForm::ButtonClick>(form.get()));
  }
}

TEST(StoredValues, NilAndTextValuesStillApply) {
  TComponentPtr<TTestForm> form;
  EXPECT_EQ(ReadForm(FormText("Label1.Buddy=" + std::string(kPointerHexDigits, '0') + "h"), form),
            "");
  EXPECT_EQ(Control(form.get(), "Label1")->Buddy, nullptr);
  EXPECT_EQ(ReadForm(FormText("Button1.Caption=Abbrechen"), form), "");
  EXPECT_EQ(Control(form.get(), "Button1")->Caption, "Abbrechen");
}

TEST(StoredValues, ASiblingReferenceRoundTripsThroughTheFormStream) {
  auto form = MakeTestForm();
  Control(form.get(), "Button1")->OnClick = TNotifyEvent::Of<&TTestForm::ButtonClick>(form.get());
  TStringStream binary;
  WriteComponent(binary, form.get());
  binary.SetPosition(0);
  auto copy = MakeComponent<TTestForm>(nullptr);
  ReadComponent(binary, copy.get());
  TTestControl* label = Control(copy.get(), "Label1");
  TTestControl* button = Control(copy.get(), "Button1");
  ASSERT_EQ(label->Buddy, button);
  EXPECT_EQ(button->OnClick.Method(), MakeMethod<&TTestForm::ButtonClick>(copy.get()));

  // The loaded form's values go through their text form and come back.
  const TClassRecord& type = TTestControl::StaticClass();
  TClassInfo buddy(label, type.FindProp("Buddy"));
  TClassInfo click(button, type.FindProp("OnClick"));
  Variant reference = buddy.GetValue(), handler = click.GetValue();
  label->Buddy = nullptr;
  button->OnClick = {};
  buddy.SetValue(reference);
  click.SetValue(handler);
  EXPECT_EQ(label->Buddy, button);
  EXPECT_EQ(button->OnClick.Method(), MakeMethod<&TTestForm::ButtonClick>(copy.get()));
}
