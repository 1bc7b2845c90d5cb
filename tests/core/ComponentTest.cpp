#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/classes/Component.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/core/typinfo/MethodList.h"

using namespace dravik;

namespace {

// Records the notifications it receives and drops its reference on removal.
class TWatcher : public TComponent {
 public:
  using TComponent::TComponent;
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    (operation == opInsert ? Inserted : Removed).push_back(component);
    if (operation == opRemove && component == Watched) Watched = nullptr;
  }
  std::vector<TComponent*> Inserted, Removed;
  TComponent* Watched = nullptr;
};

}  // namespace

TEST(Component, OwnerKeepsOrderAndFreesItsComponents) {
  auto form = MakeComponent<TComponent>(nullptr);
  auto* a = Create<TComponent>(form.get());
  auto* b = Create<TComponent>(form.get());
  a->SetName("A");
  b->SetName("B");
  EXPECT_EQ(form->ComponentCount(), 2);
  EXPECT_EQ(form->Components(1), b);
  EXPECT_EQ(form->FindComponent("b"), b);
  EXPECT_EQ(form->FindComponent(""), nullptr);
  b->SetComponentIndex(0);
  EXPECT_EQ(b->ComponentIndex(), 0);
  a->Free();
  EXPECT_EQ(form->ComponentCount(), 1);
  EXPECT_THROW(form->Components(1), EListError);
}

TEST(Component, NamesMustBeIdentifiersAndUniqueInTheOwner) {
  auto form = MakeComponent<TComponent>(nullptr);
  auto* a = Create<TComponent>(form.get());
  auto* b = Create<TComponent>(form.get());
  a->SetName("Button1");
  try {
    b->SetName("BUTTON1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named BUTTON1 already exists");
  }
  try {
    b->SetName("1st");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "'1st' is not a valid component name");
  }
  EXPECT_EQ(b->Name(), "");
  a->SetName("button1");  // a new spelling of its own name is no conflict
  b->SetName("");         // several components may be nameless
  a->SetName("");
  EXPECT_EQ(form->FindComponent("button1"), nullptr);
}

TEST(Component, NamesAreFoundThroughManyRenamesAndRemovals) {
  auto form = MakeComponent<TComponent>(nullptr);
  std::map<std::string, TComponent*> expected;  // by upper-case name
  std::vector<TComponent*> all;
  for (int i = 0; i < 500; ++i) {
    all.push_back(Create<TComponent>(form.get()));
    all.back()->SetName("C" + std::to_string(i));
    expected["C" + std::to_string(i)] = all.back();
  }
  // Every third is renamed, every fifth freed: entries move back over the holes left behind.
  for (int i = 0; i < 500; ++i) {
    std::string name = "C" + std::to_string(i);
    if (i % 5 == 0) {
      all[static_cast<std::size_t>(i)]->Free();
      expected.erase(name);
    } else if (i % 3 == 0) {
      all[static_cast<std::size_t>(i)]->SetName("r" + std::to_string(i));
      expected.erase(name);
      expected["R" + std::to_string(i)] = all[static_cast<std::size_t>(i)];
    }
  }
  EXPECT_EQ(form->ComponentCount(), 400);
  for (int i = 0; i < 500; ++i)
    for (std::string name : {"c" + std::to_string(i), "R" + std::to_string(i)}) {
      std::string upper = UpperCase(name);
      auto it = expected.find(upper);
      EXPECT_EQ(form->FindComponent(name), it == expected.end() ? nullptr : it->second) << name;
    }
}

TEST(Component, ObserversAreToldOfTheirSiblingsInsertionAndRemoval) {
  auto form = MakeComponent<TComponent>(nullptr);
  auto* watcher = Create<TWatcher>(form.get());
  watcher->ObserveSiblings();
  auto* button = Create<TComponent>(form.get());
  EXPECT_EQ(watcher->Inserted.back(), button);
  watcher->Watched = button;
  button->Free();
  EXPECT_EQ(watcher->Watched, nullptr);
  EXPECT_EQ(watcher->Removed.back(), button);
}

TEST(Component, FreeNotificationReachesAcrossOwners) {
  auto watcher = MakeComponent<TWatcher>(nullptr);
  auto other = MakeComponent<TComponent>(nullptr);
  watcher->FreeNotification(other.get());
  watcher->Watched = other.get();
  other.reset();
  EXPECT_EQ(watcher->Watched, nullptr);
  // The reverse direction is dropped too: freeing the watcher first leaves no dangling entry.
  auto third = MakeComponent<TComponent>(nullptr);
  watcher->FreeNotification(third.get());
  watcher.reset();
  third.reset();
}

TEST(Component, StateFlagsForDesigningAndDestroying) {
  auto form = MakeComponent<TComponent>(nullptr);
  form->SetDesigning(true);
  auto* child = Create<TComponent>(form.get());
  EXPECT_TRUE(child->IsDesigning());  // joins its owner's design state
  form->SetDesigning(false);
  EXPECT_FALSE(child->IsDesigning());
  struct TProbe : TComponent {
    TProbe(TComponent* owner, bool& seen) : TComponent(owner), Seen(seen) {}
    ~TProbe() override { Seen = IsDestroying(); }
    bool& Seen;
  };
  bool seenDestroying = false;
  {
    auto owner = MakeComponent<TComponent>(nullptr);
    Create<TProbe>(owner.get(), seenDestroying);
  }
  EXPECT_TRUE(seenDestroying);
}

TEST(MethodList, ComparesCodeAndDataAndReportsRemovedParameter) {
  struct TTarget : TObject {
    void A(TObject*) {}
    void B(TObject*) {}
  } x, y;
  TMethodList list;
  list.Add(MakeMethod<&TTarget::A>(&x));
  list.Add(MakeMethod<&TTarget::A>(&y), 7);
  list.Add(TMethod{});
  EXPECT_EQ(list.IndexOf(MakeMethod<&TTarget::A>(&y)), 1);
  EXPECT_EQ(list.IndexOf(MakeMethod<&TTarget::B>(&y)), -1);
  int visited = 0;
  list.ForEach([&](const TMethodList::TEntry&) { ++visited; });
  EXPECT_EQ(visited, 2);  // the entry without code is skipped
  int32_t param = 0;
  EXPECT_EQ(list.Remove(MakeMethod<&TTarget::A>(&y), &param), 1);
  EXPECT_EQ(param, 7);
  EXPECT_EQ(list.Remove(MakeMethod<&TTarget::A>(&y)), -1);
  // Membership counts each listing: a method listed twice stays until both are removed.
  list.Add(MakeMethod<&TTarget::A>(&x));
  EXPECT_TRUE(list.Contains(MakeMethod<&TTarget::A>(&x)));
  EXPECT_FALSE(list.Contains(MakeMethod<&TTarget::A>(&y)));
  EXPECT_EQ(list.Remove(MakeMethod<&TTarget::A>(&x)), 0);
  EXPECT_TRUE(list.Contains(MakeMethod<&TTarget::A>(&x)));
  list.Delete(list.IndexOf(MakeMethod<&TTarget::A>(&x)));
  EXPECT_FALSE(list.Contains(MakeMethod<&TTarget::A>(&x)));
  EXPECT_EQ(list.IndexOf(MakeMethod<&TTarget::A>(&x)), -1);
}
