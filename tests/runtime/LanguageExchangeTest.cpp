// The translators' text file: export, sections, import in each mode, the fallbacks and the
// rejected lines, and a failed import that leaves the form as it was.
#include <fstream>
#include <sstream>

#include "library/FileTools.h"
#include "model/ComponentExplorer.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "tests/runtime/DravikFixture.h"
#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

// A component whose collection property can be written, as the explorer offers only those.
class TButtonRow : public TComponent {
 public:
  explicit TButtonRow(TComponent* owner)
      : TComponent(owner),
        fButtons(std::make_unique<TCollection>(TCaptionItem::StaticClass(), this)) {}
  static const TClassRecord& StaticClass() {
    static const TClassRecord& record =
        TClassBuilder<TButtonRow, TComponent>("TButtonRow", "LanguageExchangeTest")
            .Property("Buttons", &TButtonRow::Buttons, &TButtonRow::SetButtons)
            .Build();
    return record;
  }
  const TClassRecord& ClassType() const override { return StaticClass(); }
  TCollection* Buttons() const { return fButtons.get(); }
  void SetButtons(TCollection* value) { fButtons->Assign(value); }

 private:
  std::unique_ptr<TCollection> fButtons;
};

const std::string kFrench =
    "Fran\xC3\xA7"
    "ais";

std::string Read(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void Write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class LanguageExchange : public DravikTest {
 protected:
  void SetUp() override {
    DravikTest::SetUp();
    form = MakeDravikForm("Hello", "Name");
    dravik = DravikOf(form.get());
    SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}});
    button = Control(form.get(), "Button1");
    button->Hint = "Says hello";
    static_cast<TCaptionItem*>(button->GetItems()->Add())->Caption = "First";
    button->GetLines()->SetText("one\ntwo");
    Translate(dravik, button, "Caption", {"Hello", "Hallo"});
    Translate(dravik, button, "Hint", {"Says hello", "Sagt hallo"});
    Translate(dravik, Control(form.get(), "Label1"), "Caption", {"Name", "It's 'quoted'"});
    TConsistentLangPropertyEntry* greeting = manager()->AddString("Greeting");
    greeting->SetLangValue(0, "Welcome");
    greeting->SetLangValue(1, "Willkommen");
    manager()->Values()->Strings(0);  // the named string's live value follows slot 0
  }
  TLanguageManager* manager() const { return dravik->LanguageManager(); }
  std::vector<std::string> Sections(const std::string& file) {
    TStringList list;
    TLanguageManager::GetAvailLangSections(file, list);
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Strings(i));
    return names;
  }
  bool Import(const std::string& file, TImportMode mode, const std::vector<std::string>& sections,
              bool initAll = false, const TCESettings* settings = nullptr) {
    TStringList chosen;
    for (const std::string& s : sections) chosen.Add(s);
    adjusted.Clear();
    rejected.Clear();
    return manager()->ImportLanguages(file, settings, mode, initAll, chosen, &adjusted, &rejected);
  }
  std::string German(const std::string& component, const std::string& property) {
    dravik->SetLanguage("Deutsch");
    const std::string value = component == "Dravik" ? dravik->GetString(property)
                              : property == "Hint"  ? Control(form.get(), component)->Hint
                                                    : Control(form.get(), component)->Caption;
    dravik->SetLanguage("English");
    return value;
  }

  TTempDir dir;
  TComponentPtr<TTestForm> form;
  TDravik* dravik = nullptr;
  TTestControl* button = nullptr;
  TStringList adjusted, rejected;
};

}  // namespace

TEST_F(LanguageExchange, TheExportHasOneSectionPerLanguageWithSortedKeys) {
  manager()->ExportLanguages(dir.File("form.lng"));
  EXPECT_EQ(Read(dir.File("form.lng")),
            "[TTestForm.English]\r\n"
            "Button1.Caption='Hello'\r\n"
            "Button1.Hint='Says hello'\r\n"
            "Label1.Caption='Name'\r\n"
            "Dravik.#Greeting='Welcome'\r\n"
            "\r\n"
            "[TTestForm.Deutsch]\r\n"
            "Button1.Caption='Hallo'\r\n"
            "Button1.Hint='Sagt hallo'\r\n"
            "Label1.Caption='It's 'quoted''\r\n"
            "Dravik.#Greeting='Willkommen'\r\n"
            "\r\n");
  EXPECT_EQ(Sections(dir.File("form.lng")),
            (std::vector<std::string>{"TTestForm=English", "TTestForm=Deutsch"}));
  std::vector<std::string> untouched = Sections(dir.File("missing.lng"));
  EXPECT_TRUE(untouched.empty());
}

