// Language data against Free Pascal's (tests/peer/peer_dravik.pas): a TDravik it stores, laid out
// field by field with value buffers of every tag, reads into our classes with the right live and
// stored values and switches; a TDravik we store is read back by it with the same data.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/classes/Strings.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/resources/ComponentRes.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/SysUtils.h"
#include "tests/core/PeerTreeClasses.h"
#include "tests/runtime/DravikFixture.h"
#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

const std::string kPeerDravik = DRAVIK_PEER_DIR "/peer_dravik";
const std::string kPeerForm = DRAVIK_PEER_STREAMS "/dravik_form.bin";
const std::string kPeerStrings = DRAVIK_PEER_STREAMS "/dravik_strings.lng";

// A slot as "tag:text", or "-" when it holds no value.
std::string SlotText(const TConsistentLangPropertyEntry& entry, int slot) {
  if (!entry.HasLangValue(slot)) return "-";
  Variant value = entry.GetLangValue(slot);
  return std::to_string(value.VarType()) + ":" + VarToStr(value);
}

// Each property entry as "path = slot 1 | slot 2", in tree order.
std::vector<std::string> StoredSlots(TDravik* dravik) {
  TStringList list;
  dravik->LanguageManager()->Comps()->MoveSubItemsToStrings(true, list);
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) {
    auto* entry = static_cast<TConsistentLangPropertyEntry*>(list.Objects(i));
    std::string line = list.Strings(i) + " =";
    for (int slot = 1; slot < entry->Count(); ++slot) line += " " + SlotText(*entry, slot);
    lines.push_back(line);
  }
  return lines;
}

// What peer_dravik read prints for a binary form stream, line by line.
std::vector<std::string> PeerReads(const std::string& stream) {
  TTempDir dir;
  WriteFileBytes(dir.File("form.bin"), stream);
  TRunResult run = RunProgram({kPeerDravik, "read", dir.File("form.bin")});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  TStringList lines;
  lines.SetText(run.Out);
  std::vector<std::string> result;
  for (int i = 0; i < lines.Count(); ++i) result.push_back(lines.Strings(i));
  return result;
}

class FreePascalDravik : public DravikTest {
 protected:
  void TearDown() override {
    fForm.reset();
    DravikTest::TearDown();
  }

  void ReadPeerForm() {
    TStringStream in(ReadFileBytes(kPeerForm));
    fForm.reset(dynamic_cast<TPeerRoot*>(ReadComponent(in, nullptr)));
    ASSERT_NE(fForm, nullptr);
    fDravik = DravikOf(fForm.get());
    fButton = dynamic_cast<TPeerButton*>(fForm->FindComponent("Button1"));
    fControl = dynamic_cast<TPeerControl*>(fForm->FindComponent("Control1"));
    fExtras = dynamic_cast<TPeerExtras*>(fForm->FindComponent("Extras"));
    ASSERT_TRUE(fDravik && fButton && fControl && fExtras);
  }

  // The values of every translated property, live, in tree order.
  std::vector<std::string> LiveValues() const {
    return {fButton->Caption,
            fButton->Hint,
            fButton->GetFont()->Name,
            static_cast<TPeerItem*>(fButton->GetItems()->Items(0))->Caption,
            fButton->GetLines()->Strings(1),
            IntToStr(fControl->I32),
            FloatToStr(fControl->Double),
            FloatToStr(static_cast<long double>(fControl->Currency.Scaled) / 10000),
            FloatToStr(fControl->Date.Value),
            fControl->Flag ? "True" : "False",
            VarToStr(fExtras->V2) + (fExtras->V2.IsNull() ? "(Null)" : ""),
            fForm->Caption,
            fDravik->GetString("Greeting"),
            fDravik->GetString("Farewell")};
  }

  TComponentPtr<TPeerRoot> fForm;
  TDravik* fDravik = nullptr;
  TPeerButton* fButton = nullptr;
  TPeerControl* fControl = nullptr;
  TPeerExtras* fExtras = nullptr;
};

}  // namespace

