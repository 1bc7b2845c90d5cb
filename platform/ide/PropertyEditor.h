#pragma once
// Property editors: the object inspector shows and edits each published property of the
// selected component through one. Values travel as text; an editor may offer a list of values
// (GetValues) or a dialog (Edit). The kinds below serve each type kind; a unit registers its own
// editors for chosen properties (Registration.h).

#include <cstdint>
#include <functional>
#include <string>

namespace dravik {

class TComponent;
class TFormDesigner;
class TObject;
struct TPropInfo;

using TPropertyAttributes = uint32_t;
inline constexpr TPropertyAttributes paValueList = 1u << 0;      // offers GetValues
inline constexpr TPropertyAttributes paSubProperties = 1u << 1;  // an object with properties
inline constexpr TPropertyAttributes paDialog = 1u << 2;         // Edit opens a dialog
inline constexpr TPropertyAttributes paMultiSelect = 1u << 3;    // edits several components
inline constexpr TPropertyAttributes paAutoUpdate = 1u << 4;     // set on every keystroke
inline constexpr TPropertyAttributes paSortList = 1u << 5;       // the value list is sorted
inline constexpr TPropertyAttributes paReadOnly = 1u << 6;       // the value cannot be typed
inline constexpr TPropertyAttributes paRevertable = 1u << 7;

using TGetStrProc = std::function<void(const std::string& value)>;

class TPropertyEditor {
 public:
  TPropertyEditor(TFormDesigner* designer, TComponent& component, const TPropInfo& prop)
      : fDesigner(designer), fComponent(&component), fProp(&prop) {}
  virtual ~TPropertyEditor() = default;
  TPropertyEditor(const TPropertyEditor&) = delete;
  TPropertyEditor& operator=(const TPropertyEditor&) = delete;

  // The component being edited at index 0; null at any other index.
  TComponent* GetComponent(int index) const { return index == 0 ? fComponent : nullptr; }
  const TPropInfo& GetPropInfo() const { return *fProp; }
  const std::string& GetName() const;
  TFormDesigner* Designer() const { return fDesigner; }

  virtual TPropertyAttributes GetAttributes() { return paRevertable; }
  virtual std::string GetValue() { return "(unknown)"; }
  // EPropertyError (or the conversion's error) for a text the property cannot take.
  virtual void SetValue(const std::string& /*value*/) {}
  virtual void GetValues(const TGetStrProc& /*proc*/) {}
  virtual void Edit() {}
  // The object whose properties the inspector shows beneath this one (paSubProperties).
  virtual TObject* GetSubObject() { return nullptr; }

  // Whether the inspector lets the user type a value.
  bool IsReadOnly();

 protected:
  // Tells the designer that the component changed.
  void Modified();

 private:
  TFormDesigner* fDesigner;
  TComponent* fComponent;
  const TPropInfo* fProp;
};

// Integer kinds: decimal text; "$" hex is read too; a value outside the type's range is refused.
class TIntegerProperty : public TPropertyEditor {
 public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return paMultiSelect | paRevertable; }
  std::string GetValue() override;
  void SetValue(const std::string& value) override;
};

// A character: itself when printable, else "#" and its code.
class TCharProperty : public TPropertyEditor {
 public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return paMultiSelect | paRevertable; }
  std::string GetValue() override;
  void SetValue(const std::string& value) override;
};

// An enumeration: the value's name, the list of all names.
class TEnumProperty : public TPropertyEditor {
 public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override {
    return paMultiSelect | paValueList | paSortList | paRevertable;
  }
  std::string GetValue() override;
  void SetValue(const std::string& value) override;
  void GetValues(const TGetStrProc& proc) override;
};

class TFloatProperty : public TPropertyEditor {
 public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return paMultiSelect | paRevertable; }
  std::string GetValue() override;
  void SetValue(const std::string& value) override;
};

class TStringProperty : public TPropertyEditor {
 public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return paMultiSelect | paRevertable; }
  std::string GetValue() override;
  void SetValue(const std::string& value) override;
};

// A set as "[first,second]", its elements by name.
class TSetProperty : public TPropertyEditor {
 public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return paMultiSelect | paRevertable; }
  std::string GetValue() override;
  void SetValue(const std::string& value) override;
};

// An owned object (a font, a string list): "(TFont)", edited through its own properties.
class TClassProperty : public TPropertyEditor {
 public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override {
    return paMultiSelect | paSubProperties | paReadOnly;
  }
  std::string GetValue() override;
  TObject* GetSubObject() override;
};

// A reference to another component of the form: its name, the names of the form's components
// of the property's class.
class TComponentProperty : public TPropertyEditor {
 public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override {
    return paMultiSelect | paValueList | paSortList | paRevertable;
  }
  std::string GetValue() override;
  void SetValue(const std::string& value) override;
  void GetValues(const TGetStrProc& proc) override;
};

// An event: the name of the form's published method that handles it, the form's methods that
// take the event's parameters.
class TMethodProperty : public TPropertyEditor {
 public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override {
    return paMultiSelect | paValueList | paSortList | paRevertable;
  }
  std::string GetValue() override;
  void SetValue(const std::string& value) override;
  void GetValues(const TGetStrProc& proc) override;
};

// A variant: its text; a typed text is stored as a string.
class TVariantProperty : public TPropertyEditor {
 public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return paMultiSelect | paRevertable; }
  std::string GetValue() override;
  void SetValue(const std::string& value) override;
};

}  // namespace dravik