TEST_F(LanguageExchange, ExportAndImportOfEverySectionGiveBackEveryValue) {
  manager()->ExportLanguages(dir.File("form.lng"));
  const std::string exported = Read(dir.File("form.lng"));
  ASSERT_TRUE(Import(dir.File("form.lng"), imClearExisting, Sections(dir.File("form.lng"))));
  EXPECT_EQ(rejected.Count(), 0) << rejected.Text();
  manager()->ExportLanguages(dir.File("again.lng"));
  EXPECT_EQ(Read(dir.File("again.lng")), exported);
  EXPECT_EQ(button->Caption, "Hello");
  EXPECT_EQ(German("Label1", "Caption"), "It's 'quoted'");
  EXPECT_EQ(German("Dravik", "Greeting"), "Willkommen");
  EXPECT_EQ(dravik->GetString("Greeting"), "Welcome");
}

// Lines find their entries whatever their order, however many the file leaves out, and the
// later of two lines for one property in one section wins.
TEST_F(LanguageExchange, LinesInAnyOrderFindTheirEntriesAndTheLaterOfTwoWins) {
  Write(dir.File("mixed.lng"),
        "[TTestForm.Deutsch]\r\n"
        "Label1.Caption='Etikett'\r\n"
        "Dravik.#Greeting='Tag'\r\n"
        "Button1.Hint='Hinweis'\r\n"
        "Button1.Caption='Knopf'\r\n"
        "Button1.Hint='Letzter Hinweis'\r\n"
        "[TTestForm.English]\r\n"
        "Label1.Caption='Label'\r\n"
        "Button1.Caption='Button'\r\n");
  ASSERT_TRUE(
      Import(dir.File("mixed.lng"), imClearExisting, {"TTestForm=English", "TTestForm=Deutsch"}));
  EXPECT_EQ(rejected.Count(), 0) << rejected.Text();
  EXPECT_EQ(Control(form.get(), "Label1")->Caption, "Label");
  EXPECT_EQ(button->Caption, "Button");
  EXPECT_EQ(German("Label1", "Caption"), "Etikett");
  EXPECT_EQ(German("Button1", "Caption"), "Knopf");
  EXPECT_EQ(German("Button1", "Hint"), "Letzter Hinweis");
  EXPECT_EQ(German("Dravik", "Greeting"), "Tag");
}

TEST_F(LanguageExchange, TheModesDecideWhetherTheFormOrTheFileWins) {
  Write(dir.File("tr.lng"),
        "[TTestForm.Deutsch]\r\nButton1.Caption='Servus'\r\nButton1.Lines%1='zwei'\r\n");
  ASSERT_TRUE(Import(dir.File("tr.lng"), imAddNotExisting, {"TTestForm=Deutsch"}));
  EXPECT_EQ(button->GetLines()->Strings(1), "two") << "a new translation keeps the form's text";
  EXPECT_EQ(German("Button1", "Caption"), "Hallo") << "the form's value wins";
  EXPECT_EQ(German("Label1", "Caption"), "It's 'quoted'") << "kept";
  ASSERT_TRUE(Import(dir.File("tr.lng"), imAddAll, {"TTestForm=Deutsch"}));
  EXPECT_EQ(German("Button1", "Caption"), "Servus") << "the file's value wins";
  EXPECT_EQ(German("Dravik", "Greeting"), "Willkommen") << "kept";
  ASSERT_TRUE(Import(dir.File("tr.lng"), imClearExisting, {"TTestForm=Deutsch"}));
  EXPECT_THROW(dravik->GetString("Greeting"), EStringNotFound) << "cleared";
  dravik->SetLanguage("Deutsch");
  EXPECT_EQ(button->GetLines()->Strings(1), "zwei") << "Lines%1 found through Lines.Strings[1]";
}

