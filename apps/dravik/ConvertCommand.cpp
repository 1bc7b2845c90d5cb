// dravik convert: a form stream between its binary and its text form.

#include <algorithm>
#include <iostream>
#include <iterator>

#include "apps/dravik/Command.h"
#include "platform/core/filer/BinaryObjectReader.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/resources/ResourceFile.h"
#include "platform/core/streams/AtomicFile.h"
#include "platform/core/streams/MemoryStream.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

namespace {

enum class TInputKind { Binary, Resource, Text };

TInputKind DetectKind(std::string_view bytes) {
  if (bytes.substr(0, 4) == std::string_view(FilerSignature, 4)) return TInputKind::Binary;
  if (DetectResourceLayout(bytes.substr(0, 16))) return TInputKind::Resource;
  return TInputKind::Text;
}

bool HoldsComponentStream(const TResourceEntry& entry) {
  return entry.Type == TResourceId(RT_RCDATA) &&
         std::string_view(entry.Data).substr(0, 4) == std::string_view(FilerSignature, 4);
}

std::string NameList(const std::vector<const TResourceEntry*>& entries) {
  std::string names;
  for (const TResourceEntry* entry : entries)
    names += (names.empty() ? "" : ", ") + entry->Name.ToString();
  return names;
}

// The component stream of a resource file: the one named, or the only one it holds.
std::string SelectResource(const std::string& bytes, const std::optional<std::string>& name) {
  TStringStream input(bytes);
  TResourceFile file;
  file.LoadFromStream(input);
  std::vector<const TResourceEntry*> forms;
  for (const TResourceEntry& entry : file.Entries)
    if (HoldsComponentStream(entry)) forms.push_back(&entry);
  if (name) {
    const TResourceEntry* entry = file.Find(*name);
    if (!entry)
      throw EResNotFound("Resource " + *name + " not found (the file holds: " + NameList(forms) +
                         ")");
    if (!HoldsComponentStream(*entry))
      throw EReadError("Resource " + *name + " holds no component stream");
    return entry->Data;
  }
  if (forms.empty()) throw EReadError("The resource file holds no component stream");
  if (forms.size() > 1)
    throw EUsage{"the resource file holds " + std::to_string(forms.size()) +
                 " component streams (" + NameList(forms) + "); choose one with --resource NAME"};
  return forms.front()->Data;
}

int LineOf(std::string_view text, std::size_t offset) {
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

std::string TextToBinary(const std::string& text) {
  TStringStream input(text), binary;
  ObjectTextToBinary(input, binary);
  // The parser leaves the input at the first token after the root's "end".
  auto rest = static_cast<std::size_t>(input.Position());
  std::size_t extra = text.find_first_not_of(" \t\r\n", rest);
  if (extra != std::string::npos)
    throw EParserError("Text after the end of the root object on line " +
                       std::to_string(LineOf(text, extra)));
  return binary.DataString();
}

// Checks that bytes are exactly one well-formed component stream.
void CheckBinary(const std::string& bytes) {
  TStringStream input(bytes);
  TBinaryObjectReader reader(input);
  reader.ReadSignature();
  reader.SkipComponent(true);
  if (reader.Offset() != static_cast<int64_t>(bytes.size()))
    reader.Error("Data after the end of the root component", reader.Offset());
}

std::string ReadInput(const std::string& path) {
  if (path == "-") {
    std::string bytes{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    if (std::cin.bad()) throw EReadError("Stream read error: standard input");
    return bytes;
  }
  TMemoryStream file;
  file.LoadFromFile(path);
  return std::string(file.Memory(), static_cast<std::size_t>(file.Size()));
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
    std::string binary;
    switch (DetectKind(input)) {
      case TInputKind::Binary:
        binary = std::move(input);
        break;
      case TInputKind::Resource:
        binary = SelectResource(input, line.Value("resource"));
        break;
      case TInputKind::Text:
        binary = TextToBinary(input);
        break;
    }
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
