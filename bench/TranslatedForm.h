#pragma once
// A big translated form as a binary stream: components that refer to each other, each with a
// collection whose items refer to components, and a TDravik keeping two properties of every
// component in three languages (its entries are nested collections that refer to the
// components). What the readers of forms meet at scale: collections and references together.

#include <memory>
#include <string>

#include "platform/core/classes/Collection.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/forms/DataModule.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "runtime/Dravik.h"

namespace dravik::bench {

class TFormColumn : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TFormColumn, TCollectionItem>("TFormColumn", "BenchTranslated")
            .Property("Caption", &TFormColumn::Caption)
            .Property("Target", &TFormColumn::Target)
            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  std::string Caption;
  TComponent* Target = nullptr;
};

class TFormControl : public TComponent {
 public:
  explicit TFormControl(TComponent* owner)
      : TComponent(owner), fColumns(std::make_unique<TCollection>(TFormColumn::StaticClass())) {}
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TFormControl, TComponent>("TFormControl", "BenchTranslated")
            .Property("Caption", &TFormControl::Caption, &TFormControl::SetCaption)
            .Property("Hint", &TFormControl::Hint, &TFormControl::SetHint)
            .Property("Buddy", &TFormControl::Buddy)
            .Property("Columns", &TFormControl::Columns)
            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& value) { fCaption = value; }
  const std::string& Hint() const { return fHint; }
  void SetHint(const std::string& value) { fHint = value; }
  TCollection* Columns() const { return fColumns.get(); }
  TComponent* Buddy = nullptr;

 private:
  std::string fCaption, fHint;
  std::unique_ptr<TCollection> fColumns;
};

class TTranslatedForm : public TDataModule {
 public:
  using TDataModule::TDataModule;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TTranslatedForm, TDataModule>("TTranslatedForm", "BenchTranslated").Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

inline void RegisterTranslatedFormClasses() {
  static const TClassRegistration control(TFormControl::StaticClass());
  static const TClassRegistration form(TTranslatedForm::StaticClass());
}

inline const char* const kTranslatedLanguages[] = {"English", "Deutsch", "Francais"};

inline std::string TranslatedText(const char* what, int component, int language) {
  return std::string(what) + " of control " + std::to_string(component) + " in " +
         kTranslatedLanguages[language];
}

// The form's binary stream, "TPF0" first.
inline std::string TranslatedFormStream(int components) {
  RegisterTranslatedFormClasses();
  auto root = MakeComponent<TTranslatedForm>(nullptr);
  root->SetName("BigForm");
  auto* dravik = Create<TDravik>(root.get());
  dravik->SetName("Dravik");
  TLanguageManager* manager = dravik->LanguageManager();
  for (int l = 0; l < 3; ++l) {
    TLanguageEntry* language = manager->Langs()->Add();
    language->Name = kTranslatedLanguages[l];
    language->SubIndex = l;
  }
  TFormControl* previous = nullptr;
  for (int i = 0; i < components; ++i) {
    auto* control = Create<TFormControl>(root.get());
    control->SetName("Control" + std::to_string(i));
    control->Buddy = previous;
    for (int c = 0; c < 2; ++c) {
      auto* column = static_cast<TFormColumn*>(control->Columns()->Add());
      column->Caption = "Column " + std::to_string(c);
      column->Target = c == 0 ? static_cast<TComponent*>(control) : previous;
    }
    TMainEntry* entry = TMainEntry::CreateEx(manager->Comps(), control, control->Name(),
                                             control->ClassName(), {stPubPropObject});
    for (const char* property : {"Caption", "Hint"}) {
      auto* prop = static_cast<TConsistentLangPropertyEntry*>(
          TPropertyEntry::CreateByRef(entry, TFormControl::StaticClass().FindProp(property)));
      prop->SetCount(3);
      for (int l = 0; l < 3; ++l) prop->SetLangValue(l, Variant(TranslatedText(property, i, l)));
    }
    previous = control;
  }
  TStringStream out;
  WriteComponent(out, root.get());
  return out.DataString();
}

}  // namespace dravik::bench
