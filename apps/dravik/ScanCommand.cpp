// dravik scan: the string literals and comments of a source file, or its mask.
#include "apps/dravik/Command.h"
#include "apps/dravik/InputFile.h"
#include "apps/dravik/StandardOutput.h"
#include "source/SourceParser.h"

namespace dravik {

namespace {

TCodeType ParseCodeType(const std::string& name) {
  if (name == "pascal") return ctPascal;
  if (name == "c") return ctC;
  throw EUsage{"unknown code type '" + name + "' (pascal or c)"};
}

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {"type"}, {"mask"});
  line.ExpectPositionals(1, 1);
  const std::optional<std::string> type = line.Value("type");
  TCodeType codeType = type ? ParseCodeType(*type) : ctAutoDetect;

  TSourceParser parser(TInputFile(line.Positionals()[0]).ReadAll());
  if (codeType == ctAutoDetect && parser.CodeType() == ctUnknown) codeType = ctPascal;
  parser.ParseLines(codeType);

  if (line.Has("mask")) {
    const std::string& mask = parser.Mask();
    out << mask;
    if (!mask.empty() && mask.back() != '\n' && mask.back() != '\r') out << '\n';
    return 0;
  }
  for (const TSourceCodeBlock& block : parser.Blocks()) {
    out << (block.BlockType() == btString ? "string" : "comment") << '\t' << block.Offset() << '\t'
        << block.Length() << '\t' << block.Line() << '\t' << block.Column() << '\t';
    out.Field(block.BlockText()) << '\n';
  }
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
    "as \\t, \\n, \\r and \\\\. Line breaks may be CR LF, LF or CR, also mixed.\n"
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