TEST_F(LanguageExchange, ANewLanguageComesFromTheFileEmptyOrCopiedWithInitAll) {
  Write(dir.File("fr.lng"), "[TTestForm." + kFrench + "]\r\nButton1.Caption='Bonjour'\r\n");
  ASSERT_TRUE(Import(dir.File("fr.lng"), imAddAll, {"TTestForm=" + kFrench}));
  dravik->SetLanguage(kFrench);
  EXPECT_EQ(button->Caption, "Bonjour");
  EXPECT_EQ(button->Hint, "") << "no line: empty";
  dravik->SetLanguage("English");
  ASSERT_TRUE(Import(dir.File("fr.lng"), imClearExisting, {"TTestForm=" + kFrench}, true));
  dravik->SetLanguage(kFrench);
  EXPECT_EQ(button->Caption, "Bonjour");
}

TEST_F(LanguageExchange, ACollectionItemWithoutPropertyIsItsCaptionAndIsReported) {
  auto* row = Create<TButtonRow>(form.get());
  row->SetName("Row");
  static_cast<TCaptionItem*>(row->Buttons()->Add())->Caption = "First";
  Write(dir.File("items.lng"),
        "[TTestForm.Deutsch]\r\nRow.Buttons%0='Erstes'\r\nButton1.Nothing='x'\r\n"
        "Ghost.Caption='y'\r\nno equals sign\r\n");
  ASSERT_TRUE(Import(dir.File("items.lng"), imAddAll, {"TTestForm=Deutsch"}));
  EXPECT_EQ(adjusted.Text(), "[TTestForm.Deutsch]=Row.Buttons%0=Erstes\r\n");
  EXPECT_EQ(rejected.Text(),
            "[TTestForm.Deutsch]=Button1.Nothing=x\r\n"
            "[TTestForm.Deutsch]=Ghost.Caption=y\r\n"
            "[TTestForm.Deutsch]=no equals sign\r\n");
  dravik->SetLanguage("Deutsch");
  EXPECT_EQ(static_cast<TCaptionItem*>(row->Buttons()->Items(0))->Caption, "Erstes");
  dravik->SetLanguage("English");
  EXPECT_EQ(static_cast<TCaptionItem*>(row->Buttons()->Items(0))->Caption, "First");
}

TEST_F(LanguageExchange, PropertiesTheSettingsExcludeAreRejected) {
  TCESettings settings;
  settings.SetPropFilter({pfCaption});
  Write(dir.File("hint.lng"),
        "[TTestForm.Deutsch]\r\nButton1.Caption='Hallo'\r\nButton1.Hint='Tipp'\r\n"
        "Label1.Caption='Name'\r\n");
  ASSERT_TRUE(
      Import(dir.File("hint.lng"), imClearExisting, {"TTestForm=Deutsch"}, false, &settings));
  EXPECT_EQ(rejected.Text(), "[TTestForm.Deutsch]=Button1.Hint=Tipp\r\n");
}

// A file changes texts a translator translates and what the form translates already, never a
// component's name or a TDravik's own properties, and only with values that fit.
TEST_F(LanguageExchange, OnlyTranslatableValuesThatFitTheirTypeComeIn) {
  Translate(dravik, button, "Alignment", {"taLeftJustify", "taCenter"});  // the form's choice
  TCESettings all;
  all.SetPropFilter({pfAll});
  const struct {
    const char* Line;
    bool Taken, TakenWithAll;
  } lines[] = {
      {"Button1.Caption='Knopf'", true, true},
      {"Button1.Lines%0='eins'", true, true},
      {"Label1.Hint='Tipp'", true, true},
      {"Button1.Alignment='taRightJustify'", true, true},
      {"Button1.Alignment='Sideways'", false, false},
      {"Button1.Level='3'", false, true},
      {"Button1.Level='many'", false, false},
      {"Button1.Font.Name='Serif'", false, true},
      {"Button1.Name='Knopf'", false, false},
      {"TTestForm.Name='Formular'", false, false},
      {"Dravik.Language='Deutsch'", false, false},
      {"Dravik.Name='Other'", false, false},
      {"Dravik.#Greeting='Servus'", true, true},
  };
  std::string file = "[TTestForm.Deutsch]\r\n";
  for (const auto& line : lines) file += std::string(line.Line) + "\r\n";
  Write(dir.File("any.lng"), file);
  for (const TCESettings* settings :
       {static_cast<const TCESettings*>(nullptr), static_cast<const TCESettings*>(&all)}) {
    ASSERT_TRUE(Import(dir.File("any.lng"), imAddAll, {"TTestForm=Deutsch"}, false, settings));
    std::string expected;
    for (const auto& line : lines) {
      if (settings ? line.TakenWithAll : line.Taken) continue;
      std::string text = line.Line;
      text.erase(text.find('\''), 1);
      text.erase(text.size() - 1);
      expected += "[TTestForm.Deutsch]=" + text + "\r\n";
    }
    EXPECT_EQ(rejected.Text(), expected) << (settings ? "all" : "no settings");
    EXPECT_EQ(form->Name(), "Form1");
    EXPECT_EQ(button->Name(), "Button1");
    EXPECT_EQ(dravik->Name(), "Dravik");
    dravik->SetLanguage("Deutsch");
    EXPECT_EQ(dravik->GetLanguage(), "Deutsch");
    EXPECT_EQ(button->Caption, "Knopf");
    EXPECT_EQ(button->Alignment, taRightJustify);
    EXPECT_EQ(button->Level, settings ? 3 : 1);
    EXPECT_EQ(button->Name(), "Button1");
    dravik->SetLanguage("English");
    EXPECT_EQ(button->Alignment, taLeftJustify);
  }
}

