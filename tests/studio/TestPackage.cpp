// A design package of the studio's tests: a non-visual TGadget on the page "Gadgets" with a
// component editor of two verbs, a property editor with a value list and a dialog, and an
// expert that adds an item to the Tools menu which writes into the current unit's buffer.
#include <memory>

#include "platform/core/classes/Component.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ide/DesignPackage.h"
#include "platform/ide/Registration.h"
#include "platform/ide/ToolServices.h"

namespace dravik {

namespace {

class TGadget : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TGadget, TComponent>("TGadget", "Gadgets")
            .Property("Caption", &TGadget::Caption, &TGadget::SetCaption)
            .Property("Flavour", &TGadget::Flavour, &TGadget::SetFlavour)
            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value) { fCaption = value; }
  const std::string& Flavour() const { return fFlavour; }
  void SetFlavour(const std::string& value) { fFlavour = value; }

 private:
  std::string fCaption;
  std::string fFlavour;
};

class TGadgetEditor : public TComponentEditor {
 public:
  using TComponentEditor::TComponentEditor;
  int GetVerbCount() override { return 2; }
  std::string GetVerb(int index) override { return index == 0 ? "Polish" : "Reset"; }
  void ExecuteVerb(int index) override {
    auto& gadget = static_cast<TGadget&>(Component());
    gadget.SetCaption(index == 0 ? gadget.Caption() + "*" : "");
    Modified();
  }
};

class TFlavourProperty : public TStringProperty {
 public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() override { return paValueList | paSortList | paDialog; }
  void GetValues(const TGetStrProc& proc) override {
    for (const char* value : {"Vanilla", "apple", "Cherry"}) proc(value);
  }
  void Edit() override { SetValue("From the dialog"); }
};

class TGadgetExpert : public TIExpert {
 public:
  TGadgetExpert() {
    TIdeMenuItem item;
    item.Name = "GadgetItem";
    item.Caption = "Gadget tool";
    item.OnClick = [] {
      TIToolServices* services = ToolServices();
      auto module = services->GetModuleInterface(services->GetCurrentFile());
      if (!module) return;
      auto editor = module->GetEditorInterface();
      if (editor) editor->CreateWriter()->Insert("{ gadget }");
    };
    ToolServices()->GetMainMenu()->InsertItem(1, 0, std::move(item));
  }
  std::string GetName() override { return "Gadget"; }
  std::string GetAuthor() override { return "Tests"; }
  std::string GetComment() override { return {}; }
  std::string GetPage() override { return {}; }
  std::string GetGlyph() override { return {}; }
  TExpertStyle GetStyle() override { return esAddIn; }
  TExpertState GetState() override { return esEnabled; }
  std::string GetIDString() override { return "Tests.Gadget"; }
  std::string GetMenuText() override { return {}; }
  void Execute() override {}
};

}  // namespace

}  // namespace dravik

extern "C" __attribute__((visibility("default"))) void DravikRegisterPackage() {
  using namespace dravik;
  RegisterComponents("Gadgets", {&TGadget::StaticClass()});
  RegisterComponentEditor(TGadget::StaticClass(), ComponentEditorFactory<TGadgetEditor>());
  RegisterPropertyEditor(TypeInfo<std::string>(), &TGadget::StaticClass(), "Flavour",
                         PropertyEditorFactory<TFlavourProperty>());
  RegisterLibraryExpert(std::make_unique<TGadgetExpert>());
}
