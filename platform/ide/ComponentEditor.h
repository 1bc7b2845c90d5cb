#pragma once
// Component editors: the environment asks one for the verbs of a component's context menu, runs
// the chosen one, and calls Edit on a double click. An editor lives for one such request.

#include <string>

namespace dravik {

class TComponent;

// The form designer of the form being edited, as editors see it.
class TFormDesigner {
 public:
  virtual ~TFormDesigner() = default;
  // The form (or data module) whose components are designed.
  virtual TComponent* Root() const = 0;
  // The form changed: it is saved with the project.
  virtual void Modified() = 0;
};

class TComponentEditor {
 public:
  // designer may be null: an editor started outside a form designer.
  TComponentEditor(TComponent& component, TFormDesigner* designer)
      : fComponent(&component), fDesigner(designer) {}
  virtual ~TComponentEditor() = default;
  TComponentEditor(const TComponentEditor&) = delete;
  TComponentEditor& operator=(const TComponentEditor&) = delete;

  TComponent& Component() const { return *fComponent; }
  TFormDesigner* Designer() const { return fDesigner; }

  virtual int GetVerbCount() { return 0; }
  virtual std::string GetVerb(int /*index*/) { return {}; }
  virtual void ExecuteVerb(int /*index*/) {}
  // A double click: the first verb, when there is one.
  virtual void Edit();

 protected:
  // Tells the designer that the component changed.
  void Modified();

 private:
  TComponent* fComponent;
  TFormDesigner* fDesigner;
};

}  // namespace dravik
