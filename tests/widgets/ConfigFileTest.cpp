// The configuration store: keys and sections, defaults, write-back, hints, the persistent
// instance, registry mode, failures that fall back to defaults or keep the file, re-entrance.
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "model/ComponentExplorerTools.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "platform/ui/Forms.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/UiFixture.h"
#include "widgets/ConfigFile.h"

using namespace dravik;

namespace {

enum TProbeKind { pkNone, pkSmall, pkLarge };
const TTypeInfo& TypeInfoFor(TProbeKind) {
  static const TTypeInfo& info = MakeEnumType("TProbeKind", {"pkNone", "pkSmall", "pkLarge"});
  return info;
}

// A component that counts the assignments of its text.
class TProbe : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record = TClassBuilder<TProbe, TComponent>("TProbe", "Tests")
                                            .Property("Text", &TProbe::Text, &TProbe::SetText)
                                            .Property("Count", &TProbe::Count)
                                            .Property("Kind", &TProbe::Kind)
                                            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  const std::string& Text() const { return fText; }
  void SetText(const std::string& value) {
    fText = value;
    ++Assignments;
  }
  int32_t Count = 0;
  TProbeKind Kind = pkNone;
  int Assignments = 0;

 private:
  std::string fText;
};

const TClassRegistration kProbe(TProbe::StaticClass());

// The object a program hands the store: a property with an index is kept in the section its
// non-stored partner names.
class TProbeSettings : public TPersistent {
 public:
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TProbeSettings, TPersistent>("TProbeSettings", "Tests")
            .Property("Title", &TProbeSettings::Title)
            .Property("Width", &TProbeSettings::Width)
            .Index(1)
            .Property("Layout", &TProbeSettings::Layout)
            .NotStored()
            .Index(1)
            .Property("Ratio", &TProbeSettings::Ratio)
            .Property("Enabled", &TProbeSettings::Enabled)
            .Property("Partner", &TProbeSettings::Partner)
            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  std::string Title = "untitled";
  int32_t Width = 100;
  std::string Layout;
  double Ratio = 0.5;
  bool Enabled = false;
  TComponent* Partner = nullptr;
};

// The store's events, recorded.
class THandlers : public TObject {
 public:
  std::vector<std::string> Calls;
  bool Ok = true;
  TPersistent* Instance = nullptr;
  std::function<void()> Defaults;
  std::function<void(TExIniFile*)> OnBeforeLoad, OnBeforeSave;
  std::function<void(TComponent*, bool&)> SaveQuery;

  void CheckValues(TObject*, bool& ok) {
    Calls.push_back("CheckValues");
    ok = Ok;
  }
  void GetDefaults(TObject*) {
    Calls.push_back("GetDefaults");
    if (Defaults) Defaults();
  }
  void GetInstance(TObject*, TPersistent*& instance) { instance = Instance; }
  void BeforeLoad(TObject*, TExIniFile* ini) {
    Calls.push_back("BeforeLoad");
    if (OnBeforeLoad) OnBeforeLoad(ini);
  }
  void AfterLoad(TObject*, TExIniFile*) { Calls.push_back("AfterLoad"); }
  void BeforeSave(TObject*, TExIniFile* ini) {
    Calls.push_back("BeforeSave");
    if (OnBeforeSave) OnBeforeSave(ini);
  }
  void AfterSave(TObject*, TExIniFile*) { Calls.push_back("AfterSave"); }
  void LoadError(TObject*) { Calls.push_back("LoadError"); }
  void SaveError(TObject*) { Calls.push_back("SaveError"); }
  void SaveComponentQuery(TObject*, TComponent* component, bool& handle) {
    if (SaveQuery) SaveQuery(component, handle);
  }
};

TComponentEntry* AddEntry(TConfigFile* store, TComponent* component,
                          const std::vector<std::string>& properties) {
  auto* entry = static_cast<TComponentEntry*>(TMainEntry::CreateEx(
      store->Entries(), component, component->Name(), component->ClassName(), {stPubPropObject}));
  for (const std::string& name : properties)
    TPropertyEntry::CreateByRef(entry, component->ClassType().FindProp(name));
  return entry;
}

