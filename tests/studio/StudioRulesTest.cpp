// The studio's rules without its window: the inspector's rows, where components are drawn and
// hit, names of added components, the source pane's line breaks, and the registry's part.
#include <gtest/gtest.h>

#include <QWidget>

#include "apps/studio/DesignedForm.h"
#include "apps/studio/SourceText.h"
#include "apps/studio/StudioRules.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/inifiles/Registry.h"
#include "platform/ide/EnvironmentKeys.h"
#include "platform/ide/Registration.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/UiFixture.h"

using namespace dravik;

namespace {

class TDialogHint : public TStringProperty {
 public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() override { return paDialog; }
};

const TInspectorRow* Row(const std::vector<TInspectorRow>& rows, const std::string& name) {
  for (const TInspectorRow& row : rows)
    if (row.Name == name) return &row;
  return nullptr;
}

class StudioRules : public UiTest {};

}  // namespace

TEST_F(StudioRules, InspectorRowsComeFromTheEditorsSortedWithoutEvents) {
  TDesignRegistry registry;
  registry.AddPropertyEditor(TypeInfo<std::string>(), &TButton::StaticClass(), "Hint",
                             PropertyEditorFactory<TDialogHint>());
  TComponentPtr<TForm> form = MakeComponent<TForm>(nullptr);
  auto* button = Create<TButton>(form.get());
  button->SetCaption("OK");
  const std::vector<TInspectorRow> rows = InspectorRows(registry, nullptr, *button);

  struct TCase {
    const char* Name;
    const char* Value;
    bool ReadOnly, Dialog, ValueList;
  };
  for (const TCase& c :
       {TCase{"Caption", "OK", false, false, false}, TCase{"Font", "(TFont)", true, false, false},
        TCase{"Align", "alNone", false, false, true}, TCase{"Hint", "", false, true, false}}) {
    const TInspectorRow* row = Row(rows, c.Name);
    ASSERT_NE(row, nullptr) << c.Name;
    EXPECT_EQ(row->Value, c.Value) << c.Name;
    EXPECT_EQ(row->ReadOnly, c.ReadOnly) << c.Name;
    EXPECT_EQ(row->Dialog, c.Dialog) << c.Name;
    EXPECT_EQ(row->ValueList, c.ValueList) << c.Name;
  }
  const std::vector<std::string> aligns = Row(rows, "Align")->Values;
  EXPECT_EQ(aligns.front(), "alBottom");
  EXPECT_TRUE(std::is_sorted(aligns.begin(), aligns.end(),
                             [](auto& a, auto& b) { return CompareText(a, b) < 0; }));
  EXPECT_EQ(Row(rows, "OnClick"), nullptr);
  EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(),
                             [](auto& a, auto& b) { return CompareText(a.Name, b.Name) < 0; }));

  SetInspectorValue(registry, nullptr, *button, "Caption", "Cancel");
  EXPECT_EQ(button->Caption(), "Cancel");
  EXPECT_THROW(SetInspectorValue(registry, nullptr, *button, "Font", "(TFont)"), EPropertyError);
  EXPECT_THROW(SetInspectorValue(registry, nullptr, *button, "OnClick", "x"), EPropertyError);
}