TEST_F(LanguageExchange, AFailedImportKeepsWhatTheFormHeld) {
  Write(dir.File("any.lng"), "[TTestForm.Deutsch]\r\nButton1.Caption='Servus'\r\n");
  dravik->SetLanguage("Deutsch");
  // A property its class no longer has (the form is older than its class) cannot go back in.
  Translate(dravik, button, "Level", {Variant(1), Variant(2)})->Name = "Gone";
  try {
    Import(dir.File("any.lng"), imAddAll, {"TTestForm=Deutsch"});
    FAIL() << "the import went through";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TLanguageManager.ImportLanguages failed: Internal error at REIMPORT");
  }
  EXPECT_EQ(dravik->GetLanguage(), "Deutsch");
  EXPECT_EQ(button->Caption, "Hallo");
  EXPECT_EQ(button->Hint, "Sagt hallo");
  dravik->SetLanguage("English");
  EXPECT_EQ(button->Caption, "Hello");
  EXPECT_EQ(dravik->GetString("Greeting"), "Welcome");
  try {
    Import(dir.File("missing.lng"), imAddAll, {"TTestForm=Deutsch"});
    FAIL() << "a missing file was imported";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "File not found");
  }
}

TEST_F(LanguageExchange, TheActiveLanguageStaysActiveAfterAnImport) {
  dravik->SetLanguage("Deutsch");
  manager()->ExportLanguages(dir.File("form.lng"));
  ASSERT_TRUE(Import(dir.File("form.lng"), imClearExisting, Sections(dir.File("form.lng"))));
  EXPECT_EQ(dravik->GetLanguage(), "Deutsch");
  EXPECT_EQ(button->Caption, "Hallo");
}

// Only the active language reaches the form's properties: a value another language holds
// that the property would refuse stays stored and does not stop the import.
TEST_F(LanguageExchange, AnImportWritesOnlyTheActiveLanguageIntoTheForm) {
  dravik->SetLanguage("Deutsch");
  TInconsistentLangPropertyEntry* level =
      Translate(dravik, button, "Level", {Variant(2), Variant(std::string("many"))});
  Write(dir.File("any.lng"), "[TTestForm.Deutsch]\r\nButton1.Caption='Servus'\r\n");
  ASSERT_TRUE(Import(dir.File("any.lng"), imAddAll, {"TTestForm=Deutsch"}));
  EXPECT_EQ(dravik->GetLanguage(), "Deutsch");
  EXPECT_EQ(button->Caption, "Servus");
  EXPECT_EQ(button->Level, 2);
  level =
      static_cast<TInconsistentLangPropertyEntry*>(manager()->Comps()->Items(0)->Props()->Items(2));
  ASSERT_EQ(level->Name, "Level");
  EXPECT_EQ(level->GetLangValue(1).AsString(), "many");
}

TEST_F(LanguageExchange, AValueWithALineBreakIsRefusedAndNothingIsWritten) {
  Translate(dravik, Control(form.get(), "Label1"), "Hint", {"two\nlines", "zwei"});
  try {
    manager()->ExportLanguages(dir.File("broken.lng"));
    FAIL() << "a line break was exported";
  } catch (const EConvertError& e) {
    EXPECT_NE(e.Message().find("Label1.Hint"), std::string::npos) << e.Message();
  }
  EXPECT_FALSE(FileExist(dir.File("broken.lng")));
}
