// dravik export, sections, import and status as a translator's build uses them, with the
// gettext and XLIFF files going through those formats' own tools.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/support/TestFiles.h"

using namespace dravik;

namespace {

const std::string kData = DRAVIK_TEST_DATA;
const std::string kMainForm = kData + "/../../apps/demo/forms/TMainForm.txt";

void Write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> SortedLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  return lines;
}

std::string Exported(const std::string& form, const std::vector<std::string>& options = {}) {
  std::vector<std::string> args{"export"};
  args.insert(args.end(), options.begin(), options.end());
  args.insert(args.end(), {form, "-"});
  const TRunResult run = RunDravik(args);
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  return run.Out;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

}  // namespace

TEST(TranslationCommands, ExportSectionsAndImportOfAllSectionsKeepEveryValue) {
  TTempDir dir;
  const std::string text = Exported(kMainForm);
  Write(dir.File("main.lng"), text);
  TRunResult run = RunDravik({"sections", dir.File("main.lng")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "TMainForm=English\nTMainForm=Deutsch\nTMainForm=Fran\xC3\xA7"
            "ais\n");
  for (const char* mode : {"clear", "add-all", "add-new"}) {
    run = RunDravik({"import", "--mode", mode, kMainForm, dir.File("main.lng"), dir.File("o.txt")});
    ASSERT_EQ(run.ExitCode, 0) << mode << run.Out << run.Err;
    EXPECT_EQ(run.Out, "imported 0, unchanged 57, skipped 0, rejected 0\n") << mode;
    EXPECT_EQ(SortedLines(Exported(dir.File("o.txt"))), SortedLines(text)) << mode;
  }
}

TEST(TranslationCommands, ImportReportsWhatItAdjustsAndRejectsAndTheFileWins) {
  TTempDir dir;
  Write(dir.File("de.lng"),
        "[TMainForm.Deutsch]\r\nCloseButton.Caption='Zumachen'\r\nGhost.Caption='x'\r\n"
        "Fruits.Items%0='Apfel (rot)'\r\n");
  TRunResult run = RunDravik({"import", "--section", "TMainForm=Deutsch", kMainForm,
                              dir.File("de.lng"), dir.File("out.txt")});
  EXPECT_EQ(run.ExitCode, 1) << run.Err;
  EXPECT_EQ(run.Out,
            "rejected\tTMainForm.Deutsch\tGhost.Caption=x\n"
            "imported 2, unchanged 0, skipped 0, rejected 1\n");
  const std::string after = Exported(dir.File("out.txt"));
  EXPECT_NE(after.find("CloseButton.Caption='Zumachen'"), std::string::npos);
  EXPECT_NE(after.find("Fruits.Items%0='Apfel (rot)'"), std::string::npos);
  run =
      RunDravik({"import", "--mode", "add-new", kMainForm, dir.File("de.lng"), dir.File("k.txt")});
  EXPECT_NE(Exported(dir.File("k.txt"))
                .find("CloseButton.Caption='Schlie\xC3\x9F"
                      "en'"),
            std::string::npos)
      << "the form's value stays";
  run = RunDravik({"import", "--mode", "sometimes", kMainForm, dir.File("de.lng"), "-"});
  EXPECT_EQ(run.ExitCode, 2);
  run = RunDravik({"import", kMainForm, dir.File("missing.lng"), dir.File("x.txt")});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Err, "dravik import: Cannot open file " + dir.File("missing.lng") +
                         ": No such file or directory\n");
}

