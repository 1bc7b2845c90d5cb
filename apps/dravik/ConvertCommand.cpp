// dravik convert: a form stream between its binary and its text form.

#include <algorithm>
#include <optional>
#include <string_view>

#include "apps/dravik/Command.h"
#include "apps/dravik/FormFile.h"
#include "apps/dravik/InputFile.h"
#include "apps/dravik/StandardOutput.h"
#include "platform/core/filer/BinaryObjectReader.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/resources/ResourceFile.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

// Checks that bytes hold one well-formed component stream, and with whole nothing after it;
// so a malformed stream is refused before anything is written where nothing can be taken back.
void CheckBinary(std::string_view bytes, bool whole) {
  TBinaryObjectReader reader(bytes);
  reader.ReadSignature();
  reader.SkipComponent(true);
  if (whole && reader.Offset() != static_cast<int64_t>(bytes.size()))
    reader.Error("Data after the end of the root component", reader.Offset());
}

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {"to", "resource", "res"}, {"res32"});
  line.ExpectPositionals(2, 2);
  std::optional<std::string> to = line.Value("to");
  if (!to) throw EUsage{"missing --to text|binary"};
  if (*to != "text" && *to != "binary")
    throw EUsage{"--to must be text or binary, not '" + *to + "'"};
  std::optional<std::string> resName = line.Value("res");
  if (resName && *to != "binary") throw EUsage{"--res needs --to binary"};
  if (resName && resName->empty()) throw EUsage{"--res needs a resource name"};
  if (line.Has("res32") && !resName) throw EUsage{"--res32 needs --res NAME"};
  const std::string& inPath = line.Positionals()[0];
  const std::string& outPath = line.Positionals()[1];

  // The output first: one that cannot be written fails before a long input is read. A file is
  // written beside its target and renamed into place by Commit, so a failure leaves it as it was.
  std::optional<TAtomicFileStream> file;
  if (outPath != "-") file.emplace(outPath);
  TStream& output = file ? static_cast<TStream&>(*file) : out;
  TInputFile in(inPath);
  // A file in the binary form is printed from the block it was read into.
  std::optional<TInputBlock> block;
  if (*to == "text") block = in.ReadAllStartingWith(std::string_view(FilerSignature, 4));
  std::string input = block ? std::string() : in.ReadAll();
  try {
    std::string binary;
    switch (block ? TFormFileKind::Binary : DetectFormFileKind(input)) {
      case TFormFileKind::Binary:
        binary = std::move(input);
        break;
      case TFormFileKind::Resource:
        binary = SelectResource(std::move(input), line.Value("resource"));
        break;
      case TFormFileKind::Text:
        binary = TextToBinary(std::move(input));
        break;
    }
    const std::string_view bytes = block ? block->View() : std::string_view(binary);
    // Printed into a file, the text is checked as it is printed: a malformed stream leaves the
    // file as it was all the same. What goes to the standard output is checked first.
    if (*to == "binary" || !file) CheckBinary(bytes, *to == "binary");
    if (*to == "text") {
      ObjectBinaryToText(bytes, output);
    } else if (resName) {
      TResourceFile res;
      res.Layout = line.Has("res32") ? TResourceLayout::Res32 : TResourceLayout::Res16;
      TResourceEntry entry;
      entry.Name = TResourceId(*resName);
      entry.Data = std::move(binary);
      res.Entries.push_back(std::move(entry));
      res.SaveToStream(output);
    } else {
      output.WriteBuffer(binary.data(), static_cast<int64_t>(binary.size()));
    }
  } catch (const EWriteError&) {
    throw;  // names the output, or the resource name that cannot be stored
  } catch (Exception& e) {
    e.SetMessage(in.Name() + ": " + e.Message());
    throw;
  }
  if (file) file->Commit();
  return 0;
}

}  // namespace

const TCommand ConvertCommand{
    "convert", "convert a form stream between binary and text form",
    "Usage: dravik convert --to text|binary [--resource NAME] [--res NAME [--res32]] IN OUT\n"
    "\n"
    "Converts a form stream between its binary and its text form. IN is a binary component\n"
    "stream (it begins with \"TPF0\"), a resource file (.res, .lng) holding one, or the text\n"
    "form (\"object Name: TClass ... end\"); the kind is found from its bytes. The conversion\n"
    "needs no classes and keeps every value as it is stored, except where the text form cannot\n"
    "tell two binary forms apart (integer widths, short and long strings, ...). A text input\n"
    "converted to text comes out in the canonical layout; a binary one converted to binary is\n"
    "checked and copied.\n"
    "\n"
    "Arguments:\n"
    "  IN               the form stream; \"-\" reads standard input. Any file that reads as a\n"
    "                   stream works (a pipe, /dev/stdin), up to 256 MiB\n"
    "  OUT              the result; \"-\" writes standard output. A file is written beside OUT\n"
    "                   and renamed into place, so a failed or interrupted conversion leaves\n"
    "                   OUT untouched; a symbolic link keeps pointing where it did and its\n"
    "                   target gets the result. A device or a FIFO is written in place. An\n"
    "                   existing OUT must be writable; in a folder that takes no new file it\n"
    "                   is rewritten in place\n"
    "\n"
    "Options:\n"
    "  --to text        write the text form\n"
    "  --to binary      write the binary form: a plain component stream, unless --res is given\n"
    "                   (a resource file IN gives the plain stream of its resource)\n"
    "  --resource NAME  when IN is a resource file holding several component streams: the one\n"
    "                   to convert, by its resource name (case does not matter)\n"
    "  --res NAME       with --to binary: write a resource file holding the stream as RCDATA\n"
    "                   resource NAME, in the 16-bit layout that WriteComponentRes writes; so\n"
    "                   the text of a language file (.lng) becomes a language file again\n"
    "  --res32          with --res: the 32-bit layout that resource compilers (windres) read\n"
    "\n"
    "Exit codes: 0 success; 1 bad input, reported in one line with its byte offset or line,\n"
    "or an output that cannot be written; 2 bad usage.\n",
    Run};

}  // namespace dravik