class ConfigFile : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = MakeComponent<TForm>(nullptr);
    probe = Create<TProbe>(form.get());
    probe->SetName("Probe");
    other = Create<TProbe>(form.get());
    other->SetName("Other");
    store = Create<TConfigFile>(form.get());
    store->SetName("Config");
    store->SetFileName(path);
    AddEntry(store, probe, {"Text", "Count", "Kind"});
    AddEntry(store, other, {"Text"});
    handlers.Defaults = [this] {
      probe->SetText("default");
      probe->Count = 1;
      probe->Kind = pkNone;
    };
    store->OnGetDefaults = TNotifyEvent::Of<&THandlers::GetDefaults>(&handlers);
    store->OnCheckValues = TCheckValuesEvent::Of<&THandlers::CheckValues>(&handlers);
    store->OnGetInstance = TGetInstanceEvent::Of<&THandlers::GetInstance>(&handlers);
    store->BeforeLoad = TConfigFileEvent::Of<&THandlers::BeforeLoad>(&handlers);
    store->AfterLoad = TConfigFileEvent::Of<&THandlers::AfterLoad>(&handlers);
    store->BeforeSave = TConfigFileEvent::Of<&THandlers::BeforeSave>(&handlers);
    store->AfterSave = TConfigFileEvent::Of<&THandlers::AfterSave>(&handlers);
    store->OnLoadError = TNotifyEvent::Of<&THandlers::LoadError>(&handlers);
    store->OnSaveError = TNotifyEvent::Of<&THandlers::SaveError>(&handlers);
    store->OnSaveComponentQuery =
        TComponentQueryEvent::Of<&THandlers::SaveComponentQuery>(&handlers);
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }

  TTempDir dir;
  std::string path = dir.File("app.cfg");
  TComponentPtr<TForm> form;
  TProbe* probe = nullptr;
  TProbe* other = nullptr;
  TConfigFile* store = nullptr;
  THandlers handlers;
};

}  // namespace

TEST_F(ConfigFile, PropertiesStartAtTheirDefaults) {
  auto fresh = MakeComponent<TConfigFile>(nullptr);
  EXPECT_FALSE(fresh->AutoLoad());
  EXPECT_EQ(fresh->HintPosition(), 49);
  EXPECT_TRUE(fresh->HintsEnabled());
  EXPECT_EQ(fresh->Mode(), cmFile);
  EXPECT_EQ(fresh->RegistryPath(), "Software\\Quelt GbR\\MyApplication");
  EXPECT_EQ(fresh->RegistryRoot(), rkLocalMachine);
  EXPECT_FALSE(fresh->SaveSuperFormState());
  EXPECT_EQ(fresh->LoadErrorText(), "Configuration file could not be loaded.");
  EXPECT_EQ(fresh->SaveErrorText(), "Configuration file could not be saved.");
  EXPECT_FALSE(fresh->ShowLoadError());
  EXPECT_TRUE(fresh->ShowSaveError());
  EXPECT_EQ(fresh->SectionName(), "TConfigFile");  // no owner
  EXPECT_EQ(store->SectionName(), "TForm");
  store->SetFileName("");
  EXPECT_EQ(store->ConfigFileName().substr(store->ConfigFileName().size() - 4), ".cfg");
}

TEST_F(ConfigFile, WithoutAFileAFullLoadShowsNothingKeepsTheDefaultsAndTheNextSaveMakesTheFile) {
  probe->SetText("changed before");
  store->Load();
  EXPECT_EQ(probe->Text(), "default");
  EXPECT_EQ(probe->Count, 1);
  EXPECT_EQ(handlers.Calls, (std::vector<std::string>{"GetDefaults", "LoadError", "GetDefaults"}));
  EXPECT_EQ(store->LastError(), "Cannot open file " + path + ": No such file or directory");
  EXPECT_EQ(store->Status(), isNone);
  EXPECT_FALSE(std::filesystem::exists(path));

  probe->Kind = pkLarge;
  other->SetText("x;y");
  store->Save();
  EXPECT_EQ(store->LastError(), "");
  const std::string hint = ";(pkNone,pkSmall,pkLarge)";
  EXPECT_EQ(ReadFileBytes(path),
            "[TForm]\n"
            "Probe.Text=default\n"
            "Probe.Count=1\n"
            "Probe.Kind=pkLarge" +
                std::string(49 - 10 - 1 - 7, ' ') + hint +
                "\n"
                "Other.Text=x;y ;\n");
  other->SetText("");
  store->Load();
  EXPECT_EQ(other->Text(), "x;y");
  EXPECT_EQ(probe->Kind, pkLarge);
}