TEST(TranslationCommands, StatusCountsWhatIsLeftAndHoldsABuildToALevel) {
  TTempDir dir;
  TRunResult run = RunDravik({"status", kMainForm});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  // Two German entries equal the English ones ("&Details...", "Details...").
  const std::string expected = kMainForm + "\tDeutsch\t17\t0\t2\t89.5%\n" + kMainForm +
                               "\tFran\xC3\xA7"
                               "ais\t19\t0\t0\t100.0%\n";
  EXPECT_EQ(run.Out, expected);
  EXPECT_EQ(RunDravik({"status", "--min", "90", kMainForm}).ExitCode, 1);
  EXPECT_EQ(RunDravik({"status", "--min", "85", kMainForm}).ExitCode, 0);
  for (const char* bad : {"much", "nan", "NaN", "-nan", "inf", "101", "-1", ""})
    EXPECT_EQ(RunDravik({"status", "--min", bad, kMainForm}).ExitCode, 2) << bad;

  // A form that cannot be read is one line; the readable ones are still reported.
  run = RunDravik({"status", dir.File("missing.txt"), kMainForm});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Out, expected);
  EXPECT_EQ(run.Err.rfind("dravik status: " + dir.File("missing.txt") + ": ", 0), 0u) << run.Err;
  EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
}

TEST(TranslationCommands, APoFileGoesThroughGettextsToolsAndBackUnchanged) {
  TTempDir dir;
  const std::string po = Exported(kMainForm, {"--po", "Deutsch"});
  Write(dir.File("de.po"), po);
  ASSERT_EQ(RunProgram({"/usr/bin/msgfmt", "--check", "-o", dir.File("de.mo"), dir.File("de.po")})
                .ExitCode,
            0);
  ASSERT_EQ(RunProgram({"/usr/bin/msgcat", "-o", dir.File("cat.po"), dir.File("de.po")}).ExitCode,
            0);
  TRunResult run =
      RunDravik({"import", "--po", "Deutsch", kMainForm, dir.File("cat.po"), dir.File("out.txt")});
  ASSERT_EQ(run.ExitCode, 0) << run.Out << run.Err;
  EXPECT_EQ(SortedLines(Exported(dir.File("out.txt"))), SortedLines(Exported(kMainForm)));

  // A translator's change comes in; a fuzzy entry and an untranslated one do not.
  std::string edited = Replace(po,
                               "msgstr \"Schlie\xC3\x9F"
                               "en\"",
                               "msgstr \"Zumachen\"");
  edited = Replace(edited, "msgctxt \"Greet.Caption\"", "#, fuzzy\nmsgctxt \"Greet.Caption\"");
  edited = Replace(edited,
                   "msgstr \"Begr\xC3\xBC\xC3\x9F"
                   "en\"",
                   "msgstr \"Gr\xC3\xBC\xC3\x9F"
                   "en\"");
  edited = Replace(edited, "msgstr \"Obst:\"", "msgstr \"\"");
  Write(dir.File("edited.po"), edited);
  run = RunDravik(
      {"import", "--po", "Deutsch", kMainForm, dir.File("edited.po"), dir.File("out.txt")});
  ASSERT_EQ(run.ExitCode, 0) << run.Out << run.Err;
  EXPECT_EQ(run.Out,
            "imported 1, unchanged 16, skipped 2 (needs review 1, untranslated 1), rejected 0\n");
  run = RunDravik({"import", "--po", "Deutsch", kMainForm, dir.File("edited.po"), "-"});
  EXPECT_EQ(run.Err,
            "imported 1, unchanged 16, skipped 2 (needs review 1, untranslated 1), rejected 0\n");
  const std::string after = Exported(dir.File("out.txt"));
  EXPECT_NE(after.find("CloseButton.Caption='Zumachen'"), std::string::npos);
  EXPECT_NE(after.find("Greet.Caption='Begr\xC3\xBC\xC3\x9F"
                       "en'"),
            std::string::npos);
  EXPECT_NE(after.find("FruitLabel.Caption='Obst:'"), std::string::npos);

  Write(dir.File("broken.po"), "msgctxt \"x\"\nmsgid \"unterminated\n");
  run = RunDravik({"import", "--po", "Deutsch", kMainForm, dir.File("broken.po"), "-"});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Err.find("broken.po:3:"), std::string::npos) << run.Err;
}

