#pragma once
// Registration with the development environment. Each unit of a design package has a Register
// that calls the routines below; they reach the registry of the running host. Without a host
// (SetDesignRegistry not called) every registration is a no-op, so the same units serve
// programs that have no environment.

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/ide/ComponentEditor.h"
#include "platform/ide/Expert.h"
#include "platform/ide/PropertyEditor.h"

namespace dravik {

class TClassRecord;
class TComponent;
struct TPropInfo;
struct TTypeInfo;

using TComponentEditorFactory = std::function<std::unique_ptr<TComponentEditor>(
    TComponent& component, TFormDesigner* designer)>;
using TPropertyEditorFactory = std::function<std::unique_ptr<TPropertyEditor>(
    TFormDesigner* designer, TComponent& component, const TPropInfo& prop)>;

template <class Editor>
TComponentEditorFactory ComponentEditorFactory() {
  return [](TComponent& component, TFormDesigner* designer) {
    return std::make_unique<Editor>(component, designer);
  };
}
template <class Editor>
TPropertyEditorFactory PropertyEditorFactory() {
  return [](TFormDesigner* designer, TComponent& component, const TPropInfo& prop) {
    return std::make_unique<Editor>(designer, component, prop);
  };
}

// What a host keeps of the registrations, and the editors it makes from them.
class TDesignRegistry {
 public:
  struct TPalettePage {
    std::string Name;
    std::vector<const TClassRecord*> Classes;
  };

  TDesignRegistry();
  ~TDesignRegistry();
  TDesignRegistry(const TDesignRegistry&) = delete;
  TDesignRegistry& operator=(const TDesignRegistry&) = delete;

  // Pages in the order they were first named; a class named again moves to its new page.
  void AddComponents(const std::string& page, const std::vector<const TClassRecord*>& classes);
  void AddComponentEditor(const TClassRecord& componentClass, TComponentEditorFactory factory);
  void AddPropertyEditor(const TTypeInfo& propertyType, const TClassRecord* componentClass,
                         const std::string& propertyName, TPropertyEditorFactory factory);
  void AddCustomModule(const TClassRecord& moduleClass);
  void AddExpert(std::unique_ptr<TIExpert> expert);
  // The experts go first when a host closes, while the menu they added to is still there.
  void FreeExperts() { fExperts.clear(); }
  // Notes that a package registered here; false when it had already.
  bool NotePackage(const void* handle) { return fPackages.insert(handle).second; }

  const std::vector<TPalettePage>& Pages() const { return fPages; }
  const std::vector<const TClassRecord*>& CustomModules() const { return fCustomModules; }
  bool IsCustomModule(const TClassRecord& moduleClass) const;
  const std::vector<std::unique_ptr<TIExpert>>& Experts() const { return fExperts; }

  // The editor registered for the component's class or its nearest ancestor; the base editor
  // (no verbs) when none is.
  std::unique_ptr<TComponentEditor> CreateComponentEditor(TComponent& component,
                                                          TFormDesigner* designer) const;
  // The most specific registration that matches wins: one for the property's name over one
  // for any name, one for a nearer component class over a farther or none, one for the
  // property's own class type over an ancestor's; among equals the later one. Without a match
  // the editor of the property's type kind.
  std::unique_ptr<TPropertyEditor> CreatePropertyEditor(TFormDesigner* designer,
                                                        TComponent& component,
                                                        const TPropInfo& prop) const;

 private:
  struct TPropertyRegistration;
  std::vector<TPalettePage> fPages;
  std::vector<std::pair<const TClassRecord*, TComponentEditorFactory>> fComponentEditors;
  std::vector<TPropertyRegistration> fPropertyEditors;
  std::vector<const TClassRecord*> fCustomModules;
  std::vector<std::unique_ptr<TIExpert>> fExperts;
  std::set<const void*> fPackages;
};

// The editor of a property's type kind, as the inspector uses it when nothing is registered.
std::unique_ptr<TPropertyEditor> DefaultPropertyEditor(TFormDesigner* designer,
                                                       TComponent& component,
                                                       const TPropInfo& prop);

// The registry that registrations reach; null (the default) when no host runs. The host owns
// it and clears this before it frees it.
void SetDesignRegistry(TDesignRegistry* registry);
TDesignRegistry* DesignRegistry();

// With a host the classes also become known to streaming (RegisterClass), so that the forms
// that hold them can be read.
void RegisterComponents(const std::string& page, const std::vector<const TClassRecord*>& classes);
void RegisterComponentEditor(const TClassRecord& componentClass, TComponentEditorFactory factory);
// componentClass null: for every class; propertyName empty: for every property of the type.
void RegisterPropertyEditor(const TTypeInfo& propertyType, const TClassRecord* componentClass,
                            const std::string& propertyName, TPropertyEditorFactory factory);
void RegisterCustomModule(const TClassRecord& moduleClass);
// Without a host the expert is freed at once.
void RegisterLibraryExpert(std::unique_ptr<TIExpert> expert);

}  // namespace dravik