TEST_F(ConfigFile, AStoredTextEqualToTheCurrentOneIsNotAssigned) {
  WriteFileBytes(path, "[TForm]\nProbe.Text=default\nOther.Text=new\n");
  probe->Assignments = other->Assignments = 0;
  store->Load();
  EXPECT_EQ(probe->Assignments, 1);  // by GetDefaults only
  EXPECT_EQ(other->Assignments, 1);
  EXPECT_EQ(other->Text(), "new");
}

TEST_F(ConfigFile, ALoadWritesBackEveryKeyItReadsSoOneCycleListsThemAll) {
  WriteFileBytes(path, "[TForm]\nProbe.Count=7\n");
  store->Load();
  EXPECT_EQ(probe->Count, 7);
  EXPECT_EQ(ReadFileBytes(path),
            "[TForm]\nProbe.Count=7\nProbe.Text=default\nProbe.Kind=pkNone\nOther.Text=\n");
  store->Save();
  EXPECT_EQ(TIniFile(path).ReadString("TForm", "Probe.Kind", ""),
            "pkNone" + std::string(49 - 10 - 1 - 6, ' ') + ";(pkNone,pkSmall,pkLarge)");
}

TEST_F(ConfigFile, ComponentsAreChosenByTheQueriesAndOneComponentCanBeHandledAlone) {
  store->Load();
  handlers.SaveQuery = [this](TComponent* component, bool& handle) { handle = component != other; };
  other->SetText("skipped");
  store->Save();
  EXPECT_FALSE(TIniFile(path).ValueExists("TForm", "Other.Text"));
  handlers.SaveQuery = nullptr;
  store->SaveComponentState(other);
  probe->SetText("not saved");
  other->SetText("");
  store->LoadComponentState(other);
  EXPECT_EQ(other->Text(), "skipped");
  EXPECT_EQ(probe->Text(), "not saved");  // neither loaded nor reset to defaults
  EXPECT_EQ(TIniFile(path).ReadString("TForm", "Probe.Text", ""), "default");
}

TEST_F(ConfigFile, ThePersistentInstanceIsKeptInItsSections) {
  TProbeSettings settings;
  settings.Title = "Mine";
  settings.Width = 640;
  settings.Ratio = 1.25;
  settings.Enabled = true;
  settings.Partner = probe;
  handlers.Instance = &settings;
  store->Save();
  TExIniFile ini(path);
  ini.SetHintsEnabled(true);
  EXPECT_EQ(ini.ReadString("Default Section", "Title", ""), "Mine");
  EXPECT_EQ(ini.ReadString("Layout", "Width", ""), "640");
  EXPECT_EQ(ini.ReadString("Default Section", "Ratio", ""), "1.25");
  EXPECT_EQ(ini.ReadString("Default Section", "Enabled", ""), "True");
  EXPECT_FALSE(ini.ValueExists("Default Section", "Partner"));  // an address means nothing later
  EXPECT_FALSE(ini.IniFile()->SectionExists("Partner"));

  TProbeSettings loaded;
  handlers.Instance = &loaded;
  store->Load();
  EXPECT_EQ(store->LastError(), "");
  EXPECT_EQ(loaded.Title, "Mine");
  EXPECT_EQ(loaded.Width, 640);
  EXPECT_EQ(loaded.Ratio, 1.25);
  EXPECT_TRUE(loaded.Enabled);
}

TEST_F(ConfigFile, ValuesThatFailTheCheckGiveWayToTheDefaultsAndLeaveTheFileAlone) {
  const std::string file = "[TForm]\nProbe.Text=odd\nProbe.Count=99\n";
  WriteFileBytes(path, file);
  handlers.Ok = false;
  store->Load();
  EXPECT_EQ(probe->Text(), "default");
  EXPECT_EQ(probe->Count, 1);
  EXPECT_EQ(store->LastError(), "TConfigFile.CheckValues failed");
  EXPECT_EQ(handlers.Calls, (std::vector<std::string>{"GetDefaults", "BeforeLoad", "CheckValues",
                                                      "AfterLoad", "LoadError", "GetDefaults"}));
  EXPECT_EQ(ReadFileBytes(path), file);  // nothing written back from a failed load
}

