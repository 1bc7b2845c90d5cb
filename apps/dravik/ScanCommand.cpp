// dravik scan: the string literals and comments of a source file, or its mask.
#include <algorithm>
#include <charconv>

#include "apps/dravik/Command.h"
#include "apps/dravik/Escape.h"
#include "apps/dravik/InputFile.h"
#include "apps/dravik/StandardOutput.h"
#include "source/SourceParser.h"
#include "source/SourceStream.h"

namespace dravik {

namespace {

TCodeType ParseCodeType(const std::string& name) {
  if (name == "pascal") return ctPascal;
  if (name == "c") return ctC;
  throw EUsage{"unknown code type '" + name + "' (pascal or c)"};
}

// The blocks as lines of the output, or the mask, as the scan finds them.
class TScanLines : public TScanSink {
 public:
  TScanLines(TStandardOutput& out, bool mask) : fOut(out), fMask(mask) {}

  // KIND OFFSET LENGTH LINE COLUMN TEXT: the hot loop of a scan, so formatted in place.
  void Block(const TScannedBlock& block) override {
    if (fMask) return;
    const std::string_view kind = block.Type == btString ? "string\t" : "comment\t";
    const std::size_t most = kind.size() + 4 * 21 + block.Text.size() * kEscapedByteSize + 1;
    if (most > TStandardOutput::kBufferSize) {
      fOut << kind << block.Offset << '\t' << block.Text.size() << '\t' << block.Line << '\t'
           << block.Column << '\t';
      fOut.Field(block.Text) << '\n';
      return;
    }
    char* at = fOut.Room(most);
    at = std::copy(kind.begin(), kind.end(), at);
    for (const int64_t number :
         {block.Offset, static_cast<int64_t>(block.Text.size()), block.Line, block.Column}) {
      at = std::to_chars(at, at + 20, number).ptr;
      *at++ = '\t';
    }
    at = EscapeField(block.Text, at);
    *at++ = '\n';
    fOut.Advance(at);
  }
  void Mask(std::string_view letters) override {
    fOut << letters;
    if (!letters.empty()) fLast = letters.back();
  }
  // The mask's last line ends with a line break too.
  void EndMask() {
    if (fLast != '\0' && fLast != '\n' && fLast != '\r') fOut << '\n';
  }

 private:
  TStandardOutput& fOut;
  bool fMask;
  char fLast = '\0';
};

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {"type"}, {"mask"});
  line.ExpectPositionals(1, 1);
  const std::optional<std::string> type = line.Value("type");
  TCodeType codeType = type ? ParseCodeType(*type) : ctAutoDetect;

  // The file is scanned piece by piece as it is read, and each block printed as it is found.
  TInputFile input(line.Positionals()[0]);
  TSourceStream stream(line.Has("mask"));
  TScanLines lines(out, line.Has("mask"));
  for (bool end = false; !end;) {
    const std::span<char> room = stream.Room(std::size_t{1} << 20);
    const std::size_t count = input.Read(room.data(), room.size());
    stream.Append(count);
    end = count == 0;
    if (codeType == ctAutoDetect) {
      codeType = stream.DetectedCodeType(end);
      if (codeType == ctAutoDetect) continue;
      if (codeType == ctUnknown) codeType = ctPascal;
    }
    stream.Scan(codeType, end, lines);
  }
  if (line.Has("mask")) lines.EndMask();
  return 0;
}

}  // namespace

const TCommand ScanCommand{
    "scan", "list the string literals and comments of a source file",
    "Usage: dravik scan [--mask] [--type pascal|c] UNIT\n"
    "\n"
    "Scans a Pascal unit or program (or a C source) and prints its string literals and\n"
    "comments in text order, one tab-separated line each:\n"
    "  KIND  OFFSET  LENGTH  LINE  COLUMN  TEXT\n"
    "KIND is \"string\" or \"comment\"; OFFSET is the 0-based byte offset of the block's first\n"
    "byte, LENGTH its length in bytes (line breaks counted as the bytes they are), LINE the\n"
    "0-based line and COLUMN the 1-based byte column of its first byte. TEXT is the block\n"
    "with its quotes or delimiters; tab, line feed, carriage return and backslash are written\n"
    "as \\t, \\n, \\r and \\\\, the other control characters and bytes that are not UTF-8\n"
    "as \\xHH. Line breaks may be CR LF, LF or CR, also mixed. The file is read as a stream\n"
    "(a pipe or /dev/stdin works) and printed as it is scanned, so its size does not matter up\n"
    "to the limit of 256 MiB.\n"
    "\n"
    "Arguments:\n"
    "  UNIT          the source file; \"-\" reads standard input\n"
    "\n"
    "Options:\n"
    "  --mask        print the mask instead: one letter per byte of the text, its line breaks\n"
    "                kept as they are: blank for code; '[', 's', ']' for the opening quote, the\n"
    "                inside and the closing quote of a literal; '{', 'c', '}' for the first\n"
    "                byte, the inside and the last byte of a comment; '\\' for a backslash that\n"
    "                continues a C literal on the next line\n"
    "  --type TYPE   pascal or c. Default: detected from the first word of the text (unit or\n"
    "                program: pascal; #, int or void: c), pascal when it is not recognised.\n"
    "                Pascal knows '...' literals, { }, (* *) and // comments; C knows '...'\n"
    "                and \"...\" literals with backslash escapes, /* */ and // comments.\n"
    "  -h, --help    show this help\n"
    "\n"
    "Exit codes: 0 success, 1 the file cannot be read, 2 bad usage.\n",
    Run};

}  // namespace dravik
