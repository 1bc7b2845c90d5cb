#include <gtest/gtest.h>

#include <memory>

#include "library/ComponentTools.h"
#include "library/ExComponent.h"
#include "platform/core/forms/DataModule.h"

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

}  // namespace

TEST(ComponentBase, ADroppedComponentLosesTheDesignersNumberOnce) {
  TDataModule form(nullptr);
  form.SetDesigning(true);
  auto* dropped = new TExComponent(&form);
  dropped->SetName("Dravik12");
  EXPECT_EQ(dropped->Name(), "Dravik");
  dropped->SetName("Dravik3");
  EXPECT_EQ(dropped->Name(), "Dravik3");  // later renames keep their digits

  auto* digits = new TExComponent(&form);
  // Only digits: the name stays as given (and the framework refuses it), never becomes empty.
  EXPECT_THROW(digits->SetName("123"), EComponentError);

  TDataModule running(nullptr);
  auto* atRunTime = new TExComponent(&running);
  atRunTime->SetName("Timer1");
  EXPECT_EQ(atRunTime->Name(), "Timer1");
}

TEST(ComponentBase, OnlyOneUniqueComponentPerFormInTheDesigner) {
  TDataModule form(nullptr);
  form.SetDesigning(true);
  new TUniComponent(&form);
  EXPECT_EQ(Message([&] { new TUniComponent(&form); }),
            "EComponentError: Component can only be placed on formular one time");
  EXPECT_EQ(form.ComponentCount(), 1);

  TDataModule running(nullptr);
  new TUniComponent(&running);
  new TUniComponent(&running);
  EXPECT_EQ(running.ComponentCount(), 2);
}

TEST(ComponentBase, ForEachComponentVisitsPostOrderLastToFirst) {
  TDataModule form(nullptr);
  form.SetName("Form");
  for (const char* name : {"A", "B", "C"}) (new TComponent(&form))->SetName(name);
  auto* inner = new TComponent(form.FindComponent("B"));
  inner->SetName("B1");
  std::string visited;
  ForEachComponent(&form, [&](TComponent* c) { visited += c->Name() + " "; });
  EXPECT_EQ(visited, "C B1 B A Form ");
}

TEST(ComponentBase, ErrorFunctionsRaiseTheirClassAndText) {
  EXPECT_EQ(Message([] { Error("Disk full"); }), "Exception: Disk full");
  EXPECT_EQ(Message([] { CriticalError(); }), "ECriticalError: Critical error");
  EXPECT_EQ(Message([] { CaseError(); }), "ECaseError: Case value not handled");
}

TEST(ComponentBase, NoFormUpTheOwnerChainWithoutFormClasses) {
  TDataModule module(nullptr);
  auto* child = new TComponent(&module);
  TComponent* form = &module;
  EXPECT_FALSE(GetOwnerForm(child, form));
  EXPECT_EQ(form, nullptr);
}