TEST_F(ConfigFile, ADamagedFileFallsBackToDefaultsAndTheNextSaveWritesASoundOne) {
  const std::string damaged = "[TForm]\nProbe.Text=kept\nProbe.Cou";
  WriteFileBytes(path, damaged);
  store->Load();
  EXPECT_EQ(probe->Text(), "default");
  EXPECT_EQ(store->LastError(),
            "File " + path + " is damaged at line 3: neither a section, a key nor a comment");
  store->Save();
  EXPECT_EQ(store->LastError(), "");
  EXPECT_EQ(TIniFile(path).ReadString("TForm", "Probe.Text", ""), "default");
  EXPECT_EQ(ReadFileBytes(path + ".damaged"), damaged);
}

TEST_F(ConfigFile, ASaveThatFailsHalfWayLeavesThePreviousFile) {
  store->Save();
  const std::string before = ReadFileBytes(path);
  probe->SetText("half");
  handlers.SaveQuery = [this](TComponent* component, bool&) {
    if (component == other) throw EWriteError("the disk is full");
  };
  store->SetShowSaveError(false);
  store->Save();
  EXPECT_EQ(store->LastError(), "the disk is full");
  EXPECT_EQ(ReadFileBytes(path), before);
  EXPECT_EQ(handlers.Calls.back(), "SaveError");
  EXPECT_EQ(handlers.Calls[handlers.Calls.size() - 2], "AfterSave");
}

TEST_F(ConfigFile, ARequestDuringALoadIsRefusedWithoutDisturbingTheLoad) {
  WriteFileBytes(path, "[TForm]\nProbe.Text=stored\n");
  store->SetShowSaveError(false);
  handlers.OnBeforeLoad = [this](TExIniFile*) {
    store->Save();
    store->Load();
  };
  store->Load();
  EXPECT_EQ(probe->Text(), "stored");  // the running load went on with its file
  EXPECT_EQ(store->Status(), isNone);
  EXPECT_EQ(store->LastError(),
            "TConfigFile: Invalid reentrance. Load request while loading not possible. Change "
            "your conception");
  EXPECT_EQ(handlers.Calls, (std::vector<std::string>{"GetDefaults", "BeforeLoad", "SaveError",
                                                      "LoadError", "CheckValues", "AfterLoad"}));
  handlers.OnBeforeLoad = nullptr;
  handlers.OnBeforeSave = [this](TExIniFile*) { store->Load(); };
  store->Save();
  EXPECT_EQ(store->LastError(),
            "TConfigFile: Invalid reentrance. Load request while saving not possible. Change "
            "your conception");
}

TEST_F(ConfigFile, AFailureIsShownWithTheConfiguredCaptionAndText) {
  store->SetShowLoadError(true);
  store->SetLoadErrorCaption("Settings");
  std::string caption, text;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    caption = dialog->windowTitle().toStdString();
    for (QLabel* label : dialog->findChildren<QLabel*>())
      if (label->text().contains("could not")) text = label->text().toStdString();
    QTest::keyClick(dialog, Qt::Key_Return);
  });
  store->Load();
  EXPECT_EQ(caption, "Settings");
  EXPECT_EQ(text, "Configuration file could not be loaded.\n\nCannot open file " + path +
                      ": No such file or directory");
}

TEST_F(ConfigFile, InRegistryModeSectionAndKeyNameValuesAndSectionOperationsAreRefused) {
  TEnvironmentScope scope("DRAVIK_REGISTRY", dir.File("registry.reg"));
  store->SetMode(cmRegistry);
  store->SetRegistryRoot(rkCurrentUser);
  store->SetRegistryPath("Software\\Quelt GbR\\Test");
  store->Load();  // no key yet: defaults
  EXPECT_EQ(store->LastError(), "Registry key Software\\Quelt GbR\\Test does not exist");
  probe->SetText("in the registry");
  store->Save();
  EXPECT_EQ(store->LastError(), "");
  TRegistry reg(dir.File("registry.reg"));
  ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Quelt GbR\\Test"));
  EXPECT_EQ(reg.ReadString("TForm\\Probe.Text"), "in the registry");
  EXPECT_EQ(reg.ReadString("TForm\\Probe.Kind"), "pkNone ;(pkNone,pkSmall,pkLarge)");
  probe->SetText("");
  store->Load();
  EXPECT_EQ(probe->Text(), "in the registry");

  store->SetShowSaveError(false);
  handlers.OnBeforeSave = [](TExIniFile* ini) {
    ini->DeleteKey("TForm", "Other.Text");
    ini->EraseSection("TForm");
  };
  store->Save();
  EXPECT_EQ(store->LastError(), "TExIniFile.EraseSection not possible for registry database");
  TRegistry again(dir.File("registry.reg"));
  ASSERT_TRUE(again.OpenKeyReadOnly("Software\\Quelt GbR\\Test"));
  EXPECT_TRUE(again.ValueExists("TForm\\Other.Text"));  // the failed save deleted nothing
}

