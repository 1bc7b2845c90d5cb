#pragma once
// The studio's rules that need no window: the rows of the object inspector, where each
// component of a designed form is drawn and which one a click hits, the names of added
// components, and which packages load.

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Controls.h"

namespace dravik {

class TClassRecord;
class TComponent;
class TDesignRegistry;
class TFormDesigner;
class TRegistry;

// One published property as the inspector shows it, through its property editor.
struct TInspectorRow {
  std::string Name;
  std::string Value;
  bool ReadOnly = false;
  bool Dialog = false;     // a "..." button opens the editor's dialog
  bool ValueList = false;  // a drop-down offers Values
  std::vector<std::string> Values;
};

// Every published property but the events, sorted by name.
std::vector<TInspectorRow> InspectorRows(const TDesignRegistry& registry, TFormDesigner* designer,
                                         TComponent& component);
// Sets the property through its editor; the editor's error when it refuses the text.
void SetInspectorValue(const TDesignRegistry& registry, TFormDesigner* designer,
                       TComponent& component, const std::string& property, const std::string& text);
// Opens the editor's dialog of the property.
void EditInspectorValue(const TDesignRegistry& registry, TFormDesigner* designer,
                        TComponent& component, const std::string& property);

// A component of a designed form where the form view draws it, in the form's client
// coordinates. Box: drawn as a labelled box, being no real control (a non-visual component, or
// a stand-in for a class no package provides).
struct TDesignedItem {
  TComponent* Component = nullptr;
  TRect Bounds;
  bool Box = false;
};

// The root first, then its components in their order, the non-visual ones last so they are
// drawn on top, a box that would cover another moved to its right; labelWidth measures a box's
// label.
std::vector<TDesignedItem> DesignedItems(TComponent& root,
                                         const std::function<int(const std::string&)>& labelWidth);
// The component drawn at the point: the last item that holds it; null when none does.
TComponent* ComponentAt(const std::vector<TDesignedItem>& items, int x, int y);

// The first free name of the class's kind: "TDravik" gives "Dravik1", "Dravik2"...
std::string NewComponentName(const TComponent& root, const TClassRecord& componentClass);
// A new component of the class owned by root and, being a control, placed on it at left, top.
TComponent* AddDesignedComponent(TComponent& root, const TClassRecord& componentClass, int32_t left,
                                 int32_t top);

// Frees the component and what is part of it (a panel's controls, a menu's items); the root
// stays.
void DeleteDesignedComponent(TComponent& root, TComponent& component);

// The packages to load: those the registry lists as known and not disabled, then the studio's
// own when none of them has its file name.
std::vector<std::string> StudioPackages(TRegistry& registry, const std::string& ownPackage);
// Makes the list of known packages when it is missing, and writes the detection value holding
// the studio's program on first start; answers whether it wrote that value (a value there
// already is left alone).
bool RegisterEnvironment(TRegistry& registry, const std::string& program);

}  // namespace dravik