TEST(TranslationCommands, AnXliffFileIsValidAndImportsBack) {
  TTempDir dir;
  const std::string xliff = Exported(kMainForm, {"--xliff",
                                                 "Fran\xC3\xA7"
                                                 "ais"});
  Write(dir.File("fr.xlf"), xliff);
  const TRunResult valid = RunProgram({"/usr/bin/xmllint", "--noout", "--schema",
                                       kData + "/apps/xliff-1.2-core.xsd", dir.File("fr.xlf")});
  EXPECT_EQ(valid.ExitCode, 0) << valid.Err;
  Write(dir.File("edited.xlf"),
        Replace(xliff, "<target state=\"translated\">Fermer</target>",
                "<target state=\"translated\">Fermer &amp; partir</target>"));
  const TRunResult run = RunDravik({"import", "--xliff",
                                    "Fran\xC3\xA7"
                                    "ais",
                                    kMainForm, dir.File("edited.xlf"), dir.File("out.txt")});
  ASSERT_EQ(run.ExitCode, 0) << run.Out << run.Err;
  EXPECT_NE(Exported(dir.File("out.txt")).find("CloseButton.Caption='Fermer & partir'"),
            std::string::npos);
}

// Files name languages by code; commands take a language by code or name, and a file of another
// language than the one chosen is refused before anything is written.
TEST(TranslationCommands, LanguagesGoByCodeOrName) {
  TTempDir dir;
  const std::string po = Exported(kMainForm, {"--po", "de"});
  EXPECT_NE(po.find("\"Language: de\\n\""), std::string::npos) << po;
  EXPECT_EQ(po, Exported(kMainForm, {"--po", "German"}));
  const std::string xliff = Exported(kMainForm, {"--xliff", "fr-FR"});
  EXPECT_NE(xliff.find("source-language=\"en\" target-language=\"fr\""), std::string::npos);
  Write(dir.File("de.po"), Replace(po, "msgstr \"Obst:\"",
                                   "msgstr \"Fr\xC3\xBC"
                                   "chte:\""));
  Write(dir.File("fr.xlf"), xliff);
  for (const char* language : {"de", "Deutsch", "GERMAN", "de_DE"}) {
    const TRunResult run =
        RunDravik({"import", "--po", language, kMainForm, dir.File("de.po"), dir.File("o.txt")});
    ASSERT_EQ(run.ExitCode, 0) << language << run.Out << run.Err;
    EXPECT_NE(Exported(dir.File("o.txt")).find("TMainForm.Deutsch]"), std::string::npos);
    EXPECT_NE(Exported(dir.File("o.txt"), {"--po", "de"})
                  .find("Fr\xC3\xBC"
                        "chte:"),
              std::string::npos)
        << language;
    std::remove(dir.File("o.txt").c_str());
  }
  const struct {
    const char* Option;
    const char* Language;
    std::string File;
  } wrong[] = {{"--po", "fr", dir.File("de.po")},
               {"--xliff", "Deutsch", dir.File("fr.xlf")},
               {"--po", "Klingon", dir.File("de.po")}};
  for (const auto& w : wrong) {
    const TRunResult run =
        RunDravik({"import", w.Option, w.Language, kMainForm, w.File, dir.File("no.txt")});
    EXPECT_EQ(run.ExitCode, 1) << w.Language;
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    EXPECT_NE(run.Err.find(std::string("not '") + w.Language + "'"), std::string::npos) << run.Err;
    EXPECT_FALSE(std::ifstream(dir.File("no.txt")).good()) << w.Language;
  }

  // A section chosen by code; a switch to a language by its code.
  Write(dir.File("de.lng"), "[TMainForm.Deutsch]\r\nCloseButton.Caption='Zu'\r\n");
  TRunResult run = RunDravik(
      {"import", "--section", "TMainForm=de", kMainForm, dir.File("de.lng"), dir.File("s.txt")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(Exported(dir.File("s.txt")).find("CloseButton.Caption='Zu'"), std::string::npos);
  run = RunDravik({"rewrite", "--language", "fr", kMainForm, "-"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find("Fermer"), std::string::npos);
}

// Our files through the translators' own tools and back: a translator's change made in the file
// the tools produced comes into the form, and nothing else changes. "@" stands for the file a
// step reads, "#" for the one it writes.
TEST(TranslationCommands, TranslatorsToolsTakeOurFilesAndGiveThemBack) {
  const std::string lconvert = "/usr/lib/qt6/bin/lconvert";
  const struct {
    const char* Export;
    std::vector<std::vector<std::string>> Before;  // steps before the translator's change
    std::vector<std::vector<std::string>> After;   // steps after it
    const char* Import;
  } chains[] = {
      {"--po",
       {{"/usr/bin/msgcat", "-o", "#", "@"},
        {"/usr/bin/msgattrib", "--no-obsolete", "-o", "#", "@"},
        {"/usr/bin/msgmerge", "--quiet", "-o", "#", "@", "@"}},
       {{"/usr/bin/msgfmt", "--check", "-o", "/dev/null", "@"}},
       "--po"},
      {"--po",
       {{lconvert, "-i", "@", "-o", "#.ts"}},
       {{lconvert, "-i", "@", "-o", "#.po"}},
       "--po"},
      {"--po", {{lconvert, "-i", "@", "-o", "#.xlf"}}, {}, "--xliff"},
      {"--xliff",
       {{lconvert, "-i", "@", "-o", "#.ts"}},
       {{lconvert, "-i", "@", "-o", "#.xlf"}},
       "--xliff"},
      {"--po", {{lconvert, "-i", "@", "-o", "#.ts"}}, {}, "--ts"},
      {"--xliff", {{lconvert, "-i", "@", "-o", "#.ts"}}, {}, "--ts"},
      {"--ts", {}, {{"/usr/lib/qt6/bin/lrelease", "@", "-qm", "/dev/null"}}, "--ts"},
      {"--ts", {{lconvert, "-i", "@", "-o", "#.po"}}, {}, "--po"},
  };
  const std::string before = Exported(kMainForm);
  const std::string expected = Replace(before,
                                       "CloseButton.Caption='Schlie\xC3\x9F"
                                       "en'",
                                       "CloseButton.Caption='Zumachen'");
  int chain = 0;
  for (const auto& c : chains) {
    TTempDir dir;
    const std::string format = c.Export + 2;
    std::string file = dir.File("0." + (format == "xliff" ? std::string("xlf") : format));
    Write(file, Exported(kMainForm, {c.Export, "de"}));
    int step = 0;
    auto run = [&](const std::vector<std::string>& command) {
      std::vector<std::string> args;
      const std::string next = dir.File(std::to_string(++step));
      std::string written;
      for (const std::string& arg : command) {
        if (arg == "@") {
          args.push_back(file);
        } else if (arg[0] == '#') {
          written = next + arg.substr(1);
          args.push_back(written);
        } else {
          args.push_back(arg);
        }
      }
      const TRunResult result = RunProgram(args);
      EXPECT_EQ(result.ExitCode, 0) << chain << " " << args[0] << result.Err;
      EXPECT_EQ(result.Err, "") << chain << " " << args[0];
      if (!written.empty()) file = written;
    };
    for (const auto& command : c.Before) run(command);
    std::ifstream in(file, std::ios::binary);
    const std::string converted{std::istreambuf_iterator<char>(in), {}};
    Write(file, Replace(converted,
                        "Schlie\xC3\x9F"
                        "en",
                        "Zumachen"));
    for (const auto& command : c.After) run(command);
    const TRunResult imported =
        RunDravik({"import", c.Import, "de", kMainForm, file, dir.File("form.txt")});
    ASSERT_EQ(imported.ExitCode, 0) << chain << imported.Out << imported.Err;
    EXPECT_EQ(imported.Out, "imported 1, unchanged 18, skipped 0, rejected 0\n") << chain;
    EXPECT_EQ(SortedLines(Exported(dir.File("form.txt"))), SortedLines(expected)) << chain;
    ++chain;
  }
}

// The pseudo-language is the form's like any other, but status and the language file leave it
// out unless asked.
TEST(TranslationCommands, APseudoLanguageShowsInTheFormButNotToTranslators) {
  TTempDir dir;
  TRunResult run = RunDravik({"pseudo", "--expand", "100", kMainForm, dir.File("p.txt")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  run = RunDravik({"rewrite", "--language", "qps-ploc", dir.File("p.txt"), "-"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_NE(run.Out.find("Caption = '[\xC3\x87\xC4\xBA\xC3\xB6\xC5\xA1\xC3\xA9~~~]'"),
            std::string::npos)
      << run.Out;
  const std::string status = RunDravik({"status", dir.File("p.txt")}).Out;
  EXPECT_EQ(std::count(status.begin(), status.end(), '\n'), 2) << status;
  EXPECT_EQ(status.find("Pseudo"), std::string::npos) << status;
  EXPECT_NE(RunDravik({"status", "--pseudo", dir.File("p.txt")}).Out.find("\tPseudo\t19\t0\t0\t"),
            std::string::npos);
  EXPECT_EQ(SortedLines(Exported(dir.File("p.txt"))), SortedLines(Exported(kMainForm)));
  EXPECT_NE(Exported(dir.File("p.txt"), {"--pseudo"}).find("[TMainForm.Pseudo]"),
            std::string::npos);
  for (const char* bad : {"-1", "x", "", "1001"})
    EXPECT_EQ(RunDravik({"pseudo", "--expand", bad, kMainForm, "-"}).ExitCode, 2) << bad;

  // Texts three times as long show where the layout gives no room.
  ASSERT_EQ(RunDravik({"pseudo", "--expand", "200", kMainForm, dir.File("long.txt")}).ExitCode, 0);
  run = RunDravik({"fit", dir.File("long.txt")});
  EXPECT_NE(run.Out.find("\tCloseButton\tCaption\tPseudo\t"), std::string::npos) << run.Out;
}

// A file that declares entities is refused in one line before anything is expanded or written;
// a unit for a property that holds no text (an event, an object) is rejected by its name.
TEST(TranslationCommands, HostileXliffIsRefusedAndNonTextUnitsRejectedByName) {
  TTempDir dir;
  const std::string units =
      "<xliff version='1.2' xmlns='urn:oasis:names:tc:xliff:document:1.2'><file "
      "source-language='en' target-language='de'><body>"
      "<trans-unit id='CloseButton.OnClick'><source>x</source><target>GreetClick</target>"
      "</trans-unit><trans-unit id='CloseButton.Font'><source>x</source><target>y</target>"
      "</trans-unit><trans-unit id='CloseButton.Caption'><source>x</source><target>&e;</target>"
      "</trans-unit></body></file></xliff>";
  Write(dir.File("passwd"), "secret");
  for (const std::string& declaration :
       {std::string("<!DOCTYPE xliff [<!ENTITY e 'boom'>]>"),
        "<!DOCTYPE xliff [<!ENTITY e SYSTEM '" + dir.File("passwd") + "'>]>"}) {
    Write(dir.File("e.xlf"), declaration + "\n" + units);
    const TRunResult run =
        RunDravik({"import", "--xliff", "de", kMainForm, dir.File("e.xlf"), dir.File("o.txt")});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err, "dravik import: " + dir.File("e.xlf") +
                           ":1: a document type with declarations, which is not read\n");
    EXPECT_FALSE(std::ifstream(dir.File("o.txt")).good());
  }
  Write(dir.File("u.xlf"), Replace(units, "&e;", "Zu"));
  const TRunResult run =
      RunDravik({"import", "--xliff", "de", kMainForm, dir.File("u.xlf"), dir.File("o.txt")});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Out,
            "rejected\tTMainForm.Deutsch\tCloseButton.OnClick=GreetClick\n"
            "rejected\tTMainForm.Deutsch\tCloseButton.Font=y\n"
            "imported 1, unchanged 0, skipped 0, rejected 2\n");
}

// The translator's notes and the translations still under review come back in the next export
// of the imported form, in any format; a finished translation ends the review.
TEST(TranslationCommands, NotesAndReviewMarksComeBackInTheNextExport) {
  TTempDir dir;
  std::string po = Exported(kMainForm, {"--po", "de"});
  po = Replace(po, "msgctxt \"CloseButton.Caption\"",
               "# ask the team\n# twice\nmsgctxt \"CloseButton.Caption\"");
  po = Replace(po, "msgctxt \"Greet.Caption\"", "#, fuzzy\nmsgctxt \"Greet.Caption\"");
  po = Replace(po,
               "msgstr \"Begr\xC3\xBC\xC3\x9F"
               "en\"",
               "msgstr \"Hallo sagen\"");
  Write(dir.File("de.po"), po);
  TRunResult run =
      RunDravik({"import", "--po", "de", kMainForm, dir.File("de.po"), dir.File("form.txt")});
  ASSERT_EQ(run.ExitCode, 0) << run.Out << run.Err;
  const std::string again = Exported(dir.File("form.txt"), {"--po", "Deutsch"});
  EXPECT_NE(again.find("# ask the team\n# twice\nmsgctxt \"CloseButton.Caption\""),
            std::string::npos)
      << again;
  EXPECT_NE(again.find("#, fuzzy\nmsgctxt \"Greet.Caption\"\nmsgid \"Greet\"\nmsgstr \"Hallo "
                       "sagen\""),
            std::string::npos)
      << again;
  const std::string xliff = Exported(dir.File("form.txt"), {"--xliff", "de"});
  EXPECT_NE(xliff.find("<note>ask the team</note>"), std::string::npos);
  EXPECT_NE(xliff.find("<trans-unit id=\"Greet.Caption\" resname=\"Greet.Caption\" "
                       "xml:space=\"preserve\" approved=\"no\">"),
            std::string::npos);
  EXPECT_EQ(Exported(dir.File("form.txt"), {"--po", "fr"}).find("ask the team"), std::string::npos);

  // The review finished: the translation comes in and the mark goes.
  Write(dir.File("done.po"),
        Replace(again, "#, fuzzy\nmsgctxt \"Greet.Caption\"", "msgctxt \"Greet.Caption\""));
  run = RunDravik(
      {"import", "--po", "de", dir.File("form.txt"), dir.File("done.po"), dir.File("form.txt")});
  ASSERT_EQ(run.ExitCode, 0) << run.Out << run.Err;
  EXPECT_NE(Exported(dir.File("form.txt")).find("Greet.Caption='Hallo sagen'"), std::string::npos);
  EXPECT_EQ(Exported(dir.File("form.txt"), {"--po", "de"}).find("fuzzy"), std::string::npos);

  // A form written without notes takes its old notes away; a file of another kind stays.
  Write(dir.File("all.lng"), Exported(kMainForm));
  Write(dir.File("plain.txt.notes"), "the user's own file\n");
  for (const char* out : {"form.txt", "plain.txt"})
    ASSERT_EQ(RunDravik({"import", kMainForm, dir.File("all.lng"), dir.File(out)}).ExitCode, 0);
  EXPECT_FALSE(std::ifstream(dir.File("form.txt.notes")).good());
  EXPECT_TRUE(std::ifstream(dir.File("plain.txt.notes")).good());
}