// Real controls where their parents put them, components without a window as boxes at their
// design position, stand-ins at their stored bounds; a click hits the topmost.
TEST_F(StudioRules, EachComponentIsDrawnWhereTheFormHasItAndAClickHitsTheTopmost) {
  TTempDir dir;
  WriteFileBytes(dir.File("Shop.txt"), R"(object ShopForm: TShopForm
  ClientWidth = 400
  ClientHeight = 300
  object Panel: TPanel
    Left = 10
    Top = 20
    Width = 200
    Height = 100
    object Buy: TButton
      Left = 5
      Top = 6
      Width = 50
      Height = 25
    end
  end
  object Grid: TFancyGrid
    Left = 30
    Top = 150
    Width = 120
    Height = 40
    Rows = 3
  end
  object Menu: TMainMenu
    Left = 300
    Top = 10
    object FileItem: TMenuItem
      Caption = 'File'
    end
  end
  object Timer: TTimer
    Left = 310
    Top = 20
  end
end
)");
  std::unique_ptr<THostedForm> form = ReadDesignedForm(dir.File("Shop.txt"));
  TComponent* root = form->Root();
  EXPECT_EQ(root->ClassName(), "TShopForm");
  ASSERT_NE(dynamic_cast<TForm*>(root), nullptr);
  const std::vector<TDesignedItem> items =
      DesignedItems(*root, [](const std::string& label) { return 6 * int(label.size()); });
  for (const TDesignedItem& item : items)
    EXPECT_NE(item.Component->Name(), "FileItem") << "a menu's item is part of the menu";

  struct TCase {
    int X, Y;
    const char* Hit;  // null: nothing
  };
  for (const TCase& c :
       {TCase{1, 1, "ShopForm"}, TCase{15, 25, "Panel"}, TCase{16, 27, "Buy"},
        TCase{66, 52, "Panel"}, TCase{31, 151, "Grid"}, TCase{149, 189, "Grid"},
        TCase{150, 190, "ShopForm"}, TCase{301, 11, "Menu"}, TCase{311, 21, "Menu"},
        TCase{341, 21, "Timer"}, TCase{400, 300, nullptr}, TCase{-1, 5, nullptr}}) {
    TComponent* hit = ComponentAt(items, c.X, c.Y);
    EXPECT_EQ(hit ? hit->Name() : "-", c.Hit ? c.Hit : "-") << c.X << "," << c.Y;
  }
  for (const TDesignedItem& item : items)
    if (item.Component->Name() == "Grid" || item.Component->Name() == "Menu" ||
        item.Component->Name() == "Timer")
      EXPECT_TRUE(item.Box) << item.Component->Name();
    else
      EXPECT_FALSE(item.Box) << item.Component->Name();
}

TEST_F(StudioRules, AddedComponentsTakeTheFirstFreeNameOfTheirKind) {
  TComponentPtr<TForm> form = MakeComponent<TForm>(nullptr);
  form->SetName("Button2");
  Create<TTimer>(form.get())->SetName("Timer1");
  struct TCase {
    const TClassRecord* Class;
    const char* Name;
  };
  for (const TCase& c :
       {TCase{&TTimer::StaticClass(), "Timer2"}, TCase{&TButton::StaticClass(), "Button1"},
        TCase{&TButton::StaticClass(), "Button3"}, TCase{&TTimer::StaticClass(), "Timer3"}}) {
    TComponent* added = AddDesignedComponent(*form, *c.Class, 40, 50);
    EXPECT_EQ(added->Name(), c.Name);
    EXPECT_EQ(added->Owner(), form.get());
    if (auto* control = dynamic_cast<TControl*>(added)) {
      EXPECT_EQ(control->Parent(), form.get());
      EXPECT_EQ(control->Left(), 40);
    } else {
      EXPECT_EQ(added->DesignTop(), 50);
    }
  }
}

TEST(SourceText, ThePaneShowsPlainLineBreaksAndEditsKeepTheUnits) {
  struct TCase {
    const char* Pane;
    const char* Before;  // the buffer before the edit
    const char* After;
  };
  for (const TCase& c : {TCase{"a\nb\n", "x\r\ny\r\n", "a\r\nb\r\n"}, TCase{"a\nb", "x\ny", "a\nb"},
                         TCase{"a\nb", "", "a\nb"}, TCase{"a\nb", "\r\n", "a\r\nb"},
                         TCase{"a\nb", "x\ny\r\n", "a\nb"}}) {
    EXPECT_EQ(PaneToBuffer(c.Pane, c.Before), c.After) << c.Pane;
    EXPECT_EQ(BufferToPane(c.After), c.Pane) << c.After;
  }
  EXPECT_EQ(BufferToPane("a\rb\r"), "a\rb\r");
}

namespace {

void WriteValues(TRegistry& registry, const char* key, const std::vector<std::string>& names) {
  registry.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKey(std::string("\\") + key, true));
  for (const std::string& name : names) registry.WriteString(name, "a package");
  registry.CloseKey();
}

}  // namespace

