#include "platform/ide/Registration.h"

#include <algorithm>

#include "platform/core/classes/Component.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassRecord.h"
#include "platform/core/typinfo/TypInfo.h"

namespace dravik {

struct TDesignRegistry::TPropertyRegistration {
  const TTypeInfo* Type;
  const TClassRecord* ComponentClass;
  std::string PropertyName;
  TPropertyEditorFactory Factory;
};

namespace {

TDesignRegistry* gRegistry = nullptr;

// How many steps up from derived lies ancestor; -1 when it is no ancestor.
int Distance(const TClassRecord& derived, const TClassRecord& ancestor) {
  int steps = 0;
  for (const TClassRecord* c = &derived; c; c = c->Parent(), ++steps)
    if (c == &ancestor) return steps;
  return -1;
}

// How far the registered type lies from the property's type: 0 for the same type, the class
// distance for an ancestor class type, -1 when it does not apply.
int TypeDistance(const TTypeInfo& registered, const TTypeInfo& property) {
  if (&registered == &property) return 0;
  if (registered.Kind == tkClass && property.Kind == tkClass && registered.ClassType &&
      property.ClassType)
    return Distance(*property.ClassType, *registered.ClassType);
  return -1;
}

bool IsComponentClass(const TClassRecord* type) {
  return type && type->InheritsFrom(TComponent::StaticClass());
}

}  // namespace

TDesignRegistry::TDesignRegistry() = default;
TDesignRegistry::~TDesignRegistry() = default;

void TDesignRegistry::AddComponents(const std::string& page,
                                    const std::vector<const TClassRecord*>& classes) {
  for (const TClassRecord* type : classes) {
    for (TPalettePage& each : fPages) std::erase(each.Classes, type);
    RegisterClass(*type);
  }
  auto found = std::find_if(fPages.begin(), fPages.end(),
                            [&](const TPalettePage& each) { return SameText(each.Name, page); });
  if (found == fPages.end()) found = fPages.insert(fPages.end(), TPalettePage{page, {}});
  found->Classes.insert(found->Classes.end(), classes.begin(), classes.end());
}

void TDesignRegistry::AddComponentEditor(const TClassRecord& componentClass,
                                         TComponentEditorFactory factory) {
  fComponentEditors.emplace_back(&componentClass, std::move(factory));
}

void TDesignRegistry::AddPropertyEditor(const TTypeInfo& propertyType,
                                        const TClassRecord* componentClass,
                                        const std::string& propertyName,
                                        TPropertyEditorFactory factory) {
  fPropertyEditors.push_back({&propertyType, componentClass, propertyName, std::move(factory)});
}

void TDesignRegistry::AddCustomModule(const TClassRecord& moduleClass) {
  if (!IsCustomModule(moduleClass)) fCustomModules.push_back(&moduleClass);
}

void TDesignRegistry::AddExpert(std::unique_ptr<TIExpert> expert) {
  fExperts.push_back(std::move(expert));
}

bool TDesignRegistry::IsCustomModule(const TClassRecord& moduleClass) const {
  return std::find(fCustomModules.begin(), fCustomModules.end(), &moduleClass) !=
         fCustomModules.end();
}

std::unique_ptr<TComponentEditor> TDesignRegistry::CreateComponentEditor(
    TComponent& component, TFormDesigner* designer) const {
  const TComponentEditorFactory* best = nullptr;
  int bestDistance = -1;
  for (const auto& [type, factory] : fComponentEditors) {
    const int distance = Distance(component.ClassType(), *type);
    if (distance >= 0 && (!best || distance <= bestDistance)) {
      best = &factory;
      bestDistance = distance;
    }
  }
  if (best) return (*best)(component, designer);
  return std::make_unique<TComponentEditor>(component, designer);
}

std::unique_ptr<TPropertyEditor> TDesignRegistry::CreatePropertyEditor(
    TFormDesigner* designer, TComponent& component, const TPropInfo& prop) const {
  // Ranks compare field by field: named first, then the nearer component class, then the
  // nearer type; a later registration wins a tie.
  struct TRank {
    bool Named;
    int ClassCloseness;
    int TypeCloseness;
    auto operator<=>(const TRank&) const = default;
  };
  const TPropertyRegistration* best = nullptr;
  TRank bestRank{};
  for (const TPropertyRegistration& each : fPropertyEditors) {
    const int typeDistance = TypeDistance(*each.Type, *prop.PropType);
    if (typeDistance < 0) continue;
    if (!each.PropertyName.empty() && !SameText(each.PropertyName, prop.Name)) continue;
    int classDistance = 0;
    if (each.ComponentClass) {
      classDistance = Distance(component.ClassType(), *each.ComponentClass);
      if (classDistance < 0) continue;
    }
    const TRank rank{!each.PropertyName.empty(), each.ComponentClass ? 1000 - classDistance : 0,
                     1000 - typeDistance};
    if (!best || rank >= bestRank) {
      best = &each;
      bestRank = rank;
    }
  }
  if (best) return best->Factory(designer, component, prop);
  return DefaultPropertyEditor(designer, component, prop);
}

std::unique_ptr<TPropertyEditor> DefaultPropertyEditor(TFormDesigner* designer,
                                                       TComponent& component,
                                                       const TPropInfo& prop) {
  switch (prop.Kind()) {
    case tkInteger:
    case tkInt64:
      return std::make_unique<TIntegerProperty>(designer, component, prop);
    case tkChar:
    case tkWChar:
      return std::make_unique<TCharProperty>(designer, component, prop);
    case tkEnumeration:
      return std::make_unique<TEnumProperty>(designer, component, prop);
    case tkFloat:
      return std::make_unique<TFloatProperty>(designer, component, prop);
    case tkString:
    case tkLString:
    case tkWString:
      return std::make_unique<TStringProperty>(designer, component, prop);
    case tkSet:
      return std::make_unique<TSetProperty>(designer, component, prop);
    case tkClass:
      if (IsComponentClass(prop.PropType->ClassType))
        return std::make_unique<TComponentProperty>(designer, component, prop);
      return std::make_unique<TClassProperty>(designer, component, prop);
    case tkMethod:
      return std::make_unique<TMethodProperty>(designer, component, prop);
    case tkVariant:
      return std::make_unique<TVariantProperty>(designer, component, prop);
    default:
      return std::make_unique<TPropertyEditor>(designer, component, prop);
  }
}

void SetDesignRegistry(TDesignRegistry* registry) {
  gRegistry = registry;
}
TDesignRegistry* DesignRegistry() {
  return gRegistry;
}

void RegisterComponents(const std::string& page, const std::vector<const TClassRecord*>& classes) {
  if (gRegistry) gRegistry->AddComponents(page, classes);
}

void RegisterComponentEditor(const TClassRecord& componentClass, TComponentEditorFactory factory) {
  if (gRegistry) gRegistry->AddComponentEditor(componentClass, std::move(factory));
}

void RegisterPropertyEditor(const TTypeInfo& propertyType, const TClassRecord* componentClass,
                            const std::string& propertyName, TPropertyEditorFactory factory) {
  if (gRegistry)
    gRegistry->AddPropertyEditor(propertyType, componentClass, propertyName, std::move(factory));
}

void RegisterCustomModule(const TClassRecord& moduleClass) {
  if (gRegistry) gRegistry->AddCustomModule(moduleClass);
}

void RegisterLibraryExpert(std::unique_ptr<TIExpert> expert) {
  if (gRegistry) gRegistry->AddExpert(std::move(expert));
}

}  // namespace dravik
