#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/core/forms/DataModule.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/typinfo/ClassBuilder.h"

using namespace dravik;

namespace {

class TButton : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TButton, TComponent>("TButton", "Lifecycle").Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
};

// Writes down what it hears: the class the other component had then, and whether it was dying.
class TListener : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TListener, TComponent>("TListener", "Lifecycle").Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    std::string entry = component->ClassName() + (component->IsDestroying() ? " dying" : "");
    (operation == opInsert ? Inserted : Removed).push_back(entry);
    if (operation != opRemove) return;
    if (Heard) Heard->push_back(Name() + " hears " + component->Name());
    if (FreeWhatIsRemoved) component->Free();
    if (AlsoFree) std::exchange(AlsoFree, nullptr)->Free();
    if (Throws) throw EComponentError(Name() + " refuses");
  }
  std::vector<std::string> Inserted, Removed;
  std::vector<std::string>* Heard = nullptr;  // shared by several, outlives them
  bool FreeWhatIsRemoved = false;
  TComponent* AlsoFree = nullptr;  // freed on the first removal heard
  bool Throws = false;             // on every removal heard, once it has done the rest
};

class TModule : public TDataModule {
 public:
  explicit TModule(TComponent* owner, std::vector<std::string>& journal)
      : TDataModule(owner), Journal(journal) {
    OnDestroy = TNotifyEvent::Of<&TModule::ModuleDestroy>(this);
    Create<TButton>(this)->SetName("Ok");
  }
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TModule, TDataModule>("TModule", "Lifecycle").Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  void ModuleDestroy(TObject* sender) {
    auto* module = dynamic_cast<TModule*>(sender);
    Journal.push_back(sender->ClassName() + " " + (module ? module->Text : "?") + " " +
                      std::to_string(module ? module->ComponentCount() : -1) +
                      (module && module->IsDestroying() ? " dying" : ""));
  }
  std::vector<std::string>& Journal;
  std::string Text = std::string(40, 'x');  // on the heap: gone once the destructor ran
};

// Creates an owned component and a link, then fails.
class TFragile : public TComponent {
 public:
  TFragile(TComponent* owner, TComponent* linked) : TComponent(owner) {
    Create<TButton>(this);
    FreeNotification(linked);
    throw EComponentError("cannot be made");
  }
};

// An owner that refuses the components inserted into it.
class TRefusing : public TComponent {
 public:
  using TComponent::TComponent;
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opInsert) throw EComponentError("full");
  }
};

}  // namespace

TEST(ComponentLifecycle, LinksAreRemovedOnBothSides) {
  // Removed from either side, a link leaves nothing behind that could reach a freed component
  // (under AddressSanitizer, freeing b would read the freed a).
  auto* a = Create<TComponent>(nullptr);
  auto* b = Create<TComponent>(nullptr);
  a->FreeNotification(b);
  a->RemoveFreeNotification(b);
  a->Free();
  b->Free();

  auto listener = MakeComponent<TListener>(nullptr);
  auto* c = Create<TButton>(nullptr);
  listener->FreeNotification(c);
  listener->FreeNotification(c);  // once is enough
  c->RemoveFreeNotification(listener.get());
  c->Free();
  EXPECT_TRUE(listener->Removed.empty());

  auto* d = Create<TButton>(nullptr);
  d->FreeNotification(listener.get());
  d->Free();
  EXPECT_EQ(listener->Removed, std::vector<std::string>{"TButton dying"});
}

TEST(ComponentLifecycle, OnDestroySeesTheWholeObjectAndItsComponents) {
  std::vector<std::string> journal;
  Create<TModule>(nullptr, journal)->Free();
  EXPECT_EQ(journal, std::vector<std::string>{"TModule " + std::string(40, 'x') + " 1 dying"});

  // Also when its owner frees it.
  auto form = MakeComponent<TComponent>(nullptr);
  Create<TModule>(form.get(), journal);
  form.reset();
  ASSERT_EQ(journal.size(), 2u);
  EXPECT_EQ(journal[1], journal[0]);
}

TEST(ComponentLifecycle, NotificationsSeeTheFullDynamicType) {
  auto form = MakeComponent<TListener>(nullptr);
  auto* sibling = Create<TListener>(form.get());
  sibling->ObserveSiblings();
  auto* button = Create<TButton>(form.get());
  button->Free();
  // The owner hears of its own components, the observing sibling of its siblings.
  EXPECT_EQ(form->Inserted, (std::vector<std::string>{"TListener", "TButton"}));
  EXPECT_EQ(form->Removed, std::vector<std::string>{"TButton dying"});
  EXPECT_EQ(sibling->Inserted, std::vector<std::string>{"TButton"});
  EXPECT_EQ(sibling->Removed, std::vector<std::string>{"TButton dying"});
}

TEST(ComponentLifecycle, OnlyTheOwnerAndThoseWhoAskedAreTold) {
  auto form = MakeComponent<TListener>(nullptr);
  auto* quiet = Create<TListener>(form.get());
  auto* observer = Create<TListener>(form.get());
  observer->ObserveSiblings();
  for (int i = 0; i < 100; ++i) Create<TButton>(form.get());
  EXPECT_TRUE(quiet->Inserted.empty());
  EXPECT_EQ(observer->Inserted.size(), 100u);
  EXPECT_EQ(form->Inserted.size(), 102u);
  observer->ObserveSiblings(false);
  Create<TButton>(form.get())->Free();
  EXPECT_EQ(observer->Inserted.size(), 100u);
  EXPECT_TRUE(observer->Removed.empty());
}