TEST_F(ConfigFile, TheFormStateIsRefusedForAFormThatIsNoSuperForm) {
  try {
    store->SetSaveSuperFormState(true);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(),
              "TConfigFile.SaveSuperFormState property not changable: Owner form is not a "
              "TSuperForm");
  }
  EXPECT_FALSE(store->SaveSuperFormState());
}

TEST_F(ConfigFile, TheEntriesAreStreamedWithTheFormOnlyWhenThereAreAny) {
  auto written = [](TComponent* root) {
    TStringStream binary, text;
    WriteComponent(binary, root);
    binary.SetPosition(0);
    ObjectBinaryToText(binary, text);
    return text.DataString();
  };
  auto empty = MakeComponent<TConfigFile>(nullptr);
  EXPECT_EQ(written(empty.get()).find("Entries"), std::string::npos);
  const std::string text = written(form.get());
  EXPECT_NE(text.find("Entries = <"), std::string::npos) << text;
  EXPECT_NE(text.find("Ref = Probe"), std::string::npos) << text;
}

TEST_F(ConfigFile, AssignCopiesTheSettingsButTheFormStateOnlyWhereTheOwnerAllowsIt) {
  auto source = MakeComponent<TConfigFile>(nullptr);
  source->SetFileName("other.cfg");
  source->SetHintPosition(30);
  source->SetMode(cmRegistry);
  source->SetRegistryRoot(rkUsers);
  source->SetSection("Mine");
  source->SetShowSaveError(false);
  source->SetLoadErrorText("No settings.");
  store->Assign(source.get());
  EXPECT_EQ(store->FileName(), "other.cfg");
  EXPECT_EQ(store->HintPosition(), 30);
  EXPECT_EQ(store->Mode(), cmRegistry);
  EXPECT_EQ(store->RegistryRoot(), rkUsers);
  EXPECT_EQ(store->SectionName(), "Mine");
  EXPECT_FALSE(store->ShowSaveError());
  EXPECT_EQ(store->LoadErrorText(), "No settings.");
  EXPECT_FALSE(store->OnGetDefaults.Assigned());  // the source had no handler
}

TEST_F(ConfigFile, AutoLoadReadsTheSettingsOnceTheFormIsRead) {
  WriteFileBytes(path, "[TForm]\nProbe.Text=from the file\n");
  const std::string text =
      "object Form1: TForm\n"
      "  object Probe: TProbe\n"
      "  end\n"
      "  object Config: TConfigFile\n"
      "    AutoLoad = True\n"
      "    FileName = '" +
      path +
      "'\n"
      "    SaveSuperFormState = True\n"
      "    Entries = <\n"
      "      item\n"
      "        Items = <>\n"
      "        Props = <\n"
      "          item\n"
      "            Name = 'Text'\n"
      "            Kind = tkLString\n"
      "          end>\n"
      "        SubType = [stPubPropObject]\n"
      "        Ref = Probe\n"
      "      end>\n"
      "  end\n"
      "end\n";
  auto read = MakeComponent<TForm>(nullptr);
  ReadFormText(text, read.get());
  auto* config = static_cast<TConfigFile*>(read->FindComponent("Config"));
  ASSERT_NE(config, nullptr);
  EXPECT_EQ(config->LastError(), "");
  EXPECT_EQ(static_cast<TProbe*>(read->FindComponent("Probe"))->Text(), "from the file");
  EXPECT_FALSE(config->SaveSuperFormState());  // taken while read, dropped: no TSuperForm
}