TEST_F(FreePascalDravik, ItsStreamReadsIntoOurClassesWithEverySlot) {
  ReadPeerForm();
  EXPECT_EQ(fDravik->GetLanguage(), "English");
  TLanguageEntries* langs = fDravik->LanguageManager()->Langs();
  ASSERT_EQ(langs->Count(), 3);
  EXPECT_EQ(langs->Items(0)->Name + "/" + langs->Items(1)->Name + "/" + langs->Items(2)->Name,
            "Deutsch/English/Francais");
  EXPECT_EQ(langs->Items(0)->SubIndex, 1);
  EXPECT_EQ(langs->Items(2)->SubIndex, 2);

  EXPECT_EQ(LiveValues(),
            (std::vector<std::string>{"Close", "Closes the window", "Sans", "first", "two", "7",
                                      "1.5", "12.3456", "45000.75", "False", "True",
                                      "Language selection", "Good morning", "Goodbye"}));
  // Tags come back widened as the buffer table says: a small integer and a byte as integers, a
  // single as a double, an OLE string as a string; Windows-1252 text as UTF-8.
  EXPECT_EQ(StoredSlots(fDravik), (std::vector<std::string>{
                                      "Caption = 256:Schlie\xC3\x9F"
                                      "en 256:Fermer",
                                      "Hint = 256:Schlie\xC3\x9F"
                                      "t das Fenster 256:Ferme la fen\xC3\xAAtre",
                                      "Font.Name = 256:Serif 256:Mono",
                                      "Items[0].Caption = 256:erste 256:premier",
                                      "Lines.Strings[1] = 256:zwei 256:deux",
                                      "I32 = 3:8 3:-9",
                                      "FDoubleP = 5:2.5 5:0.5",
                                      "FCurrencyP = 6:65.4321 3:3",
                                      "FDateP = 7:45001.5 5:45002.25",
                                      "Flag = 11:True 256:False",
                                      "V2 = 1: -",
                                      "Caption = 256:Sprachauswahl 256:Choix de la langue",
                                      "Resources.Greeting = 256:Guten Morgen 256:Bonjour",
                                      "Resources.Farewell = 256:Auf Wiedersehen 256:Au revoir",
                                  }));
}

TEST_F(FreePascalDravik, ItsFormSwitchesToEachLanguageAndBack) {
  ReadPeerForm();
  const std::vector<std::string> english = LiveValues();
  fDravik->SetLanguage("Deutsch");
  EXPECT_EQ(LiveValues(), (std::vector<std::string>{"Schlie\xC3\x9F"
                                                    "en",
                                                    "Schlie\xC3\x9F"
                                                    "t das Fenster",
                                                    "Serif", "erste", "zwei", "8", "2.5", "65.4321",
                                                    "45001.5", "True", "(Null)", "Sprachauswahl",
                                                    "Guten Morgen", "Auf Wiedersehen"}));
  fDravik->SetLanguage("Francais");
  EXPECT_EQ(LiveValues(),
            (std::vector<std::string>{"Fermer", "Ferme la fen\xC3\xAAtre", "Mono", "premier",
                                      "deux", "-9", "0.5", "3", "45002.25", "False",
                                      "(Null)",  // the empty slot
                                      "Choix de la langue", "Bonjour", "Au revoir"}));
  fDravik->SetLanguage("English");
  EXPECT_EQ(LiveValues(), english);
  EXPECT_TRUE(Shown.empty()) << Shown.front();
}

TEST_F(FreePascalDravik, ItReadsItsFormBackAfterWeStoredIt) {
  ReadPeerForm();
  // Free Pascal 3.2.2 cannot read currency and date properties stored with their own markers, as
  // we store them: they are made zero, which is not stored.
  fControl->Currency = TCurrency{};
  fControl->Date = TDateTime{};
  // Stored values that were not changed go back as they were read, tags and 8-bit text included.
  const std::vector<std::pair<std::string, std::string>> changed = {
      {"FCurrencyP\t3\t12.3456", "FCurrencyP\t3\t0"}, {"FDateP\t3\t45000.75", "FDateP\t3\t0"}};
  std::vector<std::string> expected = PeerReads(ReadFileBytes(kPeerForm));
  ASSERT_FALSE(expected.empty());
  for (std::string& line : expected)
    for (const auto& [from, to] : changed)
      if (std::size_t at = line.find(from); at != std::string::npos)
        line.replace(at, from.size(), to);
  EXPECT_EQ(PeerReads(WriteForm(fForm.get())), expected);
}

