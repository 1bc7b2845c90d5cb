// dravik convert: a form stream between its binary and its text form.

#include <iostream>

#include "apps/dravik/Command.h"
#include "apps/dravik/FormFile.h"
#include "platform/core/filer/BinaryObjectReader.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/resources/ResourceFile.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/MemoryStream.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

// Checks that bytes are exactly one well-formed component stream.
void CheckBinary(const std::string& bytes) {
  TStringStream input(bytes);
  TBinaryObjectReader reader(input);
  reader.ReadSignature();
  reader.SkipComponent(true);
  if (reader.Offset() != static_cast<int64_t>(bytes.size()))
    reader.Error("Data after the end of the root component", reader.Offset());
}

// Written beside the target and renamed over it, so that a failure leaves the old file intact.
void WriteOutput(const std::string& path, const std::string& bytes) {
  if (path == "-") {
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::cout.flush();
    if (!std::cout) throw EWriteError("Stream write error: standard output");
    return;
  }
  SaveFileAtomically(path, bytes);
}

int Run(const std::vector<std::string>& args) {
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

  std::string input = ReadInput(inPath);
  std::string output;
  try {
    std::string binary = ComponentStreamOf(std::move(input), line.Value("resource"));
    if (*to == "text") {
      TStringStream in(binary), text;
      ObjectBinaryToText(in, text);
      output = text.DataString();
    } else {
      CheckBinary(binary);
      output = std::move(binary);
      if (resName) {
        TResourceFile file;
        file.Layout = line.Has("res32") ? TResourceLayout::Res32 : TResourceLayout::Res16;
        TResourceEntry entry;
        entry.Name = TResourceId(*resName);
        entry.Data = std::move(output);
        file.Entries.push_back(std::move(entry));
        TStringStream res;
        file.SaveToStream(res);
        output = res.DataString();
      }
    }
  } catch (Exception& e) {
    e.SetMessage((inPath == "-" ? std::string("standard input") : inPath) + ": " + e.Message());
    throw;
  }
  WriteOutput(outPath, output);
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
    "  IN               the form stream; \"-\" reads standard input\n"
    "  OUT              the result; \"-\" writes standard output. A file is written beside OUT\n"
    "                   and renamed into place, so a failed conversion leaves OUT untouched\n"
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
    "Exit codes: 0 success; 1 bad input, reported in one line with its byte offset or line;\n"
    "2 bad usage.\n",
    Run};

}  // namespace dravik