TEST(StudioRegistry, KnownPackagesLoadWithoutTheDisabledOnesAndTheStudiosOwnLastUnlessInstalled) {
  struct TCase {
    std::vector<std::string> Known, Disabled, Loaded;
  };
  const TCase cases[] = {
      {{}, {}, {"own.so"}},
      {{"a.so", "b.so", "c.so"}, {"b.so"}, {"a.so", "c.so", "own.so"}},
      {{"own.so", "a.so"}, {}, {"own.so", "a.so"}},
      {{"a.so"}, {"a.so", "x.so"}, {"own.so"}},
      {{"/opt/dravik/own.so", "a.so"}, {}, {"/opt/dravik/own.so", "a.so"}},
      {{"/opt/dravik/own.so"}, {"/opt/dravik/own.so"}, {"own.so"}},
  };
  for (const TCase& c : cases) {
    TTempDir dir;
    TRegistry registry(dir.File("registry.reg"));
    WriteValues(registry, kKnownPackagesKey, c.Known);
    WriteValues(registry, kDisabledPackagesKey, c.Disabled);
    EXPECT_EQ(StudioPackages(registry, "own.so"), c.Loaded);
  }
}

TEST(StudioRegistry, TheFirstStartRegistersTheProgramWhereAnInstallerLooks) {
  TTempDir dir;
  {
    TRegistry registry(dir.File("registry.reg"));
    EXPECT_TRUE(RegisterEnvironment(registry, "/opt/studio/bin/dravik-studio"));
  }
  TRegistry registry(dir.File("registry.reg"));
  EXPECT_FALSE(RegisterEnvironment(registry, "/elsewhere/dravik-studio"));
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(registry.OpenKeyReadOnly(std::string("\\") + kEnvironmentKey));
  EXPECT_EQ(registry.ReadString(kEnvironmentValue), "/opt/studio/bin/dravik-studio");
  registry.CloseKey();
  registry.SetRootKey(HKEY_CURRENT_USER);
  EXPECT_TRUE(registry.KeyExists(std::string("\\") + kKnownPackagesKey));
}

// Deleting a component deletes what is part of it, and nothing else; the form itself stays.
TEST_F(StudioRules, DeletingAComponentDeletesItsParts) {
  TTempDir dir;
  WriteFileBytes(dir.File("Shop.txt"), R"(object ShopForm: TShopForm
  object Panel: TPanel
    object Inner: TPanel
      object Buy: TButton
      end
    end
  end
  object Keep: TButton
  end
  object Menu: TMainMenu
    object FileItem: TMenuItem
      object OpenItem: TMenuItem
      end
    end
  end
end
)");
  struct TCase {
    const char* Deleted;
    std::vector<std::string> Left;
  };
  const TCase cases[] = {
      {"Panel", {"Keep", "Menu", "FileItem", "OpenItem"}},
      {"Inner", {"Panel", "Keep", "Menu", "FileItem", "OpenItem"}},
      {"Menu", {"Panel", "Inner", "Buy", "Keep"}},
      {"FileItem", {"Panel", "Inner", "Buy", "Keep", "Menu"}},
      {"ShopForm", {"Panel", "Inner", "Buy", "Keep", "Menu", "FileItem", "OpenItem"}},
  };
  for (const TCase& c : cases) {
    std::unique_ptr<THostedForm> form = ReadDesignedForm(dir.File("Shop.txt"));
    TComponent* root = form->Root();
    TComponent* doomed = root->Name() == c.Deleted ? root : root->FindComponent(c.Deleted);
    ASSERT_NE(doomed, nullptr) << c.Deleted;
    DeleteDesignedComponent(*root, *doomed);
    std::vector<std::string> left;
    for (int i = 0; i < root->ComponentCount(); ++i) left.push_back(root->Components(i)->Name());
    EXPECT_EQ(left, c.Left) << c.Deleted;
  }
}

// A designed form that its file shows at start stays hidden in the studio and keeps the flag.
TEST_F(StudioRules, ADesignedFormIsNeverAWindowOfItsOwn) {
  TTempDir dir;
  WriteFileBytes(dir.File("Shown.txt"), "object Shown: TShownForm\n  Visible = True\nend\n");
  std::unique_ptr<THostedForm> form = ReadDesignedForm(dir.File("Shown.txt"));
  auto* root = static_cast<TForm*>(form->Root());
  EXPECT_TRUE(root->Visible());
  EXPECT_TRUE(!root->Widget() || !root->Widget()->isVisible());
  EXPECT_NE(form->FileBytes().find("Visible = True"), std::string::npos) << form->FileBytes();
}