TEST_F(FreePascalDravik, OurStoredDravikReadsInFreePascal) {
  auto form = MakeComponent<TPeerRoot>(nullptr);
  form->SetName("OurForm");
  form->Caption = "Settings";
  auto* button = Create<TPeerButton>(form.get());
  button->SetName("Button1");
  button->Caption = "OK";
  button->GetFont()->Name = "Sans";
  auto* control = Create<TPeerControl>(form.get());
  control->SetName("Control1");
  control->I32 = 1;
  control->Double = 0.25;
  auto* dravik = Create<TDravik>(form.get());
  dravik->SetName("Dravik");
  SetLanguages(dravik, {{"English", 0}, {"Deutsch", 1}, {"Francais", 2}});
  Translate(dravik, button, "Caption",
            {Variant("OK"),
             Variant("\xC3\x9C"
                     "bernehmen"),
             Variant("Accepter")});
  auto* font = TMainEntry::CreateEx(dravik->LanguageManager()->Comps()->Items(0)->Items(),
                                    button->GetFont(), "Font", "TPeerFont", {stPubPropObject});
  auto* fontName = static_cast<TConsistentLangPropertyEntry*>(
      TPropertyEntry::CreateByRef(font, TPeerFont::StaticClass().FindProp("Name")));
  fontName->SetCount(2);
  fontName->SetLangValue(1, Variant("Serif"));
  fontName->SetCount(3);  // French has no value
  Translate(dravik, control, "I32",
            {Variant(int32_t(1)), Variant(int32_t(2)), Variant(int32_t(3))});
  Translate(dravik, control, "FDoubleP", {Variant(0.25), Variant(0.75), Variant(1.5)});
  Translate(dravik, control, "Flag", {Variant("False"), Variant("True"), Variant(true)});
  Translate(dravik, form.get(), "Caption",
            {Variant("Settings"), Variant("Einstellungen"), Variant("Param\xC3\xA8tres")});
  TConsistentLangPropertyEntry* greeting = dravik->LanguageManager()->AddString("Greeting");
  greeting->SetLangValue(0, Variant("Good day"));
  greeting->SetLangValue(1, Variant("Guten Tag"));
  greeting->SetLangValue(2, Variant("Bonjour"));
  dravik->SetLanguage("Deutsch");  // stored with German live and English in its slot

  EXPECT_EQ(PeerReads(WriteForm(form.get())),
            (std::vector<std::string>{
                "dravik\tDravik\tDeutsch",
                "language\tEnglish\t1",
                "language\tDeutsch\t0",
                "language\tFrancais\t2",
                "property\tButton1\tCaption\t3\t\xC3\x9C"
                "bernehmen\t256:OK\t256:Accepter",
                "property\tButton1\tFont.Name\t3\tSerif\t256:Sans\t-",
                "property\tControl1\tI32\t3\t2\t3:1\t3:3",
                "property\tControl1\tFDoubleP\t3\t0.75\t5:0.25\t5:1.5",
                "property\tControl1\tFlag\t3\tTrue\t256:False\t11:True",
                "property\tOurForm\tCaption\t3\tEinstellungen\t256:Settings\t256:Param\xC3\xA8tres",
                "string\tGreeting\tGreeting\t3\tGuten Tag\t256:Good day\t256:Bonjour",
            }));
}

TEST_F(FreePascalDravik, ItsLanguageFileGivesTheNamedStrings) {
  auto owner = MakeComponent<TComponent>(nullptr);
  auto* dravik = Create<TDravik>(owner.get());
  ReadComponentResFile(kPeerStrings, dravik);
  EXPECT_EQ(dravik->Name(), "UnitTexts");
  EXPECT_EQ(dravik->GetString("Bye"), "Goodbye");
  dravik->SetLanguage("Deutsch");
  EXPECT_EQ(dravik->GetString("Hello"), "Hallo");
  EXPECT_EQ(dravik->GetString("bye"), "Tsch\xC3\xBCss");
}
