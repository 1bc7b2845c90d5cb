// dravik versions: which revision of each unit this program was built from.

#include "apps/dravik/Command.h"
#include "apps/dravik/StandardOutput.h"
#include "apps/dravik/Tool.h"
#include "library/UnitHeader.h"
#include "platform/core/system/UnitVersion.h"

namespace dravik {

namespace {

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {}, {});
  line.ExpectPositionals(0, 0);
  bool allParse = true;
  for (const char* text : RegisteredUnitVersions()) {
    TUnitHeader header;
    if (!ExtractHeader(text, header)) {
      ReportLine(std::string("dravik versions: not a version header: ") + text);
      allParse = false;
      continue;
    }
    std::string dateTime = FormatHeaderDateTime(header.DateTime);
    dateTime.erase(10, 1);  // one blank between date and time in a field
    out.Field(header.FileName) << '\t';
    out.Field(header.Revision) << '\t';
    out.Field(dateTime) << '\t';
    out.Field(header.Author) << '\t';
    out.Field(header.Path) << '\n';
  }
  return allParse ? 0 : 1;
}

}  // namespace

const TCommand VersionsCommand{
    "versions", "the revision of every unit this program is made of",
    "Usage: dravik versions\n"
    "\n"
    "Prints one tab-separated line for each unit (source file) this program was built from:\n"
    "file, revision, date and time of its last change, its author, and its path. The revision\n"
    "is the number of commits that changed the file and the last one's hash (\"12-3d07cfe\"),\n"
    "with \"+\" when the built file differed from it; \"new\" for a file the history does not\n"
    "know, \"nogit\" for a build from a tree without git.\n"
    "\n"
    "Exit codes: 0 success, 1 a registered header that does not parse, 2 bad usage.\n",
    Run};

}  // namespace dravik
