#include "apps/studio/StudioRules.h"

#include <algorithm>
#include <filesystem>

#include "platform/core/classes/Strings.h"
#include "platform/core/filer/StandIn.h"
#include "platform/core/inifiles/Registry.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "platform/core/typinfo/ClassRecord.h"
#include "platform/ide/DesignPackage.h"
#include "platform/ide/EnvironmentKeys.h"
#include "platform/ide/Registration.h"

namespace dravik {

namespace {

const TPropInfo& FindInspected(TComponent& component, const std::string& property) {
  const TPropInfo* prop = component.ClassType().FindProp(property);
  if (!prop || prop->PropType->Kind == tkMethod)
    throw EPropertyError(Format("%s has no property %s", {component.Name(), property}));
  return *prop;
}

// A stored whole number of a stand-in; missing when it has none of that name.
bool StoredNumber(TComponent& component, const char* name, int32_t& value) {
  const TPropInfo* prop = component.ClassType().FindProp(name);
  if (!prop) return false;
  try {
    value = static_cast<int32_t>(GetOrdProp(component, *prop));
    return true;
  } catch (const Exception&) {
    return false;
  }
}

// Where a component without a window of its own is drawn; its offset from the root's corner.
TRect BoxOf(const std::string& label, int32_t left, int32_t top,
            const std::function<int(const std::string&)>& labelWidth) {
  constexpr int32_t kHeight = 24, kPadding = 12;
  return {left, top, left + std::max<int32_t>(kHeight, labelWidth(label) + kPadding),
          top + kHeight};
}

bool Overlap(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

TRect ControlBounds(const TControl& control, const TComponent& root) {
  TRect bounds = control.BoundsRect();
  for (const TWinControl* parent = control.Parent(); parent && parent != &root;
       parent = parent->Parent()) {
    bounds.Left += parent->Left();
    bounds.Right += parent->Left();
    bounds.Top += parent->Top();
    bounds.Bottom += parent->Top();
  }
  return bounds;
}

}  // namespace

std::vector<TInspectorRow> InspectorRows(const TDesignRegistry& registry, TFormDesigner* designer,
                                         TComponent& component) {
  std::vector<TInspectorRow> rows;
  for (const TPropInfo* prop : component.ClassType().Props()) {
    if (prop->PropType->Kind == tkMethod) continue;
    std::unique_ptr<TPropertyEditor> editor =
        registry.CreatePropertyEditor(designer, component, *prop);
    const TPropertyAttributes attributes = editor->GetAttributes();
    TInspectorRow row;
    row.Name = prop->Name;
    row.Value = editor->GetValue();
    row.ReadOnly = editor->IsReadOnly();
    row.Dialog = attributes & paDialog;
    row.ValueList = attributes & paValueList;
    if (row.ValueList) {
      editor->GetValues([&row](const std::string& value) { row.Values.push_back(value); });
      if (attributes & paSortList)
        std::stable_sort(
            row.Values.begin(), row.Values.end(),
            [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    }
    rows.push_back(std::move(row));
  }
  std::stable_sort(rows.begin(), rows.end(), [](const TInspectorRow& a, const TInspectorRow& b) {
    return CompareText(a.Name, b.Name) < 0;
  });
  return rows;
}

void SetInspectorValue(const TDesignRegistry& registry, TFormDesigner* designer,
                       TComponent& component, const std::string& property,
                       const std::string& text) {
  std::unique_ptr<TPropertyEditor> editor =
      registry.CreatePropertyEditor(designer, component, FindInspected(component, property));
  if (editor->IsReadOnly()) throw EPropertyError(Format("Property %s is read-only", {property}));
  editor->SetValue(text);
}

void EditInspectorValue(const TDesignRegistry& registry, TFormDesigner* designer,
                        TComponent& component, const std::string& property) {
  std::unique_ptr<TPropertyEditor> editor =
      registry.CreatePropertyEditor(designer, component, FindInspected(component, property));
  if (editor->GetAttributes() & paDialog) editor->Edit();
}

std::vector<TDesignedItem> DesignedItems(TComponent& root,
                                         const std::function<int(const std::string&)>& labelWidth) {
  std::vector<TDesignedItem> items, boxes;
  auto* form = dynamic_cast<TControl*>(&root);
  int32_t width = form ? form->ClientWidth() : 0, height = form ? form->ClientHeight() : 0;
  if (!form) {
    StoredNumber(root, "ClientWidth", width);
    StoredNumber(root, "ClientHeight", height);
  }
  items.push_back({&root, {0, 0, width, height}, !form});
  for (int i = 0; i < root.ComponentCount(); ++i) {
    TComponent* component = root.Components(i);
    if (auto* control = dynamic_cast<TControl*>(component)) {
      items.push_back({component, ControlBounds(*control, root), false});
      continue;
    }
    int32_t left = component->DesignLeft(), top = component->DesignTop(), w = 0, h = 0;
    const bool standIn = dynamic_cast<TStandIn*>(component);
    TComponent* parent = component->GetParentComponent();
    // The parts of another component (a menu's items) are not drawn of their own.
    if (!standIn && parent && parent != &root) continue;
    if (standIn) {
      StoredNumber(*component, "Left", left);
      StoredNumber(*component, "Top", top);
      // A stand-in of a control keeps its size; it is drawn at its stored bounds.
      if (StoredNumber(*component, "Width", w) && StoredNumber(*component, "Height", h)) {
        for (; parent && parent != &root; parent = parent->GetParentComponent()) {
          int32_t x = 0, y = 0;
          StoredNumber(*parent, "Left", x);
          StoredNumber(*parent, "Top", y);
          left += x;
          top += y;
        }
        items.push_back({component, {left, top, left + w, top + h}, true});
        continue;
      }
    }
    TRect box = BoxOf(component->Name(), left, top, labelWidth);
    // Boxes stored on top of each other are set side by side, so each can be seen and hit.
    for (bool moved = true; moved;) {
      moved = false;
      for (const TDesignedItem& other : boxes)
        if (Overlap(box, other.Bounds)) {
          const int32_t shift = other.Bounds.Right + 4 - box.Left;
          box.Left += shift;
          box.Right += shift;
          moved = true;
        }
    }
    boxes.push_back({component, box, true});
  }
  items.insert(items.end(), boxes.begin(), boxes.end());
  return items;
}

TComponent* ComponentAt(const std::vector<TDesignedItem>& items, int x, int y) {
  for (auto it = items.rbegin(); it != items.rend(); ++it)
    if (x >= it->Bounds.Left && x < it->Bounds.Right && y >= it->Bounds.Top &&
        y < it->Bounds.Bottom)
      return it->Component;
  return nullptr;
}

std::string NewComponentName(const TComponent& root, const TClassRecord& componentClass) {
  std::string base = componentClass.Name();
  if (base.size() > 1 && (base[0] == 'T' || base[0] == 't')) base.erase(0, 1);
  for (int n = 1;; ++n) {
    const std::string name = base + std::to_string(n);
    if (!root.FindComponent(name) && !SameText(root.Name(), name)) return name;
  }
}

TComponent* AddDesignedComponent(TComponent& root, const TClassRecord& componentClass, int32_t left,
                                 int32_t top) {
  if (!componentClass.ComponentFactory())
    throw EClassNotFound(Format("Class %s cannot be made", {componentClass.Name()}));
  TComponent* component = componentClass.ComponentFactory()(&root);
  try {
    component->SetName(NewComponentName(root, componentClass));
    if (auto* control = dynamic_cast<TControl*>(component)) {
      if (auto* parent = dynamic_cast<TWinControl*>(&root)) control->SetParent(parent);
      control->SetBounds(left, top, control->Width(), control->Height());
    } else {
      component->SetDesignPosition(left, top);
    }
  } catch (...) {
    component->Free();
    throw;
  }
  return component;
}

void DeleteDesignedComponent(TComponent& root, TComponent& component) {
  if (&component == &root) return;
  auto partOf = [&](TComponent* c) {
    for (TComponent* p = c->GetParentComponent(); p && p != &root; p = p->GetParentComponent())
      if (p == &component) return true;
    return false;
  };
  std::vector<TComponent*> doomed;
  for (int i = 0; i < root.ComponentCount(); ++i)
    if (partOf(root.Components(i))) doomed.push_back(root.Components(i));
  // The innermost first, so each leaves a parent that is still there.
  std::stable_sort(doomed.begin(), doomed.end(), [](TComponent* a, TComponent* b) {
    auto depth = [](TComponent* c) {
      int d = 0;
      for (TComponent* p = c->GetParentComponent(); p; p = p->GetParentComponent()) ++d;
      return d;
    };
    return depth(a) > depth(b);
  });
  for (TComponent* part : doomed) part->Free();
  component.Free();
}

std::vector<std::string> StudioPackages(TRegistry& registry, const std::string& ownPackage) {
  std::vector<std::string> packages = KnownPackages(registry);
  // An installed copy of the studio's own package stands for it: two copies would register
  // the same classes twice.
  const auto fileName = [](const std::string& path) {
    return std::filesystem::path(path).filename();
  };
  if (std::none_of(packages.begin(), packages.end(), [&](const std::string& package) {
        return fileName(package) == fileName(ownPackage);
      }))
    packages.push_back(ownPackage);
  return packages;
}

bool RegisterEnvironment(TRegistry& registry, const std::string& program) {
  // An installer registers packages only with an environment that has the list.
  registry.SetRootKey(HKEY_CURRENT_USER);
  if (!registry.OpenKey(std::string("\\") + kKnownPackagesKey, true))
    throw EWriteError(Format("Cannot create registry key %s", {kKnownPackagesKey}));
  registry.CloseKey();
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  if (registry.OpenKeyReadOnly(std::string("\\") + kEnvironmentKey)) {
    const bool present = registry.ValueExists(kEnvironmentValue);
    registry.CloseKey();
    if (present) return false;
  }
  if (!registry.OpenKey(std::string("\\") + kEnvironmentKey, true))
    throw EWriteError(Format("Cannot create registry key %s", {kEnvironmentKey}));
  registry.WriteString(kEnvironmentValue, program);
  registry.CloseKey();
  return true;
}

}  // namespace dravik