TEST(ComponentLifecycle, OwnersFreeTheirComponentsLastFirstThroughFree) {
  auto form = MakeComponent<TComponent>(nullptr);
  auto* listener = Create<TListener>(nullptr);  // owned by nobody, linked to both
  auto* first = Create<TButton>(form.get());
  auto* second = Create<TComponent>(form.get());
  first->FreeNotification(listener);
  second->FreeNotification(listener);
  form.reset();
  EXPECT_EQ(listener->Removed, (std::vector<std::string>{"TComponent dying", "TButton dying"}));
  listener->Free();
}

TEST(ComponentLifecycle, FreeingAgainWhileFreeingDoesNothing) {
  auto listener = MakeComponent<TListener>(nullptr);
  listener->FreeWhatIsRemoved = true;  // as a holder of the only reference might
  auto* button = Create<TButton>(nullptr);
  button->FreeNotification(listener.get());
  button->Free();
  EXPECT_EQ(listener->Removed.size(), 1u);
}

TEST(ComponentLifecycle, AComponentFreedWhileOthersAreToldIsToldOfAndNotReadAgain) {
  // X is linked to A and B; told that X goes, B frees A, whose going X hears of in turn.
  std::vector<std::string> heard;
  auto* x = Create<TListener>(nullptr);
  auto* a = Create<TListener>(nullptr);
  auto b = MakeComponent<TListener>(nullptr);
  x->SetName("X");
  a->SetName("A");
  b->SetName("B");
  for (TListener* l : {x, a, b.get()}) l->Heard = &heard;
  b->AlsoFree = a;
  x->FreeNotification(a);
  x->FreeNotification(b.get());
  x->Free();
  EXPECT_EQ(heard, (std::vector<std::string>{"B hears X", "X hears A"}));
}

TEST(ComponentLifecycle, ANotificationThatThrowsStopsNobodyAndLeavesNoLinkBehind) {
  // Everyone is told, the component still leaves its owner and frees what it owns, and the
  // first failure is the one that travels on; later ones, also those of the owned components,
  // are dropped.
  std::vector<std::string> heard;
  auto owner = MakeComponent<TListener>(nullptr);
  auto first = MakeComponent<TListener>(nullptr);
  auto quiet = MakeComponent<TListener>(nullptr);
  auto last = MakeComponent<TListener>(nullptr);
  owner->SetName("Owner");
  first->SetName("First");
  quiet->SetName("Quiet");
  last->SetName("Last");
  for (TListener* l : {owner.get(), first.get(), quiet.get(), last.get()}) {
    l->Heard = &heard;
    l->Throws = l != quiet.get();
  }
  auto* x = Create<TButton>(owner.get());
  auto* child = Create<TButton>(x);
  x->SetName("X");
  child->SetName("Child");
  x->FreeNotification(last.get());
  x->FreeNotification(quiet.get());
  x->FreeNotification(first.get());
  child->FreeNotification(last.get());
  try {
    x->Free();
    ADD_FAILURE() << "no exception";
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "First refuses");
  }
  EXPECT_EQ(heard, (std::vector<std::string>{"First hears X", "Quiet hears X", "Last hears X",
                                             "Last hears Child", "Owner hears X"}));
  EXPECT_EQ(owner->ComponentCount(), 0);
  // Under AddressSanitizer, a link left behind would be read when these go.
  for (TListener* l : {first.get(), quiet.get(), last.get()}) l->Throws = false;
}

TEST(ComponentLifecycle, AFailedConstructionLeavesNothingBehind) {
  auto form = MakeComponent<TComponent>(nullptr);
  auto other = MakeComponent<TListener>(nullptr);
  EXPECT_THROW(Create<TFragile>(form.get(), other.get()), EComponentError);
  EXPECT_EQ(form->ComponentCount(), 0);
  other.reset();  // its link to the failed component is gone

  auto refusing = MakeComponent<TRefusing>(nullptr);
  EXPECT_THROW(Create<TButton>(refusing.get()), EComponentError);
  EXPECT_EQ(refusing->ComponentCount(), 0);
}

TEST(ComponentLifecycle, AComponentHasOneOwner) {
  auto first = MakeComponent<TComponent>(nullptr);
  auto second = MakeComponent<TComponent>(nullptr);
  auto* button = Create<TButton>(first.get());
  second->InsertComponent(button);
  EXPECT_EQ(first->ComponentCount(), 0);
  EXPECT_EQ(button->Owner(), second.get());
  first->RemoveComponent(button);  // not first's: nothing changes
  EXPECT_EQ(button->Owner(), second.get());
  EXPECT_EQ(second->ComponentCount(), 1);
}

TEST(ComponentLifecycleDeathTest, DeletingAComponentStopsTheProgram) {
  EXPECT_DEATH(
      {
        TButton* button = Create<TButton>(nullptr);
        button->SetName("Plain");
        delete button;
      },
      "Component 'Plain' was destroyed without Free");
  EXPECT_DEATH({ TButton onTheStack(nullptr); }, "without Free");
}
