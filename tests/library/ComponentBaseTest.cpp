#include <gtest/gtest.h>

#include <memory>

#include "library/ComponentTools.h"
#include "library/ExComponent.h"
#include "platform/core/forms/DataModule.h"
#include "platform/core/typinfo/ClassBuilder.h"

using namespace dravik;

namespace {

std::string Message(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return std::string(e.ClassName()) + ": " + e.Message();
  }
  return "<no exception>";
}

constexpr const char* kRefused =
    "EComponentError: Component can only be placed on formular one time";

class TSingle : public TUniComponent {
 public:
  using TUniComponent::TUniComponent;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TSingle, TUniComponent>("TSingle", "ComponentBaseTest").Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

}  // namespace

TEST(ComponentBase, ADroppedComponentLosesTheDesignersNumberOnce) {
  auto form = MakeComponent<TDataModule>(nullptr);
  form->SetDesigning(true);
  auto* dropped = Create<TExComponent>(form.get());
  dropped->SetName("Dravik12");
  EXPECT_EQ(dropped->Name(), "Dravik");
  dropped->SetName("Dravik3");
  EXPECT_EQ(dropped->Name(), "Dravik3");  // later renames keep their digits

  auto* digits = Create<TExComponent>(form.get());
  // Only digits: the name stays as given (and the framework refuses it), never becomes empty.
  EXPECT_THROW(digits->SetName("123"), EComponentError);

  auto running = MakeComponent<TDataModule>(nullptr);
  auto* atRunTime = Create<TExComponent>(running.get());
  atRunTime->SetName("Timer1");
  EXPECT_EQ(atRunTime->Name(), "Timer1");
}

TEST(ComponentBase, OnlyOneUniqueComponentOfAClassPerFormInTheDesigner) {
  using TMake = TComponent* (*)(TComponent*);
  const TMake base = [](TComponent* owner) -> TComponent* { return Create<TUniComponent>(owner); };
  const TMake single = [](TComponent* owner) -> TComponent* { return Create<TSingle>(owner); };
  const struct {
    const char* Case;
    TMake First, Second;
    bool Designing;
    const char* Outcome;
  } kCases[] = {
      {"the base twice", base, base, true, kRefused},
      {"a derived class twice", single, single, true, kRefused},
      {"the base, then a derived class", base, single, true, "<no exception>"},
      {"a derived class, then the base", single, base, true, "<no exception>"},
      {"twice at run time", single, single, false, "<no exception>"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Case);
    auto form = MakeComponent<TDataModule>(nullptr);
    form->SetDesigning(c.Designing);
    c.First(form.get());
    EXPECT_EQ(Message([&] { c.Second(form.get()); }), c.Outcome);
    EXPECT_EQ(form->ComponentCount(), c.Outcome == kRefused ? 1 : 2);
  }
}

TEST(ComponentBase, ForEachComponentVisitsPostOrderLastToFirst) {
  auto form = MakeComponent<TDataModule>(nullptr);
  form->SetName("Form");
  for (const char* name : {"A", "B", "C"}) (Create<TComponent>(form.get()))->SetName(name);
  auto* inner = Create<TComponent>(form->FindComponent("B"));
  inner->SetName("B1");
  std::string visited;
  ForEachComponent(form.get(), [&](TComponent* c) { visited += c->Name() + " "; });
  EXPECT_EQ(visited, "C B1 B A Form ");
}

TEST(ComponentBase, ErrorFunctionsRaiseTheirClassAndText) {
  EXPECT_EQ(Message([] { Error("Disk full"); }), "Exception: Disk full");
  EXPECT_EQ(Message([] { CriticalError(); }), "ECriticalError: Critical error");
  EXPECT_EQ(Message([] { CaseError(); }), "ECaseError: Case value not handled");
}

TEST(ComponentBase, NoFormUpTheOwnerChainWithoutFormClasses) {
  auto module = MakeComponent<TDataModule>(nullptr);
  auto* child = Create<TComponent>(module.get());
  TComponent* form = module.get();
  EXPECT_FALSE(GetOwnerForm(child, form));
  EXPECT_EQ(form, nullptr);
}
